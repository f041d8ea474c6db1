#include "CTavFreeEditIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace {
const QColor kInk(0x30, 0x30, 0x30);

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(CTavFreeEditIcons::Side, CTavFreeEditIcons::Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

void swatch(QPainter& painter, const QColor& color)
{
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(color);
    painter.drawRect(QRectF(8.5, 13.5, 10, 10));
}
} // namespace

QIcon CTavFreeEditIcons::Pen(int width, const QColor& color)
{
    return drawn([&](QPainter& p) {
        // The pencil, tip down-left.
        QPainterPath body;
        body.moveTo(12, 10);
        body.lineTo(21, 1);
        body.lineTo(25, 5);
        body.lineTo(16, 14);
        body.closeSubpath();
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xF2, 0xC1, 0x4E));
        p.drawPath(body);
        QPainterPath tip;
        tip.moveTo(12, 10);
        tip.lineTo(16, 14);
        tip.lineTo(10, 16);
        tip.closeSubpath();
        p.setBrush(QColor(0xF5, 0xDE, 0xB3));
        p.drawPath(tip);
        swatch(p, color);
        p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 23), QPointF(25, 18));
    });
}

QIcon CTavFreeEditIcons::PenColor(const QColor& color)
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xE8, 0xD8, 0xB8));
        p.drawEllipse(QRectF(2.5, 1.5, 22, 16));
        const QColor dots[] = {Qt::red, QColor(0, 0x90, 0), Qt::blue, QColor(0xE0, 0xB0, 0)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(dots[i]);
            p.drawEllipse(QRectF(6 + i * 4.5, 5, 3.5, 3.5));
        }
        swatch(p, color);
    });
}

QIcon CTavFreeEditIcons::Eraser()
{
    return drawn([](QPainter& p) {
        p.translate(13, 13);
        p.rotate(-35);
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xF4, 0x8F, 0xB1));
        p.drawRoundedRect(QRectF(-10, -5, 12, 10), 2, 2);
        p.setBrush(QColor(0x64, 0x95, 0xED));
        p.drawRoundedRect(QRectF(2, -5, 8, 10), 2, 2);
        p.resetTransform();
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1, Qt::DashLine));
        p.drawLine(2, 24, 24, 24);
    });
}

QIcon CTavFreeEditIcons::Text()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
        p.drawRect(QRectF(1.5, 1.5, 23, 23));
        QFont font;
        font.setPixelSize(18);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kInk);
        p.drawText(QRect(0, 0, Side, Side), Qt::AlignCenter, QStringLiteral("A"));
    });
}

QIcon CTavFreeEditIcons::Undo()
{
    return drawn([](QPainter& p) {
        QPainterPath arc;
        arc.moveTo(7, 10);
        arc.cubicTo(14, 3, 26, 8, 21, 20);
        p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        QPainterPath head;
        head.moveTo(2, 12);
        head.lineTo(11, 4);
        head.lineTo(11, 15);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPath(head);
    });
}

QIcon CTavFreeEditIcons::Seal()
{
    return drawn([](QPainter& p) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 5.0 : 11.5;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(13 + r * std::cos(a), 13.5 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0xB0, 0x70, 0), 1));
        p.setBrush(QColor(0xFF, 0xC8, 0x20));
        p.drawPath(star);
    });
}

QIcon CTavFreeEditIcons::Contents()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawRect(QRectF(2.5, 4.5, 21, 17));
        QPainterPath hill;
        hill.moveTo(3, 21);
        hill.lineTo(10, 12);
        hill.lineTo(15, 17);
        hill.lineTo(18, 14);
        hill.lineTo(23, 21);
        hill.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3C, 0x9D, 0x4E));
        p.drawPath(hill);
        p.setBrush(QColor(0xF0, 0x80, 0x20));
        p.drawEllipse(QRectF(16, 7, 4, 4));
    });
}

QIcon CTavFreeEditIcons::ScrollUp()
{
    return drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({QPointF(5, 17), QPointF(13, 8), QPointF(21, 17)}));
    });
}

QIcon CTavFreeEditIcons::ScrollDown()
{
    return drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({QPointF(5, 9), QPointF(13, 18), QPointF(21, 9)}));
    });
}
