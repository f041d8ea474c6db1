#include "CTavScMonthDoc.h"

#include "CTavDbDate.h"
#include "CTavScMonthPickDlg.h"
#include "ScheduleState.h"

CTavScMonthDoc::CTavScMonthDoc(CTavApp& app, QObject* parent)
    : CTavScEventDoc(app, QStringLiteral("予定表 (月)"), parent)
{
    Refill();
}

const CTavScCalendarGrid& CTavScMonthDoc::Grid() const
{
    return State().calendar;
}

void CTavScMonthDoc::Refill()
{
    const CTavScCalendarGrid& grid = State().calendar;
    CTavScCalendarGrid& handheld = State().handheld.calendar;
    if (handheld.GetYear() != grid.GetYear() || handheld.GetMonth() != grid.GetMonth() ||
        handheld.GetFirstDayOfWeek() != State().handheld.weekStarts)
        handheld.Build(grid.GetYear(), grid.GetMonth(), State().handheld.weekStarts);
    Fill(State().Store(), grid, m_events);
    Fill(State().Store(), handheld, m_handheldEvents);
    UpdateAllViews(0);
}

void CTavScMonthDoc::Fill(CTavDbDate& store, const CTavScCalendarGrid& grid, Cells& cells)
{
    DayList day;
    bool first = true;
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
        DayList& cell = cells[static_cast<size_t>(i)];
        cell.clear();
        CTavScCalendarGrid::Cell c;
        if (grid.GetCell(i, c) != CTavScCalendarGrid::Valid || c.kind == CTavScCalendarGrid::OutOfRange)
            continue;
        const QString key = CTavDbTime::dayKey(grid.GetCellDate(i));
        // The cells run day after day, so the store continues from the day it listed last.
        if (first)
            store.GetDayRecords(key, day);
        else
            store.GetNextDayRecords(day);
        first = false;
        for (CTavDbDateRecord* record : std::as_const(day)) {
            if (!record->IsRepeating() || store.IsRepeatTarget(*record, key))
                cell.append(record);
        }
    }
}

QDate CTavScMonthDoc::MonthStep(const QDate& from, int months)
{
    const int index = from.year() * 12 + from.month() - 1 + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    if (year < CTavScCalendarGrid::kFirstYear)
        return CTavDbTime::firstDate();
    if (year > CTavScCalendarGrid::kLastYear)
        return CTavDbTime::lastDate();
    const QDate date(year, month, std::min(from.day(), CTavScCalendarGrid::DaysInMonth(year, month)));
    return std::clamp(date, CTavDbTime::firstDate(), CTavDbTime::lastDate());
}

void CTavScMonthDoc::GoToDate(const QDate& date)
{
    const QDate day = std::clamp(date, CTavDbTime::firstDate(), CTavDbTime::lastDate());
    // The selected event belongs to the day it was picked on.
    if (day != State().CurrentDay())
        State().selectedEvent = nullptr;
    State().GoToDate(day);
}

void CTavScMonthDoc::GoToMonth(int year, int month)
{
    const QDate current = State().CurrentDay();
    GoToDate(MonthStep(current, (year - current.year()) * 12 + month - current.month()));
}

void CTavScMonthDoc::PreviousMonth()
{
    GoToDate(MonthStep(State().CurrentDay(), -1));
}

void CTavScMonthDoc::NextMonth()
{
    GoToDate(MonthStep(State().CurrentDay(), 1));
}

void CTavScMonthDoc::PickDate(QWidget* owner)
{
    const QDate current = State().CurrentDay();
    CTavScMonthPickDlg dialog(current.year(), current.month(), owner);
    if (State().RunModal(dialog) == QDialog::Accepted)
        GoToMonth(dialog.Year(), dialog.Month());
}
