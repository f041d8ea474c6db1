#pragma once

#include "JpegErrorManager.h"
#include "MediaStatus.h"

#include <QtGlobal>

#include <vector>

class DibImage;
class TStreamFile;

// One compression of a bitmap into a stream through the JPEG library. As with the decoder,
// everything the error jump must find intact lives in members.
class JpegEncoder final
{
public:
    JpegEncoder() = default;
    Q_DISABLE_COPY_MOVE(JpegEncoder)

    // Writes the bitmap with its quality and, when both are above 0, its resolution in dots
    // per inch. Fails on an empty bitmap or when the stream cannot be written.
    MediaStatus encode(const DibImage& image, TStreamFile& stream);

private:
    static void startOutput(j_compress_ptr info);
    static boolean flushFullBuffer(j_compress_ptr info);
    static void finishOutput(j_compress_ptr info);
    void writeRows(const DibImage& image);
    bool flush(size_t bytes);

    static constexpr size_t BufferSize = 64 * 1024;

    jpeg_compress_struct m_info{};
    JpegErrorManager m_error;
    jpeg_destination_mgr m_destination{};
    TStreamFile* m_stream = nullptr;
    std::vector<JOCTET> m_buffer;
    std::vector<uchar> m_row;
};
