#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbPalmDatabase.h"
#include "PalmTestSupport.h"

using PalmTest::code;
using Ref = CTavDbFreePrcObjectManager::ResourceRef;

namespace {
QByteArray icons(const QByteArray& marker)
{
    PalmTest::DbFile file;
    file.attributes = 0x0001;
    file.records = {{0, 0, code("Tbmp"), 1, "one " + marker},
                    {0, 0, code("tSTR"), 1, "text"},
                    {0, 0, code("Tbmp"), 7, "seven " + marker}};
    return file.bytes();
}
} // namespace

class TestPalmResources : public QObject
{
    Q_OBJECT

private slots:
    void findsAndListsByFileNameInAnyCase()
    {
        QTemporaryDir dir;
        // The backup keeps the handheld's own spelling of file names.
        QVERIFY(QFile::copy(PalmTest::palmFile("OnBoard.prc"), dir.filePath("onBOARD.PRC")));
        QVERIFY(PalmTest::writeFile(dir.filePath("アイコン.prc"), icons("backup")));
        CTavDbPalmDatabase onBoard;
        QCOMPARE(onBoard.LoadFromFile(PalmTest::palmFile("OnBoard.prc")), TavStatusCode::Ok);
        const QByteArray bitmap = onBoard.GetRecord(onBoard.FindResource(code("Tbmp"), 1703));

        CTavDbFreePrcObjectManager store({dir.path() + u'/'});
        for (const char* name : {"OnBoard.PRC", "OnBoard", "C:/Palm/OnBoard.prc"}) {
            QCOMPARE(store.FindResource(name, code("Tbmp"), 1703), bitmap);
            QVERIFY(store.FindResource(name, code("Tbmp"), 4242).isEmpty());
            QVERIFY(store.FindResource(name, code("tSTR"), 1703).isEmpty());
        }
        QCOMPARE(store.GetDatabaseNames(), (QStringList{"onBOARD.PRC", "アイコン.prc"}));
        QList<uint16_t> ids;
        for (const Ref& ref : store.ListResources("OnBoard.PRC", code("Tbmp")))
            ids << ref.id;
        QCOMPARE(ids, (QList<uint16_t>{1000, 1001, 1002, 1003, 1510, 1703, 2000, 2100, 2200, 2300}));
        QCOMPARE(store.ListAllResources(code("Tbmp")).last(), (Ref{"アイコン.prc", code("Tbmp"), 7}));
        // The records name databases in code page 932.
        QCOMPARE(store.FindResourceA("\x83\x41\x83\x43\x83\x52\x83\x93.PRC", code("Tbmp"), 7),
                 QByteArray("seven backup"));
    }

    void laterFoldersForeignFilesAndChanges()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath("a/");
        const QString second = dir.filePath("b/");
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        // A record database and a broken file that only look like resource databases.
        QVERIFY(QFile::copy(PalmTest::palmFile("MemoDB.pdb"), first + "Memo.prc"));
        QVERIFY(PalmTest::writeFile(first + "Broken.prc", QByteArray(30, 'x')));
        QVERIFY(PalmTest::writeFile(first + "Icons.prc", icons("first")));
        QVERIFY(PalmTest::writeFile(second + "ICONS.PRC", icons("second")));
        CTavDbFreePrcObjectManager store({first, second});
        QCOMPARE(store.FindResource("icons.prc", code("Tbmp"), 1), QByteArray("one first"));
        QVERIFY(store.FindResource("Memo", code("Tbmp"), 1).isEmpty());
        QVERIFY(store.FindResource("Broken", code("Tbmp"), 1).isEmpty());

        // A HotSync replaces a file: the next look-up sees the new content.
        QVERIFY(PalmTest::writeFile(first + "Icons.prc", icons("newer")));
        QVERIFY(TestDataDir::DateAhead(first + "Icons.prc"));
        QCOMPARE(store.FindResource("Icons", code("Tbmp"), 1), QByteArray("one newer"));
        // A database that appears later is found after Reset.
        QVERIFY(store.FindResource("Late", code("Tbmp"), 1).isEmpty());
        QVERIFY(PalmTest::writeFile(second + "Late.prc", icons("late")));
        store.Reset();
        QCOMPARE(store.FindResource("Late", code("Tbmp"), 7), QByteArray("seven late"));
    }
};

QTEST_GUILESS_MAIN(TestPalmResources)
#include "tst_palmresources.moc"
