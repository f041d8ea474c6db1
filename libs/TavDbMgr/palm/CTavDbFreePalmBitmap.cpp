#include "CTavDbFreePalmBitmap.h"

#include <QtEndian>
#include <algorithm>
#include <vector>

#include "CTavDbPalmBitmapRows.h"
#include "CTavDbPalmPalette.h"

namespace {
constexpr int MaxMembers = 32;
constexpr int V3HeaderSize = 24;
constexpr int DummyHeaderSize = 16;
constexpr int DirectInfoSize = 8;

uint16_t be16(QByteArrayView d, qsizetype at)
{
    return qFromBigEndian<uint16_t>(d.data() + at);
}
uint32_t be32(QByteArrayView d, qsizetype at)
{
    return qFromBigEndian<uint32_t>(d.data() + at);
}
uint8_t u8(QByteArrayView d, qsizetype at)
{
    return uint8_t(d[at]);
}

QRgb fromRgb565(uint16_t v)
{
    const int r = (v >> 11) & 0x1F;
    const int g = (v >> 5) & 0x3F;
    const int b = v & 0x1F;
    return qRgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

uint16_t toRgb565(int r, int g, int b)
{
    return uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// What the decoder needs besides the rows.
struct Pixels
{
    std::vector<QRgb> table; // empty: the system colours
    bool transparency = false;
    uint32_t transparent = 0;
};

void convert(const CTavDbFreePalmBitmap::Member& m, const QByteArray& rows, const Pixels& px, QImage* image,
             QImage* mask)
{
    using Bitmap = CTavDbFreePalmBitmap;
    *image = QImage(m.width, m.height, QImage::Format_ARGB32);
    if (mask) {
        *mask = QImage(m.width, m.height, QImage::Format_Mono);
        mask->setColor(0, qRgb(255, 255, 255));
        mask->setColor(1, qRgb(0, 0, 0));
        mask->fill(1);
    }
    const bool littleEndian =
        m.pixelFormat == Bitmap::Rgb565LittleEndian || m.pixelFormat == Bitmap::IndexedLittleEndian;
    const int valueMask = (1 << std::min(m.depth, 8)) - 1;
    for (int y = 0; y < m.height; ++y) {
        const auto* row = reinterpret_cast<const uchar*>(rows.constData()) + qsizetype(y) * m.rowBytes;
        auto* line = reinterpret_cast<QRgb*>(image->scanLine(y));
        uchar* maskLine = mask ? mask->scanLine(y) : nullptr;
        for (int x = 0; x < m.width; ++x) {
            uint32_t value = 0;
            QRgb colour = 0;
            if (m.depth == 16) {
                value = littleEndian ? qFromLittleEndian<uint16_t>(row + 2 * x)
                                     : qFromBigEndian<uint16_t>(row + 2 * x);
                colour = fromRgb565(uint16_t(value));
            } else {
                const int bit = x * m.depth;
                const int shift = littleEndian ? bit % 8 : 8 - m.depth - bit % 8;
                value = (row[bit / 8] >> shift) & valueMask;
                if (px.table.empty())
                    colour = CTavDbPalmPalette::SystemColor(m.depth, int(value));
                else
                    colour = value < px.table.size() ? px.table[value] : qRgb(0, 0, 0);
            }
            if (px.transparency && value == px.transparent) {
                line[x] = 0;
                if (maskLine)
                    maskLine[x / 8] &= uchar(~(0x80 >> (x % 8)));
            } else {
                line[x] = colour;
            }
        }
    }
}

bool betterMember(const CTavDbFreePalmBitmap::Member& a, const CTavDbFreePalmBitmap::Member& b,
                  const CTavDbFreePalmBitmap::Options& options)
{
    const int da = std::abs(a.density - options.preferredDensity);
    const int db = std::abs(b.density - options.preferredDensity);
    if (da != db)
        return da < db;
    const bool fitsA = a.depth <= options.maxDepth;
    const bool fitsB = b.depth <= options.maxDepth;
    if (fitsA != fitsB)
        return fitsA;
    return fitsA ? a.depth > b.depth : a.depth < b.depth;
}
} // namespace

TavStatus CTavDbFreePalmBitmap::ReadFamily(QByteArrayView data, QList<Member>* members)
{
    members->clear();
    qsizetype offset = 0;
    for (int walked = 0; walked < MaxMembers; ++walked) {
        const qsizetype left = data.size() - offset;
        if (left < 16)
            break;
        Member m;
        m.offset = offset;
        m.width = int16_t(be16(data, offset));
        m.height = int16_t(be16(data, offset + 2));
        m.rowBytes = be16(data, offset + 4);
        m.flags = be16(data, offset + 6);
        m.version = u8(data, offset + 9);
        if (m.version > 3 || (m.version == 3 && left < V3HeaderSize))
            break;
        const int pixelSize = u8(data, offset + 8);
        // Older systems stop at a dummy header placed before the high-density members. Its own
        // link is often 0: the next member is the header right after it.
        if (m.version == 1 && pixelSize == 0xFF) {
            offset += DummyHeaderSize;
            continue;
        }
        // Version 0 is always one bit; early version 1 headers leave the size 0 for the same.
        m.depth = m.version == 0 || (m.version < 3 && pixelSize == 0) ? 1 : pixelSize;
        qsizetype next = 0;
        if (m.version == 3) {
            m.headerSize = std::max<int>(V3HeaderSize, u8(data, offset + 10));
            m.pixelFormat = u8(data, offset + 11);
            m.density = be16(data, offset + 14);
            m.transparent = be32(data, offset + 16);
            next = be32(data, offset + 20);
        } else {
            if (m.version >= 1)
                next = qsizetype(be16(data, offset + 10)) * 4;
            if (m.version == 2)
                m.transparent = u8(data, offset + 12);
        }
        if (m.flags & FlagCompressed)
            m.compression = m.version >= 2 ? int(u8(data, offset + 13)) : int(CTavDbPalmBitmapRows::ScanLine);
        members->append(m);
        if (next <= 0 || next >= left)
            break;
        offset += next;
    }
    return members->isEmpty() ? TavStatusCode::Corrupt : TavStatusCode::Ok;
}

QList<int> CTavDbFreePalmBitmap::RankMembers(const QList<Member>& members, const Options& options)
{
    QList<int> order;
    for (int i = 0; i < members.size(); ++i)
        order.append(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return betterMember(members[a], members[b], options); });
    return order;
}

TavStatus CTavDbFreePalmBitmap::DecodeMember(QByteArrayView data, const Member& m, QImage* image,
                                             QImage* mask)
{
    const bool validDepth = m.depth == 1 || m.depth == 2 || m.depth == 4 || m.depth == 8 || m.depth == 16;
    if (!validDepth || m.width <= 0 || m.height <= 0 || m.width > MaxSide || m.height > MaxSide ||
        qsizetype(m.width) * m.height > MaxPixels || (m.flags & FlagIndirect) || m.pixelFormat > 3 ||
        m.offset < 0 || m.offset > data.size())
        return TavStatusCode::Corrupt;
    if (m.rowBytes < (m.width * m.depth + 7) / 8)
        return TavStatusCode::Corrupt;
    const QByteArrayView d = data.sliced(m.offset);
    qsizetype at = m.headerSize;
    if (at > d.size())
        return TavStatusCode::Corrupt;

    Pixels px;
    if (m.flags & FlagHasColorTable) {
        if (d.size() - at < 2)
            return TavStatusCode::Corrupt;
        const int entries = std::min<int>(be16(d, at), 256);
        at += 2;
        if (d.size() - at < qsizetype(entries) * 4)
            return TavStatusCode::Corrupt;
        for (int i = 0; i < entries; ++i, at += 4)
            px.table.push_back(qRgb(u8(d, at + 1), u8(d, at + 2), u8(d, at + 3)));
    }
    px.transparency = (m.flags & FlagHasTransparency) != 0;
    px.transparent = m.depth == 16 ? (m.transparent & 0xFFFF) : (m.transparent & 0xFF);
    if (m.version == 2 && m.depth == 16 && (m.flags & FlagDirectColor)) {
        if (d.size() - at < DirectInfoSize)
            return TavStatusCode::Corrupt;
        px.transparent = toRgb565(u8(d, at + 5), u8(d, at + 6), u8(d, at + 7));
        at += DirectInfoSize;
    }

    QByteArrayView source = d.sliced(at);
    if (m.flags & FlagCompressed) {
        // The size counts its own field.
        const int field = m.version == 3 ? 4 : 2;
        if (source.size() < field)
            return TavStatusCode::Corrupt;
        const qsizetype size = field == 4 ? qsizetype(be32(source, 0)) : qsizetype(be16(source, 0));
        if (size < field || size > source.size())
            return TavStatusCode::Corrupt;
        source = source.sliced(field, size - field);
    }
    QByteArray rows;
    if (!CTavDbPalmBitmapRows::Expand(m.compression, source, m.rowBytes, m.height, m.depth == 16, &rows))
        return TavStatusCode::Corrupt;
    convert(m, rows, px, image, mask);
    return TavStatusCode::Ok;
}

TavStatus CTavDbFreePalmBitmap::CreateBitmap(QByteArrayView data, QImage* image, QImage* mask,
                                             const Options& options, Member* chosen)
{
    QList<Member> members;
    if (const TavStatus status = ReadFamily(data, &members); status != TavStatusCode::Ok)
        return status;
    TavStatus first = TavStatusCode::Ok;
    for (int index : RankMembers(members, options)) {
        const TavStatus status = DecodeMember(data, members[index], image, mask);
        if (status == TavStatusCode::Ok) {
            if (chosen)
                *chosen = members[index];
            return status;
        }
        if (first == TavStatusCode::Ok)
            first = status;
    }
    return first;
}
