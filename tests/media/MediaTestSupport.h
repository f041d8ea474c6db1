#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Files and pictures shared by the picture tests.
namespace MediaTestSupport {
// A file under the shared test data ("exif/Canon_40D.jpg").
QString testDataPath(const QString& relative);
QByteArray readFile(const QString& path);

// JPEG bytes written by Qt's own image writer, so that the decoder is checked against
// pictures it did not make.
QByteArray encodeJpeg(const QImage& image, int quality = 95);
// A CMYK JPEG as Adobe writes it (values stored inverted, Adobe marker), of one colour.
QByteArray encodeCmykJpeg(int width, int height, const uchar cmyk[4]);
// The picture with an APP1 segment put first, where cameras put it (a JFIF APP0 is dropped).
QByteArray withSegment(const QByteArray& jpeg, const QByteArray& segment);
// The largest difference of any colour channel of any pixel; -1 when the sizes differ.
int maxDifference(const QImage& a, const QImage& b);
// The mean absolute difference over all channels of all pixels; -1 when the sizes differ.
double meanDifference(const QImage& a, const QImage& b);
} // namespace MediaTestSupport
