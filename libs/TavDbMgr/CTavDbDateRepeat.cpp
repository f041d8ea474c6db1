#include "CTavDbDateRepeat.h"

#include <algorithm>
#include <limits>

#include "CTavDbDateRecord.h"

CTavDbDateRepeat::Day CTavDbDateRepeat::Day::of(const QDate& date)
{
    Day d;
    d.julian = static_cast<int>(date.toJulianDay());
    date.getDate(&d.year, &d.month, &d.day);
    d.weekday = date.dayOfWeek() % 7;
    d.daysInMonth = date.daysInMonth();
    return d;
}

CTavDbDateRepeat::CTavDbDateRepeat(const CTavDbDateRecord& record)
    : CTavDbDateRepeat(record, record.GetStartDate(),
                       record.HasEndDate() ? CTavDbTime::toDate(record.GetEndDate()) : QDate())
{
}

CTavDbDateRepeat::CTavDbDateRepeat(const CTavDbDateRecord& record, const QDate& start, const QDate& endDate)
{
    if (!start.isValid())
        return; // m_last < m_first: never
    const Day first = Day::of(start);
    m_kind = record.GetMyBrand();
    m_first = first.julian;
    m_startMonths = first.year * 12 + first.month - 1;
    m_startYear = first.year;
    m_interval = record.GetInterval() > 0 ? record.GetInterval() : 1;
    m_firstDayOfWeek =
        record.GetFirstDayOfWeek() >= 0 && record.GetFirstDayOfWeek() <= 6 ? record.GetFirstDayOfWeek() : 0;
    m_startWeekStart = m_first - (first.weekday - m_firstDayOfWeek + 7) % 7;
    if (m_kind == CTavDbDateRecord::RepeatNone)
        m_last = m_first;
    else if (endDate.isValid())
        m_last = static_cast<int>(endDate.toJulianDay());
    else
        m_last = std::numeric_limits<int>::max();

    switch (m_kind) {
    case CTavDbDateRecord::RepeatWeekly:
        // A weekly rule without days is read as the start's weekday, as the rule editor shows it.
        m_mask = record.GetWeekDayMask() & 0x7F;
        if (m_mask == 0)
            m_mask = 1 << first.weekday;
        break;
    case CTavDbDateRecord::RepeatMonthlyByWeekday:
        if (record.GetDayIndex() >= 0 && record.GetDayIndex() <= 6 && record.GetWeekIndex() >= 0 &&
            record.GetWeekIndex() <= CTavDbDateRecord::kLastWeek)
            m_mask = 1 << record.GetDayIndex();
        m_weekIndex = record.GetWeekIndex();
        break;
    case CTavDbDateRecord::RepeatMonthlyByDate:
        m_monthDay = record.GetDayNumber() == 0 ? first.day : record.GetDayNumber();
        break;
    case CTavDbDateRecord::RepeatYearly:
        // A rule without its day falls back to the start's month and day.
        if (record.GetDayNumber() == 0) {
            m_monthDay = first.day;
            m_month = first.month;
        } else {
            m_monthDay = record.GetDayNumber();
            m_month = record.GetMonthIndex() + 1;
        }
        break;
    default:
        break;
    }
    if (m_monthDay < 0 || m_monthDay > 31)
        m_monthDay = 0;
    if (m_month < 0 || m_month > 12)
        m_month = 0;

    m_exceptions.reserve(static_cast<size_t>(record.GetExceptions().size()));
    for (const QDate& d : record.GetExceptions())
        m_exceptions.push_back(static_cast<int>(d.toJulianDay()));
}

bool CTavDbDateRepeat::OccursOn(const Day& day) const
{
    if (day.julian < m_first || day.julian > m_last || !matchesPattern(day))
        return false;
    return m_exceptions.empty() || !std::binary_search(m_exceptions.begin(), m_exceptions.end(), day.julian);
}

bool CTavDbDateRepeat::matchesPattern(const Day& day) const
{
    // The bounds check has run: every difference below is non-negative.
    switch (m_kind) {
    case CTavDbDateRecord::RepeatNone:
        return true;
    case CTavDbDateRecord::RepeatDaily:
        return (day.julian - m_first) % m_interval == 0;
    case CTavDbDateRecord::RepeatWeekly: {
        if (!(m_mask >> day.weekday & 1))
            return false;
        const int weekStart = day.julian - (day.weekday - m_firstDayOfWeek + 7) % 7;
        return (weekStart - m_startWeekStart) / 7 % m_interval == 0;
    }
    case CTavDbDateRecord::RepeatMonthlyByWeekday: {
        if (!(m_mask >> day.weekday & 1))
            return false;
        const bool inWeek = m_weekIndex == CTavDbDateRecord::kLastWeek ? day.day + 7 > day.daysInMonth
                                                                       : (day.day - 1) / 7 == m_weekIndex;
        return inWeek && (day.year * 12 + day.month - 1 - m_startMonths) % m_interval == 0;
    }
    case CTavDbDateRecord::RepeatMonthlyByDate:
        return day.day == m_monthDay && (day.year * 12 + day.month - 1 - m_startMonths) % m_interval == 0;
    case CTavDbDateRecord::RepeatYearly:
        return day.month == m_month && day.day == m_monthDay && (day.year - m_startYear) % m_interval == 0;
    default:
        return false;
    }
}
