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

// Whatever loads must write back exactly the bytes it came from; damaged files give an error and
// leave the object as it was. ASan watches for over-reads.

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

int entryOffset(int index)
{
    return 78 + 8 * index;
}
} // namespace

class TestPalmDatabase : public QObject
{
    Q_OBJECT

private slots:
    void realFilesRewriteByteIdentical_data() { realFiles(); }
    void realFilesRewriteByteIdentical()
    {
        QFETCH(QString, file);
        const QByteArray original = PalmTest::readFile(PalmTest::palmFile(file));
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromFile(PalmTest::palmFile(file)), TavStatusCode::Ok);
        QCOMPARE(db.ToBytes(), original);
        QTemporaryDir dir;
        QCOMPARE(db.SaveToFile(dir.filePath(file)), TavStatusCode::Ok);
        QCOMPARE(PalmTest::readFile(dir.filePath(file)), original);
    }

    void builtLayoutsRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        DbFile plain;
        plain.records = {{0x40, 1, 0, 0, "first"}, {0x13, 0xFFFFFF, 0, 0, "second record"}};
        QTest::newRow("records only") << plain.bytes();
        DbFile blocks = sample();
        blocks.gap = QByteArray("\x01\x02\x03\x04\x05", 5);
        QTest::newRow("app info, sort info, odd gap") << blocks.bytes();
        DbFile empties;
        empties.records = {{0x80, 7, 0, 0, {}}, {0x40, 8, 0, 0, "x"}, {0x80, 9, 0, 0, {}}};
        empties.hasAppInfo = true; // present but empty
        QTest::newRow("empty records and an empty app info") << empties.bytes();
        DbFile none;
        none.gap = "trailing bytes that belong to nothing";
        QTest::newRow("no records, no blocks") << none.bytes();
        DbFile resources;
        resources.attributes = 0x0001;
        resources.records = {{0, 0, code("Tbmp"), 1000, "bitmap"},
                             {0, 0, code("code"), 0, QByteArray(1000, 'c')}};
        QTest::newRow("resources") << resources.bytes();
        plain.name = QByteArray("Name\0UUUUUUUUUUUUUUUUUUUUUUUUUUU", 32);
        QTest::newRow("bytes after the name's NUL") << plain.bytes();
    }

    void builtLayoutsRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromBytes(bytes), TavStatusCode::Ok);
        QCOMPARE(db.ToBytes(), bytes);
    }

    void editedDatabaseSavesWhatChanged()
    {
        DbFile file;
        file.hasAppInfo = true;
        file.appInfo = "APPINFO";
        file.records = {{0x40, 10, 0, 0, "one"}, {0x41, 11, 0, 0, "two"}, {0x42, 12, 0, 0, "three"}};
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromBytes(file.bytes()), TavStatusCode::Ok);
        QCOMPARE(db.SetRecord(0, "ONE, longer now"), TavStatusCode::Ok);
        QCOMPARE(db.SetRecordAttributes(1, 0x15), TavStatusCode::Ok);
        QCOMPARE(db.RemoveRecordByUniqueId(12), TavStatusCode::Ok);
        uint32_t added = 0;
        QCOMPARE(db.AddRecord("four", 0x40, &added), TavStatusCode::Ok);
        QCOMPARE(added, 13u);
        QCOMPARE(db.InsertRecord(0, "zero", 0x00, 500), TavStatusCode::Ok);
        db.SetModificationNumber(16);
        QCOMPARE(db.RemoveRecord(9), TavStatusCode::NotFound);

        // The saved file is what a hand-made one with the same content would be.
        file.modificationNumber = 16;
        file.records = {{0x00, 500, 0, 0, "zero"},
                        {0x40, 10, 0, 0, "ONE, longer now"},
                        {0x15, 11, 0, 0, "two"},
                        {0x40, 13, 0, 0, "four"}};
        QTemporaryDir dir;
        QCOMPARE(db.SaveToFile(dir.filePath("edited.pdb")), TavStatusCode::Ok);
        QCOMPARE(PalmTest::readFile(dir.filePath("edited.pdb")), file.bytes());
    }

    void uniqueIdsAndRecordLimit()
    {
        CTavDbPalmDatabase db;
        QCOMPARE(db.Create("/tmp/ids.pdb", code("DATA"), code("test")), TavStatusCode::Ok);
        QCOMPARE(db.InsertRecord(0, "b", 0, CTavDbPalmDatabase::MaxUniqueId), TavStatusCode::Ok);
        QCOMPARE(db.InsertRecord(1, "c", 0, CTavDbPalmDatabase::MaxUniqueId), TavStatusCode::Duplicate);
        QCOMPARE(db.InsertRecord(1, "c", 0, CTavDbPalmDatabase::MaxUniqueId + 1),
                 TavStatusCode::InvalidArgument);
        // With the top id taken, new records get the lowest free one rather than overflowing 24 bits.
        uint32_t id = 0;
        QCOMPARE(db.AddRecord("c", 0, &id), TavStatusCode::Ok);
        QCOMPARE(id, 1u);
        QCOMPARE(db.Create("/tmp/limit.pdb", code("DATA"), code("test")), TavStatusCode::Ok);
        for (int i = 0; i < CTavDbPalmDatabase::MaxEntries; ++i)
            QCOMPARE(db.InsertRecord(i, QByteArray(), 0, uint32_t(i + 1)), TavStatusCode::Ok);
        QCOMPARE(db.AddRecord("one too many"), TavStatusCode::RecordLimit);
        const QByteArray bytes = db.ToBytes();
        QCOMPARE(qFromBigEndian<uint16_t>(bytes.constData() + 0x4C), uint16_t(0xFFFF));
        CTavDbPalmDatabase reread;
        QCOMPARE(reread.LoadFromBytes(bytes), TavStatusCode::Ok);
        QCOMPARE(reread.GetRecordCount(), CTavDbPalmDatabase::MaxEntries);
    }

    void categoryRewriteKeepsUntouchedBytes()
    {
        const QByteArray original = PalmTest::readFile(PalmTest::palmFile("AddressDB-Palm_V-JP.pdb"));
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromBytes(original), TavStatusCode::Ok);
        CTavDbPalmCategoryInfo info;
        QVERIFY(db.GetCategoryInfo(&info));
        QCOMPARE(db.SetCategoryInfo(info), TavStatusCode::Ok);
        QCOMPARE(db.ToBytes(), original);

        info.names[4] = QStringLiteral("家族");
        info.ids[4] = db.GetFreeCategoryUniqueId(); // past the handheld's own ids 0..15
        info.lastUniqueId = info.ids[4];
        info.renamed |= 1 << 4;
        QCOMPARE(db.SetCategoryInfo(info), TavStatusCode::Ok);
        const int appInfo = 88;
        QByteArray expected = original;
        expected[appInfo + 1] = char(0x1F);
        expected.replace(appInfo + 2 + 4 * 16, 5, QByteArray("\x89\xC6\x91\xB0\0", 5));
        expected[appInfo + 258 + 4] = char(128);
        expected[appInfo + 274] = char(128);
        QCOMPARE(db.ToBytes(), expected);

        info.names[5] = QString(8, u'長'); // 16 bytes
        QCOMPARE(db.SetCategoryInfo(info), TavStatusCode::InvalidArgument);
        QCOMPARE(db.ToBytes(), expected);
    }

    void brokenLayouts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = sample().bytes();
        const uint32_t size = uint32_t(good.size());
        const auto patched = [&good](int at, uint32_t value, bool wide = true) {
            QByteArray bytes = good;
            wide ? put32(bytes, at, value) : put16(bytes, at, uint16_t(value));
            return bytes;
        };
        QByteArray swapped = good;
        swapped.replace(entryOffset(0), 4, good.mid(entryOffset(1), 4));
        swapped.replace(entryOffset(1), 4, good.mid(entryOffset(0), 4));
        DbFile resources;
        resources.attributes = 0x0001;
        resources.records = {{0, 0, code("Tbmp"), 1, "a"}, {0, 0, code("Tbmp"), 2, "b"}};

        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("header cut at 77 bytes") << good.left(77);
        QTest::newRow("record list longer than the file") << patched(0x4C, 1000, false);
        QTest::newRow("file ends inside the record list") << good.left(entryOffset(2) + 3);
        QTest::newRow("record offset past the end") << patched(entryOffset(2), size + 1);
        QTest::newRow("record offset 0xFFFFFFFF") << patched(entryOffset(0), 0xFFFFFFFF);
        QTest::newRow("records out of order") << swapped;
        QTest::newRow("record inside the header") << patched(entryOffset(0), 10);
        QTest::newRow("app info after the records") << patched(0x34, size - 2);
        QTest::newRow("app info past the end") << patched(0x34, size + 100);
        QTest::newRow("sort info before the app info") << patched(0x38, 80);
        QTest::newRow("chained record list") << patched(0x48, 0x100);
        QTest::newRow("resource list cut") << resources.bytes().left(78 + 15);
    }

    void brokenLayouts()
    {
        QFETCH(QByteArray, bytes);
        const QByteArray good = PalmTest::readFile(PalmTest::palmFile("DatebookDB.pdb"));
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromBytes(good), TavStatusCode::Ok);
        QCOMPARE(db.LoadFromBytes(bytes), TavStatusCode::Corrupt);
        QVERIFY(!db.GetErrorText().isEmpty());
        QCOMPARE(db.ToBytes(), good);
    }

    void truncatedRealFiles_data() { realFiles(); }
    void truncatedRealFiles()
    {
        QFETCH(QString, file);
        const QByteArray whole = PalmTest::readFile(PalmTest::palmFile(file));
        for (qsizetype length = 0; length < whole.size(); length += (length < 512 ? 1 : 97)) {
            const QByteArray cut = whole.left(length);
            CTavDbPalmDatabase db;
            const TavStatus status = db.LoadFromBytes(cut);
            // Only the last block may be shortened, and then it comes back shortened.
            if (status == TavStatusCode::Ok)
                QCOMPARE(db.ToBytes(), cut);
            else
                QCOMPARE(status, TavStatusCode::Corrupt);
        }
    }

    void damagedHeaders()
    {
        // Random bytes written over the header and the entry list of every real file.
        QRandomGenerator random(20240309);
        for (const QString& file :
             QDir(PalmTest::palmFile(QString())).entryList({"*.pdb", "*.prc"}, QDir::Files)) {
            const QByteArray whole = PalmTest::readFile(PalmTest::palmFile(file));
            for (int round = 0; round < 300; ++round) {
                QByteArray damaged = whole;
                for (int n = 0; n < 4; ++n)
                    damaged[random.bounded(int(std::min<qsizetype>(damaged.size(), 200)))] =
                        char(random.bounded(256));
                CTavDbPalmDatabase db;
                if (db.LoadFromBytes(damaged) == TavStatusCode::Ok)
                    QCOMPARE(db.ToBytes(), damaged);
            }
        }
    }

    void failedLoadsAndSaves()
    {
        QTemporaryDir dir;
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromFile(dir.filePath("missing.pdb")), TavStatusCode::FileError);
        QCOMPARE(db.LoadFromFile(dir.path()), TavStatusCode::FileError);
        uint32_t type = 0, creator = 0;
        QVERIFY(PalmTest::writeFile(dir.filePath("short.pdb"), QByteArray(50, 'x')));
        QCOMPARE(CTavDbPalmDatabase::PeekHeader(dir.filePath("short.pdb"), &type, &creator),
                 TavStatusCode::Corrupt);

        const QString path = dir.filePath("keep.pdb");
        const QByteArray old = sample().bytes();
        QVERIFY(PalmTest::writeFile(path, old));
        QCOMPARE(db.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(db.AddRecord("new"), TavStatusCode::Ok);
        // A folder where the file should be: the write fails and nothing else changes.
        QVERIFY(QDir().mkpath(dir.filePath("taken.pdb")));
        QCOMPARE(db.SaveToFile(dir.filePath("taken.pdb")), TavStatusCode::FileError);
        QCOMPARE(db.SaveToFile(QString()), TavStatusCode::InvalidArgument);
        QCOMPARE(PalmTest::readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"keep.pdb", "short.pdb"}));
    }

private:
    static void realFiles()
    {
        QTest::addColumn<QString>("file");
        const QStringList files =
            QDir(PalmTest::palmFile(QString())).entryList({"*.pdb", "*.prc"}, QDir::Files);
        QVERIFY(files.size() >= 9);
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << file;
    }
};

QTEST_GUILESS_MAIN(TestPalmDatabase)
#include "tst_palmdatabase.moc"
