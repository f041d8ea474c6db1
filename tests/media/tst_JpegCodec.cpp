#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include "DibOrientation.h"
#include "JpegCodec.h"
#include "MediaTestSupport.h"
#include "TStreamFile.h"

using namespace MediaTestSupport;

namespace {
// A smooth picture with some detail, so that decoders that differ in any step disagree.
QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    return image;
}

// A camera picture: an EXIF block that holds only the orientation, big-endian.
QByteArray cameraJpeg(int width, int height, int orientation)
{
    const QByteArray exif = QByteArray("\xFF\xE1\x00\x22"
                                       "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0",
                                       29) +
                            char(orientation) + QByteArray(6, '\0');
    return withSegment(encodeJpeg(testPicture(width, height)), exif);
}

QByteArray withSize(QByteArray jpeg, int width, int height)
{
    const char size[4] = {char(height >> 8), char(height), char(width >> 8), char(width)};
    return jpeg.replace(jpeg.indexOf(QByteArray("\xFF\xC0", 2)) + 5, 4, QByteArray(size, 4));
}

MediaStatus load(const QByteArray& jpeg, DibImage& image)
{
    return JpegCodec().load(exactCopy(jpeg).get(), jpeg.size(), image);
}

// What each orientation means, written with Qt's own transforms.
QImage upright(const QImage& stored, int orientation)
{
    const bool sideways = orientation >= 5 && orientation <= 8;
    const QImage turned =
        sideways ? stored.transformed(QTransform().rotate(orientation <= 6 ? 90 : 270)) : stored;
    const bool mirrored = orientation == 2 || orientation == 5 || orientation == 7;
    return orientation == 3 || orientation == 4 ? turned.mirrored(orientation == 3, true)
                                                : turned.mirrored(mirrored, false);
}
} // namespace

class JpegCodecTest : public QObject
{
    Q_OBJECT

private slots:
    void orientationTransforms_data();
    void orientationTransforms();
    void probe_data();
    void probe();
    void greyAndProgressiveMatchAnIndependentDecoder();
    void adobeCmykIsConverted();
    void scaledLoadTakesTheSmallestCoveringScale_data();
    void scaledLoadTakesTheSmallestCoveringScale();
    void hugePictureFallsBackToAReducedScale();
    void brokenInputFailsCleanly_data();
    void brokenInputFailsCleanly();
    void damagedBytesNeverCrash();
    void roundTrip_data();
    void roundTrip();
    void qualityAndResolutionAreWritten();
    void saveFileReplacesOnlyWhenComplete();
    void unwritableStreamFails();

private:
    QTemporaryDir m_dir;
};

void JpegCodecTest::orientationTransforms_data()
{
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<int>("orientation");
    for (int bits : {24, 8, 4, 1})
        for (int orientation = 0; orientation <= 9; ++orientation)
            QTest::addRow("%d-bit, %d", bits, orientation) << bits << orientation;
}

void JpegCodecTest::orientationTransforms()
{
    QFETCH(int, bitsPerPixel);
    QFETCH(int, orientation);
    // Pixels smaller than a byte are only turned by half and quarter turns, never mirrored.
    const bool applied = bitsPerPixel >= 8 || orientation == 3 || orientation == 6 || orientation == 8;
    // Odd sizes with padded rows, and larger than one tile of the quarter turn.
    for (const QSize size : {QSize(5, 3), QSize(131, 70)}) {
        DibImage image = patternImage(size.width(), size.height(), bitsPerPixel);
        const QImage expected = applied ? upright(image.toImage(), orientation) : image.toImage();
        QVERIFY(DibOrientation::apply(image, orientation));
        QCOMPARE(image.bitsPerPixel(), bitsPerPixel);
        QCOMPARE(maxDifference(image.toImage(), expected), 0);
        QCOMPARE(image.bytesPerLine() % 4, 0);
    }
}

void JpegCodecTest::probe_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    const QByteArray soi("\xFF\xD8", 2);
    QTest::newRow("JFIF after another segment")
        << soi + QByteArray("\xFF\xDB\x00\x04\x00\x00", 6) + encodeJpeg(testPicture(16, 16)).mid(2) << 1;
    QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) << 0;
    QTest::newRow("JFIF extension instead of JFIF")
        << soi + QByteArray("\xFF\xE0\x00\x08JFXX\x00\x00", 10) << 0;
    QTest::newRow("APP1 that is not EXIF") << soi + QByteArray("\xFF\xE1\x00\x08http\x00\x00", 10) << 0;
    QTest::newRow("segment past the end") << soi + QByteArray("\xFF\xE0\x01\x00JFIF\x00", 9) << 0;
}

