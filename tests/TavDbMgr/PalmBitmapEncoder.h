#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <cstdint>
#include <vector>

#include "PalmTestSupport.h"

// Writes handheld bitmaps from pixel values, so that the decoder's tests start from known
// pixels. Kept apart from the decoder: it packs, compresses and lays out headers on its own.
namespace PalmTest {

struct BitmapLayout
{
    int version = 2;
    int width = 1;
    int height = 1;
    int depth = 1;
    int compression = -1; // -1 none, 0 scan-line, 1 RLE, 2 PackBits
    int rowBytes = 0;     // 0: the least even count
    QList<QRgb> colorTable;
    bool hasTransparency = false;
    uint32_t transparent = 0;   // index, or the RGB565 value (version 3)
    QRgb directTransparent = 0; // version 2, 16 bits
    int density = 72;
    int pixelFormat = 0; // version 3: 0 indexed, 1 565, 2 565 little-endian, 3 indexed little-endian

    int actualRowBytes() const
    {
        if (rowBytes)
            return rowBytes;
        const int bytes = (width * depth + 7) / 8;
        return bytes + (bytes & 1);
    }
    int headerSize() const { return version == 3 ? 24 : 16; }
};

inline QByteArray packRows(const BitmapLayout& s, const std::vector<uint32_t>& values)
{
    const int rowBytes = s.actualRowBytes();
    QByteArray rows(qsizetype(rowBytes) * s.height, '\0');
    const bool little = s.pixelFormat == 2 || s.pixelFormat == 3;
    for (int y = 0; y < s.height; ++y) {
        auto* row = reinterpret_cast<uchar*>(rows.data()) + qsizetype(y) * rowBytes;
        for (int x = 0; x < s.width; ++x) {
            const uint32_t v = values[size_t(y) * s.width + x];
            if (s.depth == 16) {
                row[2 * x + (little ? 1 : 0)] = uchar(v >> 8);
                row[2 * x + (little ? 0 : 1)] = uchar(v);
                continue;
            }
            const int bit = x * s.depth;
            const int shift = little ? bit % 8 : 8 - s.depth - bit % 8;
            row[bit / 8] |= uchar((v & ((1u << s.depth) - 1)) << shift);
        }
    }
    return rows;
}

inline QByteArray scanLine(const QByteArray& rows, int rowBytes)
{
    QByteArray out;
    for (qsizetype y = 0; y * rowBytes < rows.size(); ++y) {
        const char* row = rows.constData() + y * rowBytes;
        for (int group = 0; group < rowBytes; group += 8) {
            uchar mask = 0;
            QByteArray bytes;
            for (int i = group; i < std::min(group + 8, rowBytes); ++i) {
                if (y == 0 || row[i] != row[i - rowBytes]) {
                    mask |= uchar(0x80 >> (i - group));
                    bytes += row[i];
                }
            }
            out += char(mask);
            out += bytes;
        }
    }
    return out;
}

inline QByteArray rle(const QByteArray& rows, int rowBytes)
{
    QByteArray out;
    for (qsizetype y = 0; y * rowBytes < rows.size(); ++y) {
        const char* row = rows.constData() + y * rowBytes;
        for (int i = 0; i < rowBytes;) {
            int run = 1;
            while (i + run < rowBytes && run < 255 && row[i + run] == row[i])
                ++run;
            out += char(run);
            out += row[i];
            i += run;
        }
    }
    return out;
}

// Runs of two or more equal units repeat, the rest goes out literally, at most 128 units each.
inline QByteArray packBits(const QByteArray& rows, int rowBytes, int unit)
{
    QByteArray out;
    const int units = rowBytes / unit;
    for (qsizetype y = 0; y * rowBytes < rows.size(); ++y) {
        const char* row = rows.constData() + y * rowBytes;
        auto same = [&](int a, int b) {
            return std::equal(row + a * unit, row + (a + 1) * unit, row + b * unit);
        };
        for (int i = 0; i < units;) {
            int run = 1;
            while (i + run < units && run < 128 && same(i, i + run))
                ++run;
            if (run >= 2) {
                out += char(1 - run);
                out.append(row + i * unit, unit);
                i += run;
                continue;
            }
            int literal = 1;
            while (i + literal < units && literal < 128 &&
                   !(i + literal + 1 < units && same(i + literal, i + literal + 1)))
                ++literal;
            out += char(literal - 1);
            out.append(row + i * unit, qsizetype(literal) * unit);
            i += literal;
        }
    }
    return out;
}

// One bitmap; next is the family link as the version counts it (words or bytes), 0 for none.
inline QByteArray encodeBitmap(const BitmapLayout& s, const std::vector<uint32_t>& values, uint32_t next = 0)
{
    const int rowBytes = s.actualRowBytes();
    uint16_t flags = 0;
    if (s.compression >= 0)
        flags |= 0x8000;
    if (!s.colorTable.isEmpty())
        flags |= 0x4000;
    if (s.hasTransparency)
        flags |= 0x2000;
    const bool directInfo = s.version == 2 && s.depth == 16;
    if (directInfo)
        flags |= 0x0400;

    QByteArray out(s.headerSize(), '\0');
    put16(out, 0, uint16_t(s.width));
    put16(out, 2, uint16_t(s.height));
    put16(out, 4, uint16_t(rowBytes));
    put16(out, 6, flags);
    if (s.version >= 1) {
        out[8] = char(s.depth);
        out[9] = char(s.version);
    }
    if (s.version == 1 || s.version == 2)
        put16(out, 10, uint16_t(next));
    if (s.version == 2) {
        out[12] = char(s.transparent);
        out[13] = char(s.compression >= 0 ? s.compression : 0xFF);
    }
    if (s.version == 3) {
        out[10] = 24;
        out[11] = char(s.pixelFormat);
        out[13] = char(s.compression >= 0 ? s.compression : 0xFF);
        put16(out, 14, uint16_t(s.density));
        put32(out, 16, s.transparent);
        put32(out, 20, next);
    }
    if (!s.colorTable.isEmpty()) {
        out += be16(uint16_t(s.colorTable.size()));
        for (int i = 0; i < s.colorTable.size(); ++i) {
            const QRgb c = s.colorTable[i];
            out += char(i);
            out += char(qRed(c));
            out += char(qGreen(c));
            out += char(qBlue(c));
        }
    }
    if (directInfo) {
        const QRgb key = s.directTransparent;
        out += QByteArray("\x05\x06\x05\0\0", 5) + char(qRed(key)) + char(qGreen(key)) + char(qBlue(key));
    }
    const QByteArray rows = packRows(s, values);
    QByteArray data;
    switch (s.compression) {
    case 0:
        data = scanLine(rows, rowBytes);
        break;
    case 1:
        data = rle(rows, rowBytes);
        break;
    case 2:
        data = packBits(rows, rowBytes, s.depth == 16 ? 2 : 1);
        break;
    default:
        return out + rows;
    }
    // The size counts its own field.
    out += s.version == 3 ? be32(uint32_t(data.size() + 4)) : be16(uint16_t(data.size() + 2));
    return out + data;
}

// The 16-byte header older systems stop at before the high-density members. Its link is 0,
// as real files have it.
inline QByteArray dummyHeader()
{
    QByteArray out(16, '\0');
    out[8] = char(0xFF);
    out[9] = 1;
    return out;
}

// Members chained in order, the dummy header before member dummyAt (none when -1). Versions 1
// and 2 count the link in 4-byte words, so each member is padded to a multiple of four.
inline QByteArray encodeFamily(const QList<BitmapLayout>& specs, const QList<std::vector<uint32_t>>& values,
                               int dummyAt = -1)
{
    QByteArray out;
    for (int i = 0; i < specs.size(); ++i) {
        if (i == dummyAt)
            out += dummyHeader();
        QByteArray member = encodeBitmap(specs[i], values[i]);
        if (specs[i].version < 3)
            member.resize((member.size() + 3) / 4 * 4, '\0');
        const uint32_t link = uint32_t(specs[i].version == 3 ? member.size() : member.size() / 4);
        const QByteArray linked = encodeBitmap(specs[i], values[i], i + 1 == specs.size() ? 0 : link);
        out += member.replace(0, linked.size(), linked);
    }
    return out;
}

} // namespace PalmTest
