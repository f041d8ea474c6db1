#include <QTest>

#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "DateEvents.h"
#include "TestDataDir.h"

using namespace DateEvents;

namespace {
// Every field away from its default.
CTavDbDateRecord fullRecord()
{
    CTavDbDateRecord r;
    r.SetDesc(QStringLiteral("定例会議（本社）"));
    r.SetNote(QStringLiteral("持ち物：資料\n連絡先 03-1234-5678"));
    r.SetStartTime(CTavDbTime::fromDateAndTime(QDate(2025, 3, 31), QTime(9, 30)));
    r.SetEndTime(CTavDbTime::fromDateAndTime(QDate(2025, 3, 31), QTime(11, 15)));
    r.SetAlarm(true);
    r.SetAlarmAdvance(42);
    r.SetAlarmUnit(CTavDbDateRecord::AlarmHours);
    r.SetIcon(QStringLiteral("IconLib"), 0x74414942, 1234);
    r.SetTextColor(true, 0x00CC99FF);
    r.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByWeekday);
    r.SetInterval(3);
    r.SetWeekDayMask(0x55);
    r.SetDayIndex(1);
    r.SetWeekIndex(4);
    r.SetMonthIndex(11);
    r.SetDayNumber(31);
    r.SetFirstDayOfWeek(6);
    r.SetEndDate(CTavDbTime::fromDate(QDate(2027, 12, 31)));
    r.SetExceptions({QDate(2025, 6, 30), QDate(2025, 9, 29)});
    r.SetSheetName(QStringLiteral("20250331093000"
                                  "1OverPC"));
    r.SetPrivate(true);
    r.SetCategoryID(2);
    return r;
}

// How validation() sets the field of its row to the row's value. Texts of two-byte characters
// and one ASCII character make odd byte counts.
using Setter = void (*)(CTavDbDateRecord&, int);
const Setter kSetters[] = {
    [](CTavDbDateRecord& r, int v) { r.SetDesc(QString(v / 2, u'予') + QString(v % 2, u'a')); },
    [](CTavDbDateRecord& r, int v) { r.SetNote(QString(v / 2, u'予') + QString(v % 2, u'a')); },
    [](CTavDbDateRecord& r, int v) { r.SetInterval(v); },
    [](CTavDbDateRecord& r, int v) { r.SetMyBrand(v); },
    [](CTavDbDateRecord& r, int v) { r.SetWeekDayMask(static_cast<uint8_t>(v)); },
    [](CTavDbDateRecord& r, int v) { r.SetWeekIndex(v); },
    [](CTavDbDateRecord& r, int v) { r.SetMonthIndex(v); },
    [](CTavDbDateRecord& r, int v) { r.SetDayNumber(v); },
    [](CTavDbDateRecord& r, int v) { r.SetFirstDayOfWeek(v); },
    [](CTavDbDateRecord& r, int v) { r.SetAlarmAdvance(v); },
    [](CTavDbDateRecord& r, int v) { r.SetAlarmUnit(v); },
    [](CTavDbDateRecord& r, int v) {
        r.SetStartTime(CTavDbTime::fromDateAndTime(QDate(v, 1, 1), QTime(9, 0)));
        r.SetEndTime(r.GetStartTime());
    },
    [](CTavDbDateRecord& r, int v) { r.SetEndTime(r.GetStartTime() + 60 * v); },
    [](CTavDbDateRecord& r, int v) { r.SetDayIndex(v); },
};

CTavDbDateDayRecord dayInfo(const QDate& date, uint32_t color, const QString& sheet)
{
    CTavDbDateDayRecord r(date);
    r.SetColor(true, color);
    r.SetSheetName(sheet);
    return r;
}
} // namespace

class TestDateFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "Europe/Berlin"); }
    void cleanup() { CTavDbClock::Release(); }

    // Every field and every kind of info record survives a full write, and a later write of only
    // the changes.
    void roundTrip()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("datebook.ldb"));
        CTavDbDate first;
        CTavDbDateRecord full = fullRecord();
        QCOMPARE(first.AddRecord(full), TavStatusCode::Ok);
        const uint32_t plain = add(first, untimed(QStringLiteral("plain"), QDate(1970, 1, 2)));
        QCOMPARE(first.AddCategoryWithId(7, QStringLiteral("7")), TavStatusCode::Ok);
        QCOMPARE(first.AddDayInfo(dayInfo(QDate(2025, 2, 23), 0x0000FF, QStringLiteral("day"))),
                 TavStatusCode::Ok);
        CTavDbDateWeekRecord week(2025, 9);
        week.SetSheetName(QStringLiteral("week"));
        QCOMPARE(first.AddWeekInfo(week), TavStatusCode::Ok);
        CTavDbDateMonthRecord month(2031, 12);
        month.SetColor(true, 0x123456);
        QCOMPARE(first.AddMonthInfo(month), TavStatusCode::Ok);
        QCOMPARE(first.WriteToFile(path), TavStatusCode::Ok);

        CTavDbDate second;
        QCOMPARE(second.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(second.GetRecordCount(), 2);
        QVERIFY(second.FindRecord(full.GetUniqueId())->IsEqualPdt(full));
        QVERIFY(second.FindCategoryById(7));
        CTavDbDateDayRecord readDay;
        QCOMPARE(second.GetDayInfo(QStringLiteral("20250223"), readDay), TavStatusCode::Ok);
        QCOMPARE(readDay, dayInfo(QDate(2025, 2, 23), 0x0000FF, QStringLiteral("day")));
        CTavDbDateWeekRecord readWeek;
        QCOMPARE(second.GetWeekInfo(2025, 9, readWeek), TavStatusCode::Ok);
        QCOMPARE(readWeek, week);
        CTavDbDateMonthRecord readMonth;
        QCOMPARE(second.GetMonthInfo(2031, 12, readMonth), TavStatusCode::Ok);
        QCOMPARE(readMonth, month);

        // Changes only: one record edited, one deleted, info records changed and removed.
        CTavDbDateRecord edited = *static_cast<CTavDbDateRecord*>(second.FindRecord(full.GetUniqueId()));
        edited.AddException(QDate(2025, 12, 29));
        edited.SetDesc(QStringLiteral("変更"));
        QCOMPARE(second.UpdateRecord(edited), TavStatusCode::Ok);
        QCOMPARE(second.DeleteRecord(plain, false), TavStatusCode::Ok);
        QCOMPARE(second.UpdateDayInfo(dayInfo(QDate(2025, 2, 23), 0xFF0000, QString())), TavStatusCode::Ok);
        QCOMPARE(second.DeleteWeekInfo(2025, 9), TavStatusCode::Ok);
        QCOMPARE(second.Write(), TavStatusCode::Ok);

        CTavDbDate third;
        QCOMPARE(third.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(third.GetRecordCount(), 1);
        QVERIFY(third.FindRecord(full.GetUniqueId())->IsEqualPdt(edited));
        QCOMPARE(third.GetDayInfo(QStringLiteral("20250223"), readDay), TavStatusCode::Ok);
        QCOMPARE(readDay, dayInfo(QDate(2025, 2, 23), 0xFF0000, QString()));
        QCOMPARE(third.GetWeekInfo(2025, 9, readWeek), TavStatusCode::NotFound);
        QCOMPARE(third.GetMonthInfo(2031, 12, readMonth), TavStatusCode::Ok);
    }

    void infoRecords()
    {
        CTavDbDate store;
        CTavDbDateDayRecord day;
        QCOMPARE(store.GetDayInfo(QStringLiteral("20250223"), day), TavStatusCode::NotFound);
        QCOMPARE(store.UpdateDayInfo(dayInfo(QDate(2025, 2, 23), 1, QString())), TavStatusCode::NotFound);
        QCOMPARE(store.AddDayInfo(dayInfo(QDate(2025, 2, 23), 1, QString())), TavStatusCode::Ok);
        QCOMPARE(store.AddDayInfo(dayInfo(QDate(2025, 2, 23), 2, QString())), TavStatusCode::Duplicate);
        QCOMPARE(store.DeleteDayInfo(QStringLiteral("20250223")), TavStatusCode::Ok);
        QCOMPARE(store.DeleteDayInfo(QStringLiteral("20250223")), TavStatusCode::NotFound);

        // Keys outside the calendar and over-long sheet names are refused and change nothing.
        QCOMPARE(store.AddDayInfo(dayInfo(QDate(1970, 1, 1), 1, QString())), TavStatusCode::InvalidArgument);
        QCOMPARE(store.GetDayInfo(QStringLiteral("2025022"), day), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddDayInfo(dayInfo(QDate(2025, 2, 23), 1, QString(256, u'x'))),
                 TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddDayInfo(dayInfo(QDate(2025, 2, 23), 1, QString(255, u'x'))), TavStatusCode::Ok);
        QCOMPARE(store.AddWeekInfo(CTavDbDateWeekRecord(2025, 54)), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddWeekInfo(CTavDbDateWeekRecord(1969, 1)), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddMonthInfo(CTavDbDateMonthRecord(2025, 13)), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddMonthInfo(CTavDbDateMonthRecord(2032, 1)), TavStatusCode::InvalidArgument);
        QCOMPARE(store.AddMonthInfo(CTavDbDateMonthRecord(2031, 12)), TavStatusCode::Ok);
    }

    void validation_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        // field: an index into kSetters
        QTest::newRow("description of 255 bytes") << 0 << 255 << true;
        QTest::newRow("description of 256 bytes") << 0 << 256 << false;
        QTest::newRow("note of 4095 bytes") << 1 << 4095 << true;
        QTest::newRow("note of 4096 bytes") << 1 << 4096 << false;
        QTest::newRow("interval 100") << 2 << 100 << false;
        QTest::newRow("kind 6") << 3 << 6 << false;
        QTest::newRow("week mask with bit 7") << 4 << 0x80 << false;
        QTest::newRow("week index 5") << 5 << 5 << false;
        QTest::newRow("month index 12") << 6 << 12 << false;
        QTest::newRow("day number 32") << 7 << 32 << false;
        QTest::newRow("first day of week 7") << 8 << 7 << false;
        QTest::newRow("alarm 100 ahead") << 9 << 100 << false;
        QTest::newRow("alarm unit 3") << 10 << 3 << false;
        QTest::newRow("start in 2032") << 11 << 2032 << false;
        QTest::newRow("end before start") << 12 << -5 << false;
        QTest::newRow("day index 7") << 13 << 7 << false;
    }

    // A refused record changes nothing, neither by add nor by update.
    void validation()
    {
        QFETCH(int, field);
        QFETCH(int, value);
        QFETCH(bool, accepted);
        CTavDbDate store;
        CTavDbDateRecord original = fullRecord();
        QCOMPARE(store.AddRecord(original), TavStatusCode::Ok);
        CTavDbDateRecord r = original;
        kSetters[field](r, value);
        const TavStatus expected = accepted ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
        QCOMPARE(store.UpdateRecord(r), expected);
        QVERIFY(store.FindRecord(original.GetUniqueId())->IsEqualPdt(accepted ? r : original));
        CTavDbDateRecord fresh = r;
        QCOMPARE(store.AddRecord(fresh), expected);
        QCOMPARE(store.GetRecordCount(), accepted ? 2 : 1);
    }

    void deletePastRecords_data()
    {
        QTest::addColumn<bool>("archive");
        QTest::newRow("removed") << false;
        QTest::newRow("archived for the backup") << true;
    }

    void deletePastRecords()
    {
        QFETCH(bool, archive);
        CTavDbDate store;
        const QDate cutoff(2025, 3, 10);
        add(store, single(QStringLiteral("old"), cutoff.addDays(-1), QTime(23, 0)));
        CTavDbDateRecord oldPrivate = single(QStringLiteral("old private"), QDate(2020, 1, 1), QTime(9, 0));
        oldPrivate.SetPrivate(true);
        add(store, oldPrivate);
        add(store, single(QStringLiteral("cut-off day"), cutoff, QTime(0, 0)));
        CTavDbDateRecord ended = repeating(QStringLiteral("ended"), QDate(2024, 1, 1), QTime(9, 0), 1);
        ended.SetEndDate(CTavDbTime::fromDateAndTime(cutoff.addDays(-1), QTime(23, 59, 59)));
        add(store, ended);
        CTavDbDateRecord endsOnCutoff = ended;
        endsOnCutoff.SetDesc(QStringLiteral("ends on the cut-off"));
        endsOnCutoff.SetEndDate(CTavDbTime::fromDate(cutoff));
        add(store, endsOnCutoff);
        add(store, repeating(QStringLiteral("endless"), QDate(2020, 1, 1), QTime(9, 0), 5));
        for (const QDate& d : {cutoff.addDays(-1), cutoff})
            store.AddDayInfo(dayInfo(d, 1, QString()));
        // The cut-off lies in week 11 of 2025.
        store.AddWeekInfo(CTavDbDateWeekRecord(2025, 10));
        store.AddWeekInfo(CTavDbDateWeekRecord(2025, 11));
        store.AddMonthInfo(CTavDbDateMonthRecord(2025, 2));
        store.AddMonthInfo(CTavDbDateMonthRecord(2025, 3));

        store.SetPrivateMode(2);
        int deleted = 0;
        QCOMPARE(store.DeletePastRecords(QStringLiteral("20250310"), 2025, 11, 3, archive, &deleted),
                 TavStatusCode::Ok);
        QCOMPARE(deleted, 3);
        store.SetPrivateMode(0);
        QStringList left;
        for (int i = 0; i < store.GetCount(); ++i)
            left << store.GetDateRecord(i)->GetDesc();
        QCOMPARE(left, (QStringList{"cut-off day", "ends on the cut-off", "endless"}));
        QCOMPARE(static_cast<int>(store.AllRecords().size()), archive ? 6 : 3);
        CTavDbDateDayRecord day;
        QCOMPARE(store.GetDayInfo(QStringLiteral("20250309"), day), TavStatusCode::NotFound);
        QCOMPARE(store.GetDayInfo(QStringLiteral("20250310"), day), TavStatusCode::Ok);
        CTavDbDateWeekRecord week;
        QCOMPARE(store.GetWeekInfo(2025, 10, week), TavStatusCode::NotFound);
        QCOMPARE(store.GetWeekInfo(2025, 11, week), TavStatusCode::Ok);
        CTavDbDateMonthRecord month;
        QCOMPARE(store.GetMonthInfo(2025, 2, month), TavStatusCode::NotFound);
        QCOMPARE(store.GetMonthInfo(2025, 3, month), TavStatusCode::Ok);
        QList<CTavDbDateRecord*> list;
        store.GetDayRecords(QStringLiteral("20250309"), list);
        QCOMPARE(descs(list), (QStringList{"ends on the cut-off"}));

        QCOMPARE(store.DeletePastRecords(QStringLiteral("20250310"), 2025, 54, 3, archive),
                 TavStatusCode::InvalidArgument);
        QCOMPARE(store.DeletePastRecords(QStringLiteral("2025-03-10"), 2025, 11, 3, archive),
                 TavStatusCode::InvalidArgument);
    }

    void pastParam_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QDate>("limit");
        QTest::newRow("10 days") << 10 << 0 << QDate(2024, 3, 21);
        QTest::newRow("2 weeks") << 2 << 1 << QDate(2024, 3, 17);
        QTest::newRow("1 month from the 31st") << 1 << 2 << QDate(2024, 2, 29);
        QTest::newRow("1 year") << 1 << 3 << QDate(2023, 3, 31);
    }

    void pastParam()
    {
        QFETCH(int, number);
        QFETCH(int, unit);
        QFETCH(QDate, limit);
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 3, 31), QTime(12, 0)));
        CTavDbDate store;
        QVERIFY(!store.GetPastLimitDate().isValid());
        QCOMPARE(store.SetPastParam(true, number, unit), TavStatusCode::Ok);
        QCOMPARE(store.GetPastLimitDate(), limit);
        QVERIFY(store.IsPastRecord(single(QStringLiteral("before"), limit.addDays(-1), QTime(23, 0))));
        QVERIFY(!store.IsPastRecord(single(QStringLiteral("on"), limit, QTime(0, 0))));
        CTavDbDateRecord open = repeating(QStringLiteral("open"), QDate(2000, 1, 1), QTime(9, 0), 1);
        QVERIFY(!store.IsPastRecord(open));
        QCOMPARE(store.SetPastParam(false, number, unit), TavStatusCode::Ok);
        QVERIFY(!store.IsPastRecord(single(QStringLiteral("before"), limit.addDays(-1), QTime(23, 0))));
        QCOMPARE(store.SetPastParam(true, 100, unit), TavStatusCode::InvalidArgument);
        QCOMPARE(store.SetPastParam(true, number, 4), TavStatusCode::InvalidArgument);
    }
};

QTEST_GUILESS_MAIN(TestDateFile)
#include "tst_datefile.moc"
