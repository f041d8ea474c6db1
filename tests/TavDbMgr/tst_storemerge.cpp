#include <QFile>
#include <QTest>

#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "TestDataDir.h"

namespace {
uint32_t add(CTavDbMemo& store, const QString& text, uint32_t category = 0)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    return store.AddRecord(r) == TavStatusCode::Ok ? r.GetUniqueId() : 0;
}

void edit(CTavDbMemo& store, uint32_t id, const QString& text)
{
    auto* found = static_cast<CTavDbMemoRecord*>(store.FindRecord(id));
    QVERIFY(found);
    CTavDbMemoRecord r = *found;
    r.SetMemo(text);
    QCOMPARE(store.UpdateRecord(r), TavStatusCode::Ok);
}

// Every memo as id -> "text/category", and under 0 (no record's id) the category names; empty
// when an id is there twice.
QMap<uint32_t, QString> texts(const CTavDbMemo& store)
{
    QStringList names;
    for (const CTavDbCategory& c : store.GetCategories())
        names << c.GetName();
    QMap<uint32_t, QString> all{{0, names.join(u',')}};
    for (const auto& rec : store.AllRecords()) {
        const CTavDbCategory* c = store.FindCategoryById(rec->GetCategoryID());
        all.insert(rec->GetUniqueId(), static_cast<CTavDbMemoRecord*>(rec.get())->GetMemo() + u'/' +
                                           (c ? c->GetName() : QString()));
    }
    return static_cast<int>(store.AllRecords().size()) + 1 == all.size() ? all : QMap<uint32_t, QString>{};
}

QMap<uint32_t, QString> onDisk(const QString& path)
{
    CTavDbMemo store;
    return store.LoadFromFile(path) == TavStatusCode::Ok ? texts(store) : QMap<uint32_t, QString>{};
}

// Two stores on one file stand for two writers (the program and a command-line tool): B was
// loaded before the file existed, A made it.
struct Writers
{
    Writers()
    {
        users.AddUser(QStringLiteral("Taro"));
        users.SetCurrUserName(QStringLiteral("Taro"));
        for (CTavDbMemo* store : {&a, &b}) {
            store->AttachUsers(&users);
            store->Load();
        }
        a.Write();
    }
    TestDataDir dir;
    CTavDbUser users;
    CTavDbMemo a, b;
};
} // namespace

