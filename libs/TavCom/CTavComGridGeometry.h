#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>
#include <utility>
#include <vector>

#include "CTavComTimeScale.h"
#include "TavComSettings.h"

class CTavComScheduleBox;
class CTavComScheduleColum;

using CTavComColumList = std::vector<std::unique_ptr<CTavComScheduleColum>>;

// What lies under a point of the grid.
struct CTavComHit
{
    enum class Area
    {
        None,
        Corner,
        Header,
        Axis,
        NoTime,
        Timed
    };
    Area area = Area::None;
    int column = -1;
    int seconds = -1; // time of day under the point, timed area only
    int hour = -1;
    CTavComScheduleBox* box = nullptr;
    bool onBottomEdge = false;
    bool onMemoIcon = false;

    bool IsNoTime() const { return area == Area::NoTime; }
};

// The grid's regions and coordinates, without a window. Header and untimed band stay at the
// top, the hour labels at the left; the timed area scrolls both ways, the header and band only
// sideways. Column x values count from the first column; timed y values from midnight; untimed
// y values from the top of the band.
class CTavComGridGeometry final
{
public:
    CTavComGridGeometry();

    void SetSize(const SizeSetting& size);
    const SizeSetting& GetSize() const { return m_size; }
    const CTavComTimeScale& Scale() const { return m_scale; }
    void SetNoTimeShown(bool shown) { m_noTimeShown = shown; }
    bool IsNoTimeShown() const { return m_noTimeShown; }
    // Rows the band needs: the most untimed boxes of any column (the band keeps at least one).
    void SetNoTimeRows(int rows) { m_noTimeRows = rows; }
    void SetViewport(const QSize& size) { m_viewport = size; }
    const QSize& Viewport() const { return m_viewport; }
    void SetScroll(int x, int y) { m_scroll = QPoint(x, y); }
    const QPoint& Scroll() const { return m_scroll; }

    // Shares the width of the viewport among the columns (none narrower than its minimum) and
    // writes each column's x and width.
    void LayoutColumns(const CTavComColumList& columns);
    int ContentWidth() const { return m_contentWidth; }

    int HeaderHeight() const { return m_size.headerHeight; }
    int NoTimeHeight() const;
    int TimedTop() const { return HeaderHeight() + NoTimeHeight(); }
    QRect HeaderRect() const;
    QRect NoTimeRect() const;
    QRect AxisRect() const;
    QRect TimedRect() const;
    int MaxScrollX() const;
    int MaxScrollY() const;
    // Scroll position that puts the hour at the top, within the scroll range.
    int ScrollForHour(int hour) const;

    CTavComHit::Area AreaAt(const QPoint& view) const;
    int ColumnAt(int viewX) const;
    QPoint ViewToTimed(const QPoint& view) const;
    QPoint TimedToView(const QPoint& timed) const;
    QPoint ViewToNoTime(const QPoint& view) const;
    QPoint NoTimeToView(const QPoint& band) const;
    // Time of day at a view y, also above and below the timed area (clamped to the day).
    int TimeAt(int viewY) const;

    // Boxes are looked up in the column under the point; the selected box wins over others.
    CTavComHit HitTest(const QPoint& view, const CTavComColumList& columns,
                       const CTavComScheduleBox* selected = nullptr) const;

private:
    SizeSetting m_size;
    CTavComTimeScale m_scale;
    bool m_noTimeShown = true;
    int m_noTimeRows = 0;
    QSize m_viewport;
    QPoint m_scroll;
    int m_contentWidth = 0;
    std::vector<std::pair<int, int>> m_spans; // x and width of each column
};
