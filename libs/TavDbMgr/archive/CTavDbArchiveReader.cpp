#include "CTavDbArchiveReader.h"

bool CTavDbArchiveReader::need(qsizetype count)
{
    if (m_failed || count < 0 || count > m_size - m_pos) {
        m_failed = true;
        return false;
    }
    return true;
}

uint8_t CTavDbArchiveReader::u8()
{
    if (!need(1))
        return 0;
    return static_cast<uint8_t>(m_data[m_pos++]);
}

uint16_t CTavDbArchiveReader::u16()
{
    if (!need(2))
        return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(m_data + m_pos);
    m_pos += 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t CTavDbArchiveReader::u32()
{
    if (!need(4))
        return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(m_data + m_pos);
    m_pos += 4;
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

QByteArray CTavDbArchiveReader::bytes(qsizetype count)
{
    if (!need(count))
        return QByteArray();
    QByteArray out(m_data + m_pos, count);
    m_pos += count;
    return out;
}

QByteArray CTavDbArchiveReader::cstring(uint8_t* form)
{
    uint32_t length = u8();
    uint8_t used = 0;
    if (length == 0xFF) {
        length = u16();
        used = 1;
        if (length == 0xFFFF) {
            // Strings of 64 KB and more carry a long length.
            length = u32();
            used = 2;
        }
    }
    if (form)
        *form = used;
    if (length == 0)
        return QByteArray();
    // Checked against what is left before any allocation, so a damaged length cannot ask for
    // gigabytes.
    if (length > static_cast<uint32_t>(remaining())) {
        m_failed = true;
        return QByteArray();
    }
    return bytes(static_cast<qsizetype>(length));
}
