#include "CTavAddrIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {
void draw(QPainter& p, CTavAddrIcons::Kind kind)
{
    // On a 16 x 16 grid.
    const QColor ink(0x50, 0x58, 0x68);
    p.setPen(QPen(ink, 1.2));
    switch (kind) {
    case CTavAddrIcons::Thumbnail:
        p.setBrush(QColor(0xF4, 0xF4, 0xF8));
        p.drawRect(QRectF(1.5, 3.5, 13, 10));
        p.setBrush(QColor(0xE0, 0xA8, 0x30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(9.5, 5, 3, 3));
        p.setBrush(QColor(0x5C, 0x98, 0x5C));
        p.drawPolygon(QPolygonF({QPointF(2.5, 12.5), QPointF(6.5, 7), QPointF(10.5, 12.5)}));
        break;
    case CTavAddrIcons::Comment: {
        p.setBrush(QColor(0xFF, 0xF4, 0xB0));
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(1.5, 2.5, 13, 9), 2, 2);
        bubble.moveTo(4.5, 11.5);
        bubble.lineTo(4, 14.5);
        bubble.lineTo(7.5, 11.5);
        p.drawPath(bubble.simplified());
        p.drawLine(QPointF(4, 5.5), QPointF(12, 5.5));
        p.drawLine(QPointF(4, 8.5), QPointF(10, 8.5));
        break;
    }
    case CTavAddrIcons::MemoSheet: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 11, 13));
        QPainterPath stroke(QPointF(3, 11));
        stroke.cubicTo(QPointF(5, 5), QPointF(7, 13), QPointF(10, 6));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x20, 0x50, 0xB0), 1.4));
        p.drawPath(stroke);
        p.setPen(QPen(ink, 2));
        p.drawLine(QPointF(14.5, 2), QPointF(10.5, 9));
        break;
    }
    }
}
} // namespace

QPixmap CTavAddrIcons::Icon(Kind kind, int size)
{
    static QHash<int, QPixmap> made;
    const int key = size * 4 + kind;
    if (auto it = made.constFind(key); it != made.constEnd())
        return *it;
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p, kind);
    p.end();
    made.insert(key, icon);
    return icon;
}
