#include "JpegEncoder.h"

#include "DibImage.h"
#include "TStreamFile.h"

#include <algorithm>

namespace {
JpegEncoder* encoderOf(j_compress_ptr info)
{
    return static_cast<JpegEncoder*>(info->client_data);
}
} // namespace

MediaStatus JpegEncoder::encode(const DibImage& image, TStreamFile& stream)
{
    if (image.isNull() || !stream.isOpen())
        return MediaStatusCode::Fail;
    m_stream = &stream;
    m_buffer.resize(BufferSize);
    if (setjmp(m_error.jump)) {
        jpeg_destroy_compress(&m_info);
        return MediaStatusCode::Fail;
    }
    m_info.err = m_error.attach();
    jpeg_create_compress(&m_info);
    m_info.client_data = this;
    m_destination.init_destination = startOutput;
    m_destination.empty_output_buffer = flushFullBuffer;
    m_destination.term_destination = finishOutput;
    m_info.dest = &m_destination;

    m_info.image_width = static_cast<JDIMENSION>(image.width());
    m_info.image_height = static_cast<JDIMENSION>(image.height());
    m_info.input_components = 3;
    m_info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&m_info);
    jpeg_set_quality(&m_info, image.quality(), FALSE);
    if (image.xResolution() > 0 && image.yResolution() > 0) {
        m_info.density_unit = 1;
        m_info.X_density = static_cast<UINT16>(std::min(image.xResolution(), 65535));
        m_info.Y_density = static_cast<UINT16>(std::min(image.yResolution(), 65535));
    }
    jpeg_start_compress(&m_info, TRUE);
    writeRows(image);
    jpeg_finish_compress(&m_info);
    jpeg_destroy_compress(&m_info);
    return MediaStatusCode::Ok;
}

void JpegEncoder::writeRows(const DibImage& image)
{
    const bool direct = image.bitsPerPixel() == 24;
    if (!direct)
        m_row.resize(static_cast<size_t>(image.width()) * 3);
    while (m_info.next_scanline < m_info.image_height) {
        const int y = static_cast<int>(m_info.next_scanline);
        JSAMPROW row;
        if (direct) {
            // The library only reads input rows.
            row = const_cast<JSAMPROW>(image.scanLine(y));
        } else {
            image.rowToBgr24(y, m_row.data());
            row = m_row.data();
        }
        jpeg_write_scanlines(&m_info, &row, 1);
    }
}

bool JpegEncoder::flush(size_t bytes)
{
    try {
        return bytes == 0 || m_stream->write(m_buffer.data(), static_cast<qint64>(bytes)) == qint64(bytes);
    } catch (const std::exception&) {
        return false;
    }
}

void JpegEncoder::startOutput(j_compress_ptr info)
{
    JpegEncoder* self = encoderOf(info);
    self->m_destination.next_output_byte = self->m_buffer.data();
    self->m_destination.free_in_buffer = self->m_buffer.size();
}

boolean JpegEncoder::flushFullBuffer(j_compress_ptr info)
{
    JpegEncoder* self = encoderOf(info);
    if (!self->flush(self->m_buffer.size()))
        (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
    startOutput(info);
    return TRUE;
}

void JpegEncoder::finishOutput(j_compress_ptr info)
{
    JpegEncoder* self = encoderOf(info);
    if (!self->flush(self->m_buffer.size() - self->m_destination.free_in_buffer))
        (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
}
