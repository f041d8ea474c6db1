// Feeds arbitrary bytes to everything that reads a picture file: the format probe, the EXIF
// reader with its text rules, the header reader and the decoder at full and reduced scale.
#include "DibImage.h"
#include "ExifReader.h"
#include "JpegCodec.h"

#include <cstddef>
#include <cstdint>

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
    DibImage image;
    if (codec.load(data, length, image) == MediaStatusCode::Ok &&
        (image.isNull() || image.bytesPerLine() % 4))
        __builtin_trap();
    codec.loadScaled(width / 5 + 1, height / 5 + 1, data, length, image);
    return 0;
}
