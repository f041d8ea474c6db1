#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "CTavDbBackupFolder.h"
#include "CTavDbHolidays.h"
#include "CTavDbSixDay.h"
#include "CTavDbText.h"
#include "PalmTestSupport.h"

using PalmTest::be16;
using PalmTest::code;
using PalmTest::DbFile;

namespace {
struct Day
{
    QDate date;
    QString name;
};

QByteArray dated(const QDate& date, const QByteArray& rest, int size = 72)
{
    QByteArray record = be16(PalmTest::handheldDate(date.year(), date.month(), date.day())) + rest;
    record.resize(size, '\0');
    return record;
}

DbFile yearFile(const QByteArray& header, uint32_t type, uint32_t creator = code("SaSd"))
{
    DbFile file;
    file.creator = creator;
    file.type = type;
    file.records = {{0, 1, 0, 0, header}};
    return file;
}

QByteArray holidayDb(int year, const QList<Day>& days, uint32_t creator = code("SaSd"),
                     uint32_t type = code("HdDy"))
{
    DbFile file = yearFile(PalmTest::yearHeader(296, year), type, creator);
    for (const Day& day : days)
        file.records.append({0x40, uint32_t(file.records.size() + 1), 0, 0,
                             dated(day.date, QByteArray(2, '\0') + CTavDbText::toCp932(day.name))});
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
    DbFile file = yearFile(PalmTest::yearHeader(392, year, count, labels), code("SbWk"), creator);
    for (int n = 0; n < days; ++n)
        file.records.append(
            {0x40, uint32_t(n + 2), 0, 0, dated(QDate(year, 1, 1).addDays(n), be16(uint16_t(labelOf(n))))});
    return file.bytes();
}
} // namespace

class TestPalmHolidays : public QObject
{
    Q_OBJECT

private slots:
    void holidaysOfAYear()
    {
        QTemporaryDir dir;
        const QString f = dir.path() + u'/';
        // Files are tried in name order; the first that fits wins.
        QVERIFY(
            PalmTest::writeFile(f + "A_foreign.pdb", holidayDb(2024, {{{2024, 1, 2}, "偽"}}, code("XXXX"))));
        QVERIFY(PalmTest::writeFile(f + "B_lastyear.pdb", holidayDb(2023, {{{2024, 1, 3}, "去年"}})));
        QVERIFY(PalmTest::writeFile(f + "C_sixday.PDB",
                                    holidayDb(2024, {{{2024, 1, 4}, "六曜"}}, code("SaSd"), code("SbWk"))));
        QVERIFY(PalmTest::writeFile(f + "D_broken.pdb", holidayDb(2024, {{{2024, 1, 5}, "壊"}}).left(100)));
        QVERIFY(PalmTest::writeFile(f + "E_holidays.PDB", holidayDb(2024, {{{2024, 1, 1}, "元日"},
                                                                           {{2024, 2, 12}, "振替休日"},
                                                                           {{2024, 12, 31}, "大晦日"}})));
        QVERIFY(PalmTest::writeFile(f + "F_second.pdb", holidayDb(2024, {{{2024, 5, 5}, "後"}})));
        QVERIFY(PalmTest::writeFile(f + "G_holidays.txt", holidayDb(2025, {{{2025, 1, 1}, "テキスト"}})));

        CTavDbHolidays holidays(f);
        QCOMPARE(holidays.LoadYear(QDate(2024, 6, 1)), 0);
        QCOMPARE(holidays.GetHolidays(2024).size(), 3);
        QCOMPARE(holidays.GetHolidayName(QDate(2024, 2, 12)), QStringLiteral("振替休日"));
        QVERIFY(holidays.IsHoliday(QDate(2024, 12, 31)));
        for (const QDate& other :
             {QDate(2024, 1, 2), QDate(2024, 1, 3), QDate(2024, 1, 4), QDate(2024, 1, 5), QDate(2024, 5, 5)})
            QVERIFY2(!holidays.IsHoliday(other), qPrintable(other.toString(Qt::ISODate)));
        QVERIFY(!holidays.IsHoliday(QDate(2023, 1, 3))); // the 2023 file's entry is dated 2024
        QCOMPARE(holidays.LoadYear(QDate(2025, 1, 1)), -1);
        QCOMPARE(holidays.LoadYear(QDate()), -1);
        // Hidden holidays are still named.
        holidays.SetDisplay(false);
        QVERIFY(!holidays.IsHoliday(QDate(2024, 12, 31)));
        QCOMPARE(holidays.GetHolidayName(QDate(2024, 12, 31)), QStringLiteral("大晦日"));
    }

