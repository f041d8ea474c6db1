#include <QFile>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "CTavDbDate.h"
#include "CTavDbTime.h"

// A desktop date-book archive of 20,000 events, a third of them repeating: read into the store,
// and written back (unchanged records as read; every record made anew, as an export does).
namespace {
// The smoke run under the sanitizers makes a small archive.
int eventCount()
{
    return BenchEnv::smoke() ? 300 : 20000;
}

// The events, made in memory once per run.
const CTavDbDate& sourceStore()
{
    static const auto store = [] {
        auto s = std::make_unique<CTavDbDate>();
        const QDate first(2020, 1, 1);
        for (int i = 0; i < eventCount(); ++i) {
            CTavDbDateRecord r;
            const QDate day = first.addDays(i % 3000);
            r.SetDesc(QStringLiteral("打ち合わせ %1 with the team").arg(i));
            if (i % 4 == 0)
                r.SetNote(QStringLiteral("議題\r\n1. 予算\r\n2. 日程 %1").arg(i));
            r.SetStartTime(CTavDbTime::fromDateAndTime(day, QTime(9 + i % 8, 0)));
            r.SetEndTime(CTavDbTime::fromDateAndTime(day, QTime(10 + i % 8, 30)));
            r.SetAlarm(i % 5 == 0);
            if (i % 3 == 0) {
                r.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
                r.SetInterval(1 + i % 2);
                r.SetWeekDayMask(uint8_t(1 << (day.dayOfWeek() % 7)));
                r.SetDayIndex(day.dayOfWeek() % 7);
                r.AddException(day.addDays(7));
            }
            s->AddRecord(r);
        }
        return s;
    }();
    return *store;
}

QString archivePath()
{
    static const QString path = [] {
        const QString file =
            BenchEnv::workDir(QStringLiteral("archive")) + QStringLiteral("/events%1.dba").arg(eventCount());
        return sourceStore().WriteToFile(file) == TavStatusCode::Ok ? file : QString();
    }();
    return path;
}

bool load(benchmark::State& state, CTavDbDate& store)
{
    if (archivePath().isEmpty())
        state.SkipWithError("cannot write the archive into the build folder");
    else if (store.LoadFromFile(archivePath()) != TavStatusCode::Ok || store.GetRecordCount() != eventCount())
        state.SkipWithError("the archive did not load with all its events");
    else
        return true;
    return false;
}

void BM_ReadArchiveIntoStore(benchmark::State& state)
{
    CTavDbDate store;
    if (!load(state, store))
        return;
    for (auto _ : state) {
        CTavDbDate fresh;
        if (fresh.LoadFromFile(archivePath()) != TavStatusCode::Ok)
            state.SkipWithError("the archive did not load");
        benchmark::DoNotOptimize(fresh.GetRecordCount());
    }
}

void BM_WriteArchiveBack(benchmark::State& state)
{
    CTavDbDate store;
    if (!load(state, store))
        return;
    const QString copy = archivePath() + QStringLiteral(".copy.dba");
    for (auto _ : state)
        if (store.WriteToFile(copy) != TavStatusCode::Ok)
            state.SkipWithError("the archive was not written");
}

void BM_WriteEveryEventAnew(benchmark::State& state)
{
    if (archivePath().isEmpty()) {
        state.SkipWithError("cannot write the archive into the build folder");
        return;
    }
    const QString copy = archivePath() + QStringLiteral(".new.dba");
    for (auto _ : state)
        if (sourceStore().WriteToFile(copy) != TavStatusCode::Ok)
            state.SkipWithError("the archive was not written");
}
} // namespace

BENCHMARK(BM_ReadArchiveIntoStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteArchiveBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteEveryEventAnew)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
