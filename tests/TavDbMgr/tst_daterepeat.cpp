#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include "CTavDbDateRepeat.h"
#include "DateRuleCase.h"

namespace {
int weekday(const QDate& d)
{
    return d.dayOfWeek() % 7;
}

// Occurrences found the slow way: stepping from the start by the interval, as a person would
// count them on a calendar. Independent of the arithmetic under test.
QSet<qint64> stepOccurrences(const DateRuleCase& r, const QDate& last)
{
    QSet<qint64> out;
    const QDate end = r.end.isValid() && r.end < last ? r.end : last;
    const int n = r.interval > 0 ? r.interval : 1;
    const auto take = [&](const QDate& d) {
        if (d.isValid() && d >= r.start && d <= end && !r.exceptions.contains(d))
            out.insert(d.toJulianDay());
    };
    const QDate firstOfMonth(r.start.year(), r.start.month(), 1);
    switch (r.kind) {
    case 0:
        take(r.start);
        break;
    case 1:
        for (QDate d = r.start; d <= end; d = d.addDays(n))
            take(d);
        break;
    case 2:
        for (QDate week = r.start.addDays(-((weekday(r.start) - r.firstDayOfWeek + 7) % 7)); week <= end;
             week = week.addDays(7 * n))
            for (int i = 0; i < 7; ++i)
                if (r.mask >> weekday(week.addDays(i)) & 1)
                    take(week.addDays(i));
        break;
    case 3:
        for (QDate m = firstOfMonth; m <= end; m = m.addMonths(n)) {
            if (r.weekIndex == 4) {
                const QDate lastDay = m.addDays(m.daysInMonth() - 1);
                take(lastDay.addDays(-((weekday(lastDay) - r.dayIndex + 7) % 7)));
            } else {
                take(m.addDays((r.dayIndex - weekday(m) + 7) % 7 + 7 * r.weekIndex));
            }
        }
        break;
    case 4:
        for (QDate m = firstOfMonth; m <= end; m = m.addMonths(n))
            if (r.dayNumber <= m.daysInMonth())
                take(QDate(m.year(), m.month(), r.dayNumber));
        break;
    case 5:
        for (int y = r.start.year(); y <= end.year(); y += n)
            take(QDate(y, r.monthIndex + 1, r.dayNumber)); // invalid on 29 February of common years
        break;
    }
    return out;
}

QDate randomDate(QRandomGenerator& rng, const QDate& from, int span)
{
    return from.addDays(rng.bounded(span));
}

DateRuleCase randomRule(QRandomGenerator& rng, int kind)
{
    static const int intervals[] = {1, 1, 1, 2, 2, 3, 4, 5, 7, 12, 99};
    DateRuleCase r;
    r.kind = kind;
    r.start = randomDate(rng, QDate(2019, 1, 1), 8 * 365);
    r.interval = intervals[rng.bounded(int(std::size(intervals)))];
    r.firstDayOfWeek = rng.bounded(7);
    switch (kind) {
    case 2:
        r.mask = 1 + rng.bounded(127);
        break;
    case 3:
        // Half follow the start as the editor does, half are free combinations.
        r.dayIndex = rng.bounded(2) ? weekday(r.start) : rng.bounded(7);
        r.weekIndex = rng.bounded(5);
        break;
    case 4:
        r.dayNumber = rng.bounded(3) ? 1 + rng.bounded(31) : 29 + rng.bounded(3);
        break;
    case 5:
        if (rng.bounded(3) == 0) {
            r.monthIndex = 1;
            r.dayNumber = 29;
        } else {
            r.monthIndex = rng.bounded(12);
            r.dayNumber = 1 + rng.bounded(31);
        }
        break;
    }
    if (rng.bounded(2))
        r.end = r.start.addDays(rng.bounded(3000));
    r.endAtEvening = rng.bounded(2);
    r.time = QTime(rng.bounded(24), 5 * rng.bounded(12));
    const QList<qint64> all = stepOccurrences(r, QDate(2031, 12, 31)).values();
    for (int i = 0, count = rng.bounded(4); i < count && !all.isEmpty(); ++i)
        r.exceptions << QDate::fromJulianDay(all[rng.bounded(int(all.size()))]);
    return r;
}
} // namespace

