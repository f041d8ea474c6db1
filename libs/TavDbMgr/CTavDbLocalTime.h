#pragma once

#include <QDate>
#include <QTime>
#include <cstdint>
#include <optional>

// Local wall-clock conversions for stored times without Qt's per-call zone check. Qt's local
// time asks the C library to re-read the zone (a file check) on every conversion, which showed
// as most of the time of a large import. Here the zone is re-read only when TZ changes, and a
// time near an offset change (a daylight-saving gap or overlap) is left to the caller's exact
// path, so both paths give the same answers.
class CTavDbLocalTime final
{
public:
    struct WallClock
    {
        QDate date;
        QTime time;
    };

    // The local date and time of seconds since 1970-01-01 UTC.
    static std::optional<WallClock> Split(int64_t utcSeconds);
    // The seconds since 1970-01-01 UTC of a local date and time; nothing when an offset change
    // lies within a day of it, so that gaps and repeated hours take the exact path.
    static std::optional<int64_t> Join(const QDate& date, const QTime& time);
};
