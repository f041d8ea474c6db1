#pragma once

#include <QDateTime>

// The one source of "now" for the whole program. Tests pin it to a fixed moment.
class CTavDbClock final
{
public:
    static QDateTime Now();
    static QDate Today() { return Now().date(); }
    // Seconds since 1970-01-01 UTC, as the stores keep them.
    static int64_t NowSeconds() { return Now().toSecsSinceEpoch(); }

    static void SetFixed(const QDateTime& moment);
    static void Release();
};
