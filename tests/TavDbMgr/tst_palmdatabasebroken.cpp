#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbPalmDatabase.h"
#include "PalmTestSupport.h"

using PalmTest::code;
using PalmTest::DbFile;
using PalmTest::put16;
using PalmTest::put32;

// Damaged files must give an error status and leave the object as it was; whatever loads must
// write back exactly the bytes it came from. ASan watches for over-reads.
class TestPalmDatabaseBroken : public QObject
{
    Q_OBJECT

private slots:
    void brokenLayouts_data();
    void brokenLayouts();
    void truncatedRealFiles_data();
    void truncatedRealFiles();
    void damagedHeaders();
    void unreadableFiles();
    void failedSaveKeepsTheOldFile();
};

namespace {
DbFile sample()
{
    DbFile file;
    file.hasAppInfo = true;
    file.appInfo = QByteArray(40, 'A');
    file.hasSortInfo = true;
    file.sortInfo = "SORT";
    file.records = {{0x40, 1, 0, 0, "first"}, {0x40, 2, 0, 0, "second"}, {0x40, 3, 0, 0, "third"}};
    return file;
}

constexpr int AppInfoField = 0x34;
constexpr int SortInfoField = 0x38;
constexpr int CountField = 0x4C;
int entryOffset(int index)
{
    return 78 + 8 * index;
}
} // namespace

void TestPalmDatabaseBroken::brokenLayouts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = sample().bytes();
    const uint32_t size = uint32_t(good.size());

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("header cut at 77 bytes") << good.left(77);

    QByteArray longList = good;
    put16(longList, CountField, 1000);
    QTest::newRow("record list longer than the file") << longList;

    QByteArray listCut = good.left(entryOffset(2) + 3);
    QTest::newRow("file ends inside the record list") << listCut;

    QByteArray pastEnd = good;
    put32(pastEnd, entryOffset(2), size + 1);
    QTest::newRow("record offset past the end") << pastEnd;

    QByteArray huge = good;
    put32(huge, entryOffset(0), 0xFFFFFFFF);
    QTest::newRow("record offset 0xFFFFFFFF") << huge;

    QByteArray swapped = good;
    const QByteArray first = swapped.mid(entryOffset(0), 4);
    swapped.replace(entryOffset(0), 4, swapped.mid(entryOffset(1), 4));
    swapped.replace(entryOffset(1), 4, first);
    QTest::newRow("records out of order") << swapped;

    QByteArray intoHeader = good;
    put32(intoHeader, entryOffset(0), 10);
    QTest::newRow("record inside the header") << intoHeader;

    QByteArray appLate = good;
    put32(appLate, AppInfoField, size - 2);
    QTest::newRow("app info after the records") << appLate;

    QByteArray appPast = good;
    put32(appPast, AppInfoField, size + 100);
    QTest::newRow("app info past the end") << appPast;

    QByteArray sortFirst = good;
    put32(sortFirst, SortInfoField, 80);
    QTest::newRow("sort info before the app info") << sortFirst;

    QByteArray chained = good;
    put32(chained, 0x48, 0x100);
    QTest::newRow("chained record list") << chained;

    DbFile resources;
    resources.attributes = 0x0001;
    resources.records = {{0, 0, code("Tbmp"), 1, "a"}, {0, 0, code("Tbmp"), 2, "b"}};
    QByteArray resourceCut = resources.bytes().left(78 + 15);
    QTest::newRow("resource list cut") << resourceCut;
}

void TestPalmDatabaseBroken::brokenLayouts()
{
    QFETCH(QByteArray, bytes);
    const QByteArray good = PalmTest::readFile(PalmTest::palmFile("DatebookDB.pdb"));
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromBytes(good), TavStatusCode::Ok);
    QCOMPARE(db.LoadFromBytes(bytes), TavStatusCode::Corrupt);
    QVERIFY(!db.GetErrorText().isEmpty());
    QCOMPARE(db.ToBytes(), good);
    QCOMPARE(db.GetRecordCount(), 3);
}

void TestPalmDatabaseBroken::truncatedRealFiles_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : QDir(PalmTest::palmFile(QString())).entryList({"*.pdb", "*.prc"}, QDir::Files))
        QTest::newRow(qPrintable(file)) << file;
}

void TestPalmDatabaseBroken::truncatedRealFiles()
{
    QFETCH(QString, file);
    const QByteArray whole = PalmTest::readFile(PalmTest::palmFile(file));
    for (qsizetype length = 0; length < whole.size(); length += (length < 512 ? 1 : 97)) {
        const QByteArray cut = whole.left(length);
        CTavDbPalmDatabase db;
        const TavStatus status = db.LoadFromBytes(cut);
        if (status == TavStatusCode::Ok) {
            // Only the last block may be shortened, and then it comes back shortened.
            QVERIFY(length >= CTavDbPalmDatabase::HeaderSize);
            QCOMPARE(db.ToBytes(), cut);
        } else {
            QCOMPARE(status, TavStatusCode::Corrupt);
        }
    }
}

void TestPalmDatabaseBroken::damagedHeaders()
{
    // Random bytes written over the header and the entry list of every real file.
    QRandomGenerator random(20240309);
    for (const QString& file :
         QDir(PalmTest::palmFile(QString())).entryList({"*.pdb", "*.prc"}, QDir::Files)) {
        const QByteArray whole = PalmTest::readFile(PalmTest::palmFile(file));
        for (int round = 0; round < 300; ++round) {
            QByteArray damaged = whole;
            const int limit = int(std::min<qsizetype>(damaged.size(), 200));
            for (int n = 0; n < 4; ++n)
                damaged[random.bounded(limit)] = char(random.bounded(256));
            CTavDbPalmDatabase db;
            if (db.LoadFromBytes(damaged) == TavStatusCode::Ok)
                QCOMPARE(db.ToBytes(), damaged);
        }
    }
}

void TestPalmDatabaseBroken::unreadableFiles()
{
    QTemporaryDir dir;
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(dir.filePath("missing.pdb")), TavStatusCode::FileError);
    QCOMPARE(db.LoadFromFile(dir.path()), TavStatusCode::FileError);
    QVERIFY(db.GetPath().isEmpty());
    uint32_t type = 0;
    uint32_t creator = 0;
    QCOMPARE(CTavDbPalmDatabase::PeekHeader(dir.filePath("missing.pdb"), &type, &creator),
             TavStatusCode::FileError);
    QVERIFY(PalmTest::writeFile(dir.filePath("short.pdb"), QByteArray(50, 'x')));
    QCOMPARE(CTavDbPalmDatabase::PeekHeader(dir.filePath("short.pdb"), &type, &creator),
             TavStatusCode::Corrupt);
}

void TestPalmDatabaseBroken::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.pdb");
    const QByteArray old = sample().bytes();
    QVERIFY(PalmTest::writeFile(path, old));
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(path), TavStatusCode::Ok);
    QCOMPARE(db.AddRecord("new"), TavStatusCode::Ok);
    // A folder where the file should be: the write fails and nothing else changes.
    QVERIFY(QDir().mkpath(dir.filePath("taken.pdb")));
    QCOMPARE(db.SaveToFile(dir.filePath("taken.pdb")), TavStatusCode::FileError);
    QCOMPARE(db.SaveToFile(QString()), TavStatusCode::InvalidArgument);
    QCOMPARE(PalmTest::readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.pdb"});
}

QTEST_GUILESS_MAIN(TestPalmDatabaseBroken)
#include "tst_palmdatabasebroken.moc"
