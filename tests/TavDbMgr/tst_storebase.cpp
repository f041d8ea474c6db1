#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavSqliteDb.h"
#include "TestDataDir.h"

namespace {
CTavDbMemoRecord memo(const QString& text, uint32_t category = 0, bool isPrivate = false)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    r.SetPrivate(isPrivate);
    return r;
}

QStringList listedTexts(const CTavDbMemo& store)
{
    QStringList texts;
    for (int i = 0; i < store.GetCount(); ++i)
        texts << store.GetMemoRecord(i)->GetMemo();
    return texts;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestStoreBase : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(QDate(2026, 3, 1), QTime(9, 30))); }
    void cleanup() { CTavDbClock::Release(); }

    void roundTripKeepsEveryField()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        CTavDbMemo store;
        uint32_t work = 0;
        QCOMPARE(store.AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
        CTavDbMemoRecord a = memo(QStringLiteral("会議の議事録\n{括弧} \\ 改行\r\n"), work);
        CTavDbMemoRecord b = memo(QStringLiteral("秘密"), 0, true);
        QCOMPARE(store.AddRecord(a), TavStatusCode::Ok);
        QCOMPARE(store.AddRecord(b), TavStatusCode::Ok);
        QVERIFY(a.GetUniqueId() != 0 && a.GetUniqueId() != b.GetUniqueId());
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);

        CTavDbMemo loaded;
        QCOMPARE(loaded.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(loaded.GetCategories(), store.GetCategories());
        for (const auto* original : {&a, &b}) {
            const auto* copy = static_cast<CTavDbMemoRecord*>(loaded.FindRecord(original->GetUniqueId()));
            QVERIFY(copy);
            QVERIFY(copy->IsEqualPdt(*original));
            QCOMPARE(copy->GetCreateDateTime(), CTavDbTime::fromDateTime(CTavDbClock::Now()));
            QCOMPARE(copy->GetIsPrivate(), original->GetIsPrivate());
        }
        // New ids never reuse one that the file already had, even after a reload.
        CTavDbMemoRecord c = memo(QStringLiteral("三つ目"));
        QCOMPARE(loaded.AddRecord(c), TavStatusCode::Ok);
        QVERIFY(c.GetUniqueId() > b.GetUniqueId());
    }

    void writeSavesOnlyChangesAndDeletesFollowTheArchiveRule()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        CTavDbMemo store;
        QList<uint32_t> ids;
        for (int i = 0; i < 5; ++i) {
            CTavDbMemoRecord r = memo(QStringLiteral("メモ%1").arg(i));
            store.AddRecord(r);
            ids << r.GetUniqueId();
        }
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);
        QVERIFY(!store.IsModified());

        CTavDbMemoRecord changed = *static_cast<CTavDbMemoRecord*>(store.FindRecord(ids[1]));
        changed.SetMemo(QStringLiteral("書き換え"));
        QCOMPARE(store.UpdateRecord(changed), TavStatusCode::Ok);
        QCOMPARE(store.DeleteRecord(ids[2], true), TavStatusCode::Ok);
        QCOMPARE(store.DeleteRecord(ids[3], false), TavStatusCode::Ok);
        QCOMPARE(store.DeleteRecord(ids[3], false), TavStatusCode::NotFound);
        CTavDbMemoRecord added = memo(QStringLiteral("追加"));
        store.AddRecord(added);
        QCOMPARE(store.Write(), TavStatusCode::Ok);

        CTavDbMemo reloaded;
        QCOMPARE(reloaded.LoadFromFile(path), TavStatusCode::Ok);
        reloaded.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortHandheld));
        QCOMPARE(listedTexts(reloaded), (QStringList{"メモ0", "書き換え", "メモ4", "追加"}));
        // The archived record stays in the file, flagged, for the next backup.
        const CTavDbPcRecord* archived = reloaded.FindRecord(ids[2]);
        QVERIFY(archived && archived->IsDeleted() && archived->IsArchived());
        QVERIFY(!reloaded.FindRecord(ids[3]));
        QVERIFY(static_cast<CTavDbMemoRecord*>(reloaded.FindRecord(ids[1]))->IsDirty());
    }

    void brokenFilesAreRefusedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        // 0 raw bytes, 1 foreign SQLite, 2 other store kind, 3 truncated, 4 memo pad changed by SQL
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("text") << QByteArray("not a store at all\n") << 0;
        QTest::newRow("sqlite header only") << QByteArray("SQLite format 3\0", 16) << 0;
        QTest::newRow("another program's database") << QByteArray() << 1;
        QTest::newRow("schedule file as memo pad") << QByteArray() << 2;
        QTest::newRow("truncated store") << QByteArray() << 3;
        // Category tables the program never writes: a store must not take them in.
        QTest::newRow("category id twice") << QByteArray("UPDATE categories SET id=1 WHERE idx=2") << 4;
        QTest::newRow("category id out of range")
            << QByteArray("UPDATE categories SET id=300 WHERE idx=1") << 4;
        QTest::newRow("more than sixteen categories")
            << QByteArray("WITH RECURSIVE n(i) AS (SELECT 20 UNION ALL SELECT i+1 FROM n WHERE i<36) "
                          "INSERT INTO categories SELECT i,i,'c'||i,'',0 FROM n")
            << 4;
        // Without their keys the tables give every row the index or id 0.
        QTest::newRow("category index twice")
            << QByteArray("PRAGMA writable_schema=ON; UPDATE sqlite_master SET "
                          "sql=replace(sql,'PRIMARY KEY','') WHERE name='categories'")
            << 4;
        QTest::newRow("record id twice")
            << QByteArray("INSERT INTO records(uid,seq) VALUES(1,0),(2,1024); PRAGMA writable_schema=ON; "
                          "UPDATE sqlite_master SET sql=replace(sql,'PRIMARY KEY','') WHERE name='records'")
            << 4;
    }

    void brokenFilesAreRefusedAndLeftAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        TestDataDir dir;
        const QString path = dir.filePath("broken.ldb");
        if (kind == 0) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        } else if (kind == 1) {
            CTavSqliteDb db;
            QCOMPARE(db.open(path, true), 0);
            QCOMPARE(db.exec("CREATE TABLE t(x); INSERT INTO t VALUES(1);"), 0);
        } else if (kind == 2) {
            CTavDbDate other;
            CTavDbDateRecord r;
            other.AddRecord(r);
            QCOMPARE(other.WriteToFile(path), TavStatusCode::Ok);
        } else if (kind == 4) {
            QCOMPARE(CTavDbMemo().WriteToFile(path), TavStatusCode::Ok);
            CTavSqliteDb db;
            QCOMPARE(db.open(path, false), 0);
            QCOMPARE(db.exec(content.constData()), 0);
        } else {
            CTavDbMemo big;
            for (int i = 0; i < 2000; ++i) {
                CTavDbMemoRecord r = memo(QString(200, QChar(u'あ' + i % 50)));
                big.AddRecord(r);
            }
            QCOMPARE(big.WriteToFile(path), TavStatusCode::Ok);
            QFile f(path);
            QVERIFY(f.resize(f.size() / 2));
        }
        const QByteArray before = fileBytes(path);

        // The store holds earlier data from its own file; a failed load must not lose them.
        const QString own = dir.filePath("own.ldb");
        CTavDbMemo store;
        CTavDbMemoRecord keep = memo(QStringLiteral("残るべきメモ"));
        store.AddRecord(keep);
        QCOMPARE(store.WriteToFile(own), TavStatusCode::Ok);
        QCOMPARE(store.LoadFromFile(own), TavStatusCode::Ok);

        QVERIFY(store.LoadFromFile(path) != TavStatusCode::Ok);
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(listedTexts(store), QStringList{QStringLiteral("残るべきメモ")});
        QCOMPARE(store.GetFilePath(), own);
    }

    void damagedOwnFileIsNeverOverwritten()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        CTavDbMemo store;
        CTavDbMemoRecord r = memo(QStringLiteral("元のメモ"));
        store.AddRecord(r);
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(0);
            f.write("garbage!");
        }
        const QByteArray damaged = fileBytes(path);
        QVERIFY(store.LoadFromFile(path) != TavStatusCode::Ok);
        CTavDbMemoRecord more = memo(QStringLiteral("追加"));
        store.AddRecord(more);
        QVERIFY(store.Write() != TavStatusCode::Ok);
        QCOMPARE(fileBytes(path), damaged);
    }

    void killDuringWriteLeavesAReadableFile()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        {
            CTavDbMemo store;
            for (int i = 0; i < 3000; ++i) {
                CTavDbMemoRecord r = memo(QStringLiteral("版0 %1").arg(i));
                store.AddRecord(r);
            }
            QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        }
        for (int round = 1; round <= 6; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // Rewrite every record again and again until killed.
                CTavDbMemo store;
                if (store.LoadFromFile(path) != TavStatusCode::Ok)
                    _exit(3);
                for (int version = 1;; ++version) {
                    for (const auto& rec : store.AllRecords()) {
                        CTavDbMemoRecord r = *static_cast<CTavDbMemoRecord*>(rec.get());
                        r.SetMemo(QStringLiteral("版%1 %2").arg(version).arg(r.GetUniqueId()));
                        store.UpdateRecord(r);
                    }
                    if (store.Write() != TavStatusCode::Ok)
                        _exit(4);
                }
            }
            QTest::qWait(40 + round * 37);
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            QVERIFY2(WIFSIGNALED(status), "the writer stopped by itself");

            CTavDbMemo after;
            QCOMPARE(after.LoadFromFile(path), TavStatusCode::Ok);
            QCOMPARE(after.GetRecordCount(), 3000);
            // One transaction: every record carries the same version.
            const QString version = static_cast<CTavDbMemoRecord*>(after.AllRecords().front().get())
                                        ->GetMemo()
                                        .section(u' ', 0, 0);
            for (const auto& rec : after.AllRecords())
                QCOMPARE(static_cast<CTavDbMemoRecord*>(rec.get())->GetMemo().section(u' ', 0, 0), version);
        }
    }

    void recordLimitRefusesAndChangesNothing()
    {
        CTavDbMemo store;
        CTavDbMemoRecord r = memo(QStringLiteral("x"));
        for (int i = 0; i < CTavDbMemo::kMaxRecords; ++i)
            QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
        CTavDbMemoRecord extra = memo(QStringLiteral("一つ多い"));
        QCOMPARE(store.AddRecord(extra), TavStatusCode::RecordLimit);
        QCOMPARE(store.GetRecordCount(), 65535);
        QCOMPARE(extra.GetUniqueId(), 0u);
        // Deleting one makes room again.
        QCOMPARE(store.DeleteRecord(store.AllRecords().front()->GetUniqueId(), true), TavStatusCode::Ok);
        QCOMPARE(store.AddRecord(extra), TavStatusCode::Ok);
    }

    void categoriesKeepTheirRules()
    {
        TestDataDir dir;
        CTavDbMemo store;
        QList<uint32_t> ids;
        for (int i = 0; store.GetCategoryCount() < CTavDbStoreBase::kMaxCategories; ++i) {
            uint32_t id = 0;
            QCOMPARE(store.AddCategory(QStringLiteral("分類%1").arg(i), &id), TavStatusCode::Ok);
            ids << id;
        }
        QCOMPARE(store.AddCategory(QStringLiteral("十六番目")), TavStatusCode::CategoryLimit);
        QCOMPARE(store.AddCategory(QStringLiteral("分類0")), TavStatusCode::Duplicate);
        for (const CTavDbCategory& c : store.GetCategories())
            QVERIFY(c.GetID() != CTavDbPcRecord::kAllCategories);
        QCOMPARE(store.RenameCategory(ids[0], QStringLiteral("分類1")), TavStatusCode::Duplicate);
        QCOMPARE(store.DeleteCategory(0, false, false), TavStatusCode::Refused);

        CTavDbMemoRecord a = memo(QStringLiteral("移る"), ids[0]);
        CTavDbMemoRecord b = memo(QStringLiteral("消える"), ids[1]);
        CTavDbMemoRecord c = memo(QStringLiteral("残る"), ids[2]);
        store.AddRecord(a);
        store.AddRecord(b);
        store.AddRecord(c);
        QCOMPARE(store.DeleteCategory(ids[0], false, false), TavStatusCode::Ok);
        QCOMPARE(store.FindRecord(a.GetUniqueId())->GetCategoryID(), 0u);
        QCOMPARE(store.DeleteCategory(ids[1], true, true), TavStatusCode::Ok);
        QVERIFY(store.FindRecord(b.GetUniqueId())->IsDeleted());
        QCOMPARE(store.GetRecordCount(), 2);
        // A freed slot is taken again, and the table survives a round trip.
        QCOMPARE(store.AddCategory(QStringLiteral("新しい")), TavStatusCode::Ok);
        const QString path = dir.filePath("memo.ldb");
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        CTavDbMemo loaded;
        QCOMPARE(loaded.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(loaded.GetCategories(), store.GetCategories());
        QCOMPARE(loaded.FindRecord(c.GetUniqueId())->GetCategoryID(), ids[2]);
    }
};

QTEST_GUILESS_MAIN(TestStoreBase)
#include "tst_storebase.moc"
