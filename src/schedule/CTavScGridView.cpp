#include "CTavScGridView.h"

#include <QKeyEvent>

#include "CTavDbDateRecord.h"
#include "CTavScEventBox.h"
#include "CTavScEventDoc.h"
#include "CTavScPeriodSheet.h"
#include "ScheduleState.h"

CTavScGridView::CTavScGridView(CTavScEventDoc* document, bool multiColumn, QWidget* parent)
    : CTavComScheduleView(multiColumn, parent), m_document(document)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(document, &CTavModuleDoc::viewsUpdated, this, [this] { UpdateKiroView(); });
    connect(this, &CTavComScheduleView::doubleClicked, this, &CTavScGridView::OnDoubleClick);
    connect(this, &CTavComScheduleView::selectionChanged, this, [this](CTavComScheduleBox* box) {
        if (!box)
            m_document->State().selectedEvent = nullptr;
    });
}

void CTavScGridView::PickSlot(const CTavComHit& hit)
{
    ScheduleState& state = m_document->State();
    state.selectedUntimed = false;
    if (hit.IsNoTime())
        state.selectedUntimed = true;
    else if (hit.hour >= 0)
        state.selectedHour = hit.hour;
}

QDate CTavScGridView::DropDay(const CTavComDragResult&) const
{
    return m_document->State().CurrentDay();
}

void CTavScGridView::OnLButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point)
{
    PickSlot(HitTest(point));
    CTavComScheduleView::OnLButtonDown(modifiers, point);
}

void CTavScGridView::OnRButtonDown(Qt::KeyboardModifiers modifiers, const QPoint& point)
{
    PickSlot(HitTest(point));
    CTavComScheduleView::OnRButtonDown(modifiers, point);
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    if (m_document->State().selectedEvent) {
        m_menu->addAction(QStringLiteral("予定の削除(&D)..."), this,
                          [this] { m_document->DeleteEvent(this); });
        m_menu->addSeparator();
        m_menu->addAction(QStringLiteral("予定の編集(&I)..."), this, [this] { m_document->EditEvent(this); });
    } else {
        m_menu->addAction(QStringLiteral("新規予定(&N)..."), this, [this] { m_document->NewEvent(this); });
    }
    m_menu->popup(viewport()->mapToGlobal(point));
}

void CTavScGridView::OnDoubleClick(const CTavComHit& hit)
{
    ScheduleState& state = m_document->State();
    if (hit.onMemoIcon && hit.box && hit.box->IsSelected()) {
        const auto* box = static_cast<CTavScEventBox*>(hit.box);
        CTavScPeriodSheet::OpenEventSheet(state, this, box->Record()->GetSheetName());
        return;
    }
    if (!MayOpenAt(hit))
        return;
    PickSlot(hit);
    if (state.selectedEvent)
        m_document->EditEvent(this);
    else
        m_document->NewEvent(this);
}

void CTavScGridView::OnBoxDropped(const CTavComDragResult& result)
{
    auto* box = static_cast<CTavScEventBox*>(result.box);
    if (!box)
        return;
    const QDate day = DropDay(result);
    int start = result.startSec;
    int end = result.endSec;
    if (result.toNoTime && !result.wasNoTime) {
        start = box->GetStartSec();
        end = box->GetEndSec();
    }
    if (!day.isValid() ||
        !m_document->State().MoveEvent(this, *box->Record(), start, end, result.toNoTime, day))
        UpdateKiroView();
}

void CTavScGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        m_document->DeleteEvent(this);
        return;
    }
    CTavComScheduleView::keyPressEvent(event);
}
