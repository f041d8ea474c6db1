#include "CTavScSeriesMove.h"

#include <algorithm>

#include "CTavDbDateRecord.h"
#include "CTavDbDateRepeat.h"
#include "CTavScRepeatRule.h"

namespace {
// The index-th weekday of the month (Qt's 1 = Monday); index 4 is the last.
QDate nthWeekday(int year, int month, int index, int dayOfWeek)
{
    QDate date(year, month, 1);
    date = date.addDays((dayOfWeek - date.dayOfWeek() + 7) % 7 + 7 * std::min(index, 4));
    while (date.month() != month)
        date = date.addDays(-7);
    return date;
}

// The event with its times kept and its start on another day.
void startOn(CTavDbDateRecord& record, const QDate& day)
{
    const QTime start = CTavDbTime::toTime(record.GetStartTime());
    const QTime end = CTavDbTime::toTime(record.GetEndTime());
    record.SetStartTime(CTavDbTime::fromDateAndTime(day, start));
    record.SetEndTime(CTavDbTime::fromDateAndTime(day, end));
}

// The rule of an event with no day deleted: which days it meets at all.
CTavDbDateRepeat ruleOf(CTavDbDateRecord record)
{
    record.SetExceptions({});
    return CTavDbDateRepeat(record);
}
// Whether a weekly rule has other weekdays than the moved occurrence's, which stay.
bool othersStay(const CTavDbDateRecord& original, const QDate& from)
{
    return original.GetMyBrand() == CTavDbDateRecord::RepeatWeekly &&
           original.GetWeekDayMask() != (1 << (from.dayOfWeek() % 7));
}

// Days from the first day of the rule's week.
int weekOffset(const CTavDbDateRecord& record, const QDate& day)
{
    return (day.dayOfWeek() % 7 - record.GetFirstDayOfWeek() + 7) % 7;
}

// How far the moved occurrences go: one weekday within each week of such a weekly rule, else
// the days between the two dates.
int occurrenceShift(const CTavDbDateRecord& original, const QDate& from, const QDate& to)
{
    if (!othersStay(original, from))
        return from.daysTo(to);
    return weekOffset(original, to) - weekOffset(original, from);
}
} // namespace

QList<QDate> CTavScSeriesMove::Exceptions(const CTavDbDateRecord& moved, const CTavDbDateRecord& original,
                                          const QDate& from, const QDate& to, const QDate& since)
{
    const int shift = occurrenceShift(original, from, to);
    const int kind = moved.GetMyBrand();
    // A weekday moved onto one the rule already had: its deleted days would hide live ones.
    const bool merged = kind == CTavDbDateRecord::RepeatWeekly && from.dayOfWeek() != to.dayOfWeek() &&
                        (original.GetWeekDayMask() & (1 << (to.dayOfWeek() % 7)));
    const CTavDbDateRepeat rule = ruleOf(moved);
    QList<QDate> dates;
    for (const QDate& date : original.GetExceptions()) {
        if (since.isValid() && date < since)
            continue;
        // Under another kind of rule only a day both rules meet stays deleted.
        QDate now = date;
        if (kind == original.GetMyBrand()) {
            if (kind == CTavDbDateRecord::RepeatMonthlyByWeekday) {
                const int day = moved.GetDayIndex() == 0 ? 7 : moved.GetDayIndex();
                now = nthWeekday(date.year(), date.month(), moved.GetWeekIndex(), day);
            } else if (kind != CTavDbDateRecord::RepeatWeekly || date.dayOfWeek() == from.dayOfWeek()) {
                if (merged)
                    continue;
                now = date.addDays(shift);
            }
        }
        if (rule.OccursOn(now) && !dates.contains(now))
            dates << now;
    }
    return dates;
}

void CTavScSeriesMove::Apply(CTavDbDateRecord& moved, const CTavDbDateRecord& original, const QDate& from,
                             const QDate& to)
{
    const QDate start = original.GetStartDate();
    // The unmoved weekdays of a weekly rule keep the start's week, and with it the interval's
    // phase; otherwise the start moves with its occurrence.
    QDate day = start.addDays(occurrenceShift(original, from, to));
    const bool othersKept =
        othersStay(original, from) && moved.GetMyBrand() == CTavDbDateRecord::RepeatWeekly;
    if (othersKept)
        day = std::clamp(day, start.addDays(-weekOffset(original, start)), start);
    CTavDbDateRecord probe = moved;
    startOn(probe, day);
    const CTavDbDateRepeat rule = ruleOf(probe);
    // Four years and a week hold a day of every rule (29 February, a fifth weekday); without
    // one (an end date before it) the bound stays.
    for (int i = 0; i < 4 * 366 + 7; ++i)
        if (rule.OccursOn(day.addDays(i))) {
            day = day.addDays(i);
            break;
        }
    startOn(moved, day);
    // The fields the rule takes from its start follow the start found.
    CTavScRepeatRule::FromRecord(moved).ToRecord(moved, day, moved.GetFirstDayOfWeek());
    QList<QDate> deleted = Exceptions(moved, original, from, to);
    // A weekday moved before the old start within its week takes the start along; the other
    // weekdays never occurred before it and stay out.
    if (othersKept) {
        const CTavDbDateRepeat rule = ruleOf(moved);
        for (QDate d = day; d < start; d = d.addDays(1))
            if (d.dayOfWeek() != to.dayOfWeek() && rule.OccursOn(d) && !deleted.contains(d))
                deleted << d;
        std::sort(deleted.begin(), deleted.end());
    }
    moved.SetExceptions(deleted);
}
