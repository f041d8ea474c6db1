// Search across the modules with 65,535 records in each of the four stores: the two-character
// queries a user types (kanji, hiragana finding katakana, Latin letters) must answer well within
// a keystroke, and the first search after a change takes in only what changed.

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

#include "BenchEnv.h"
#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "search/CTavDbSearchIndex.h"

namespace {
// The results pane keeps this many hits per module.
constexpr int kPaneLimit = 200;

const QStringList& words()
{
    static const QStringList list{
        QStringLiteral("会議"),     QStringLiteral("打ち合わせ"), QStringLiteral("タナカ"),
        QStringLiteral("さくら"),   QStringLiteral("ﾔﾏﾀﾞ"),       QStringLiteral("見積もり"),
        QStringLiteral("Project"),  QStringLiteral("ＡＢＣ商事"), QStringLiteral("電話"),
        QStringLiteral("東京"),     QStringLiteral("レポート"),   QStringLiteral("12月"),
        QStringLiteral("ガッコウ"), QStringLiteral("review"),     QStringLiteral("大阪支店"),
        QStringLiteral("きっぷ")};
    return list;
}

QString text(QRandomGenerator& random, int wordCount)
{
    static const QString filler = QStringLiteral("あいうえおかきくけこアイウエオ漢字表示のにをはがでと、。 ");
    QString out;
    for (int w = 0; w < wordCount; ++w) {
        out += words().at(random.bounded(words().size()));
        for (int i = random.bounded(6); i > 0; --i)
            out += filler.at(random.bounded(filler.size()));
    }
    return out;
}

struct Stores
{
    CTavDbDate date;
    CTavDbAddr addr;
    CTavDbTodo todo;
    CTavDbMemo memo;
    CTavDbSearchIndex index;

    Stores()
    {
        QRandomGenerator random(65535);
        const int n = BenchEnv::records();
        for (int i = 0; i < n; ++i) {
            CTavDbDateRecord event;
            event.SetDesc(text(random, 2));
            if (i % 3 == 0)
                event.SetNote(text(random, 6));
            event.SetStartTime(CTavDbTime::fromDate(QDate(2026, 1, 1).addDays(i % 700)) + 9 * 3600);
            event.SetEndTime(event.GetStartTime() + 3600);
            event.SetPrivate(i % 20 == 0);
            date.AddRecord(event);

            CTavDbAddrRecord card;
            card.SetLastName(text(random, 1));
            card.SetLastNameYomi(QStringLiteral("ﾀﾅｶ"));
            card.SetFirstName(text(random, 1));
            card.SetCompany(text(random, 1));
            card.SetPhone(0, QStringLiteral("03-%1-%2").arg(i % 9000 + 1000).arg(i % 7000 + 2000));
            card.SetPhone(1, QStringLiteral("user%1@example.jp").arg(i));
            card.SetPhoneLabelID(1, CTavDbAddrRecord::kLabelEmail);
            card.SetCity(text(random, 1));
            if (i % 4 == 0)
                card.SetNote(text(random, 5));
            addr.AddRecord(card);

            CTavDbTodoRecord task;
            task.SetDesc(text(random, 2));
            if (i % 2 == 0)
                task.SetNote(text(random, 4));
            todo.AddRecord(task);

            CTavDbMemoRecord memoRecord;
            memoRecord.SetMemo(text(random, 3) + u'\n' + text(random, 8));
            memo.AddRecord(memoRecord);
        }
        index.SetStores(&date, &addr, &todo, &memo);
    }

    bool full() const
    {
        const int n = BenchEnv::records();
        return date.GetRecordCount() == n && addr.GetRecordCount() == n && todo.GetRecordCount() == n &&
               memo.GetRecordCount() == n;
    }
};

std::unique_ptr<Stores> g_stores;

Stores* stores(benchmark::State& state)
{
    if (!g_stores)
        g_stores = std::make_unique<Stores>();
    if (!g_stores->full()) {
        state.SkipWithError("the stores did not take every record");
        return nullptr;
    }
    return g_stores.get();
}

// One keystroke: a two-character query over every store, as the results pane asks it (arg 0:
// kanji, 1: hiragana finding katakana and half-width kana, 2: Latin letters, 3: a rare pair).
void BM_SearchTwoCharacters(benchmark::State& state)
{
    Stores* s = stores(state);
    if (!s)
        return;
    const QString queries[] = {QStringLiteral("会議"), QStringLiteral("たな"), QStringLiteral("re"),
                               QStringLiteral("ゆゆ")};
    const QString query = queries[state.range(0)];
    s->index.Refresh();
    int found = 0;
    for (auto _ : state) {
        const CTavDbSearchResult result = s->index.Find(query, false, kPaneLimit);
        found = result.Total();
        benchmark::DoNotOptimize(found);
    }
    state.counters["records"] = 4.0 * BenchEnv::records();
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchTwoCharacters)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The same without a limit, as the command line prints every hit.
void BM_SearchAllHits(benchmark::State& state)
{
    Stores* s = stores(state);
    if (!s)
        return;
    s->index.Refresh();
    for (auto _ : state)
        benchmark::DoNotOptimize(s->index.Find(QStringLiteral("会議"), true).Total());
}
BENCHMARK(BM_SearchAllHits)->Unit(benchmark::kMillisecond);

// The first search after one memo was edited: the memo store's texts are taken in again, only
// the edited one folded anew.
void BM_SearchAfterEdit(benchmark::State& state)
{
    Stores* s = stores(state);
    if (!s)
        return;
    s->index.Refresh();
    const uint32_t id = s->memo.AllRecords().front()->GetUniqueId();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CTavDbMemoRecord memo = static_cast<const CTavDbMemoRecord&>(*s->memo.FindRecord(id));
        memo.SetMemo(QStringLiteral("会議 %1").arg(++round));
        s->memo.UpdateRecord(memo);
        state.ResumeTiming();
        benchmark::DoNotOptimize(s->index.Find(QStringLiteral("会議"), false, kPaneLimit).Total());
    }
}
BENCHMARK(BM_SearchAfterEdit)->Unit(benchmark::kMillisecond);

// Folding every store's texts from nothing (start-up, after a user switch or a HotSync reload).
void BM_BuildIndex(benchmark::State& state)
{
    Stores* s = stores(state);
    if (!s)
        return;
    for (auto _ : state) {
        CTavDbSearchIndex index;
        index.SetStores(&s->date, &s->addr, &s->todo, &s->memo);
        index.Refresh();
        benchmark::DoNotOptimize(index.Find(QStringLiteral("会議"), false, kPaneLimit).Total());
    }
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    const int status = BenchEnv::run(argc, argv);
    g_stores.reset();
    return status;
}
