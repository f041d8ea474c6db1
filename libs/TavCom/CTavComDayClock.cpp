#include "CTavComDayClock.h"

#include <QDateTime>

CTavComDayClock::Local CTavComDayClock::Split(qint64 seconds)
{
    if (seconds >= m_from && seconds < m_to)
        return {m_day, static_cast<int>(seconds - m_from)};
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds);
    const QDate date = local.date();
    const Local result{date.toJulianDay(), local.time().msecsSinceStartOfDay() / 1000};
    // Only a day of exactly 86400 seconds that starts where the subtraction says can be
    // answered by subtraction; a day with a clock change is converted time by time.
    const qint64 from = seconds - result.seconds;
    const qint64 to = date.addDays(1).startOfDay().toSecsSinceEpoch();
    if (to - from == 86400 && date.startOfDay().toSecsSinceEpoch() == from) {
        m_from = from;
        m_to = to;
        m_day = result.day;
    }
    return result;
}
