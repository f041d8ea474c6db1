#include "CTavScWeekDoc.h"

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavScDatePickDlg.h"
#include "CTavScEditDlg.h"
#include "ScheduleState.h"

CTavScWeekDoc::CTavScWeekDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("予定表 (週)"), parent), m_state(ScheduleState::Of(app))
{
    connect(&m_state, &ScheduleState::changed, this, [this] { UpdateAllViews(0); });
}

void CTavScWeekDoc::Reload()
{
    m_state.selectedEvent = nullptr;
    m_state.GoToDate(m_state.CurrentDay());
}

std::array<QDate, 7> CTavScWeekDoc::WeekDays()
{
    CTavScCalendarGrid& grid = m_state.calendar;
    const QDate day = m_state.CurrentDay();
    const int firstDay = ScheduleState::ReadStartDayOfWeek();
    if (firstDay != m_state.startDayOfWeek || grid.GetYear() != day.year() ||
        grid.GetMonth() != day.month() || grid.GetFirstDayOfWeek() != firstDay) {
        m_state.startDayOfWeek = firstDay;
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
    return CTavScCalendarGrid::WeekNumber(m_state.CurrentDay(), m_state.startDayOfWeek, weekYear);
}

void CTavScWeekDoc::PickDay(const QDate& day)
{
    if (day.isValid() && day != m_state.CurrentDay())
        m_state.GoToDate(day);
}

bool CTavScWeekDoc::StepTo(const QDate& day)
{
    const QDate target = std::clamp(day, CTavDbTime::firstDate(), CTavDbTime::lastDate());
    if (target == m_state.CurrentDay())
        return false;
    m_state.GoToDate(target);
    return true;
}

bool CTavScWeekDoc::PreviousWeek()
{
    return StepTo(m_state.CurrentDay().addDays(-7));
}

bool CTavScWeekDoc::NextWeek()
{
    return StepTo(m_state.CurrentDay().addDays(7));
}

bool CTavScWeekDoc::RunEditor(QWidget* owner, CTavDbDateRecord& record, bool existing)
{
    CTavScEditDlg dialog(m_state, owner);
    dialog.setWindowTitle(existing ? QStringLiteral("予定の編集") : QStringLiteral("新規予定"));
    dialog.SetRecord(&record, existing);
    return m_state.RunModal(dialog) == QDialog::Accepted;
}

void CTavScWeekDoc::NewEvent(QWidget* owner)
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

void CTavScWeekDoc::EditEvent(QWidget* owner)
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

void CTavScWeekDoc::DeleteEvent(QWidget* owner)
{
    m_state.DeleteSelected(owner);
}

void CTavScWeekDoc::PickDate(QWidget* owner)
{
    CTavScDatePickDlg dialog(m_state.CurrentDay(), m_state.startDayOfWeek, &m_state.Store(), owner);
    if (m_state.RunModal(dialog) == QDialog::Accepted)
        m_state.GoToDate(dialog.Date());
}

void CTavScWeekDoc::GoToday()
{
    m_state.GoToDate(CTavDbClock::Today());
}

void CTavScWeekDoc::DiscardOldEvents(QWidget* owner)
{
    m_state.DiscardOldEvents(owner);
}
