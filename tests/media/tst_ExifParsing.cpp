#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>

#include "DibImage.h"
#include "ExifBuilder.h"
#include "ExifReader.h"

namespace {
enum Tag : quint16
{
    Make = 271,
    Orientation = 274,
    DateTime = 306,
    ExposureTime = 33434,
    FNumber = 33437,
    ExifPointer = 34665,
    Iso = 34855,
    Original = 36867,
    Digitized = 36868,
    ShutterSpeed = 37377,
    Aperture = 37378,
    Bias = 37380,
    MaxAperture = 37381,
    FocalLength = 37386,
    UserComment = 37510
};
constexpr quint16 Short = 3, Long = 4, Undefined = 7;

using B = ExifBuilder;

ExifReader read(const QByteArray& bytes)
{
    return ExifReader(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
}

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray out;
    for (QChar c : text) {
        const char bytes[2] = {char(c.unicode() >> 8), char(c.unicode() & 0xFF)};
        out += bigEndian ? QByteArray(bytes, 2) : QByteArray() + bytes[1] + bytes[0];
    }
    return out;
}
} // namespace

// EXIF blocks written byte by byte, for the rules real files rarely exercise and for damage.
class ExifParsingTest : public QObject
{
    Q_OBJECT

private slots:
    void sixteenBitValuesComeFromTheFirstHalfOfTheField();
    void userComment_data();
    void userComment();
    void pictureDatePrefersTheShootingDate_data();
    void pictureDatePrefersTheShootingDate();
    void formattedValues_data();
    void formattedValues();
    void findsTheBlockAfterOtherSegments_data();
    void findsTheBlockAfterOtherSegments();
    void damagedStructureIsSafe_data();
    void damagedStructureIsSafe();
    void everyTruncationAndMutationIsSafe();
    void calendarTime_data();
    void calendarTime();
};

void ExifParsingTest::sixteenBitValuesComeFromTheFirstHalfOfTheField()
{
    // "MM" keeps a SHORT in the upper half of the 32-bit field, "II" in the lower; the other
    // half holds junk that a reader taking the wrong half would show.
    const QByteArray mm = B(true)
                              .field(B::Picture, Orientation, Short, 1, QByteArray("\x00\x08\xAB\xCD", 4))
                              .field(B::Camera, Iso, Short, 2, QByteArray("\x00\xC8\x01\x90", 4))
                              .file();
    QCOMPARE(read(mm).orientation(), std::optional<quint16>(8));
    QCOMPARE(read(mm).iso(), u"200");
    const QByteArray ii = B(false)
                              .field(B::Picture, Orientation, Short, 1, QByteArray("\x03\x00\xAB\xCD", 4))
                              .field(B::Camera, Iso, Short, 1, QByteArray("\x64\x00\xFF\xFF", 4))
                              .file();
    QCOMPARE(read(ii).orientation(), std::optional<quint16>(3));
    QCOMPARE(read(ii).iso(), u"100");
}

void ExifParsingTest::userComment_data()
{
    QTest::addColumn<bool>("bigEndian");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    const QByteArray ascii("ASCII\0\0\0", 8);
    const QByteArray unicode("UNICODE\0", 8);
    QTest::newRow("shorter than the code") << false << QByteArray("ASCII", 5) << QString();
    QTest::newRow("ascii padded with zeros") << false << ascii + QByteArray("Trip\0\0\0\0", 8) << u"Trip"_qs;
    QTest::newRow("unicode II") << false << unicode + utf16(u"家族旅行 2005"_qs, false)
                                << u"家族旅行 2005"_qs;
    QTest::newRow("unicode MM") << true << unicode + utf16(u"会議のホワイトボード"_qs, true)
                                << u"会議のホワイトボード"_qs;
    QTest::newRow("unicode with mark")
        << true << unicode + QByteArray("\xFF\xFE", 2) + utf16(u"メモ"_qs, false) << u"メモ"_qs;
    QTest::newRow("shift-jis under another code")
        << false << QByteArray("JIS\0\0\0\0\0", 8) + QByteArray("\x83\x81\x83\x82", 4) << u"メモ"_qs;
    QTest::newRow("utf-8 under an undefined code") << false << QByteArray(8, '\0') + "café" << u"café"_qs;
}

