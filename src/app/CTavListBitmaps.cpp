#include "CTavListBitmaps.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>

namespace {
QPixmap makePattern(bool selected)
{
    QPixmap pattern(8, 8);
    pattern.fill(selected ? QColor(0x56, 0x74, 0xB9) : QColor(0xF2, 0xF2, 0xF2));
    QPainter p(&pattern);
    p.setPen(selected ? QColor(0x9C, 0xB0, 0xDC) : QColor(0xA8, 0xA8, 0xA8));
    for (int i = 0; i < 8; ++i)
        p.drawPoint(i, 7 - i);
    p.drawPoint(0, 3);
    p.drawPoint(4, 7);
    p.drawPoint(3, 0);
    p.drawPoint(7, 4);
    return pattern;
}

void drawGlyph(QPainter& p, int kind)
{
    p.setPen(QPen(QColor(0x60, 0x60, 0x68), 2));
    p.setBrush(Qt::NoBrush);
    switch (kind) {
    case 0: // picture: a mountain under the sun
        p.drawRect(QRectF(16, 12, 48, 36));
        p.setBrush(QColor(0xE0, 0xB0, 0x40));
        p.drawEllipse(QRectF(46, 16, 10, 10));
        p.setBrush(QColor(0x70, 0xA0, 0x70));
        p.drawPolygon(QPolygonF({QPointF(18, 46), QPointF(34, 26), QPointF(50, 46)}));
        break;
    case 1: // movie: a film frame with a play mark
        p.drawRect(QRectF(14, 12, 52, 36));
        for (int y : {15, 41})
            for (int x = 18; x < 64; x += 8)
                p.drawRect(QRectF(x, y, 3, 3));
        p.setBrush(QColor(0x60, 0x60, 0x68));
        p.drawPolygon(QPolygonF({QPointF(34, 22), QPointF(48, 30), QPointF(34, 38)}));
        break;
    case 2: // sound: a note
        p.setBrush(QColor(0x60, 0x60, 0x68));
        p.drawEllipse(QRectF(26, 36, 12, 9));
        p.drawEllipse(QRectF(46, 32, 12, 9));
        p.drawLine(QPointF(37, 40), QPointF(37, 14));
        p.drawLine(QPointF(57, 36), QPointF(57, 10));
        p.drawLine(QPointF(37, 14), QPointF(57, 10));
        break;
    case 3: { // handwriting: a pen stroke
        QPainterPath path(QPointF(16, 40));
        path.cubicTo(QPointF(26, 14), QPointF(34, 50), QPointF(44, 24));
        path.cubicTo(QPointF(50, 12), QPointF(58, 40), QPointF(64, 22));
        p.drawPath(path);
        break;
    }
    default: // no contents: an empty frame
        p.setPen(QPen(QColor(0x90, 0x90, 0x98), 2, Qt::DashLine));
        p.drawRect(QRectF(16, 12, 48, 36));
        break;
    }
}

QPixmap makePlaceholder(int kind)
{
    QPixmap pixmap(80, 60);
    pixmap.fill(QColor(0xF4, 0xF4, 0xF6));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0xC0, 0xC0, 0xC8));
    p.drawRect(QRectF(0.5, 0.5, 79, 59));
    drawGlyph(p, kind);
    return pixmap;
}
} // namespace

QPixmap CTavListBitmaps::Pattern(bool selected)
{
    static const QPixmap on = makePattern(true);
    static const QPixmap off = makePattern(false);
    return selected ? on : off;
}

QPixmap CTavListBitmaps::Placeholder(int kind)
{
    static const std::array<QPixmap, kPlaceholderKinds> pictures = [] {
        std::array<QPixmap, kPlaceholderKinds> all;
        for (int k = 0; k < kPlaceholderKinds; ++k)
            all[k] = makePlaceholder(k);
        return all;
    }();
    return pictures.at(std::clamp(kind, 0, kPlaceholderKinds - 1));
}

QPixmap CTavListBitmaps::PrivateMark(int size)
{
    size = std::max(8, size);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1.6 * u));
    p.drawArc(QRectF(4.5 * u, 1.5 * u, 7 * u, 9 * u), 0, 180 * 16);
    p.drawLine(QPointF(4.5 * u, 6 * u), QPointF(4.5 * u, 8 * u));
    p.drawLine(QPointF(11.5 * u, 6 * u), QPointF(11.5 * u, 8 * u));
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1 * u));
    p.setBrush(QColor(0xE0, 0xB0, 0x30));
    p.drawRoundedRect(QRectF(2.5 * u, 7.5 * u, 11 * u, 7.5 * u), 1.2 * u, 1.2 * u);
    return pixmap;
}
