#include "DibOrientation.h"

#include "DibImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// Square blocks keep both the rows read and the rows written in the first-level cache.
constexpr int Tile = 64;

template <int P> void swapPixels(uchar* a, uchar* b)
{
    uchar t[P];
    std::memcpy(t, a, P);
    std::memcpy(a, b, P);
    std::memcpy(b, t, P);
}

template <int P> void reverseRow(uchar* row, int width)
{
    for (int l = 0, r = width - 1; l < r; ++l, --r)
        swapPixels<P>(row + l * P, row + r * P);
}

void reverseRowBytes(uchar* row, int width, int bytesPerPixel)
{
    if (bytesPerPixel == 3)
        reverseRow<3>(row, width);
    else
        reverseRow<1>(row, width);
}

// dst(dx, dy) = src(sx, sy) with sx = dy or W-1-dy and sy = dx or H-1-dx.
template <int P> void quarterTurnBytes(const DibImage& src, DibImage& dst, bool mirrorX, bool mirrorY)
{
    const int w = src.width();
    const int h = src.height();
    const qsizetype srcStride = src.bytesPerLine();
    const uchar* srcBits = src.bits();
    for (int ty = 0; ty < dst.height(); ty += Tile) {
        const int yEnd = std::min(ty + Tile, dst.height());
        for (int tx = 0; tx < dst.width(); tx += Tile) {
            const int xEnd = std::min(tx + Tile, dst.width());
            for (int dy = ty; dy < yEnd; ++dy) {
                const int sx = mirrorX ? w - 1 - dy : dy;
                uchar* out = dst.scanLine(dy) + tx * P;
                // Offsets, not pointers, walk the source column, so that nothing points before it.
                qsizetype in = (mirrorY ? qsizetype(h - 1 - tx) : qsizetype(tx)) * srcStride + sx * P;
                const qsizetype step = mirrorY ? -srcStride : srcStride;
                for (int dx = tx; dx < xEnd; ++dx, out += P, in += step)
                    std::memcpy(out, srcBits + in, P);
            }
        }
    }
}

int subBytePixel(const uchar* row, int x, int bits)
{
    return bits == 1 ? (row[x >> 3] >> (7 - (x & 7))) & 1 : ((x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
}

void setSubBytePixel(uchar* row, int x, int bits, int value)
{
    if (bits == 1) {
        const uchar mask = static_cast<uchar>(0x80 >> (x & 7));
        row[x >> 3] = static_cast<uchar>(value ? row[x >> 3] | mask : row[x >> 3] & ~mask);
    } else if (x & 1) {
        row[x >> 1] = static_cast<uchar>((row[x >> 1] & 0xF0) | value);
    } else {
        row[x >> 1] = static_cast<uchar>((row[x >> 1] & 0x0F) | (value << 4));
    }
}
} // namespace

bool DibOrientation::apply(DibImage& image, int orientation)
{
    if (image.isNull())
        return true;
    const bool subByte = image.bitsPerPixel() < 8;
    switch (orientation) {
    case 2:
        if (!subByte)
            mirrorLeftRight(image);
        return true;
    case 3:
        rotate180(image);
        return true;
    case 4:
        if (!subByte)
            mirrorTopBottom(image);
        return true;
    case 5:
    case 7:
        return subByte || quarterTurn(image, orientation);
    case 6:
    case 8:
        return quarterTurn(image, orientation);
    default:
        return true;
    }
}

void DibOrientation::mirrorLeftRight(DibImage& image)
{
    const int bytesPerPixel = image.bitsPerPixel() / 8;
    for (int y = 0; y < image.height(); ++y)
        reverseRowBytes(image.scanLine(y), image.width(), bytesPerPixel);
}

void DibOrientation::mirrorTopBottom(DibImage& image)
{
    const auto stride = static_cast<size_t>(image.bytesPerLine());
    for (int top = 0, bottom = image.height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(image.scanLine(top), image.scanLine(top) + stride, image.scanLine(bottom));
}

void DibOrientation::rotate180(DibImage& image)
{
    const int bits = image.bitsPerPixel();
    if (bits >= 8) {
        mirrorTopBottom(image);
        mirrorLeftRight(image);
        return;
    }
    // Sub-byte rows carry padding bits, so each row is rebuilt pixel by pixel.
    const int w = image.width();
    std::vector<uchar> row(static_cast<size_t>(image.bytesPerLine()));
    mirrorTopBottom(image);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        std::copy(line, line + row.size(), row.begin());
        for (int x = 0; x < w; ++x)
            setSubBytePixel(line, x, bits, subBytePixel(row.data(), w - 1 - x, bits));
    }
}

bool DibOrientation::quarterTurn(DibImage& image, int orientation)
{
    const bool mirrorX = orientation == 7 || orientation == 8;
    const bool mirrorY = orientation == 6 || orientation == 7;
    DibImage turned;
    if (!turned.create(image.height(), image.width(), image.bitsPerPixel()))
        return false;
    turned.setColorTable(image.colorTable());
    const int bits = image.bitsPerPixel();
    if (bits == 24) {
        quarterTurnBytes<3>(image, turned, mirrorX, mirrorY);
    } else if (bits == 8) {
        quarterTurnBytes<1>(image, turned, mirrorX, mirrorY);
    } else {
        std::memset(turned.bits(), 0, static_cast<size_t>(turned.sizeInBytes()));
        for (int dy = 0; dy < turned.height(); ++dy) {
            const int sx = mirrorX ? image.width() - 1 - dy : dy;
            for (int dx = 0; dx < turned.width(); ++dx) {
                const int sy = mirrorY ? image.height() - 1 - dx : dx;
                setSubBytePixel(turned.scanLine(dy), dx, bits, subBytePixel(image.scanLine(sy), sx, bits));
            }
        }
    }
    image.adoptPixels(std::move(turned));
    return true;
}
