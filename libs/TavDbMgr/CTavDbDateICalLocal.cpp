#include "CTavDbDateICalLocal.h"

#include <QTime>

TavTime CTavDbDateICalLocal::midnight(const QDate& date)
{
    const qint64 julian = date.toJulianDay();
    const auto it = m_midnights.constFind(julian);
    if (it != m_midnights.cend())
        return *it;
    const TavTime t = m_zone.isValid()
                          ? static_cast<TavTime>(QDateTime(date, QTime(0, 0), m_zone).toSecsSinceEpoch())
                          : CTavDbTime::fromDate(date);
    m_midnights.insert(julian, t);
    return t;
}

TavTime CTavDbDateICalLocal::toTime(const QDate& date, int seconds)
{
    const TavTime start = midnight(date);
    // A day of another length has a clock change: only the time zone knows where the time falls.
    if (midnight(date.addDays(1)) - start == 86400)
        return start + seconds;
    const QTime time = QTime::fromMSecsSinceStartOfDay(seconds * 1000);
    return m_zone.isValid() ? static_cast<TavTime>(QDateTime(date, time, m_zone).toSecsSinceEpoch())
                            : CTavDbTime::fromDateAndTime(date, time);
}
