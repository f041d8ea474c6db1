#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "CTavDbBackupFolder.h"
#include "CTavDbHolidays.h"
#include "CTavDbPalmDate.h"
#include "CTavDbSixDay.h"
#include "CTavDbText.h"
#include "PalmTestSupport.h"

using PalmTest::code;
using PalmTest::DbFile;

class TestPalmHolidays : public QObject
{
    Q_OBJECT

private slots:
    void palmDateLayout_data();
    void palmDateLayout();
    void holidaysOfAYear();
    void yearsAreReadOnce();
    void damagedHolidayRecords();
    void sixDayLabels();
    void sixDayFilesThatDoNotCount();
    void sixDayTableEdges();
    void backupChangeIsSeen();
};

namespace {
struct Day
{
    QDate date;
    QString name;
};

QByteArray holidayRecord(const QDate& date, const QByteArray& name, int size = 72)
{
    QByteArray record = PalmTest::be16(PalmTest::handheldDate(date.year(), date.month(), date.day()));
    record += QByteArray(2, '\0') + name;
    record.resize(size, '\0');
    return record;
}

QByteArray holidayDb(int year, const QList<Day>& days, uint32_t creator = code("SaSd"),
                     uint32_t type = code("HdDy"))
{
    DbFile file;
    file.creator = creator;
    file.type = type;
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(296, year)}};
    uint32_t id = 2;
    for (const Day& day : days)
        file.records.append({0x40, id++, 0, 0, holidayRecord(day.date, CTavDbText::toCp932(day.name))});
    return file.bytes();
}

const QStringList sixLabels = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

// One record per day of the year; labelOf gives the label index of day n (0-based).
QByteArray sixDayDb(int year, int days, const std::function<int(int)>& labelOf, int count = 6,
                    uint32_t creator = code("SaSd"))
{
    QList<QByteArray> labels;
    for (const QString& label : sixLabels)
        labels << CTavDbText::toCp932(label);
    DbFile file;
    file.creator = creator;
    file.type = code("SbWk");
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(392, year, count, labels)}};
    for (int n = 0; n < days; ++n) {
        const QDate date = QDate(year, 1, 1).addDays(n);
        QByteArray record = PalmTest::be16(PalmTest::handheldDate(date.year(), date.month(), date.day()));
        record += PalmTest::be16(uint16_t(labelOf(n)));
        record.resize(72, '\0');
        file.records.append({0x40, uint32_t(n + 2), 0, 0, record});
    }
    return file.bytes();
}
} // namespace

void TestPalmHolidays::palmDateLayout_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<uint>("palmDate");
    QTest::newRow("first day") << QDate(1904, 1, 1) << uint(0 | 1 << 7 | 1 << 11);
    QTest::newRow("leap day") << QDate(2024, 2, 29) << uint(120 | 2 << 7 | 29 << 11);
    QTest::newRow("last day") << QDate(2031, 12, 31) << uint(127 | 12 << 7 | 31 << 11);
}

void TestPalmHolidays::palmDateLayout()
{
    QFETCH(QDate, date);
    QFETCH(uint, palmDate);
    QCOMPARE(uint(CTavDbPalmDate::FromDate(date)), palmDate);
    QCOMPARE(CTavDbPalmDate::ToDate(uint16_t(palmDate)), date);
    const uint16_t handheld = PalmTest::handheldDate(date.year(), date.month(), date.day());
    QCOMPARE(uint(CTavDbPalmDate::FromHandheld(handheld)), palmDate);
    QCOMPARE(CTavDbPalmDate::ToHandheld(uint16_t(palmDate)), handheld);
    // Outside the 7-bit year there is no Palm date.
    QCOMPARE(CTavDbPalmDate::FromDate(QDate(1903, 12, 31)), uint16_t(0));
    QCOMPARE(CTavDbPalmDate::FromDate(QDate(2032, 1, 1)), uint16_t(0));
    QVERIFY(!CTavDbPalmDate::ToDate(0).isValid());
}

