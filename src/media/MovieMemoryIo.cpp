#include "MovieMemoryIo.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <cstdio>
#include <cstring>

namespace {
constexpr int kBufferSize = 16 * 1024;
} // namespace

MovieMemoryIo::MovieMemoryIo(const uchar* data, qsizetype length) : m_data(data), m_length(data ? length : 0)
{
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (!buffer)
        return;
    m_context =
        avio_alloc_context(buffer, kBufferSize, 0, this, &MovieMemoryIo::read, nullptr, &MovieMemoryIo::seek);
    if (!m_context)
        av_free(buffer);
}

MovieMemoryIo::~MovieMemoryIo()
{
    if (m_context) {
        // The context may have swapped its buffer for one of its own; free whichever it holds.
        av_freep(&m_context->buffer);
        avio_context_free(&m_context);
    }
}

int MovieMemoryIo::read(void* opaque, uint8_t* buffer, int size)
{
    auto* self = static_cast<MovieMemoryIo*>(opaque);
    const qsizetype left = self->m_length - self->m_position;
    if (left <= 0 || size <= 0)
        return AVERROR_EOF;
    const int count = static_cast<int>(qMin<qsizetype>(left, size));
    std::memcpy(buffer, self->m_data + self->m_position, count);
    self->m_position += count;
    return count;
}

int64_t MovieMemoryIo::seek(void* opaque, int64_t offset, int whence)
{
    auto* self = static_cast<MovieMemoryIo*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE)
        return self->m_length;
    int64_t base = 0;
    if (whence == SEEK_CUR)
        base = self->m_position;
    else if (whence == SEEK_END)
        base = self->m_length;
    else if (whence != SEEK_SET)
        return AVERROR(EINVAL);
    // Offsets come from the file itself, so they may be anything.
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0)
        return AVERROR(EINVAL);
    // Past the end is allowed, as on a file; reads there simply find nothing.
    self->m_position = static_cast<qsizetype>(qMin<int64_t>(base + offset, self->m_length));
    return base + offset;
}
