#pragma once

#include "ImageCodec.h"

// QuickTime movies (".mqv" from the handheld's card, ".mov"): a still frame of the movie at
// its natural size stands for the picture. Saving is refused. Nothing works until
// MovieSupport has found the movie libraries.
class MovieCodec final : public ImageCodec
{
public:
    enum Format
    {
        NotMovie = 0,
        Movie = 1
    };

    MovieCodec() = default;

    // True when the first atom is the movie atom "moov" or the media data "mdat", and there
    // is more than one atom header's worth of bytes after it.
    static bool probeMovie(const uchar* data, qsizetype length);
    // Draws the frame at the image's "current_frame" (seconds; the start when unset) at the
    // movie's natural size into image, with "duration" and "current_frame" set. On failure
    // the image is left empty.
    static bool openMovie(const uchar* data, qsizetype length, DibImage& image);
    static bool openMovie(const QString& fileName, DibImage& image);

    QString name() const override { return QStringLiteral("QuickTime"); }
    QStringList extensions() const override { return {QStringLiteral(".mqv"), QStringLiteral(".mov")}; }

    int probeFormat(const uchar* data, qsizetype length) const override;
    MediaStatus getSize(const uchar* data, qsizetype length, int* width, int* height) const override;
    MediaStatus load(const uchar* data, qsizetype length, DibImage& image) const override;
    // The frame scaled down, keeping its shape, to the smallest size that covers width × height.
    MediaStatus loadScaled(int width, int height, const uchar* data, qsizetype length,
                           DibImage& image) const override;
    MediaStatus save(const DibImage& image, TStreamFile& stream) const override;

private:
    static bool grab(const uchar* data, qsizetype length, int wantWidth, int wantHeight, DibImage& image);
};
