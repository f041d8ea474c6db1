#pragma once

#include <QWidget>
#include <memory>

class CTavDbFreePdbObjectManager;
class CTavScMonthDoc;
class QLabel;
class QPushButton;

// The month window's right pane: the month as the handheld lays it out (its own first day of
// week, a mark under each day with events) and the memo sheet linked to the month.
class CTavScMonthRightView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavScMonthRightView(CTavScMonthDoc* document, QWidget* parent = nullptr);

    QPushButton* OverlayButton() const { return m_overlay; }
    QPushButton* EditButton() const { return m_edit; }
    QString SheetName() const { return m_sheet; }
    QWidget* Screen() const { return m_screen; }
    void Refresh();
    // Links a memo sheet to the current month as one undo step; an empty name removes the link.
    bool LinkSheet(const QString& name);
    // The edit button: the month's overlay in the editor, made and linked when there is none.
    void EditSheet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintScreen(QWidget* screen);

    CTavScMonthDoc* m_document;
    QWidget* m_screen;
    QLabel* m_link;
    QPushButton* m_overlay;
    QPushButton* m_edit;
    QString m_sheet;
    std::shared_ptr<CTavDbFreePdbObjectManager> m_overlaySheet;
};
