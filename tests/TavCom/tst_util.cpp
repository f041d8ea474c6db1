#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "CTavComUtil.h"

class TestUtil : public QObject
{
    Q_OBJECT

private slots:
    void timeFormats_data();
    void timeFormats();
    void timeFromSecondsIsLocal();
    void lightColor_data();
    void lightColor();
    void textColorOnBackground_data();
    void textColorOnBackground();
    void split_data();
    void split();
    void existFont_data();
    void existFont();
    void existFontOnThisMachine();
    void logFont();
    void colorRefKeepsRedInLowByte();
    void clipboardText();
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
    row("Japanese text around", night, "%Y年%#m月%#d日(%a)", "2031年12月31日(水)");
}

void TestUtil::timeFormats()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(CTavComUtil::GetTimeStr(time, format), expected);
}

void TestUtil::timeFromSecondsIsLocal()
{
    const QDateTime local(QDate(2025, 7, 1), QTime(21, 30));
    QCOMPARE(CTavComUtil::GetTimeStr(local.toSecsSinceEpoch(), u"%Y-%m-%d %H:%M"_qs), u"2025-07-01 21:30"_qs);
}

void TestUtil::lightColor_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("percent");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("none keeps the colour") << quint32(TavRgb(10, 20, 30)) << 0 << quint32(TavRgb(10, 20, 30));
    QTest::newRow("channels stay apart")
        << quint32(TavRgb(255, 0, 0)) << 50 << quint32(TavRgb(255, 128, 128));
    QTest::newRow("blue stays in the high byte") << quint32(0xFF0000) << 20 << quint32(TavRgb(51, 51, 255));
    QTest::newRow("percent clamped") << quint32(TavRgb(0, 0, 0)) << 250 << quint32(TavRgb(255, 255, 255));
}

void TestUtil::lightColor()
{
    QFETCH(quint32, color);
    QFETCH(int, percent);
    QFETCH(quint32, expected);
    QCOMPARE(CTavComUtil::GetLightColor(color, percent), expected);
}

void TestUtil::textColorOnBackground_data()
{
    QTest::addColumn<quint32>("back");
    QTest::addColumn<bool>("darkText");
    QTest::newRow("pure blue is dark") << quint32(TavRgb(0, 0, 255)) << false;
    QTest::newRow("pure red is dark") << quint32(TavRgb(255, 0, 0)) << false;
    QTest::newRow("pure green is light") << quint32(TavRgb(0, 255, 0)) << true;
    QTest::newRow("Saturday blue") << quint32(0xFFCC99) << true;
    QTest::newRow("mid grey") << quint32(0x808080) << true;
    QTest::newRow("just below mid grey") << quint32(0x7F7F7F) << false;
}

void TestUtil::textColorOnBackground()
{
    QFETCH(quint32, back);
    QFETCH(bool, darkText);
    QCOMPARE(CTavComUtil::GetFrontColDependBkCol(back), darkText ? TavRgb(0, 0, 0) : TavRgb(255, 255, 255));
}

void TestUtil::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const char* text, const char* separator,
                        const QStringList& expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(separator) << expected;
    };
    row("font list", "MS UI Gothic%ＭＳ Ｐゴシック", "%", {"MS UI Gothic", "ＭＳ Ｐゴシック"});
    row("empty text", "", "%", {});
    row("empty fields kept but not the last", "%a%%b%", "%", {"", "a", "", "b"});
    row("only a separator", "%", "%", {""});
    row("longer separator", "a, b, c", ", ", {"a", "b", "c"});
    row("empty separator", "abc", "", {"abc"});
}

void TestUtil::split()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QStringList, expected);
    QCOMPARE(CTavComUtil::SplitString(text, separator), expected);
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
    QFETCH(QString, expected);
    QCOMPARE(CTavComUtil::GetExistFont(preferred, installed), expected);
}

void TestUtil::existFontOnThisMachine()
{
    const QStringList installed = CTavComUtil::GetInstallFonts();
    QVERIFY(!installed.isEmpty());
    const QString face =
        CTavComUtil::GetExistFont({QStringLiteral("No Such Face 1"), QStringLiteral("No Such Face 2")});
    QVERIFY(!face.isEmpty());
    if (installed.contains(QStringLiteral("Noto Sans CJK JP")))
        QCOMPARE(face, QStringLiteral("Noto Sans CJK JP"));
    QVERIFY(CTavComUtil::GetInstallFonts(QFontDatabase::Japanese).size() <= installed.size());
}

void TestUtil::logFont()
{
    const QFont bold = CTavComUtil::InitLogFont(QStringLiteral("Noto Sans CJK JP"), 10, 700);
    QCOMPARE(bold.families().value(0), QStringLiteral("Noto Sans CJK JP"));
    QCOMPARE(bold.pointSize(), 10);
    QCOMPARE(bold.weight(), QFont::Bold);
    const QFont odd = CTavComUtil::InitLogFont(QStringLiteral("X"), 0, 0);
    QVERIFY(odd.pointSize() > 0);
    QCOMPARE(odd.weight(), QFont::Normal);
    // Glyphs the face lacks come from the Japanese faces, not from whatever the system picks.
    QVERIFY(odd.families().contains(QStringLiteral("Noto Sans CJK JP")));
}

void TestUtil::colorRefKeepsRedInLowByte()
{
    QCOMPARE(CTavComUtil::ToQColor(0xB97456), QColor(0x56, 0x74, 0xB9));
    QCOMPARE(CTavComUtil::ToColorRef(QColor(0x56, 0x74, 0xB9)), TavColorRef(0xB97456));
    QCOMPARE(CTavComUtil::ToColorRef(QColor::fromHsv(200, 100, 50)),
             CTavComUtil::ToColorRef(QColor::fromHsv(200, 100, 50).toRgb()));
}

void TestUtil::clipboardText()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("会議\r\n資料"));
    QCOMPARE(CTavComUtil::GetTextFromClipboard(), QStringLiteral("会議\r\n資料"));
}

QTEST_MAIN(TestUtil)
#include "tst_util.moc"
