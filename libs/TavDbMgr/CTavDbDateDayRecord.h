#pragma once

#include <QDate>

#include "CTavDbDateInfoRecord.h"

// The colour and memo sheet of one day.
class CTavDbDateDayRecord final : public CTavDbDateInfoRecord
{
public:
    CTavDbDateDayRecord() = default;
    explicit CTavDbDateDayRecord(const QDate& date) : m_date(date) {}

    const QDate& GetDate() const { return m_date; }
    void SetDate(const QDate& date) { m_date = date; }

    bool operator==(const CTavDbDateDayRecord&) const = default;

private:
    QDate m_date;
};
