#pragma once

#include <QtGlobal>

// A colour as Windows keeps it: red in the low byte, then green, then blue. Settings and
// records carry these values unchanged; they become QColor only where something is drawn.
using TavColorRef = quint32;

constexpr TavColorRef TavRgb(int r, int g, int b)
{
    return static_cast<TavColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int TavRed(TavColorRef c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int TavGreen(TavColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int TavBlue(TavColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
