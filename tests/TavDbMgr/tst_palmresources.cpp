#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbBackupFolder.h"
#include "CTavDbFreePalmBitmap.h"
#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbUser.h"
#include "PalmTestSupport.h"
#include "TestDataDir.h"

using PalmTest::code;
using PalmTest::DbFile;
using Ref = CTavDbFreePrcObjectManager::ResourceRef;

class TestPalmResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsByFileNameInAnyCase_data();
    void findsByFileNameInAnyCase();
    void listsBitmaps();
    void laterFoldersAndForeignFiles();
    void changedFileIsReadAgain();
    void folderOfTheCurrentUser();

private:
    QTemporaryDir m_dir;
    QString m_backup;
    QString m_extra;
    CTavDbPalmDatabase m_onBoard;
};

namespace {
DbFile iconDatabase(const QByteArray& marker)
{
    DbFile file;
    file.name = "Icons";
    file.attributes = 0x0001;
    file.type = code("rsrc");
    file.records = {{0, 0, code("Tbmp"), 1, "one " + marker},
                    {0, 0, code("tSTR"), 1, "text"},
                    {0, 0, code("Tbmp"), 7, "seven " + marker}};
    return file;
}
} // namespace

void TestPalmResources::initTestCase()
{
    m_backup = m_dir.filePath("Backup") + u'/';
    m_extra = m_dir.filePath("Program") + u'/';
    QVERIFY(QDir().mkpath(m_backup));
    QVERIFY(QDir().mkpath(m_extra));
    // The backup keeps the handheld's own spelling of file names.
    QVERIFY(QFile::copy(PalmTest::palmFile("OnBoard.prc"), m_backup + "onBOARD.PRC"));
    QVERIFY(PalmTest::writeFile(m_backup + "アイコン.prc", iconDatabase("backup").bytes()));
    QCOMPARE(m_onBoard.LoadFromFile(PalmTest::palmFile("OnBoard.prc")), TavStatusCode::Ok);
}

void TestPalmResources::findsByFileNameInAnyCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("as the records carry it") << "OnBoard.PRC";
    QTest::newRow("without extension") << "OnBoard";
    QTest::newRow("with a folder") << "C:\\Palm\\OnBoard.prc";
}

void TestPalmResources::findsByFileNameInAnyCase()
{
    QFETCH(QString, name);
    CTavDbFreePrcObjectManager store({m_backup});
    const QByteArray bitmap = store.FindResource(name.replace(u'\\', u'/'), code("Tbmp"), 1703);
    QCOMPARE(bitmap, m_onBoard.GetRecord(m_onBoard.FindResource(code("Tbmp"), 1703)));
    QImage image;
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(bitmap, &image), TavStatusCode::Ok);
    QCOMPARE(image.size(), QSize(22, 22));
    QVERIFY(store.FindResource(name, code("Tbmp"), 4242).isEmpty());
    QVERIFY(store.FindResource(name, code("tSTR"), 1703).isEmpty());
}

void TestPalmResources::listsBitmaps()
{
    CTavDbFreePrcObjectManager store({m_backup});
    QCOMPARE(store.GetDatabaseNames(), (QStringList{"onBOARD.PRC", "アイコン.prc"}));
    QList<uint16_t> ids;
    for (const Ref& ref : store.ListResources("OnBoard.PRC", code("Tbmp"))) {
        QCOMPARE(ref.database, QStringLiteral("onBOARD.PRC"));
        ids << ref.id;
    }
    QCOMPARE(ids, (QList<uint16_t>{1000, 1001, 1002, 1003, 1510, 1703, 2000, 2100, 2200, 2300}));
    const QList<Ref> all = store.ListAllResources(code("Tbmp"));
    QCOMPARE(all.size(), 12);
    QCOMPARE(all.last(), (Ref{"アイコン.prc", code("Tbmp"), 7}));
    // The records name databases in code page 932.
    QCOMPARE(store.FindResourceA("\x83\x41\x83\x43\x83\x52\x83\x93.PRC", code("Tbmp"), 7),
             QByteArray("seven backup"));
    QVERIFY(store.ListResources("missing", code("Tbmp")).isEmpty());
}

void TestPalmResources::laterFoldersAndForeignFiles()
{
    QTemporaryDir dir;
    const QString first = dir.filePath("a/");
    const QString second = dir.filePath("b/");
    QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
    // A record database and a broken file that only look like resource databases.
    QVERIFY(QFile::copy(PalmTest::palmFile("MemoDB.pdb"), first + "Memo.prc"));
    QVERIFY(PalmTest::writeFile(first + "Broken.prc", QByteArray(30, 'x')));
    QVERIFY(PalmTest::writeFile(first + "Icons.prc", iconDatabase("first").bytes()));
    QVERIFY(PalmTest::writeFile(second + "ICONS.PRC", iconDatabase("second").bytes()));
    QVERIFY(PalmTest::writeFile(second + "Seals.prc", iconDatabase("seal").bytes()));

    CTavDbFreePrcObjectManager store({first, second});
    QCOMPARE(store.FindResource("icons.prc", code("Tbmp"), 1), QByteArray("one first"));
    QCOMPARE(store.FindResource("Seals", code("Tbmp"), 7), QByteArray("seven seal"));
    QVERIFY(store.FindResource("Memo", code("Tbmp"), 1).isEmpty());
    QVERIFY(store.FindResource("Broken", code("Tbmp"), 1).isEmpty());
    QCOMPARE(store.GetDatabaseNames(), (QStringList{"Broken.prc", "Icons.prc", "Memo.prc", "Seals.prc"}));
    QCOMPARE(store.ListAllResources(code("Tbmp")).size(), 4);
}

void TestPalmResources::changedFileIsReadAgain()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Icons.prc");
    QVERIFY(PalmTest::writeFile(path, iconDatabase("old").bytes()));
    CTavDbFreePrcObjectManager store({dir.path()});
    QCOMPARE(store.FindResource("Icons", code("Tbmp"), 1), QByteArray("one old"));
    // A HotSync replaces the file: the next look-up sees the new content.
    QVERIFY(PalmTest::writeFile(path, iconDatabase("newer").bytes()));
    QCOMPARE(store.FindResource("Icons", code("Tbmp"), 1), QByteArray("one newer"));

    // A database that appears later is found after Reset.
    QVERIFY(store.FindResource("Late", code("Tbmp"), 1).isEmpty());
    QVERIFY(PalmTest::writeFile(dir.filePath("Late.prc"), iconDatabase("late").bytes()));
    store.Reset();
    QCOMPARE(store.FindResource("Late", code("Tbmp"), 1), QByteArray("one late"));
}

void TestPalmResources::folderOfTheCurrentUser()
{
    TestDataDir data;
    CTavDbUser users;
    QCOMPARE(users.AddUser(QStringLiteral("山田")), TavStatusCode::Ok);
    QCOMPARE(users.SetCurrUserName(QStringLiteral("山田")), TavStatusCode::Ok);
    const QString folder = CTavDbBackupFolder::Path(users);
    QCOMPARE(folder, users.GetCurrUserPath() + "Backup/");
    QVERIFY(QDir(folder).exists());
    QVERIFY(PalmTest::writeFile(folder + "Icons.prc", iconDatabase("user").bytes()));
    CTavDbFreePrcObjectManager store({folder});
    QCOMPARE(store.FindResource("Icons", code("Tbmp"), 7), QByteArray("seven user"));
    QVERIFY(CTavDbBackupFolder::Path(CTavDbUser()).isEmpty());
}

QTEST_GUILESS_MAIN(TestPalmResources)
#include "tst_palmresources.moc"
