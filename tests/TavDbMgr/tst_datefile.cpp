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
    // the changes; keys outside the calendar and over-long sheet names are refused.
    void roundTrip()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("datebook.ldb"));
        CTavDbDate first;
        CTavDbDateRecord full = fullRecord();
        QCOMPARE(first.AddRecord(full), TavStatusCode::Ok);
        const uint32_t plain = add(first, untimed(QStringLiteral("plain"), QDate(1970, 1, 2)));
        QCOMPARE(first.AddCategoryWithId(7, QStringLiteral("7")), TavStatusCode::Ok);
        const CTavDbDateDayRecord day = dayInfo(QDate(2025, 2, 23), 0x0000FF, QString(255, u'x'));
        QCOMPARE(first.AddDayInfo(day), TavStatusCode::Ok);
        QCOMPARE(first.AddDayInfo(day), TavStatusCode::Duplicate);
        QCOMPARE(first.AddDayInfo(dayInfo(QDate(2025, 2, 24), 1, QString(256, u'x'))),
                 TavStatusCode::InvalidArgument);
        QCOMPARE(first.AddDayInfo(dayInfo(QDate(1970, 1, 1), 1, QString())), TavStatusCode::InvalidArgument);
        CTavDbDateWeekRecord week(2025, 9);
        week.SetSheetName(QStringLiteral("week"));
        QCOMPARE(first.AddWeekInfo(week), TavStatusCode::Ok);
        QCOMPARE(first.AddWeekInfo(CTavDbDateWeekRecord(2025, 54)), TavStatusCode::InvalidArgument);
        QCOMPARE(first.AddWeekInfo(CTavDbDateWeekRecord(2032, 1)), TavStatusCode::Ok); // from 28 Dec 2031
        QCOMPARE(first.AddWeekInfo(CTavDbDateWeekRecord(2032, 2)), TavStatusCode::InvalidArgument);
        CTavDbDateMonthRecord month(2031, 12);
        month.SetColor(true, 0x123456);
        QCOMPARE(first.AddMonthInfo(month), TavStatusCode::Ok);
        QCOMPARE(first.AddMonthInfo(CTavDbDateMonthRecord(2032, 1)), TavStatusCode::InvalidArgument);
        QCOMPARE(first.WriteToFile(path), TavStatusCode::Ok);

        CTavDbDate second;
        QCOMPARE(second.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(second.GetRecordCount(), 2);
        QVERIFY(second.FindRecord(full.GetUniqueId())->IsEqualPdt(full));
        QVERIFY(second.FindCategoryById(7));
        CTavDbDateDayRecord readDay;
        QCOMPARE(second.GetDayInfo(QStringLiteral("20250223"), readDay), TavStatusCode::Ok);
        QCOMPARE(readDay, day);
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
    }

    // Past records go, removed or archived for the backup, with the info records before the
    // cut-off (a day, a week, a month); a private one goes too, whatever the private mode.
    void deletePastRecords()
    {
        for (bool archive : {false, true}) {
            CTavDbDate store;
            const QDate cutoff(2025, 3, 10);
            add(store, single(QStringLiteral("old"), cutoff.addDays(-1), QTime(23, 0)));
            CTavDbDateRecord oldPrivate =
                single(QStringLiteral("old private"), QDate(2020, 1, 1), QTime(9, 0));
            oldPrivate.SetPrivate(true);
            add(store, oldPrivate);
            add(store, single(QStringLiteral("cut-off day"), cutoff, QTime(0, 0)));
            CTavDbDateRecord ended = repeating(QStringLiteral("ended"), QDate(2024, 1, 1), QTime(9, 0), 1);
            ended.SetEndDate(CTavDbTime::fromDateAndTime(cutoff.addDays(-1), QTime(23, 59, 59)));
            add(store, ended);
            ended.SetDesc(QStringLiteral("ends on the cut-off"));
            ended.SetEndDate(CTavDbTime::fromDate(cutoff));
            add(store, ended);
            add(store, repeating(QStringLiteral("endless"), QDate(2020, 1, 1), QTime(9, 0), 5));
            // The cut-off lies in week 11 of 2025.
            for (int i : {0, 1}) {
                store.AddDayInfo(dayInfo(cutoff.addDays(i - 1), 1, QString()));
                store.AddWeekInfo(CTavDbDateWeekRecord(2025, 10 + i));
                store.AddMonthInfo(CTavDbDateMonthRecord(2025, 2 + i));
            }
            store.SetPrivateMode(2);
            int deleted = 0;
            QCOMPARE(store.DeletePastRecords("20250310", 2025, 11, 3, archive, &deleted), TavStatusCode::Ok);
            QCOMPARE(deleted, 3);
            store.SetPrivateMode(0);
            QList<CTavDbDateRecord*> list;
            for (int i = 0; i < store.GetCount(); ++i)
                list << store.GetDateRecord(i);
            QCOMPARE(descs(list), (QStringList{"cut-off day", "ends on the cut-off", "endless"}));
            QCOMPARE(static_cast<int>(store.AllRecords().size()), archive ? 6 : 3);
            CTavDbDateDayRecord day;
            CTavDbDateWeekRecord week;
            CTavDbDateMonthRecord month;
            for (int i : {0, 1}) {
                const TavStatus kept = i ? TavStatusCode::Ok : TavStatusCode::NotFound;
                QCOMPARE(store.GetDayInfo(CTavDbTime::dayKey(cutoff.addDays(i - 1)), day), kept);
                QCOMPARE(store.GetWeekInfo(2025, 10 + i, week), kept);
                QCOMPARE(store.GetMonthInfo(2025, 2 + i, month), kept);
            }
            QCOMPARE(store.DeletePastRecords("20250310", 2025, 54, 3, archive),
                     TavStatusCode::InvalidArgument);
            QCOMPARE(store.DeletePastRecords("2025-03-10", 2025, 11, 3, archive),
                     TavStatusCode::InvalidArgument);
        }
    }
};

QTEST_GUILESS_MAIN(TestDateFile)
#include "tst_datefile.moc"
