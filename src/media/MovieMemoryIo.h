#pragma once

#include <QtGlobal>

struct AVIOContext;

// Lets the demuxer read a movie that is already in memory (a mapped file or the bytes a
// codec is handed), so that no temporary copy is ever written. The bytes must outlive it.
class MovieMemoryIo final
{
public:
    MovieMemoryIo(const uchar* data, qsizetype length);
    ~MovieMemoryIo();
    Q_DISABLE_COPY_MOVE(MovieMemoryIo)

    // nullptr when the context could not be allocated.
    AVIOContext* context() const { return m_context; }

private:
    static int read(void* opaque, uint8_t* buffer, int size);
    static int64_t seek(void* opaque, int64_t offset, int whence);

    const uchar* m_data;
    qsizetype m_length;
    qsizetype m_position = 0;
    AVIOContext* m_context = nullptr;
};
