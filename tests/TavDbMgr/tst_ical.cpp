#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>

#include "CTavDbDate.h"
#include "CTavDbDateICalExchange.h"
#include "CTavDbDateRepeat.h"
#include "CTavDbText.h"

namespace {
TavTime at(const QDate& day, int h, int m)
{
    return CTavDbTime::fromDateAndTime(day, QTime(h, m));
}

// Every day of the calendar on which the event occurs.
QList<int> occurrences(const CTavDbDateRecord& r)
{
    static const QList<CTavDbDateRepeat::Day> days = [] {
        QList<CTavDbDateRepeat::Day> all;
        for (QDate d = CTavDbTime::firstDate(); d <= CTavDbTime::lastDate(); d = d.addDays(1))
            all << CTavDbDateRepeat::Day::of(d);
        return all;
    }();
    const CTavDbDateRepeat repeat(r);
    QList<int> out;
    for (const auto& day : days)
        if (repeat.OccursOn(day))
            out << day.julian;
    return out;
}

// Events of every repeat kind, with rules whose start is not an occurrence, exceptions,
// alarms, private flags, categories and text that needs escaping.
QList<CTavDbDateRecord> generated(int count)
{
    QRandomGenerator rng(2024);
    QList<CTavDbDateRecord> events;
    for (int i = 0; i < count; ++i) {
        CTavDbDateRecord r;
        const QDate start = QDate(2021, 1, 1).addDays(rng.bounded(2500));
        const int weekday = start.dayOfWeek() % 7;
        r.SetDesc(QStringLiteral("予定 %1; a,b\\c=").arg(i));
        if (i % 3 == 0)
            r.SetNote(QStringLiteral("一行目\n二行目: =3D ,;"));
        r.SetUntimed(i % 5 == 0);
        const int minute = (6 + rng.bounded(15)) * 60 + 15 * rng.bounded(4);
        r.SetStartTime(r.GetIsUntimed() ? CTavDbTime::fromDate(start) : at(start, minute / 60, minute % 60));
        r.SetEndTime(r.GetIsUntimed() ? r.GetStartTime() : r.GetStartTime() + 60 * (15 + rng.bounded(180)));
        const int kind = i % 6;
        r.SetMyBrand(kind);
        r.SetDayIndex(weekday);
        switch (kind) {
        case CTavDbDateRecord::RepeatDaily:
            r.SetInterval(1 + rng.bounded(10));
            break;
        case CTavDbDateRecord::RepeatWeekly:
            r.SetInterval(1 + rng.bounded(4));
            r.SetWeekDayMask(static_cast<uint8_t>(1 + rng.bounded(127)));
            r.SetFirstDayOfWeek(rng.bounded(7));
            break;
        case CTavDbDateRecord::RepeatMonthlyByWeekday:
            r.SetInterval(1 + rng.bounded(3));
            r.SetDayIndex(i % 4 ? weekday : rng.bounded(7));
            r.SetWeekIndex(start.day() > 28 || i % 7 == 0 ? CTavDbDateRecord::kLastWeek
                                                          : (start.day() - 1) / 7);
            break;
        case CTavDbDateRecord::RepeatMonthlyByDate:
            r.SetInterval(i % 4 ? 1 : 12);
            r.SetDayNumber(i % 3 ? start.day() : 1 + rng.bounded(31));
            break;
        case CTavDbDateRecord::RepeatYearly:
            r.SetInterval(1 + rng.bounded(2));
            r.SetMonthIndex(start.month() - 1);
            r.SetDayNumber(start.day());
            break;
        }
        if (kind && rng.bounded(2))
            r.SetEndDate(CTavDbTime::fromDate(start.addDays(30 + rng.bounded(1500))));
        if (kind) {
            const QList<int> days = occurrences(r).mid(1, 20);
            QList<QDate> exceptions;
            for (int k = rng.bounded(4); k > 0 && !days.isEmpty(); --k)
                exceptions << QDate::fromJulianDay(days.at(rng.bounded(days.size())));
            r.SetExceptions(exceptions);
        }
        if (i % 4 == 1) {
            r.SetAlarm(true);
            r.SetAlarmAdvance(rng.bounded(100));
            r.SetAlarmUnit(rng.bounded(3));
        }
        r.SetPrivate(i % 8 == 3);
        r.SetCategoryID(static_cast<uint32_t>(i % 3));
        events << r;
    }
    return events;
}

int alarmMinutes(const CTavDbDateRecord& r)
{
    const int units[] = {1, 60, 1440};
    return r.GetIsAlarmSet() ? r.GetAlarmAdvance() * units[r.GetAlarmUnit()] : -1;
}

QList<CTavDbDateICalEvent> read(const QByteArray& bytes, QStringList* notes)
{
    QList<CTavDbDateICalEvent> events;
    [&] { QCOMPARE(CTavDbDateICalExchange::Read(bytes, &events, notes), TavStatusCode::Ok); }();
    return events;
}

const CTavDbDateRecord* named(const QList<CTavDbDateICalEvent>& events, const QString& desc, int nth = 0)
{
    for (const CTavDbDateICalEvent& e : events)
        if (e.record.GetDesc() == desc && nth-- == 0)
            return &e.record;
    return nullptr;
}

QByteArray crlf(const char* text)
{
    return QByteArray(text).replace("\n", "\r\n");
}
} // namespace

