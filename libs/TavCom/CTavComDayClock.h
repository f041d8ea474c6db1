#pragma once

#include <QtGlobal>

// Splits stored seconds into the local day and the seconds since its midnight. Converting to
// local time is slow (the C library takes a lock), and the boxes of a column nearly all fall on
// one day, so the clock remembers the last day whose wall clock runs evenly and answers times
// inside it by subtraction.
class CTavComDayClock final
{
public:
    struct Local
    {
        qint64 day = 0; // Julian day number
        int seconds = 0;
    };

    Local Split(qint64 seconds);

private:
    qint64 m_from = 1; // local midnight of the remembered day, in stored seconds
    qint64 m_to = 0;   // the following midnight
    qint64 m_day = 0;
};
