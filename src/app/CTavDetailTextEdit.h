#pragma once

#include <QByteArray>
#include <QTextEdit>

// The read-only text of a detail pane, filled from the program's rich text. It shows no
// caret; text can be selected and copied.
class CTavDetailTextEdit final : public QTextEdit
{
    Q_OBJECT
public:
    explicit CTavDetailTextEdit(QWidget* parent = nullptr);

    // Clears the control and streams the document in.
    void SetRichText(const QByteArray& rtf);
    const QByteArray& RichText() const { return m_rtf; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QByteArray m_rtf;
};
