#pragma once

#include <QList>

#include "CTavDbHolidays.h"

// Japan's national holidays of a year as the holiday law stood in that year: the fixed
// days, the Mondays, the equinoxes, the one-off days of the imperial ceremonies and the
// Olympic moves, then the substitute holidays and the citizens' holidays between two
// holidays. Years before the law (1949) have none.
class CTavDbHolidayLaw final
{
public:
    static constexpr int FirstYear = 1949;

    // In date order, named as the handheld's holiday databases name them.
    static QList<CTavDbHolidays::Holiday> Year(int year);

private:
    CTavDbHolidayLaw() = delete;
};
