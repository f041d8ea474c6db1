#include "CTavScYearDoc.h"

#include <QList>
#include <algorithm>

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

CTavScYearDoc::CTavScYearDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("予定表 (年)"), parent), m_state(ScheduleState::Of(app))
{
    ShareUndoStack(m_state.UndoStack());
    // Connected before any view: the views read the new counts when they hear of the update.
    connect(this, &CTavModuleDoc::viewsUpdated, this, [this] { m_stale = true; });
    connect(&m_state, &ScheduleState::changed, this, [this] { UpdateAllViews(0); });
}

QDate CTavScYearDoc::Selected() const
{
    return m_state.CurrentDay();
}

const CTavScCalendarGrid& CTavScYearDoc::Month(int month)
{
    Fill();
    return m_months[static_cast<size_t>(std::clamp(month, 1, 12) - 1)];
}

int CTavScYearDoc::EventCount(const QDate& date)
{
    Fill();
    return date.year() == m_year ? m_counts[static_cast<size_t>(date.dayOfYear() - 1)] : 0;
}

void CTavScYearDoc::Fill()
{
    const int year = Year();
    if (!m_stale && year == m_year && m_state.startDayOfWeek == m_firstDay)
        return;
    m_stale = false;
    m_year = year;
    m_firstDay = m_state.startDayOfWeek;
    for (int month = 1; month <= 12; ++month)
        m_months[static_cast<size_t>(month - 1)].Build(year, month, m_firstDay);

    // One listing by date, then day after day: the store walks its index once for the year.
    m_counts.fill(0);
    CTavDbDate& store = m_state.Store();
    const QDate first = std::max(QDate(year, 1, 1), CTavDbTime::firstDate());
    QList<CTavDbDateRecord*> records;
    for (QDate day = first; day.year() == year; day = day.addDays(1)) {
        const QString key = CTavDbTime::dayKey(day);
        if (day == first)
            store.GetDayRecords(key, records);
        else
            store.GetNextDayRecords(records);
        int count = 0;
        for (const CTavDbDateRecord* record : std::as_const(records))
            count += !record->IsRepeating() || store.IsRepeatTarget(*record, key);
        m_counts[static_cast<size_t>(day.dayOfYear() - 1)] = static_cast<uint16_t>(std::min(count, 0xFFFF));
    }
}

bool CTavScYearDoc::CanStepYear(int years) const
{
    const int year = Year() + years;
    return year >= CTavScCalendarGrid::kFirstYear && year <= CTavScCalendarGrid::kLastYear;
}

bool CTavScYearDoc::StepYear(int years)
{
    if (!CanStepYear(years))
        return false;
    const QDate target = Selected().addYears(years);
    m_state.GoToDate(std::clamp(target, CTavDbTime::firstDate(), CTavDbTime::lastDate()));
    return true;
}

void CTavScYearDoc::GoToday()
{
    m_state.GoToDate(CTavDbClock::Today());
}

void CTavScYearDoc::SelectDay(const QDate& date)
{
    if (CTavDbTime::inRange(date) && date != Selected())
        m_state.GoToDate(date);
}

bool CTavScYearDoc::MoveSelection(int days)
{
    const QDate target = Selected().addDays(days);
    if (!CTavDbTime::inRange(target))
        return false;
    m_state.GoToDate(target);
    return true;
}

void CTavScYearDoc::OpenDay(const QDate& date)
{
    if (!CTavDbTime::inRange(date))
        return;
    m_state.GoToDate(date);
    App().SwitchModule(TavModule::Day);
}

void CTavScYearDoc::DiscardOldEvents(QWidget* owner)
{
    m_state.DiscardOldEvents(owner);
}
