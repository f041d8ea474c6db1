#include "CTavFreeIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QPixmap blank(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

QPixmap CTavFreeIcons::Alarm(int size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPainterPath bell;
    bell.moveTo(3, 12);
    bell.cubicTo(4.5, 10, 4, 8, 4, 7);
    bell.cubicTo(4, 3.5, 6, 2.5, 8, 2.5);
    bell.cubicTo(10, 2.5, 12, 3.5, 12, 7);
    bell.cubicTo(12, 8, 11.5, 10, 13, 12);
    bell.closeSubpath();
    p.setPen(QPen(QColor(0x60, 0x40, 0x00), 1));
    p.setBrush(QColor(0xF0, 0xC0, 0x20));
    p.drawPath(bell);
    p.drawEllipse(QPointF(8, 13.5), 1.5, 1.5);
    return pixmap;
}

QPixmap CTavFreeIcons::Thumb(int size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setPen(QPen(QColor(0x20, 0x40, 0xA0), 1.2));
    p.drawLine(QPointF(5, 5), QPointF(11, 4));
    p.drawLine(QPointF(5, 8), QPointF(10, 8));
    p.drawLine(QPointF(5, 11), QPointF(11, 10.5));
    return pixmap;
}
