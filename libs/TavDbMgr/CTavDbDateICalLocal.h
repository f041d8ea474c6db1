#pragma once

#include <QDate>
#include <QHash>
#include <QTimeZone>

#include "CTavDbTime.h"

// Local wall-clock times made into stored times. Each day's midnight is worked out once: an
// import converts tens of thousands of times that fall on a few thousand days, and asking the
// time zone every time would cost more than reading the file.
class CTavDbDateICalLocal final
{
public:
    // The stored time of a wall-clock time (seconds since midnight) of a local day; the day must
    // lie within what a stored time can hold (1902..2037).
    TavTime toTime(const QDate& date, int seconds);
    TavTime midnight(const QDate& date);
    // Whether a stored time can hold the day at all.
    static bool holdable(const QDate& date)
    {
        return date.isValid() && date.year() > 1901 && date.year() < 2038;
    }

private:
    // The zone's own tables answer without asking the C library, which looks at the zone file
    // again on every conversion.
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QHash<qint64, TavTime> m_midnights; // julian day -> its local midnight
};
