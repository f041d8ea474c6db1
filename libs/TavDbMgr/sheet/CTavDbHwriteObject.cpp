#include "CTavDbHwriteObject.h"

#include <QPainter>
#include <QPointF>
#include <algorithm>
#include <cmath>

#include "CTavDbFreeBytes.h"

namespace {
constexpr int8_t AbsoluteMark = -128;

double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

double cross(QPointF o, QPointF a, QPointF b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Shortest distance between two segments (0 when they cross).
double segmentsDistance(QPointF a, QPointF b, QPointF c, QPointF d)
{
    const double d1 = cross(a, b, c), d2 = cross(a, b, d), d3 = cross(c, d, a), d4 = cross(c, d, b);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return 0.0;
    return std::min({segmentDistance(a, c, d), segmentDistance(b, c, d), segmentDistance(c, a, b),
                     segmentDistance(d, a, b)});
}
} // namespace

QPen CTavDbHwriteObject::CreatePen(int width, QColor color)
{
    QPen pen(color, std::clamp(width, MinWidth, MaxWidth), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

void CTavDbHwriteObject::SetPen(int width, QColor color)
{
    m_width = std::clamp(width, MinWidth, MaxWidth);
    m_color = color.toRgb();
    m_color.setAlpha(255);
    updateBounds();
    Touch();
}

bool CTavDbHwriteObject::AddPoint(const QPoint& p)
{
    if (!m_points.isEmpty() && m_points.last() == p)
        return true;
    if (m_points.size() >= MaxPoints)
        return false;
    m_points.append(p);
    const int r = m_width;
    m_bounds = m_bounds.united(QRect(p.x() - r, p.y() - r, 2 * r + 1, 2 * r + 1));
    Touch();
    return true;
}

void CTavDbHwriteObject::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    m_points.translate(dx, dy);
    m_bounds.translate(dx, dy);
    Touch();
}

void CTavDbHwriteObject::updateBounds()
{
    m_bounds = QRect();
    const int r = m_width;
    if (!m_points.isEmpty())
        m_bounds = m_points.boundingRect().adjusted(-r, -r, r, r);
}

bool CTavDbHwriteObject::HitTest(const QPoint& p) const
{
    if (!m_bounds.adjusted(-3, -3, 3, 3).contains(p))
        return false;
    if (m_points.size() == 1)
        return segmentDistance(p, m_points[0], m_points[0]) <= reach(3);
    for (qsizetype i = 1; i < m_points.size(); ++i) {
        if (segmentDistance(p, m_points[i - 1], m_points[i]) <= reach(3))
            return true;
    }
    return false;
}

bool CTavDbHwriteObject::IsCrossedBy(const QPolygon& path) const
{
    if (path.isEmpty() || m_points.isEmpty() ||
        !path.boundingRect().adjusted(-3, -3, 3, 3).intersects(m_bounds))
        return false;
    const double limit = reach(1);
    for (qsizetype j = 0; j < path.size(); ++j) {
        const QPointF c = path[j];
        const QPointF c0 = path[j > 0 ? j - 1 : 0];
        for (qsizetype i = 0; i < m_points.size(); ++i) {
            const QPointF a = m_points[i > 0 ? i - 1 : 0];
            const QPointF b = m_points[i];
            if (segmentsDistance(a, b, c0, c) <= limit)
                return true;
        }
    }
    return false;
}

void CTavDbHwriteObject::DrawObject(QPainter& painter, const CTavDbFreeDrawContext&) const
{
    if (m_points.isEmpty())
        return;
    painter.setPen(CreatePen(m_width, m_color));
    if (m_points.size() == 1)
        painter.drawPoint(m_points[0]);
    else
        painter.drawPolyline(m_points);
}

void CTavDbHwriteObject::PackPayload(CTavDbFreeWriter& out) const
{
    out.u8(uint8_t(m_width));
    out.u8(uint8_t(m_color.red()));
    out.u8(uint8_t(m_color.green()));
    out.u8(uint8_t(m_color.blue()));
    out.u16(uint16_t(m_points.size()));
    for (qsizetype i = 0; i < m_points.size(); ++i) {
        const QPoint p = m_points[i];
        if (i > 0) {
            const QPoint step = p - m_points[i - 1];
            if (std::abs(step.x()) <= 127 && std::abs(step.y()) <= 127) {
                out.u8(uint8_t(int8_t(step.x())));
                out.u8(uint8_t(int8_t(step.y())));
                continue;
            }
            out.u8(uint8_t(AbsoluteMark));
        }
        out.s16(int16_t(std::clamp(p.x(), -32768, 32767)));
        out.s16(int16_t(std::clamp(p.y(), -32768, 32767)));
    }
}

bool CTavDbHwriteObject::ParsePayload(CTavDbFreeReader& in)
{
    const int width = in.u8();
    const int r = in.u8(), g = in.u8(), b = in.u8();
    const int count = in.u16();
    if (!in.ok() || width < MinWidth || width > MaxWidth || count == 0 || count > MaxPoints)
        return false;
    QPolygon points;
    points.reserve(count);
    const int x0 = in.s16();
    points.append(QPoint(x0, in.s16()));
    for (int i = 1; i < count && in.ok(); ++i) {
        const int8_t dx = int8_t(in.u8());
        if (dx == AbsoluteMark) {
            const int x = in.s16();
            points.append(QPoint(x, in.s16()));
        } else {
            const int8_t dy = int8_t(in.u8());
            points.append(points.last() + QPoint(dx, dy));
        }
    }
    if (!in.ok())
        return false;
    m_width = width;
    m_color = QColor(r, g, b);
    m_points = std::move(points);
    updateBounds();
    return true;
}
