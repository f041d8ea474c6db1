#include "TiffData.h"

std::optional<quint16> TiffData::u16(qsizetype offset) const
{
    if (!inside(offset, 2))
        return std::nullopt;
    const uchar* p = m_base + offset;
    return static_cast<quint16>(m_big ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
}

std::optional<quint32> TiffData::u32(qsizetype offset) const
{
    if (!inside(offset, 4))
        return std::nullopt;
    const uchar* p = m_base + offset;
    if (m_big)
        return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
    return (quint32(p[3]) << 24) | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | p[0];
}

void TiffData::findEntries(quint32 directory, const quint16* tags, int tagCount,
                           std::optional<Entry>* found) const
{
    const std::optional<quint16> count = u16(directory);
    if (!count)
        return;
    int missing = tagCount;
    for (quint32 i = 0; i < *count && missing > 0; ++i) {
        const qint64 at = qint64(directory) + 2 + qint64(i) * 12;
        if (!inside(at, 12))
            return;
        const quint16 tag = *u16(at);
        for (int t = 0; t < tagCount; ++t) {
            if (tags[t] == tag && !found[t]) {
                found[t] = Entry{tag, *u16(at + 2), *u32(at + 4), static_cast<qsizetype>(at + 8)};
                --missing;
                break;
            }
        }
    }
}

std::optional<qsizetype> TiffData::valueOffset(const Entry& entry, qint64 bytes) const
{
    if (bytes <= 4)
        return entry.field;
    const quint32 offset = *u32(entry.field);
    // A value that starts at or after the end of the data is absent, as is one that runs past it.
    if (qint64(offset) >= m_size || !inside(offset, bytes))
        return std::nullopt;
    return static_cast<qsizetype>(offset);
}

std::optional<std::pair<const uchar*, qsizetype>> TiffData::byteValue(const Entry& entry) const
{
    if (entry.type != Byte && entry.type != Ascii && entry.type != Undefined)
        return std::nullopt;
    const std::optional<qsizetype> at = valueOffset(entry, entry.count);
    if (!at)
        return std::nullopt;
    return std::make_pair(m_base + *at, static_cast<qsizetype>(entry.count));
}

std::optional<quint16> TiffData::shortValue(const Entry& entry) const
{
    if (entry.count == 0)
        return std::nullopt;
    if (entry.type == Short)
        return u16(entry.field);
    if (entry.type == Long) {
        const quint32 v = *u32(entry.field);
        if (v <= 0xFFFF)
            return static_cast<quint16>(v);
    }
    return std::nullopt;
}

std::optional<TiffData::Rational> TiffData::rationalValue(const Entry& entry) const
{
    if ((entry.type != RationalType && entry.type != SignedRational) || entry.count == 0)
        return std::nullopt;
    const std::optional<qsizetype> at = valueOffset(entry, 8);
    if (!at)
        return std::nullopt;
    return Rational{*u32(*at), *u32(*at + 4)};
}
