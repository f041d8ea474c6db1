// Feeds arbitrary TIFF bodies to the EXIF reader behind a well-formed APP1 header, so that
// every mutation lands in the directories, counts and offsets rather than in the header.
#include "DibImage.h"
#include "ExifReader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const uint8_t header[] = {0xFF, 0xD8, 0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    const size_t total = sizeof header + size;
    const std::unique_ptr<uint8_t[]> file(new uint8_t[total]);
    std::memcpy(file.get(), header, sizeof header);
    std::memcpy(file.get() + sizeof header, data, size);
    const size_t segment = std::min<size_t>(total - 2, 0xFFFF);
    file[4] = uint8_t(segment >> 8);
    file[5] = uint8_t(segment);

    const ExifReader exif(file.get(), static_cast<qsizetype>(total));
    DibImage properties;
    exif.fillProperties(properties);
    ExifReader::toCalendarTime(exif.dateTime());
    return 0;
}
