#include "TiffData.h"

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
        const quint16 tag = load16(at);
        for (int t = 0; t < tagCount; ++t) {
            if (tags[t] == tag && !found[t]) {
                found[t] = Entry{tag, load16(at + 2), load32(at + 4), static_cast<qsizetype>(at + 8)};
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
    const quint32 offset = load32(entry.field);
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
        return load16(entry.field);
    if (entry.type == Long) {
        const quint32 v = load32(entry.field);
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
    return Rational{load32(*at), load32(*at + 4)};
}
