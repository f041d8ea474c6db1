#include <QFile>
#include <QTest>
#include <QUndoStack>
#include <QVariant>
#include <functional>

#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CTavStoreCommand.h"
#include "TestDataDir.h"

namespace {
using Store = CTavDbStoreBase;
using Step = std::function<TavStatus(Store&)>;
const QDate kDay(2026, 3, 10);

using Make = std::unique_ptr<Store> (*)();
template <class T> std::unique_ptr<Store> make()
{
    return std::make_unique<T>();
}

template <class T> T& as(Store& s)
{
    return static_cast<T&>(s);
}

uint32_t addMemo(Store& s, const QString& text, uint32_t category = 0)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    return s.AddRecord(r) == TavStatusCode::Ok ? r.GetUniqueId() : 0;
}

uint32_t addEvent(Store& s, const QString& desc, const QDate& day, int hour, int repeat = 0)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(CTavDbTime::fromDateAndTime(day, QTime(hour, 0)));
    r.SetEndTime(r.GetStartTime() + 3600);
    r.SetMyBrand(repeat);
    return s.AddRecord(r) == TavStatusCode::Ok ? r.GetUniqueId() : 0;
}

template <class T = CTavDbDateRecord> T copyAt(Store& s, int position)
{
    return static_cast<const T&>(*s.AllRecords()[position]);
}

uint32_t idAt(const Store& s, int position)
{
    return s.AllRecords()[position]->GetUniqueId();
}

template <class... T> QString fields(const T&... v)
{
    return (QStringList() << ... << (u' ' + QVariant::fromValue(v).toString())).join(QString());
}

// The store as the user would check it: categories, and every record in store order with
// its id, attributes, category and fields (creation and update times of memos too).
QStringList describe(const Store& s)
{
    QStringList out;
    for (const CTavDbCategory& c : s.GetCategories())
        out << fields(c.GetID(), c.GetIndex(), c.GetName());
    for (const auto& r : s.AllRecords()) {
        out << fields(r->GetUniqueId(), int(r->GetAttributes()), r->GetCategoryID());
        if (const auto* e = dynamic_cast<const CTavDbDateRecord*>(r.get()))
            out.last() += fields(e->GetDesc(), e->GetStartTime(), e->GetEndTime(), e->GetMyBrand(),
                                 e->GetEndDate(), e->GetExceptions().size());
        if (const auto* t = dynamic_cast<const CTavDbTodoRecord*>(r.get()))
            out.last() += fields(t->GetDesc(), t->GetIndentLevel());
        if (const auto* m = dynamic_cast<const CTavDbMemoRecord*>(r.get()))
            out.last() += fields(m->GetMemo(), m->GetCreateDateTime(), m->GetUpdateDateTime());
    }
    if (const auto* d = dynamic_cast<const CTavDbDate*>(&s)) {
        CTavDbDateDayRecord info;
        out << fields(d->GetDayInfo(QStringLiteral("20260105"), info) == TavStatusCode::Ok);
    }
    return out;
}

struct Scenario
{
    Make make;
    std::function<void(Store&)> setup;
    QList<Step> steps;
};