class TestICal : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Asia/Tokyo");
        tzset();
    }
    void roundTripKeepsEveryOccurrence_data();
    void roundTripKeepsEveryOccurrence();
    void webCalendarWithZonesAndMovedOccurrence();
    void desktopCalendarRulesExpanded();
    void phoneVCalendarInShiftJis();
    void badInputImportsWhatCanBeHeld();
    void categoriesAndRecordLimit();
};

void TestICal::roundTripKeepsEveryOccurrence_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("iCalendar") << QStringLiteral("out.ics");
    QTest::newRow("vCalendar") << QStringLiteral("out.vcs");
}

void TestICal::roundTripKeepsEveryOccurrence()
{
    QFETCH(QString, file);
    CTavDbDate source;
    QVERIFY(source.AddCategory(QStringLiteral("仕事")) == TavStatusCode::Ok);
    QList<uint32_t> ids;
    QList<CTavDbDateRecord> expected;
    for (CTavDbDateRecord r : generated(300)) {
        r.SetCategoryID(r.GetCategoryID() ? source.GetCategory(1).GetID() : 0);
        QCOMPARE(source.AddRecord(r), TavStatusCode::Ok);
        // A rule that never occurs has nothing to exchange.
        if (!occurrences(r).isEmpty()) {
            ids << r.GetUniqueId();
            expected << r;
        }
    }
    QVERIFY(expected.size() > 250);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QCOMPARE(CTavDbDateICalExchange::Export(source, path, ids), TavStatusCode::Ok);

    CTavDbDate target;
    QStringList notes;
    int added = 0;
    QCOMPARE(CTavDbDateICalExchange::Import(target, path, &notes, &added), TavStatusCode::Ok);
    QCOMPARE(notes, QStringList());
    QCOMPARE(added, expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const CTavDbDateRecord& a = expected.at(i);
        const auto& b = *static_cast<const CTavDbDateRecord*>(target.AllRecords().at(i).get());
        QCOMPARE(b.GetDesc(), a.GetDesc());
        QCOMPARE(b.GetNote(), a.GetNote());
        QCOMPARE(b.GetIsPrivate(), a.GetIsPrivate());
        QCOMPARE(b.GetIsUntimed(), a.GetIsUntimed());
        QCOMPARE(alarmMinutes(b), alarmMinutes(a));
        QCOMPARE(CTavDbTime::toTime(b.GetStartTime()), CTavDbTime::toTime(a.GetStartTime()));
        QCOMPARE(b.GetEndTime() - b.GetStartTime(), a.GetEndTime() - a.GetStartTime());
        QCOMPARE(target.FindCategoryById(b.GetCategoryID())->GetName(),
                 source.FindCategoryById(a.GetCategoryID())->GetName());
        if (occurrences(b) != occurrences(a))
            QFAIL(qPrintable(
                QStringLiteral("event %1 (kind %2) occurs on other days").arg(i).arg(a.GetMyBrand())));
    }
}

