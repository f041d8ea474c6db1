#include "CTavDbPalmPalette.h"

#include <array>

namespace {
std::array<QRgb, 256> makeSystemPalette()
{
    std::array<QRgb, 256> palette{};
    // Red steps slowest, then blue, then green, each from 0xFF down to 0 in steps of 0x33.
    for (int i = 0; i < 216; ++i) {
        const int r = 5 - i / 36;
        const int b = 5 - (i / 6) % 6;
        const int g = 5 - i % 6;
        palette[i] = qRgb(r * 0x33, g * 0x33, b * 0x33);
    }
    const int greys[] = {0x11, 0x22, 0x44, 0x55, 0x77, 0x88, 0xAA, 0xBB, 0xDD, 0xEE};
    int i = 216;
    for (int grey : greys)
        palette[i++] = qRgb(grey, grey, grey);
    palette[i++] = qRgb(0xC0, 0xC0, 0xC0);
    palette[i++] = qRgb(0x80, 0x00, 0x00);
    palette[i++] = qRgb(0x80, 0x00, 0x80);
    palette[i++] = qRgb(0x00, 0x80, 0x00);
    palette[i++] = qRgb(0x00, 0x80, 0x80);
    while (i < 256)
        palette[i++] = qRgb(0, 0, 0);
    return palette;
}
} // namespace

QRgb CTavDbPalmPalette::SystemColor(int depth, int index)
{
    static const std::array<QRgb, 256> system = makeSystemPalette();
    if (depth >= 8)
        return system[index & 0xFF];
    const int highest = (1 << depth) - 1;
    const int grey = 255 - (index & highest) * 255 / highest;
    return qRgb(grey, grey, grey);
}
