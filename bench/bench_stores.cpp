// Loading and writing the four record stores at their limit of 65,535 records, against SQLite
// itself reading and inserting the same rows, and the write that follows a one-record edit.
// The address cards are the generated cards.jsonl (bench/gen_cards.py); the other stores hold
// records made here, of realistic size.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

#include "BenchEnv.h"
#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"

namespace {

const QString& workDir()
{
    static QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("lumora-bench-XXXXXX")));
    static const QString path = dir.path();
    return path;
}

// The generator's category indexes; 0 is unfiled.
const char* const kCardCategories[] = {"", "仕事", "個人", "家族", "取引先", "友人"};

CTavDbAddrRecord cardFromJson(const QJsonObject& o, CTavDbAddr& store)
{
    const auto text = [&o](const char* key) { return o.value(QLatin1String(key)).toString(); };
    CTavDbAddrRecord c;
    c.SetLastName(text("last_name"));
    c.SetFirstName(text("first_name"));
    c.SetLastNameYomi(text("last_name_reading"));
    c.SetFirstNameYomi(text("first_name_reading"));
    c.SetCompany(text("company"));
    c.SetCompanyYomi(text("company_reading"));
    c.SetTitle(text("title"));
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
        c.SetPhone(slot, o.value(QStringLiteral("phone%1").arg(slot + 1)).toString());
        c.SetPhoneLabelID(slot, o.value(QStringLiteral("phone%1_label").arg(slot + 1)).toString().toInt());
    }
    c.SetDisplayPhone(text("display_phone").toInt() + 1); // the generator counts slots from 0
    c.SetZipCode(text("zip"));
    c.SetState(text("state"));
    c.SetCity(text("city"));
    c.SetAddress(text("address"));
    c.SetCountry(text("country"));
    c.SetCustom(0, text("custom1"));
    c.SetCustom(1, text("custom2"));
    c.SetNote(text("note"));
    c.SetPrivate(text("private") == QLatin1String("1"));
    const int category = text("category").toInt();
    if (category > 0 && category < 6) {
        const QString name = QString::fromUtf8(kCardCategories[category]);
        if (!store.FindCategoryByName(name))
            store.AddCategory(name);
        c.SetCategoryID(store.FindCategoryByName(name)->GetID());
    }
    return c;
}

