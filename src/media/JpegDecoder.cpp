#include "JpegDecoder.h"

#include "DibImage.h"

#include <algorithm>

namespace {
// Enough for the coefficient buffers of a progressive picture of about 100 megapixels.
constexpr long MaxLibraryMemory = 512L * 1024 * 1024;
constexpr int RowsPerRead = 16;

int dotsPerInch(int unit, int density)
{
    if (unit == 1)
        return density;
    if (unit == 2)
        return (density * 254 + 50) / 100;
    return 0;
}

// Adobe writes CMYK inverted, so a stored value is 255 minus the ink.
void cmykRowToBgr(const uchar* in, uchar* out, int width)
{
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        const int k = in[3];
        out[0] = static_cast<uchar>(std::max(0, in[2] + k - 255));
        out[1] = static_cast<uchar>(std::max(0, in[1] + k - 255));
        out[2] = static_cast<uchar>(std::max(0, in[0] + k - 255));
    }
}
} // namespace

bool JpegDecoder::begin(const uchar* data, qsizetype length)
{
    m_info.err = m_error.attach();
    jpeg_create_decompress(&m_info);
    m_info.mem->max_memory_to_use = MaxLibraryMemory;
    m_progress.progress_monitor = JpegErrorManager::limitScans;
    m_info.progress = &m_progress;
    jpeg_mem_src(&m_info, data, static_cast<unsigned long>(length));
    if (jpeg_read_header(&m_info, TRUE) != JPEG_HEADER_OK)
        return false;
    m_imageWidth = static_cast<int>(m_info.image_width);
    m_imageHeight = static_cast<int>(m_info.image_height);
    m_xDpi = m_info.saw_JFIF_marker ? dotsPerInch(m_info.density_unit, m_info.X_density) : 0;
    m_yDpi = m_info.saw_JFIF_marker ? dotsPerInch(m_info.density_unit, m_info.Y_density) : 0;
    return true;
}

MediaStatus JpegDecoder::readHeader(const uchar* data, qsizetype length)
{
    if (!data || length <= 0)
        return MediaStatusCode::Fail;
    if (setjmp(m_error.jump)) {
        jpeg_destroy_decompress(&m_info);
        return MediaStatusCode::Fail;
    }
    const bool ok = begin(data, length);
    jpeg_destroy_decompress(&m_info);
    return ok ? MediaStatusCode::Ok : MediaStatusCode::Fail;
}

MediaStatus JpegDecoder::decode(const uchar* data, qsizetype length, int scale, bool guarded, DibImage& image)
{
    m_tooLarge = false;
    if (!data || length <= 0)
        return MediaStatusCode::Fail;
    if (setjmp(m_error.jump)) {
        jpeg_destroy_decompress(&m_info);
        return MediaStatusCode::Fail;
    }
    if (!begin(data, length)) {
        jpeg_destroy_decompress(&m_info);
        return MediaStatusCode::Fail;
    }
    m_cmyk = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
    if (m_cmyk)
        m_info.out_color_space = JCS_CMYK;
    else if (m_info.jpeg_color_space == JCS_GRAYSCALE)
        m_info.out_color_space = JCS_GRAYSCALE;
    else
        m_info.out_color_space = JCS_EXT_BGR;
    m_info.scale_num = 1;
    m_info.scale_denom = static_cast<unsigned int>(scale);
    jpeg_calc_output_dimensions(&m_info);
    if (guarded && qint64(m_info.output_width) * m_info.output_height * 3 > MaxBitmapBytes) {
        m_tooLarge = true;
        jpeg_destroy_decompress(&m_info);
        return MediaStatusCode::Fail;
    }
    jpeg_start_decompress(&m_info);
    const int bitsPerPixel = m_cmyk ? 24 : m_info.output_components * 8;
    if (!image.create(static_cast<int>(m_info.output_width), static_cast<int>(m_info.output_height),
                      bitsPerPixel)) {
        jpeg_destroy_decompress(&m_info);
        return MediaStatusCode::Fail;
    }
    readRows(image);
    jpeg_destroy_decompress(&m_info);
    return MediaStatusCode::Ok;
}

void JpegDecoder::readRows(DibImage& image)
{
    const int height = static_cast<int>(m_info.output_height);
    if (m_cmyk) {
        m_cmykRow.resize(static_cast<size_t>(m_info.output_width) * 4);
        JSAMPROW row = m_cmykRow.data();
        while (m_info.output_scanline < m_info.output_height) {
            const int y = static_cast<int>(m_info.output_scanline);
            if (jpeg_read_scanlines(&m_info, &row, 1) != 1)
                break;
            cmykRowToBgr(row, image.scanLine(y), image.width());
        }
        return;
    }
    JSAMPROW rows[RowsPerRead];
    while (m_info.output_scanline < m_info.output_height) {
        const int y = static_cast<int>(m_info.output_scanline);
        const int count = std::min(RowsPerRead, height - y);
        for (int i = 0; i < count; ++i)
            rows[i] = image.scanLine(y + i);
        if (jpeg_read_scanlines(&m_info, rows, static_cast<JDIMENSION>(count)) == 0)
            break;
    }
}
