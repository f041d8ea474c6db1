#pragma once

#include <QDate>
#include <QList>
#include <array>

#include "CTavModuleDoc.h"
#include "CTavScCalendarGrid.h"

class CTavDbDate;
class CTavDbDateRecord;
class ScheduleState;
class QWidget;

// The schedule's month window: the events of the 42 days of the current month's calendar, and
// of the same month laid out as the handheld shows it (its own first day of week). The records
// are the application's date store; the lists hold pointers into it and are filled again after
// every change of date, record or setting.
class CTavScMonthDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    using DayList = QList<CTavDbDateRecord*>;
    using Cells = std::array<DayList, CTavScCalendarGrid::kCells>;

    explicit CTavScMonthDoc(CTavApp& app, QObject* parent = nullptr);

    ScheduleState& State() const { return m_state; }
    const CTavScCalendarGrid& Grid() const;
    const Cells& Events() const { return m_events; }
    const Cells& HandheldEvents() const { return m_handheldEvents; }

    // The stores were loaded again: the selection and the lists point into the old records.
    void Reload() override;
    // Both grids' lists from the store, then every view.
    void Refill();
    // One list per cell of the grid: a day's events in the store's order, repeating ones only
    // on the days they occur; cells outside the calendar's range stay empty.
    static void Fill(CTavDbDate& store, const CTavScCalendarGrid& grid, Cells& cells);

    // The same day number months away, lowered until the month has it; kept in the range.
    static QDate MonthStep(const QDate& from, int months);
    void GoToDate(const QDate& date);
    void GoToMonth(int year, int month);
    void PreviousMonth();
    void NextMonth();
    void GoToday();

    void NewEvent(QWidget* owner);
    void EditEvent(QWidget* owner);
    void DeleteEvent(QWidget* owner);
    // The month dialog; on OK the picked month with the current day number.
    void PickMonth(QWidget* owner);
    void DiscardOldEvents(QWidget* owner);

private:
    bool RunEditor(QWidget* owner, CTavDbDateRecord& record, bool existing);

    ScheduleState& m_state;
    Cells m_events;
    Cells m_handheldEvents;
};
