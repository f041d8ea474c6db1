#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>
#include <cstdint>

// Big-endian reading and writing of the sheet records. The reader never reads past the end:
// once a field is missing every later read gives 0 and ok() stays false, so a record parser
// checks once at the end.
class CTavDbFreeReader final
{
public:
    explicit CTavDbFreeReader(QByteArrayView data, qsizetype at = 0) : m_data(data), m_at(at) {}

    uint8_t u8();
    uint16_t u16();
    int16_t s16() { return int16_t(u16()); }
    // x, y, width, height as two signed and two unsigned 16-bit values.
    QRect rect();
    QByteArrayView bytes(qsizetype count);

    bool ok() const { return m_ok; }
    qsizetype pos() const { return m_at; }
    qsizetype left() const { return m_data.size() - m_at; }

private:
    bool need(qsizetype count);

    QByteArrayView m_data;
    qsizetype m_at;
    bool m_ok = true;
};

class CTavDbFreeWriter final
{
public:
    void u8(uint8_t v) { m_out.append(char(v)); }
    void u16(uint16_t v)
    {
        m_out.append(char(v >> 8));
        m_out.append(char(v));
    }
    void s16(int16_t v) { u16(uint16_t(v)); }
    void rect(const QRect& r);
    void bytes(QByteArrayView data) { m_out.append(data); }

    const QByteArray& data() const { return m_out; }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
};
