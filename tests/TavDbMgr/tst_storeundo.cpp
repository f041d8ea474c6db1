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

using namespace Qt::StringLiterals;
using namespace TavStatusCode;

namespace {
using Store = CTavDbStoreBase;
using Step = std::function<TavStatus(Store&)>;
using Open = std::unique_ptr<Store> (*)(const QString&);
const QDate kDay(2026, 3, 10);

// A new store, or, given a path, one loaded from its file as at start-up.
template <class T> std::unique_ptr<Store> open(const QString& path)
{
    auto store = std::make_unique<T>();
    return path.isEmpty() || store->LoadFromFile(path) == Ok ? std::move(store) : nullptr;
}

template <class T = CTavDbDateRecord> T& at(Store& s, int position)
{
    return static_cast<T&>(*s.AllRecords()[position]);
}

const auto idAt = [](Store& s, int position) { return s.AllRecords()[position]->GetUniqueId(); };

TavStatus run(QUndoStack& stack, Store& s, const Step& step, CTavStoreCommand::Refresh refresh = {})
{
    return CTavStoreCommand::Run(
        stack, s, u"編集"_s, [&] { return step(s); }, refresh);
}

uint32_t addMemo(Store& s, const QString& text, uint32_t category = 0)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    return s.AddRecord(r) == Ok ? r.GetUniqueId() : 0;
}

// Everything an undo must restore, records in store order.
QStringList describe(const Store& s)
{
    const auto fields = [](const auto&... v) {
        return (QStringList() << ... << (u' ' + QVariant::fromValue(v).toString())).join(QString());
    };
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
    CTavDbDateDayRecord info;
    if (const auto* d = dynamic_cast<const CTavDbDate*>(&s))
        out << fields(d->GetDayInfo(u"20260105"_s, info) == Ok);
    return out;
}

void memos(Store& s)
{
    s.AddCategory(u"仕事"_s); // id 1, which the category editor row renames and deletes
    for (int i = 0; i < 6; ++i)
        addMemo(s, u"メモ%1"_s.arg(i), i % 2);
}

using Scenario = std::tuple<Open, std::function<void(Store&)>, QList<Step>>;
} // namespace

