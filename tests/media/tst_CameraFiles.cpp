#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include "ExifReader.h"
#include "JpegCodec.h"
#include "MappedFile.h"
#include "MediaTestSupport.h"

using namespace MediaTestSupport;

namespace {
// The file the damage tests break: little-endian, with a camera directory and a comment.
const char* const kVictim = "camera/Canon_40D.jpg";

quint32 little(const QByteArray& file, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uchar(file[at + i]);
    return value;
}

QByteArray little32(quint32 value)
{
    return QByteArray(1, char(value)) + char(value >> 8) + char(value >> 16) + char(value >> 24);
}

// Where the entry of a tag lies, looked for in the picture directory and then the camera directory.
qsizetype entryOf(const QByteArray& file, qsizetype tiff, quint16 tag)
{
    quint32 directory = little(file, tiff + 4, 4);
    for (int pass = 0; pass < 2; ++pass) {
        quint32 next = 0;
        for (quint32 i = 0, count = little(file, tiff + directory, 2); i < count; ++i) {
            const qsizetype at = tiff + directory + 2 + 12 * i;
            if (little(file, at, 2) == tag)
                return at;
            if (little(file, at, 2) == 34665)
                next = little(file, at + 8, 4);
        }
        directory = next;
    }
    return -1;
}

QByteArray patched(QByteArray file, qsizetype at, const QByteArray& bytes)
{
    return file.replace(at, bytes.size(), bytes);
}
} // namespace

// Real camera files of many makers in both byte orders, checked against values read with
// another tool, so that a misread tag, a wrong byte order or a wrong display rule shows; and one
// of them broken on purpose, which must be read safely.
class CameraFilesTest : public QObject
{
    Q_OBJECT

    static QVariantMap cameraProperties(const DibImage& image)
    {
        QVariantMap map;
        for (const DibImage::Property& p : image.properties()) {
            if (p.name == u"real_width" || p.name == u"real_height")
                continue;
            if (const auto* n = std::get_if<quint16>(&p.value))
                map.insert(p.name, int(*n));
            else
                map.insert(p.name, std::get<QString>(p.value));
        }
        return map;
    }

