#pragma once

#include "ImageCodec.h"

// JPEG pictures, plain (JFIF) or from cameras (EXIF): decoded upright, with the camera data
// as properties of the bitmap.
class JpegCodec final : public ImageCodec
{
public:
    enum Format
    {
        NotJpeg = 0,
        Jfif = 1,
        Exif = 2
    };

    JpegCodec() = default;

    QString name() const override { return QStringLiteral("JPEG"); }
    QStringList extensions() const override { return {QStringLiteral(".jpg"), QStringLiteral(".jpeg")}; }

    // Judged by the first APP0 ("JFIF") or APP1 ("Exif") segment; other segments before it
    // are skipped, anything malformed gives 0.
    int probeFormat(const uchar* data, qsizetype length) const override;
    MediaStatus getSize(const uchar* data, qsizetype length, int* width, int* height) const override;
    MediaStatus load(const uchar* data, qsizetype length, DibImage& image) const override;
    MediaStatus loadScaled(int width, int height, const uchar* data, qsizetype length,
                           DibImage& image) const override;
    MediaStatus save(const DibImage& image, TStreamFile& stream) const override;

private:
    MediaStatus decode(const uchar* data, qsizetype length, int width, int height, DibImage& image) const;
};