QMap<QString, Scenario> scenarios()
{
    const auto memos = [](Store& s) {
        uint32_t work = 0;
        s.AddCategory(QStringLiteral("仕事"), &work);
        for (int i = 0; i < 6; ++i)
            addMemo(s, QStringLiteral("メモ%1").arg(i), i % 2 ? work : 0);
    };
    const auto events = [](Store& s) {
        addEvent(s, QStringLiteral("古い会議"), QDate(2025, 12, 1), 9);
        addEvent(s, QStringLiteral("朝会"), kDay.addDays(-3), 9, CTavDbDateRecord::RepeatDaily);
        addEvent(s, QStringLiteral("打合せ"), kDay, 13);
        CTavDbDateDayRecord info;
        info.SetDate(QDate(2026, 1, 5));
        info.SetSheetName(QStringLiteral("休日"));
        as<CTavDbDate>(s).AddDayInfo(info);
    };
    // The repeat scopes as the schedule applies them: a new event for the moved occurrences,
    // and the old event cut around them.
    const auto split = [](bool future) {
        return [future](Store& s) {
            CTavDbDateRecord old = copyAt(s, 1);
            CTavDbDateRecord added = old;
            added.SetStartTime(CTavDbTime::fromDateAndTime(kDay, QTime(15, 0)));
            added.SetEndTime(added.GetStartTime() + 1800);
            if (!future)
                added.SetMyBrand(CTavDbDateRecord::RepeatNone);
            if (s.AddRecord(added) != TavStatusCode::Ok)
                return TavStatusCode::Refused;
            if (future)
                old.SetEndDate(CTavDbTime::fromDateAndTime(kDay.addDays(-1), QTime(23, 59, 59)));
            else
                old.AddException(kDay);
            return s.UpdateRecord(old);
        };
    };
    QMap<QString, Scenario> all;
    // Moved or resized: the event, or a repeating one for all its occurrences.
    const auto shift = [](int position, int seconds) {
        return [position, seconds](Store& s) {
            CTavDbDateRecord e = copyAt(s, position);
            e.SetStartTime(e.GetStartTime() + seconds);
            e.SetEndTime(e.GetEndTime() + 2 * seconds);
            return s.UpdateRecord(e);
        };
    };
    all["event moved; repeating one changed for all"] = {
        make<CTavDbDate>, events, {shift(2, 7200), shift(1, -600)}};
    all["repeat: this and future"] = {make<CTavDbDate>, events, {split(true)}};
    all["repeat: this occurrence, then one deleted in place"] = {
        make<CTavDbDate>, events, {split(false), [](Store& s) {
                                       // As the schedule deletes one occurrence: on the stored event.
                                       s.Touch(idAt(s, 1));
                                       auto* stored = static_cast<CTavDbDateRecord*>(s.AllRecords()[1].get());
                                       stored->AddException(kDay.addDays(1));
                                       return s.UpdateRecord(*stored);
                                   }}};
    all["discard old events and day sheets"] = {make<CTavDbDate>, events, {[](Store& s) {
                                                    return as<CTavDbDate>(s).DeletePastRecords(
                                                        QStringLiteral("20260301"), 2026, 9, 3, false);
                                                }}};
    all["delete with and without archive"] = {make<CTavDbMemo>,
                                              memos,
                                              {[](Store& s) { return s.DeleteRecord(idAt(s, 1), true); },
                                               [](Store& s) { return s.DeleteRecord(idAt(s, 3), false); },
                                               [](Store& s) { return s.DeleteRecord(idAt(s, 0), false); }}};
    all["paste of many memos, then their category changed"] = {
        make<CTavDbMemo>,
        memos,
        {[](Store& s) {
             for (int i = 0; i < 60; ++i)
                 if (!addMemo(s, QStringLiteral("貼り付け%1").arg(i), 1))
                     return TavStatusCode::RecordLimit;
             return TavStatusCode::Ok;
         },
         [](Store& s) {
             for (int i = 6; i < 66; i += 3) {
                 auto m = copyAt<CTavDbMemoRecord>(s, i);
                 m.SetCategoryID(0);
                 if (s.UpdateRecord(m) != TavStatusCode::Ok)
                     return TavStatusCode::NotFound;
             }
             return TavStatusCode::Ok;
         }}};
    all["category editor: add, rename, delete to unfiled, delete with records"] = {
        make<CTavDbMemo>,
        memos,
        {[](Store& s) { return s.AddCategory(QStringLiteral("趣味")); },
         [](Store& s) { return s.RenameCategory(1, QStringLiteral("取引先")); },
         [](Store& s) {
             return s.DeleteCategory(s.FindCategoryByName(QStringLiteral("仕事"))->GetID(), false, false);
         },
         [](Store& s) {
             auto m = copyAt<CTavDbMemoRecord>(s, 0);
             m.SetCategoryID(1);
             s.UpdateRecord(m);
             return s.DeleteCategory(1, true, true);
         }}};
    all["import of a CSV file"] = {make<CTavDbMemo>, memos, {[](Store& s) {
                                       CTavDbMemo source;
                                       QList<uint32_t> ids;
                                       for (int i = 0; i < 40; ++i)
                                           ids << addMemo(source, QStringLiteral("取込%1").arg(i), i % 3);
                                       const QString csv = s.GetFilePath() + QStringLiteral(".csv");
                                       source.ExportCsvFile(csv, ids);
                                       return as<CTavDbMemo>(s).ImportCsvFile(csv);
                                   }}};
    all["to-do outline: block moved, parent deleted alone"] = {
        make<CTavDbTodo>,
        [](Store& s) {
            for (int i = 0; i < 5; ++i) {
                CTavDbTodoRecord t;
                t.SetDesc(QStringLiteral("作業%1").arg(i));
                t.SetIndentLevel(i % 2);
                as<CTavDbTodo>(s).AddRecordAfter(t, s.GetRecordCount() ? idAt(s, s.GetRecordCount() - 1) : 0);
            }
        },
        {[](Store& s) { return as<CTavDbTodo>(s).MoveDownward(idAt(s, 0)); },
         [](Store& s) {
             return as<CTavDbTodo>(s).DeleteRecord(idAt(s, 2), CTavDbTodo::DeleteAlone, false);
         }}};
    return all;
}

// The store in a file of its own, as loaded at start-up.
std::unique_ptr<Store> loaded(Make make, const QString& path)
{
    std::unique_ptr<Store> store = make();
    return store->LoadFromFile(path) == TavStatusCode::Ok ? std::move(store) : nullptr;
}
} // namespace