void JpegCodecTest::probe()
{
    QFETCH(QByteArray, bytes);
    QTEST(JpegCodec().probeFormat(exactCopy(bytes).get(), bytes.size()), "format");
}

void JpegCodecTest::greyAndProgressiveMatchAnIndependentDecoder()
{
    const QImage grey = testPicture(30, 20).convertToFormat(QImage::Format_Grayscale8);
    for (const auto& [jpeg, bits] :
         {std::pair(encodeJpeg(grey), 8), std::pair(encodeJpeg(testPicture(64, 48), 95, true), 24)}) {
        DibImage image;
        QCOMPARE(load(jpeg, image), MediaStatusCode::Ok);
        QCOMPARE(image.bitsPerPixel(), bits);
        QCOMPARE(maxDifference(image.toImage(), QImage::fromData(jpeg)), 0);
    }
}

void JpegCodecTest::adobeCmykIsConverted()
{
    // Blue from Y + K, green from M + K, red from C + K, each less 255 and at least 0.
    const uchar stored[4] = {200, 100, 255, 230}, dark[4] = {10, 10, 10, 10};
    DibImage image;
    QCOMPARE(load(encodeCmykJpeg(24, 16, stored), image), MediaStatusCode::Ok);
    QCOMPARE(image.bitsPerPixel(), 24);
    const uchar* pixel = image.scanLine(8) + 3 * 12;
    QVERIFY(qAbs(pixel[0] - 230) <= 2 && qAbs(pixel[1] - 75) <= 2 && qAbs(pixel[2] - 175) <= 2);
    QCOMPARE(load(encodeCmykJpeg(8, 8, dark), image), MediaStatusCode::Ok);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.scanLine(4)), 3), QByteArray(3, '\0'));
}

void JpegCodecTest::scaledLoadTakesTheSmallestCoveringScale_data()
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

void JpegCodecTest::scaledLoadTakesTheSmallestCoveringScale()
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

void JpegCodecTest::hugePictureFallsBackToAReducedScale()
{
    // 4800 × 4800 × 3 bytes passes the 64 MiB limit; half of it stays under 32 MiB.
    QImage grey(4800, 4800, QImage::Format_Grayscale8);
    grey.fill(128);
    DibImage image;
    QCOMPARE(load(encodeJpeg(grey, 50), image), MediaStatusCode::Ok);
    QCOMPARE(QSize(image.width(), image.height()), QSize(2400, 2400));
    QCOMPARE(image.number(QStringLiteral("real_width")), std::optional<quint16>(4800));
}

void JpegCodecTest::brokenInputFailsCleanly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    const QByteArray good = cameraJpeg(64, 64, 6);
    const QByteArray progressive = encodeJpeg(testPicture(64, 64), 95, true);
    const qsizetype scan = good.indexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype lastScan = progressive.lastIndexOf(QByteArray("\xFF\xDA", 2));
    QTest::newRow("whole") << good << true;
    QTest::newRow("without its end marker") << good.left(good.size() - 2) << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("cut in the EXIF block") << good.left(20) << false;
    QTest::newRow("cut before the picture data") << good.left(scan) << false;
    QTest::newRow("cut in the picture data") << good.left(scan + (good.size() - scan) / 2) << false;
    QTest::newRow("progressive cut in a scan")
        << progressive.left((lastScan + progressive.size()) / 2) << false;
    QTest::newRow("zero width") << withSize(good, 0, 64) << false;
    QTest::newRow("huge size, little data") << withSize(good, 65000, 65000) << false;
    QTest::newRow("garbage after the start") << good.left(2) + QByteArray(500, '\x5A') << false;
}

void JpegCodecTest::brokenInputFailsCleanly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    DibImage image;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(load(bytes, image), loads ? MediaStatusCode::Ok : MediaStatusCode::Fail);
    QCOMPARE(image.isNull(), !loads);
    QVERIFY2(timer.elapsed() < 5000, "a broken file must be given up quickly");
    int width = 0, height = 0;
    const MediaStatus sized = JpegCodec().getSize(exactCopy(bytes).get(), bytes.size(), &width, &height);
    if (loads)
        QCOMPARE(sized, MediaStatusCode::Ok);
}

