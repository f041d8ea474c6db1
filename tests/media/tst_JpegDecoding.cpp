#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTest>

#include "DibImage.h"
#include "ExifBuilder.h"
#include "JpegCodec.h"
#include "MediaTestSupport.h"

using namespace MediaTestSupport;

namespace {
constexpr quint16 OrientationTag = 274;

// A smooth picture with some detail, so that decoders that differ in any step disagree.
QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    return image;
}

QByteArray cameraJpeg(int width, int height, int orientation)
{
    return withSegment(
        encodeJpeg(testPicture(width, height)),
        ExifBuilder(true).shortValue(ExifBuilder::Picture, OrientationTag, quint16(orientation)).segment());
}

QByteArray progressiveJpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    return bytes;
}

const uchar* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const uchar*>(data.constData());
}

// Copied into a buffer of exactly its size, so that the sanitizer catches any read past it.
MediaStatus loadExact(const QByteArray& data, DibImage& image)
{
    const std::unique_ptr<uchar[]> exact(new uchar[size_t(qMax<qsizetype>(data.size(), 1))]);
    std::memcpy(exact.get(), data.constData(), size_t(data.size()));
    return JpegCodec().load(exact.get(), data.size(), image);
}

QByteArray withSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width);
    return jpeg;
}
} // namespace

class JpegDecodingTest : public QObject
{
    Q_OBJECT

private slots:
    void probe_data();
    void probe();
    void pixelsMatchAnIndependentDecoder_data();
    void pixelsMatchAnIndependentDecoder();
    void adobeCmykIsConverted();
    void scaledLoadTakesTheSmallestCoveringScale_data();
    void scaledLoadTakesTheSmallestCoveringScale();
    void hugePictureFallsBackToAReducedScale();
    void brokenInputFailsCleanly_data();
    void brokenInputFailsCleanly();
    void damagedBytesNeverCrash();
    void reloadReplacesPropertiesAndResolution();
};

void JpegDecodingTest::probe_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    const QByteArray jfif = encodeJpeg(testPicture(16, 16));
    const QByteArray soi("\xFF\xD8", 2);
    const QByteArray dqtFirst = soi + QByteArray("\xFF\xDB\x00\x04\x00\x00", 6) + jfif.mid(2);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    testPicture(4, 4).save(&buffer, "PNG");

    QTest::newRow("JFIF") << jfif << 1;
    QTest::newRow("EXIF") << cameraJpeg(16, 16, 1) << 2;
    QTest::newRow("JFIF after another segment") << dqtFirst << 1;
    QTest::newRow("PNG") << png << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("JFIF extension instead of JFIF")
        << soi + QByteArray("\xFF\xE0\x00\x08JFXX\x00\x00", 10) << 0;
    QTest::newRow("APP1 that is not EXIF") << soi + QByteArray("\xFF\xE1\x00\x08http\x00\x00", 10) << 0;
    QTest::newRow("segment length 2") << soi + QByteArray("\xFF\xE0\x00\x02JFIF", 8) << 0;
    QTest::newRow("segment past the end") << soi + QByteArray("\xFF\xE0\x01\x00JFIF\x00", 9) << 0;
}

void JpegDecodingTest::probe()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QCOMPARE(JpegCodec().probeFormat(bytesOf(bytes), bytes.size()), format);
}

void JpegDecodingTest::pixelsMatchAnIndependentDecoder_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::newRow("colour, odd width") << encodeJpeg(testPicture(33, 17)) << 24;
    QTest::newRow("grey") << encodeJpeg(testPicture(30, 20).convertToFormat(QImage::Format_Grayscale8)) << 8;
    QTest::newRow("progressive") << progressiveJpeg(testPicture(64, 48)) << 24;
}

void JpegDecodingTest::pixelsMatchAnIndependentDecoder()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(int, bitsPerPixel);
    DibImage image;
    QCOMPARE(JpegCodec().load(bytesOf(jpeg), jpeg.size(), image), MediaStatusCode::Ok);
    QCOMPARE(image.bitsPerPixel(), bitsPerPixel);
    QCOMPARE(image.bytesPerLine() % 4, 0);
    QCOMPARE(maxDifference(image.toImage(), QImage::fromData(jpeg)), 0);
}

void JpegDecodingTest::adobeCmykIsConverted()
{
    const uchar stored[4] = {200, 100, 255, 230};
    const QByteArray jpeg = encodeCmykJpeg(24, 16, stored);
    DibImage image;
    QCOMPARE(JpegCodec().load(bytesOf(jpeg), jpeg.size(), image), MediaStatusCode::Ok);
    QCOMPARE(image.bitsPerPixel(), 24);
    // Blue from Y + K, green from M + K, red from C + K, each less 255 and at least 0.
    const uchar* pixel = image.scanLine(8) + 3 * 12;
    QVERIFY(qAbs(pixel[0] - 230) <= 2);
    QVERIFY(qAbs(pixel[1] - 75) <= 2);
    QVERIFY(qAbs(pixel[2] - 175) <= 2);

    const uchar dark[4] = {10, 10, 10, 10};
    const QByteArray black = encodeCmykJpeg(8, 8, dark);
    QCOMPARE(JpegCodec().load(bytesOf(black), black.size(), image), MediaStatusCode::Ok);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.scanLine(4)), 3), QByteArray(3, '\0'));
}

