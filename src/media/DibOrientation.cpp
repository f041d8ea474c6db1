#include "DibOrientation.h"

#include "DibImage.h"
#include "DibKernels.h"

#include <cstring>
#include <vector>

namespace {
// The bitmap a quarter turn writes into is kept for the next turn up to this size, so that
// a series of photos does not pay for fresh memory (and its page faults) every time.
constexpr qsizetype MaxKeptSpare = 0x4000000;

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

std::vector<uchar> rowBuffer(const DibImage& image)
{
    return std::vector<uchar>(size_t(image.bytesPerLine()));
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
    const size_t rowBytes = size_t(image.width()) * size_t(bytesPerPixel);
    std::vector<uchar> reversed = rowBuffer(image);
    for (int y = 0; y < image.height(); ++y) {
        DibKernels::reverseRow(image.scanLine(y), reversed.data(), image.width(), bytesPerPixel);
        std::memcpy(image.scanLine(y), reversed.data(), rowBytes);
    }
}

void DibOrientation::mirrorTopBottom(DibImage& image)
{
    const auto stride = static_cast<size_t>(image.bytesPerLine());
    std::vector<uchar> held = rowBuffer(image);
    for (int top = 0, bottom = image.height() - 1; top < bottom; ++top, --bottom) {
        std::memcpy(held.data(), image.scanLine(top), stride);
        std::memcpy(image.scanLine(top), image.scanLine(bottom), stride);
        std::memcpy(image.scanLine(bottom), held.data(), stride);
    }
}

void DibOrientation::rotate180(DibImage& image)
{
    const int bits = image.bitsPerPixel();
    const int w = image.width();
    std::vector<uchar> held = rowBuffer(image);
    if (bits >= 8) {
        // Each pair of rows trades places reversed, in one pass over the bitmap.
        const int bytesPerPixel = bits / 8;
        const size_t rowBytes = size_t(w) * size_t(bytesPerPixel);
        for (int top = 0, bottom = image.height() - 1; top <= bottom; ++top, --bottom) {
            DibKernels::reverseRow(image.scanLine(top), held.data(), w, bytesPerPixel);
            if (top != bottom)
                DibKernels::reverseRow(image.scanLine(bottom), image.scanLine(top), w, bytesPerPixel);
            std::memcpy(image.scanLine(bottom), held.data(), rowBytes);
        }
        return;
    }
    // Sub-byte rows carry padding bits, so each row is rebuilt pixel by pixel.
    mirrorTopBottom(image);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        std::memcpy(held.data(), line, held.size());
        for (int x = 0; x < w; ++x)
            setSubBytePixel(line, x, bits, subBytePixel(held.data(), w - 1 - x, bits));
    }
}

bool DibOrientation::quarterTurn(DibImage& image, int orientation)
{
    const bool mirrorX = orientation == 7 || orientation == 8;
    const bool mirrorY = orientation == 6 || orientation == 7;
    thread_local DibImage spare;
    if (!spare.create(image.height(), image.width(), image.bitsPerPixel()))
        return false;
    spare.setColorTable(image.colorTable());
    const int bits = image.bitsPerPixel();
    if (bits >= 8) {
        DibKernels::turn({image.bits(), image.bytesPerLine(), spare.bits(), spare.bytesPerLine(),
                          image.width(), image.height(), mirrorX, mirrorY},
                         bits / 8);
    } else {
        std::memset(spare.bits(), 0, static_cast<size_t>(spare.sizeInBytes()));
        for (int dy = 0; dy < spare.height(); ++dy) {
            const int sx = mirrorX ? image.width() - 1 - dy : dy;
            for (int dx = 0; dx < spare.width(); ++dx) {
                const int sy = mirrorY ? image.height() - 1 - dx : dx;
                setSubBytePixel(spare.scanLine(dy), dx, bits, subBytePixel(image.scanLine(sy), sx, bits));
            }
        }
    }
    image.swapPixels(spare);
    if (spare.sizeInBytes() > MaxKeptSpare)
        spare.clear();
    return true;
}
