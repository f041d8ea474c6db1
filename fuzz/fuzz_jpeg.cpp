// Feeds arbitrary bytes to everything that reads a picture file: the format probe, the EXIF
// reader with its text rules, the header reader and the decoder, once per input. A header
// may claim any size while the data stops after a few bytes, and the decoder then fills the
// whole bitmap; like the program, which shows large pictures reduced, larger ones go through
// the scaled load, and those past a few megapixels are left out, so that each input costs
// at most a few milliseconds.
#include "DibImage.h"
#include "ExifReader.h"
#include "JpegCodec.h"

#include <cstddef>
#include <cstdint>

namespace {
constexpr qint64 kFullDecodePixels = 256 * 1024;
constexpr qint64 kMaxPixels = 4 * 1024 * 1024;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const JpegCodec codec;
    const auto length = static_cast<qsizetype>(size);
    codec.probeFormat(data, length);

    const ExifReader exif(data, length);
    DibImage properties;
    exif.fillProperties(properties);
    ExifReader::toCalendarTime(exif.dateTime());

    int width = 0;
    int height = 0;
    if (codec.getSize(data, length, &width, &height) != MediaStatusCode::Ok)
        return 0;
    const qint64 pixels = qint64(width) * height;
    if (pixels > kMaxPixels)
        return 0;
    DibImage image;
    // Small pictures take both paths, chosen by the input's length so that one mutation can
    // switch them: a third of the size decodes at half scale, an eighth at the smallest.
    const bool scaled = pixels > kFullDecodePixels || size % 2;
    const int divisor = pixels > kFullDecodePixels ? 8 : 3;
    const MediaStatus status = scaled
                                   ? codec.loadScaled(width / divisor, height / divisor, data, length, image)
                                   : codec.load(data, length, image);
    if (status == MediaStatusCode::Ok && (image.isNull() || image.bytesPerLine() % 4))
        __builtin_trap();
    if (status == MediaStatusCode::Ok && !scaled && (image.width() != width || image.height() != height))
        __builtin_trap();
    return 0;
}
