#pragma once

#include <QWidget>

class CTavReferDoc;
class CTavReferView;
class QLabel;

// The reference window's right pane: the selected sheet fitted to the pane, under its title.
class CTavReferRightView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavReferRightView(CTavReferDoc* document, QWidget* parent = nullptr);

    QLabel* TitleLabel() const { return m_title; }
    CTavReferView* View() const { return m_view; }
    void ShowEntry(int index);

private:
    CTavReferDoc* m_doc;
    QLabel* m_title;
    CTavReferView* m_view;
};
