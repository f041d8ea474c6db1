#pragma once

#include <QDate>
#include <array>
#include <cstdint>

#include "CTavModuleDoc.h"
#include "CTavScCalendarGrid.h"

class ScheduleState;
class QWidget;

// The schedule's year window: the twelve month grids of the current date's year and how many
// events fall on each of its days. The records are the application's date store; the current
// date of the schedule state is the selected day.
class CTavScYearDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavScYearDoc(CTavApp& app, QObject* parent = nullptr);

    ScheduleState& State() const { return m_state; }
    QDate Selected() const;
    int Year() const { return Selected().year(); }

    // Both answer the shown year; what changed since the last call is read again first.
    // month: 1..12.
    const CTavScCalendarGrid& Month(int month);
    // Events on a day of the shown year, repeat occurrences included; 0 on other days.
    int EventCount(const QDate& date);

    // A year on or back keeps the day (29 February becomes the 28th) and stops at the ends of
    // the calendar: false when the year would leave 1970..2031.
    bool CanStepYear(int years) const;
    bool StepYear(int years);
    void GoToday();
    void SelectDay(const QDate& date);
    bool MoveSelection(int days);
    // The day in the day window.
    void OpenDay(const QDate& date);
    void DiscardOldEvents(QWidget* owner);

private:
    void Fill();

    ScheduleState& m_state;
    bool m_stale = true;
    int m_year = 0;
    int m_firstDay = -1;
    std::array<CTavScCalendarGrid, 12> m_months;
    std::array<uint16_t, 366> m_counts{};
};
