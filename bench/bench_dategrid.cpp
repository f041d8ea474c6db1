// The month window's fill: 42 days of events from a store of the 10,000 generated events
// (events.cli.jsonl of bench/gen_events.py).
#include <benchmark/benchmark.h>
#include <string>

#include "BenchEnv.h"
#include "BenchEvents.h"
#include "CTavDbDate.h"

namespace {
// The generated events, loaded once; the error is empty when all of them went in.
struct Events
{
    CTavDbDate store;
    std::string error = BenchEvents::Load(store);
};

Events& events()
{
    static Events loaded;
    return loaded;
}

// Fills one list per day as the month and week windows do: the first day by date, the rest as
// "next day", keeping repeating events the occurrence test accepts. Answers the occurrences.
int fillDays(CTavDbDate& store, const QDate& first, int days, std::vector<QList<CTavDbDateRecord*>>& cells)
{
    int occurrences = 0;
    QList<CTavDbDateRecord*> list;
    for (int i = 0; i < days; ++i) {
        const QString key = CTavDbTime::dayKey(first.addDays(i));
        if (i == 0)
            store.GetDayRecords(key, list);
        else
            store.GetNextDayRecords(list);
        QList<CTavDbDateRecord*>& cell = cells[static_cast<size_t>(i)];
        cell.clear();
        for (CTavDbDateRecord* event : list)
            if (!event->IsRepeating() || store.IsRepeatTarget(*event, key))
                cell.append(event);
        occurrences += static_cast<int>(cell.size());
    }
    return occurrences;
}

void runFill(benchmark::State& state, int days, bool afterChange)
{
    if (!events().error.empty()) {
        state.SkipWithError(events().error.c_str());
        return;
    }
    CTavDbDate& store = events().store;
    store.SetPrivateMode(0);
    std::vector<QList<CTavDbDateRecord*>> cells(static_cast<size_t>(days));
    auto* touched = store.GetDateRecord(0);
    int occurrences = 0;
    for (auto _ : state) {
        if (afterChange)
            store.UpdateRecord(*touched); // any change makes the next listing rebuild the index
        occurrences = fillDays(store, QDate(2025, 2, 23), days, cells);
        benchmark::DoNotOptimize(cells.data());
    }
    state.counters["occurrences"] = occurrences;
}

void BM_MonthGrid(benchmark::State& state)
{
    runFill(state, 42, false);
}
void BM_MonthGridAfterChange(benchmark::State& state)
{
    runFill(state, 42, true);
}
void BM_Year(benchmark::State& state)
{
    runFill(state, 365, false);
}
} // namespace

BENCHMARK(BM_MonthGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthGridAfterChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Year)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