// As a web calendar exports: a zone of its own (with daylight saving), UTC times, an all-day
// event over several days and an occurrence moved by a second VEVENT of the same UID.
void TestICal::webCalendarWithZonesAndMovedOccurrence()
{
    QStringList notes;
    const auto events = read(crlf(R"(BEGIN:VCALENDAR
PRODID:-//Example//Web Calendar 1.0//EN
VERSION:2.0
CALSCALE:GREGORIAN
BEGIN:VTIMEZONE
TZID:America/New_York
BEGIN:DAYLIGHT
TZOFFSETFROM:-0500
TZOFFSETTO:-0400
TZNAME:EDT
DTSTART:19700308T020000
RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU
END:DAYLIGHT
BEGIN:STANDARD
TZOFFSETFROM:-0400
TZOFFSETTO:-0500
TZNAME:EST
DTSTART:19701101T020000
RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU
END:STANDARD
END:VTIMEZONE
BEGIN:VEVENT
DTSTART;TZID=America/New_York:20240305T190000
DTEND;TZID=America/New_York:20240305T200000
RRULE:FREQ=WEEKLY;BYDAY=TU;UNTIL=20240430T235959Z
EXDATE;TZID=America/New_York:20240319T190000
DTSTAMP:20240301T000000Z
UID:call@example.com
SUMMARY:Weekly call
END:VEVENT
BEGIN:VEVENT
UID:call@example.com
RECURRENCE-ID;TZID=America/New_York:20240326T190000
DTSTART;TZID=America/New_York:20240327T190000
DTEND;TZID=America/New_York:20240327T200000
SUMMARY:Weekly call (moved)
END:VEVENT
BEGIN:VEVENT
UID:days@example.com
DTSTART;VALUE=DATE:20240501
DTEND;VALUE=DATE:20240504
SUMMARY:連休
END:VEVENT
BEGIN:VEVENT
UID:utc@example.com
DTSTART:20240401T000000Z
DTEND:20240401T010000Z
SUMMARY:UTC meeting
CLASS:PRIVATE
END:VEVENT
END:VCALENDAR
)"),
                             &notes);
    QCOMPARE(events.size(), 4);
    const CTavDbDateRecord* call = named(events, QStringLiteral("Weekly call"));
    QVERIFY(call);
    // 19:00 in New York on Tuesday is 09:00 on Wednesday in Tokyo.
    QCOMPARE(call->GetStartTime(), at(QDate(2024, 3, 6), 9, 0));
    QCOMPARE(call->GetEndTime(), at(QDate(2024, 3, 6), 10, 0));
    QCOMPARE(call->GetMyBrand(), int(CTavDbDateRecord::RepeatWeekly));
    QCOMPARE(call->GetWeekDayMask(), uint8_t(1 << 3));
    QCOMPARE(CTavDbTime::toDate(call->GetEndDate()), QDate(2024, 4, 30));
    QCOMPARE(call->GetExceptions(), (QList<QDate>{QDate(2024, 3, 20), QDate(2024, 3, 27)}));
    // After the clocks change in New York the call comes an hour earlier here: said, not hidden.
    QCOMPARE(notes.size(), 1);
    QVERIFY2(notes.first().contains(QStringLiteral("「Weekly call」")), qPrintable(notes.first()));

    const CTavDbDateRecord* moved = named(events, QStringLiteral("Weekly call (moved)"));
    QVERIFY(moved && !moved->IsRepeating());
    QCOMPARE(moved->GetStartTime(), at(QDate(2024, 3, 28), 8, 0));
    const CTavDbDateRecord* days = named(events, QStringLiteral("連休"));
    QVERIFY(days && days->GetIsUntimed());
    QCOMPARE(occurrences(*days).size(), 3);
    QCOMPARE(days->GetStartDate(), QDate(2024, 5, 1));
    const CTavDbDateRecord* utc = named(events, QStringLiteral("UTC meeting"));
    QVERIFY(utc && utc->GetIsPrivate());
    QCOMPARE(utc->GetStartTime(), at(QDate(2024, 4, 1), 9, 0));
}

