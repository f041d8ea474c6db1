#include <QtTest>

#include "CTavDbHolidayLaw.h"
#include "CTavDbLunisolar.h"
#include "HolidayTable.h"
#include "OldMonthTable.h"

namespace {
// "MMDD..." entries of one table line, keyed by year.
QMap<int, QStringList> tableRows(const char* table)
{
    QMap<int, QStringList> rows;
    for (const QString& line : QString::fromUtf8(table).split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        rows.insert(fields.takeFirst().toInt(), fields);
    }
    return rows;
}
} // namespace

class TestCalendarCompute : public QObject
{
    Q_OBJECT

private slots:
    // Every holiday of 1970-2031, names included; a mismatch lists both years in full.
    void holidaysAgainstTheTable()
    {
        const QMap<int, QStringList> rows = tableRows(kHolidayTable);
        QCOMPARE(rows.size(), 62);
        QStringList wrong;
        for (auto it = rows.begin(); it != rows.end(); ++it) {
            QStringList computed;
            for (const auto& holiday : CTavDbHolidayLaw::Year(it.key())) {
                QCOMPARE(holiday.date.year(), it.key());
                computed << holiday.date.toString(QStringLiteral("MMdd")) + holiday.name;
            }
            if (computed != it.value())
                wrong << QStringLiteral("%1\n  got  %2\n  want %3")
                             .arg(it.key())
                             .arg(computed.join(u' '), it.value().join(u' '));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
        QVERIFY(CTavDbHolidayLaw::Year(1948).isEmpty());
    }

    // Every old month starting in 1970-2033; 2033 has the leap 11th month.
    void oldMonthsAgainstTheTable()
    {
        CTavDbLunisolar calendar;
        const QMap<int, QStringList> rows = tableRows(kOldMonthTable);
        QCOMPARE(rows.firstKey(), 1970);
        QCOMPARE(rows.lastKey(), 2033);
        for (auto it = rows.begin(); it != rows.end(); ++it) {
            QStringList computed;
            for (const auto& start : calendar.MonthStarts(it.key()))
                computed << start.date.toString(QStringLiteral("MMdd")) +
                                (start.leap ? QStringLiteral("=L") : QStringLiteral("=")) +
                                QString::number(start.month);
            QCOMPARE(computed.join(u' '), it.value().join(u' '));
        }
    }

    void oldDatesAndLabels()
    {
        CTavDbLunisolar calendar;
        const auto label = [&](int y, int m, int d) {
            return CTavDbLunisolar::SixDayLabel(calendar.ToOld({y, m, d}));
        };
        QCOMPARE(label(2017, 10, 17), QStringLiteral("大安"));
        QCOMPARE(label(2017, 10, 21), QStringLiteral("仏滅"));
        QCOMPARE(label(2009, 11, 27), QStringLiteral("友引"));
        QCOMPARE(label(2022, 9, 26), QStringLiteral("先負"));
        // Inside a leap month the count goes on from the month's number: 2017-06-24 is leap 5/1.
        const CTavDbLunisolar::OldDate leap = calendar.ToOld({2017, 6, 24});
        QVERIFY(leap.leap && leap.month == 5 && leap.day == 1 && leap.year == 2017);
        QCOMPARE(CTavDbLunisolar::SixDayLabel(leap), QStringLiteral("大安"));
        // The old new year before and after the common one; the old year of months 11 and 12.
        const CTavDbLunisolar::OldDate dec = calendar.ToOld({2031, 12, 31});
        QVERIFY(dec.year == 2031 && dec.month == 11 && dec.day == 18 && !dec.leap);
        const CTavDbLunisolar::OldDate jan = calendar.ToOld({1970, 1, 2});
        QVERIFY(jan.year == 1969 && jan.month == 11 && jan.day == 25);
        QCOMPARE(calendar.ToOld({1899, 12, 31}).month, 0);
        QVERIFY(CTavDbLunisolar::SixDayLabel({}).isEmpty());

        // The 15th of the 8th month is always 仏滅, the 1st of the 1st always 先勝, and no old
        // month is shorter than 29 days or longer than 30.
        for (int year = 1970; year <= 2031; ++year) {
            for (const auto& start : calendar.MonthStarts(year)) {
                const CTavDbLunisolar::OldDate last = calendar.ToOld(start.date.addDays(-1));
                QVERIFY2(last.day == 29 || last.day == 30, qPrintable(start.date.toString(Qt::ISODate)));
                if (start.month == 1 && !start.leap)
                    QCOMPARE(label(start.date.year(), start.date.month(), start.date.day()),
                             QStringLiteral("先勝"));
                if (start.month == 8 && !start.leap) {
                    const QDate moon = start.date.addDays(14);
                    QCOMPARE(label(moon.year(), moon.month(), moon.day()), QStringLiteral("仏滅"));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCalendarCompute)
#include "tst_calendarcompute.moc"