void ExifParsingTest::userComment()
{
    QFETCH(bool, bigEndian);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const ExifReader exif = read(B(bigEndian).undefined(B::Camera, UserComment, bytes).file());
    QCOMPARE(exif.userComment(), expected);
    DibImage image;
    exif.fillProperties(image);
    QCOMPARE(image.hasProperty(QStringLiteral("user_comment")), !expected.isEmpty());
}

void ExifParsingTest::pictureDatePrefersTheShootingDate_data()
{
    QTest::addColumn<QByteArray>("modified");
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("digitized");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all three") << QByteArray("2008:07:31 10:38:11") << QByteArray("2008:05:30 15:56:01")
                               << QByteArray("2008:05:30 15:56:02") << u"2008:05:30 15:56:01"_qs;
    QTest::newRow("no original") << QByteArray("2008:07:31 10:38:11") << QByteArray()
                                 << QByteArray("2008:05:30 15:56:02") << u"2008:07:31 10:38:11"_qs;
    QTest::newRow("digitized only") << QByteArray() << QByteArray() << QByteArray("2008:05:30 15:56:02")
                                    << u"2008:05:30 15:56:02"_qs;
    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray() << QString();
}

void ExifParsingTest::pictureDatePrefersTheShootingDate()
{
    QFETCH(QByteArray, modified);
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, digitized);
    QFETCH(QString, expected);
    B builder;
    if (!modified.isEmpty())
        builder.ascii(B::Picture, DateTime, modified);
    if (!original.isEmpty())
        builder.ascii(B::Camera, Original, original);
    if (!digitized.isEmpty())
        builder.ascii(B::Camera, Digitized, digitized);
    DibImage image;
    read(builder.file()).fillProperties(image);
    QCOMPARE(image.text(QStringLiteral("date_time")), expected);
}

void ExifParsingTest::formattedValues_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, Tag tag, qint64 n, qint64 d, const char* property,
                        const char* text) {
        QTest::newRow(name) << int(tag) << n << d << QString::fromLatin1(property) << QString::fromUtf8(text);
    };
    row("exposure 10/1250 is reduced", ExposureTime, 10, 1250, "shutter_speed", "1/125");
    row("exposure 2/1 in seconds", ExposureTime, 2, 1, "shutter_speed", "2.0");
    row("exposure 10/2187 rounds", ExposureTime, 10, 2187, "shutter_speed", "1/219");
    row("exposure of no time", ExposureTime, 0, 5, "shutter_speed", "");
    row("fnumber 11/1", FNumber, 11, 1, "fnumber", "F11.0");
    row("max aperture 28/10", MaxAperture, 28, 10, "max_aperture", "F2.6");
    row("max aperture beyond any number", MaxAperture, 4000000000, 1, "max_aperture", "");
    row("focal length", FocalLength, 384000, 65536, "focal_length", "5.9 mm");
    row("zero bias", Bias, 0, 167772160, "exposure_bias", "0.00");
    // Without FNumber or ExposureTime, the APEX values are looked up, nearest quarter step.
    row("aperture APEX of F2.8 as cameras write it", Aperture, 194698, 65536, "fnumber", "F2.8");
    row("aperture APEX 9", Aperture, 9, 1, "fnumber", "F22");
    row("aperture APEX past the table", Aperture, 10, 1, "fnumber", "");
    row("shutter APEX 12", ShutterSpeed, 12, 1, "shutter_speed", "1/4000");
    row("shutter APEX of two seconds", ShutterSpeed, -1, 1, "shutter_speed", "2.0");
    row("shutter APEX below the table", ShutterSpeed, 5, -1, "shutter_speed", "");
    // A zero denominator gives no value at all.
    for (Tag tag : {ExposureTime, FNumber, MaxAperture, FocalLength, Bias, Aperture, ShutterSpeed})
        QTest::addRow("zero denominator %d", int(tag))
            << int(tag) << qint64(7) << qint64(0) << QString() << QString();
}

