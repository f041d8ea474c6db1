#include <QRandomGenerator>
#include <QTest>

#include "CTavDbDate.h"
#include "CTavDbDateRepeat.h"
#include "DateEvents.h"
#include "DateRuleCase.h"

using namespace DateEvents;

class TestDateStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "Europe/Berlin"); }

    // A random store listed day after day across month and year ends: each list holds exactly the
    // events a look at every record finds, untimed first and then by time of day.
    void dayListsMatchEveryRecord()
    {
        QRandomGenerator rng(7);
        CTavDbDate store;
        const QDate from(2024, 11, 20);
        for (int i = 0; i < 600; ++i) {
            const QDate day = from.addDays(rng.bounded(120) - 30);
            CTavDbDateRecord r = rng.bounded(4) == 0 ? untimed(QString::number(i), day)
                                                     : single(QString::number(i), day,
                                                              QTime(rng.bounded(24), 5 * rng.bounded(12)));
            if (rng.bounded(3) == 0) {
                r.SetMyBrand(1 + rng.bounded(5));
                r.SetInterval(1 + rng.bounded(3));
                r.SetWeekDayMask(static_cast<uint8_t>(rng.bounded(128)));
                r.SetDayIndex(day.dayOfWeek() % 7);
                r.SetWeekIndex(rng.bounded(5));
                r.SetDayNumber(day.day());
                r.SetMonthIndex(day.month() - 1);
                if (rng.bounded(2))
                    r.SetEndDate(CTavDbTime::fromDate(day.addDays(rng.bounded(90))));
            }
            r.SetPrivate(rng.bounded(5) == 0);
            QVERIFY(add(store, r));
        }
        for (int privateMode : {0, 2}) {
            store.SetPrivateMode(privateMode);
            QList<CTavDbDateRecord*> list;
            QCOMPARE(store.GetDayRecords(CTavDbTime::dayKey(from), list), TavStatusCode::Ok);
            for (QDate day = from; day < from.addDays(75); day = day.addDays(1)) {
                if (day != from)
                    QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::Ok);
                QSet<CTavDbDateRecord*> expected;
                for (const auto& rec : store.AllRecords()) {
                    auto* event = static_cast<CTavDbDateRecord*>(rec.get());
                    if (CTavDbDateRepeat(*event).OccursOn(day) &&
                        !(privateMode == 2 && event->GetIsPrivate()))
                        expected.insert(event);
                }
                QCOMPARE(QSet<CTavDbDateRecord*>(list.begin(), list.end()), expected);
                QCOMPARE(list.size(), expected.size());
                for (qsizetype i = 1; i < list.size(); ++i) {
                    const CTavDbDateRecord& a = *list[i - 1];
                    const CTavDbDateRecord& b = *list[i];
                    QVERIFY(a.GetIsUntimed() >= b.GetIsUntimed());
                    if (!a.GetIsUntimed() && !b.GetIsUntimed())
                        QVERIFY(CTavDbTime::toTime(a.GetStartTime()) <= CTavDbTime::toTime(b.GetStartTime()));
                }
            }
        }
        // An edit of the stored record keeps its address and is seen by the next listing.
        auto* stored = static_cast<CTavDbDateRecord*>(store.GetRecord(0));
        stored->SetStartTime(CTavDbTime::fromDateAndTime(QDate(2031, 12, 31), QTime(7, 0)));
        stored->SetEndTime(stored->GetStartTime());
        stored->SetMyBrand(0);
        QCOMPARE(store.UpdateRecord(*stored), TavStatusCode::Ok);
        QCOMPARE(store.FindRecord(stored->GetUniqueId()), stored);
        store.SetPrivateMode(0);
        QList<CTavDbDateRecord*> list;
        QCOMPARE(store.GetDayRecords(QStringLiteral("20311231"), list), TavStatusCode::Ok);
        QVERIFY(list.contains(stored));
    }

    void dayKeys()
    {
        CTavDbDate store;
        add(store, repeating(QStringLiteral("daily"), QDate(1970, 1, 2), QTime(9, 0), 1));
        QList<CTavDbDateRecord*> list;
        QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::Refused);
        for (const char* key : {"19700101", "20320101", "20250230", "2025023", "2025-02-23"}) {
            QCOMPARE(store.GetDayRecords(QString::fromLatin1(key), list), TavStatusCode::InvalidArgument);
            QVERIFY(!store.IsRepeatTarget(*store.GetDateRecord(0), QString::fromLatin1(key)));
        }
        QCOMPARE(store.GetDayRecords(QStringLiteral("20311230"), list), TavStatusCode::Ok);
        QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::InvalidArgument);
    }

    // Events of the benchmark generator with their occurrence counts in the 42-day grid from
    // 23 February 2025, as its independent reference computed them.
    void generatedEventsMatchReferenceCounts_data()
    {
        QTest::addColumn<DateRuleCase>("rule");
        QTest::addColumn<int>("count");
        const auto d = [](int y, int m, int day) { return QDate(y, m, day); };
        QTest::newRow("1003 daily, old exceptions")
            << DateRuleCase{1, d(2021, 6, 22), 1, 0, 0, 2, 0, 0, 0, {}, {d(2021, 7, 2), d(2021, 7, 24)}}
            << 42;
        QTest::newRow("947 weekdays, an exception")
            << DateRuleCase{2, d(2025, 3, 6), 1, 62, 0, 1, 0, 0, 0, d(2030, 1, 15), {d(2025, 3, 27)}} << 21;
        QTest::newRow("111 three days, every other week")
            << DateRuleCase{2, d(2023, 1, 17), 2, 71, 0, 1} << 12;
        QTest::newRow("488 last Thursday") << DateRuleCase{3, d(2023, 3, 30), 1, 0, 4, 4} << 2;
        QTest::newRow("8341 4th Saturday every 3 months") << DateRuleCase{3, d(2025, 3, 22), 3, 0, 3, 6} << 1;
        QTest::newRow("135 the 27th, ends")
            << DateRuleCase{4, d(2022, 3, 27), 1, 0, 0, 0, 27, 0, 0, d(2026, 3, 9)} << 2;
        QTest::newRow("1483 27 March every other year")
            << DateRuleCase{5, d(2023, 3, 27), 2, 0, 0, 0, 27, 2} << 1;
        QTest::newRow("5944 7 March, an exception that year")
            << DateRuleCase{5, d(2020, 3, 7), 1, 0, 0, 0, 7, 2, 0, {}, {d(2022, 3, 7), d(2026, 3, 7)}} << 1;
    }

    void generatedEventsMatchReferenceCounts()
    {
        QFETCH(DateRuleCase, rule);
        QFETCH(int, count);
        CTavDbDate store;
        QVERIFY(add(store, rule.record()));
        add(store, single(QStringLiteral("noise"), QDate(2025, 3, 1), QTime(9, 0)));
        int found = 0;
        QList<CTavDbDateRecord*> list;
        for (int cell = 0; cell < 42; ++cell) {
            const QString key = CTavDbTime::dayKey(QDate(2025, 2, 23).addDays(cell));
            QCOMPARE(cell == 0 ? store.GetDayRecords(key, list) : store.GetNextDayRecords(list),
                     TavStatusCode::Ok);
            for (const CTavDbDateRecord* event : list)
                found += event->IsRepeating() && store.IsRepeatTarget(*event, key);
        }
        QCOMPARE(found, count);
    }
};

QTEST_GUILESS_MAIN(TestDateStore)
#include "tst_datestore.moc"
