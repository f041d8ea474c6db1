#include "CTavDbFreePageGeometry.h"

#include <algorithm>

CTavDbFreePageGeometry::CTavDbFreePageGeometry(QSize pageSize, QSize canvasSize, QPoint origin)
    : m_page(pageSize), m_canvas(canvasSize.expandedTo(pageSize)), m_origin(origin)
{
}

void CTavDbFreePageGeometry::SetScroll(int offset)
{
    m_scroll = std::clamp(offset, 0, m_canvas.height() - m_page.height());
}

int CTavDbFreePageGeometry::EvenStep(int delta, int* remainder)
{
    const int total = delta + *remainder;
    // Floor to even, also for negative totals, so that the remainder is always 0 or 1.
    const int step = total >= 0 ? total & ~1 : -((-total + 1) & ~1);
    *remainder = total - step;
    return step;
}

QRect CTavDbFreePageGeometry::PushInside(const QRect& rect, const QRect& page)
{
    QRect r = rect;
    if (r.right() > page.right())
        r.moveRight(page.right());
    if (r.bottom() > page.bottom())
        r.moveBottom(page.bottom());
    if (r.left() < page.left())
        r.moveLeft(page.left());
    if (r.top() < page.top())
        r.moveTop(page.top());
    return r;
}

QPoint CTavDbFreePageGeometry::ClampResize(const QRect& rect, const QPoint& delta, const QRect& page)
{
    return QPoint(rect.right() + delta.x() > page.right() ? 0 : delta.x(),
                  rect.bottom() + delta.y() > page.bottom() ? 0 : delta.y());
}