void ExifParsingTest::formattedValues()
{
    QFETCH(int, tag);
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(QString, property);
    QFETCH(QString, expected);
    const bool isSigned = tag == Bias || tag == ShutterSpeed;
    B builder;
    if (isSigned)
        builder.signedRational(B::Camera, quint16(tag), qint32(numerator), qint32(denominator));
    else
        builder.rational(B::Camera, quint16(tag), quint32(numerator), quint32(denominator));
    DibImage image;
    read(builder.file()).fillProperties(image);
    if (expected.isEmpty()) {
        QVERIFY(image.properties().empty());
        return;
    }
    QCOMPARE(image.text(property), expected);
    // With the direct values present the APEX ones are not used.
    if (tag == Aperture || tag == ShutterSpeed) {
        read(builder.rational(B::Camera, FNumber, 71, 10).rational(B::Camera, ExposureTime, 1, 160).file())
            .fillProperties(image);
        QCOMPARE(image.text(QStringLiteral("fnumber")), u"F7.1");
        QCOMPARE(image.text(QStringLiteral("shutter_speed")), u"1/160");
    }
}

void ExifParsingTest::findsTheBlockAfterOtherSegments_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("valid");
    const QByteArray app1 = B(true).ascii(B::Picture, Make, "SHARP").segment();
    const QByteArray soi("\xFF\xD8", 2);
    const QByteArray jfif("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    const QByteArray xmp = QByteArray("\xFF\xE1\x00\x1Ehttp://ns.adobe.com/xap/1.0/\0", 32);
    const QByteArray sos("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    QTest::newRow("first") << soi + app1 << true;
    QTest::newRow("after XMP") << soi + jfif + xmp + app1 << true;
    QTest::newRow("after the picture data") << soi + jfif + sos + app1 << false;
    QTest::newRow("no start of image") << app1 << false;
    QTest::newRow("no byte order") << soi + QByteArray("\xFF\xE1\x00\x10"
                                                       "Exif\0\0XX\0\x2A\0\0\0\x08",
                                                       18)
                                   << false;
}

void ExifParsingTest::findsTheBlockAfterOtherSegments()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, valid);
    const ExifReader exif = read(file);
    QCOMPARE(exif.valid(), valid);
    QCOMPARE(exif.maker(), valid ? u"SHARP"_qs : QString());
}

void ExifParsingTest::damagedStructureIsSafe_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("maker");
    const B base = B().ascii(B::Picture, Make, "CASIO COMPUTER CO.,LTD.");
    // Patches the TIFF body of a built file: offsets count from the TIFF header.
    const auto patched = [](const B& builder, int at, const QByteArray& bytes) {
        QByteArray file = builder.file();
        file.replace(B::TiffStart + at, bytes.size(), bytes);
        return file;
    };
    QTest::newRow("picture directory outside the data")
        << patched(base, 4, base.u32(0xFFFFFFF0)) << QString();
    QTest::newRow("picture directory at the last byte")
        << patched(base, 4, base.u32(quint32(base.tiff().size() - 1))) << QString();
    QTest::newRow("entry count past the end")
        << patched(base, 8, base.u16(0xFFFF)) << u"CASIO COMPUTER CO.,LTD."_qs;
    QTest::newRow("string count that overflows")
        << B().field(B::Picture, Make, 2, 0xFFFFFFFF, 8u).file() << QString();
    QTest::newRow("string offset that wraps")
        << B().field(B::Picture, Make, 2, 0x20, 0xFFFFFFF0u).file() << QString();
    QTest::newRow("string starting at the end")
        << B().field(B::Picture, Make, 2, 8, quint32(B().field(B::Picture, Make, 2, 8, 0u).tiff().size()))
               .file()
        << QString();
    QTest::newRow("string running past the end")
        << B().field(B::Picture, Make, 2, 64,
                     quint32(B().field(B::Picture, Make, 2, 64, 0u).tiff().size() - 8))
               .file()
        << QString();
    QTest::newRow("camera directory outside the data")
        << B().field(B::Picture, ExifPointer, Long, 1, 0x7FFFFFF0u)
               .rational(B::Camera, FNumber, 28, 10)
               .file()
        << QString();
    QTest::newRow("camera directory pointing at itself")
        << B().field(B::Picture, ExifPointer, Long, 1, 8u).file() << QString();
    QTest::newRow("rational of the wrong type")
        << B().field(B::Camera, FNumber, Short, 1, 28u).ascii(B::Picture, Make, "X").file() << u"X"_qs;
    QTest::newRow("user comment past the end")
        << B().field(B::Camera, UserComment, Undefined, 0x10000, 0x40u).file() << QString();
}

