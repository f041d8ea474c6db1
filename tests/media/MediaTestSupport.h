#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

#include "DibImage.h"

// Files and pictures shared by the picture tests.
namespace MediaTestSupport {
// A file under tests/data ("camera/Canon_40D.jpg").
QString testDataPath(const QString& relative);
inline const uchar* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const uchar*>(data.constData());
}
// A copy in a buffer of exactly its size, so that the sanitizer sees any read past its end.
std::unique_ptr<uchar[]> exactCopy(const QByteArray& data);

// A picture whose every block × block square has a value of its own (every pixel when block is 1), so
// that a misplaced pixel or a swapped channel shows; below 24 bits with a palette of distinct colours.
DibImage patternImage(int width, int height, int bitsPerPixel, int block = 1);

// JPEG bytes written by Qt's own image writer, so that the decoder is checked against
// pictures it did not make.
QByteArray encodeJpeg(const QImage& image, int quality = 95, bool progressive = false);
// A CMYK JPEG as Adobe writes it (values stored inverted, Adobe marker), of one colour.
QByteArray encodeCmykJpeg(int width, int height, const uchar cmyk[4]);
// The picture with an APP1 segment put first, where cameras put it (a JFIF APP0 is dropped).
QByteArray withSegment(const QByteArray& jpeg, const QByteArray& segment);
// The largest and the mean absolute difference over all colour channels of all pixels; -1 when
// the sizes differ.
int maxDifference(const QImage& a, const QImage& b);
double meanDifference(const QImage& a, const QImage& b);
} // namespace MediaTestSupport
