#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbBackupFolder.h"
#include "CTavDbCalendarDays.h"
#include "CTavDbText.h"
#include "PalmTestSupport.h"

using PalmTest::be16;
using PalmTest::code;
using Source = CTavDbCalendarDays::Source;

namespace {
QByteArray entry(const QDate& d, const QByteArray& rest, int size)
{
    QByteArray record = be16(PalmTest::handheldDate(d.year(), d.month(), d.day())) + rest;
    record.resize(size, '\0');
    return record;
}

// A holiday database of 2024 holding one made-up holiday, and a six-day database of 2024 whose
// every day is 大安.
void writeHandheld2024(const QString& folder)
{
    PalmTest::DbFile holidays;
    holidays.creator = code("SaSd");
    holidays.type = code("HdDy");
    holidays.records = {
        {0, 1, 0, 0, PalmTest::yearHeader(296, 2024)},
        {0, 2, 0, 0, entry({2024, 3, 1}, QByteArray(2, '\0') + CTavDbText::toCp932("端末の日"), 72)}};
    QVERIFY(PalmTest::writeFile(folder + "Holidays.pdb", holidays.bytes()));
    PalmTest::DbFile sixDay = holidays;
    sixDay.type = code("SbWk");
    sixDay.records = {{0, 1, 0, 0, PalmTest::yearHeader(392, 2024, 1, {CTavDbText::toCp932("大安")})}};
    for (int i = 0; i < 366; ++i)
        sixDay.records.append({0, uint32_t(i + 2), 0, 0, entry(QDate(2024, 1, 1).addDays(i), be16(0), 4)});
    QVERIFY(PalmTest::writeFile(folder + "SixDay.pdb", sixDay.bytes()));
}

QByteArray cp932(const QString& text)
{
    return CTavDbText::toCp932(text);
}
} // namespace

class TestCalendarDays : public QObject
{
    Q_OBJECT

private slots:
    // The handheld's year wins, the imported list fills the years it names, the law the rest.
    void sourcesInOrder()
    {
        QTemporaryDir dir;
        const QString user = dir.path() + u'/';
        const QString backup = user + "Backup/";
        QVERIFY(QDir().mkpath(backup));
        QCOMPARE(CTavDbHolidayImport::UserFolderOf(backup), user);
        QVERIFY(CTavDbHolidayImport::UserFolderOf(user + "Other/").isEmpty());
        writeHandheld2024(backup);
        QVERIFY(PalmTest::writeFile(user + "list.csv",
                                    cp932("国民の祝日・休日月日,国民の祝日・休日名称\r\n"
                                          "2024/1/1,元日\r\n2025/1/1,元日\r\n\"2025/1/13\",成人の日\r\n")));

        CTavDbHolidays holidays(backup);
        CTavDbSixDay sixDay(backup);
        CTavDbCalendarDays days(holidays, sixDay);
        days.SetUserFolder(user);
        QString error;
        QVERIFY2(days.Import(user + "list.csv", &error), qPrintable(error));
        QVERIFY(QFile::exists(CTavDbHolidayImport::PathIn(user)));

        Source source;
        QCOMPARE(days.Holidays(2024, &source).size(), 1);
        QCOMPARE(source, Source::Handheld);
        CTavDbCalendarDays::Day day = days.Lookup({2024, 3, 1});
        QVERIFY(day.holiday == "端末の日" && day.holidaySource == Source::Handheld);
        QVERIFY(day.sixDay == "大安" && day.sixDaySource == Source::Handheld);
        day = days.Lookup({2024, 1, 1}); // the database knows no New Year
        QVERIFY(day.holiday.isEmpty() && day.holidaySource == Source::None && day.sixDay == "大安");

        day = days.Lookup({2025, 1, 13});
        QVERIFY(day.holiday == "成人の日" && day.holidaySource == Source::Imported);
        QVERIFY(day.sixDay == "先勝" && day.sixDaySource == Source::Computed);
        QVERIFY(days.HolidayName({2025, 2, 11}).isEmpty()); // the list is the whole year
        QCOMPARE(days.Holidays(2025, &source).size(), 2);
        QCOMPARE(source, Source::Imported);

        day = days.Lookup({2026, 2, 11});
        QVERIFY(day.holiday == "建国記念の日" && day.holidaySource == Source::Computed);
        QCOMPARE(days.HolidayName({1948, 1, 1}), QString());
        days.Holidays(1948, &source);
        QCOMPARE(source, Source::None);

        // A HotSync that takes the databases away: 2024 falls to the list and the computation.
        QVERIFY(QFile::remove(backup + "Holidays.pdb") && QFile::remove(backup + "SixDay.pdb"));
        CTavDbBackupFolder::MarkChanged();
        day = days.Lookup({2024, 1, 1});
        QVERIFY(day.holiday == "元日" && day.holidaySource == Source::Imported);
        QVERIFY(day.sixDay == "赤口" && day.sixDaySource == Source::Computed);

        // A list kept by another program (the command line) is read afresh once the cache goes.
        QVERIFY(PalmTest::writeFile(user + "2026.csv", cp932("2026/5/1,特別な日\n")));
        CTavDbHolidayImport other;
        QVERIFY(CTavDbHolidayImport::Import(user + "2026.csv", user, &other, &error));
        CTavDbBackupFolder::MarkChanged();
        QCOMPARE(days.HolidayName({2026, 5, 1}), QStringLiteral("特別な日"));
        QCOMPARE(days.Lookup({2024, 1, 1}).holidaySource, Source::Computed);
    }

