#include "CTavDbFreeBytes.h"

#include <algorithm>

bool CTavDbFreeReader::need(qsizetype count)
{
    if (!m_ok || count < 0 || left() < count) {
        m_ok = false;
        return false;
    }
    return true;
}

uint8_t CTavDbFreeReader::u8()
{
    if (!need(1))
        return 0;
    return uint8_t(m_data[m_at++]);
}

uint16_t CTavDbFreeReader::u16()
{
    if (!need(2))
        return 0;
    const uint16_t v = uint16_t((uint8_t(m_data[m_at]) << 8) | uint8_t(m_data[m_at + 1]));
    m_at += 2;
    return v;
}

QRect CTavDbFreeReader::rect()
{
    const int x = s16();
    const int y = s16();
    const int w = u16();
    const int h = u16();
    return QRect(x, y, w, h);
}

QByteArrayView CTavDbFreeReader::bytes(qsizetype count)
{
    if (!need(count))
        return {};
    const QByteArrayView v = m_data.sliced(m_at, count);
    m_at += count;
    return v;
}

void CTavDbFreeWriter::rect(const QRect& r)
{
    s16(int16_t(std::clamp(r.x(), -32768, 32767)));
    s16(int16_t(std::clamp(r.y(), -32768, 32767)));
    u16(uint16_t(std::clamp(r.width(), 0, 65535)));
    u16(uint16_t(std::clamp(r.height(), 0, 65535)));
}
