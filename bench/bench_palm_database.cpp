#include <QFile>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "CTavDbPalmCode.h"
#include "CTavDbPalmDatabase.h"

// Opening a handheld database and reading every record, against reading the file's bytes
// alone: both runs find the file in the page cache and touch every byte once.
namespace {
constexpr int RecordCount = 5000;
constexpr int RecordSize = 200; // 5,000 x 200 bytes: 1 MB of records

// The database file, written once per run; empty when it could not be written.
QString databasePath()
{
    static const QString path = [] {
        const QString file = BenchEnv::workDir(QStringLiteral("palm")) + QStringLiteral("/records5000.pdb");
        CTavDbPalmDatabase db;
        db.Create(file, CTavDbPalmCode::Make("DATA"), CTavDbPalmCode::Make("bnch"));
        uint32_t state = 12345;
        for (int i = 0; i < RecordCount; ++i) {
            QByteArray record(RecordSize, Qt::Uninitialized);
            for (char& c : record) {
                state = state * 1103515245u + 12345u;
                c = char(state >> 24);
            }
            db.AddRecord(record, uint8_t(0x40 | (i % 16)));
        }
        return db.Save() == TavStatusCode::Ok ? file : QString();
    }();
    return path;
}

// Opens the database for a benchmark, or stops the benchmark when it is not the one written.
bool openDatabase(benchmark::State& state, CTavDbPalmDatabase& db)
{
    if (databasePath().isEmpty())
        state.SkipWithError("cannot write the database into the build folder");
    else if (db.LoadFromFile(databasePath()) != TavStatusCode::Ok || db.GetRecordCount() != RecordCount)
        state.SkipWithError("the database did not load with its 5000 records");
    else
        return true;
    return false;
}

uint64_t touch(QByteArrayView bytes)
{
    uint64_t sum = 0;
    for (char c : bytes)
        sum += uchar(c);
    return sum;
}

void BM_ReadFileBytes(benchmark::State& state)
{
    CTavDbPalmDatabase db;
    if (!openDatabase(state, db))
        return;
    const QString path = databasePath();
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(touch(bytes));
        state.SetBytesProcessed(state.bytes_processed() + bytes.size());
    }
}

void BM_OpenDatabaseReadEveryRecord(benchmark::State& state)
{
    CTavDbPalmDatabase opened;
    if (!openDatabase(state, opened))
        return;
    const QString path = databasePath();
    for (auto _ : state) {
        CTavDbPalmDatabase db;
        if (db.LoadFromFile(path) != TavStatusCode::Ok || db.GetRecordCount() != RecordCount)
            state.SkipWithError("the database did not load");
        uint64_t sum = 0;
        for (int i = 0; i < db.GetRecordCount(); ++i)
            sum += touch(db.GetRecordView(i)) + db.GetRecordUniqueId(i);
        benchmark::DoNotOptimize(sum);
        state.SetBytesProcessed(state.bytes_processed() + qint64(RecordCount) * RecordSize);
    }
}

void BM_OpenDatabaseCopyEveryRecord(benchmark::State& state)
{
    CTavDbPalmDatabase opened;
    if (!openDatabase(state, opened))
        return;
    const QString path = databasePath();
    for (auto _ : state) {
        CTavDbPalmDatabase db;
        db.LoadFromFile(path);
        uint64_t sum = 0;
        for (int i = 0; i < db.GetRecordCount(); ++i)
            sum += touch(db.GetRecord(i));
        benchmark::DoNotOptimize(sum);
    }
}

void BM_WriteDatabaseBytes(benchmark::State& state)
{
    CTavDbPalmDatabase db;
    if (!openDatabase(state, db))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(db.ToBytes().size());
}
} // namespace

BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenDatabaseReadEveryRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenDatabaseCopyEveryRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteDatabaseBytes)->Unit(benchmark::kMicrosecond);
int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