// As a desktop mail program exports: a zone by its Windows name with a VTIMEZONE, COUNT, the
// nth weekday of a month every year and a list of month days.
void TestICal::desktopCalendarRulesExpanded()
{
    QStringList notes;
    const auto events = read(crlf(R"(BEGIN:VCALENDAR
PRODID:-//Example Corporation//Desktop Mail 16.0//EN
VERSION:2.0
METHOD:PUBLISH
BEGIN:VTIMEZONE
TZID:Tokyo Standard Time
BEGIN:STANDARD
DTSTART:16010101T000000
TZOFFSETFROM:+0900
TZOFFSETTO:+0900
END:STANDARD
END:VTIMEZONE
BEGIN:VEVENT
DTSTART;TZID="Tokyo Standard Time":20240111T140000
DTEND;TZID="Tokyo Standard Time":20240111T150000
RRULE:FREQ=MONTHLY;COUNT=3;BYDAY=2TH
SUMMARY;LANGUAGE=ja:定例会
DESCRIPTION:議題:\n・予算
PRIORITY:5
TRANSP:OPAQUE
UID:040000008200E00074C5B7101A82E00800000000
X-ALT-DESC;FMTTYPE=text/html:<html><body>議題</body></html>
BEGIN:VALARM
TRIGGER:-PT120M
ACTION:DISPLAY
DESCRIPTION:Reminder
END:VALARM
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:20241128
DTEND;VALUE=DATE:20241129
RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH
SUMMARY:Fourth Thursday
UID:tg
END:VEVENT
BEGIN:VEVENT
DTSTART;TZID="Tokyo Standard Time":20240401T090000
DTEND;TZID="Tokyo Standard Time":20240401T091500
RRULE:FREQ=MONTHLY;BYMONTHDAY=1,15;COUNT=4
SUMMARY:Payday
UID:pd
END:VEVENT
END:VCALENDAR
)"),
                             &notes);
    QCOMPARE(events.size(), 4);
    const CTavDbDateRecord* meeting = named(events, QStringLiteral("定例会"));
    QVERIFY(meeting);
    QCOMPARE(meeting->GetMyBrand(), int(CTavDbDateRecord::RepeatMonthlyByWeekday));
    QCOMPARE(meeting->GetWeekIndex(), 1);
    // COUNT=3 ends on the third occurrence, 14 March.
    QCOMPARE(CTavDbTime::toDate(meeting->GetEndDate()), QDate(2024, 3, 14));
    QCOMPARE(occurrences(*meeting).size(), 3);
    QCOMPARE(meeting->GetAlarmUnit(), int(CTavDbDateRecord::AlarmHours));
    QCOMPARE(meeting->GetAlarmAdvance(), 2);

    const CTavDbDateRecord* fourth = named(events, QStringLiteral("Fourth Thursday"));
    QVERIFY(fourth && fourth->GetIsUntimed());
    QCOMPARE(fourth->GetMyBrand(), int(CTavDbDateRecord::RepeatMonthlyByWeekday));
    QCOMPARE(fourth->GetInterval(), 12);
    QVERIFY(occurrences(*fourth).contains(QDate(2025, 11, 27).toJulianDay()));
    QCOMPARE(occurrences(*fourth).size(), 8);

    // Two days of the month are two events, ending with the fourth occurrence of both.
    const CTavDbDateRecord* first = named(events, QStringLiteral("Payday"));
    const CTavDbDateRecord* second = named(events, QStringLiteral("Payday"), 1);
    QVERIFY(first && second);
    QCOMPARE(first->GetDayNumber(), 1);
    QCOMPARE(second->GetDayNumber(), 15);
    QCOMPARE(occurrences(*first) + occurrences(*second),
             (QList<int>{int(QDate(2024, 4, 1).toJulianDay()), int(QDate(2024, 5, 1).toJulianDay()),
                         int(QDate(2024, 4, 15).toJulianDay()), int(QDate(2024, 5, 15).toJulianDay())}));
    QCOMPARE(notes.size(), 1); // the split
    QVERIFY(notes.first().startsWith(QStringLiteral("「Payday」")));
}

