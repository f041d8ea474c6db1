#include "CTavDbAstronomy.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;
constexpr double kArcSecond = kDegree / 3600.0;

struct Term
{
    double a, b, c;
};

// The Earth's heliocentric longitude: the periodic terms of VSOP87 of amplitude above about
// 0.1 arc second (units of 1e-8 radian; argument b + c * millennia).
constexpr Term kL0[] = {
    {175347046, 0, 0},
    {3341656, 4.6692568, 6283.0758500},
    {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},
    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},
    {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},
    {1199, 1.1096, 1577.3435},
    {990, 5.233, 5884.927},
    {902, 2.045, 26.298},
    {857, 3.508, 398.149},
    {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},
    {492, 4.205, 775.523},
    {357, 2.920, 0.067},
    {317, 5.849, 11790.629},
    {284, 1.899, 796.298},
    {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},
    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},
    {202, 2.458, 6069.777},
    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},
    {126, 1.083, 20.775},
    {115, 0.645, 0.980},
    {103, 0.636, 4694.003},
    {102, 0.976, 15720.839},
    {102, 4.267, 7.114},
    {99, 6.21, 2146.17},
    {98, 0.68, 155.42},
    {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},
    {85, 3.67, 71430.70},
    {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},
    {74, 3.50, 3154.69},
    {74, 4.68, 801.82},
    {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},
    {57, 2.78, 6286.60},
    {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},
    {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},
    {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},
    {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},
    {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},
    {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};
constexpr Term kL1[] = {
    {628331966747.0, 0, 0},     {206059, 2.678235, 6283.075850},
    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.40, 796.30},         {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60},
    {10, 4.24, 1349.87},        {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};
constexpr Term kL2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.30}, {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};
constexpr Term kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.20, 155.42},
    {1, 4.72, 3.52},        {1, 5.30, 18849.23}, {1, 5.97, 242.73},
};
constexpr Term kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};

template <size_t N> double series(const Term (&terms)[N], double tau)
{
    double sum = 0;
    for (const Term& t : terms)
        sum += t.a * std::cos(t.b + t.c * tau);
    return sum;
}

double normalized(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

double sinDeg(double degrees)
{
    return std::sin(degrees * kDegree);
}

// Corrections of the mean new moon: the Sun's and Moon's anomalies, the Moon's argument of
// latitude and node, then the planetary arguments.
double newMoonCorrection(double k, double T)
{
    const double E = 1 - 0.002516 * T - 0.0000074 * T * T;
    const double M = 2.5534 + 29.10535670 * k - 0.0000014 * T * T - 0.00000011 * T * T * T;
    const double Mp = 201.5643 + 385.81693528 * k + 0.0107582 * T * T + 0.00001238 * T * T * T -
                      0.000000058 * T * T * T * T;
    const double F = 160.7108 + 390.67050284 * k - 0.0016118 * T * T - 0.00000227 * T * T * T +
                     0.000000011 * T * T * T * T;
    const double O = 124.7746 - 1.56375588 * k + 0.0020672 * T * T + 0.00000215 * T * T * T;
    double c = -0.40720 * sinDeg(Mp) + 0.17241 * E * sinDeg(M) + 0.01608 * sinDeg(2 * Mp) +
               0.01039 * sinDeg(2 * F) + 0.00739 * E * sinDeg(Mp - M) - 0.00514 * E * sinDeg(Mp + M) +
               0.00208 * E * E * sinDeg(2 * M) - 0.00111 * sinDeg(Mp - 2 * F) - 0.00057 * sinDeg(Mp + 2 * F) +
               0.00056 * E * sinDeg(2 * Mp + M) - 0.00042 * sinDeg(3 * Mp) + 0.00042 * E * sinDeg(M + 2 * F) +
               0.00038 * E * sinDeg(M - 2 * F) - 0.00024 * E * sinDeg(2 * Mp - M) - 0.00017 * sinDeg(O) -
               0.00007 * sinDeg(Mp + 2 * M) + 0.00004 * sinDeg(2 * Mp - 2 * F) + 0.00004 * sinDeg(3 * M) +
               0.00003 * sinDeg(Mp + M - 2 * F) + 0.00003 * sinDeg(2 * Mp + 2 * F) -
               0.00003 * sinDeg(Mp + M + 2 * F) + 0.00003 * sinDeg(Mp - M + 2 * F) -
               0.00002 * sinDeg(Mp - M - 2 * F) - 0.00002 * sinDeg(3 * Mp + M) + 0.00002 * sinDeg(4 * Mp);
    struct Planetary
    {
        double base, rate, amplitude;
    };
    static constexpr Planetary kPlanetary[] = {
        {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164}, {349.42, 36.412478, 0.000126},
        {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062}, {207.14, 2.453732, 0.000060},
        {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},  {207.19, 0.121824, 0.000042},
        {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037}, {239.56, 25.513099, 0.000035},
        {331.55, 3.592518, 0.000023},
    };
    c += 0.000325 * sinDeg(299.77 + 0.107408 * k - 0.009173 * T * T);
    for (const Planetary& p : kPlanetary)
        c += p.amplitude * sinDeg(p.base + p.rate * k);
    return c;
}
} // namespace

