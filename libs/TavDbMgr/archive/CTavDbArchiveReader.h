#pragma once

#include <QByteArray>
#include <cstdint>

// Little-endian reading over a file held in memory. Any read past the end sets the failed
// flag and yields zeros, so callers check once after a block instead of after every value.
class CTavDbArchiveReader final
{
public:
    explicit CTavDbArchiveReader(const QByteArray& bytes) : m_data(bytes.constData()), m_size(bytes.size()) {}

    bool failed() const { return m_failed; }
    void fail() { m_failed = true; }
    qsizetype pos() const { return m_pos; }
    void seek(qsizetype pos) { m_pos = pos; }
    qsizetype remaining() const { return m_size - m_pos; }

    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    int32_t i32() { return static_cast<int32_t>(u32()); }
    // A length-prefixed string; form tells which prefix it had (0 byte, 1 word, 2 long).
    QByteArray cstring(uint8_t* form = nullptr);
    QByteArray bytes(qsizetype count);

private:
    bool need(qsizetype count);

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_failed = false;
};