class TestStoreUndo : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(kDay, QTime(9, 30))); }
    void cleanup() { CTavDbClock::Release(); }

    void undoesAndRedoesEveryStep_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : scenarios().keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    // N steps, a write, N undos and N redos: the store, and the file read back, are the start
    // and then the edited state again.
    void undoesAndRedoesEveryStep()
    {
        QFETCH(QString, name);
        const Scenario scenario = scenarios().value(name);
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("store.ldb"));
        {
            std::unique_ptr<Store> seed = scenario.make();
            scenario.setup(*seed);
            QCOMPARE(seed->WriteToFile(path), TavStatusCode::Ok);
        }
        std::unique_ptr<Store> store = loaded(scenario.make, path);
        QVERIFY(store);
        const QStringList start = describe(*store);
        QUndoStack stack;
        int refreshed = 0;
        for (const Step& step : scenario.steps)
            QCOMPARE(CTavStoreCommand::Run(
                         stack, *store, QStringLiteral("編集"), [&] { return step(*store); },
                         [&] { ++refreshed; }),
                     TavStatusCode::Ok);
        QCOMPARE(stack.count(), scenario.steps.size());
        const QStringList edited = describe(*store);
        QVERIFY(edited != start);
        QCOMPARE(store->Write(), TavStatusCode::Ok);

        for (const bool forward : {false, true}) {
            for (int i = 0; i < scenario.steps.size(); ++i)
                forward ? stack.redo() : stack.undo();
            const QStringList& want = forward ? edited : start;
            QVERIFY(store->IsModified());
            QCOMPARE(describe(*store), want);
            QCOMPARE(store->Write(), TavStatusCode::Ok);
            const std::unique_ptr<Store> reread = loaded(scenario.make, path);
            QVERIFY(reread);
            QCOMPARE(describe(*reread), want);
        }
        QCOMPARE(refreshed, 2 * scenario.steps.size());
    }

    // What must never reach the stack: failed edits, edits that change nothing, edits the
    // store could not record, and steps that no longer fit after another writer's changes.
    void guardsTheHistory()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("memo.ldb"));
        CTavDbMemo seed;
        for (int i = 0; i < 3; ++i)
            addMemo(seed, QStringLiteral("メモ%1").arg(i));
        QCOMPARE(seed.WriteToFile(path), TavStatusCode::Ok);
        std::unique_ptr<Store> store = loaded(make<CTavDbMemo>, path);
        const QStringList start = describe(*store);
        QUndoStack stack;
        const auto run = [&](const Step& step) {
            return CTavStoreCommand::Run(stack, *store, QStringLiteral("編集"), [&] { return step(*store); });
        };

        // A failed paste leaves nothing behind.
        QCOMPARE(run([](Store& s) {
                     addMemo(s, QStringLiteral("途中"));
                     s.DeleteRecord(idAt(s, 0), false);
                     return TavStatusCode::RecordLimit;
                 }),
                 TavStatusCode::RecordLimit);
        QCOMPARE(describe(*store), start);
        QCOMPARE(run([](Store& s) { return s.UpdateRecord(copyAt<CTavDbMemoRecord>(s, 1)); }),
                 TavStatusCode::Ok);
        QCOMPARE(stack.count(), 0); // nothing changed

        // An undone record's id is never given to another one, not even after a reload.
        uint32_t undoneId = 0;
        run([&](Store& s) {
            return (undoneId = addMemo(s, QStringLiteral("新規"))) ? TavStatusCode::Ok
                                                                   : TavStatusCode::Refused;
        });
        stack.undo();
        QCOMPARE(store->Write(), TavStatusCode::Ok);
        store = loaded(make<CTavDbMemo>, path);
        QVERIFY(undoneId && addMemo(*store, QStringLiteral("次")) > undoneId);
        stack.clear();

        // A stored record edited in place without being named: the history is dropped.
        QCOMPARE(run([](Store& s) { return s.DeleteRecord(idAt(s, 0), false); }), TavStatusCode::Ok);
        QCOMPARE(run([](Store& s) {
                     auto* stored = static_cast<CTavDbMemoRecord*>(s.AllRecords()[0].get());
                     stored->SetMemo(QStringLiteral("直接"));
                     return s.UpdateRecord(*stored);
                 }),
                 TavStatusCode::Ok);
        QCOMPARE(stack.count(), 0);

        // Another writer's changes come in at the write: the older steps turn obsolete, and
        // the undo of a write-back delete merges with what the other writer added.
        QCOMPARE(store->Write(), TavStatusCode::Ok);
        const uint32_t deleted = idAt(*store, 1);
        QCOMPARE(run([](Store& s) { return s.DeleteRecord(idAt(s, 1), false); }), TavStatusCode::Ok);
        QCOMPARE(store->Write(), TavStatusCode::Ok);
        std::unique_ptr<Store> other = loaded(make<CTavDbMemo>, path);
        const uint32_t theirs = addMemo(*other, QStringLiteral("他の書き手"));
        QCOMPARE(other->Write(), TavStatusCode::Ok);
        stack.undo();
        QCOMPARE(store->Write(), TavStatusCode::Ok);
        QVERIFY(store->LastWriteMerged());
        const std::unique_ptr<Store> merged = loaded(make<CTavDbMemo>, path);
        QVERIFY(merged->FindRecord(deleted) && merged->FindRecord(theirs));
        stack.redo();
        QCOMPARE(stack.count(), 0);
        QCOMPARE(describe(*store), describe(*merged));
    }
};

QTEST_GUILESS_MAIN(TestStoreUndo)
#include "tst_storeundo.moc"
