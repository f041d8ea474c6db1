#include "CTavContentMarks.h"

#include <QPainter>
#include <QPainterPath>

namespace {
void sound(QPainter& p, const QRectF& r)
{
    const qreal u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    QPainterPath speaker;
    speaker.moveTo(c.x() - 3 * u, c.y() - u);
    speaker.lineTo(c.x() - 2 * u, c.y() - u);
    speaker.lineTo(c.x(), c.y() - 3 * u);
    speaker.lineTo(c.x(), c.y() + 3 * u);
    speaker.lineTo(c.x() - 2 * u, c.y() + u);
    speaker.lineTo(c.x() - 3 * u, c.y() + u);
    speaker.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 80, 150));
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 80, 150), std::max<qreal>(1, u * 0.6), Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 2; ++i) {
        const QRectF arc(c.x() - 1.5 * i * u, c.y() - 1.5 * i * u, 3 * i * u, 3 * i * u);
        p.drawArc(arc.translated(u, 0), -45 * 16, 90 * 16);
    }
}

void movie(QPainter& p, const QRectF& r)
{
    const QRectF film =
        r.adjusted(r.width() * 0.18, r.height() * 0.18, -r.width() * 0.18, -r.height() * 0.18);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 60));
    p.drawRect(film);
    const qreal hole = film.height() / 8;
    p.setBrush(Qt::white);
    for (qreal x = film.left() + hole; x + hole < film.right(); x += 2 * hole) {
        p.drawRect(QRectF(x, film.top() + hole / 2, hole, hole));
        p.drawRect(QRectF(x, film.bottom() - 1.5 * hole, hole, hole));
    }
    QPainterPath play;
    const QPointF c = film.center();
    play.moveTo(c.x() - 1.5 * hole, c.y() - 2 * hole);
    play.lineTo(c.x() + 2 * hole, c.y());
    play.lineTo(c.x() - 1.5 * hole, c.y() + 2 * hole);
    play.closeSubpath();
    p.setBrush(QColor(240, 200, 60));
    p.drawPath(play);
}

void sheet(QPainter& p, const QRectF& r)
{
    const qreal h = r.height() * 0.74;
    const QRectF page(r.center().x() - h * 0.38, r.center().y() - h / 2, h * 0.76, h);
    const qreal fold = page.width() / 4;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    p.drawLine(QPointF(page.right() - fold, page.top()), QPointF(page.right() - fold, page.top() + fold));
    p.drawLine(QPointF(page.right() - fold, page.top() + fold), QPointF(page.right(), page.top() + fold));
    QPainterPath stroke;
    stroke.moveTo(page.left() + page.width() * 0.15, page.center().y());
    stroke.cubicTo(page.left() + page.width() * 0.35, page.top() + h * 0.25,
                   page.left() + page.width() * 0.55, page.bottom() - h * 0.2,
                   page.right() - page.width() * 0.15, page.top() + h * 0.4);
    p.setPen(QPen(QColor(200, 40, 40), std::max<qreal>(1.5, h / 30), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stroke);
}

void broken(QPainter& p, const QRectF& r)
{
    const QRectF frame = r.adjusted(r.width() * 0.22, r.height() * 0.2, -r.width() * 0.22, -r.height() * 0.2);
    p.setPen(QPen(QColor(130, 130, 130), 1));
    p.setBrush(QColor(225, 232, 240));
    p.drawRect(frame);
    QPainterPath hill;
    hill.moveTo(frame.bottomLeft());
    hill.lineTo(frame.left() + frame.width() * 0.4, frame.top() + frame.height() * 0.45);
    hill.lineTo(frame.left() + frame.width() * 0.7, frame.bottom() - frame.height() * 0.25);
    hill.lineTo(frame.bottomRight());
    hill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 170, 150));
    p.drawPath(hill);
    p.setPen(QPen(QColor(210, 30, 30), std::max<qreal>(2, r.height() / 16), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(frame.topLeft(), frame.bottomRight());
    p.drawLine(frame.topRight(), frame.bottomLeft());
}

void waiting(QPainter& p, const QRectF& r)
{
    const qreal d = std::min(r.width(), r.height()) / 10;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 160, 160));
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(QPointF(r.center().x() + i * 2.2 * d, r.center().y()), d / 2, d / 2);
}
} // namespace

QImage CTavContentMarks::Draw(Mark mark, const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(mark == Mark::Broken ? QColor(253, 240, 240) : QColor(246, 246, 246));
    p.drawRoundedRect(r, 4, 4);
    switch (mark) {
    case Mark::Sound:
        sound(p, r);
        break;
    case Mark::Movie:
        movie(p, r);
        break;
    case Mark::Sheet:
        sheet(p, r);
        break;
    case Mark::Broken:
        broken(p, r);
        break;
    case Mark::Waiting:
        waiting(p, r);
        break;
    }
    return image;
}
