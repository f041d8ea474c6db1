#include <QImageReader>
#include <QTest>
#include <QTransform>

#include "DibImage.h"
#include "DibOrientation.h"
#include "ExifBuilder.h"
#include "JpegCodec.h"
#include "MediaTestSupport.h"

using namespace MediaTestSupport;

namespace {
// What each orientation means, written with Qt's own transforms.
QImage upright(const QImage& stored, int orientation)
{
    const QTransform quarter = QTransform().rotate(90);
    const QTransform threeQuarters = QTransform().rotate(270);
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return stored.transformed(quarter).mirrored(true, false);
    case 6:
        return stored.transformed(quarter);
    case 7:
        return stored.transformed(threeQuarters).mirrored(true, false);
    case 8:
        return stored.transformed(threeQuarters);
    default:
        return stored;
    }
}

QImage quadrants()
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y,
                           y < 24 ? (x < 32 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                  : (x < 32 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}
} // namespace

class DibImageTest : public QObject
{
    Q_OBJECT

private slots:
    void orientationTransforms_data();
    void orientationTransforms();
    void cameraPictureIsTurnedUpright_data();
    void cameraPictureIsTurnedUpright();
    void copiesAreDeep();
};

void DibImageTest::orientationTransforms_data()
{
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<int>("orientation");
    for (int bits : {24, 8, 4, 1})
        for (int orientation = 0; orientation <= 9; ++orientation)
            QTest::addRow("%d-bit, %d", bits, orientation) << bits << orientation;
}

void DibImageTest::orientationTransforms()
{
    QFETCH(int, bitsPerPixel);
    QFETCH(int, orientation);
    // Pixels smaller than a byte are only turned by half and quarter turns, never mirrored.
    const bool subByte = bitsPerPixel < 8;
    const bool applied = !subByte || orientation == 3 || orientation == 6 || orientation == 8;
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

void DibImageTest::cameraPictureIsTurnedUpright_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("bigEndian");
    // The colour of the shown picture's top-left and top-right corners: the stored picture
    // has red and green on top, blue and white below.
    QTest::addColumn<QRgb>("topLeft");
    QTest::addColumn<QRgb>("topRight");
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
               white = qRgb(255, 255, 255);
    QTest::newRow("1") << 1 << false << red << green;
    QTest::newRow("2") << 2 << true << green << red;
    QTest::newRow("3") << 3 << false << white << blue;
    QTest::newRow("4") << 4 << true << blue << white;
    QTest::newRow("5") << 5 << false << red << blue;
    QTest::newRow("6") << 6 << true << blue << red;
    QTest::newRow("7") << 7 << false << white << green;
    QTest::newRow("8") << 8 << true << green << white;
}

void DibImageTest::cameraPictureIsTurnedUpright()
{
    QFETCH(int, orientation);
    QFETCH(bool, bigEndian);
    QFETCH(QRgb, topLeft);
    QFETCH(QRgb, topRight);
    const QByteArray jpeg = withSegment(
        encodeJpeg(quadrants(), 100),
        ExifBuilder(bigEndian).shortValue(ExifBuilder::Picture, 274, quint16(orientation)).segment());
    DibImage image;
    QCOMPARE(JpegCodec().load(reinterpret_cast<const uchar*>(jpeg.constData()), jpeg.size(), image),
             MediaStatusCode::Ok);
    const QImage shown = image.toImage();
    const QSize expected = orientation >= 5 ? QSize(48, 64) : QSize(64, 48);
    QCOMPARE(shown.size(), expected);
    QCOMPARE(QSize(*image.number(QStringLiteral("real_width")), *image.number(QStringLiteral("real_height"))),
             expected);
    int width = 0, height = 0;
    QCOMPARE(
        JpegCodec().getSize(reinterpret_cast<const uchar*>(jpeg.constData()), jpeg.size(), &width, &height),
        MediaStatusCode::Ok);
    QCOMPARE(QSize(width, height), expected);
    const auto near = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) < 8 && qAbs(qGreen(a) - qGreen(b)) < 8 &&
               qAbs(qBlue(a) - qBlue(b)) < 8;
    };
    QVERIFY(near(shown.pixel(4, 4), topLeft));
    QVERIFY(near(shown.pixel(shown.width() - 5, 4), topRight));
}

void DibImageTest::copiesAreDeep()
{
    DibImage original = patternImage(9, 4, 8);
    original.setText(QStringLiteral("model"), QStringLiteral("W31K"));
    DibImage copy = original;
    copy.scanLine(0)[0] = 200;
    copy.setText(QStringLiteral("model"), QStringLiteral("SH901iC"));
    QCOMPARE(original.scanLine(0)[0], uchar(0));
    QCOMPARE(original.text(QStringLiteral("model")), u"W31K");
    QCOMPARE(copy.colorTable(), original.colorTable());
    copy = original;
    QCOMPARE(maxDifference(copy.toImage(), original.toImage()), 0);
}

QTEST_GUILESS_MAIN(DibImageTest)
#include "tst_DibImage.moc"