void JpegCodecTest::damagedBytesNeverCrash()
{
    const QByteArray good = cameraJpeg(48, 32, 8);
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = good;
        for (int flips = 1 + random.bounded(6); flips > 0; --flips)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        DibImage image;
        if (load(damaged, image) == MediaStatusCode::Ok)
            QVERIFY(!image.isNull());
    }
}

void JpegCodecTest::roundTrip_data()
{
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<int>("width");
    QTest::newRow("24-bit") << 24 << 61;
    QTest::newRow("8-bit palette") << 8 << 43;
    QTest::newRow("4-bit palette") << 4 << 37;
    QTest::newRow("1-bit") << 1 << 29;
}

void JpegCodecTest::roundTrip()
{
    QFETCH(int, bitsPerPixel);
    QFETCH(int, width);
    DibImage image = patternImage(width, 32, bitsPerPixel, 16);
    image.setQuality(95);
    const QString path = m_dir.filePath(QStringLiteral("round%1.jpg").arg(bitsPerPixel));
    {
        TStreamFile stream;
        QVERIFY(stream.open(path, TStreamFile::Write));
        QCOMPARE(JpegCodec().save(image, stream), MediaStatusCode::Ok);
    }
    // Read back by an independent decoder, so that a swapped channel or a row slip shows.
    const QImage written(path);
    QCOMPARE(written.size(), QSize(width, 32));
    const double mean = meanDifference(written, image.toImage());
    QVERIFY2(mean < 5.0, qPrintable(QString::number(mean)));
}

void JpegCodecTest::qualityAndResolutionAreWritten()
{
    const QString camera = testDataPath(QStringLiteral("camera/exif-org/canon-ixus.jpg"));
    DibImage image = DibImage::fromImage(QImage(camera));
    QVERIFY(!image.isNull());
    const QString path = m_dir.filePath(QStringLiteral("saved.jpg"));
    const auto savedSize = [&](int quality, int x, int y) {
        image.setQuality(quality);
        image.setResolution(x, y);
        TStreamFile stream;
        stream.open(path, TStreamFile::Write);
        JpegCodec().save(image, stream);
        return stream.size();
    };
    QVERIFY(savedSize(20, 0, 0) * 2 < savedSize(95, 0, 0));
    // Loaded over a camera picture: its camera data must not stay behind.
    DibImage reloaded;
    QCOMPARE(JpegCodec().loadFile(camera, reloaded), MediaStatusCode::Ok);
    savedSize(80, 300, 150);
    QCOMPARE(JpegCodec().loadFile(path, reloaded), MediaStatusCode::Ok);
    QVERIFY(!reloaded.hasProperty(QStringLiteral("maker")));
    QCOMPARE(QSize(reloaded.xResolution(), reloaded.yResolution()), QSize(300, 150));
    savedSize(80, 300, 0);
    QCOMPARE(JpegCodec().loadFile(path, reloaded), MediaStatusCode::Ok);
    QCOMPARE(reloaded.xResolution(), 0);
}

void JpegCodecTest::saveFileReplacesOnlyWhenComplete()
{
    const QString path = m_dir.filePath(QStringLiteral("sheet/photo.jpg"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old picture") == 11);
    old.close();
    const JpegCodec codec;
    QCOMPARE(codec.saveFile(DibImage(), path), MediaStatusCode::Fail);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old picture"));
    QCOMPARE(codec.saveFile(patternImage(16, 16, 24, 16), path), MediaStatusCode::Ok);
    QCOMPARE(QImage(path).size(), QSize(16, 16));
    QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{u"photo.jpg"_qs});
}

void JpegCodecTest::unwritableStreamFails()
{
    TStreamFile full;
    if (!full.open(QStringLiteral("/dev/full"), TStreamFile::Write))
        QSKIP("no /dev/full here");
    QCOMPARE(JpegCodec().save(patternImage(400, 400, 24, 16), full), MediaStatusCode::Fail);
}

QTEST_GUILESS_MAIN(JpegCodecTest)
#include "tst_JpegCodec.moc"
