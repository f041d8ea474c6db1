#include "CTavScMonthDoc.h"

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavScEditDlg.h"
#include "CTavScMonthPickDlg.h"
#include "ScheduleState.h"

CTavScMonthDoc::CTavScMonthDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("予定表 (月)"), parent), m_state(ScheduleState::Of(app))
{
    connect(&m_state, &ScheduleState::changed, this, &CTavScMonthDoc::Refill);
    Refill();
}

const CTavScCalendarGrid& CTavScMonthDoc::Grid() const
{
    return m_state.calendar;
}

void CTavScMonthDoc::Reload()
{
    m_state.selectedEvent = nullptr;
    m_state.GoToDate(m_state.CurrentDay());
}

void CTavScMonthDoc::Refill()
{
    const CTavScCalendarGrid& grid = m_state.calendar;
    CTavScCalendarGrid& handheld = m_state.handheld.calendar;
    if (handheld.GetYear() != grid.GetYear() || handheld.GetMonth() != grid.GetMonth() ||
        handheld.GetFirstDayOfWeek() != m_state.handheld.weekStarts)
        handheld.Build(grid.GetYear(), grid.GetMonth(), m_state.handheld.weekStarts);
    Fill(m_state.Store(), grid, m_events);
    Fill(m_state.Store(), handheld, m_handheldEvents);
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
    if (day != m_state.CurrentDay())
        m_state.selectedEvent = nullptr;
    m_state.GoToDate(day);
}

void CTavScMonthDoc::GoToMonth(int year, int month)
{
    const QDate current = m_state.CurrentDay();
    GoToDate(MonthStep(current, (year - current.year()) * 12 + month - current.month()));
}

void CTavScMonthDoc::PreviousMonth()
{
    GoToDate(MonthStep(m_state.CurrentDay(), -1));
}

void CTavScMonthDoc::NextMonth()
{
    GoToDate(MonthStep(m_state.CurrentDay(), 1));
}

void CTavScMonthDoc::GoToday()
{
    GoToDate(CTavDbClock::Today());
}

bool CTavScMonthDoc::RunEditor(QWidget* owner, CTavDbDateRecord& record, bool existing)
{
    CTavScEditDlg dialog(m_state, owner);
    dialog.setWindowTitle(existing ? QStringLiteral("予定の編集") : QStringLiteral("新規予定"));
    dialog.SetRecord(&record, existing);
    return m_state.RunModal(dialog) == QDialog::Accepted;
}

void CTavScMonthDoc::NewEvent(QWidget* owner)
{
    if (!m_state.CheckLimit(owner, QStringLiteral("新規予定")))
        return;
    auto record = m_state.MakeNewEvent();
    if (!RunEditor(owner, *record, false))
        return;
    m_state.Step(QStringLiteral("予定の追加"),
                 [&] { return m_state.AddEvent(owner, *record) == TavStatusCode::Ok; });
    emit m_state.changed();
}

void CTavScMonthDoc::EditEvent(QWidget* owner)
{
    CTavDbDateRecord* selected = m_state.selectedEvent;
    if (!selected || !m_state.MayChange(owner, *selected))
        return;
    CTavDbDateRecord copy = *selected;
    const bool accepted = m_state.Step(
        QStringLiteral("予定の編集"),
        [&] { return RunEditor(owner, copy, true) && m_state.UpdateEvent(copy) == TavStatusCode::Ok; },
        {selected->GetUniqueId()});
    if (!accepted)
        return;
    if (copy.GetIsPrivate() && App().privateMode() == 2)
        m_state.selectedEvent = nullptr;
    emit m_state.changed();
}

void CTavScMonthDoc::DeleteEvent(QWidget* owner)
{
    m_state.DeleteSelected(owner);
}

void CTavScMonthDoc::PickMonth(QWidget* owner)
{
    const QDate current = m_state.CurrentDay();
    CTavScMonthPickDlg dialog(current.year(), current.month(), owner);
    if (m_state.RunModal(dialog) == QDialog::Accepted)
        GoToMonth(dialog.Year(), dialog.Month());
}

void CTavScMonthDoc::DiscardOldEvents(QWidget* owner)
{
    m_state.DiscardOldEvents(owner);
}
