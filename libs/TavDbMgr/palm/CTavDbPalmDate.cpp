#include "CTavDbPalmDate.h"

#include <algorithm>

namespace {
constexpr int BaseYear = 1904;
}

TavTime CTavDbPalmDate::SecondsToTime(uint32_t palmSeconds)
{
    if (palmSeconds == 0)
        return 0;
    if (palmSeconds < 0x80000000u)
        return static_cast<TavTime>(palmSeconds);
    // Wall-clock time: days and seconds apart, so that daylight saving cannot move the day.
    const QDate date = QDate(BaseYear, 1, 1).addDays(palmSeconds / 86400);
    const QTime time = QTime(0, 0).addSecs(int(palmSeconds % 86400));
    const qint64 seconds = QDateTime(date, time).toSecsSinceEpoch();
    return static_cast<TavTime>(std::clamp<qint64>(seconds, INT32_MIN, INT32_MAX));
}

uint32_t CTavDbPalmDate::TimeToSeconds(TavTime time)
{
    if (time == 0)
        return 0;
    const QDateTime local = CTavDbTime::toDateTime(time);
    const qint64 seconds =
        QDate(BaseYear, 1, 1).daysTo(local.date()) * 86400 + local.time().msecsSinceStartOfDay() / 1000;
    return static_cast<uint32_t>(std::clamp<qint64>(seconds, 0, UINT32_MAX));
}

uint16_t CTavDbPalmDate::FromDate(const QDate& date)
{
    if (!date.isValid() || date.year() < BaseYear || date.year() > BaseYear + 127)
        return 0;
    return uint16_t((date.year() - BaseYear) | (date.month() << 7) | (date.day() << 11));
}

QDate CTavDbPalmDate::ToDate(uint16_t palmDate)
{
    return QDate(BaseYear + (palmDate & 0x7F), (palmDate >> 7) & 0x0F, palmDate >> 11);
}

uint16_t CTavDbPalmDate::FromHandheld(uint16_t handheldDate)
{
    const int day = handheldDate & 0x1F;
    const int month = (handheldDate >> 5) & 0x0F;
    const int year = handheldDate >> 9;
    return uint16_t(year | (month << 7) | (day << 11));
}

uint16_t CTavDbPalmDate::ToHandheld(uint16_t palmDate)
{
    const int year = palmDate & 0x7F;
    const int month = (palmDate >> 7) & 0x0F;
    const int day = palmDate >> 11;
    return uint16_t(day | (month << 5) | (year << 9));
}
