// Feeds arbitrary bytes to the movie reader: the probe, the size from the track headers, and
// a still frame at a time and scale picked from the input's length, so that one mutation can
// switch them. Frames past a megapixel are left out, so that each input costs at most a few
// milliseconds; the reader's own bounds (frames decoded, packets read) do the rest.
#include "DibImage.h"
#include "MovieCodec.h"
#include "MovieSupport.h"

#include <cstddef>
#include <cstdint>

namespace {
constexpr qint64 kMaxPixels = 1024 * 1024;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool available = MovieSupport::Initialize();
    if (!available)
        __builtin_trap();
    const MovieCodec codec;
    const auto length = static_cast<qsizetype>(size);
    if (codec.probeFormat(data, length) != (MovieCodec::probeMovie(data, length) ? 1 : 0))
        __builtin_trap();

    int width = 0;
    int height = 0;
    if (codec.getSize(data, length, &width, &height) != MediaStatusCode::Ok)
        return 0;
    if (width <= 0 || height <= 0)
        __builtin_trap();
    if (qint64(width) * height > kMaxPixels)
        return 0;
    DibImage image;
    image.setNumber(QStringLiteral("current_frame"), static_cast<quint16>(size % 5));
    const bool scaled = size % 2;
    const MediaStatus status = scaled ? codec.loadScaled(width / 3, height / 3, data, length, image)
                                      : codec.load(data, length, image);
    if (status == MediaStatusCode::Ok && (image.isNull() || image.bitsPerPixel() != 24))
        __builtin_trap();
    if (status == MediaStatusCode::Ok && !scaled && (image.width() != width || image.height() != height))
        __builtin_trap();
    if (status != MediaStatusCode::Ok && !image.isNull())
        __builtin_trap();
    return 0;
}
