#pragma once

#include <QDate>

// The equinox days of Japan's calendar: the date, in Japan, on which the Sun's apparent
// longitude reaches 0 (vernal) or 180 degrees (autumnal). The official days announced each
// February are this same computation.
class CTavDbEquinox final
{
public:
    static QDate Vernal(int year);
    static QDate Autumnal(int year);

private:
    CTavDbEquinox() = delete;
};
