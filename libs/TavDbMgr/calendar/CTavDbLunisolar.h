#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

// The old lunisolar calendar of Japan, reckoned in Japan's time: a month begins on the day of
// a new moon; the month holding the winter solstice is the 11th; a run of 13 months from one
// such month to the next has a leap month, the first that holds no principal solar term,
// numbered as the month before it. Anchoring on the solstice alone settles the years in which
// the older rules contradict themselves (from autumn 2033): that year gets a leap 11th month.
class CTavDbLunisolar final
{
public:
    struct MonthStart
    {
        QDate date;
        int year = 0; // the old year the month belongs to
        int month = 0;
        bool leap = false;
    };
    struct OldDate
    {
        int year = 0;
        int month = 0;
        int day = 0;
        bool leap = false;
    };

    // Years the astronomy is good for.
    static constexpr int FirstYear = 1900;
    static constexpr int LastYear = 2100;

    // The old date of a day; all zero outside FirstYear..LastYear.
    OldDate ToOld(const QDate& date);
    // The months that begin in a year of the common calendar.
    QList<MonthStart> MonthStarts(int year);
    // The six-day label: the old month plus the old day, modulo 6.
    static QString SixDayLabel(const OldDate& date);

private:
    struct Cycle
    {
        QList<MonthStart> months;
        QDate end; // the first day of the next cycle's 11th month
    };
    // From the month of the winter solstice of year - 1 to the one of year.
    const Cycle& cycle(int year);
    static Cycle compute(int year);

    QHash<int, Cycle> m_cycles;
};
