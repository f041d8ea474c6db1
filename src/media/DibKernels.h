#pragma once

#include <QtGlobal>

// The pixel loops of the orientation transforms, for 1- and 3-byte pixels. 24-bit rows go
// through SSSE3 blocks where the processor has them. Source rows must have 4 readable bytes
// after their last pixel (the slack of DibImage).
class DibKernels final
{
public:
    // A quarter turn: the destination pixel (dx, dy) is the source pixel (sx, sy) with
    // sx = dy, or w-1-dy when mirrorX is set, and sy = dx, or h-1-dx when mirrorY is set;
    // w and h are the source's size, so the destination is h pixels wide and w high.
    struct Turn
    {
        const uchar* src;
        qsizetype srcStride;
        uchar* dst;
        qsizetype dstStride;
        int w;
        int h;
        bool mirrorX;
        bool mirrorY;
    };

    static void turn(const Turn& turn, int bytesPerPixel);
    // Writes the pixels of one row in reverse order; in and out must not overlap.
    static void reverseRow(const uchar* in, uchar* out, int width, int bytesPerPixel);
};
