#include <QImageReader>
#include <QTest>

#include "DibImage.h"
#include "ExifReader.h"
#include "JpegCodec.h"
#include "MappedFile.h"
#include "MediaTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

using namespace MediaTestSupport;

// Real camera files of many makers in both byte orders, checked against values read with
// another tool, so that a misread tag, a wrong byte order or a wrong display rule shows.
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

    static QStringList allPictures()
    {
        QStringList files;
        const QDir root(testDataPath(QStringLiteral("camera")));
        for (const QString& sub :
             {QString(), QStringLiteral("exif-org"), QStringLiteral("orientation"), QStringLiteral("tests"),
              QStringLiteral("xmp"), QStringLiteral("invalid")}) {
            const QDir dir(root.filePath(sub));
            for (const QString& name : dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
                files << (sub.isEmpty() ? name : sub + u'/' + name);
        }
        return files;
    }

private slots:
    void cameraData_data();
    void cameraData();
    void pixelsMatchAnIndependentDecoder_data();
    void pixelsMatchAnIndependentDecoder();
    void orientationSeriesShowsOneScene_data();
    void orientationSeriesShowsOneScene();
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
    for (const QString& file : allPictures())
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

QTEST_GUILESS_MAIN(CameraFilesTest)
#include "tst_CameraFiles.moc"
