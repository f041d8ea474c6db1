#include "CTavDbLunisolar.h"

#include <array>

#include "CTavDbAstronomy.h"

namespace {
// The last moment (UT) of a day in Japan.
double endOfJapanDay(const QDate& date)
{
    return CTavDbAstronomy::JulianDay(date.addDays(1)) - 9.0 / 24.0 - 1e-9;
}
} // namespace

CTavDbLunisolar::Cycle CTavDbLunisolar::compute(int year)
{
    // The principal terms from one winter solstice (270 degrees) to the next.
    std::array<QDate, 13> terms;
    double moment = CTavDbAstronomy::SunReaches(270.0, CTavDbAstronomy::JulianDay(QDate(year - 1, 12, 1)));
    for (int i = 0; i < 13; ++i) {
        if (i > 0)
            moment = CTavDbAstronomy::SunReaches(270.0 + 30.0 * i, moment + 25.0);
        terms[i] = CTavDbAstronomy::JapanDate(moment);
    }
    const int first = CTavDbAstronomy::LunationBefore(endOfJapanDay(terms.front()));
    const int last = CTavDbAstronomy::LunationBefore(endOfJapanDay(terms.back()));

    Cycle cycle;
    QList<QDate> starts;
    for (int k = first; k <= last; ++k)
        starts.append(CTavDbAstronomy::JapanDate(CTavDbAstronomy::NewMoon(k)));
    cycle.end = starts.last();
    bool leapDue = last - first == 13;
    int month = 11;
    for (int i = 0; i + 1 < starts.size(); ++i) {
        bool leap = false;
        if (i > 0) {
            bool holdsTerm = false;
            for (const QDate& term : terms)
                holdsTerm = holdsTerm || (term >= starts[i] && term < starts[i + 1]);
            leap = leapDue && !holdsTerm;
            if (leap)
                leapDue = false;
            else
                month = month % 12 + 1;
        }
        cycle.months.append({starts[i], month >= 11 ? year - 1 : year, month, leap});
    }
    return cycle;
}

const CTavDbLunisolar::Cycle& CTavDbLunisolar::cycle(int year)
{
    auto it = m_cycles.find(year);
    if (it == m_cycles.end())
        it = m_cycles.insert(year, compute(year));
    return *it;
}

CTavDbLunisolar::OldDate CTavDbLunisolar::ToOld(const QDate& date)
{
    if (!date.isValid() || date.year() < FirstYear || date.year() > LastYear)
        return {};
    const Cycle* found = &cycle(date.year());
    if (date >= found->end)
        found = &cycle(date.year() + 1);
    for (qsizetype i = found->months.size() - 1; i >= 0; --i) {
        const MonthStart& start = found->months[i];
        if (start.date <= date)
            return {start.year, start.month, static_cast<int>(start.date.daysTo(date)) + 1, start.leap};
    }
    return {};
}

QList<CTavDbLunisolar::MonthStart> CTavDbLunisolar::MonthStarts(int year)
{
    QList<MonthStart> starts;
    if (year < FirstYear || year > LastYear)
        return starts;
    for (int y : {year, year + 1})
        for (const MonthStart& start : cycle(y).months)
            if (start.date.year() == year)
                starts.append(start);
    return starts;
}

QString CTavDbLunisolar::SixDayLabel(const OldDate& date)
{
    static const char* const kLabels[] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    if (date.month == 0)
        return QString();
    return QString::fromUtf8(kLabels[(date.month + date.day) % 6]);
}