class TestDateRepeat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A zone with daylight saving, so that midnight-based conversions are put to the test.
        qputenv("TZ", "Europe/Berlin");
    }

    void matchesSteppingOverYears_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("daily") << 1;
        QTest::newRow("weekly") << 2;
        QTest::newRow("monthly by weekday") << 3;
        QTest::newRow("monthly by date") << 4;
        QTest::newRow("yearly") << 5;
    }

    // Every day from 2018 to the calendar's end, for random rules of each kind.
    void matchesSteppingOverYears()
    {
        QFETCH(int, kind);
        QRandomGenerator rng(20240601u + static_cast<unsigned>(kind));
        const QDate first(2018, 1, 1);
        const QDate last(2031, 12, 31);
        std::vector<CTavDbDateRepeat::Day> days;
        for (QDate d = first; d <= last; d = d.addDays(1))
            days.push_back(CTavDbDateRepeat::Day::of(d));
        for (int i = 0; i < 60; ++i) {
            const DateRuleCase ruleCase = randomRule(rng, kind);
            const QSet<qint64> expected = stepOccurrences(ruleCase, last);
            const CTavDbDateRepeat rule(ruleCase.record());
            for (const CTavDbDateRepeat::Day& day : days)
                if (rule.OccursOn(day) != expected.contains(day.julian))
                    QFAIL(qPrintable(QStringLiteral("rule %1 on %2")
                                         .arg(i)
                                         .arg(QDate::fromJulianDay(day.julian).toString())));
        }
    }

    // Fields out of range (a damaged file) never match and never crash.
    // What the random rules never hold: interval 0 counts as 1, a weekly rule without days keeps
    // the start's weekday.
    void rulesTheEditorNeverWrites()
    {
        const DateRuleCase daily{.kind = 1, .start = QDate(2025, 3, 28), .interval = 0};
        QVERIFY(CTavDbDateRepeat(daily.record()).OccursOn(QDate(2025, 3, 29)));
        const CTavDbDateRepeat noDays(DateRuleCase{.kind = 2, .start = QDate(2025, 3, 5)}.record());
        QVERIFY(noDays.OccursOn(QDate(2025, 3, 12)) && !noDays.OccursOn(QDate(2025, 3, 13)));
    }

    void nonsenseRulesNeverOccur_data()
    {
        QTest::addColumn<DateRuleCase>("rule");
        QTest::newRow("unknown kind") << DateRuleCase{.kind = 9, .start = QDate(2025, 1, 1)};
        QTest::newRow("weekday 7") << DateRuleCase{.kind = 3, .start = QDate(2025, 1, 1), .dayIndex = 7};
        QTest::newRow("week index 5") << DateRuleCase{.kind = 3, .start = QDate(2025, 1, 1), .weekIndex = 5};
        QTest::newRow("day 32") << DateRuleCase{.kind = 4, .start = QDate(2025, 1, 1), .dayNumber = 32};
        QTest::newRow("month 13") << DateRuleCase{
            .kind = 5, .start = QDate(2025, 1, 1), .dayNumber = 1, .monthIndex = 12};
        QTest::newRow("end before start")
            << DateRuleCase{.kind = 1, .start = QDate(2025, 1, 10), .end = QDate(2025, 1, 9)};
    }

    void nonsenseRulesNeverOccur()
    {
        QFETCH(DateRuleCase, rule);
        const CTavDbDateRepeat repeat(rule.record());
        for (QDate d(2024, 12, 1); d <= QDate(2026, 12, 31); d = d.addDays(1))
            QVERIFY2(!repeat.OccursOn(d), qPrintable(d.toString(Qt::ISODate)));
    }
};

QTEST_GUILESS_MAIN(TestDateRepeat)
#include "tst_daterepeat.moc"
