#pragma once

#include <QtGlobal>

#include <optional>

// Bounds-checked reading of a TIFF structure (the body of an EXIF block). Every offset is
// relative to the TIFF header; nothing outside [base, base + size) is ever touched.
class TiffData final
{
public:
    struct Entry
    {
        quint16 tag = 0;
        quint16 type = 0;
        quint32 count = 0;
        qsizetype field = 0; // where the 4-byte value-or-offset field lies
    };
    struct Rational
    {
        quint32 numerator = 0;
        quint32 denominator = 0;
    };

    enum Type : quint16
    {
        Byte = 1,
        Ascii = 2,
        Short = 3,
        Long = 4,
        RationalType = 5,
        Undefined = 7,
        SignedRational = 10
    };

    TiffData(const uchar* base, qsizetype size, bool bigEndian) : m_base(base), m_size(size), m_big(bigEndian)
    {
    }

    bool bigEndian() const { return m_big; }
    qsizetype size() const { return m_size; }
    std::optional<quint16> u16(qsizetype offset) const
    {
        return inside(offset, 2) ? std::optional<quint16>(load16(offset)) : std::nullopt;
    }
    std::optional<quint32> u32(qsizetype offset) const
    {
        return inside(offset, 4) ? std::optional<quint32>(load32(offset)) : std::nullopt;
    }

    // Walks the directory at the offset and keeps, for each wanted tag, its first entry.
    // Stops at the entry count or at the first entry that would pass the end of the data.
    void findEntries(quint32 directory, const quint16* tags, int tagCount, std::optional<Entry>* found) const;

    // The bytes of a value of 1-byte elements (BYTE, ASCII, UNDEFINED): held in the field
    // when they fit in 4 bytes, else at the offset it gives. Empty when outside the data.
    std::optional<std::pair<const uchar*, qsizetype>> byteValue(const Entry& entry) const;
    // The first element of a SHORT (16-bit, read from the value field as the byte order
    // says) or LONG entry that fits in 16 bits.
    std::optional<quint16> shortValue(const Entry& entry) const;
    // The first element of a RATIONAL or SRATIONAL entry; signed ones come back as their bits.
    std::optional<Rational> rationalValue(const Entry& entry) const;

private:
    // True when [offset, offset + length) lies inside the data; 64-bit sums cannot wrap.
    bool inside(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset + length <= m_size;
    }
    std::optional<qsizetype> valueOffset(const Entry& entry, qint64 bytes) const;
    // Unchecked reads, for offsets already known to lie inside the data.
    quint16 load16(qsizetype offset) const
    {
        const uchar* p = m_base + offset;
        return static_cast<quint16>(m_big ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
    }
    quint32 load32(qsizetype offset) const
    {
        const uchar* p = m_base + offset;
        return m_big ? (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3]
                     : (quint32(p[3]) << 24) | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | p[0];
    }

    const uchar* m_base;
    qsizetype m_size;
    bool m_big;
};
