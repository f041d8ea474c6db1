#include "MediaTestSupport.h"

#include <QBuffer>
#include <QImageWriter>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace MediaTestSupport {
QString testDataPath(const QString& relative)
{
    return QStringLiteral(LUMORA_TEST_DATA_DIR "/") + relative;
}

std::unique_ptr<uchar[]> exactCopy(const QByteArray& data)
{
    std::unique_ptr<uchar[]> copy(new uchar[size_t(qMax<qsizetype>(data.size(), 1))]);
    std::memcpy(copy.get(), data.constData(), size_t(data.size()));
    return copy;
}

DibImage patternImage(int width, int height, int bitsPerPixel, int block)
{
    DibImage image;
    image.create(width, height, bitsPerPixel);
    const int colours = bitsPerPixel >= 8 ? 256 : 1 << bitsPerPixel;
    if (bitsPerPixel <= 8) {
        QList<QRgb> table;
        for (int i = 0; i < colours; ++i)
            table << qRgb((i * 97) % 256, (i * 53 + 80) % 256, 255 - (i * 31) % 256);
        image.setColorTable(table);
    }
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int n = block == 1 ? y * width + x : (x / block + 3 * (y / block)) * 37;
            const int index = (bitsPerPixel == 1 ? n * 5 / 3 : n) % colours;
            switch (bitsPerPixel) {
            case 24:
                row[3 * x] = uchar(n);
                row[3 * x + 1] = uchar(n >> 8);
                row[3 * x + 2] = uchar(n * 13);
                break;
            case 8:
                row[x] = uchar(index);
                break;
            case 4:
                row[x / 2] = uchar((x % 2) ? (row[x / 2] & 0xF0) | index : index << 4);
                break;
            default:
                row[x / 8] = uchar((row[x / 8] & ~(0x80 >> (x % 8))) | (index ? 0x80 >> (x % 8) : 0));
            }
        }
    }
    return image;
}

QByteArray encodeJpeg(const QImage& image, int quality, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QByteArray encodeCmykJpeg(int width, int height, const uchar cmyk[4])
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uchar> row(size_t(width) * 4);
    for (int x = 0; x < width; ++x)
        std::copy(cmyk, cmyk + 4, row.begin() + x * 4);
    while (info.next_scanline < info.image_height) {
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&info, &p, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    free(out);
    return bytes;
}

QByteArray withSegment(const QByteArray& jpeg, const QByteArray& segment)
{
    qsizetype rest = 2;
    if (jpeg.size() > 6 && uchar(jpeg[2]) == 0xFF && uchar(jpeg[3]) == 0xE0)
        rest = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    return jpeg.left(2) + segment + jpeg.mid(rest);
}

namespace {
std::pair<int, double> difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return {-1, -1};
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            for (int shift : {0, 8, 16}) {
                const int d = std::abs(int((p[col] >> shift) & 0xFF) - int((q[col] >> shift) & 0xFF));
                largest = std::max(largest, d);
                sum += d;
            }
        }
    }
    return {largest, sum / (3.0 * x.width() * x.height())};
}
} // namespace

int maxDifference(const QImage& a, const QImage& b)
{
    return difference(a, b).first;
}

double meanDifference(const QImage& a, const QImage& b)
{
    return difference(a, b).second;
}
} // namespace MediaTestSupport
