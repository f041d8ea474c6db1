// Importing the generated cards.csv (bench/gen_cards.py: 65,535 cards) into an empty address
// store, and exporting them again.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "CTavDbAddr.h"
#include "CTavDbAddrCsv.h"
#include "CTavDbEnv.h"

namespace {
QString csvPath()
{
    return BenchEnv::dataDir() + QStringLiteral("/cards/cards.csv");
}

// Stops the benchmark unless the file is there; the count is checked after the first import.
bool ready(benchmark::State& state)
{
    if (QFileInfo::exists(csvPath()))
        return true;
    state.SkipWithError(BenchEnv::missing(csvPath()).c_str());
    return false;
}

// Reading, splitting, decoding and checking every card, then adding it to the store.
void BM_ImportCsv(benchmark::State& state)
{
    if (!ready(state))
        return;
    int count = 0;
    for (auto _ : state) {
        CTavDbAddr store;
        QStringList refused;
        if (store.ImportCsvFile(csvPath(), nullptr, &refused) != TavStatusCode::Ok || !refused.isEmpty()) {
            state.SkipWithError(("import failed: " + refused.value(0)).toStdString().c_str());
            return;
        }
        count = store.GetRecordCount();
    }
    if (count != BenchEnv::records())
        state.SkipWithError(BenchEnv::mismatch(QStringLiteral("cards"), BenchEnv::records(), count).c_str());
    state.counters["cards"] = count;
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

// The reader alone, without the store.
void BM_ReadCsv(benchmark::State& state)
{
    if (!ready(state))
        return;
    QFile file(csvPath());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const CTavDbAddrCsvFormat format = CTavDbAddrCsvFormat::Guess(bytes.left(64 * 1024));
    for (auto _ : state)
        benchmark::DoNotOptimize(CTavDbAddrCsv::Read(bytes, format).size());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond);

// Writing every card in the program's own layout.
void BM_ExportCsv(benchmark::State& state)
{
    if (!ready(state))
        return;
    CTavDbAddr store;
    store.ImportCsvFile(csvPath());
    const QString out = BenchEnv::workDir(QStringLiteral("addrcsv")) + QStringLiteral("/export.csv");
    for (auto _ : state)
        if (store.ExportCsvFile(out) != TavStatusCode::Ok) {
            state.SkipWithError("cannot write the export");
            return;
        }
    state.counters["cards"] = store.GetRecordCount();
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return BenchEnv::run(argc, argv);
}