// A phone's vCalendar 1.0: Shift_JIS quoted-printable text, its own rule syntax, an all-day
// event as midnight to 23:59, AALARM and a UTC time.
void TestICal::phoneVCalendarInShiftJis()
{
    QStringList notes;
    const auto events = read(crlf(R"(BEGIN:VCALENDAR
VERSION:1.0
TZ:+09:00
BEGIN:VEVENT
SUMMARY;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=89=EF=8B=63
DESCRIPTION;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=83=81=83=82=0D=0A=
=8E=9F=8D=73
DTSTART:20240126T100000
DTEND:20240126T110000
RRULE:MP1 1- FR #0
AALARM:20240126T095000;;;
CLASS:PRIVATE
CATEGORIES:MEETING
END:VEVENT
BEGIN:VEVENT
SUMMARY;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8B=78=93=FA
DTSTART:20240203T000000
DTEND:20240203T235900
RRULE:W1 SA SU #0
END:VEVENT
BEGIN:VEVENT
SUMMARY:Count
DTSTART:20240110T090000
DTEND:20240110T093000
RRULE:D2 #3
EXDATE:20240112T090000
END:VEVENT
BEGIN:VEVENT
SUMMARY:Monthly
DTSTART:20240115T120000Z
RRULE:MD1 15 20241231T000000
EXDATE:20240215T120000Z;20250115T120000Z;60240115T120000Z
END:VEVENT
END:VCALENDAR
)"),
                             &notes);
    QCOMPARE(notes, QStringList());
    QCOMPARE(events.size(), 4);
    const CTavDbDateRecord* meeting = named(events, QStringLiteral("会議"));
    QVERIFY(meeting && meeting->GetIsPrivate());
    QCOMPARE(meeting->GetNote(), QStringLiteral("メモ\n次行"));
    QCOMPARE(meeting->GetMyBrand(), int(CTavDbDateRecord::RepeatMonthlyByWeekday));
    QCOMPARE(meeting->GetWeekIndex(), CTavDbDateRecord::kLastWeek);
    QCOMPARE(meeting->GetDayIndex(), 5);
    QCOMPARE(alarmMinutes(*meeting), 10);
    QCOMPARE(events.at(0).categories, QStringList{QStringLiteral("MEETING")});
    const CTavDbDateRecord* holiday = named(events, QStringLiteral("休日"));
    QVERIFY(holiday && holiday->GetIsUntimed());
    QCOMPARE(holiday->GetWeekDayMask(), uint8_t(0x41));
    const CTavDbDateRecord* count = named(events, QStringLiteral("Count"));
    QCOMPARE(occurrences(*count),
             (QList<int>{int(QDate(2024, 1, 10).toJulianDay()), int(QDate(2024, 1, 14).toJulianDay())}));
    const CTavDbDateRecord* monthly = named(events, QStringLiteral("Monthly"));
    QCOMPARE(monthly->GetStartTime(), at(QDate(2024, 1, 15), 21, 0));
    // Exceptions past the end are no days of the event.
    QCOMPARE(occurrences(*monthly).size(), 11);
    QCOMPARE(monthly->GetExceptions().size(), 1);
}

