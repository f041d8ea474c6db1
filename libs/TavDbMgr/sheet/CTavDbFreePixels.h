#pragma once

#include <QImage>

class CTavDbFreeReader;
class CTavDbFreeWriter;

// The small pictures inside sheet records (the page thumbnail, the thumbnails of contents):
// width and height (u16 each), then 16-bit RGB565 pixels row by row, run-length coded. A
// control byte c below 0x80 is followed by c + 1 pixels as they are; c from 0x80 is followed
// by one pixel repeated c - 0x7E times (2 to 129). Runs may cross rows.
class CTavDbFreePixels final
{
public:
    static constexpr int MaxSide = 1024;

    static void Write(const QImage& image, CTavDbFreeWriter* out);
    // False when the data end before the last pixel or a side is over MaxSide; a 0 x 0 picture
    // reads as a null image.
    static bool Read(CTavDbFreeReader* in, QImage* image);

private:
    CTavDbFreePixels() = delete;
};
