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
} // namespace

QList<QDate> CTavScSeriesMove::Exceptions(const CTavDbDateRecord& moved, const CTavDbDateRecord& original,
                                          const QDate& from, const QDate& to, const QDate& since)
{
    const int shift = from.daysTo(to);
    const int kind = moved.GetMyBrand();
    CTavDbDateRecord probe = moved;
    probe.SetExceptions({});
    const CTavDbDateRepeat rule(probe);
    QList<QDate> dates;
    for (const QDate& date : original.GetExceptions()) {
        if (since.isValid() && date < since)
            continue;
        // Under another kind of rule only a day both rules meet stays deleted.
        QDate now = date;
        if (kind == original.GetMyBrand()) {
            if (kind == CTavDbDateRecord::RepeatMonthlyByWeekday)
                now =
                    nthWeekday(date.year(), date.month(), CTavScRepeatRule::WeekIndexOf(to), to.dayOfWeek());
            else if (kind != CTavDbDateRecord::RepeatWeekly || date.dayOfWeek() == from.dayOfWeek())
                now = date.addDays(shift);
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
    const QDate shifted = start.addDays(from.daysTo(to));
    // A weekly rule's unmoved weekdays may meet a day before the moved start.
    QDate day = moved.GetMyBrand() == CTavDbDateRecord::RepeatWeekly ? std::min(start, shifted) : shifted;
    CTavDbDateRecord probe = moved;
    probe.SetExceptions({});
    startOn(probe, day);
    const CTavDbDateRepeat rule(probe);
    // Four years and a week hold a day of every rule (29 February, a fifth weekday); without
    // one (an end date before it) the bound stays.
    for (int i = 0; i < 4 * 366 + 7; ++i)
        if (rule.OccursOn(day.addDays(i))) {
            day = day.addDays(i);
            break;
        }
    startOn(moved, day);
    moved.SetExceptions(Exceptions(moved, original, from, to));
}