class TestStoreUndo : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(kDay, QTime(9, 30))); }
    void cleanup() { CTavDbClock::Release(); }

    void undoesAndRedoesEveryStep_data()
    {
        const auto events = [](Store& s) {
            const QDate days[] = {QDate(2025, 12, 1), kDay.addDays(-3), kDay};
            for (int i = 0; i < 3; ++i) {
                CTavDbDateRecord e;
                e.SetDesc(QStringList{u"古い会議"_s, u"朝会"_s, u"打合せ"_s}[i]);
                e.SetStartTime(CTavDbTime::fromDateAndTime(days[i], QTime(i == 2 ? 13 : 9, 0)));
                e.SetEndTime(e.GetStartTime() + 3600);
                e.SetMyBrand(i == 1 ? CTavDbDateRecord::RepeatDaily : CTavDbDateRecord::RepeatNone);
                s.AddRecord(e);
            }
            CTavDbDateDayRecord info;
            info.SetDate(QDate(2026, 1, 5));
            info.SetSheetName(u"休日"_s);
            static_cast<CTavDbDate&>(s).AddDayInfo(info);
        };
        const auto shift = [](int position, int seconds) {
            return [=](Store& s) {
                CTavDbDateRecord e = at(s, position);
                e.SetStartTime(e.GetStartTime() + seconds);
                e.SetEndTime(e.GetEndTime() + 2 * seconds);
                return s.UpdateRecord(e);
            };
        };
        // Repeat scopes as the schedule applies them: a new event, the old one cut around it.
        const auto split = [](bool future) {
            return [=](Store& s) {
                CTavDbDateRecord old = at(s, 1), added = old;
                added.SetStartTime(CTavDbTime::fromDateAndTime(kDay, QTime(15, 0)));
                added.SetEndTime(added.GetStartTime() + 1800);
                added.SetMyBrand(future ? old.GetMyBrand() : int(CTavDbDateRecord::RepeatNone));
                future ? old.SetEndDate(CTavDbTime::fromDateAndTime(kDay.addDays(-1), QTime(23, 59, 59)))
                       : void(old.AddException(kDay));
                return s.AddRecord(added) == Ok ? s.UpdateRecord(old) : Refused;
            };
        };
        // As the schedule deletes one occurrence: on the stored event itself.
        const Step inPlace = [](Store& s) {
            s.Touch(idAt(s, 1));
            return at(s, 1).AddException(kDay.addDays(1)) ? s.UpdateRecord(at(s, 1)) : Failed;
        };
        const Step discard = [](Store& s) {
            return static_cast<CTavDbDate&>(s).DeletePastRecords(u"20260301"_s, 2026, 9, 3, false);
        };
        const auto remove = [](int position, bool archive) {
            return [=](Store& s) { return s.DeleteRecord(idAt(s, position), archive); };
        };
        const QList<Step> deletes = {remove(1, true), remove(3, false), remove(0, false)};
        const Step paste = [](Store& s) {
            for (int i = 0; i < 60; ++i)
                if (!addMemo(s, u"貼り付け%1"_s.arg(i), 1))
                    return RecordLimit;
            return Ok;
        };
        const auto refile = [](Store& s, int position, uint32_t category) {
            auto m = at<CTavDbMemoRecord>(s, position);
            m.SetCategoryID(category);
            return s.UpdateRecord(m);
        };
        const Step recategorise = [=](Store& s) {
            TavStatus status = Ok;
            for (int i = 6; i < 66; i += 3)
                status |= refile(s, i, 0);
            return status;
        };
        const QList<Step> categoryEditor = {
            [](Store& s) { return s.AddCategory(u"趣味"_s); },
            [](Store& s) { return s.RenameCategory(1, u"取引先"_s); },
            [](Store& s) { return s.DeleteCategory(s.FindCategoryByName(u"仕事"_s)->GetID(), false, false); },
            [=](Store& s) { return refile(s, 0, 1) == Ok ? s.DeleteCategory(1, true, true) : Failed; }};
        const Step import = [](Store& s) {
            CTavDbMemo source;
            QList<uint32_t> ids;
            for (int i = 0; i < 40; ++i)
                ids << addMemo(source, u"取込%1"_s.arg(i), i % 3);
            source.ExportCsvFile(s.GetFilePath() + u".csv"_s, ids);
            return static_cast<CTavDbMemo&>(s).ImportCsvFile(s.GetFilePath() + u".csv"_s);
        };
        const auto todos = [](Store& s) {
            for (int i = 0; i < 5; ++i) {
                CTavDbTodoRecord t;
                t.SetDesc(u"作業%1"_s.arg(i));
                t.SetIndentLevel(i % 2);
                static_cast<CTavDbTodo&>(s).AddRecordAfter(t, i ? idAt(s, i - 1) : 0);
            }
        };
        const Step moveDown = [](Store& s) { return static_cast<CTavDbTodo&>(s).MoveDownward(idAt(s, 0)); };
        const Open date = open<CTavDbDate>, memo = open<CTavDbMemo>;

        QTest::addColumn<Scenario>("scenario");
        QTest::newRow("moved; repeat for all") << Scenario{date, events, {shift(2, 7200), shift(1, -600)}};
        QTest::newRow("repeat: this and future") << Scenario{date, events, {split(true)}};
        QTest::newRow("this occurrence, then in place") << Scenario{date, events, {split(false), inPlace}};
        QTest::newRow("discard old events and day sheets") << Scenario{date, events, {discard}};
        QTest::newRow("delete, archived or not") << Scenario{memo, memos, deletes};
        QTest::newRow("paste of many, then recategorised") << Scenario{memo, memos, {paste, recategorise}};
        QTest::newRow("category add, rename, delete both ways") << Scenario{memo, memos, categoryEditor};
        QTest::newRow("import of a CSV file") << Scenario{memo, memos, {import}};
        QTest::newRow("to-do outline") << Scenario{open<CTavDbTodo>, todos, {moveDown, remove(2, false)}};
    }

    // The steps undone, then redone: the store and the file read back are as before, then as after.
    void undoesAndRedoesEveryStep()
    {
        QFETCH(Scenario, scenario);
        const auto& [make, setup, steps] = scenario;
        TestDataDir dir;
        const QString path = dir.filePath(u"store.ldb"_s);
        std::unique_ptr<Store> store = make({});
        setup(*store);
        QCOMPARE(store->WriteToFile(path), Ok);
        QVERIFY((store = make(path)));
        const QStringList start = describe(*store);
        QUndoStack stack;
        int refreshed = 0;
        for (const Step& step : steps)
            QCOMPARE(run(stack, *store, step, [&] { ++refreshed; }), Ok);
        const QStringList edited = describe(*store);
        QVERIFY(edited != start);
        QCOMPARE(store->Write(), Ok);

        for (const bool forward : {false, true}) {
            for (int i = 0; i < steps.size(); ++i)
                forward ? stack.redo() : stack.undo();
            const QStringList& want = forward ? edited : start;
            QVERIFY(store->IsModified());
            QCOMPARE(describe(*store), want);
            QCOMPARE(store->Write(), Ok);
            const std::unique_ptr<Store> reread = make(path);
            QCOMPARE(reread ? describe(*reread) : QStringList(), want);
        }
        QCOMPARE(refreshed, 2 * steps.size());
    }

    // What must never reach the stack, and what another writer's changes do to it.
    void guardsTheHistory()
    {
        TestDataDir dir;
        const QString path = dir.filePath(u"memo.ldb"_s);
        CTavDbMemo seed;
        memos(seed);
        QCOMPARE(seed.WriteToFile(path), Ok);
        std::unique_ptr<Store> store = open<CTavDbMemo>(path);
        const QStringList start = describe(*store);
        QUndoStack stack;
        const auto perform = [&](const Step& step) { return run(stack, *store, step); };

        // A failed paste leaves nothing behind; an edit that changes nothing is not recorded.
        const Step failedPaste = [](Store& s) {
            addMemo(s, u"途中"_s);
            return s.DeleteRecord(idAt(s, 0), false) == Ok ? RecordLimit : Failed;
        };
        QCOMPARE(perform(failedPaste), RecordLimit);
        QCOMPARE(describe(*store), start);
        QCOMPARE(perform([](Store& s) { return s.UpdateRecord(*s.AllRecords()[1]->Clone()); }), Ok);
        QCOMPARE(stack.count(), 0);

        // An undone record's id is never given to another one, not even after a reload.
        uint32_t undone = 0;
        QCOMPARE(perform([&](Store& s) { return (undone = addMemo(s, u"新規"_s)) ? Ok : Refused; }), Ok);
        stack.undo();
        QCOMPARE(store->Write(), Ok);
        store = open<CTavDbMemo>(path);
        QVERIFY(addMemo(*store, u"次"_s) > undone);
        stack.clear();

        // A stored record edited in place without being named: the history is dropped.
        const Step unnamed = [](Store& s) {
            auto& stored = at<CTavDbMemoRecord>(s, 0);
            stored.SetMemo(u"直接"_s);
            return s.UpdateRecord(stored);
        };
        QCOMPARE(perform([](Store& s) { return s.DeleteRecord(idAt(s, 0), false); }), Ok);
        QCOMPARE(perform(unnamed), Ok);
        QCOMPARE(stack.count(), 0);

        // Another writer's changes come in at the write: the older steps turn obsolete, and
        // the undo of a write-back delete merges with what the other writer added.
        QCOMPARE(store->Write(), Ok);
        const uint32_t deleted = idAt(*store, 1);
        QCOMPARE(perform([](Store& s) { return s.DeleteRecord(idAt(s, 1), false); }), Ok);
        QCOMPARE(store->Write(), Ok);
        std::unique_ptr<Store> other = open<CTavDbMemo>(path);
        const uint32_t theirs = addMemo(*other, u"他の書き手"_s);
        QCOMPARE(other->Write(), Ok);
        stack.undo();
        QCOMPARE(store->Write(), Ok);
        QVERIFY(store->LastWriteMerged());
        const std::unique_ptr<Store> merged = open<CTavDbMemo>(path);
        QVERIFY(merged->FindRecord(deleted) && merged->FindRecord(theirs));
        stack.redo();
        QCOMPARE(stack.count(), 0);
        QCOMPARE(describe(*store), describe(*merged));
    }
};

QTEST_GUILESS_MAIN(TestStoreUndo)
#include "tst_storeundo.moc"
