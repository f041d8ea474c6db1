#include <QFile>
#include <QSet>
#include <QTest>

#include "CTavDbAddr.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "CTavSqliteDb.h"
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
    CTavDbMemoRecord r = *static_cast<CTavDbMemoRecord*>(store.FindRecord(id));
    r.SetMemo(text);
    QCOMPARE(store.UpdateRecord(r), TavStatusCode::Ok);
}

// Every record of the file as "id:text", and that no id is there twice.
QMap<uint32_t, QString> onDisk(const QString& path)
{
    CTavDbMemo store;
    if (store.LoadFromFile(path) != TavStatusCode::Ok)
        return {};
    QMap<uint32_t, QString> texts;
    for (const auto& rec : store.AllRecords())
        texts.insert(rec->GetUniqueId(), static_cast<CTavDbMemoRecord*>(rec.get())->GetMemo());
    return static_cast<int>(store.AllRecords().size()) == texts.size() ? texts : QMap<uint32_t, QString>{};
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

// Two store objects on one file stand for two writers (the program and a command-line tool):
// neither may write over what the other saved since it loaded.
class TestStoreMerge : public QObject
{
    Q_OBJECT

private slots:
    void bothWritersChangesSurvive()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        QList<uint32_t> ids;
        {
            CTavDbMemo seed;
            for (int i = 0; i < 5; ++i)
                ids << add(seed, QStringLiteral("元%1").arg(i));
            QCOMPARE(seed.WriteToFile(path), TavStatusCode::Ok);
        }
        CTavDbMemo a;
        CTavDbMemo b;
        QCOMPARE(a.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(b.LoadFromFile(path), TavStatusCode::Ok);

        // A's new memo takes the next id in memory, and so do B's, which B saves twice: a record
        // B then removes again still used up its id.
        const uint32_t first = add(a, QStringLiteral("Aの追加"));
        const uint32_t gone = add(b, QStringLiteral("Bの一時"));
        QCOMPARE(first, gone);
        QCOMPARE(b.Write(), TavStatusCode::Ok);
        QCOMPARE(b.DeleteRecord(gone, false), TavStatusCode::Ok);
        const uint32_t theirs = add(b, QStringLiteral("Bの追加"));
        edit(b, ids[0], QStringLiteral("Bの編集0"));
        edit(b, ids[1], QStringLiteral("Bの編集1"));
        QCOMPARE(b.DeleteRecord(ids[2], false), TavStatusCode::Ok);
        QCOMPARE(b.Write(), TavStatusCode::Ok);

        // Ids handed out after B's save are above B's already.
        const uint32_t second = add(a, QStringLiteral("Aの次"));
        QVERIFY(second > theirs);
        edit(a, ids[0], QStringLiteral("Aの編集0"));
        CTavDbPcRecord* editing = a.FindRecord(ids[0]);
        QCOMPARE(a.DeleteRecord(ids[3], false), TavStatusCode::Ok);
        QCOMPARE(a.Write(), TavStatusCode::Ok);
        QVERIFY(a.LastWriteMerged());

        const QMap<uint32_t, QString> disk = onDisk(path);
        QCOMPARE(disk.value(theirs), QStringLiteral("Bの追加"));
        QCOMPARE(disk.value(ids[0]), QStringLiteral("Aの編集0")); // both edited: A saved last
        QCOMPARE(disk.value(ids[1]), QStringLiteral("Bの編集1"));
        QVERIFY(!disk.contains(ids[2]) && !disk.contains(ids[3]) && !disk.contains(gone));
        QCOMPARE(disk.value(ids[4]), QStringLiteral("元4"));
        QCOMPARE(disk.value(second), QStringLiteral("Aの次"));
        QCOMPARE(disk.size(), 6);
        const uint32_t moved = disk.key(QStringLiteral("Aの追加"));
        QVERIFY(moved > second);
        // A now holds the file as saved; the record object being edited is the same one.
        QCOMPARE(a.FindRecord(ids[0]), editing);
        QCOMPARE(a.GetRecordCount(), 6);
        QVERIFY(!a.IsModified());
        QCOMPARE(add(a, QStringLiteral("次")), moved + 1);

        // B saves again over A's merge: nothing of A's is lost either way.
        edit(b, theirs, QStringLiteral("Bの再編集"));
        QCOMPARE(b.Write(), TavStatusCode::Ok);
        QCOMPARE(onDisk(path).value(moved), QStringLiteral("Aの追加"));
        QCOMPARE(a.Write(), TavStatusCode::Ok);
        QCOMPARE(onDisk(path).size(), 7);
        QCOMPARE(onDisk(path).value(theirs), QStringLiteral("Bの再編集"));
    }

    void categoriesMergeByName()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        QCOMPARE(CTavDbMemo().WriteToFile(path), TavStatusCode::Ok);
        CTavDbMemo a;
        CTavDbMemo b;
        QCOMPARE(a.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(b.LoadFromFile(path), TavStatusCode::Ok);
        uint32_t hobby = 0;
        uint32_t tripB = 0;
        QCOMPARE(b.AddCategory(QStringLiteral("趣味"), &hobby), TavStatusCode::Ok);
        QCOMPARE(b.AddCategory(QStringLiteral("旅行"), &tripB), TavStatusCode::Ok);
        QCOMPARE(b.RenameCategory(1, QStringLiteral("会社")), TavStatusCode::Ok);
        QCOMPARE(b.DeleteCategory(2, false, false), TavStatusCode::Ok);
        add(b, QStringLiteral("Bの旅"), tripB);
        QCOMPARE(b.Write(), TavStatusCode::Ok);

        uint32_t tripA = 0;
        uint32_t books = 0;
        QCOMPARE(a.AddCategory(QStringLiteral("読書"), &books), TavStatusCode::Ok);
        QCOMPARE(a.AddCategory(QStringLiteral("旅行"), &tripA), TavStatusCode::Ok);
        QCOMPARE(books, hobby); // the same id for another category
        QCOMPARE(a.RenameCategory(1, QStringLiteral("仕事")), TavStatusCode::Ok);
        const uint32_t aTrip = add(a, QStringLiteral("Aの旅"), tripA);
        const uint32_t aBook = add(a, QStringLiteral("Aの本"), books);
        const uint32_t aPersonal = add(a, QStringLiteral("Aの私用"), 2);
        QCOMPARE(a.Write(), TavStatusCode::Ok);

        CTavDbMemo disk;
        QCOMPARE(disk.LoadFromFile(path), TavStatusCode::Ok);
        QStringList names;
        for (const CTavDbCategory& c : disk.GetCategories())
            names << c.GetName();
        QCOMPARE(names, (QStringList{"未分類", "仕事", "読書", "趣味", "旅行"}));
        const uint32_t trip = disk.FindCategoryByName(QStringLiteral("旅行"))->GetID();
        QCOMPARE(disk.FindRecord(aTrip)->GetCategoryID(), trip);
        QCOMPARE(disk.FindRecord(aBook)->GetCategoryID(),
                 disk.FindCategoryByName(QStringLiteral("読書"))->GetID());
        QCOMPARE(disk.FindRecord(aPersonal)->GetCategoryID(), 0u); // B deleted that category
        QCOMPARE(a.GetCategories(), disk.GetCategories());
        QCOMPARE(a.FindRecord(aTrip)->GetCategoryID(), trip);
    }

    // Changes that cannot be merged save nothing; the store keeps them for a later try.
    void conflictsSaveNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("both name a category alike") << 0;
        QTest::newRow("category table full") << 1;
        QTest::newRow("file damaged") << 2;
        QTest::newRow("file replaced by another kind") << 3;
    }

    void conflictsSaveNothing()
    {
        QFETCH(int, kind);
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        QCOMPARE(CTavDbMemo().WriteToFile(path), TavStatusCode::Ok);
        CTavDbMemo a;
        QCOMPARE(a.LoadFromFile(path), TavStatusCode::Ok);
        if (kind <= 1) {
            CTavDbMemo b;
            QCOMPARE(b.LoadFromFile(path), TavStatusCode::Ok);
            for (int i = 0; i < (kind == 0 ? 1 : 13); ++i)
                QCOMPARE(b.AddCategory(QStringLiteral("分類%1").arg(i)), TavStatusCode::Ok);
            QCOMPARE(b.Write(), TavStatusCode::Ok);
        } else if (kind == 2) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write("garbage!");
        } else {
            CTavDbAddr other;
            QCOMPARE(other.WriteToFile(path), TavStatusCode::Ok);
        }
        QCOMPARE(a.RenameCategory(1, QStringLiteral("分類0")), TavStatusCode::Ok);
        QCOMPARE(a.AddCategory(QStringLiteral("新規")), TavStatusCode::Ok);
        const uint32_t mine = add(a, QStringLiteral("残る"));
        const QByteArray before = fileBytes(path);
        QCOMPARE(a.Write(), TavStatusCode::Conflict);
        QCOMPARE(fileBytes(path), before);
        QVERIFY(a.IsModified());
        QCOMPARE(a.FindRecord(mine)->IsDeleted(), false);
        if (kind == 0) {
            QCOMPARE(a.RenameCategory(1, QStringLiteral("別名")), TavStatusCode::Ok);
            QCOMPARE(a.Write(), TavStatusCode::Ok);
            QCOMPARE(onDisk(path).values(), QStringList{QStringLiteral("残る")});
        }
    }

    // A store loaded while its file did not exist yet, and the file of a derived store with
    // its own table (the address book's labels): another writer made or replaced the file.
    void fileMadeOrReplacedMeanwhile()
    {
        TestDataDir dir;
        CTavDbUser users;
        QCOMPARE(users.AddUser(QStringLiteral("Taro")), TavStatusCode::Ok);
        QCOMPARE(users.SetCurrUserName(QStringLiteral("Taro")), TavStatusCode::Ok);
        CTavDbMemo a;
        a.AttachUsers(&users);
        QCOMPARE(a.Load(), TavStatusCode::Ok);
        CTavDbMemo b;
        b.AttachUsers(&users);
        QCOMPARE(b.Load(), TavStatusCode::Ok);
        const uint32_t theirs = add(b, QStringLiteral("B"));
        QCOMPARE(b.Write(), TavStatusCode::Ok);
        add(a, QStringLiteral("A"));
        QCOMPARE(a.Write(), TavStatusCode::Ok);
        const QMap<uint32_t, QString> disk = onDisk(a.GetFilePath());
        QCOMPARE(disk.size(), 2);
        QCOMPARE(disk.value(theirs), QStringLiteral("B"));

        const QString path = dir.filePath("addr.ldb");
        QCOMPARE(CTavDbAddr().WriteToFile(path), TavStatusCode::Ok);
        CTavDbAddr mine;
        QCOMPARE(mine.LoadFromFile(path), TavStatusCode::Ok);
        CTavDbAddr restored; // a restore writes a whole new file in place of the old one
        QStringList labels{"誕生日", "趣味", "血液型", "メモ"};
        QCOMPARE(restored.SetCustomLabels(labels), TavStatusCode::Ok);
        CTavDbAddrRecord card;
        card.SetLastName(QStringLiteral("山田"));
        QCOMPARE(restored.AddRecord(card), TavStatusCode::Ok);
        QCOMPARE(restored.WriteToFile(path), TavStatusCode::Ok);
        CTavDbAddrRecord own;
        own.SetLastName(QStringLiteral("佐藤"));
        QCOMPARE(mine.AddRecord(own), TavStatusCode::Ok);
        QCOMPARE(mine.Write(), TavStatusCode::Ok);
        CTavDbAddr reread;
        QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(reread.GetRecordCount(), 2);
        QCOMPARE(reread.GetCustomLabels(), labels); // the labels were not ours to change

        labels[0] = QStringLiteral("記念日");
        QCOMPARE(reread.SetCustomLabels(labels), TavStatusCode::Ok);
        QCOMPARE(reread.Write(), TavStatusCode::Ok);
        QCOMPARE(mine.SetCustomLabels(CTavDbAddr::DefaultCustomLabels()), TavStatusCode::Ok);
        QCOMPARE(mine.Write(), TavStatusCode::Ok);
        QCOMPARE(mine.GetCustomLabels(), CTavDbAddr::DefaultCustomLabels()); // own change wins
        QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(reread.GetCustomLabels(), CTavDbAddr::DefaultCustomLabels());
    }
};

QTEST_GUILESS_MAIN(TestStoreMerge)
#include "tst_storemerge.moc"
