#pragma once

#include "JpegErrorManager.h"
#include "MediaStatus.h"

#include <QtGlobal>

#include <vector>

class DibImage;

// One decompression of JPEG data in memory through the JPEG library. All state the error
// jump must find intact lives in members, never in locals of the function that sets it.
class JpegDecoder final
{
public:
    // Bitmaps whose rows would take more than this are decoded at a reduced scale instead.
    static constexpr qint64 MaxBitmapBytes = 0x3FFFFFF;
    // A reduced scale is tried when its rows stay below this (or it is the last one, 1/8).
    static constexpr qint64 ScaledBitmapBytes = 0x2000000;

    JpegDecoder() = default;
    Q_DISABLE_COPY_MOVE(JpegDecoder)

    // Reads the header only; imageWidth() and imageHeight() then hold the stored size.
    MediaStatus readHeader(const uchar* data, qsizetype length);
    // Decodes at 1/scale (1, 2, 4 or 8) into the bitmap: 24-bit blue, green, red rows, or
    // 8-bit grey. With guarded set, a result above MaxBitmapBytes is refused before any pixel
    // is decoded and tooLarge() tells so.
    MediaStatus decode(const uchar* data, qsizetype length, int scale, bool guarded, DibImage& image);

    int imageWidth() const { return m_imageWidth; }
    int imageHeight() const { return m_imageHeight; }
    bool tooLarge() const { return m_tooLarge; }
    // The JFIF density in dots per inch, 0 when the file gives none.
    int xDpi() const { return m_xDpi; }
    int yDpi() const { return m_yDpi; }

private:
    bool begin(const uchar* data, qsizetype length);
    void readRows(DibImage& image);

    jpeg_decompress_struct m_info{};
    JpegErrorManager m_error;
    jpeg_progress_mgr m_progress{};
    std::vector<uchar> m_cmykRow;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_xDpi = 0;
    int m_yDpi = 0;
    bool m_tooLarge = false;
    bool m_cmyk = false;
};
