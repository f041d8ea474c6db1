#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavSqliteDb.h"
#include "TestDataDir.h"

namespace {
uint32_t add(CTavDbMemo& store, const QString& text, uint32_t category = 0, bool isPrivate = false)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    r.SetPrivate(isPrivate);
    return store.AddRecord(r) == TavStatusCode::Ok ? r.GetUniqueId() : 0;
}

QString textOf(const CTavDbPcRecord* record)
{
    return static_cast<const CTavDbMemoRecord*>(record)->GetMemo();
}

QStringList listedTexts(const CTavDbMemo& store)
{
    QStringList texts;
    for (int i = 0; i < store.GetCount(); ++i)
        texts << textOf(store.GetRecord(i));
    return texts;
}

} // namespace

class TestStoreBase : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(QDate(2026, 3, 1), QTime(9, 30))); }
    void cleanup() { CTavDbClock::Release(); }

    // A full write, then a write of the changes only: edits, archived and removed records, new ones.
    void roundTripsAndChangeWrites()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        CTavDbMemo store;
        uint32_t work = 0;
        QCOMPARE(store.AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
        QList<uint32_t> ids{add(store, QStringLiteral("会議の議事録\n{括弧} \\ 改行\r\n"), work),
                            add(store, QStringLiteral("秘密"), 0, true)};
        for (int i = 2; i < 5; ++i)
            ids << add(store, QStringLiteral("メモ%1").arg(i));
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        CTavDbMemo loaded;
        QCOMPARE(loaded.LoadFromFile(path), TavStatusCode::Ok);
        QVERIFY(!loaded.IsModified());
        QCOMPARE(loaded.GetCategories(), store.GetCategories());
        for (uint32_t id : ids) {
            const auto* copy = static_cast<CTavDbMemoRecord*>(loaded.FindRecord(id));
            QVERIFY(copy && copy->IsEqualPdt(*store.FindRecord(id)));
            QCOMPARE(copy->GetIsPrivate(), store.FindRecord(id)->GetIsPrivate());
            QCOMPARE(copy->GetCreateDateTime(), CTavDbTime::fromDateTime(CTavDbClock::Now()));
        }

        CTavDbMemoRecord changed = *static_cast<CTavDbMemoRecord*>(loaded.FindRecord(ids[1]));
        changed.SetMemo(QStringLiteral("書き換え"));
        QCOMPARE(loaded.UpdateRecord(changed), TavStatusCode::Ok);
        QCOMPARE(loaded.DeleteRecord(ids[2], true), TavStatusCode::Ok);
        QCOMPARE(loaded.DeleteRecord(ids[3], false), TavStatusCode::Ok);
        QCOMPARE(loaded.DeleteRecord(ids[3], false), TavStatusCode::NotFound);
        // New ids never reuse one that the file already had.
        QVERIFY(add(loaded, QStringLiteral("追加")) > ids.last());
        QCOMPARE(loaded.Write(), TavStatusCode::Ok);

        CTavDbMemo reloaded;
        QCOMPARE(reloaded.LoadFromFile(path), TavStatusCode::Ok);
        reloaded.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortHandheld));
        QCOMPARE(listedTexts(reloaded),
                 (QStringList{textOf(store.FindRecord(ids[0])), "書き換え", "メモ4", "追加"}));
        // The archived record stays in the file, flagged, for the next backup.
        QVERIFY(reloaded.FindRecord(ids[2])->IsDeleted() && reloaded.FindRecord(ids[2])->IsArchived());
        QVERIFY(!reloaded.FindRecord(ids[3]));
        QVERIFY(reloaded.FindRecord(ids[1])->IsDirty());
    }

    void brokenFilesAreRefusedAndLeftAlone_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("sql"); // kind 6: a memo pad file changed by SQL
        QTest::newRow("text") << 0 << QByteArray();
        QTest::newRow("sqlite header only") << 1 << QByteArray();
        QTest::newRow("another program's database") << 2 << QByteArray();
        QTest::newRow("truncated store") << 4 << QByteArray();
        QTest::newRow("own file damaged after loading") << 5 << QByteArray();
        // Tables the program never writes: a store that took them in could never save again.
        QTest::newRow("category id twice") << 6 << QByteArray("UPDATE categories SET id=1 WHERE idx=2");
        QTest::newRow("category id out of range")
            << 6 << QByteArray("UPDATE categories SET id=300 WHERE idx=1");
        QTest::newRow("more than sixteen categories")
            << 6
            << QByteArray("WITH RECURSIVE n(i) AS (SELECT 20 UNION ALL SELECT i+1 FROM n WHERE i<36) "
                          "INSERT INTO categories SELECT i,i,'c'||i,'',0 FROM n");
        // Without their keys the tables give every row the index or id 0.
        QTest::newRow("category index twice")
            << 6
            << QByteArray("PRAGMA writable_schema=ON; UPDATE sqlite_master SET "
                          "sql=replace(sql,'PRIMARY KEY','') WHERE name='categories'");
        QTest::newRow("record id twice")
            << 6
            << QByteArray("INSERT INTO records(uid,seq) VALUES(1,0),(2,1024); PRAGMA writable_schema=ON; "
                          "UPDATE sqlite_master SET sql=replace(sql,'PRIMARY KEY','') WHERE name='records'");
    }

    void brokenFilesAreRefusedAndLeftAlone()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, sql);
        TestDataDir dir;
        const QString path = dir.filePath("broken.ldb");
        // The store holds data from a file; a failed load must not lose them.
        CTavDbMemo store;
        add(store, QStringLiteral("残るべきメモ"));
        if (kind <= 1) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(kind == 0 ? QByteArray("not a store at all\n") : QByteArray("SQLite format 3\0", 16));
        } else if (kind == 2) {
            CTavSqliteDb db;
            QCOMPARE(db.open(path, true), 0);
            QCOMPARE(db.exec("CREATE TABLE t(x); INSERT INTO t VALUES(1);"), 0);
        } else if (kind == 6) {
            QCOMPARE(CTavDbMemo().WriteToFile(path), TavStatusCode::Ok);
            CTavSqliteDb db;
            QCOMPARE(db.open(path, false), 0);
            QCOMPARE(db.exec(sql.constData()), 0);
        } else {
            for (int i = 0; kind == 4 && i < 2000; ++i)
                add(store, QString(200, QChar(u'あ' + i % 50)));
            QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
            QFile f(path);
            if (kind == 4) {
                QVERIFY(f.resize(f.size() / 2));
            } else {
                QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);
                QVERIFY(f.open(QIODevice::ReadWrite));
                f.write("garbage!");
            }
        }
        const QString own = dir.filePath("own.ldb");
        if (kind != 5) {
            CTavDbMemo one;
            add(one, QStringLiteral("残るべきメモ"));
            QCOMPARE(one.WriteToFile(own), TavStatusCode::Ok);
            QCOMPARE(store.LoadFromFile(own), TavStatusCode::Ok);
        }
        const QByteArray before = TestDataDir::ReadFile(path);
        QVERIFY(store.LoadFromFile(path) != TavStatusCode::Ok);
        QCOMPARE(TestDataDir::ReadFile(path), before);
        QCOMPARE(listedTexts(store).first(), QStringLiteral("残るべきメモ"));
        QCOMPARE(store.GetFilePath(), kind == 5 ? path : own);
        // Never written over: not even by the file's own store.
        add(store, QStringLiteral("追加"));
        QVERIFY(kind != 5 || store.Write() != TavStatusCode::Ok);
        QCOMPARE(TestDataDir::ReadFile(path), before);
    }

    void killDuringWriteLeavesAReadableFile()
    {
        TestDataDir dir;
        const QString path = dir.filePath("memo.ldb");
        {
            CTavDbMemo store;
            for (int i = 0; i < 3000; ++i)
                add(store, QStringLiteral("版0 %1").arg(i));
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
            const QString version = textOf(after.AllRecords().front().get()).section(u' ', 0, 0);
            for (const auto& rec : after.AllRecords())
                QCOMPARE(textOf(rec.get()).section(u' ', 0, 0), version);
        }
    }

    void recordLimitRefusesAndChangesNothing()
    {
        CTavDbMemo store;
        CTavDbMemoRecord r;
        for (int i = 0; i < CTavDbMemo::kMaxRecords; ++i)
            QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
        CTavDbMemoRecord extra;
        QCOMPARE(store.AddRecord(extra), 20780);
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
            ids << 0;
            QCOMPARE(store.AddCategory(QStringLiteral("分類%1").arg(i), &ids.last()), TavStatusCode::Ok);
            QVERIFY(ids.last() != CTavDbPcRecord::kAllCategories);
        }
        QCOMPARE(store.AddCategory(QStringLiteral("十六番目")), TavStatusCode::CategoryLimit);
        QCOMPARE(store.AddCategory(QStringLiteral("分類0")), TavStatusCode::Duplicate);
        QCOMPARE(store.RenameCategory(ids[0], QStringLiteral("分類1")), TavStatusCode::Duplicate);
        QCOMPARE(store.DeleteCategory(0, false, false), TavStatusCode::Refused);
        const uint32_t moves = add(store, QStringLiteral("移る"), ids[0]);
        const uint32_t stays = add(store, QStringLiteral("残る"), ids[2]);
        QCOMPARE(store.DeleteCategory(ids[0], false, false), TavStatusCode::Ok);
        QCOMPARE(store.FindRecord(moves)->GetCategoryID(), 0u);
        const uint32_t goes = add(store, QStringLiteral("消える"), ids[1]);
        QCOMPARE(store.DeleteCategory(ids[1], true, true), TavStatusCode::Ok);
        QVERIFY(store.FindRecord(goes)->IsDeleted());
        // A freed slot is taken again, and the table survives a round trip.
        QCOMPARE(store.AddCategory(QStringLiteral("新しい")), TavStatusCode::Ok);
        QCOMPARE(store.WriteToFile(dir.filePath("memo.ldb")), TavStatusCode::Ok);
        CTavDbMemo loaded;
        QCOMPARE(loaded.LoadFromFile(dir.filePath("memo.ldb")), TavStatusCode::Ok);
        QCOMPARE(loaded.GetCategories(), store.GetCategories());
        QCOMPARE(loaded.FindRecord(stays)->GetCategoryID(), ids[2]);
    }
};

QTEST_GUILESS_MAIN(TestStoreBase)
#include "tst_storebase.moc"