void TestPalmHolidays::holidaysOfAYear()
{
    QTemporaryDir dir;
    const QString f = dir.path() + u'/';
    // Files are tried in name order; the first that fits wins.
    QVERIFY(PalmTest::writeFile(f + "A_foreign.pdb", holidayDb(2024, {{{2024, 1, 2}, "偽"}}, code("XXXX"))));
    QVERIFY(PalmTest::writeFile(f + "B_lastyear.pdb", holidayDb(2023, {{{2024, 1, 3}, "去年"}})));
    QVERIFY(PalmTest::writeFile(f + "C_sixday.PDB",
                                holidayDb(2024, {{{2024, 1, 4}, "六曜"}}, code("SaSd"), code("SbWk"))));
    QVERIFY(PalmTest::writeFile(f + "D_broken.pdb", holidayDb(2024, {{{2024, 1, 5}, "壊"}}).left(100)));
    QVERIFY(PalmTest::writeFile(f + "E_holidays.PDB", holidayDb(2024, {{{2024, 1, 1}, "元日"},
                                                                       {{2024, 1, 8}, "成人の日"},
                                                                       {{2024, 2, 12}, "振替休日"},
                                                                       {{2024, 12, 31}, "大晦日"}})));
    QVERIFY(PalmTest::writeFile(f + "F_second.pdb", holidayDb(2024, {{{2024, 5, 5}, "後"}})));
    QVERIFY(PalmTest::writeFile(f + "G_holidays.txt", holidayDb(2025, {{{2025, 1, 1}, "テキスト"}})));

    CTavDbHolidays holidays(f);
    QCOMPARE(holidays.LoadYear(QDate(2024, 6, 1)), 0);
    const QList<CTavDbHolidays::Holiday> list = holidays.GetHolidays(2024);
    QCOMPARE(list.size(), 4);
    QCOMPARE(list[2].date, QDate(2024, 2, 12));
    QCOMPARE(list[2].name, QStringLiteral("振替休日"));
    QVERIFY(holidays.IsHoliday(QDate(2024, 12, 31)));
    QCOMPARE(holidays.GetHolidayName(QDate(2024, 1, 8)), QStringLiteral("成人の日"));
    for (const QDate& other : {QDate(2024, 1, 2), QDate(2024, 1, 3), QDate(2024, 1, 4), QDate(2024, 1, 5),
                               QDate(2024, 5, 5), QDate(2024, 1, 9)})
        QVERIFY2(!holidays.IsHoliday(other), qPrintable(other.toString(Qt::ISODate)));

    QCOMPARE(holidays.LoadYear(QDate(2023, 1, 1)), 0);
    QVERIFY(!holidays.IsHoliday(QDate(2023, 1, 3))); // the 2023 file's entry is dated 2024
    QCOMPARE(holidays.LoadYear(QDate(2025, 1, 1)), -1);
    QVERIFY(!holidays.IsHoliday(QDate(2025, 1, 1)));
    QCOMPARE(holidays.LoadYear(QDate()), -1);
    QCOMPARE(CTavDbHolidays(QString()).LoadYear(QDate(2024, 1, 1)), -1);
}

