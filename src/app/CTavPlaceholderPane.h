#pragma once

#include <QFrame>

class QLabel;

// A pane that names what it will hold, until the module draws it.
class CTavPlaceholderPane final : public QFrame
{
    Q_OBJECT
public:
    CTavPlaceholderPane(const QString& title, const QString& detail, QWidget* parent = nullptr);

    QString Title() const;
    // How often the document asked this pane to redraw (the document's hint follows).
    int UpdateCount() const { return m_updates; }
    int LastHint() const { return m_lastHint; }
    void OnDocumentUpdate(int hint);

private:
    QLabel* m_title;
    int m_updates = 0;
    int m_lastHint = -1;
};
