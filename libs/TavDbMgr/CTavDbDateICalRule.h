#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "CTavDbDateRecord.h"

class CTavDbDateICalLocal;

// A recurrence as both calendar formats state it, between their text and the handheld's repeat
// fields. The handheld holds one pattern an event; what it cannot hold exactly is refused.
class CTavDbDateICalRule final
{
public:
    enum Freq
    {
        None,
        Daily,
        Weekly,
        Monthly,
        Yearly,
        Finer // hourly and below
    };
    struct WeekDay
    {
        int ordinal = 0; // 0 every such weekday, 1..5 the nth, -1..-5 the nth from the end
        int weekday = 0; // 0 = Sunday
    };

    Freq freq = None;
    int interval = 1;
    int count = 0;     // 0: not limited by a count
    QDate until;       // the last local day an occurrence may start on; invalid: no end
    int weekStart = 1; // 0 = Sunday; Monday when a rule does not say
    QList<WeekDay> byDay;
    QList<int> byMonthDay;
    QList<int> byMonth;  // 1..12
    QString unsupported; // why the reader could not take a part of the rule; empty when it could

    // The rule of an event that starts at base (its start and end times set, no repeat) as
    // handheld events: one for most rules, one a day or month when lists of them split it, and
    // the start itself as an event of its own when the rule does not reach it (start is the local
    // day of base's start). A count becomes an end date; exceptions are given to the events
    // whose days they are. An empty answer is success, otherwise the reason the rule is refused.
    QString ToRecords(const CTavDbDateRecord& base, const QDate& start, const QList<QDate>& exceptions,
                      CTavDbDateICalLocal& local, QList<CTavDbDateRecord>* out) const;

    // The rule of a stored repeating event, and in *first the day of its first occurrence
    // (exceptions aside; invalid when it never occurs), which calendar files take as the start.
    static CTavDbDateICalRule FromRecord(const CTavDbDateRecord& record, QDate* first);
    // The advance of an alarm in minutes.
    static int AlarmMinutes(const CTavDbDateRecord& record);
};
