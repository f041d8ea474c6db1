#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "DibImage.h"

// Files and pictures shared by the picture tests.
namespace MediaTestSupport {
// A file under tests/data ("camera/Canon_40D.jpg").
QString testDataPath(const QString& relative);
QByteArray readFile(const QString& path);

// A picture whose every block × block square has a value of its own (every pixel when block is 1), so
// that a misplaced pixel or a swapped channel shows; below 24 bits with a palette of distinct colours.
DibImage patternImage(int width, int height, int bitsPerPixel, int block = 1);

// JPEG bytes written by Qt's own image writer, so that the decoder is checked against
// pictures it did not make.
QByteArray encodeJpeg(const QImage& image, int quality = 95);
// A CMYK JPEG as Adobe writes it (values stored inverted, Adobe marker), of one colour.
QByteArray encodeCmykJpeg(int width, int height, const uchar cmyk[4]);
// The picture with an APP1 segment put first, where cameras put it (a JFIF APP0 is dropped).
QByteArray withSegment(const QByteArray& jpeg, const QByteArray& segment);
// How far two pictures are apart over all colour channels of all pixels: the largest and the
// mean absolute difference; both -1 when the sizes differ.
struct Difference
{
    int largest;
    double mean;
};
Difference difference(const QImage& a, const QImage& b);
inline int maxDifference(const QImage& a, const QImage& b)
{
    return difference(a, b).largest;
}
inline double meanDifference(const QImage& a, const QImage& b)
{
    return difference(a, b).mean;
}
} // namespace MediaTestSupport
