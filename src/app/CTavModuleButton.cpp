#include "CTavModuleButton.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kInk(0x30, 0x30, 0x38);

void drawSchedule(QPainter& p, const QRectF& r, const QColor& accent)
{
    const QRectF page =
        r.adjusted(r.width() * 0.12, r.height() * 0.16, -r.width() * 0.12, -r.height() * 0.06);
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 3, 3);
    const QRectF head(page.left(), page.top(), page.width(), page.height() * 0.24);
    p.setBrush(accent);
    p.drawRoundedRect(head, 3, 3);
    for (int i = 0; i < 2; ++i) {
        const qreal x = page.left() + page.width() * (0.28 + 0.44 * i);
        p.drawLine(QPointF(x, page.top() - r.height() * 0.08), QPointF(x, page.top() + r.height() * 0.06));
    }
    p.setBrush(kInk);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(page.left() + page.width() * (0.1 + 0.22 * col),
                              head.bottom() + page.height() * (0.1 + 0.22 * row), page.width() * 0.12,
                              page.height() * 0.12));
}

void drawAddress(QPainter& p, const QRectF& r, const QColor& accent)
{
    const QRectF card = r.adjusted(r.width() * 0.06, r.height() * 0.2, -r.width() * 0.06, -r.height() * 0.14);
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 4, 4);
    p.setBrush(accent);
    const QRectF head(card.left() + card.width() * 0.1, card.top() + card.height() * 0.16, card.width() * 0.3,
                      card.height() * 0.3);
    p.drawEllipse(head);
    p.drawChord(QRectF(card.left() + card.width() * 0.04, card.top() + card.height() * 0.5,
                       card.width() * 0.42, card.height() * 0.6),
                0, 180 * 16);
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(card.left() + card.width() * 0.52, card.top() + card.height() * (0.3 + 0.2 * i)),
                   QPointF(card.right() - card.width() * 0.1, card.top() + card.height() * (0.3 + 0.2 * i)));
}

void drawTodo(QPainter& p, const QRectF& r, const QColor& accent)
{
    const QRectF page =
        r.adjusted(r.width() * 0.14, r.height() * 0.08, -r.width() * 0.14, -r.height() * 0.06);
    p.setBrush(Qt::white);
    p.drawRect(page);
    for (int i = 0; i < 3; ++i) {
        const qreal y = page.top() + page.height() * (0.14 + 0.28 * i);
        const QRectF box(page.left() + page.width() * 0.1, y, page.width() * 0.2, page.width() * 0.2);
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.drawLine(QPointF(box.right() + page.width() * 0.1, box.center().y()),
                   QPointF(page.right() - page.width() * 0.08, box.center().y()));
        if (i < 2) {
            QPen tick(accent, 2.5);
            p.save();
            p.setPen(tick);
            p.drawPolyline(QList<QPointF>{box.topLeft() + QPointF(box.width() * 0.15, box.height() * 0.5),
                                          box.bottomLeft() + QPointF(box.width() * 0.45, -box.height() * 0.1),
                                          box.topRight() + QPointF(box.width() * 0.2, -box.height() * 0.3)});
            p.restore();
        }
    }
}

void drawFreeMemo(QPainter& p, const QRectF& r, const QColor& accent)
{
    const QRectF page = r.adjusted(r.width() * 0.1, r.height() * 0.1, -r.width() * 0.22, -r.height() * 0.06);
    p.setBrush(Qt::white);
    p.drawRect(page);
    QPainterPath scribble;
    scribble.moveTo(page.left() + page.width() * 0.12, page.top() + page.height() * 0.6);
    scribble.cubicTo(page.left() + page.width() * 0.3, page.top() + page.height() * 0.2,
                     page.left() + page.width() * 0.45, page.top() + page.height() * 0.9,
                     page.left() + page.width() * 0.7, page.top() + page.height() * 0.4);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(accent, 2));
    p.drawPath(scribble);
    p.restore();
    QPainterPath pen;
    const QPointF tip(page.right() - page.width() * 0.05, page.bottom() - page.height() * 0.15);
    pen.moveTo(tip);
    pen.lineTo(tip + QPointF(r.width() * 0.06, -r.height() * 0.12));
    pen.lineTo(tip + QPointF(r.width() * 0.24, -r.height() * 0.72));
    pen.lineTo(tip + QPointF(r.width() * 0.14, -r.height() * 0.76));
    pen.lineTo(tip + QPointF(-r.width() * 0.02, -r.height() * 0.16));
    pen.closeSubpath();
    p.setBrush(QColor(0xE8, 0xB0, 0x30));
    p.drawPath(pen);
}