class TestStoreMerge : public QObject
{
    Q_OBJECT

private slots:
    void bothWritersChangesSurvive()
    {
        Writers w;
        const QString path = w.a.GetFilePath();
        QList<uint32_t> ids;
        for (int i = 0; i < 5; ++i)
            ids << add(w.a, QStringLiteral("元%1").arg(i));
        QCOMPARE(w.a.Write(), TavStatusCode::Ok);
        uint32_t hobby = 0, tripB = 0, books = 0, tripA = 0;
        QCOMPARE(w.a.AddCategory(QStringLiteral("読書"), &books), TavStatusCode::Ok);
        QCOMPARE(w.a.AddCategory(QStringLiteral("旅行"), &tripA), TavStatusCode::Ok);
        QCOMPARE(w.a.RenameCategory(1, QStringLiteral("仕事")), TavStatusCode::Ok);

        // B saves, then removes, a memo with the id A's new memo has in memory: still used up.
        const uint32_t first = add(w.a, QStringLiteral("Aの追加"), books);
        QCOMPARE(add(w.b, QStringLiteral("Bの一時")), first);
        QCOMPARE(w.b.Write(), TavStatusCode::Ok);
        QCOMPARE(w.b.DeleteRecord(first, false), TavStatusCode::Ok);
        QCOMPARE(w.b.AddCategory(QStringLiteral("趣味"), &hobby), TavStatusCode::Ok);
        QCOMPARE(hobby, books); // the same id for another category
        QCOMPARE(w.b.AddCategory(QStringLiteral("旅行"), &tripB), TavStatusCode::Ok);
        QCOMPARE(w.b.RenameCategory(1, QStringLiteral("会社")), TavStatusCode::Ok);
        QCOMPARE(w.b.DeleteCategory(2, false, false), TavStatusCode::Ok);
        const uint32_t theirs = add(w.b, QStringLiteral("Bの追加"), tripB);
        edit(w.b, ids[0], QStringLiteral("Bの編集0"));
        edit(w.b, ids[1], QStringLiteral("Bの編集1"));
        QCOMPARE(w.b.DeleteRecord(ids[2], false), TavStatusCode::Ok);
        QCOMPARE(w.b.Write(), TavStatusCode::Ok);
        QVERIFY(TestDataDir::DateAhead(path));

        const uint32_t second = add(w.a, QStringLiteral("Aの次"), tripA); // above B's ids already
        const uint32_t personal = add(w.a, QStringLiteral("Aの私用"), 2);
        edit(w.a, ids[0], QStringLiteral("Aの編集0"));
        CTavDbPcRecord* editing = w.a.FindRecord(ids[0]);
        QCOMPARE(w.a.DeleteRecord(ids[3], false), TavStatusCode::Ok);
        QCOMPARE(w.a.Write(), TavStatusCode::Ok);
        QVERIFY(w.a.LastWriteMerged());

        QMap<uint32_t, QString> memos = onDisk(path);
        const uint32_t moved = memos.key(QStringLiteral("Aの追加/読書"));
        QVERIFY(moved > second);
        // Both edited the first memo: A saved last. B deleted the category of A's private memo.
        QCOMPARE(memos, (QMap<uint32_t, QString>{{0, "未分類,仕事,読書,趣味,旅行"},
                                                 {ids[0], "Aの編集0/未分類"},
                                                 {ids[1], "Bの編集1/未分類"},
                                                 {ids[4], "元4/未分類"},
                                                 {theirs, "Bの追加/旅行"},
                                                 {second, "Aの次/旅行"},
                                                 {personal, "Aの私用/未分類"},
                                                 {moved, "Aの追加/読書"}}));
        QCOMPARE(texts(w.a), memos);
        QCOMPARE(w.a.FindRecord(ids[0]), editing); // the record being edited stays the same object
        QVERIFY(!w.a.IsModified());
        QCOMPARE(add(w.a, QStringLiteral("次")), moved + 1);

        // B saves again over A's merge, and A after it: nothing of either is lost.
        edit(w.b, theirs, QStringLiteral("Bの再編集"));
        QCOMPARE(w.b.Write(), TavStatusCode::Ok);
        QCOMPARE(w.a.Write(), TavStatusCode::Ok);
        memos.insert(moved + 1, QStringLiteral("次/未分類"));
        memos.insert(theirs, QStringLiteral("Bの再編集/旅行"));
        QCOMPARE(onDisk(path), memos);
    }