void TestPalmHolidays::yearsAreReadOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("h.pdb");
    QVERIFY(PalmTest::writeFile(path, holidayDb(2024, {{{2024, 1, 1}, "元日"}})));
    CTavDbHolidays holidays(dir.path());
    QVERIFY(holidays.IsHoliday(QDate(2024, 1, 1)));
    QCOMPARE(holidays.LoadYear(QDate(2030, 1, 1)), -1);
    QVERIFY(QFile::remove(path));
    QVERIFY(PalmTest::writeFile(dir.filePath("later.pdb"), holidayDb(2030, {{{2030, 1, 1}, "元日"}})));
    // The years already looked at keep their answers until the next HotSync resets them.
    QVERIFY(holidays.IsHoliday(QDate(2024, 1, 1)));
    QCOMPARE(holidays.LoadYear(QDate(2030, 1, 1)), -1);
    holidays.Reset();
    QVERIFY(!holidays.IsHoliday(QDate(2024, 1, 1)));
    QVERIFY(holidays.IsHoliday(QDate(2030, 1, 1)));
    // Hidden holidays are still listed and named.
    holidays.SetDisplay(false);
    QVERIFY(!holidays.IsHoliday(QDate(2030, 1, 1)));
    QCOMPARE(holidays.GetHolidays(2030).size(), 1);
    QCOMPARE(holidays.GetHolidayName(QDate(2030, 1, 1)), QStringLiteral("元日"));
    holidays.SetDisplay(true);
    holidays.SetFolder(QString());
    QVERIFY(!holidays.IsHoliday(QDate(2030, 1, 1)));
}

void TestPalmHolidays::damagedHolidayRecords()
{
    QTemporaryDir dir;
    DbFile file;
    file.creator = code("SaSd");
    file.type = code("HdDy");
    const QByteArray longName(80, 'N');
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(296, 2024)},
                    {0, 2, 0, 0, QByteArray(1, 'x')},                                  // too short for a date
                    {0, 3, 0, 0, holidayRecord(QDate(2024, 3, 20), "")},               // no name
                    {0, 4, 0, 0, PalmTest::be16(PalmTest::handheldDate(2024, 2, 30))}, // no such day
                    {0, 5, 0, 0, holidayRecord(QDate(2024, 4, 29), longName, 90)}};    // name runs on
    QVERIFY(PalmTest::writeFile(dir.filePath("h.pdb"), file.bytes()));
    CTavDbHolidays holidays(dir.path());
    const QList<CTavDbHolidays::Holiday> list = holidays.GetHolidays(2024);
    QCOMPARE(list.size(), 2);
    QVERIFY(list[0].name.isEmpty());
    QVERIFY(holidays.IsHoliday(QDate(2024, 3, 20)));
    // Only the 72 bytes of a record count: 68 bytes of name.
    QCOMPARE(list[1].name, QString(68, u'N'));

    // A header record shorter than its 296 bytes is not a holiday database.
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(290, 2025)},
                    {0, 2, 0, 0, holidayRecord(QDate(2025, 1, 1), "x")}};
    QVERIFY(PalmTest::writeFile(dir.filePath("short.pdb"), file.bytes()));
    QCOMPARE(holidays.LoadYear(QDate(2025, 1, 1)), -1);
}

void TestPalmHolidays::sixDayLabels()
{
    QTemporaryDir dir;
    const auto cycle = [](int n) { return n % 6; };
    QVERIFY(PalmTest::writeFile(dir.filePath("leap.pdb"), sixDayDb(2024, 366, cycle)));
    QVERIFY(PalmTest::writeFile(dir.filePath("plain.pdb"), sixDayDb(2023, 365, cycle)));
    QVERIFY(PalmTest::writeFile(dir.filePath("holidays.pdb"), holidayDb(2024, {{{2024, 1, 1}, "元日"}})));
    CTavDbSixDay sixDay(dir.path());
    QCOMPARE(sixDay.LoadYear(QDate(2024, 1, 1)), 0);
    QCOMPARE(sixDay.GetLabelNames(2024), sixLabels);
    QCOMPARE(sixDay.GetLabel(QDate(2024, 2, 29)), sixLabels[59 % 6]);
    // 31 December of a leap year is day 366 and reads the 366th entry.
    QCOMPARE(sixDay.GetLabel(QDate(2024, 12, 31)), sixLabels[365 % 6]);
    QCOMPARE(sixDay.GetLabel(QDate(2023, 12, 31)), sixLabels[364 % 6]);
    QCOMPARE(sixDay.LoadYear(QDate(2022, 6, 1)), -1);
}

