#include "CTavDbLocalTime.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Re-reads the zone when TZ differs from what this thread last saw (tests and users change it
// at run time); localtime_r alone never re-reads it.
void FollowZone()
{
    thread_local std::string seen;
    thread_local bool known = false;
    const char* tz = std::getenv("TZ");
    const bool set = tz != nullptr;
    if (known && (set ? seen == tz : seen == "\x01"))
        return;
    tzset();
    seen = set ? tz : "\x01";
    known = true;
}

bool Local(int64_t utcSeconds, std::tm& out)
{
    const std::time_t t = static_cast<std::time_t>(utcSeconds);
    return localtime_r(&t, &out) != nullptr;
}

constexpr int64_t kDay = 86400;

} // namespace

std::optional<CTavDbLocalTime::WallClock> CTavDbLocalTime::Split(int64_t utcSeconds)
{
    FollowZone();
    std::tm tm{};
    if (!Local(utcSeconds, tm))
        return std::nullopt;
    return WallClock{QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
                     QTime(tm.tm_hour, tm.tm_min, tm.tm_sec)};
}

std::optional<int64_t> CTavDbLocalTime::Join(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    FollowZone();
    // The wall clock read as if it were UTC; the local offset is then looked up around it.
    const int64_t wall =
        (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * kDay + time.msecsSinceStartOfDay() / 1000;
    std::tm tm{};
    if (!Local(wall, tm))
        return std::nullopt;
    const long offset = tm.tm_gmtoff;
    const int64_t utc = wall - offset;
    std::tm before{}, at{}, after{};
    if (!Local(utc - kDay, before) || !Local(utc, at) || !Local(utc + kDay, after))
        return std::nullopt;
    if (before.tm_gmtoff != offset || at.tm_gmtoff != offset || after.tm_gmtoff != offset)
        return std::nullopt;
    return utc;
}
