#include "MovieSupport.h"

#include "ImageCodecRegistry.h"
#include "MovieCodec.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <atomic>
#include <memory>
#include <mutex>

namespace {
std::atomic<bool> g_available{false};

// A runtime library of another major version has another ABI; the demuxer and the
// decoders the movies need must be there.
bool librariesUsable()
{
    return (avformat_version() >> 16) == LIBAVFORMAT_VERSION_MAJOR &&
           (avcodec_version() >> 16) == LIBAVCODEC_VERSION_MAJOR &&
           (swscale_version() >> 16) == LIBSWSCALE_VERSION_MAJOR && av_find_input_format("mov") != nullptr;
}
} // namespace

bool MovieSupport::Initialize()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (!librariesUsable())
            return;
        // Damaged movies are expected on memory cards; nobody reads the decoders' complaints.
        av_log_set_level(AV_LOG_QUIET);
        ImageCodecRegistry::instance().add(std::make_unique<MovieCodec>());
        g_available = true;
    });
    return g_available;
}

bool MovieSupport::IsAvailable()
{
    return g_available;
}
