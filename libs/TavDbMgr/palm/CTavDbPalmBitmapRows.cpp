#include "CTavDbPalmBitmapRows.h"

#include <algorithm>
#include <cstring>

namespace {
class Source
{
public:
    explicit Source(QByteArrayView data) : m_data(data) {}
    bool take(uchar* out)
    {
        if (m_at >= m_data.size())
            return false;
        *out = uchar(m_data[m_at++]);
        return true;
    }
    bool take(uchar* out, qsizetype count)
    {
        if (count > m_data.size() - m_at)
            return false;
        std::memcpy(out, m_data.data() + m_at, size_t(count));
        m_at += count;
        return true;
    }

private:
    QByteArrayView m_data;
    qsizetype m_at = 0;
};

// Per group of eight bytes a mask byte, first byte in bit 7: a set bit brings a new byte, a
// clear one repeats the byte of the row above.
bool scanLineRow(Source& in, uchar* row, const uchar* above, int rowBytes)
{
    for (int group = 0; group < rowBytes; group += 8) {
        uchar mask = 0;
        if (!in.take(&mask))
            return false;
        const int end = std::min(group + 8, rowBytes);
        for (int i = group; i < end; ++i) {
            if (mask & (0x80 >> (i - group))) {
                if (!in.take(row + i))
                    return false;
            } else {
                row[i] = above ? above[i] : 0;
            }
        }
    }
    return true;
}

bool rleRow(Source& in, uchar* row, int rowBytes)
{
    for (int at = 0; at < rowBytes;) {
        uchar count = 0;
        uchar value = 0;
        if (!in.take(&count) || !in.take(&value) || count == 0 || count > rowBytes - at)
            return false;
        std::memset(row + at, value, count);
        at += count;
    }
    return true;
}

// TIFF-style runs: n >= 0 copies n + 1 units, n < 0 repeats the next unit 1 - n times.
bool packBitsRow(Source& in, uchar* row, int rowBytes, int unit)
{
    for (int at = 0; at < rowBytes;) {
        uchar control = 0;
        if (!in.take(&control))
            return false;
        const int n = static_cast<signed char>(control);
        const int units = n >= 0 ? n + 1 : 1 - n;
        const int bytes = units * unit;
        if (bytes > rowBytes - at)
            return false;
        if (n >= 0) {
            if (!in.take(row + at, bytes))
                return false;
        } else {
            uchar value[2] = {};
            if (!in.take(value, unit))
                return false;
            for (int i = 0; i < bytes; i += unit)
                std::memcpy(row + at + i, value, size_t(unit));
        }
        at += bytes;
    }
    return true;
}
} // namespace

qsizetype CTavDbPalmBitmapRows::MinimumRowSource(int compression, int rowBytes, bool wordRuns)
{
    switch (compression) {
    case ScanLine:
        return (rowBytes + 7) / 8;
    case Rle:
        return 2 * ((rowBytes + 254) / 255);
    case PackBits:
        return wordRuns ? 3 * ((rowBytes + 257) / 258) : 2 * ((rowBytes + 128) / 129);
    case None:
        return rowBytes;
    default:
        return 0;
    }
}

bool CTavDbPalmBitmapRows::Expand(int compression, QByteArrayView source, int rowBytes, int height,
                                  bool wordRuns, QByteArray* rows)
{
    if (rowBytes <= 0 || height <= 0 || (wordRuns && rowBytes % 2 != 0))
        return false;
    const qsizetype minimum = MinimumRowSource(compression, rowBytes, wordRuns);
    if (minimum == 0 || minimum * height > source.size())
        return false;
    rows->resize(qsizetype(rowBytes) * height);
    auto* out = reinterpret_cast<uchar*>(rows->data());
    Source in(source);
    for (int y = 0; y < height; ++y) {
        uchar* row = out + qsizetype(y) * rowBytes;
        bool ok = false;
        switch (compression) {
        case ScanLine:
            ok = scanLineRow(in, row, y > 0 ? row - rowBytes : nullptr, rowBytes);
            break;
        case Rle:
            ok = rleRow(in, row, rowBytes);
            break;
        case PackBits:
            ok = packBitsRow(in, row, rowBytes, wordRuns ? 2 : 1);
            break;
        case None:
            ok = in.take(row, rowBytes);
            break;
        default:
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}