void JpegDecodingTest::scaledLoadTakesTheSmallestCoveringScale_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QSize>("result");
    QTest::newRow("an eighth exactly") << 1 << QSize(40, 30) << QSize(40, 30);
    QTest::newRow("one pixel more needs a quarter") << 1 << QSize(41, 30) << QSize(80, 60);
    QTest::newRow("one side decides") << 1 << QSize(100, 200) << QSize(320, 240);
    QTest::newRow("larger than the picture") << 1 << QSize(1000, 1000) << QSize(320, 240);
    QTest::newRow("nothing wanted") << 1 << QSize(0, 0) << QSize(40, 30);
    QTest::newRow("sideways, as shown") << 6 << QSize(30, 40) << QSize(30, 40);
    QTest::newRow("sideways, taller") << 6 << QSize(30, 41) << QSize(60, 80);
}

void JpegDecodingTest::scaledLoadTakesTheSmallestCoveringScale()
{
    QFETCH(int, orientation);
    QFETCH(QSize, wanted);
    QFETCH(QSize, result);
    const QByteArray jpeg = cameraJpeg(320, 240, orientation);
    DibImage image;
    QCOMPARE(JpegCodec().loadScaled(wanted.width(), wanted.height(), bytesOf(jpeg), jpeg.size(), image),
             MediaStatusCode::Ok);
    QCOMPARE(QSize(image.width(), image.height()), result);
    const QSize real = orientation == 6 ? QSize(240, 320) : QSize(320, 240);
    QCOMPARE(QSize(*image.number(QStringLiteral("real_width")), *image.number(QStringLiteral("real_height"))),
             real);
}

void JpegDecodingTest::hugePictureFallsBackToAReducedScale()
{
    // 4800 × 4800 × 3 bytes passes the 64 MiB limit; half of it stays under 32 MiB.
    QImage grey(4800, 4800, QImage::Format_Grayscale8);
    grey.fill(128);
    const QByteArray jpeg = encodeJpeg(grey, 50);
    DibImage image;
    QCOMPARE(JpegCodec().load(bytesOf(jpeg), jpeg.size(), image), MediaStatusCode::Ok);
    QCOMPARE(QSize(image.width(), image.height()), QSize(2400, 2400));
    QCOMPARE(image.number(QStringLiteral("real_width")), std::optional<quint16>(4800));
}

void JpegDecodingTest::brokenInputFailsCleanly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    const QByteArray good = cameraJpeg(64, 64, 6);
    const QByteArray progressive = progressiveJpeg(testPicture(64, 64));
    const qsizetype scan = good.indexOf(QByteArray("\xFF\xDA", 2));
    QTest::newRow("whole") << good << true;
    QTest::newRow("without its end marker") << good.left(good.size() - 2) << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("start of image only") << good.left(2) << false;
    QTest::newRow("cut in the EXIF block") << good.left(20) << false;
    QTest::newRow("cut before the picture data") << good.left(scan) << false;
    QTest::newRow("cut in the picture data") << good.left(scan + (good.size() - scan) / 2) << false;
    const qsizetype lastScan = progressive.lastIndexOf(QByteArray("\xFF\xDA", 2));
    QTest::newRow("progressive cut in a scan")
        << progressive.left((lastScan + progressive.size()) / 2) << false;
    QTest::newRow("zero width") << withSize(good, 0, 64) << false;
    QTest::newRow("huge size, little data") << withSize(good, 65000, 65000) << false;
    QTest::newRow("garbage after the start") << good.left(2) + QByteArray(500, '\x5A') << false;
}

void JpegDecodingTest::brokenInputFailsCleanly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    DibImage image;
    QElapsedTimer timer;
    timer.start();
    const MediaStatus status = loadExact(bytes, image);
    QCOMPARE(status, loads ? MediaStatusCode::Ok : MediaStatusCode::Fail);
    QCOMPARE(image.isNull(), !loads);
    QVERIFY2(timer.elapsed() < 5000, "a broken file must be given up quickly");
    int width = 0, height = 0;
    const MediaStatus sized = JpegCodec().getSize(bytesOf(bytes), bytes.size(), &width, &height);
    if (loads)
        QCOMPARE(sized, MediaStatusCode::Ok);
}

void JpegDecodingTest::damagedBytesNeverCrash()
{
    const QByteArray good = cameraJpeg(48, 32, 8);
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = good;
        for (int flips = 1 + random.bounded(6); flips > 0; --flips)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        DibImage image;
        if (loadExact(damaged, image) == MediaStatusCode::Ok)
            QVERIFY(!image.isNull());
    }
}

void JpegDecodingTest::reloadReplacesPropertiesAndResolution()
{
    const QByteArray camera = withSegment(encodeJpeg(testPicture(16, 16)),
                                          ExifBuilder().ascii(ExifBuilder::Picture, 271, "Canon").segment());
    QImage plain = testPicture(8, 8);
    plain.setDotsPerMeterX(11811); // 300 dpi
    plain.setDotsPerMeterY(5906);  // 150 dpi
    const QByteArray jfif = encodeJpeg(plain);

    DibImage image;
    QCOMPARE(JpegCodec().load(bytesOf(camera), camera.size(), image), MediaStatusCode::Ok);
    QCOMPARE(image.text(QStringLiteral("maker")), u"Canon");
    QCOMPARE(JpegCodec().load(bytesOf(jfif), jfif.size(), image), MediaStatusCode::Ok);
    QVERIFY(!image.hasProperty(QStringLiteral("maker")));
    QCOMPARE(QSize(image.width(), image.height()), QSize(8, 8));
    QCOMPARE(image.xResolution(), 300);
    QCOMPARE(image.yResolution(), 150);
}

QTEST_GUILESS_MAIN(JpegDecodingTest)
#include "tst_JpegDecoding.moc"
