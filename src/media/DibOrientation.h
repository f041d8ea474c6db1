#pragma once

class DibImage;

// Turns a bitmap upright as an EXIF orientation value says how it was stored: 2 mirror
// left-right, 3 rotate 180°, 4 mirror top-bottom, 5 transpose, 6 rotate 90° clockwise,
// 7 transverse, 8 rotate 90° counter-clockwise. Other values leave the bitmap alone, and so
// do 2, 4, 5 and 7 for bitmaps of less than one byte per pixel.
class DibOrientation final
{
public:
    // False only when the memory for a turned copy could not be had (the bitmap is unchanged).
    static bool apply(DibImage& image, int orientation);

    static void mirrorLeftRight(DibImage& image);
    static void mirrorTopBottom(DibImage& image);
    static void rotate180(DibImage& image);
    // The four quarter-turn transforms: 5, 6, 7 or 8.
    static bool quarterTurn(DibImage& image, int orientation);
};