    // Reading the government's file: a title line, quotes, line ends; what is not a list is
    // refused with the file and line named, and the user's copy stays as it was.
    void importedListFile()
    {
        QTemporaryDir dir;
        const QString user = dir.path() + u'/';
        CTavDbHolidayImport list;
        QString error;
        QVERIFY(list.Parse(cp932("国民の祝日・休日月日,国民の祝日・休日名称\n2024/2/12,休日\r\n"
                                 "2024-02-11,建国記念の日\n\n2023/12/23, 天皇誕生日 \n"),
                           "a.csv", &error));
        QCOMPARE(list.Years(), (QList<int>{2023, 2024}));
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Year(2024).first().date, QDate(2024, 2, 11)); // sorted
        QCOMPARE(list.Year(2023).first().name, QStringLiteral("天皇誕生日"));

        const struct
        {
            QByteArray bytes;
            QString message;
        } bad[] = {
            {cp932("2024/1/1,元日\n2024/13/1,ない日\n"), "bad.csv の 2 行目"},
            {cp932("2024/1/1,元日\n2024/1/2\n"), "bad.csv の 2 行目"},
            {cp932("日付,名称\n"), "bad.csv に祝日がありません"},
            {cp932("2024/1/1,元日\n") + "2024/1/2,\x82\n", "bad.csv の 2 行目"},
            {QByteArray(), "bad.csv に祝日がありません"},
        };
        for (const auto& c : bad) {
            QVERIFY(!list.Parse(c.bytes, "bad.csv", &error));
            QVERIFY2(error.startsWith(c.message), qPrintable(error));
        }
        QCOMPARE(list.Count(), 3); // a failed read keeps the list

        QVERIFY(PalmTest::writeFile(user + "good.csv", cp932("2024/1/1,元日\n")));
        QVERIFY(PalmTest::writeFile(user + "bad.csv", cp932("2024/1/1,元日\nおかしい\n")));
        QVERIFY(CTavDbHolidayImport::Import(user + "good.csv", user, nullptr, &error));
        QVERIFY(!CTavDbHolidayImport::Import(user + "bad.csv", user, nullptr, &error));
        QVERIFY(error.contains("bad.csv"));
        QVERIFY(!CTavDbHolidayImport::Import(user + "missing.csv", user, nullptr, &error));
        QVERIFY(list.Load(CTavDbHolidayImport::PathIn(user), &error));
        QCOMPARE(list.Count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCalendarDays)
#include "tst_calendardays.moc"
