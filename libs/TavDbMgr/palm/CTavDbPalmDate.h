#pragma once

#include <QDate>
#include <cstdint>

#include "CTavDbTime.h"

// The handheld's two ways of writing a date.
//
// Database headers count seconds from 1904-01-01 in the handheld's local time.
//
// Records pack a day into 16 bits. In files the value is big-endian with the day in the low 5
// bits, the month in the next 4 and the year - 1904 in the top 7 ("handheld layout"). The
// holiday and six-day readers keep it rearranged, year - 1904 in bits 0-6, month in bits 7-10
// and day in bits 11-15 ("Palm date"), and compare dates in all 16 bits.
class CTavDbPalmDate final
{
public:
    // 0 means "never" and stays 0. Values without the top bit come from tools that wrote Unix
    // time and are read as such.
    static TavTime SecondsToTime(uint32_t palmSeconds);
    static uint32_t TimeToSeconds(TavTime time);

    // 0 for a date the 16 bits cannot hold (before 1904 or after 2031).
    static uint16_t FromDate(const QDate& date);
    // An invalid date for a value that names no day.
    static QDate ToDate(uint16_t palmDate);
    static uint16_t FromHandheld(uint16_t handheldDate);
    static uint16_t ToHandheld(uint16_t palmDate);

private:
    CTavDbPalmDate() = delete;
};
