#pragma once

#include <QDate>
#include <QMenu>
#include <QPointer>

#include "CTavComScheduleView.h"

class CTavScEventDoc;

// What the day and week time grids share: the slot a click picks, the context menu, the double
// click (the event's memo sheet, edit or new), the Delete key and dropping a box on a day.
class CTavScGridView : public CTavComScheduleView
{
    Q_OBJECT
public:
    CTavScGridView(CTavScEventDoc* document, bool multiColumn, QWidget* parent = nullptr);

    // The context menu last opened (it is shown without a modal loop).
    QMenu* ContextMenu() const { return m_menu; }

protected:
    // The slot under the point becomes the selected one (the hour, or the untimed band).
    virtual void PickSlot(const CTavComHit& hit);
    // The day a box dropped with this result lands on; invalid refuses the drop.
    virtual QDate DropDay(const CTavComDragResult& result) const;
    // Whether a double click at the hit may edit or make an event.
    virtual bool MayOpenAt(const CTavComHit&) const { return true; }

    void OnLButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override;
    void OnRButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point) override;
    void OnBoxDropped(const CTavComDragResult& result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnDoubleClick(const CTavComHit& hit);

    CTavScEventDoc* m_document;
    QPointer<QMenu> m_menu;
};
