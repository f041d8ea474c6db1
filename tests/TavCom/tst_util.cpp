#include <QTest>

#include "CTavComUtil.h"

class TestUtil : public QObject
{
    Q_OBJECT

private slots:
    void timeFormats_data();
    void timeFormats();
    void colours_data();
    void colours();
    void existFont_data();
    void existFont();
};

void TestUtil::timeFormats_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    const QDateTime morning(QDate(2024, 3, 5), QTime(9, 5, 7));
    const QDateTime night(QDate(2031, 12, 31), QTime(23, 55, 55));
    const auto row = [](const char* name, const QDateTime& time, const char* format, const char* expected) {
        QTest::newRow(name) << time << QString::fromUtf8(format) << QString::fromUtf8(expected);
    };
    row("store day key and clock", morning, "%Y%m%d %H:%M:%S", "20240305 09:05:07");
    row("without zeros", morning, "%#H:%M %#m/%#d", "9:05 3/5");
    row("names", morning, "%y %a %A %b|%B", "24 火 火曜日 3月|3月");
    row("morning marker and 12-hour clock", morning, "%p%I時", "午前09時");
    row("noon is 12 afternoon", QDateTime(QDate(2024, 1, 1), QTime(12, 0)), "%p%#I", "午後12");
    row("midnight is 12 morning", QDateTime(QDate(1970, 1, 2), QTime(0, 0)), "%p%#I", "午前12");
    row("day of year and weekday number", night, "%j %w", "365 3");
    row("percent kept when not a directive", morning, "100%% %Q%d%", "100% %Q05%");
    row("hash at end kept", morning, "%d%#", "05%#");
}

void TestUtil::timeFormats()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, format);
    QTEST(CTavComUtil::GetTimeStr(time, format), "expected");
}

void TestUtil::colours_data()
{
    // Lightened by a percentage, or (percent -1) the text colour that reads on the background.
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("percent");
    QTest::addColumn<quint32>("expected");
    const quint32 black = TavRgb(0, 0, 0), white = TavRgb(255, 255, 255);
    QTest::newRow("lighter, channels apart")
        << quint32(TavRgb(255, 0, 0)) << 50 << quint32(TavRgb(255, 128, 128));
    QTest::newRow("lighter, blue in the high byte")
        << quint32(0xFF0000) << 20 << quint32(TavRgb(51, 51, 255));
    QTest::newRow("percent clamped") << black << 250 << white;
    QTest::newRow("on pure blue") << quint32(TavRgb(0, 0, 255)) << -1 << white;
    QTest::newRow("on pure green") << quint32(TavRgb(0, 255, 0)) << -1 << black;
    QTest::newRow("on mid grey") << quint32(0x808080) << -1 << black;
    QTest::newRow("just below mid grey") << quint32(0x7F7F7F) << -1 << white;
}

void TestUtil::colours()
{
    QFETCH(quint32, color);
    QFETCH(int, percent);
    QTEST(percent < 0 ? CTavComUtil::GetFrontColDependBkCol(color)
                      : CTavComUtil::GetLightColor(color, percent),
          "expected");
    // The stored colour keeps red in its low byte.
    QCOMPARE(CTavComUtil::ToColorRef(CTavComUtil::ToQColor(color)), TavColorRef(color));
}

void TestUtil::existFont_data()
{
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("expected");
    const QStringList debian{"DejaVu Sans", "IPAGothic", "Noto Sans CJK JP"};
    QTest::newRow("first installed preference wins")
        << QStringList{"Missing", "IPAGothic", "DejaVu Sans"} << debian << "IPAGothic";
    QTest::newRow("Japanese faces missing: Noto first")
        << QStringList{"MS UI Gothic", "ＭＳ Ｐゴシック"} << debian << "Noto Sans CJK JP";
    QTest::newRow("no Noto: IPA") << QStringList{"MS UI Gothic"} << QStringList{"DejaVu Sans", "IPAGothic"}
                                  << "IPAGothic";
    QTest::newRow("case, blanks and empty entries")
        << QStringList{"", " dejavu sans "} << debian << "DejaVu Sans";
}

void TestUtil::existFont()
{
    QFETCH(QStringList, preferred);
    QFETCH(QStringList, installed);
    QTEST(CTavComUtil::GetExistFont(preferred, installed), "expected");
    // Glyphs a face lacks come from the Japanese faces, not from whatever the system picks.
    QVERIFY(CTavComUtil::InitLogFont(preferred.last(), 9, 400).families().contains(u"Noto Sans CJK JP"_qs));
}

QTEST_MAIN(TestUtil)
#include "tst_util.moc"
