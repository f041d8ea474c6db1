#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Expands the compressed pixel data of a handheld bitmap into rows of rowBytes bytes.
class CTavDbPalmBitmapRows final
{
public:
    enum Compression
    {
        ScanLine = 0,
        Rle = 1,
        PackBits = 2,
        None = 0xFF
    };

    // False when the data ends early, a run overflows its row or the method is unknown.
    // PackBits counts 16-bit words instead of bytes when wordRuns is set (16-bit pixels).
    static bool Expand(int compression, QByteArrayView source, int rowBytes, int height, bool wordRuns,
                       QByteArray* rows);
    // The fewest source bytes a row can take, to refuse sizes the data cannot reach before
    // allocating them.
    static qsizetype MinimumRowSource(int compression, int rowBytes, bool wordRuns);

private:
    CTavDbPalmBitmapRows() = delete;
};
