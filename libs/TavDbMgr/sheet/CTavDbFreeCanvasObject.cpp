#include "CTavDbFreeCanvasObject.h"

#include "CTavDbFreeBytes.h"

void CTavDbFreeCanvasObject::SetColor(int red, int green, int blue, const QRect& rect)
{
    m_color = QColor(red & 0xFF, green & 0xFF, blue & 0xFF);
    SetRectRaw(rect);
    Touch();
}

void CTavDbFreeCanvasObject::PackPayload(CTavDbFreeWriter& out) const
{
    out.u8(uint8_t(m_color.red()));
    out.u8(uint8_t(m_color.green()));
    out.u8(uint8_t(m_color.blue()));
    out.u8(0);
    out.rect(m_rect);
}

bool CTavDbFreeCanvasObject::ParsePayload(CTavDbFreeReader& in)
{
    const int r = in.u8();
    const int g = in.u8();
    const int b = in.u8();
    in.u8();
    const QRect rect = in.rect();
    // A canvas without area cannot hold anything; objects on one reaching past the 16-bit
    // coordinates could not be stored.
    if (!in.ok() || rect.isEmpty() || rect.right() > 32767 || rect.bottom() > 32767)
        return false;
    m_color = QColor(r, g, b);
    SetRectRaw(rect);
    return true;
}
