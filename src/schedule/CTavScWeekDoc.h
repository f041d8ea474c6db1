#pragma once

#include <QDate>
#include <array>

#include "CTavScEventDoc.h"

// The schedule's week window: the seven days of the calendar row that holds the current date,
// with the commands of the day window on the shared schedule state and the date store.
class CTavScWeekDoc final : public CTavScEventDoc
{
    Q_OBJECT
public:
    explicit CTavScWeekDoc(CTavApp& app, QObject* parent = nullptr);

    // The days shown, in column order; a day outside the calendar's range is invalid. Rebuilds
    // the calendar first when the first day of week or the current month changed.
    std::array<QDate, 7> WeekDays();
    // The week number of the current date and the year it belongs to.
    int WeekNumber(int* weekYear = nullptr) const;
    // Makes a day of the shown week current: a click in its column picks the day new events
    // start on and the occurrence a selected event stands for.
    void PickDay(const QDate& day);

    // Seven days back; before the first day of the range the first valid day of the week after.
    bool PreviousWeek();
    // Seven days on, stopping at the last day of the range.
    bool NextWeek();
    void StepBack() override { PreviousWeek(); }
    void StepOn() override { NextWeek(); }

private:
    bool StepTo(const QDate& day);
};
