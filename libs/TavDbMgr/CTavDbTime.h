#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

#include "CTavDbLocalTime.h"

// Stored times are 32-bit seconds since 1970-01-01 UTC, shown in local time.
using TavTime = int32_t;

// The value of "no date" (an open end date, a task without a due date).
constexpr TavTime maxDateTime = 0x7FFFFFFF;

class CTavDbTime final
{
public:
    static QDateTime toDateTime(TavTime t) { return QDateTime::fromSecsSinceEpoch(t); }
    static TavTime fromDateTime(const QDateTime& dt) { return static_cast<TavTime>(dt.toSecsSinceEpoch()); }
    // Local midnight of a date.
    static TavTime fromDate(const QDate& d)
    {
        const auto fast = CTavDbLocalTime::Join(d, QTime(0, 0));
        return fast ? static_cast<TavTime>(*fast) : fromDateTime(d.startOfDay());
    }
    static TavTime fromDateAndTime(const QDate& d, const QTime& t)
    {
        const auto fast = CTavDbLocalTime::Join(d, t);
        return fast ? static_cast<TavTime>(*fast) : fromDateTime(QDateTime(d, t));
    }
    static QDate toDate(TavTime t)
    {
        const auto fast = CTavDbLocalTime::Split(t);
        return fast ? fast->date : toDateTime(t).date();
    }
    static QTime toTime(TavTime t)
    {
        const auto fast = CTavDbLocalTime::Split(t);
        return fast ? fast->time : toDateTime(t).time();
    }

    // The store's day key, "%Y%m%d".
    static QString dayKey(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")); }
    static QDate fromDayKey(const QString& key) { return QDate::fromString(key, QStringLiteral("yyyyMMdd")); }

    // The calendar's range: 1970-01-02 to 2031-12-31.
    static QDate firstDate() { return QDate(1970, 1, 2); }
    static QDate lastDate() { return QDate(2031, 12, 31); }
    static bool inRange(const QDate& d) { return d.isValid() && d >= firstDate() && d <= lastDate(); }
};
