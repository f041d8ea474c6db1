#pragma once

#include <QDate>
#include <QList>
#include <QMetaType>
#include <QTime>

#include "CTavDbDateRecord.h"

// A repeat rule as the tests write it, turned into an event record the way the editor and
// lumora-cli fill one.
struct DateRuleSpec
{
    int kind = 0;
    QDate start{};
    int interval = 1;
    int mask = 0;
    int weekIndex = 0;
    int dayIndex = 0;
    int dayNumber = 0;
    int monthIndex = 0;
    int firstDayOfWeek = 0;
    QDate end{}; // invalid: no end date
    QList<QDate> exceptions{};
    QTime time = QTime(10, 0);
    bool endAtEvening = false; // end date at 23:59:59 instead of midnight

    CTavDbDateRecord record() const
    {
        CTavDbDateRecord r;
        r.SetDesc(QStringLiteral("rule"));
        r.SetStartTime(CTavDbTime::fromDateAndTime(start, time));
        r.SetEndTime(r.GetStartTime() + 3600);
        r.SetMyBrand(kind);
        r.SetInterval(interval);
        r.SetWeekDayMask(static_cast<uint8_t>(mask));
        r.SetWeekIndex(weekIndex);
        r.SetDayIndex(dayIndex);
        r.SetDayNumber(dayNumber);
        r.SetMonthIndex(monthIndex);
        r.SetFirstDayOfWeek(firstDayOfWeek);
        if (end.isValid())
            r.SetEndDate(endAtEvening ? CTavDbTime::fromDateAndTime(end, QTime(23, 59, 59))
                                      : CTavDbTime::fromDate(end));
        r.SetExceptions(exceptions);
        return r;
    }
};
Q_DECLARE_METATYPE(DateRuleSpec)
