#include "CTavComScheduleView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

#include "CTavComGridPainter.h"
#include "CTavComScheduleBox.h"
#include "CTavComUtil.h"

namespace {

constexpr int kAutoScrollMargin = 14;

} // namespace

CTavComScheduleView::CTavComScheduleView(bool weekMode, QWidget* parent) : QAbstractScrollArea(parent)
{
    m_style.weekMode = weekMode;
    m_fontFaces = {QStringLiteral("MS UI Gothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                   QStringLiteral("ＭＳ ゴシック")};
    SizeSetting size;
    if (weekMode) {
        size.colMinWidth = 96;
        size.timeWidth = 52;
    } else {
        size.colMinWidth = 160;
    }
    m_geo.SetSize(size);
    m_drag.SetThreshold(4);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_autoScroll.setInterval(40);
    connect(&m_autoScroll, &QTimer::timeout, this, &CTavComScheduleView::AutoScroll);
    RebuildStyle();
}

CTavComScheduleView::~CTavComScheduleView() = default;

void CTavComScheduleView::SetSize(const SizeSetting& size)
{
    m_geo.SetSize(size);
    RebuildStyle();
    Relayout(true);
}

void CTavComScheduleView::SetColor(const ColorSetting& colors)
{
    m_style.colors = colors;
    viewport()->update();
}

void CTavComScheduleView::SetExtColor(const ColorSettingExt& colors)
{
    m_style.extColors = colors;
    viewport()->update();
}

void CTavComScheduleView::SetNoTime(bool show)
{
    if (show == m_geo.IsNoTimeShown())
        return;
    m_geo.SetNoTimeShown(show);
    Relayout(false);
}

void CTavComScheduleView::SetTime(int hour)
{
    m_topHour = std::clamp(hour, 0, 23);
    m_timeAnchored = true;
    UpdateScrollBars();
}

int CTavComScheduleView::GetTime() const
{
    return verticalScrollBar()->value() / m_geo.Scale().HourHeight();
}

void CTavComScheduleView::SetFontFaces(const QStringList& faces)
{
    m_fontFaces = faces;
    RebuildStyle();
    Relayout(true);
}

void CTavComScheduleView::ClearBoxList()
{
    // A refresh in the middle of a drag takes the dragged box away: the gesture ends with it.
    if (m_drag.IsActive()) {
        m_drag.Cancel();
        m_autoScroll.stop();
        viewport()->unsetCursor();
    }
    m_selected = nullptr;
    m_lastHit = CTavComHit{};
    m_columns.clear();
}

void CTavComScheduleView::AddColum(CTavComScheduleColum* colum)
{
    if (colum)
        m_columns.emplace_back(colum);
}

CTavComScheduleColum* CTavComScheduleView::GetColum(int index) const
{
    return index >= 0 && index < GetColumCount() ? m_columns[index].get() : nullptr;
}

void CTavComScheduleView::EndSettingData()
{
    Relayout(true);
    SyncSelection();
}

CTavComHit CTavComScheduleView::HitTest(const QPoint& point) const
{
    return m_geo.HitTest(point, m_columns, m_selected);
}

CTavComScheduleBox* CTavComScheduleView::IsBoxHit(const QPoint& point) const
{
    const CTavComHit hit = HitTest(point);
    return hit.area == CTavComHit::Area::Timed ? hit.box : nullptr;
}

CTavComScheduleBox* CTavComScheduleView::IsNoTimeBoxHit(const QPoint& point) const
{
    const CTavComHit hit = HitTest(point);
    return hit.IsNoTime() ? hit.box : nullptr;
}

bool CTavComScheduleView::IsSelectedBox(const CTavComScheduleBox* box) const
{
    return box && box->IsSelected();
}

CTavComScheduleBox* CTavComScheduleView::IsBoxBottomHit(const QPoint& point) const
{
    const CTavComHit hit = HitTest(point);
    return hit.onBottomEdge ? hit.box : nullptr;
}

CTavComScheduleBox* CTavComScheduleView::IsFreeMemoIconHit(const QPoint& point) const
{
    const CTavComHit hit = HitTest(point);
    return hit.onMemoIcon ? hit.box : nullptr;
}

void CTavComScheduleView::SelectBox(CTavComScheduleBox* box)
{
    if (box == m_selected)
        return;
    if (m_selected)
        m_selected->SetSelected(false);
    m_selected = box;
    if (box) {
        box->SetSelected(true);
        box->OnSelect();
    }
    viewport()->update();
    emit selectionChanged(box);
}

void CTavComScheduleView::UpdateKiroView()
{
    EndSettingData();
}

void CTavComScheduleView::OnInitialUpdate()
{
    m_initialised = true;
    UpdateKiroView();
}

void CTavComScheduleView::OnSize(int, int)
{
    Relayout(false);
}

void CTavComScheduleView::OnDraw(QPainter& painter)
{
    const QRect exposed = m_exposed.isEmpty() ? viewport()->rect() : m_exposed;
    CTavComGridPainter(m_geo, m_style).Paint(painter, m_columns, exposed, &m_drag);
}

void CTavComScheduleView::RebuildStyle()
{
    const SizeSetting& size = m_geo.GetSize();
    const QString face = CTavComUtil::GetExistFont(m_fontFaces);
    m_style.font = CTavComUtil::InitLogFont(face, size.fontPoint, 400);
    m_style.timeFont = CTavComUtil::InitLogFont(face, size.fontPoint, 700);
    m_style.headerFont = CTavComUtil::InitLogFont(face, size.fontPoint + 1, 700);
    m_style.axisFont = CTavComUtil::InitLogFont(face, std::max(6, size.fontPoint - 1), 400);
    m_style.fontMetrics = QFontMetrics(m_style.font);
    m_style.timeMetrics = QFontMetrics(m_style.timeFont);
    m_style.markSize = size.markSize;
    m_style.em = m_style.fontMetrics.horizontalAdvance(QChar(0x3042));
    m_style.labels.clear();
}

void CTavComScheduleView::Relayout(bool overlaps)
{
    int rows = 0;
    for (const auto& column : m_columns)
        rows = std::max(rows, static_cast<int>(column->GetNoTimeBoxes().size()));
    m_geo.SetNoTimeRows(rows);
    m_geo.SetViewport(viewport()->size());
    m_geo.LayoutColumns(m_columns);
    // A box is never shorter than one line of text, and overlaps are judged on what is shown.
    const int minHeight = std::max(m_geo.Scale().RowHeight() / 2, m_style.fontMetrics.height() + 4);
    const int minSeconds = m_geo.Scale().PixelsToSeconds(minHeight);
    for (const auto& column : m_columns) {
        if (overlaps)
            column->CalcDuplication(minSeconds);
        column->CalcLayout(m_geo.Scale(), m_geo.GetSize());
    }
    UpdateScrollBars();
    viewport()->update();
}

void CTavComScheduleView::UpdateScrollBars()
{
    m_settingScroll = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, m_geo.MaxScrollY());
    v->setSingleStep(m_geo.Scale().RowHeight());
    v->setPageStep(std::max(1, m_geo.TimedRect().height()));
    if (m_timeAnchored)
        v->setValue(m_geo.ScrollForHour(m_topHour));
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, m_geo.MaxScrollX());
    h->setSingleStep(24);
    h->setPageStep(std::max(1, m_geo.TimedRect().width()));
    m_settingScroll = false;
    m_geo.SetScroll(h->value(), v->value());
}

