#include "JpegCodec.h"

#include "DibImage.h"
#include "DibOrientation.h"
#include "ExifReader.h"
#include "JpegDecoder.h"
#include "JpegEncoder.h"

#include <cstring>
#include <utility>

namespace {
bool turnsSideways(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

int ceilDiv(int value, int divisor)
{
    return (value + divisor - 1) / divisor;
}

// The largest reduction whose result still covers the wanted size.
int scaleFor(int shownWidth, int shownHeight, int wantWidth, int wantHeight)
{
    for (int scale : {8, 4, 2})
        if (ceilDiv(shownWidth, scale) >= wantWidth && ceilDiv(shownHeight, scale) >= wantHeight)
            return scale;
    return 1;
}
} // namespace

int JpegCodec::probeFormat(const uchar* data, qsizetype length) const
{
    if (!data || length < 2 || data[0] != 0xFF || data[1] != 0xD8)
        return NotJpeg;
    qsizetype at = 2;
    while (at + 4 <= length && data[at] == 0xFF) {
        const uchar marker = data[at + 1];
        const qsizetype segmentLength = (data[at + 2] << 8) | data[at + 3];
        if (segmentLength < 3 || at + 2 + segmentLength > length)
            return NotJpeg;
        if (marker == 0xE0 || marker == 0xE1) {
            const char* tag = marker == 0xE0 ? "JFIF" : "Exif";
            if (at + 8 > length || std::memcmp(data + at + 4, tag, 4) != 0)
                return NotJpeg;
            return marker == 0xE0 ? Jfif : Exif;
        }
        at += 2 + segmentLength;
    }
    return NotJpeg;
}

MediaStatus JpegCodec::getSize(const uchar* data, qsizetype length, int* width, int* height) const
{
    JpegDecoder decoder;
    if (decoder.readHeader(data, length) != MediaStatusCode::Ok)
        return MediaStatusCode::Fail;
    int w = decoder.imageWidth();
    int h = decoder.imageHeight();
    if (turnsSideways(ExifReader(data, length).orientation().value_or(1)))
        std::swap(w, h);
    if (width)
        *width = w;
    if (height)
        *height = h;
    return MediaStatusCode::Ok;
}

MediaStatus JpegCodec::load(const uchar* data, qsizetype length, DibImage& image) const
{
    return decode(data, length, 0, 0, image);
}

MediaStatus JpegCodec::loadScaled(int width, int height, const uchar* data, qsizetype length,
                                  DibImage& image) const
{
    return decode(data, length, qMax(width, 1), qMax(height, 1), image);
}

MediaStatus JpegCodec::decode(const uchar* data, qsizetype length, int wantWidth, int wantHeight,
                              DibImage& image) const
{
    image.clearProperties();
    image.setResolution(0, 0);
    const ExifReader exif(data, length);
    const int orientation = exif.orientation().value_or(1);
    JpegDecoder decoder;
    int scale = 1;
    if (wantWidth > 0) {
        if (decoder.readHeader(data, length) != MediaStatusCode::Ok) {
            image.clear();
            return MediaStatusCode::Fail;
        }
        const bool sideways = turnsSideways(orientation);
        scale = scaleFor(sideways ? decoder.imageHeight() : decoder.imageWidth(),
                         sideways ? decoder.imageWidth() : decoder.imageHeight(), wantWidth, wantHeight);
    }
    MediaStatus result = decoder.decode(data, length, scale, true, image);
    if (decoder.tooLarge()) {
        const qint64 w = decoder.imageWidth();
        const qint64 h = decoder.imageHeight();
        // The wanted scale is tried again only at 1/8, unguarded, as a full load would.
        for (int reduced : {2, 4, 8}) {
            if (reduced < scale ||
                ((w / reduced) * (h / reduced) * 3 >= JpegDecoder::ScaledBitmapBytes && reduced != 8))
                continue;
            result = decoder.decode(data, length, reduced, false, image);
            if (result == MediaStatusCode::Ok)
                break;
        }
    }
    if (result != MediaStatusCode::Ok) {
        image.clear();
        return MediaStatusCode::Fail;
    }

    exif.fillProperties(image);
    const bool sideways = turnsSideways(orientation);
    image.setNumber(QStringLiteral("real_width"),
                    static_cast<quint16>(sideways ? decoder.imageHeight() : decoder.imageWidth()));
    image.setNumber(QStringLiteral("real_height"),
                    static_cast<quint16>(sideways ? decoder.imageWidth() : decoder.imageHeight()));
    image.setResolution(decoder.xDpi(), decoder.yDpi());
    if (!DibOrientation::apply(image, orientation)) {
        image.clear();
        return MediaStatusCode::Fail;
    }
    return MediaStatusCode::Ok;
}

MediaStatus JpegCodec::save(const DibImage& image, TStreamFile& stream) const
{
    JpegEncoder encoder;
    return encoder.encode(image, stream);
}
