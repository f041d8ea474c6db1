#pragma once

#include <QDateTime>

#include "CTavComScheduleBox.h"

// Boxes for a fixed test day (Monday 2025-02-24), built from hours and minutes.
namespace GridTestData {

inline qint64 at(int hour, int minute, int dayOffset = 0)
{
    return QDateTime(QDate(2025, 2, 24).addDays(dayOffset), QTime(hour, minute)).toSecsSinceEpoch();
}

inline int sec(int hour, int minute)
{
    return hour * 3600 + minute * 60;
}

inline CTavComScheduleBox* box(int h0, int m0, int h1, int m1, const QString& text = QString())
{
    auto* b = new CTavComScheduleBox;
    b->SetTimes(at(h0, m0), at(h1, m1));
    b->SetText(text);
    return b;
}

} // namespace GridTestData
