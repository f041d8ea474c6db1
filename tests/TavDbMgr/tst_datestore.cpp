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

    void dayListsMatchEveryRecord_data()
    {
        QTest::addColumn<int>("privateMode");
        QTest::newRow("all") << 0;
        QTest::newRow("private hidden") << 2;
    }

    // A random store listed day after day across month and year ends: each list holds exactly the
    // events a look at every record finds, untimed first and then by time of day.
    void dayListsMatchEveryRecord()
    {
        QFETCH(int, privateMode);
        QRandomGenerator rng(7);
        CTavDbDate store;
        const QDate from(2024, 11, 20);
        for (int i = 0; i < 600; ++i) {
            const QDate day = from.addDays(rng.bounded(120) - 30);
            CTavDbDateRecord r = rng.bounded(4) == 0 ? untimed(QStringLiteral("u%1").arg(i), day)
                                                     : single(QStringLiteral("t%1").arg(i), day,
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
        store.SetPrivateMode(privateMode);
        QList<CTavDbDateRecord*> list;
        QCOMPARE(store.GetDayRecords(CTavDbTime::dayKey(from), list), TavStatusCode::Ok);
        for (QDate day = from; day < from.addDays(75); day = day.addDays(1)) {
            if (day != from)
                QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::Ok);
            QSet<CTavDbDateRecord*> expected;
            for (const auto& rec : store.AllRecords()) {
                auto* event = static_cast<CTavDbDateRecord*>(rec.get());
                if (CTavDbDateRepeat(*event).OccursOn(day) && !(privateMode == 2 && event->GetIsPrivate()))
                    expected.insert(event);
            }
            QCOMPARE(QSet<CTavDbDateRecord*>(list.begin(), list.end()), expected);
            QCOMPARE(list.size(), expected.size());
            for (qsizetype i = 1; i < list.size(); ++i) {
                const CTavDbDateRecord& a = *list[i - 1];
                const CTavDbDateRecord& b = *list[i];
                QVERIFY(a.GetIsUntimed() >= b.GetIsUntimed());
                if (a.GetIsUntimed() == b.GetIsUntimed() && !a.GetIsUntimed())
                    QVERIFY(CTavDbTime::toTime(a.GetStartTime()) <= CTavDbTime::toTime(b.GetStartTime()));
            }
            for (const CTavDbDateRecord* event : list)
                QVERIFY(store.IsRepeatTarget(*event, CTavDbTime::dayKey(day)));
        }
    }

    void dayKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("status");
        QTest::newRow("first day") << "19700102" << 0;
        QTest::newRow("last day") << "20311231" << 0;
        QTest::newRow("1 January 1970") << "19700101" << 3;
        QTest::newRow("2032") << "20320101" << 3;
        QTest::newRow("30 February") << "20250230" << 3;
        QTest::newRow("seven digits") << "2025023" << 3;
        QTest::newRow("dashes") << "2025-02-23" << 3;
        QTest::newRow("letters") << "2025O223" << 3;
    }

    void dayKeys()
    {
        QFETCH(QString, key);
        QFETCH(int, status);
        CTavDbDate store;
        add(store, repeating(QStringLiteral("daily"), QDate(1970, 1, 2), QTime(9, 0), 1));
        QList<CTavDbDateRecord*> list{nullptr};
        QCOMPARE(store.GetDayRecords(key, list), status);
        QCOMPARE(list.size(), status == 0 ? 1 : 0);
        QCOMPARE(store.IsRepeatTarget(*store.GetDateRecord(0), key), status == 0);
    }

    void nextDayStopsAtTheRangeEnd()
    {
        CTavDbDate store;
        QList<CTavDbDateRecord*> list;
        QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::Refused);
        QCOMPARE(store.GetDayRecords(QStringLiteral("20311230"), list), TavStatusCode::Ok);
        QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::Ok);
        QCOMPARE(store.GetNextDayRecords(list), TavStatusCode::InvalidArgument);
    }

    // Any change is seen by the next listing; an edit of the stored record keeps its address.
    void listsFollowChanges()
    {
        CTavDbDate store;
        const QDate day(2025, 3, 10);
        const uint32_t moved = add(store, single(QStringLiteral("moved"), day, QTime(9, 0)));
        const uint32_t daily = add(store, repeating(QStringLiteral("daily"), day, QTime(8, 0), 1));
        const uint32_t gone = add(store, single(QStringLiteral("gone"), day, QTime(10, 0)));
        QList<CTavDbDateRecord*> list;
        store.GetDayRecords(QStringLiteral("20250310"), list);
        QCOMPARE(descs(list), (QStringList{"daily", "moved", "gone"}));

        auto* stored = static_cast<CTavDbDateRecord*>(store.FindRecord(moved));
        stored->SetStartTime(CTavDbTime::fromDateAndTime(day.addDays(1), QTime(7, 0)));
        stored->SetEndTime(stored->GetStartTime() + 600);
        QCOMPARE(store.UpdateRecord(*stored), TavStatusCode::Ok);
        QCOMPARE(store.FindRecord(moved), stored);
        QCOMPARE(store.DeleteRecord(gone, true), TavStatusCode::Ok);
        QCOMPARE(store.AddException(daily, day), TavStatusCode::Ok);
        store.GetDayRecords(QStringLiteral("20250310"), list);
        QVERIFY(list.isEmpty());
        store.GetNextDayRecords(list);
        QCOMPARE(descs(list), (QStringList{"moved", "daily"}));

        CTavDbDateRecord copy = *static_cast<CTavDbDateRecord*>(store.FindRecord(daily));
        copy.SetDesc(QStringLiteral("renamed"));
        QCOMPARE(store.UpdateRecord(copy), TavStatusCode::Ok);
        store.GetDayRecords(QStringLiteral("20250312"), list);
        QCOMPARE(descs(list), QStringList{"renamed"});
    }

    void exceptions()
    {
        CTavDbDate store;
        const uint32_t once = add(store, single(QStringLiteral("once"), QDate(2025, 3, 10), QTime(9, 0)));
        const uint32_t daily =
            add(store, repeating(QStringLiteral("daily"), QDate(2025, 3, 10), QTime(9, 0), 1));
        QCOMPARE(store.AddException(once, QDate(2025, 3, 10)), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddException(999, QDate(2025, 3, 10)), TavStatusCode::NotFound);
        QCOMPARE(store.AddException(daily, QDate(2032, 1, 1)), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddException(daily, QDate(2025, 3, 12)), TavStatusCode::Ok);
        QCOMPARE(store.AddException(daily, QDate(2025, 3, 11)), TavStatusCode::Ok);
        QCOMPARE(store.AddException(daily, QDate(2025, 3, 12)), TavStatusCode::Ok);
        const auto* record = static_cast<const CTavDbDateRecord*>(store.FindRecord(daily));
        QCOMPARE(record->GetExceptions(), (QList<QDate>{QDate(2025, 3, 11), QDate(2025, 3, 12)}));
        QVERIFY(!store.IsRepeatTarget(*record, QStringLiteral("20250311")));
        QVERIFY(store.IsRepeatTarget(*record, QStringLiteral("20250313")));
        // A copy the store does not hold is answered from its own fields.
        CTavDbDateRecord copy = *record;
        copy.SetExceptions({});
        QVERIFY(store.IsRepeatTarget(copy, QStringLiteral("20250311")));
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
        const DateRuleCase mondays{2, d(2024, 2, 19), 2, 2, 0, 1, 0, 0, 0, d(2026, 5, 7), {d(2024, 5, 13)}};
        QTest::newRow("906 Mondays every other week, ends") << mondays << 3;
        QTest::newRow("488 last Thursday") << DateRuleCase{3, d(2023, 3, 30), 1, 0, 4, 4} << 2;
        QTest::newRow("8341 4th Saturday every 3 months") << DateRuleCase{3, d(2025, 3, 22), 3, 0, 3, 6} << 1;
        QTest::newRow("205 3rd Friday every 3 months") << DateRuleCase{3, d(2023, 2, 17), 3, 0, 2, 5} << 0;
        QTest::newRow("135 the 27th, ends")
            << DateRuleCase{4, d(2022, 3, 27), 1, 0, 0, 0, 27, 0, 0, d(2026, 3, 9)} << 2;
        QTest::newRow("18 the 19th every other month")
            << DateRuleCase{4, d(2025, 2, 19), 2, 0, 0, 0, 19} << 0;
        QTest::newRow("1483 27 March every other year")
            << DateRuleCase{5, d(2023, 3, 27), 2, 0, 0, 0, 27, 2} << 1;
        QTest::newRow("8083 29 March every other year")
            << DateRuleCase{5, d(2024, 3, 29), 2, 0, 0, 0, 29, 2, 0, d(2028, 9, 13)} << 0;
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
                if (event->IsRepeating() && store.IsRepeatTarget(*event, key))
                    ++found;
        }
        QCOMPARE(found, count);
    }

    void recordLimit()
    {
        CTavDbDate store;
        CTavDbDateRecord r = single(QString(), QDate(2025, 1, 1), QTime(9, 0));
        for (int i = 0; i < CTavDbDate::kMaxRecords; ++i)
            QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
        QCOMPARE(store.AddRecord(r), TavStatusCode::RecordLimit);
        QCOMPARE(store.GetRecordCount(), 65536);
        QCOMPARE(store.DeleteRecord(1, false), TavStatusCode::Ok);
        QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
    }
};

QTEST_GUILESS_MAIN(TestDateStore)
#include "tst_datestore.moc"
