#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "DibImage.h"
#include "ImageCodecRegistry.h"
#include "JpegCodec.h"
#include "MediaTestSupport.h"
#include "TStreamFile.h"
#include "TStreamFileError.h"

#include <cerrno>

using namespace MediaTestSupport;

class JpegSavingTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void qualityAndResolutionAreWritten();
    void saveFileReplacesOnlyWhenComplete();
    void unwritableStreamFails();
    void streamReadsWritesAndSeeks();
    void streamFailuresThrow();
    void codecsAreFoundByNameAndExtension();

private:
    QTemporaryDir m_dir;
};

void JpegSavingTest::roundTrip_data()
{
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<int>("width");
    QTest::newRow("24-bit") << 24 << 61;
    QTest::newRow("8-bit palette") << 8 << 43;
    QTest::newRow("4-bit palette") << 4 << 37;
    QTest::newRow("1-bit") << 1 << 29;
}

void JpegSavingTest::roundTrip()
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

void JpegSavingTest::qualityAndResolutionAreWritten()
{
    DibImage image =
        DibImage::fromImage(QImage(testDataPath(QStringLiteral("camera/exif-org/canon-ixus.jpg"))));
    QVERIFY(!image.isNull());
    const auto savedSize = [&](int quality, int x, int y) {
        image.setQuality(quality);
        image.setResolution(x, y);
        const QString path = m_dir.filePath(QStringLiteral("q%1.jpg").arg(quality));
        TStreamFile stream;
        stream.open(path, TStreamFile::Write);
        JpegCodec().save(image, stream);
        return stream.size();
    };
    QVERIFY(savedSize(20, 0, 0) * 2 < savedSize(95, 0, 0));

    savedSize(80, 300, 150);
    DibImage reloaded;
    QCOMPARE(JpegCodec().loadFile(m_dir.filePath(QStringLiteral("q80.jpg")), reloaded), MediaStatusCode::Ok);
    QCOMPARE(reloaded.xResolution(), 300);
    QCOMPARE(reloaded.yResolution(), 150);
    savedSize(80, 300, 0);
    QCOMPARE(JpegCodec().loadFile(m_dir.filePath(QStringLiteral("q80.jpg")), reloaded), MediaStatusCode::Ok);
    QCOMPARE(reloaded.xResolution(), 0);
}

void JpegSavingTest::saveFileReplacesOnlyWhenComplete()
{
    const QString path = m_dir.filePath(QStringLiteral("sheet/photo.jpg"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old picture");
    old.close();

    const JpegCodec codec;
    QCOMPARE(codec.saveFile(DibImage(), path), MediaStatusCode::Fail);
    QCOMPARE(readFile(path), QByteArray("old picture"));

    QCOMPARE(codec.saveFile(patternImage(16, 16, 24, 16), path), MediaStatusCode::Ok);
    QCOMPARE(
        codec.probeFormat(reinterpret_cast<const uchar*>(readFile(path).constData()), readFile(path).size()),
        1);
    QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{u"photo.jpg"_qs});
}

void JpegSavingTest::unwritableStreamFails()
{
    TStreamFile full;
    if (!full.open(QStringLiteral("/dev/full"), TStreamFile::Write))
        QSKIP("no /dev/full here");
    QCOMPARE(JpegCodec().save(patternImage(400, 400, 24, 16), full), MediaStatusCode::Fail);
    TStreamFile closed;
    QCOMPARE(JpegCodec().save(patternImage(8, 8, 24, 16), closed), MediaStatusCode::Fail);
}

void JpegSavingTest::streamReadsWritesAndSeeks()
{
    const QString path = m_dir.filePath(QStringLiteral("stream.bin"));
    TStreamFile stream;
    QVERIFY(!stream.open(m_dir.filePath(QStringLiteral("missing.bin")), TStreamFile::Read));
    QVERIFY(stream.open(path, TStreamFile::Read | TStreamFile::Write));
    QCOMPARE(stream.write("0123456789", 10), qint64(10));
    QCOMPARE(stream.size(), qint64(10));
    QCOMPARE(stream.seek(-4, TStreamFile::End), qint64(6));
    char buffer[8] = {};
    QCOMPARE(stream.read(buffer, 8), qint64(4));
    QCOMPARE(QByteArray(buffer, 4), QByteArray("6789"));
    QCOMPARE(stream.seek(3), qint64(3));
    QVERIFY(stream.truncate());
    QCOMPARE(stream.size(), qint64(3));

    // Opening for writing empties the file.
    QVERIFY(stream.open(path, TStreamFile::Write));
    QCOMPARE(stream.size(), qint64(0));
}

void JpegSavingTest::streamFailuresThrow()
{
    const QString path = m_dir.filePath(QStringLiteral("throw.bin"));
    TStreamFile stream;
    QVERIFY(stream.open(path, TStreamFile::Write));
    char buffer[4];
    try {
        stream.read(buffer, 4);
        QFAIL("reading a file opened for writing must throw");
    } catch (const TStreamFileError& error) {
        QCOMPARE(error.systemCode(), EBADF);
        QVERIFY(!error.systemMessage().isEmpty());
    }
    QVERIFY(stream.open(path, TStreamFile::Read));
    QVERIFY_THROWS_EXCEPTION(TStreamFileError, stream.write("x", 1));
}

void JpegSavingTest::codecsAreFoundByNameAndExtension()
{
    ImageCodecRegistry& registry = ImageCodecRegistry::instance();
    const ImageCodec* jpeg = registry.byName(QStringLiteral("JPEG"));
    QVERIFY(jpeg);
    QCOMPARE(registry.byName(QStringLiteral("jpeg")), jpeg);
    QCOMPARE(registry.byExtension(QStringLiteral("DCIM/100KIRO/IMG_0001.JPG")), jpeg);
    QCOMPARE(registry.byExtension(QStringLiteral(".jpeg")), jpeg);
    QCOMPARE(registry.byExtension(QStringLiteral("movie.mov")), nullptr);
    QCOMPARE(registry.byExtension(QStringLiteral("jpg")), nullptr);
}

QTEST_GUILESS_MAIN(JpegSavingTest)
#include "tst_JpegSaving.moc"