    // Changes that cannot be merged save nothing; the store keeps them for a later try.
    void conflictsSaveNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("both name a category alike") << 0;
        QTest::newRow("category table full") << 1;
        QTest::newRow("file damaged") << 2;
        QTest::newRow("file replaced by another kind") << 3;
        QTest::newRow("both together over the record limit") << 4;
    }

    void conflictsSaveNothing()
    {
        QFETCH(int, kind);
        Writers w;
        const QString path = w.a.GetFilePath();
        for (int i = 0; kind <= 1 && i < (kind == 0 ? 1 : 13); ++i)
            QCOMPARE(w.b.AddCategory(QStringLiteral("分類%1").arg(i)), TavStatusCode::Ok);
        QCOMPARE(w.b.Write(), TavStatusCode::Ok);
        QFile f(path);
        if (kind == 2)
            QVERIFY(f.open(QIODevice::ReadWrite) && f.write("garbage!") == 8);
        f.close();
        if (kind == 3)
            QCOMPARE(CTavDbAddr().WriteToFile(path), TavStatusCode::Ok);
        for (int i = 0; kind == 4 && i < CTavDbMemo::kMaxRecords; ++i)
            add(w.b, QStringLiteral("B"));
        if (kind == 4)
            QCOMPARE(w.b.Write(), TavStatusCode::Ok);
        if (kind == 0)
            QCOMPARE(w.a.RenameCategory(1, QStringLiteral("分類0")), TavStatusCode::Ok);
        QCOMPARE(w.a.AddCategory(QStringLiteral("新規")), TavStatusCode::Ok);
        const uint32_t mine = add(w.a, QStringLiteral("残る"));
        const QByteArray before = TestDataDir::ReadFile(path);
        QCOMPARE(w.a.Write(), kind == 4 ? TavStatusCode::RecordLimit : TavStatusCode::Conflict);
        QCOMPARE(TestDataDir::ReadFile(path), before);
        QVERIFY(w.a.IsModified());
        if (kind == 4) // merged in memory, for the user to delete some
            QCOMPARE(w.a.AllRecords().size(), size_t(CTavDbMemo::kMaxRecords + 1));
        else
            QVERIFY(!w.a.FindRecord(mine)->IsDeleted());
        if (kind == 0) {
            QCOMPARE(w.a.RenameCategory(1, QStringLiteral("別名")), TavStatusCode::Ok);
            QCOMPARE(w.a.Write(), TavStatusCode::Ok);
            QCOMPARE(onDisk(path), (QMap<uint32_t, QString>{{0, "未分類,別名,パーソナル,分類0,新規"},
                                                            {mine, "残る/未分類"}}));
        }
    }

    // The derived stores' own tables (the address book's labels, the schedule's day, week and
    // month records) are joined entry by entry: each writer's changes survive the other's save.
    void ownTablesMergedByEntry()
    {
        TestDataDir dir;
        const QString addrPath = dir.filePath("addr.ldb"), datePath = dir.filePath("date.ldb");
        QCOMPARE(CTavDbAddr().WriteToFile(addrPath), TavStatusCode::Ok);
        CTavDbAddr mine, other;
        QCOMPARE(mine.LoadFromFile(addrPath), TavStatusCode::Ok);
        QCOMPARE(other.LoadFromFile(addrPath), TavStatusCode::Ok);
        QStringList labels = mine.GetCustomLabels();
        labels[0] = QStringLiteral("記念日");
        QCOMPARE(mine.SetCustomLabels(labels), TavStatusCode::Ok);
        QStringList theirs = other.GetCustomLabels();
        theirs[1] = QStringLiteral("趣味");
        QCOMPARE(other.SetCustomLabels(theirs), TavStatusCode::Ok);
        QCOMPARE(other.Write(), TavStatusCode::Ok);
        QCOMPARE(mine.Write(), TavStatusCode::Ok);
        labels[1] = theirs[1];
        QCOMPARE(mine.GetCustomLabels(), labels);
        QCOMPARE(other.LoadFromFile(addrPath), TavStatusCode::Ok);
        QCOMPARE(other.GetCustomLabels(), labels);

        const auto day = [](int d, const QString& sheet) {
            CTavDbDateDayRecord r(QDate(2026, 5, d));
            r.SetSheetName(sheet);
            return r;
        };
        CTavDbDate a, b;
        QCOMPARE(a.AddDayInfo(day(1, "残す")), TavStatusCode::Ok);
        QCOMPARE(a.AddDayInfo(day(2, "消す")), TavStatusCode::Ok);
        QCOMPARE(a.WriteToFile(datePath), TavStatusCode::Ok);
        for (CTavDbDate* store : {&a, &b})
            QCOMPARE(store->LoadFromFile(datePath), TavStatusCode::Ok);
        QCOMPARE(b.AddWeekInfo(CTavDbDateWeekRecord(2026, 19)), TavStatusCode::Ok);
        QCOMPARE(b.UpdateDayInfo(day(1, "Bの変更")), TavStatusCode::Ok);
        QCOMPARE(b.Write(), TavStatusCode::Ok);
        QCOMPARE(a.DeleteDayInfo("20260502"), TavStatusCode::Ok);
        QCOMPARE(a.AddMonthInfo(CTavDbDateMonthRecord(2026, 5)), TavStatusCode::Ok);
        QCOMPARE(a.Write(), TavStatusCode::Ok);
        for (CTavDbDate* store : {&a, &b}) {
            QCOMPARE(store->LoadFromFile(datePath), TavStatusCode::Ok);
            QCOMPARE(store->InfoSheetNames(), QStringList{"Bの変更"});
            CTavDbDateWeekRecord week;
            CTavDbDateMonthRecord month;
            QCOMPARE(store->GetWeekInfo(2026, 19, week), TavStatusCode::Ok);
            QCOMPARE(store->GetMonthInfo(2026, 5, month), TavStatusCode::Ok);
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreMerge)
#include "tst_storemerge.moc"