    void damagedHolidayRecords()
    {
        QTemporaryDir dir;
        DbFile file = yearFile(PalmTest::yearHeader(296, 2024), code("HdDy"));
        file.records +=
            {{0, 2, 0, 0, QByteArray(1, 'x')},                             // too short for a date
             {0, 3, 0, 0, dated(QDate(2024, 3, 20), QByteArray(2, '\0'))}, // no name
             {0, 4, 0, 0, be16(PalmTest::handheldDate(2024, 2, 30))},      // no such day
             {0, 5, 0, 0,
              dated(QDate(2024, 4, 29), QByteArray(2, '\0') + QByteArray(80, 'N'), 90)}}; // name runs on
        QVERIFY(PalmTest::writeFile(dir.filePath("h.pdb"), file.bytes()));
        CTavDbHolidays holidays(dir.path());
        const QList<CTavDbHolidays::Holiday> list = holidays.GetHolidays(2024);
        QCOMPARE(list.size(), 2);
        QVERIFY(list[0].name.isEmpty());
        QCOMPARE(list[1].name, QString(68, u'N')); // only the 72 bytes of a record count

        // A header record shorter than its 296 bytes is not a holiday database.
        file = yearFile(PalmTest::yearHeader(290, 2025), code("HdDy"));
        file.records.append({0, 2, 0, 0, dated(QDate(2025, 1, 1), QByteArray("\0\0x", 3))});
        QVERIFY(PalmTest::writeFile(dir.filePath("short.pdb"), file.bytes()));
        QCOMPARE(holidays.LoadYear(QDate(2025, 1, 1)), -1);
    }

    // Files are tried in name order: another maker's file, seven labels in one year, a year
    // with 300 days, two labels named, records too short for their entry.
    void sixDayLabels()
    {
        QTemporaryDir dir;
        const auto cycle = [](int n) { return n % 6; };
        const auto last = [](int) { return 5; };
        QVERIFY(
            PalmTest::writeFile(dir.filePath("0_holidays.pdb"), holidayDb(2024, {{{2024, 1, 1}, "元日"}})));
        QVERIFY(PalmTest::writeFile(dir.filePath("1_leap.pdb"), sixDayDb(2024, 366, cycle)));
        QVERIFY(PalmTest::writeFile(dir.filePath("2_plain.pdb"), sixDayDb(2023, 365, cycle)));
        QVERIFY(PalmTest::writeFile(dir.filePath("3_short.pdb"), sixDayDb(2027, 300, cycle)));
        QVERIFY(PalmTest::writeFile(dir.filePath("4_two.pdb"), sixDayDb(2029, 365, cycle, 2)));
        QVERIFY(PalmTest::writeFile(dir.filePath("5_other.pdb"), sixDayDb(2025, 365, last, 6, code("XXXX"))));
        QVERIFY(PalmTest::writeFile(dir.filePath("6_seven.pdb"), sixDayDb(2025, 365, last, 7)));
        QVERIFY(PalmTest::writeFile(dir.filePath("7_good.pdb"), sixDayDb(2025, 365, cycle, 6)));
        QVERIFY(PalmTest::writeFile(dir.filePath("8_seven_only.pdb"), sixDayDb(2026, 365, cycle, 7)));
        DbFile tiny =
            yearFile(PalmTest::yearHeader(392, 2028, 6, {"a", "b", "c", "d", "e", "f"}), code("SbWk"));
        tiny.records += {{0, 2, 0, 0, be16(0)}, {0, 3, 0, 0, be16(0) + be16(4)}};
        QVERIFY(PalmTest::writeFile(dir.filePath("9_tiny.pdb"), tiny.bytes()));
        CTavDbSixDay sixDay(dir.path());
        QCOMPARE(sixDay.GetLabelNames(2024), sixLabels);
        QCOMPARE(sixDay.GetLabel(QDate(2024, 2, 29)), sixLabels[59 % 6]);
        // 31 December of a leap year is day 366 and reads the 366th entry.
        QCOMPARE(sixDay.GetLabel(QDate(2024, 12, 31)), sixLabels[365 % 6]);
        QCOMPARE(sixDay.GetLabel(QDate(2023, 12, 31)), sixLabels[364 % 6]);
        QCOMPARE(sixDay.GetLabel(QDate(2027, 10, 27)), sixLabels[299 % 6]);
        QVERIFY(sixDay.GetLabel(QDate(2027, 10, 28)).isEmpty());
        QCOMPARE(sixDay.GetLabelNames(2029), sixLabels.mid(0, 2));
        QVERIFY(sixDay.GetLabel(QDate(2029, 1, 3)).isEmpty()); // label 2 of 2
        QCOMPARE(sixDay.GetLabel(QDate(2025, 3, 3)), sixLabels[(QDate(2025, 3, 3).dayOfYear() - 1) % 6]);
        QVERIFY(sixDay.GetLabelNames(2026).isEmpty());
        QVERIFY(sixDay.GetLabel(QDate(2028, 1, 1)).isEmpty());
        QCOMPARE(sixDay.GetLabel(QDate(2028, 1, 2)), QStringLiteral("e"));
        QCOMPARE(sixDay.LoadYear(QDate(2022, 6, 1)), -1);
    }

    // A HotSync brings the files of a year that was looked at before.
    void backupChangeIsSeen()
    {
        QTemporaryDir dir;
        CTavDbHolidays holidays(dir.path());
        CTavDbSixDay sixDay(dir.path());
        const QDate day(2024, 1, 1);
        QVERIFY(!holidays.IsHoliday(day) && sixDay.GetLabel(day).isEmpty());
        QVERIFY(PalmTest::writeFile(dir.filePath("h.pdb"), holidayDb(2024, {{day, "元日"}})));
        QVERIFY(PalmTest::writeFile(dir.filePath("s.pdb"), sixDayDb(2024, 366, [](int) { return 0; })));
        CTavDbBackupFolder::MarkChanged();
        QVERIFY(holidays.IsHoliday(day));
        QCOMPARE(sixDay.GetLabel(day), sixLabels[0]);
    }
};

QTEST_GUILESS_MAIN(TestPalmHolidays)
#include "tst_palmholidays.moc"
