#include "CTavScYearLayout.h"

#include <algorithm>

namespace {
// Of a row height: the week number column and the title row.
constexpr double kWeekColumn = 0.8;
constexpr double kTitleRows = 1.5;
// Rows plus title (and the weekday row) per month; columns plus the week number column.
constexpr double kRowsPerMonth = CTavScYearLayout::kWeekRows + 1 + kTitleRows;
// Wide cells on a wide screen read badly: a cell is at most this much wider than tall.
constexpr double kMaxAspect = 1.8;
} // namespace

CTavScYearLayout::CTavScYearLayout(const QRect& area) : m_area(area)
{
    m_gap = std::clamp(std::min(area.width(), area.height()) / 60, 4, 16);
    // Whichever arrangement gives the larger day cells (the smaller of width and height counts).
    int best = -1;
    for (int columns : {4, 3}) {
        const int rows = kMonths / columns;
        const int slotWidth = std::max(0, (area.width() - (columns + 1) * m_gap) / columns);
        const int slotHeight = std::max(0, (area.height() - (rows + 1) * m_gap) / rows);
        const int rowHeight = static_cast<int>(slotHeight / kRowsPerMonth);
        const int cellWidth = std::min(static_cast<int>(slotWidth / (7 + kWeekColumn)),
                                       static_cast<int>(rowHeight * kMaxAspect));
        const int size = std::min(cellWidth, rowHeight);
        if (size > best) {
            best = size;
            m_columns = columns;
            m_slotWidth = slotWidth;
            m_slotHeight = slotHeight;
            m_rowHeight = rowHeight;
            m_cellWidth = cellWidth;
        }
    }
    m_weekWidth = static_cast<int>(m_rowHeight * kWeekColumn);
    m_titleHeight = m_slotHeight - (kWeekRows + 1) * m_rowHeight;
    m_titleHeight = std::min(m_titleHeight, static_cast<int>(m_rowHeight * kTitleRows));
}

QPoint CTavScYearLayout::Origin(int month) const
{
    const int index = std::clamp(month, 1, kMonths) - 1;
    const int column = index % m_columns;
    const int row = index / m_columns;
    // The month sits in the middle of its slot when the cells stop growing.
    const int width = m_weekWidth + 7 * m_cellWidth;
    const int height = m_titleHeight + (kWeekRows + 1) * m_rowHeight;
    const int x = m_area.left() + m_gap + column * (m_slotWidth + m_gap) + (m_slotWidth - width) / 2;
    const int y = m_area.top() + m_gap + row * (m_slotHeight + m_gap) + (m_slotHeight - height) / 2;
    return QPoint(x, y);
}

QRect CTavScYearLayout::MonthRect(int month) const
{
    return QRect(Origin(month),
                 QSize(m_weekWidth + 7 * m_cellWidth, m_titleHeight + (kWeekRows + 1) * m_rowHeight));
}

QRect CTavScYearLayout::TitleRect(int month) const
{
    return QRect(Origin(month), QSize(m_weekWidth + 7 * m_cellWidth, m_titleHeight));
}

QRect CTavScYearLayout::WeekdayRect(int month, int column) const
{
    const QPoint o = Origin(month);
    return QRect(o.x() + m_weekWidth + column * m_cellWidth, o.y() + m_titleHeight, m_cellWidth, m_rowHeight);
}

QRect CTavScYearLayout::WeekNumberRect(int month, int row) const
{
    const QPoint o = Origin(month);
    return QRect(o.x(), o.y() + m_titleHeight + (row + 1) * m_rowHeight, m_weekWidth, m_rowHeight);
}

QRect CTavScYearLayout::CellRect(int month, int cell) const
{
    const QPoint o = Origin(month);
    return QRect(o.x() + m_weekWidth + (cell % 7) * m_cellWidth,
                 o.y() + m_titleHeight + (cell / 7 + 1) * m_rowHeight, m_cellWidth, m_rowHeight);
}

bool CTavScYearLayout::HitTest(const QPoint& point, int* month, int* cell) const
{
    if (m_cellWidth <= 0 || m_rowHeight <= 0)
        return false;
    for (int m = 1; m <= kMonths; ++m) {
        const QRect days = CellRect(m, 0).united(CellRect(m, 41));
        if (!days.contains(point))
            continue;
        *month = m;
        *cell = (point.y() - days.top()) / m_rowHeight * 7 + (point.x() - days.left()) / m_cellWidth;
        return true;
    }
    return false;
}