// Each fill answers an error message, empty when every record went in.
std::string fillAddress(CTavDbAddr& store)
{
    QFile file(BenchEnv::dataDir() + QStringLiteral("/cards/cards.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return BenchEnv::missing(file.fileName());
    while (!file.atEnd() && store.GetRecordCount() < BenchEnv::records()) {
        CTavDbAddrRecord card = cardFromJson(QJsonDocument::fromJson(file.readLine()).object(), store);
        if (store.AddRecord(card) != TavStatusCode::Ok)
            return "card " + std::to_string(store.GetRecordCount() + 1) + " refused";
    }
    return {};
}

// Sentences of the length people write in tasks, memos and events.
QString phrase(std::mt19937& rng, int words)
{
    static const QStringList vocabulary = {
        QStringLiteral("会議"),       QStringLiteral("資料"),   QStringLiteral("見積もり"),
        QStringLiteral("送付"),       QStringLiteral("確認"),   QStringLiteral("電話"),
        QStringLiteral("打ち合わせ"), QStringLiteral("請求書"), QStringLiteral("の"),
        QStringLiteral("を"),         QStringLiteral("に"),     QStringLiteral("準備"),
        QStringLiteral("Review"),     QStringLiteral("draft"),  QStringLiteral("2025年度"),
        QStringLiteral("田中さん"),   QStringLiteral("東京"),   QStringLiteral("新製品"),
        QStringLiteral("ｶﾀﾛｸﾞ"),      QStringLiteral("予算案"), QStringLiteral("提出"),
        QStringLiteral("、"),         QStringLiteral("。"),     QStringLiteral(" ")};
    QString s;
    for (int i = 0; i < words; ++i)
        s += vocabulary.at(static_cast<int>(rng() % vocabulary.size()));
    return s;
}

std::string fillTodo(CTavDbTodo& store)
{
    std::mt19937 rng(20240602);
    const TavTime base = CTavDbTime::fromDate(QDate(2025, 1, 6));
    int level = 0;
    for (int i = 0; i < BenchEnv::records(); ++i) {
        CTavDbTodoRecord t;
        t.SetDesc(phrase(rng, 3 + static_cast<int>(rng() % 8)));
        if (rng() % 4 == 0)
            t.SetNote(phrase(rng, 10 + static_cast<int>(rng() % 60)));
        t.SetPriority(1 + static_cast<int>(rng() % 5));
        if (rng() % 3 != 0)
            t.SetDueDate(base + static_cast<TavTime>(rng() % 400) * 86400);
        if (rng() % 5 == 0)
            t.SetStartDate(base + static_cast<TavTime>(rng() % 300) * 86400);
        t.SetCompleted(rng() % 3 == 0);
        level = i == 0 ? 0 : std::clamp(level + static_cast<int>(rng() % 3) - 1, 0, 2);
        t.SetIndentLevel(level);
        t.SetCategoryID(rng() % 3);
        t.SetPrivate(rng() % 10 == 0);
        if (store.AddRecord(t) != TavStatusCode::Ok)
            return "task " + std::to_string(i + 1) + " refused";
    }
    return {};
}

std::string fillMemo(CTavDbMemo& store)
{
    std::mt19937 rng(7);
    for (int i = 0; i < BenchEnv::records(); ++i) {
        CTavDbMemoRecord m;
        QString text = phrase(rng, 2 + static_cast<int>(rng() % 6));
        for (int lines = static_cast<int>(rng() % 8); lines > 0; --lines)
            text += u'\n' + phrase(rng, 5 + static_cast<int>(rng() % 25));
        m.SetMemo(text);
        m.SetCreateDateTime(1700000000 + i * 600);
        m.SetCategoryID(rng() % 3);
        if (store.AddRecord(m) != TavStatusCode::Ok)
            return "memo " + std::to_string(i + 1) + " refused";
    }
    return {};
}

// Events over ten years, a quarter of an hour to three hours long, some untimed.
std::string fillDate(CTavDbDate& store)
{
    std::mt19937 rng(11);
    const QDate first(2021, 1, 1);
    for (int i = 0; i < BenchEnv::records(); ++i) {
        CTavDbDateRecord e;
        e.SetDesc(phrase(rng, 2 + static_cast<int>(rng() % 6)));
        if (rng() % 5 == 0)
            e.SetNote(phrase(rng, 10 + static_cast<int>(rng() % 40)));
        const TavTime day = CTavDbTime::fromDate(first.addDays(rng() % 3650));
        const TavTime start = day + (7 * 60 + static_cast<TavTime>(rng() % 56) * 15) * 60;
        e.SetStartTime(start);
        e.SetEndTime(start + (1 + static_cast<TavTime>(rng() % 12)) * 15 * 60);
        e.SetUntimed(rng() % 10 == 0);
        e.SetPrivate(rng() % 10 == 0);
        if (store.AddRecord(e) != TavStatusCode::Ok)
            return "event " + std::to_string(i + 1) + " refused";
    }
    return {};
}

template <class Store> std::string fill(Store& store);
template <> std::string fill(CTavDbAddr& s)
{
    return fillAddress(s);
}
template <> std::string fill(CTavDbTodo& s)
{
    return fillTodo(s);
}
template <> std::string fill(CTavDbMemo& s)
{
    return fillMemo(s);
}
template <> std::string fill(CTavDbDate& s)
{
    return fillDate(s);
}

// One store of each kind, filled once, and its file. A benchmark starts with ready(), which
// stops it with the reason when the store is not full.
template <class Store> struct Fixture
{
    Store store;
    QString file;
    std::string error;
    static Fixture& get()
    {
        static Fixture f;
        return f;
    }
    bool ready(benchmark::State& state) const
    {
        if (!error.empty())
            state.SkipWithError(error.c_str());
        return error.empty();
    }

private:
    Fixture()
    {
        error = fill(store);
        if (error.empty() && store.GetRecordCount() != BenchEnv::records())
            error =
                BenchEnv::mismatch(QStringLiteral("records"), BenchEnv::records(), store.GetRecordCount());
        file = workDir() + QStringLiteral("/%1.ldb").arg(QString::fromLatin1(typeid(Store).name()));
        if (error.empty() &&
            (store.WriteToFile(file) != TavStatusCode::Ok || store.LoadFromFile(file) != TavStatusCode::Ok))
            error = "cannot write " + file.toStdString();
    }
};

// The rows of a store file as SQLite gives them, to insert again by SQLite alone.
struct RawRows
{
    std::string encoding;
    std::string createSql;
    std::string insertSql;
    int columns = 0;
    struct Value
    {
        int type;
        int64_t integer;
        std::string bytes;
    };
    std::vector<std::vector<Value>> rows;

    explicit RawRows(const QString& file)
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA encoding", -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW)
            encoding = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE name='records'", -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW)
            createSql = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        sqlite3_prepare_v2(db, "SELECT * FROM records ORDER BY seq", -1, &st, nullptr);
        columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<Value> row;
            for (int c = 0; c < columns; ++c) {
                const int type = sqlite3_column_type(st, c);
                const auto* data = static_cast<const char*>(sqlite3_column_blob(st, c));
                row.push_back(
                    {type, sqlite3_column_int64(st, c),
                     std::string(data ? data : "", static_cast<size_t>(sqlite3_column_bytes(st, c)))});
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        insertSql = "INSERT INTO records VALUES(?";
        for (int c = 1; c < columns; ++c)
            insertSql += ",?";
        insertSql += ")";
    }
};

template <class Store> void BM_StoreWrite(benchmark::State& state)
{
    Fixture<Store>& f = Fixture<Store>::get();
    if (!f.ready(state))
        return;
    const QString target = workDir() + QStringLiteral("/written.ldb");
    for (auto _ : state)
        if (f.store.WriteToFile(target) != TavStatusCode::Ok)
            state.SkipWithError("write failed");
    state.SetItemsProcessed(state.iterations() * f.store.GetRecordCount());
}

template <class Store> void BM_SqliteInsert(benchmark::State& state)
{
    Fixture<Store>& f = Fixture<Store>::get();
    if (!f.ready(state))
        return;
    const RawRows raw(f.file);
    const QByteArray target = (workDir() + QStringLiteral("/raw.sqlite")).toUtf8();
    const bool utf16 = raw.encoding.rfind("UTF-16", 0) == 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(QString::fromUtf8(target));
        state.ResumeTiming();
        sqlite3* db = nullptr;
        sqlite3_open_v2(target.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        // The same text encoding as the store's file: text goes in as the rows hold it.
        sqlite3_exec(db, ("PRAGMA encoding='" + raw.encoding + "'").c_str(), nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_exec(db, raw.createSql.c_str(), nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, raw.insertSql.c_str(), -1, &st, nullptr);
        for (const auto& row : raw.rows) {
            for (int c = 0; c < raw.columns; ++c) {
                const RawRows::Value& v = row[c];
                if (v.type == SQLITE_INTEGER)
                    sqlite3_bind_int64(st, c + 1, v.integer);
                else if (v.type == SQLITE_BLOB)
                    sqlite3_bind_blob(st, c + 1, v.bytes.data(), static_cast<int>(v.bytes.size()),
                                      SQLITE_STATIC);
                else if (v.type == SQLITE_TEXT && utf16)
                    sqlite3_bind_text16(st, c + 1, v.bytes.data(), static_cast<int>(v.bytes.size()),
                                        SQLITE_STATIC);
                else if (v.type == SQLITE_TEXT)
                    sqlite3_bind_text(st, c + 1, v.bytes.data(), static_cast<int>(v.bytes.size()),
                                      SQLITE_STATIC);
                else
                    sqlite3_bind_null(st, c + 1);
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError("commit failed");
        sqlite3_close(db);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(raw.rows.size()));
}

template <class Store> void BM_StoreLoad(benchmark::State& state)
{
    Fixture<Store>& f = Fixture<Store>::get();
    if (!f.ready(state))
        return;
    int records = 0;
    for (auto _ : state) {
        auto store = std::make_unique<Store>();
        if (store->LoadFromFile(f.file) != TavStatusCode::Ok)
            state.SkipWithError("load failed");
        records = store->GetRecordCount();
        // Freeing what was loaded is no part of reading it (SQLite's own reading frees nothing
        // of ours either).
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * records);
}

template <class Store> void BM_SqliteSelect(benchmark::State& state)
{
    Fixture<Store>& f = Fixture<Store>::get();
    if (!f.ready(state))
        return;
    const QByteArray file = f.file.toUtf8();
    int64_t bytes = 0;
    int64_t rows = 0;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* st = nullptr;
        // The store's own query: every column, in store order.
        sqlite3_prepare_v2(db, "SELECT * FROM records ORDER BY seq", -1, &st, nullptr);
        const int columns = sqlite3_column_count(st);
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_INTEGER) {
                    bytes += sqlite3_column_int64(st, c);
                } else {
                    benchmark::DoNotOptimize(sqlite3_column_blob(st, c));
                    bytes += sqlite3_column_bytes(st, c);
                }
            }
            ++rows;
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(state.iterations() * rows);
}

// The save after the user changed one record: only that record goes to the file.
template <class Store> void BM_StoreWriteOneChange(benchmark::State& state)
{
    Fixture<Store>& f = Fixture<Store>::get();
    if (!f.ready(state))
        return;
    const QString file = workDir() + QStringLiteral("/edited.ldb");
    QFile::remove(file);
    QFile::copy(f.file, file);
    Store store;
    if (store.LoadFromFile(file) != TavStatusCode::Ok || store.GetRecordCount() != BenchEnv::records()) {
        state.SkipWithError("the copied store did not load");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CTavDbPcRecord> copy =
            store.AllRecords()[(i++ * 7919) % store.GetRecordCount()]->Clone();
        copy->SetPrivate(!copy->GetIsPrivate());
        store.UpdateRecord(*copy);
        state.ResumeTiming();
        if (store.Write() != TavStatusCode::Ok)
            state.SkipWithError("write failed");
    }
}

// The outline's move of a task with its sub-items, then the save.
void BM_TodoMoveAndWrite(benchmark::State& state)
{
    Fixture<CTavDbTodo>& f = Fixture<CTavDbTodo>::get();
    if (!f.ready(state))
        return;
    const QString file = workDir() + QStringLiteral("/moved.ldb");
    QFile::remove(file);
    QFile::copy(f.file, file);
    CTavDbTodo store;
    store.LoadFromFile(file);
    const uint32_t id = store.GetTodoRecord(store.GetCount() / 2)->GetUniqueId();
    bool up = true;
    for (auto _ : state) {
        if ((up ? store.MoveUpward(id) : store.MoveDownward(id)) != TavStatusCode::Ok)
            up = !up;
        up = !up;
        if (store.Write() != TavStatusCode::Ok)
            state.SkipWithError("write failed");
    }
}

// The address list after loading: collation keys for every card, then the sorted view.
void BM_AddrFirstSort(benchmark::State& state)
{
    Fixture<CTavDbAddr>& f = Fixture<CTavDbAddr>::get();
    if (!f.ready(state))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CTavDbAddr>();
        store->LoadFromFile(f.file);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store->GetCount());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}

// Switching between the name and the company order, and pressing an index tab.
void BM_AddrResortAndTab(benchmark::State& state)
{
    if (!Fixture<CTavDbAddr>::get().ready(state))
        return;
    CTavDbAddr& store = Fixture<CTavDbAddr>::get().store;
    int round = 0;
    for (auto _ : state) {
        store.SetSortCond(round % 2 ? CTavDbSortCond(CTavDbAddr::kSortCompany, 1)
                                    : CTavDbSortCond(CTavDbAddr::kSortName, 2));
        store.SetSearchTabIndex(round++ % CTavDbAddrIndex::kTabCount);
        benchmark::DoNotOptimize(store.GetCount());
    }
}

void BM_AddrSearch(benchmark::State& state)
{
    if (!Fixture<CTavDbAddr>::get().ready(state))
        return;
    CTavDbAddr& store = Fixture<CTavDbAddr>::get().store;
    store.SetSearchTabIndex(CTavDbAddrIndex::kTabAll);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Search(QStringLiteral("ﾀｶﾊｼ")).size());
}

#define LUMORA_STORE_BENCHES(Store)                                                                          \
    BENCHMARK_TEMPLATE(BM_SqliteInsert, Store)->Unit(benchmark::kMillisecond)->UseRealTime();                \
    BENCHMARK_TEMPLATE(BM_StoreWrite, Store)->Unit(benchmark::kMillisecond)->UseRealTime();                  \
    BENCHMARK_TEMPLATE(BM_SqliteSelect, Store)->Unit(benchmark::kMillisecond)->UseRealTime();                \
    BENCHMARK_TEMPLATE(BM_StoreLoad, Store)->Unit(benchmark::kMillisecond)->UseRealTime();                   \
    BENCHMARK_TEMPLATE(BM_StoreWriteOneChange, Store)->Unit(benchmark::kMillisecond)->UseRealTime();

LUMORA_STORE_BENCHES(CTavDbDate)
LUMORA_STORE_BENCHES(CTavDbAddr)
LUMORA_STORE_BENCHES(CTavDbTodo)
LUMORA_STORE_BENCHES(CTavDbMemo)
BENCHMARK(BM_TodoMoveAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddrFirstSort)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddrResortAndTab)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddrSearch)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
