#include "CTavComMarkPainter.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Sets up an antialiased pen scaled to the mark and restores the painter on leaving.
class MarkScope
{
public:
    MarkScope(QPainter& painter, const QRectF& area, const QColor& color) : m_painter(painter)
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(color, std::max(1.0, area.width() / 9.0));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
    }
    ~MarkScope() { m_painter.restore(); }
    Q_DISABLE_COPY_MOVE(MarkScope)

private:
    QPainter& m_painter;
};

} // namespace

void CTavComMarkPainter::Alarm(QPainter& painter, const QRectF& a, const QColor& color)
{
    MarkScope scope(painter, a, color);
    const qreal w = a.width();
    QPainterPath bell;
    bell.moveTo(a.left() + w * 0.15, a.top() + w * 0.78);
    bell.lineTo(a.left() + w * 0.85, a.top() + w * 0.78);
    bell.cubicTo(a.left() + w * 0.72, a.top() + w * 0.62, a.left() + w * 0.80, a.top() + w * 0.12,
                 a.center().x(), a.top() + w * 0.12);
    bell.cubicTo(a.left() + w * 0.20, a.top() + w * 0.12, a.left() + w * 0.28, a.top() + w * 0.62,
                 a.left() + w * 0.15, a.top() + w * 0.78);
    painter.setBrush(color);
    painter.drawPath(bell);
    painter.drawEllipse(QPointF(a.center().x(), a.top() + w * 0.90), w * 0.08, w * 0.08);
}

void CTavComMarkPainter::Repeat(QPainter& painter, const QRectF& a, const QColor& color)
{
    MarkScope scope(painter, a, color);
    const QRectF ring =
        a.adjusted(a.width() * 0.15, a.height() * 0.15, -a.width() * 0.15, -a.height() * 0.15);
    painter.drawArc(ring, 90 * 16, 280 * 16);
    const qreal s = a.width() * 0.22;
    const QPointF tip(ring.center().x(), ring.top());
    QPainterPath head;
    head.moveTo(tip + QPointF(-s, -s));
    head.lineTo(tip);
    head.lineTo(tip + QPointF(-s, s));
    painter.drawPath(head);
}

void CTavComMarkPainter::Note(QPainter& painter, const QRectF& a, const QColor& color)
{
    MarkScope scope(painter, a, color);
    const QRectF page =
        a.adjusted(a.width() * 0.12, a.height() * 0.05, -a.width() * 0.12, -a.height() * 0.05);
    painter.drawRect(page);
    for (int i = 1; i <= 3; ++i) {
        const qreal y = page.top() + page.height() * i / 4.0;
        painter.drawLine(QPointF(page.left() + page.width() * 0.22, y),
                         QPointF(page.right() - page.width() * 0.22, y));
    }
}

void CTavComMarkPainter::FreeMemo(QPainter& painter, const QRectF& a, const QColor& color)
{
    MarkScope scope(painter, a, color);
    const QRectF page =
        a.adjusted(a.width() * 0.08, a.height() * 0.02, -a.width() * 0.08, -a.height() * 0.02);
    const qreal fold = page.width() * 0.35;
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.bottomRight());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    painter.fillPath(sheet, QColor(255, 255, 255, 220));
    painter.drawPath(sheet);
    painter.drawPolyline(QPolygonF{QPointF(page.right() - fold, page.top()),
                                   QPointF(page.right() - fold, page.top() + fold),
                                   QPointF(page.right(), page.top() + fold)});
    QPainterPath stroke;
    const qreal y = page.top() + page.height() * 0.68;
    stroke.moveTo(page.left() + page.width() * 0.18, y);
    stroke.cubicTo(page.left() + page.width() * 0.38, y - page.height() * 0.30,
                   page.left() + page.width() * 0.52, y + page.height() * 0.25,
                   page.right() - page.width() * 0.16, y - page.height() * 0.1);
    painter.drawPath(stroke);
}

void CTavComMarkPainter::Private(QPainter& painter, const QRectF& a, const QColor& color)
{
    MarkScope scope(painter, a, color);
    const qreal w = a.width();
    const QRectF body(a.left() + w * 0.15, a.top() + w * 0.45, w * 0.70, w * 0.50);
    const QRectF shackle(a.left() + w * 0.28, a.top() + w * 0.08, w * 0.44, w * 0.60);
    painter.drawArc(shackle, 0, 180 * 16);
    painter.drawLine(QPointF(shackle.left(), shackle.center().y()), QPointF(shackle.left(), body.top()));
    painter.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), body.top()));
    painter.setBrush(color);
    painter.drawRoundedRect(body, w * 0.08, w * 0.08);
}
