#include "CTavScWeekDoc.h"

#include "ScheduleState.h"

CTavScWeekDoc::CTavScWeekDoc(CTavApp& app, QObject* parent)
    : CTavScEventDoc(app, QStringLiteral("予定表 (週)"), parent)
{
}

std::array<QDate, 7> CTavScWeekDoc::WeekDays()
{
    CTavScCalendarGrid& grid = State().calendar;
    const QDate day = State().CurrentDay();
    const int firstDay = ScheduleState::ReadStartDayOfWeek();
    if (firstDay != State().startDayOfWeek || grid.GetYear() != day.year() ||
        grid.GetMonth() != day.month() || grid.GetFirstDayOfWeek() != firstDay) {
        State().startDayOfWeek = firstDay;
        grid.Build(day.year(), day.month(), firstDay);
    }
    std::array<QDate, 7> days;
    const int cell = grid.FindDate(day);
    if (cell < 0)
        return days;
    const int first = cell / 7 * 7;
    for (int i = 0; i < 7; ++i) {
        CTavScCalendarGrid::Cell c;
        grid.GetCell(first + i, c);
        if (c.kind != CTavScCalendarGrid::OutOfRange)
            days[i] = grid.GetCellDate(first + i);
    }
    return days;
}

int CTavScWeekDoc::WeekNumber(int* weekYear) const
{
    return CTavScCalendarGrid::WeekNumber(State().CurrentDay(), State().startDayOfWeek, weekYear);
}

void CTavScWeekDoc::PickDay(const QDate& day)
{
    if (day.isValid() && day != State().CurrentDay())
        State().GoToDate(day);
}

bool CTavScWeekDoc::StepTo(const QDate& day)
{
    const QDate target = std::clamp(day, CTavDbTime::firstDate(), CTavDbTime::lastDate());
    if (target == State().CurrentDay())
        return false;
    State().GoToDate(target);
    return true;
}

bool CTavScWeekDoc::PreviousWeek()
{
    return StepTo(State().CurrentDay().addDays(-7));
}

bool CTavScWeekDoc::NextWeek()
{
    return StepTo(State().CurrentDay().addDays(7));
}
