#pragma once

#include <QMenu>
#include <QPointer>

#include "CTavComScheduleView.h"

class CTavScDayDoc;

// The day's time grid: one column of the current day's events, filled from the store on every
// update, with the mouse and key commands of the day window.
class CTavScDayView final : public CTavComScheduleView
{
    Q_OBJECT
public:
    explicit CTavScDayView(CTavScDayDoc* document, QWidget* parent = nullptr);

    void UpdateKiroView() override;
    // The context menu last opened (it is shown without a modal loop).
    QMenu* ContextMenu() const { return m_menu; }
    static QString DayTitle(const QDate& date);

protected:
    void OnLButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override;
    void OnRButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override;
    void OnBoxDropped(const CTavComDragResult& result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RememberSlot(const CTavComHit& hit);
    void OnDoubleClick(const CTavComHit& hit);

    CTavScDayDoc* m_document;
    QPointer<QMenu> m_menu;
    int m_lastStartTime = -1;
};
