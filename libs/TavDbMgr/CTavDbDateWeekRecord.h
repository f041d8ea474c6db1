#pragma once

#include "CTavDbDateInfoRecord.h"

// The colour and memo sheet of one week, named by its year and week number (the week that
// holds the year's first Thursday is week 1).
class CTavDbDateWeekRecord final : public CTavDbDateInfoRecord
{
public:
    CTavDbDateWeekRecord() = default;
    CTavDbDateWeekRecord(int year, int week) : m_year(year), m_week(week) {}

    int GetYear() const { return m_year; }
    void SetYear(int year) { m_year = year; }
    int GetWeek() const { return m_week; }
    void SetWeek(int week) { m_week = week; }

    bool operator==(const CTavDbDateWeekRecord&) const = default;

private:
    int m_year = 0;
    int m_week = 0;
};
