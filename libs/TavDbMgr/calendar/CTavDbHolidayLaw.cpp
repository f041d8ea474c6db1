#include "CTavDbHolidayLaw.h"

#include <QMap>

#include "CTavDbEquinox.h"
#include "CTavDbPalmDate.h"

namespace {
// The nth Monday of a month.
QDate monday(int year, int month, int nth)
{
    const QDate first(year, month, 1);
    return first.addDays((8 - first.dayOfWeek()) % 7 + 7 * (nth - 1));
}

// The days the law names, without the substitute and citizens' holidays.
QMap<QDate, QString> namedDays(int y)
{
    QMap<QDate, QString> days;
    const auto add = [&](const QDate& date, const char* name) { days.insert(date, QString::fromUtf8(name)); };

    add({y, 1, 1}, "元日");
    add(y < 2000 ? QDate(y, 1, 15) : monday(y, 1, 2), "成人の日");
    if (y >= 1967)
        add({y, 2, 11}, "建国記念の日");
    if (y >= 2020)
        add({y, 2, 23}, "天皇誕生日");
    add(CTavDbEquinox::Vernal(y), "春分の日");
    add({y, 4, 29}, y <= 1988 ? "天皇誕生日" : y <= 2006 ? "みどりの日" : "昭和の日");
    add({y, 5, 3}, "憲法記念日");
    if (y >= 2007)
        add({y, 5, 4}, "みどりの日");
    add({y, 5, 5}, "こどもの日");
    if (y == 2020 || y == 2021)
        add({y, 7, y == 2020 ? 23 : 22}, "海の日");
    else if (y >= 2003)
        add(monday(y, 7, 3), "海の日");
    else if (y >= 1996)
        add({y, 7, 20}, "海の日");
    if (y == 2020 || y == 2021)
        add({y, 8, y == 2020 ? 10 : 8}, "山の日");
    else if (y >= 2016)
        add({y, 8, 11}, "山の日");
    if (y >= 2003)
        add(monday(y, 9, 3), "敬老の日");
    else if (y >= 1966)
        add({y, 9, 15}, "敬老の日");
    add(CTavDbEquinox::Autumnal(y), "秋分の日");
    if (y == 2020 || y == 2021)
        add({y, 7, y == 2020 ? 24 : 23}, "スポーツの日");
    else if (y >= 2000)
        add(monday(y, 10, 2), y >= 2020 ? "スポーツの日" : "体育の日");
    else if (y >= 1966)
        add({y, 10, 10}, "体育の日");
    add({y, 11, 3}, "文化の日");
    add({y, 11, 23}, "勤労感謝の日");
    if (y >= 1989 && y <= 2018)
        add({y, 12, 23}, "天皇誕生日");

    // Days declared holidays by their own laws.
    static const struct
    {
        int year, month, day;
        const char* name;
    } kOneOff[] = {
        {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
        {1989, 2, 24, "昭和天皇の大喪の礼"},
        {1990, 11, 12, "即位礼正殿の儀"},
        {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
        {2019, 5, 1, "天皇の即位の日"},
        {2019, 10, 22, "即位礼正殿の儀"},
    };
    for (const auto& day : kOneOff)
        if (day.year == y)
            add({day.year, day.month, day.day}, day.name);
    return days;
}
} // namespace

QList<CTavDbHolidays::Holiday> CTavDbHolidayLaw::Year(int year)
{
    if (year < FirstYear)
        return {};
    const QMap<QDate, QString> named = namedDays(year);
    QMap<QDate, QString> all = named;
    const QDate substitutesFrom(1973, 4, 12);
    const QDate citizensFrom(1985, 12, 27);
    const bool law2007 = year >= 2007;

    // A holiday on a Sunday moves the rest to the next day; from 2007 to the next day that is
    // not itself a holiday.
    for (auto it = named.begin(); it != named.end(); ++it) {
        if (it.key() < substitutesFrom || it.key().dayOfWeek() != Qt::Sunday)
            continue;
        QDate next = it.key().addDays(1);
        while (law2007 && named.contains(next))
            next = next.addDays(1);
        if (!named.contains(next))
            all.insert(next, QStringLiteral("振替休日"));
    }
    // A weekday between two holidays is a rest day too (before 2007 not a Sunday nor a
    // substitute holiday).
    for (auto it = named.begin(); it != named.end(); ++it) {
        const QDate between = it.key().addDays(1);
        if (between < citizensFrom || between.year() != year || !named.contains(between.addDays(1)) ||
            named.contains(between))
            continue;
        if (!law2007 && (between.dayOfWeek() == Qt::Sunday || all.contains(between)))
            continue;
        if (!all.contains(between))
            all.insert(between, QStringLiteral("国民の休日"));
    }

    QList<CTavDbHolidays::Holiday> holidays;
    holidays.reserve(all.size());
    for (auto it = all.begin(); it != all.end(); ++it)
        holidays.append({it.key(), CTavDbPalmDate::FromDate(it.key()), it.value()});
    return holidays;
}
