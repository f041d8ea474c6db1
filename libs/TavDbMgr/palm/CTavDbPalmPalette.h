#pragma once

#include <QRgb>

// The handheld's colours for indexed bitmaps without a colour table of their own.
class CTavDbPalmPalette final
{
public:
    // 1, 2 and 4 bits are greys from white (0) to black (highest index); 8 bits use the system
    // palette: the 6x6x6 cube from white down to black, ten greys, silver, maroon, purple,
    // green and teal, then black.
    static QRgb SystemColor(int depth, int index);

private:
    CTavDbPalmPalette() = delete;
};
