#include <QTest>

#include "ExifText.h"

// The display texts of camera values, including the worked examples of the camera data format.
class ExifTextTest : public QObject
{
    Q_OBJECT

private slots:
    void exposureTime_data();
    void exposureTime();
    void apertures_data();
    void apertures();
    void apexTables_data();
    void apexTables();
    void lengthsAndBias();
};

void ExifTextTest::exposureTime_data()
{
    QTest::addColumn<quint32>("numerator");
    QTest::addColumn<quint32>("denominator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1/250") << 1u << 250u << u"1/250"_qs;
    QTest::newRow("reduced 10/1250") << 10u << 1250u << u"1/125"_qs;
    QTest::newRow("kept 3/10") << 3u << 10u << u"3/10"_qs;
    QTest::newRow("whole seconds 2/1") << 2u << 1u << u"2.0"_qs;
    QTest::newRow("long exposure 15/1") << 15u << 1u << u"15.0"_qs;
    QTest::newRow("exactly one second") << 7u << 7u << u"1.0"_qs;
    QTest::newRow("numerator 10 and above rounds") << 10u << 2187u << u"1/219"_qs;
    QTest::newRow("reduced numerator stays large") << 37u << 2040u << u"1/55"_qs;
    QTest::newRow("largest values") << 1u << 4294967295u << u"1/4294967295"_qs;
    QTest::newRow("zero time") << 0u << 5u << QString();
    QTest::newRow("zero denominator") << 5u << 0u << QString();
}

void ExifTextTest::exposureTime()
{
    QFETCH(quint32, numerator);
    QFETCH(quint32, denominator);
    QFETCH(QString, expected);
    QCOMPARE(ExifText::exposureTime(numerator, denominator), expected);
}

void ExifTextTest::apertures_data()
{
    QTest::addColumn<quint32>("numerator");
    QTest::addColumn<quint32>("denominator");
    QTest::addColumn<QString>("fnumber");
    QTest::addColumn<QString>("maxAperture");
    QTest::newRow("28/10 and APEX 3") << 28u << 10u << u"F2.8"_qs << u"F2.6"_qs;
    QTest::newRow("3/1") << 3u << 1u << u"F3.0"_qs << u"F2.8"_qs;
    QTest::newRow("4/1") << 4u << 1u << u"F4.0"_qs << u"F4.0"_qs;
    QTest::newRow("11/1") << 11u << 1u << u"F11.0"_qs << u"F45.3"_qs;
    QTest::newRow("APEX beyond any number") << 4000000000u << 1u << u"F4000000000.0"_qs << QString();
    QTest::newRow("zero denominator") << 28u << 0u << QString() << QString();
}

void ExifTextTest::apertures()
{
    QFETCH(quint32, numerator);
    QFETCH(quint32, denominator);
    QFETCH(QString, fnumber);
    QFETCH(QString, maxAperture);
    QCOMPARE(ExifText::fnumber(numerator, denominator), fnumber);
    QCOMPARE(ExifText::maxAperture(numerator, denominator), maxAperture);
}

void ExifTextTest::apexTables_data()
{
    QTest::addColumn<double>("apex");
    QTest::addColumn<QString>("aperture");
    QTest::addColumn<QString>("shutter");
    QTest::newRow("-3") << -3.0 << QString() << u"8.0"_qs;
    QTest::newRow("0") << 0.0 << u"F1.0"_qs << u"1.0"_qs;
    QTest::newRow("1") << 1.0 << u"F1.4"_qs << u"1/2"_qs;
    QTest::newRow("2.97 is taken as 3") << 2.97 << u"F2.8"_qs << u"1/8"_qs;
    QTest::newRow("6.5") << 6.5 << u"F9.5"_qs << u"1/90"_qs;
    QTest::newRow("8") << 8.0 << u"F16"_qs << u"1/250"_qs;
    QTest::newRow("9") << 9.0 << u"F22"_qs << u"1/500"_qs;
    QTest::newRow("12") << 12.0 << QString() << u"1/4000"_qs;
    QTest::newRow("past both tables") << 12.2 << QString() << QString();
    QTest::newRow("below both tables") << -3.2 << QString() << QString();
    QTest::newRow("not a number") << qQNaN() << QString() << QString();
}

void ExifTextTest::apexTables()
{
    QFETCH(double, apex);
    QFETCH(QString, aperture);
    QFETCH(QString, shutter);
    QCOMPARE(ExifText::apertureFromApex(apex), aperture);
    QCOMPARE(ExifText::shutterFromApex(apex), shutter);
}

void ExifTextTest::lengthsAndBias()
{
    QCOMPARE(ExifText::focalLength(58, 10), u"5.8 mm");
    QCOMPARE(ExifText::focalLength(384000, 65536), u"5.9 mm");
    QCOMPARE(ExifText::focalLength(1, 0), QString());
    QCOMPARE(ExifText::exposureBias(-1, 3), u"-0.33");
    QCOMPARE(ExifText::exposureBias(2, 3), u"0.67");
    QCOMPARE(ExifText::exposureBias(0, 167772160), u"0.00");
    QCOMPARE(ExifText::exposureBias(1, 0), QString());
}

QTEST_GUILESS_MAIN(ExifTextTest)
#include "tst_ExifText.moc"