void TestPalmHolidays::sixDayFilesThatDoNotCount()
{
    QTemporaryDir dir;
    const auto first = [](int) { return 0; };
    const auto last = [](int) { return 5; };
    QVERIFY(
        PalmTest::writeFile(dir.filePath("1_other_creator.pdb"), sixDayDb(2025, 365, last, 6, code("XXXX"))));
    QVERIFY(PalmTest::writeFile(dir.filePath("2_seven_labels.pdb"), sixDayDb(2025, 365, last, 7)));
    QVERIFY(PalmTest::writeFile(dir.filePath("3_good.pdb"), sixDayDb(2025, 365, first, 6)));
    QVERIFY(PalmTest::writeFile(dir.filePath("4_seven_only.pdb"), sixDayDb(2026, 365, first, 7)));
    CTavDbSixDay sixDay(dir.path());
    QCOMPARE(sixDay.GetLabel(QDate(2025, 3, 3)), sixLabels[0]);
    QCOMPARE(sixDay.LoadYear(QDate(2026, 1, 1)), -1);
    QVERIFY(sixDay.GetLabelNames(2026).isEmpty());
}

void TestPalmHolidays::sixDayTableEdges()
{
    QTemporaryDir dir;
    // 300 days only.
    QVERIFY(PalmTest::writeFile(dir.filePath("short.pdb"), sixDayDb(2027, 300, [](int n) { return n % 2; })));
    // Two labels named, and label indexes running past them.
    QVERIFY(PalmTest::writeFile(dir.filePath("two.pdb"), sixDayDb(
                                                             2029, 365, [](int n) { return n % 6; }, 2)));
    CTavDbSixDay sixDay(dir.path());
    QCOMPARE(sixDay.GetLabel(QDate(2027, 10, 27)), sixLabels[1]); // day 300, the last entry
    QVERIFY(sixDay.GetLabel(QDate(2027, 10, 28)).isEmpty());      // day 301, past the table
    QCOMPARE(sixDay.GetLabelNames(2029), sixLabels.mid(0, 2));
    QCOMPARE(sixDay.GetLabel(QDate(2029, 1, 2)), sixLabels[1]);
    QVERIFY(sixDay.GetLabel(QDate(2029, 1, 3)).isEmpty());

    // A record too short for its entry keeps its day's place without a label.
    DbFile file;
    file.creator = code("SaSd");
    file.type = code("SbWk");
    QList<QByteArray> labels;
    for (const QString& label : sixLabels)
        labels << CTavDbText::toCp932(label);
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(392, 2028, 6, labels)},
                    {0, 2, 0, 0, PalmTest::be16(0)},
                    {0, 3, 0, 0, PalmTest::be16(0) + PalmTest::be16(4)}};
    QVERIFY(PalmTest::writeFile(dir.filePath("tiny.pdb"), file.bytes()));
    QVERIFY(sixDay.GetLabel(QDate(2028, 1, 1)).isEmpty());
    QCOMPARE(sixDay.GetLabel(QDate(2028, 1, 2)), sixLabels[4]);
}

void TestPalmHolidays::backupChangeIsSeen()
{
    QTemporaryDir dir;
    CTavDbHolidays holidays(dir.path());
    CTavDbSixDay sixDay(dir.path());
    const QDate day(2024, 1, 1);
    QVERIFY(!holidays.IsHoliday(day) && sixDay.GetLabel(day).isEmpty());
    // A HotSync brings the files of a year that was looked at before.
    QVERIFY(PalmTest::writeFile(dir.filePath("h.pdb"), holidayDb(2024, {{day, "元日"}})));
    QVERIFY(PalmTest::writeFile(dir.filePath("s.pdb"), sixDayDb(2024, 366, [](int) { return 0; })));
    CTavDbBackupFolder::MarkChanged();
    QVERIFY(holidays.IsHoliday(day));
    QCOMPARE(sixDay.GetLabel(day), sixLabels[0]);
}

QTEST_GUILESS_MAIN(TestPalmHolidays)
#include "tst_palmholidays.moc"
