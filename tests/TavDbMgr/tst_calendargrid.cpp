#include <QTest>

#include "CTavScCalendarGrid.h"

namespace {
// The week of a date as "the year that holds the week's Thursday, and which of its Thursdays".
int thursdayWeek(const QDate& date, int firstDayOfWeek, int* year)
{
    const QDate weekStart = date.addDays(-((date.dayOfWeek() % 7 - firstDayOfWeek + 7) % 7));
    const QDate thursday = weekStart.addDays((4 - firstDayOfWeek + 7) % 7);
    *year = thursday.year();
    return (thursday.dayOfYear() - 1) / 7 + 1;
}
} // namespace

class TestCalendarGrid : public QObject
{
    Q_OBJECT

private slots:
    void validation_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<int>("expected");
        QTest::newRow("first year") << 1970 << 1 << 1 << 0 << 0;
        QTest::newRow("last day") << 2031 << 12 << 31 << 6 << 0;
        QTest::newRow("1969") << 1969 << 12 << 31 << 0 << -2;
        QTest::newRow("2032") << 2032 << 1 << 1 << 0 << -2;
        QTest::newRow("month 13") << 2025 << 13 << 1 << 0 << -3;
        QTest::newRow("29 Feb of a common year") << 2025 << 2 << 29 << 0 << -4;
        QTest::newRow("29 Feb 2000 (divisible by 400)") << 2000 << 2 << 29 << 0 << 0;
        QTest::newRow("day 0") << 2025 << 4 << 0 << 0 << -4;
        QTest::newRow("first day 7") << 2025 << 4 << 1 << 7 << -5;
    }

    void validation()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, firstDay);
        QFETCH(int, expected);
        QCOMPARE(CTavScCalendarGrid::Validate(year, month, day, firstDay), expected);
        CTavScCalendarGrid grid;
        QCOMPARE(grid.Build(2025, 6, 0), 0);
        const int built = grid.Build(year, month, day, firstDay);
        if (expected != 0) {
            // A refused build keeps the grid it had.
            QCOMPARE(built, expected);
            QCOMPARE(grid.GetYear(), 2025);
            QCOMPARE(grid.GetMonth(), 6);
        } else {
            QCOMPARE(grid.GetCellDate(built), QDate(year, month, day));
        }
    }

    // Every month of the range with every first day: each cell is the real date it claims.
    void cellsAreTheirDates()
    {
        CTavScCalendarGrid grid;
        for (int year = 1970; year <= 2031; ++year) {
            for (int month = 1; month <= 12; ++month) {
                for (int firstDay = 0; firstDay < 7; ++firstDay) {
                    QCOMPARE(grid.Build(year, month, firstDay), 0);
                    const QDate first(year, month, 1);
                    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
                        CTavScCalendarGrid::Cell cell;
                        grid.GetCell(i, cell);
                        const QDate date = grid.GetCellDate(i);
                        QCOMPARE(cell.day, date.day());
                        QCOMPARE(cell.weekday, date.dayOfWeek() % 7);
                        const int kind = !CTavDbTime::inRange(date) ? -2
                                         : date < first             ? -1
                                         : date.month() == month    ? 0
                                                                    : 1;
                        QCOMPARE(cell.kind, kind);
                        QCOMPARE(grid.FindDate(date), i);
                    }
                    QCOMPARE(grid.GetCellDate(0).dayOfWeek() % 7, firstDay);
                    CTavScCalendarGrid::Cell cell;
                    QCOMPARE(grid.GetCell(CTavScCalendarGrid::kCells, cell), -1);
                    QCOMPARE(grid.GetCell(-1, cell), -1);
                }
            }
        }
    }

    // Every day of the range, every first day of week: the Thursday rule, and ISO 8601 for
    // weeks from Monday.
    void weekNumbersFollowThursday()
    {
        for (int firstDay = 0; firstDay < 7; ++firstDay) {
            for (QDate d(1970, 1, 1); d <= QDate(2031, 12, 31); d = d.addDays(1)) {
                int year = 0;
                int expectedYear = 0;
                const int week = CTavScCalendarGrid::WeekNumber(d, firstDay, &year);
                const int expected = thursdayWeek(d, firstDay, &expectedYear);
                if (week != expected || year != expectedYear)
                    QFAIL(qPrintable(QStringLiteral("%1 from weekday %2: week %3 of %4, expected %5 of %6")
                                         .arg(d.toString(Qt::ISODate))
                                         .arg(firstDay)
                                         .arg(week)
                                         .arg(year)
                                         .arg(expected)
                                         .arg(expectedYear)));
                if (firstDay == 1) {
                    int isoYear = 0;
                    QCOMPARE(week, d.weekNumber(&isoYear));
                    QCOMPARE(year, isoYear);
                }
            }
        }
    }

    void weekNumbersAcrossYearEnds_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<int>("week");
        QTest::addColumn<int>("year");
        // 1 January 2021 is a Friday: its week belongs to 2020.
        QTest::newRow("Fri 1 Jan 2021, Sunday weeks") << QDate(2021, 1, 1) << 0 << 53 << 2020;
        // 1 January 2025 is a Wednesday: its week is week 1 and reaches back into December.
        QTest::newRow("Mon 30 Dec 2024, Monday weeks") << QDate(2024, 12, 30) << 1 << 1 << 2025;
        QTest::newRow("Sun 29 Dec 2024, Sunday weeks") << QDate(2024, 12, 29) << 0 << 1 << 2025;
    }

    void weekNumbersAcrossYearEnds()
    {
        QFETCH(QDate, date);
        QFETCH(int, firstDay);
        QFETCH(int, week);
        QFETCH(int, year);
        CTavScCalendarGrid grid;
        const int cell = grid.Build(date.year(), date.month(), date.day(), firstDay);
        int weekYear = 0;
        QCOMPARE(grid.GetWeekNumber(cell, &weekYear), week);
        QCOMPARE(weekYear, year);
    }

    // The first day of every week of every year leads back to that week; week 1 answers 1 January.
    void weekFirstDayRoundTrip()
    {
        for (int firstDay = 0; firstDay < 7; ++firstDay) {
            for (int year = 1970; year <= 2031; ++year) {
                int month = 0;
                int day = 0;
                QCOMPARE(CTavScCalendarGrid::WeekFirstDay(year, 1, firstDay, &month, &day), 0);
                QCOMPARE(QDate(year, month, day), QDate(year, 1, 1));
                int weeks = 1;
                for (int week = 2; week <= 54; ++week) {
                    if (CTavScCalendarGrid::WeekFirstDay(year, week, firstDay, &month, &day) != 0)
                        break;
                    weeks = week;
                    const QDate first(year, month, day);
                    QCOMPARE(first.dayOfWeek() % 7, firstDay);
                    int owner = 0;
                    QCOMPARE(CTavScCalendarGrid::WeekNumber(first, firstDay, &owner), week);
                    QCOMPARE(owner, year);
                }
                // As many weeks as the year has Thursdays; the week after the last is refused.
                const QDate newYearsEve(year, 12, 31);
                const QDate lastThursday = newYearsEve.addDays(-((newYearsEve.dayOfWeek() % 7 - 4 + 7) % 7));
                QCOMPARE(weeks, (lastThursday.dayOfYear() - 1) / 7 + 1);
                QCOMPARE(CTavScCalendarGrid::WeekFirstDay(year, weeks + 1, firstDay, &month, &day), -6);
            }
        }
        int month = 0;
        int day = 0;
        QCOMPARE(CTavScCalendarGrid::WeekFirstDay(2025, 0, 0, &month, &day), -6);
        QCOMPARE(CTavScCalendarGrid::WeekFirstDay(2032, 1, 0, &month, &day), -2);
        QCOMPARE(CTavScCalendarGrid::WeekFirstDay(2025, 1, 7, &month, &day), -5);
    }

    void stepDays_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("UTC") << QByteArray("UTC");
        QTest::newRow("Berlin (clock change at 02:00)") << QByteArray("Europe/Berlin");
        QTest::newRow("Sao Paulo (clock change at midnight until 2019)") << QByteArray("America/Sao_Paulo");
    }

    // Walking the whole range a day at a time visits every day once, in both directions.
    void stepDays()
    {
        QFETCH(QByteArray, zone);
        const QByteArray old = qgetenv("TZ");
        qputenv("TZ", zone);
        const TavTime first = CTavDbTime::fromDate(QDate(1970, 1, 2));
        const TavTime last = CTavDbTime::fromDate(QDate(2031, 12, 31));
        QCOMPARE(CTavScCalendarGrid::StepDays(last, 1), last);
        QCOMPARE(CTavScCalendarGrid::StepDays(first, -1), first);
        QDate expected(1970, 1, 2);
        for (TavTime t = first; t != last;) {
            t = CTavScCalendarGrid::StepDays(t, 1);
            expected = expected.addDays(1);
            QCOMPARE(CTavDbTime::toDate(t), expected);
            QCOMPARE(CTavDbTime::toDateTime(t), expected.startOfDay());
        }
        for (TavTime t = last; t != first;) {
            t = CTavScCalendarGrid::StepDays(t, -1);
            expected = expected.addDays(-1);
            QCOMPARE(CTavDbTime::toDate(t), expected);
        }
        // A step taken from any time of the day lands on the next day's midnight.
        const TavTime lateEvening = CTavDbTime::fromDateAndTime(QDate(2025, 3, 29), QTime(23, 59, 59));
        QCOMPARE(CTavDbTime::toDate(CTavScCalendarGrid::StepDays(lateEvening, 1)), QDate(2025, 3, 30));
        QCOMPARE(CTavDbTime::toDate(CTavScCalendarGrid::StepDays(lateEvening, 7)), QDate(2025, 4, 5));
        if (old.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", old);
    }
};

QTEST_GUILESS_MAIN(TestCalendarGrid)
#include "tst_calendargrid.moc"
