#include "CTavScCalendarGrid.h"

namespace {
int weekdayOf(const QDate& date)
{
    return date.dayOfWeek() % 7;
}

// Whether a week that begins on firstDayOfWeek reaches Thursday within its first `days` days.
bool meetsThursday(int firstDayOfWeek, int days)
{
    for (int k = 0; k < days; ++k)
        if ((firstDayOfWeek + k) % 7 == 4)
            return true;
    return false;
}

// Position of 1 January in its week, and whether that week is week 1 of the year.
int januaryOffset(int year, int firstDayOfWeek, bool* isWeekOne)
{
    const int offset = (weekdayOf(QDate(year, 1, 1)) - firstDayOfWeek + 7) % 7;
    *isWeekOne = !meetsThursday(firstDayOfWeek, offset);
    return offset;
}
} // namespace

int CTavScCalendarGrid::DaysInMonth(int year, int month)
{
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        if (year % 400 == 0)
            return 29;
        if (year % 100 == 0)
            return 28;
        return year % 4 == 0 ? 29 : 28;
    default:
        return 31;
    }
}

int CTavScCalendarGrid::Validate(int year, int month, int day, int firstDayOfWeek)
{
    if (year < kFirstYear || year > kLastYear)
        return BadYear;
    if (month < 1 || month > 12)
        return BadMonth;
    if (day < 1 || day > DaysInMonth(year, month))
        return BadDay;
    if (firstDayOfWeek < 0 || firstDayOfWeek > 6)
        return BadFirstDay;
    return Valid;
}

int CTavScCalendarGrid::Build(int year, int month, int firstDayOfWeek)
{
    if (const int result = Validate(year, month, 1, firstDayOfWeek))
        return result;
    const QDate first(year, month, 1);
    const QDate last = CTavDbTime::lastDate();
    m_year = year;
    m_month = month;
    m_firstDayOfWeek = firstDayOfWeek;
    m_daysInMonth = DaysInMonth(year, month);
    m_firstCell = (weekdayOf(first) - firstDayOfWeek + 7) % 7;
    for (int i = 0; i < kCells; ++i) {
        const QDate date = first.addDays(i - m_firstCell);
        Cell& cell = m_cells[static_cast<size_t>(i)];
        cell.day = date.day();
        cell.weekday = (firstDayOfWeek + i) % 7;
        if (date < m_earliest || date > last)
            cell.kind = OutOfRange;
        else if (i < m_firstCell)
            cell.kind = PreviousMonth;
        else
            cell.kind = i < m_firstCell + m_daysInMonth ? ThisMonth : NextMonth;
    }
    return Valid;
}

int CTavScCalendarGrid::Build(int year, int month, int day, int firstDayOfWeek)
{
    if (const int result = Validate(year, month, day, firstDayOfWeek))
        return result;
    Build(year, month, firstDayOfWeek);
    return m_firstCell + day - 1;
}

int CTavScCalendarGrid::GetCell(int index, Cell& cell) const
{
    if (index < 0 || index >= kCells)
        return BadCell;
    cell = m_cells[static_cast<size_t>(index)];
    return Valid;
}

QDate CTavScCalendarGrid::GetCellDate(int index) const
{
    if (index < 0 || index >= kCells || m_year == 0)
        return QDate();
    return QDate(m_year, m_month, 1).addDays(index - m_firstCell);
}

int CTavScCalendarGrid::FindDate(const QDate& date) const
{
    if (m_year == 0 || !date.isValid())
        return BadCell;
    const qint64 index = QDate(m_year, m_month, 1).daysTo(date) + m_firstCell;
    return index >= 0 && index < kCells ? static_cast<int>(index) : BadCell;
}

int CTavScCalendarGrid::GetWeekNumber(int index, int* weekYear) const
{
    const QDate date = GetCellDate(index);
    return date.isValid() ? WeekNumber(date, m_firstDayOfWeek, weekYear) : BadCell;
}

int CTavScCalendarGrid::WeekNumber(const QDate& date, int firstDayOfWeek, int* weekYear)
{
    const int year = date.year();
    bool weekOne = false;
    const int offset = januaryOffset(year, firstDayOfWeek, &weekOne);
    const int week = (date.dayOfYear() - 1 + offset) / 7 + (weekOne ? 1 : 0);
    if (week == 0)
        return WeekNumber(QDate(year - 1, 12, 31), firstDayOfWeek, weekYear);
    if (date.month() == 12) {
        // The days of December in the week of next 1 January belong to next year's week 1.
        bool nextWeekOne = false;
        const int nextOffset = januaryOffset(year + 1, firstDayOfWeek, &nextWeekOne);
        if (nextWeekOne && date.daysTo(QDate(year + 1, 1, 1)) <= nextOffset) {
            if (weekYear)
                *weekYear = year + 1;
            return 1;
        }
    }
    if (weekYear)
        *weekYear = year;
    return week;
}

int CTavScCalendarGrid::WeekFirstDay(int year, int week, int firstDayOfWeek, int* month, int* day)
{
    if (const int result = Validate(year, 1, 1, firstDayOfWeek))
        return result;
    if (week < 1)
        return BadWeek;
    QDate first(year, 1, 1);
    if (week > 1) {
        bool weekOne = false;
        const int offset = januaryOffset(year, firstDayOfWeek, &weekOne);
        first = first.addDays(-offset + (weekOne ? 0 : 7) + 7 * (week - 1));
        int owner = 0;
        if (first.year() != year || WeekNumber(first, firstDayOfWeek, &owner) != week || owner != year)
            return BadWeek;
    }
    if (month)
        *month = first.month();
    if (day)
        *day = first.day();
    return Valid;
}

TavTime CTavScCalendarGrid::StepDays(TavTime current, int days)
{
    const QDateTime evening(CTavDbTime::toDate(current), QTime(22, 0));
    const QDate next = QDateTime::fromSecsSinceEpoch(evening.toSecsSinceEpoch() + 86400LL * days).date();
    return CTavDbTime::inRange(next) ? CTavDbTime::fromDate(next) : current;
}
