#pragma once

#include <QDate>
#include <vector>

class CTavDbDateRecord;

// An event's repeat rule reduced to day numbers, so that "does it occur on this day" is a few
// integer operations and never a walk through the occurrences from the start. The rules are
// the handheld Date Book's: the interval counts days, weeks, months or years from the start
// (weeks from the start's week, begun on the rule's first day of week); nothing occurs before
// the start, after the end date or on an exception date.
class CTavDbDateRepeat final
{
public:
    // One calendar day with the facts every rule asks about, computed once per day.
    struct Day
    {
        int julian = 0;
        int year = 0;
        int month = 0;   // 1..12
        int day = 0;     // 1..31
        int weekday = 0; // 0 = Sunday
        int daysInMonth = 0;

        static Day of(const QDate& date);
        static Day ofJulian(int julian) { return of(QDate::fromJulianDay(julian)); }
    };

    CTavDbDateRepeat() = default;
    // The rule of a record; a record that does not repeat occurs on its start day only.
    explicit CTavDbDateRepeat(const CTavDbDateRecord& record);
    // The same with the local dates of the start and of the end date (invalid for none) already
    // known, as an index that converts many times at once has them.
    CTavDbDateRepeat(const CTavDbDateRecord& record, const QDate& start, const QDate& endDate);

    bool OccursOn(const Day& day) const;
    bool OccursOn(const QDate& date) const { return date.isValid() && OccursOn(Day::of(date)); }

    int Kind() const { return m_kind; }
    int FirstJulian() const { return m_first; }
    int LastJulian() const { return m_last; }
    // What the kinds pin down, for indexes that want only the candidates of a day: the weekdays
    // (weekly, monthly by weekday), the day of the month (monthly by date, yearly) and the
    // month (yearly). A rule whose fields name no possible day has an empty mask or day 0.
    int WeekDayMask() const { return m_mask; }
    int MonthDay() const { return m_monthDay; }
    int Month() const { return m_month; }

private:
    bool matchesPattern(const Day& day) const;

    int m_kind = 0;
    int m_interval = 1;
    int m_first = 0;          // julian day of the start
    int m_last = -1;          // julian day of the end date (inclusive)
    int m_startWeekStart = 0; // julian day on which the start's week begins
    int m_startMonths = 0;    // year * 12 + month - 1 of the start
    int m_startYear = 0;
    int m_firstDayOfWeek = 0;
    int m_mask = 0;
    int m_weekIndex = 0;
    int m_monthDay = 0;
    int m_month = 0;
    std::vector<int> m_exceptions; // julian days, ascending
};