void CTavComScheduleView::SyncSelection()
{
    m_selected = nullptr;
    for (const auto& column : m_columns) {
        for (const auto* list : {&column->GetBoxes(), &column->GetNoTimeBoxes()}) {
            for (const auto& box : *list) {
                if (!m_selected && box->IsSelected())
                    m_selected = box.get();
            }
        }
    }
}

void CTavComScheduleView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    m_exposed = event->rect();
    OnDraw(painter);
    m_exposed = QRect();
}

void CTavComScheduleView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    OnSize(viewport()->width(), viewport()->height());
}

void CTavComScheduleView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (!m_initialised)
        OnInitialUpdate();
}

void CTavComScheduleView::scrollContentsBy(int, int)
{
    if (!m_settingScroll)
        m_timeAnchored = false;
    m_geo.SetScroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

bool CTavComScheduleView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const CTavComHit hit = HitTest(help->pos());
    if (!hit.box || hit.box->IsMasked() || m_drag.IsDragging()) {
        QToolTip::hideText();
        return true;
    }
    QString tip = hit.box->IsNoTime() ? QString() : hit.box->GetTimeLabel(true) + u'\n';
    tip += hit.box->GetText();
    if (hit.box->HasNote())
        tip += QStringLiteral("\n\n") + hit.box->GetNote();
    QToolTip::showText(help->globalPos(), tip.trimmed(), viewport());
    return true;
}

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
