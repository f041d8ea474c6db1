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

// Every month, week and day of the range, against what QDate says.
class TestCalendarGrid : public QObject
{
    Q_OBJECT

private slots:

    void cellsAreTheirDates()
    {
        CTavScCalendarGrid grid;
        for (int year = 1970; year <= 2031; ++year)
            for (int month = 1; month <= 12; ++month)
                for (int firstDay = 0; firstDay < 7; ++firstDay) {
                    QCOMPARE(grid.Build(year, month, firstDay), 0);
                    QCOMPARE(grid.GetCellDate(0).dayOfWeek() % 7, firstDay);
                    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
                        CTavScCalendarGrid::Cell cell;
                        grid.GetCell(i, cell);
                        const QDate date = grid.GetCellDate(i);
                        QCOMPARE(cell.day, date.day());
                        QCOMPARE(cell.weekday, date.dayOfWeek() % 7);
                        const int kind = !CTavDbTime::inRange(date)     ? -2
                                         : date < QDate(year, month, 1) ? -1
                                                                        : date.month() != month;
                        QCOMPARE(cell.kind, kind);
                        QCOMPARE(grid.FindDate(date), i);
                    }
                }
    }

    // The Thursday rule for every first day of week, ISO 8601 for weeks from Monday; the first
    // day of every week leads back to it, and a year has as many weeks as Thursdays.
    void weekNumbers()
    {
        for (int firstDay = 0; firstDay < 7; ++firstDay) {
            for (QDate d(1970, 1, 1); d <= QDate(2031, 12, 31); d = d.addDays(1)) {
                int year = 0;
                int expectedYear = 0;
                const int week = CTavScCalendarGrid::WeekNumber(d, firstDay, &year);
                if (week != thursdayWeek(d, firstDay, &expectedYear) || year != expectedYear ||
                    (firstDay == 1 && week != d.weekNumber()))
                    QFAIL(qPrintable(d.toString(Qt::ISODate) +
                                     QStringLiteral(" from weekday %1").arg(firstDay)));
            }
            for (int year = 1970; year <= 2031; ++year) {
                int weeks = 0;
                int month = 0;
                int day = 0;
                while (CTavScCalendarGrid::WeekFirstDay(year, weeks + 1, firstDay, &month, &day) == 0) {
                    ++weeks;
                    const QDate first(year, month, day);
                    int owner = 0;
                    if (weeks == 1) {
                        QCOMPARE(first, QDate(year, 1, 1));
                    } else {
                        QCOMPARE(first.dayOfWeek() % 7, firstDay);
                        QCOMPARE(CTavScCalendarGrid::WeekNumber(first, firstDay, &owner), weeks);
                        QCOMPARE(owner, year);
                    }
                }
                const QDate lastThursday =
                    QDate(year, 12, 31).addDays(-((QDate(year, 12, 31).dayOfWeek() % 7 + 3) % 7));
                QCOMPARE(weeks, (lastThursday.dayOfYear() - 1) / 7 + 1);
            }
        }
    }

    // Walking the whole range a day at a time visits every day once, in both directions.
    void stepDays_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("UTC") << QByteArray("UTC");
        QTest::newRow("Berlin (clock change at 02:00)") << QByteArray("Europe/Berlin");
        QTest::newRow("Sao Paulo (clock change at midnight until 2019)") << QByteArray("America/Sao_Paulo");
    }

    void stepDays()
    {
        QFETCH(QByteArray, zone);
        qputenv("TZ", zone);
        const TavTime first = CTavDbTime::fromDate(QDate(1970, 1, 2));
        const TavTime last = CTavDbTime::fromDate(QDate(2031, 12, 31));
        QCOMPARE(CTavScCalendarGrid::StepDays(last, 1), last);
        QCOMPARE(CTavScCalendarGrid::StepDays(first, -1), first);
        QDate expected(1970, 1, 2);
        for (TavTime t = first; t != last; expected = expected.addDays(1)) {
            t = CTavScCalendarGrid::StepDays(t, 1);
            QCOMPARE(CTavDbTime::toDateTime(t), expected.addDays(1).startOfDay());
        }
        for (TavTime t = last; t != first; expected = expected.addDays(-1)) {
            t = CTavScCalendarGrid::StepDays(t, -1);
            QCOMPARE(CTavDbTime::toDate(t), expected.addDays(-1));
        }
        // A step taken from any time of the day lands on the next day's midnight.
        const TavTime lateEvening = CTavDbTime::fromDateAndTime(QDate(2025, 3, 29), QTime(23, 59, 59));
        QCOMPARE(CTavDbTime::toDate(CTavScCalendarGrid::StepDays(lateEvening, 1)), QDate(2025, 3, 30));
        qunsetenv("TZ");
    }
};

QTEST_GUILESS_MAIN(TestCalendarGrid)
#include "tst_calendargrid.moc"
