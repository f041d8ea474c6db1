#pragma once

#include "CTavDbDateInfoRecord.h"

// The colour and memo sheet of one month.
class CTavDbDateMonthRecord final : public CTavDbDateInfoRecord
{
public:
    CTavDbDateMonthRecord() = default;
    CTavDbDateMonthRecord(int year, int month) : m_year(year), m_month(month) {}

    int GetYear() const { return m_year; }
    void SetYear(int year) { m_year = year; }
    // 1..12.
    int GetMonth() const { return m_month; }
    void SetMonth(int month) { m_month = month; }

    bool operator==(const CTavDbDateMonthRecord&) const = default;

private:
    int m_year = 0;
    int m_month = 0;
};
