#include "CTavDbEquinox.h"

#include "CTavDbAstronomy.h"

namespace {
QDate crossing(int year, int month, double degrees)
{
    // A few days before the earliest possible crossing.
    const double start = CTavDbAstronomy::JulianDay(QDate(year, month, 15));
    return CTavDbAstronomy::JapanDate(CTavDbAstronomy::SunReaches(degrees, start));
}
} // namespace

QDate CTavDbEquinox::Vernal(int year)
{
    return crossing(year, 3, 0.0);
}

QDate CTavDbEquinox::Autumnal(int year)
{
    return crossing(year, 9, 180.0);
}
