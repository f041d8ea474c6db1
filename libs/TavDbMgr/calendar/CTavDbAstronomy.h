#pragma once

#include <QDate>

// The two motions the old calendar is built on: the Sun's apparent longitude and the
// Moon's conjunctions with it. Times are Julian days; "TT" ones are dynamical time, the
// others universal time.
class CTavDbAstronomy final
{
public:
    static constexpr double J2000 = 2451545.0;

    // The Sun's apparent geocentric longitude in degrees [0, 360), from the main terms of the
    // planetary theory, with nutation and aberration (about one arc second).
    static double SunLongitude(double jdTT);
    // The moment (UT) the apparent longitude reaches `degrees`, the first after jdStart (UT).
    static double SunReaches(double degrees, double jdStart);
    // The new moon of lunation k (0 = January 2000; may be negative), in UT.
    static double NewMoon(int k);
    // The lunation whose new moon comes last on or before the Julian day (UT).
    static int LunationBefore(double jd);
    // Dynamical time minus universal time, in seconds, for a decimal year.
    static double DeltaT(double year);

    // The Julian day of 0:00 UT of a date, and the date of a moment in Japan (UTC+9).
    static double JulianDay(const QDate& date);
    static QDate JapanDate(double jd);

private:
    CTavDbAstronomy() = delete;
};