double CTavDbAstronomy::SunLongitude(double jdTT)
{
    const double tau = (jdTT - J2000) / 365250.0;
    const double L = (series(kL0, tau) +
                      tau * (series(kL1, tau) +
                             tau * (series(kL2, tau) + tau * (series(kL3, tau) + tau * series(kL4, tau))))) /
                     1e8;
    const double T = tau * 10;
    // Geocentric, to the FK5 frame, then nutation in longitude and aberration.
    double sun = L / kDegree + 180.0 - 0.09033 / 3600.0;
    const double node = 125.04452 - 1934.136261 * T;
    const double sunMean = 280.4665 + 36000.7698 * T;
    const double moonMean = 218.3165 + 481267.8813 * T;
    const double nutation = -17.20 * sinDeg(node) - 1.32 * sinDeg(2 * sunMean) - 0.23 * sinDeg(2 * moonMean) +
                            0.21 * sinDeg(2 * node);
    const double anomaly = 357.52911 + 35999.05029 * T;
    const double distance =
        1.000140 - 0.016708 * std::cos(anomaly * kDegree) - 0.000141 * std::cos(2 * anomaly * kDegree);
    sun += (nutation - 20.4898 / distance) * kArcSecond / kDegree;
    return normalized(sun);
}

double CTavDbAstronomy::SunReaches(double degrees, double jdStart)
{
    constexpr double kTropicalYear = 365.2422;
    const auto tt = [](double jd) { return jd + DeltaT(2000.0 + (jd - J2000) / 365.25) / 86400.0; };
    double jd = jdStart + normalized(degrees - SunLongitude(tt(jdStart))) / 360.0 * kTropicalYear;
    for (int i = 0; i < 10; ++i) {
        double diff = normalized(degrees - SunLongitude(tt(jd)));
        if (diff > 180)
            diff -= 360;
        jd += diff / 360.0 * kTropicalYear;
        if (std::abs(diff) < 1e-7)
            break;
    }
    return jd;
}

double CTavDbAstronomy::NewMoon(int k)
{
    const double T = k / 1236.85;
    const double mean = 2451550.09766 + 29.530588861 * k + 0.00015437 * T * T - 0.000000150 * T * T * T +
                        0.00000000073 * T * T * T * T;
    const double jde = mean + newMoonCorrection(k, T);
    return jde - DeltaT(2000.0 + (jde - J2000) / 365.25) / 86400.0;
}

int CTavDbAstronomy::LunationBefore(double jd)
{
    int k = static_cast<int>(std::floor((jd - 2451550.09766) / 29.530588861));
    while (NewMoon(k + 1) <= jd)
        ++k;
    while (NewMoon(k) > jd)
        --k;
    return k;
}

double CTavDbAstronomy::DeltaT(double year)
{
    // Polynomial fits to the observed values, and their extrapolation.
    if (year < 1941) {
        const double t = year - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
    }
    if (year < 1961) {
        const double t = year - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (year < 1986) {
        const double t = year - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (year < 2005) {
        const double t = year - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
               0.00002373599 * t * t * t * t * t;
    }
    if (year < 2050) {
        const double t = year - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - year);
}

double CTavDbAstronomy::JulianDay(const QDate& date)
{
    return static_cast<double>(date.toJulianDay()) - 0.5;
}

QDate CTavDbAstronomy::JapanDate(double jd)
{
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(jd + 0.5 + 9.0 / 24.0)));
}
