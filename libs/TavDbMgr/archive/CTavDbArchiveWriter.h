#pragma once

#include <QByteArray>
#include <cstdint>

// Little-endian writing into a growing buffer.
class CTavDbArchiveWriter final
{
public:
    QByteArray& buffer() { return m_out; }
    void reserve(qsizetype size) { m_out.reserve(size); }

    void u8(uint8_t v) { m_out.append(static_cast<char>(v)); }
    void u16(uint16_t v)
    {
        const char b[2] = {char(v & 0xFF), char(v >> 8)};
        m_out.append(b, 2);
    }
    void u32(uint32_t v)
    {
        const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
        m_out.append(b, 4);
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void raw(const QByteArray& bytes) { m_out.append(bytes); }
    void raw(const char* data, qsizetype size) { m_out.append(data, size); }
    // The shortest prefix that holds the length, or the longer one the string was read with.
    void cstring(const QByteArray& text, uint8_t form = 0);

private:
    QByteArray m_out;
};
