// Undo and redo of a memo import as one step: 10,000 memos from a CSV file into a memo pad
// that then holds its maximum of 65,535, with and without the listed view built again after.
#include <QDir>
#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <string>

#include "BenchEnv.h"
#include "CTavDbMemo.h"
#include "CTavStoreCommand.h"

namespace {

int importSize()
{
    return BenchEnv::smoke() ? BenchEnv::records() / 5 : 10000;
}

QString memoText(std::mt19937& rng, int i)
{
    static const char16_t* const words[] = {u"会議",   u"資料", u"見積もり", u"送付", u"確認",   u"電話",
                                            u"請求書", u"準備", u"Review",   u"東京", u"新製品", u"。"};
    QString text = QString::number(i) + u' ';
    for (int n = 3 + static_cast<int>(rng() % 40); n > 0; --n)
        text += QString::fromUtf16(words[rng() % std::size(words)]);
    return text;
}

// The memo pad after the import, with the import on its undo stack.
class ImportedPad
{
public:
    ImportedPad()
    {
        const QString folder = m_dir.path();
        std::mt19937 rng(11);
        CTavDbMemo seed;
        CTavDbMemo source;
        QList<uint32_t> ids;
        for (int i = 0; i < BenchEnv::records() - importSize(); ++i)
            add(seed, memoText(rng, i), static_cast<uint32_t>(i % 3));
        for (int i = 0; i < importSize(); ++i)
            ids << add(source, memoText(rng, i), static_cast<uint32_t>(i % 3));
        const QString path = folder + QStringLiteral("/memopad.ldb");
        const QString csv = folder + QStringLiteral("/import.csv");
        if (seed.WriteToFile(path) != TavStatusCode::Ok ||
            source.ExportCsvFile(csv, ids) != TavStatusCode::Ok ||
            store.LoadFromFile(path) != TavStatusCode::Ok) {
            error = "the memo pad or the CSV file could not be written";
            return;
        }
        const TavStatus imported = CTavStoreCommand::Run(stack, store, QStringLiteral("インポート"),
                                                         [this, &csv] { return store.ImportCsvFile(csv); });
        if (imported != TavStatusCode::Ok || store.GetRecordCount() != BenchEnv::records() ||
            stack.count() != 1)
            error = "the import did not go in as one step";
    }

    bool ready(benchmark::State& state) const
    {
        if (!error.empty())
            state.SkipWithError(error.c_str());
        return error.empty();
    }
    bool holds(int count) const { return store.GetRecordCount() == count; }

    CTavDbMemo store;
    QUndoStack stack;
    std::string error;

private:
    static uint32_t add(CTavDbMemo& s, const QString& text, uint32_t category)
    {
        CTavDbMemoRecord m;
        m.SetMemo(text);
        m.SetCategoryID(category);
        return s.AddRecord(m) == TavStatusCode::Ok ? m.GetUniqueId() : 0;
    }

    QTemporaryDir m_dir{QDir::temp().filePath(QStringLiteral("lumora-bench-XXXXXX"))};
};

ImportedPad& pad()
{
    static ImportedPad p;
    return p;
}

// withList: the memo list, sorted by reading, is built again as the window would.
void measure(benchmark::State& state, bool undo, bool withList)
{
    ImportedPad& p = pad();
    if (!p.ready(state))
        return;
    const int full = BenchEnv::records();
    const int before = full - importSize();
    for (auto _ : state) {
        state.PauseTiming();
        if (!undo) {
            p.stack.undo();
            benchmark::DoNotOptimize(p.store.GetCount());
        }
        state.ResumeTiming();
        undo ? p.stack.undo() : p.stack.redo();
        if (withList)
            benchmark::DoNotOptimize(p.store.GetCount());
        state.PauseTiming();
        const bool ok = p.holds(undo ? before : full);
        if (undo) {
            p.stack.redo();
            benchmark::DoNotOptimize(p.store.GetCount());
        }
        state.ResumeTiming();
        if (!ok) {
            state.SkipWithError("the step did not give back the expected memos");
            break;
        }
    }
}

void BM_UndoImport(benchmark::State& state)
{
    measure(state, true, false);
}
void BM_RedoImport(benchmark::State& state)
{
    measure(state, false, false);
}
void BM_UndoImportAndList(benchmark::State& state)
{
    measure(state, true, true);
}
void BM_RedoImportAndList(benchmark::State& state)
{
    measure(state, false, true);
}

BENCHMARK(BM_UndoImport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedoImport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoImportAndList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedoImportAndList)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