void ExifParsingTest::damagedStructureIsSafe()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, maker);
    // Copied into a buffer of its own size, so that the sanitizer sees any read past its end.
    const std::unique_ptr<uchar[]> exact(new uchar[size_t(file.size())]);
    std::memcpy(exact.get(), file.constData(), size_t(file.size()));
    const ExifReader exif(exact.get(), file.size());
    QCOMPARE(exif.maker(), maker);
    QVERIFY(exif.fnumber().isEmpty());
    QVERIFY(exif.userComment().isEmpty());
}

void ExifParsingTest::everyTruncationAndMutationIsSafe()
{
    const QByteArray file =
        B(true)
            .ascii(B::Picture, Make, "NIKON CORPORATION")
            .shortValue(B::Picture, Orientation, 6)
            .ascii(B::Camera, Original, "2005:08:13 09:47:23")
            .rational(B::Camera, ExposureTime, 1, 250)
            .undefined(B::Camera, UserComment, QByteArray("UNICODE\0", 8) + utf16(u"x"_qs, true))
            .file();
    for (qsizetype length = 0; length <= file.size(); ++length) {
        const std::unique_ptr<uchar[]> cut(new uchar[size_t(qMax<qsizetype>(length, 1))]);
        std::memcpy(cut.get(), file.constData(), size_t(length));
        const ExifReader exif(cut.get(), length);
        if (length == file.size())
            QCOMPARE(exif.userComment(), u"x");
    }
    QRandomGenerator random(20240603);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = file;
        for (int flips = 1 + random.bounded(4); flips > 0; --flips)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        const std::unique_ptr<uchar[]> exact(new uchar[size_t(damaged.size())]);
        std::memcpy(exact.get(), damaged.constData(), size_t(damaged.size()));
        DibImage image;
        ExifReader(exact.get(), damaged.size()).fillProperties(image);
    }
}

void ExifParsingTest::calendarTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("last year") << u"2037:12:31 23:59:59"_qs
                               << QDateTime(QDate(2037, 12, 31), QTime(23, 59, 59));
    QTest::newRow("day past the month is carried")
        << u"2005:02:30 12:00:00"_qs << QDateTime(QDate(2005, 3, 2), QTime(12, 0));
    QTest::newRow("before 1970") << u"1969:12:31 12:00:00"_qs << QDateTime();
    QTest::newRow("after 2037") << u"2038:01:19 00:00:00"_qs << QDateTime();
    QTest::newRow("blank date") << u"    :  :     :  :  "_qs << QDateTime();
    QTest::newRow("endless digits") << u"2008:0000000000000000000000000005:30 15:56:01"_qs << QDateTime();
}

void ExifParsingTest::calendarTime()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    const std::optional<qint64> seconds = ExifReader::toCalendarTime(text);
    QCOMPARE(seconds.has_value(), expected.isValid());
    if (seconds)
        QCOMPARE(*seconds, expected.toSecsSinceEpoch());
}

QTEST_GUILESS_MAIN(ExifParsingTest)
#include "tst_ExifParsing.moc"