// Rules the handheld cannot hold and broken files: the rest goes in, each refusal is named.
void TestICal::badInputImportsWhatCanBeHeld()
{
    const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    const auto event = [](const char* summary, const char* lines) {
        return QByteArray("BEGIN:VEVENT\r\nUID:") + summary + "\r\nSUMMARY:" + summary + "\r\n" +
               crlf(lines) + "END:VEVENT\r\n";
    };
    QByteArray file = head;
    file += event("Hourly", "DTSTART:20240101T090000\nRRULE:FREQ=HOURLY\n");
    file += event("SetPos", "DTSTART:20240101T090000\nRRULE:FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=-1\n");
    file += event("Fifth", "DTSTART:20240129T090000\nRRULE:FREQ=MONTHLY;BYDAY=5MO\n");
    file += event("LastDay", "DTSTART:20240131T090000\nRRULE:FREQ=MONTHLY;BYMONTHDAY=-1\n");
    file += event("Broken", "DTSTART:20240101T090000\nRRULE:FREQ=WEEKLY;BYDAY=XX;INTERVAL=x\n");
    file += event("NoZone", "DTSTART;TZID=Nowhere/Special:20240101T090000\n");
    file += event("Sixties", "DTSTART:19600101T090000\n");
    file += event("Wide", "DTSTART:20240101T090000\nRRULE:FREQ=DAILY;INTERVAL=100\n");
    file += event("Good", "DTSTART:20240101T090000\nDTEND:20240102T010000\n");
    file += "BEGIN:VEVENT\r\nSUMMARY:" + QByteArray(3 << 20, 'x') +
            "\r\nDTSTART:20240102T090000\r\nEND:VEVENT\r\n";
    // Cut within blanks, the summary loses them too: an export must read back the same.
    file += "BEGIN:VEVENT\r\nSUMMARY:" + QByteArray(250, 'x') + QByteArray(30, ' ') +
            "tail\r\nDTSTART:20240103T090000\r\nEND:VEVENT\r\n";
    file += "BEGIN:VEVENT\r\nSUMMARY:Cut\r\nDTSTART:2024";
    QStringList notes;
    const auto events = read(file, &notes);
    QCOMPARE(events.size(), 3);
    QCOMPARE(events.at(0).record.GetDesc(), QStringLiteral("Good"));
    // An end on the next day is cut at the day's end, and said so.
    QCOMPARE(events.at(0).record.GetEndTime(), at(QDate(2024, 1, 1), 23, 59));
    QCOMPARE(CTavDbText::mbLength(events.at(1).record.GetDesc()), CTavDbDateRecord::kMaxDescBytes);
    QCOMPARE(events.at(2).record.GetDesc(), QString(250, u'x'));
    const QString all = notes.join(u'\n');
    for (const char* name :
         {"Hourly", "SetPos", "Fifth", "LastDay", "Broken", "NoZone", "Sixties", "Wide", "Good"})
        QVERIFY2(all.contains(QStringLiteral("「%1」").arg(QLatin1String(name))), name);
    QVERIFY(all.contains(QStringLiteral("途中で終わって")));
    QCOMPARE(notes.size(), 12);

    QList<CTavDbDateICalEvent> none;
    QCOMPARE(CTavDbDateICalExchange::Read("not a calendar", &none, &notes), TavStatusCode::Corrupt);
    QCOMPARE(
        CTavDbDateICalExchange::Read("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nRRULE:W1 MO #2 D1\r\n"
                                     "DTSTART:20240101T090000\r\nEND:VEVENT\r\n",
                                     &none, &notes),
        TavStatusCode::Ok);
    QVERIFY(none.isEmpty());
}

// Categories go by name: known ones are matched, new ones added while there is room; a store
// that cannot take every event takes none.
void TestICal::categoriesAndRecordLimit()
{
    CTavDbDate store;
    QVERIFY(store.AddCategory(QStringLiteral("家族")) == TavStatusCode::Ok);
    while (store.GetCategoryCount() <
           CTavDbStoreBase::kMaxCategories - 2) // room for one, as the editor allows
        QVERIFY(store.AddCategory(QStringLiteral("c%1").arg(store.GetCategoryCount())) == TavStatusCode::Ok);
    QByteArray file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (const char* category : {"Other,家族", "新しい", "もう一つ"})
        file += QByteArray("BEGIN:VEVENT\r\nDTSTART:20240101T090000\r\nCATEGORIES:") + category +
                "\r\nEND:VEVENT\r\n";
    file += "END:VCALENDAR\r\n";
    QStringList notes;
    int added = 0;
    QCOMPARE(CTavDbDateICalExchange::ImportBytes(store, file, &notes, &added), TavStatusCode::Ok);
    QCOMPARE(added, 3);
    const auto categoryOf = [&](int i) {
        return store.FindCategoryById(store.AllRecords().at(i)->GetCategoryID())->GetName();
    };
    QCOMPARE(categoryOf(0), QStringLiteral("家族"));
    QCOMPARE(categoryOf(1), QStringLiteral("新しい"));
    QCOMPARE(store.AllRecords().at(2)->GetCategoryID(), CTavDbPcRecord::kUnfiled);

    while (store.GetRecordCount() < store.GetMaxRecords() - 2) {
        CTavDbDateRecord r;
        r.SetStartTime(at(QDate(2024, 1, 1), 9, 0));
        r.SetEndTime(r.GetStartTime());
        QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
    }
    QCOMPARE(CTavDbDateICalExchange::ImportBytes(store, file, &notes, &added), TavStatusCode::RecordLimit);
    QCOMPARE(store.GetRecordCount(), store.GetMaxRecords() - 2);
}

QTEST_GUILESS_MAIN(TestICal)
#include "tst_ical.moc"
