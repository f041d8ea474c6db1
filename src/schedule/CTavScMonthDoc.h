#pragma once

#include <QDate>
#include <QList>
#include <array>

#include "CTavScCalendarGrid.h"
#include "CTavScEventDoc.h"

class CTavDbDate;
class CTavDbDateRecord;

// The schedule's month window: the events of the 42 days of the current month's calendar, and
// of the same month laid out as the handheld shows it (its own first day of week). The records
// are the application's date store; the lists hold pointers into it and are filled again after
// every change of date, record or setting.
class CTavScMonthDoc final : public CTavScEventDoc
{
    Q_OBJECT
public:
    using DayList = QList<CTavDbDateRecord*>;
    using Cells = std::array<DayList, CTavScCalendarGrid::kCells>;

    explicit CTavScMonthDoc(CTavApp& app, QObject* parent = nullptr);

    const CTavScCalendarGrid& Grid() const;
    const Cells& Events() const { return m_events; }
    const Cells& HandheldEvents() const { return m_handheldEvents; }

    // Both grids' lists from the store, then every view.
    void Refill();
    // One list per cell of the grid: a day's events in the store's order, repeating ones only
    // on the days they occur; cells outside the calendar's range stay empty.
    static void Fill(CTavDbDate& store, const CTavScCalendarGrid& grid, Cells& cells);

    // The same day number months away, lowered until the month has it; kept in the range.
    static QDate MonthStep(const QDate& from, int months);
    void GoToDate(const QDate& date) override;
    void GoToMonth(int year, int month);
    void PreviousMonth();
    void NextMonth();
    void StepBack() override { PreviousMonth(); }
    void StepOn() override { NextMonth(); }
    // The month dialog; on OK the picked month with the current day number.
    void PickDate(QWidget* owner) override;

protected:
    void StateChanged() override { Refill(); }

private:
    Cells m_events;
    Cells m_handheldEvents;
};
