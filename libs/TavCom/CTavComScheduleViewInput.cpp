#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "CTavComScheduleBox.h"
#include "CTavComScheduleView.h"

// The mouse and keyboard side of the grid view.

namespace {

constexpr int kAutoScrollMargin = 14;

} // namespace

void CTavComScheduleView::SelectFromHit(const CTavComHit& hit)
{
    if (hit.box)
        SelectBox(hit.box);
    else if (hit.area == CTavComHit::Area::Timed || hit.area == CTavComHit::Area::NoTime)
        SelectBox(nullptr);
}

void CTavComScheduleView::OnLButtonDown(Qt::KeyboardModifiers, const QPoint& point)
{
    m_lastHit = HitTest(point);
    SelectFromHit(m_lastHit);
    CTavComScheduleBox* box = m_lastHit.box;
    if (!box)
        return;
    if (m_lastHit.onMemoIcon) {
        viewport()->setCursor(Qt::PointingHandCursor);
        return;
    }
    const bool resize = m_lastHit.onBottomEdge;
    m_drag.Begin(resize ? CTavComDragTracker::Mode::Resize : CTavComDragTracker::Mode::Move, box,
                 m_lastHit.column, box->IsNoTime(), box->GetStartSec(), box->GetEndSec(), point,
                 m_lastHit.seconds);
    viewport()->setCursor(resize ? Qt::SizeVerCursor : Qt::SizeAllCursor);
}

void CTavComScheduleView::OnMouseMove(Qt::KeyboardModifiers, const QPoint& point)
{
    m_lastMouse = point;
    if (!m_drag.IsActive()) {
        UpdateHoverCursor(point);
        return;
    }
    const CTavComHit::Area area = m_geo.AreaAt(point);
    const bool overNoTime = m_geo.IsNoTimeShown() && m_drag.GetMode() == CTavComDragTracker::Mode::Move &&
                            (area == CTavComHit::Area::NoTime ||
                             (area == CTavComHit::Area::Corner && point.y() >= m_geo.HeaderHeight()));
    const int column = m_style.weekMode ? m_geo.ColumnAt(std::max(point.x(), m_geo.GetSize().timeWidth)) : -1;
    if (m_drag.Update(point, column, overNoTime, m_geo.TimeAt(point.y())))
        viewport()->update();
    const QRect timed = m_geo.TimedRect();
    const bool nearEdge =
        m_drag.IsDragging() && !overNoTime &&
        (point.y() < timed.top() + kAutoScrollMargin || point.y() > timed.bottom() - kAutoScrollMargin);
    if (nearEdge && !m_autoScroll.isActive())
        m_autoScroll.start();
    else if (!nearEdge)
        m_autoScroll.stop();
}

void CTavComScheduleView::OnLButtonUp(Qt::KeyboardModifiers, const QPoint& point)
{
    m_autoScroll.stop();
    const bool wasActive = m_drag.IsActive();
    const auto result = m_drag.Finish();
    if (wasActive)
        viewport()->update();
    UpdateHoverCursor(point);
    if (result)
        OnBoxDropped(*result);
}

void CTavComScheduleView::OnLButtonDblClk(Qt::KeyboardModifiers, const QPoint& point)
{
    m_lastHit = HitTest(point);
    SelectFromHit(m_lastHit);
    if (m_lastHit.area != CTavComHit::Area::None && m_lastHit.area != CTavComHit::Area::Header &&
        !(m_lastHit.area == CTavComHit::Area::Corner && point.y() < m_geo.HeaderHeight()))
        emit doubleClicked(m_lastHit);
}

void CTavComScheduleView::OnRButtonDown(Qt::KeyboardModifiers, const QPoint& point)
{
    m_drag.Cancel();
    m_lastHit = HitTest(point);
    SelectFromHit(m_lastHit);
    emit contextMenuRequested(m_lastHit, viewport()->mapToGlobal(point));
}

void CTavComScheduleView::OnBoxDropped(const CTavComDragResult& result)
{
    emit boxDropped(result);
}

void CTavComScheduleView::UpdateHoverCursor(const QPoint& point)
{
    const CTavComHit hit = HitTest(point);
    if (hit.onMemoIcon)
        viewport()->setCursor(Qt::PointingHandCursor);
    else if (hit.onBottomEdge)
        viewport()->setCursor(Qt::SizeVerCursor);
    else
        viewport()->unsetCursor();
}

void CTavComScheduleView::AutoScroll()
{
    if (!m_drag.IsDragging()) {
        m_autoScroll.stop();
        return;
    }
    const QRect timed = m_geo.TimedRect();
    const int step = std::max(2, m_geo.Scale().RowHeight() / 2);
    QScrollBar* v = verticalScrollBar();
    if (m_lastMouse.y() < timed.top() + kAutoScrollMargin)
        v->setValue(v->value() - step);
    else if (m_lastMouse.y() > timed.bottom() - kAutoScrollMargin)
        v->setValue(v->value() + step);
    OnMouseMove(Qt::NoModifier, m_lastMouse);
}

void CTavComScheduleView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->modifiers(), event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(event->modifiers(), event->position().toPoint());
}

void CTavComScheduleView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->modifiers(), event->position().toPoint());
}

void CTavComScheduleView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(event->modifiers(), event->position().toPoint());
}

void CTavComScheduleView::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->modifiers(), event->position().toPoint());
}

void CTavComScheduleView::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* v = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Up:
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Home:
        v->setValue(v->minimum());
        break;
    case Qt::Key_End:
        v->setValue(v->maximum());
        break;
    case Qt::Key_Escape:
        if (!m_drag.IsActive()) {
            event->ignore();
            return;
        }
        m_drag.Cancel();
        m_autoScroll.stop();
        viewport()->update();
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}
