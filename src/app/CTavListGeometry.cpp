#include "CTavListGeometry.h"

#include <algorithm>

void CTavListGeometry::Begin(int newRowHeight)
{
    rowHeight = std::max(1, newRowHeight);
    currentY = spacing + headerHeight;
    const int entries = std::max(0, paneHeight) / rowHeight + 1;
    m_rowTops.assign(static_cast<size_t>(entries), 0);
    for (int& top : m_rowTops) {
        top = currentY;
        currentY += rowHeight;
    }
    currentY = rowHeight + headerHeight + spacing;
}

QRect CTavListGeometry::RowRect(int index) const
{
    const int top = rowHeight * index + spacing + headerHeight;
    return QRect(0, top, paneWidth, rowHeight);
}

QRect CTavListGeometry::FrameRect(int index) const
{
    return RowRect(index).adjusted(0, -1, 0, 0);
}

int CTavListGeometry::RowAt(int y) const
{
    if (y <= headerHeight)
        return -1;
    return (y - spacing - headerHeight) / rowHeight;
}

int CTavListGeometry::VisibleRowCount() const
{
    return std::max(0, paneHeight) / rowHeight;
}

QRect CTavListGeometry::ThumbnailRect(int x, int y, QSize picture) const
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0)
        return QRect();
    if (w <= h) {
        const int drawnHeight = rowHeight - 2;
        const int drawnWidth = w / std::max(h / rowHeight, 1) - 2;
        return drawnWidth > 0 && drawnHeight > 0 ? QRect(x + 1, y + 1, drawnWidth, drawnHeight) : QRect();
    }
    const int drawnWidth = rowHeight - 2;
    const int drawnHeight = h / std::max(w / rowHeight, 1) - 2;
    if (drawnWidth <= 0 || drawnHeight <= 0)
        return QRect();
    return QRect(x + 1, y + (rowHeight - drawnHeight) / 2, drawnWidth, drawnHeight);
}

QSize CTavListGeometry::PlaceholderSize() const
{
    return QSize(std::max(0, rowHeight * 12 / 10 - 2), std::max(0, rowHeight - 2));
}