    static QByteArray victim()
    {
        QFile file(testDataPath(QString::fromLatin1(kVictim)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void cameraData_data();
    void cameraData();
    void pixelsMatchAnIndependentDecoder_data();
    void pixelsMatchAnIndependentDecoder();
    void orientationSeriesShowsOneScene_data();
    void orientationSeriesShowsOneScene();
    void damagedBlockIsSafe_data();
    void damagedBlockIsSafe();
    void zeroExposureTimeHasNoShutterText();
    void everyTruncationAndMutationIsSafe();
};

void CameraFilesTest::cameraData_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("byteOrder");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QVariantMap>("expected");
    // One line per file: the values the exiv2 command reads, formatted after the display rules.
    QFile table(QStringLiteral(LUMORA_SOURCE_DIR "/tests/media/camera_files.jsonl"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    while (!table.atEnd()) {
        const QJsonObject row = QJsonDocument::fromJson(table.readLine()).object();
        QTest::newRow(qPrintable(row[u"file"].toString()))
            << row[u"file"].toString() << row[u"format"].toInt() << row[u"byte_order"].toString()
            << row[u"width"].toInt() << row[u"height"].toInt()
            << row[u"properties"].toObject().toVariantMap();
    }
}

void CameraFilesTest::cameraData()
{
    QFETCH(QString, file);
    QFETCH(int, format);
    QFETCH(QString, byteOrder);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QVariantMap, expected);
    const QString path = testDataPath(QStringLiteral("camera/") + file);
    const MappedFile mapped(path);
    QVERIFY2(mapped.isOpen(), qPrintable(path));

    const JpegCodec codec;
    QCOMPARE(codec.probeFormat(mapped.data(), mapped.size()), format);
    int shownWidth = 0, shownHeight = 0;
    QCOMPARE(codec.getSize(mapped.data(), mapped.size(), &shownWidth, &shownHeight), MediaStatusCode::Ok);
    QCOMPARE(QSize(shownWidth, shownHeight), QSize(width, height));

    const ExifReader exif(mapped.data(), mapped.size());
    QCOMPARE(exif.valid(), !byteOrder.isEmpty());
    if (exif.valid())
        QCOMPARE(exif.bigEndian(), byteOrder == u"MM");

    DibImage image;
    QCOMPARE(codec.loadFile(path, image), MediaStatusCode::Ok);
    QCOMPARE(QSize(image.width(), image.height()), QSize(width, height));
    QCOMPARE(image.number(QStringLiteral("real_width")), std::optional<quint16>(width));
    QCOMPARE(image.number(QStringLiteral("real_height")), std::optional<quint16>(height));

    QVariantMap wanted;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        wanted.insert(it.key(), it->typeId() == QMetaType::QString ? *it : QVariant(it->toInt()));
    QCOMPARE(cameraProperties(image), wanted);

    // Reading through the file mapping must give the same values as reading the bytes.
    DibImage fromFile;
    ExifReader(path).fillProperties(fromFile);
    QCOMPARE(cameraProperties(fromFile), wanted);
}

void CameraFilesTest::pixelsMatchAnIndependentDecoder_data()
{
    QTest::addColumn<QString>("file");
    const QDir root(testDataPath(QStringLiteral("camera")));
    QStringList files;
    for (QDirIterator it(root.path(), {QStringLiteral("*.jpg")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        files << root.relativeFilePath(it.next());
    files.sort();
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void CameraFilesTest::pixelsMatchAnIndependentDecoder()
{
    QFETCH(QString, file);
    const QString path = testDataPath(QStringLiteral("camera/") + file);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage reference = reader.read();
    QVERIFY2(!reference.isNull(), qPrintable(reader.errorString()));

    DibImage image;
    QCOMPARE(JpegCodec().loadFile(path, image), MediaStatusCode::Ok);
    // Both run the same entropy decoder; the upright turn and the colour order are ours.
    QCOMPARE(maxDifference(image.toImage(), reference), 0);
}

void CameraFilesTest::orientationSeriesShowsOneScene_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("orientation");
    for (const char* series : {"landscape", "portrait"})
        for (int orientation = 1; orientation <= 8; ++orientation)
            QTest::addRow("%s_%d", series, orientation) << QString::fromLatin1(series) << orientation;
}

void CameraFilesTest::orientationSeriesShowsOneScene()
{
    QFETCH(QString, series);
    QFETCH(int, orientation);
    const JpegCodec codec;
    DibImage upright;
    QCOMPARE(codec.loadFile(testDataPath(QStringLiteral("camera/orientation/%1_1.jpg").arg(series)), upright),
             MediaStatusCode::Ok);
    DibImage turned;
    const QString path =
        testDataPath(QStringLiteral("camera/orientation/%1_%2.jpg").arg(series).arg(orientation));
    QCOMPARE(codec.loadFile(path, turned), MediaStatusCode::Ok);

    QCOMPARE(turned.number(QStringLiteral("orientation")), std::optional<quint16>(orientation));
    QCOMPARE(QSize(turned.width(), turned.height()), QSize(upright.width(), upright.height()));
    const MappedFile mapped(path);
    int width = 0, height = 0;
    QCOMPARE(codec.getSize(mapped.data(), mapped.size(), &width, &height), MediaStatusCode::Ok);
    QCOMPARE(QSize(width, height), QSize(upright.width(), upright.height()));
    QCOMPARE(turned.number(QStringLiteral("real_width")), std::optional<quint16>(upright.width()));
    QCOMPARE(turned.number(QStringLiteral("real_height")), std::optional<quint16>(upright.height()));
    // The files differ in their burnt-in labels and colour handling, so no pixel must match;
    // but the right turn must fit the upright picture far better than any mirror of it.
    const QImage shown = turned.toImage();
    const QImage reference = upright.toImage();
    const double fit = meanDifference(shown, reference);
    for (const QImage& wrong :
         {shown.mirrored(true, false), shown.mirrored(false, true), shown.mirrored(true, true)}) {
        const double misfit = meanDifference(wrong, reference);
        QVERIFY2(fit * 2 < misfit, qPrintable(QStringLiteral("%1 against %2").arg(fit).arg(misfit)));
    }
}

void CameraFilesTest::damagedBlockIsSafe_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("fnumber");
    const QByteArray good = victim();
    const qsizetype tiff = ExifReader::findTiffHeader(bytesOf(good), good.size());
    const qsizetype picture = tiff + little(good, tiff + 4, 4), make = entryOf(good, tiff, 271),
                    pointer = entryOf(good, tiff, 34665), fnumber = entryOf(good, tiff, 33437),
                    aperture = entryOf(good, tiff, 37378), comment = entryOf(good, tiff, 37510);
    QVERIFY(tiff > 0 && make > 0 && pointer > 0 && fnumber > 0 && aperture > 0 && comment > 0);
    const QString canon = u"Canon"_qs, f71 = u"F7.1"_qs, none;
    const quint32 end = quint32(good.size() - tiff); // offsets count from the TIFF header
    const QByteArray scan("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    QTest::newRow("whole") << good << canon << f71;
    QTest::newRow("after the picture data") << good.left(2) + scan + good.mid(2) << none << none;
    QTest::newRow("no start of image") << good.mid(2) << none << none;
    QTest::newRow("no byte order") << patched(good, tiff, "XX") << none << none;
    QTest::newRow("picture directory outside the data")
        << patched(good, tiff + 4, little32(0xFFFFFFF0)) << none << none;
    QTest::newRow("picture directory at the last byte")
        << patched(good, tiff + 4, little32(end - 1)) << none << none;
    QTest::newRow("entry count past the end") << patched(good, picture, "\xFF\xFF") << canon << f71;
    QTest::newRow("string count that overflows")
        << patched(good, make + 4, little32(0xFFFFFFFF)) << none << f71;
    QTest::newRow("string offset that wraps") << patched(good, make + 8, little32(0xFFFFFFF0)) << none << f71;
    QTest::newRow("string running past the end")
        << patched(patched(good, make + 4, little32(64)), make + 8, little32(end - 8)) << none << f71;
    QTest::newRow("camera directory outside the data")
        << patched(good, pointer + 8, little32(0x7FFFFFF0)) << canon << none;
    QTest::newRow("camera directory pointing at the picture directory")
        << patched(good, pointer + 8, little32(quint32(picture - tiff))) << canon << none;
    const QByteArray shortType("\x03\x00", 2); // the aperture as APEX value would stand in for the number
    QTest::newRow("rationals of the wrong type")
        << patched(patched(good, fnumber + 2, shortType), aperture + 2, shortType) << canon << none;
    QTest::newRow("user comment past the end")
        << patched(patched(good, comment + 4, little32(0x10000)), comment + 8, little32(0x40)) << canon
        << f71;
}

void CameraFilesTest::damagedBlockIsSafe()
{
    QFETCH(QByteArray, file);
    const ExifReader exif(exactCopy(file).get(), file.size());
    QTEST(exif.maker(), "maker");
    QTEST(exif.fnumber(), "fnumber");
    QVERIFY(exif.userComment().isEmpty());
}

void CameraFilesTest::zeroExposureTimeHasNoShutterText()
{
    // The camera's APEX shutter value must not stand in for an exposure time it wrote as zero.
    QByteArray file = victim();
    const qsizetype tiff = ExifReader::findTiffHeader(bytesOf(file), file.size());
    const qsizetype exposure = entryOf(file, tiff, 33434);
    QVERIFY(exposure > 0 && entryOf(file, tiff, 37377) > 0);
    file = patched(file, tiff + little(file, exposure + 8, 4), little32(0));
    QVERIFY(ExifReader(exactCopy(file).get(), file.size()).shutterSpeed().isEmpty());
}

void CameraFilesTest::everyTruncationAndMutationIsSafe()
{
    const QByteArray good = victim();
    const qsizetype tiff = ExifReader::findTiffHeader(bytesOf(good), good.size());
    const qsizetype end = tiff - 8 + (uchar(good[tiff - 8]) << 8 | uchar(good[tiff - 7])); // of the segment
    for (qsizetype length = 0; length <= end; ++length)
        ExifReader(exactCopy(good.left(length)).get(), length);
    QRandomGenerator random(20240603);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = good.left(end);
        for (int flips = 1 + random.bounded(4); flips > 0; --flips)
            damaged[tiff + random.bounded(int(end - tiff))] = char(random.bounded(256));
        DibImage image;
        ExifReader(exactCopy(damaged).get(), damaged.size()).fillProperties(image);
    }
}

QTEST_GUILESS_MAIN(CameraFilesTest)
#include "tst_CameraFiles.moc"
