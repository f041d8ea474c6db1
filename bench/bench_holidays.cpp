// The holidays and six-day labels of a year without the handheld's databases: the first
// computation of a year (holiday law, equinoxes, new moons and solar terms), and the lookups of
// all its days once computed, as a month or year window makes them.
#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "CTavDbCalendarDays.h"

namespace {
struct Lookup
{
    QTemporaryDir dir;
    CTavDbHolidays holidays{dir.path() + QStringLiteral("/Backup/")};
    CTavDbSixDay sixDay{dir.path() + QStringLiteral("/Backup/")};
    CTavDbCalendarDays days{holidays, sixDay};
};

// A year not asked before each round: every round pays the whole computation.
void BM_FirstComputationOfYear(benchmark::State& state)
{
    int year = 1970;
    for (auto _ : state) {
        state.PauseTiming();
        Lookup lookup;
        state.ResumeTiming();
        const QDate day(year, 5, 5);
        benchmark::DoNotOptimize(lookup.days.Lookup(day));
        year = year == 2031 ? 1970 : year + 1;
    }
}
BENCHMARK(BM_FirstComputationOfYear)->Unit(benchmark::kMillisecond);

// Every day of a year once it was computed.
void BM_YearOfLookups(benchmark::State& state)
{
    Lookup lookup;
    const QDate first(2024, 1, 1);
    lookup.days.Lookup(first);
    int found = 0;
    for (auto _ : state) {
        for (QDate day = first; day.year() == 2024; day = day.addDays(1)) {
            const CTavDbCalendarDays::Day entry = lookup.days.Lookup(day);
            found += entry.holiday.isEmpty() ? 0 : 1;
            benchmark::DoNotOptimize(entry);
        }
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_YearOfLookups)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return BenchEnv::run(argc, argv);
}
