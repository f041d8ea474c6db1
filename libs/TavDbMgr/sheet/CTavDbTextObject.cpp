#include "CTavDbTextObject.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "CTavDbFreeBytes.h"
#include "CTavDbText.h"

QFont CTavDbTextObject::CreateFont(int fontCode)
{
    // Pixel sizes and weights close to the handheld's fonts of these codes.
    int pixels = 12;
    bool bold = false;
    switch (fontCode) {
    case 7:
        bold = true;
        break;
    case 8:
        pixels = 16;
        break;
    case 9:
        pixels = 16;
        bold = true;
        break;
    case 10:
        pixels = 20;
        break;
    case 15:
        pixels = 24;
        bold = true;
        break;
    default:
        break;
    }
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString CTavDbTextObject::GetClippedText(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString cut = text;
    while (!cut.isEmpty() && metrics.horizontalAdvance(cut + dots) > width)
        cut.chop(cut.size() >= 2 && cut.back().isLowSurrogate() ? 2 : 1);
    return cut + dots;
}

QPoint CTavDbTextObject::StartBox(const QPoint& p, const QRect& page)
{
    return QPoint(std::clamp(p.x(), page.left(), std::max(page.left(), page.right() + 1 - MinSide)),
                  std::clamp(p.y(), page.top(), std::max(page.top(), page.bottom() + 1 - MinSide)));
}

QRect CTavDbTextObject::DragBox(const QPoint& start, const QPoint& p, const QRect& page)
{
    const int right = std::max(start.x() + MinSide - 1, std::min(p.x(), page.right() - 1));
    const int bottom = std::max(start.y() + MinSide - 1, std::min(p.y(), page.bottom() - 1));
    return QRect(start, QPoint(right, bottom));
}

QRect CTavDbTextObject::FinishBox(const QRect& box, const QRect& page)
{
    QRect r = box.normalized();
    r.setWidth(std::clamp(r.width(), MinSide, page.width()));
    r.setHeight(std::clamp(r.height(), MinSide, page.height()));
    r.moveLeft(std::clamp(r.left(), page.left(), page.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), page.top(), page.bottom() + 1 - r.height()));
    // Even canvas coordinates: the handheld places boxes on a two-pixel grid.
    r.moveLeft(r.left() & ~1);
    r.moveTop(r.top() & ~1);
    return r;
}

void CTavDbTextObject::SetString(const QString& text, QColor color, int fontCode)
{
    m_text = text.left(MaxChars);
    m_text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_color = color.toRgb();
    m_font = FontCodes().contains(fontCode) ? fontCode : DefaultFont;
    Touch();
}

void CTavDbTextObject::SetBox(const QRect& box)
{
    SetRectRaw(QRect(box.topLeft(), box.size().expandedTo(MinimumSize())));
    Touch();
}

void CTavDbTextObject::DrawObject(QPainter& painter, const CTavDbFreeDrawContext&) const
{
    painter.setClipRect(m_rect, Qt::IntersectClip);
    painter.setFont(CreateFont(m_font));
    painter.setPen(m_color);
    painter.drawText(m_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextWrapAnywhere, m_text);
}

void CTavDbTextObject::PackPayload(CTavDbFreeWriter& out) const
{
    out.rect(m_rect);
    out.u8(uint8_t(m_font));
    out.u8(uint8_t(m_color.red()));
    out.u8(uint8_t(m_color.green()));
    out.u8(uint8_t(m_color.blue()));
    const QByteArray text = CTavDbText::toCp932(m_text);
    out.u16(uint16_t(text.size()));
    out.bytes(text);
}

bool CTavDbTextObject::ParsePayload(CTavDbFreeReader& in)
{
    const QRect rect = in.rect();
    const int font = in.u8();
    const int r = in.u8(), g = in.u8(), b = in.u8();
    const int length = in.u16();
    const QByteArrayView text = in.bytes(length);
    if (!in.ok() || rect.width() < 1 || rect.height() < 1)
        return false;
    SetRectRaw(QRect(rect.topLeft(), rect.size().expandedTo(MinimumSize())));
    m_font = FontCodes().contains(font) ? font : DefaultFont;
    m_color = QColor(r, g, b);
    m_text = CTavDbText::fromCp932(text.toByteArray()).left(MaxChars);
    return true;
}
