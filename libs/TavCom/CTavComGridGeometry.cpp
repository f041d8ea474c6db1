#include "CTavComGridGeometry.h"

#include <algorithm>

#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"

namespace {

// The box under the point: the selected one when it is there, else the last one drawn.
CTavComScheduleBox* boxAt(const std::vector<std::unique_ptr<CTavComScheduleBox>>& boxes, const QPoint& p,
                          const CTavComScheduleBox* selected)
{
    CTavComScheduleBox* found = nullptr;
    for (const auto& box : boxes) {
        if (!box->HitTest(p))
            continue;
        if (box.get() == selected)
            return box.get();
        found = box.get();
    }
    return found;
}

} // namespace

CTavComGridGeometry::CTavComGridGeometry() : m_scale(m_size.rowHeight) {}

void CTavComGridGeometry::SetSize(const SizeSetting& size)
{
    m_size = size;
    m_scale = CTavComTimeScale(size.rowHeight);
}

void CTavComGridGeometry::LayoutColumns(const CTavComColumList& columns)
{
    m_spans.clear();
    const int count = static_cast<int>(columns.size());
    const int available = std::max(0, m_viewport.width() - m_size.timeWidth);
    int x = 0;
    for (int i = 0; i < count; ++i) {
        const int share = available * (i + 1) / count - available * i / count;
        const int width = std::max({share, m_size.colMinWidth, columns[i]->GetMinWidth(), 8});
        columns[i]->SetX(x);
        columns[i]->SetWidth(width);
        m_spans.emplace_back(x, width);
        x += width;
    }
    m_contentWidth = x;
}

int CTavComGridGeometry::NoTimeHeight() const
{
    return m_noTimeShown ? std::max(1, m_noTimeRows) * std::max(4, m_size.noTimeRowHeight) + 4 : 0;
}

QRect CTavComGridGeometry::HeaderRect() const
{
    return QRect(m_size.timeWidth, 0, std::max(0, m_viewport.width() - m_size.timeWidth), HeaderHeight());
}

QRect CTavComGridGeometry::NoTimeRect() const
{
    return QRect(m_size.timeWidth, HeaderHeight(), std::max(0, m_viewport.width() - m_size.timeWidth),
                 NoTimeHeight());
}

QRect CTavComGridGeometry::AxisRect() const
{
    return QRect(0, TimedTop(), m_size.timeWidth, std::max(0, m_viewport.height() - TimedTop()));
}

QRect CTavComGridGeometry::TimedRect() const
{
    return QRect(m_size.timeWidth, TimedTop(), std::max(0, m_viewport.width() - m_size.timeWidth),
                 std::max(0, m_viewport.height() - TimedTop()));
}

int CTavComGridGeometry::MaxScrollX() const
{
    return std::max(0, m_contentWidth - TimedRect().width());
}

int CTavComGridGeometry::MaxScrollY() const
{
    return std::max(0, m_scale.DayHeight() + 1 - TimedRect().height());
}

int CTavComGridGeometry::ScrollForHour(int hour) const
{
    return std::min(std::clamp(hour, 0, 23) * m_scale.HourHeight(), MaxScrollY());
}

CTavComHit::Area CTavComGridGeometry::AreaAt(const QPoint& view) const
{
    using Area = CTavComHit::Area;
    if (view.x() < 0 || view.y() < 0 || view.x() >= m_viewport.width() || view.y() >= m_viewport.height())
        return Area::None;
    if (view.y() < HeaderHeight())
        return view.x() < m_size.timeWidth ? Area::Corner : Area::Header;
    if (view.y() < TimedTop())
        return view.x() < m_size.timeWidth ? Area::Corner : Area::NoTime;
    return view.x() < m_size.timeWidth ? Area::Axis : Area::Timed;
}

int CTavComGridGeometry::ColumnAt(int viewX) const
{
    const int x = viewX - m_size.timeWidth + m_scroll.x();
    if (viewX < m_size.timeWidth)
        return -1;
    const auto it =
        std::upper_bound(m_spans.begin(), m_spans.end(), x,
                         [](int value, const std::pair<int, int>& span) { return value < span.first; });
    if (it == m_spans.begin())
        return -1;
    const auto& span = *(it - 1);
    return x < span.first + span.second ? static_cast<int>(it - 1 - m_spans.begin()) : -1;
}

QPoint CTavComGridGeometry::ViewToTimed(const QPoint& view) const
{
    return view - QPoint(m_size.timeWidth, TimedTop()) + m_scroll;
}

QPoint CTavComGridGeometry::TimedToView(const QPoint& timed) const
{
    return timed + QPoint(m_size.timeWidth, TimedTop()) - m_scroll;
}

QPoint CTavComGridGeometry::ViewToNoTime(const QPoint& view) const
{
    return view - QPoint(m_size.timeWidth, HeaderHeight()) + QPoint(m_scroll.x(), 0);
}

QPoint CTavComGridGeometry::NoTimeToView(const QPoint& band) const
{
    return band + QPoint(m_size.timeWidth, HeaderHeight()) - QPoint(m_scroll.x(), 0);
}

int CTavComGridGeometry::TimeAt(int viewY) const
{
    return m_scale.YToTime(viewY - TimedTop() + m_scroll.y());
}

CTavComHit CTavComGridGeometry::HitTest(const QPoint& view, const CTavComColumList& columns,
                                        const CTavComScheduleBox* selected) const
{
    CTavComHit hit;
    hit.area = AreaAt(view);
    using Area = CTavComHit::Area;
    if (hit.area == Area::Axis || hit.area == Area::Timed) {
        hit.seconds = TimeAt(view.y());
        hit.hour = std::min(hit.seconds / 3600, 23);
    }
    if (hit.area != Area::Header && hit.area != Area::NoTime && hit.area != Area::Timed)
        return hit;
    hit.column = ColumnAt(view.x());
    if (hit.column < 0 || hit.column >= static_cast<int>(columns.size()) || hit.area == Area::Header)
        return hit;
    const CTavComScheduleColum& column = *columns[hit.column];
    const QPoint p = hit.area == Area::Timed ? ViewToTimed(view) : ViewToNoTime(view);
    hit.box = boxAt(hit.area == Area::Timed ? column.GetBoxes() : column.GetNoTimeBoxes(), p, selected);
    if (hit.box) {
        hit.onBottomEdge = hit.box->IsBottomHit(p);
        hit.onMemoIcon = hit.box->IsFreeMemoIconHit(p, m_size.markSize);
    }
    return hit;
}
