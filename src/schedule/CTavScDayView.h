#pragma once

#include <QMenu>
#include <QPointer>

#include "CTavComScheduleView.h"

class CTavScDayDoc;
class QToolButton;

// The day's time grid: one column of the current day's events, filled from the store on every
// update, with the mouse and key commands of the day window.
class CTavScDayView final : public CTavComScheduleView
{
    Q_OBJECT
public:
    explicit CTavScDayView(CTavScDayDoc* document, QWidget* parent = nullptr);

    void UpdateKiroView() override;
    void OnSize(int cx, int cy) override;
    // The context menu last opened (it is shown without a modal loop).
    QMenu* ContextMenu() const { return m_menu; }
    static QString DayTitle(const QDate& date);
    // The marks on the grid's top and bottom edges that count the events beginning out of sight
    // ("▲ 2件"); hidden while there are none. A click scrolls to the earliest of them.
    QToolButton* AboveMark() const { return m_marks[kAbove]; }
    QToolButton* BelowMark() const { return m_marks[kBelow]; }

protected:
    void OnLButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override;
    void OnRButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override;
    void OnBoxDropped(const CTavComDragResult& result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RememberSlot(const CTavComHit& hit);
    void OnDoubleClick(const CTavComHit& hit);
    void UpdateHiddenMarks();

    enum
    {
        kAbove,
        kBelow
    };

    CTavScDayDoc* m_document;
    QPointer<QMenu> m_menu;
    int m_lastStartTime = -1;
    QToolButton* m_marks[2] = {};
    int m_hiddenStart[2] = {-1, -1}; // earliest start, in seconds, of the events out of sight
};