void drawMemoPad(QPainter& p, const QRectF& r, const QColor& accent)
{
    const QRectF page = r.adjusted(r.width() * 0.14, r.height() * 0.1, -r.width() * 0.14, -r.height() * 0.06);
    p.setBrush(QColor(0xFF, 0xF8, 0xC8));
    p.drawRect(page);
    p.setBrush(accent);
    p.drawRect(QRectF(page.left(), page.top(), page.width(), page.height() * 0.14));
    for (int i = 0; i < 5; ++i) {
        const qreal y = page.top() + page.height() * (0.3 + 0.14 * i);
        p.drawLine(QPointF(page.left() + page.width() * 0.1, y),
                   QPointF(page.right() - page.width() * 0.1, y));
    }
}

void drawReference(QPainter& p, const QRectF& r, const QColor& accent)
{
    const QRectF book = r.adjusted(r.width() * 0.1, r.height() * 0.12, -r.width() * 0.1, -r.height() * 0.08);
    p.setBrush(accent);
    p.drawRoundedRect(book, 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(book.left() + book.width() * 0.12, book.top() + book.height() * 0.08,
                      book.width() * 0.8, book.height() * 0.84));
    p.setBrush(accent);
    const qreal cx = book.center().x() + book.width() * 0.06;
    p.drawEllipse(QPointF(cx, book.top() + book.height() * 0.26), book.width() * 0.07, book.width() * 0.07);
    p.drawRect(QRectF(cx - book.width() * 0.06, book.top() + book.height() * 0.42, book.width() * 0.12,
                      book.height() * 0.36));
}
} // namespace

CTavModuleButton::CTavModuleButton(Picture picture, const QString& label, int command, QWidget* parent)
    : QAbstractButton(parent), m_picture(picture), m_command(command)
{
    setText(label);
    setFixedSize(80, 80);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(label);
}

void CTavModuleButton::SetCurrent(bool current)
{
    m_current = current;
    update();
}

void CTavModuleButton::DrawPicture(QPainter& p, const QRectF& box, Picture picture, bool selected)
{
    const QColor accents[] = {QColor(0xC0, 0x30, 0x30), QColor(0x30, 0x70, 0xB0), QColor(0x30, 0x90, 0x40),
                              QColor(0x80, 0x40, 0xA0), QColor(0xC0, 0x80, 0x20), QColor(0x20, 0x80, 0x90)};
    QColor accent = accents[picture];
    if (selected)
        accent = accent.lighter(125);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.2));
    switch (picture) {
    case Schedule:
        drawSchedule(p, box, accent);
        break;
    case Address:
        drawAddress(p, box, accent);
        break;
    case Todo:
        drawTodo(p, box, accent);
        break;
    case FreeMemo:
        drawFreeMemo(p, box, accent);
        break;
    case MemoPad:
        drawMemoPad(p, box, accent);
        break;
    case Reference:
        drawReference(p, box, accent);
        break;
    }
    p.restore();
}

void CTavModuleButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    const bool sunk = m_current || isDown();
    if (sunk || m_hover) {
        p.fillRect(r.adjusted(1, 1, -1, -1), sunk ? QColor(0xE8, 0xE8, 0xF0) : QColor(0xD6, 0xD3, 0xD6));
        p.setPen(sunk ? QColor(0x40, 0x40, 0x40) : Qt::white);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(sunk ? Qt::white : QColor(0x40, 0x40, 0x40));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const int shift = isDown() ? 1 : 0;
    DrawPicture(p, QRectF(20 + shift, 6 + shift, 40, 40), m_picture, sunk);
    QFont f = font();
    f.setPixelSize(12);
    f.setBold(m_current);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 50 + shift, r.width(), 24), Qt::AlignHCenter | Qt::AlignTop, text());
}

void CTavModuleButton::enterEvent(QEnterEvent* event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CTavModuleButton::leaveEvent(QEvent* event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
