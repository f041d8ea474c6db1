// The memo pad with 65,535 memos: rebuilding the list, scrolling it a page at a time and
// switching its order. The memos are generated once into the build's bench-data/memopad.

#include <QApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "BenchEnv.h"
#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"

namespace {
QString dataDir()
{
    return BenchEnv::workDir(QStringLiteral("memopad"));
}

QString memoText(QRandomGenerator& random, int n)
{
    static const QStringList starts{QStringLiteral("会議"),     QStringLiteral("買い物"),
                                    QStringLiteral("アイデア"), QStringLiteral("さくら"),
                                    QStringLiteral("読書"),     QStringLiteral("travel"),
                                    QStringLiteral("ワイン"),   QStringLiteral("電話"),
                                    QStringLiteral("のびた"),   QStringLiteral("12月")};
    static const QString kana =
        QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのアイウエオ漢字表示");
    QString text = starts.at(random.bounded(starts.size()));
    const int length = 10 + random.bounded(60);
    for (int i = 0; i < length; ++i)
        text += kana.at(random.bounded(kana.size()));
    text += QStringLiteral(" #%1\n二行目の本文").arg(n);
    return text;
}

// The store file, made on first use; its name carries the count, so that the smoke run's small
// store is never taken for the full one.
QString storePath()
{
    const QString path = dataDir() + QStringLiteral("/memopad%1.ldb").arg(BenchEnv::records());
    if (QFileInfo::exists(path))
        return path;
    CTavDbMemo store;
    QList<uint32_t> categories{0};
    for (const char16_t* name : {u"仕事", u"旅行", u"料理"}) {
        uint32_t id = 0;
        store.AddCategory(QString::fromUtf16(name), &id);
        categories << id;
    }
    QRandomGenerator random(65535);
    for (int n = 0; n < BenchEnv::records(); ++n) {
        CTavDbMemoRecord r;
        r.SetMemo(memoText(random, n));
        r.SetCategoryID(categories.at(random.bounded(categories.size())));
        r.SetPrivate(random.bounded(20) == 0);
        r.SetCreateDateTime(1600000000 + n * 600);
        r.SetUpdateDateTime(1600000000 + n * 900);
        store.AddRecord(r);
    }
    return store.WriteToFile(path) == TavStatusCode::Ok ? path : QString();
}

// The application's memo store loaded with the memos, and the memo pad's window on it.
struct MemoPad
{
    CTavApp app;
    CTavMemoDoc* doc = nullptr;
    CTavMemoFrame* frame = nullptr;

    std::string error; // empty when the store holds every memo

    MemoPad()
    {
        CTavDbEnv::SetCorePath(dataDir() + QStringLiteral("/root/"));
        if (storePath().isEmpty() || app.MemoStore().LoadFromFile(storePath()) != TavStatusCode::Ok)
            error = "cannot write or read the memo store in " + dataDir().toStdString();
        doc = new CTavMemoDoc(app, &app);
        frame = new CTavMemoFrame(doc);
        frame->resize(1000, 700);
        frame->show();
        frame->LayOutPanes(1000);
        frame->Update(0);
        QApplication::processEvents();
        if (error.empty() && app.MemoStore().GetRecordCount() != BenchEnv::records())
            error = BenchEnv::mismatch(QStringLiteral("memos"), BenchEnv::records(),
                                       app.MemoStore().GetRecordCount());
    }
    ~MemoPad() { delete frame; }
};

std::unique_ptr<MemoPad> g_pad; // made on first use, gone before the application object

MemoPad& memoPad()
{
    if (!g_pad)
        g_pad = std::make_unique<MemoPad>();
    return *g_pad;
}

bool ready(benchmark::State& state)
{
    if (!memoPad().error.empty())
        state.SkipWithError(memoPad().error.c_str());
    return memoPad().error.empty();
}

// A refresh after a change: the store re-sorts (with the sort keys it kept) and the list is rebuilt.
void BM_ReloadAndRebuild(benchmark::State& state)
{
    if (!ready(state))
        return;
    MemoPad& pad = memoPad();
    for (auto _ : state) {
        pad.frame->Update(0);
        benchmark::DoNotOptimize(pad.doc->Count());
    }
    state.counters["memos"] = pad.doc->Count();
}
BENCHMARK(BM_ReloadAndRebuild)->Unit(benchmark::kMillisecond);

// Reading the store file again (restore, the end of a HotSync) and rebuilding the list.
void BM_LoadFileAndRebuild(benchmark::State& state)
{
    if (!ready(state))
        return;
    MemoPad& pad = memoPad();
    for (auto _ : state) {
        pad.app.MemoStore().LoadFromFile(storePath());
        pad.frame->Update(0);
        benchmark::DoNotOptimize(pad.doc->Count());
    }
}
BENCHMARK(BM_LoadFileAndRebuild)->Unit(benchmark::kMillisecond);

// One Page Down: scroll by a page and paint the rows now in sight.
void BM_ScrollPage(benchmark::State& state)
{
    if (!ready(state))
        return;
    MemoPad& pad = memoPad();
    CTavMemoLeftView* list = pad.frame->LeftView();
    list->SetTopRow(0);
    for (auto _ : state) {
        const int next = list->TopRow() + list->PageRowCount();
        list->SetTopRow(next >= list->RowCount() - list->PageRowCount() ? 0 : next);
        list->viewport()->repaint();
    }
    state.counters["rows_per_page"] = list->PageRowCount();
}
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMicrosecond);

// Switching from the handheld's order to syllabary order (arg 0) and back (arg 1).
void BM_SwitchSort(benchmark::State& state)
{
    if (!ready(state))
        return;
    MemoPad& pad = memoPad();
    const int to = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        pad.doc->SetOrder(1 - to);
        state.ResumeTiming();
        pad.doc->SetOrder(to);
        benchmark::DoNotOptimize(pad.doc->Count());
    }
    pad.doc->SetOrder(0);
}
BENCHMARK(BM_SwitchSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first syllabary sort after a load, when no sort key is known yet.
void BM_FirstSyllabarySort(benchmark::State& state)
{
    if (!ready(state))
        return;
    const QString path = storePath();
    for (auto _ : state) {
        state.PauseTiming();
        CTavDbMemo store;
        store.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortHandheld));
        store.LoadFromFile(path);
        store.GetCount();
        state.ResumeTiming();
        store.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortSyllabary));
        benchmark::DoNotOptimize(store.GetCount());
    }
}
BENCHMARK(BM_FirstSyllabarySort)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int status = BenchEnv::run(argc, argv);
    g_pad.reset();
    return status;
}
