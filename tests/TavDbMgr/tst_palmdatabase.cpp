#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbClock.h"
#include "CTavDbPalmCode.h"
#include "CTavDbPalmDatabase.h"
#include "PalmTestSupport.h"

using PalmTest::code;
using PalmTest::DbFile;

class TestPalmDatabase : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CTavDbClock::Release(); }

    void realFilesRewriteByteIdentical_data();
    void realFilesRewriteByteIdentical();
    void realFileHeaderAndRecords();
    void realResourceDatabase();
    void japaneseCategories();

    void builtLayoutsRoundTrip_data();
    void builtLayoutsRoundTrip();
    void editedDatabaseSavesWhatChanged();
    void uniqueIds();
    void recordLimit();
    void createMakesAnEmptyDatabase();
    void headerDates_data();
    void headerDates();
    void nameLimits();
    void codes_data();
    void codes();

    void categoryRewriteKeepsUntouchedBytes();
    void categoryBlockCreatedWhenMissing();
    void freeCategoryUniqueId_data();
    void freeCategoryUniqueId();
};

void TestPalmDatabase::realFilesRewriteByteIdentical_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(PalmTest::palmFile(QString())).entryList({"*.pdb", "*.prc"}, QDir::Files);
    QVERIFY(files.size() >= 9);
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestPalmDatabase::realFilesRewriteByteIdentical()
{
    QFETCH(QString, file);
    const QByteArray original = PalmTest::readFile(PalmTest::palmFile(file));
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(PalmTest::palmFile(file)), TavStatusCode::Ok);
    QCOMPARE(db.ToBytes(), original);

    // Through the file system too, and again after a second load.
    QTemporaryDir dir;
    const QString copy = dir.filePath(file);
    QCOMPARE(db.SaveToFile(copy), TavStatusCode::Ok);
    QCOMPARE(PalmTest::readFile(copy), original);
    CTavDbPalmDatabase again;
    QCOMPARE(again.LoadFromFile(copy), TavStatusCode::Ok);
    QCOMPARE(again.ToBytes(), original);
}

void TestPalmDatabase::realFileHeaderAndRecords()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(PalmTest::palmFile("DatebookDB.pdb")), TavStatusCode::Ok);
    QCOMPARE(db.GetName(), QStringLiteral("DatebookDB"));
    QCOMPARE(db.GetModificationNumber(), 15u);
    QCOMPARE(db.GetCreator(), code("date"));
    // The handheld's wall-clock time, whatever the PC's zone.
    QCOMPARE(CTavDbTime::toDateTime(db.GetCreationDate()), QDateTime(QDate(2021, 2, 17), QTime(13, 58, 38)));
    QCOMPARE(CTavDbTime::toDateTime(db.GetModificationDate()),
             QDateTime(QDate(2021, 2, 20), QTime(2, 18, 34)));
    QCOMPARE(db.GetAppInfo().size(), 384 - 104);

    QCOMPARE(db.GetRecordCount(), 3);
    const int sizes[] = {407 - 384, 422 - 407, 437 - 422};
    const uint32_t ids[] = {0xD67004, 0x22E001, 0x22E002};
    const QByteArray file = PalmTest::readFile(PalmTest::palmFile("DatebookDB.pdb"));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(db.GetRecordSize(i), sizes[i]);
        QCOMPARE(db.GetRecordAttributes(i), uint8_t(CTavDbPalmDatabase::RecAttrDirty));
        QCOMPARE(db.GetRecordCategory(i), 0);
        QCOMPARE(db.GetRecordUniqueId(i), ids[i]);
        QCOMPARE(db.FindRecordByUniqueId(ids[i]), i);
    }
    QCOMPARE(db.GetRecord(2), file.right(15));
    QVERIFY(db.GetRecordView(3).isEmpty());
    QVERIFY(db.GetRecordView(-1).isEmpty());
}

void TestPalmDatabase::realResourceDatabase()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(PalmTest::palmFile("OnBoard.prc")), TavStatusCode::Ok);
    QVERIFY(db.IsResourceDatabase());
    QCOMPARE(db.GetRecordCount(), 26);
    QCOMPARE(db.FindResource(code("tver"), 1000), 25);
    QCOMPARE(db.FindResource(code("Tbmp"), 1703), 7);
    QCOMPARE(db.GetRecordSize(7), 1872 - 988);
    QCOMPARE(db.FindResource(code("Tbmp"), 999), -1);
    // Records are not resources and the other way round.
    QCOMPARE(db.FindRecordByUniqueId(0), -1);
    QCOMPARE(db.AddRecord("x"), TavStatusCode::InvalidArgument);
    QCOMPARE(db.AddResource(code("Tbmp"), 1000, "x"), TavStatusCode::Duplicate);
}

void TestPalmDatabase::japaneseCategories()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(PalmTest::palmFile("AddressDB-Palm_V-JP.pdb")), TavStatusCode::Ok);
    CTavDbPalmCategoryInfo info;
    QVERIFY(db.GetCategoryInfo(&info));
    QCOMPARE(info.renamed, uint16_t(0x000F));
    QCOMPARE(info.names[0], QStringLiteral("未分類"));
    QCOMPARE(info.names[3], QStringLiteral("クイックリスト"));
    QVERIFY(info.names[4].isEmpty());
    QCOMPARE(info.ids[3], uint8_t(3));
    QCOMPARE(info.lastUniqueId, uint8_t(15));

    const QList<CTavDbCategory> categories = db.GetCategories();
    QCOMPARE(categories.size(), 4);
    QCOMPARE(categories[3].GetName(), QStringLiteral("クイックリスト"));

    // A database without an app info has no categories.
    CTavDbPalmDatabase text;
    QCOMPARE(text.LoadFromFile(PalmTest::palmFile("OnBoardHeaderV40.pdb")), TavStatusCode::Ok);
    QVERIFY(!text.HasCategoryInfo());
    QVERIFY(text.GetCategories().isEmpty());
}

void TestPalmDatabase::builtLayoutsRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    DbFile plain;
    plain.records = {{0x40, 1, 0, 0, "first"}, {0x13, 0xFFFFFF, 0, 0, "second record"}};
    QTest::newRow("records only") << plain.bytes();

    DbFile blocks = plain;
    blocks.hasAppInfo = true;
    blocks.appInfo = QByteArray(300, 'a');
    blocks.hasSortInfo = true;
    blocks.sortInfo = "sort";
    QTest::newRow("app info and sort info") << blocks.bytes();

    DbFile sortOnly = plain;
    sortOnly.hasSortInfo = true;
    sortOnly.sortInfo = "ss";
    QTest::newRow("sort info only") << sortOnly.bytes();

    DbFile gaps = blocks;
    gaps.gap = QByteArray("\x01\x02\x03\x04\x05", 5);
    QTest::newRow("odd gap") << gaps.bytes();

    DbFile empties = plain;
    empties.records = {{0x80, 7, 0, 0, {}}, {0x40, 8, 0, 0, "x"}, {0x80, 9, 0, 0, {}}};
    empties.hasAppInfo = true; // present but empty
    QTest::newRow("empty records and an empty app info") << empties.bytes();

    DbFile none;
    none.gap = "trailing bytes that belong to nothing";
    QTest::newRow("no records, no blocks") << none.bytes();

    DbFile resources;
    resources.attributes = 0x0001;
    resources.type = code("appl");
    resources.records = {{0, 0, code("Tbmp"), 1000, "bitmap"},
                         {0, 0, code("code"), 0, QByteArray(1000, 'c')}};
    QTest::newRow("resources") << resources.bytes();

    DbFile junkName = plain;
    junkName.name = QByteArray("Name\0UUUUUUUUUUUUUUUUUUUUUUUUUUU", 32);
    QTest::newRow("bytes after the name's NUL") << junkName.bytes();
}

void TestPalmDatabase::builtLayoutsRoundTrip()
{
    QFETCH(QByteArray, bytes);
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromBytes(bytes), TavStatusCode::Ok);
    QCOMPARE(db.ToBytes(), bytes);
}

void TestPalmDatabase::editedDatabaseSavesWhatChanged()
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
    DbFile expected = file;
    expected.modificationNumber = 16;
    expected.records = {{0x00, 500, 0, 0, "zero"},
                        {0x40, 10, 0, 0, "ONE, longer now"},
                        {0x15, 11, 0, 0, "two"},
                        {0x40, 13, 0, 0, "four"}};
    QCOMPARE(db.ToBytes(), expected.bytes());

    QTemporaryDir dir;
    const QString path = dir.filePath("edited.pdb");
    QCOMPARE(db.SaveToFile(path), TavStatusCode::Ok);
    CTavDbPalmDatabase reread;
    QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
    QCOMPARE(reread.ToBytes(), expected.bytes());
}

void TestPalmDatabase::uniqueIds()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.Create("/tmp/ids.pdb", code("DATA"), code("test")), TavStatusCode::Ok);
    uint32_t id = 0;
    QCOMPARE(db.AddRecord("a", 0, &id), TavStatusCode::Ok);
    QCOMPARE(id, 1u);
    QCOMPARE(db.InsertRecord(1, "b", 0, CTavDbPalmDatabase::MaxUniqueId), TavStatusCode::Ok);
    QCOMPARE(db.InsertRecord(1, "c", 0, CTavDbPalmDatabase::MaxUniqueId), TavStatusCode::Duplicate);
    QCOMPARE(db.InsertRecord(1, "c", 0, CTavDbPalmDatabase::MaxUniqueId + 1), TavStatusCode::InvalidArgument);
    QCOMPARE(db.InsertRecord(5, "c", 0, 0), TavStatusCode::InvalidArgument);
    // With the top id taken, new records get the lowest free one rather than overflowing 24 bits.
    QCOMPARE(db.AddRecord("c", 0, &id), TavStatusCode::Ok);
    QCOMPARE(id, 2u);
    QCOMPARE(db.InsertRecord(0, "d", 0, 0), TavStatusCode::Ok);
    QCOMPARE(db.GetRecordUniqueId(0), 3u);
}

void TestPalmDatabase::recordLimit()
{
    CTavDbPalmDatabase db;
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

void TestPalmDatabase::createMakesAnEmptyDatabase()
{
    CTavDbClock::SetFixed(QDateTime(QDate(2024, 3, 9), QTime(10, 20, 30)));
    QTemporaryDir dir;
    const QString path = dir.filePath("20240309102030Sheet.pdb");
    CTavDbPalmDatabase db;
    QCOMPARE(db.Create(path, code("DATA"), code("SlNm")), TavStatusCode::Ok);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(db.GetName(), QStringLiteral("20240309102030Sheet"));
    QCOMPARE(CTavDbTime::toDateTime(db.GetCreationDate()), CTavDbClock::Now());
    QCOMPARE(db.GetModificationDateRaw(), db.GetCreationDateRaw());
    QCOMPARE(db.Save(), TavStatusCode::Ok);
    QCOMPARE(QFileInfo(path).size(), qint64(CTavDbPalmDatabase::HeaderSize + 2));

    CTavDbPalmDatabase resources;
    QCOMPARE(resources.Create(dir.filePath("r.prc"), code("rsrc"), code("test"), true), TavStatusCode::Ok);
    resources.SetAttributes(0); // the kind stays
    QVERIFY(resources.IsResourceDatabase());
    QCOMPARE(db.Create(QString(), 0, 0), TavStatusCode::InvalidArgument);
}

void TestPalmDatabase::headerDates_data()
{
    QTest::addColumn<uint>("raw");
    QTest::addColumn<QDateTime>("wallClock");
    QTest::newRow("2021") << 0xDC52D18Eu << QDateTime(QDate(2021, 2, 17), QTime(13, 58, 38));
    QTest::newRow("1980 midnight") << 2082844800u + 315532800u << QDateTime(QDate(1980, 1, 1), QTime(0, 0));
    QTest::newRow("last second before the overflow")
        << 0xFFFFFFFFu << QDateTime(QDate(2040, 2, 6), QTime(6, 28, 15));
}

void TestPalmDatabase::headerDates()
{
    QFETCH(uint, raw);
    QFETCH(QDateTime, wallClock);
    const TavTime time = CTavDbPalmDate::SecondsToTime(raw);
    if (wallClock.date().year() < 2038) {
        QCOMPARE(CTavDbTime::toDateTime(time), wallClock);
        QCOMPARE(CTavDbPalmDate::TimeToSeconds(time), raw);
    } else {
        // Past our 32-bit range: clamped, never wrapped into the past.
        QCOMPARE(time, INT32_MAX);
    }
    QCOMPARE(CTavDbPalmDate::SecondsToTime(0), 0);
    QCOMPARE(CTavDbPalmDate::TimeToSeconds(0), 0u);
    // Tools that wrote Unix time: read as such.
    QCOMPARE(CTavDbPalmDate::SecondsToTime(1600000000u), 1600000000);
}

void TestPalmDatabase::nameLimits()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.SetName(QString(31, u'x')), TavStatusCode::Ok);
    QCOMPARE(db.SetName(QString(32, u'x')), TavStatusCode::InvalidArgument);
    QCOMPARE(db.GetName(), QString(31, u'x'));
    // Fifteen two-byte characters fit, sixteen do not.
    QCOMPARE(db.SetName(QString(15, u'手')), TavStatusCode::Ok);
    QCOMPARE(db.GetNameBytes().left(2), QByteArray("\x8E\xE8"));
    QCOMPARE(db.SetName(QString(16, u'手')), TavStatusCode::InvalidArgument);
    QCOMPARE(db.GetName(), QString(15, u'手'));
}

void TestPalmDatabase::codes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("value");
    QTest::newRow("letters") << "Tbmp" << code("Tbmp");
    QTest::newRow("unprintable") << "0x00010203" << 0x00010203u;
}

void TestPalmDatabase::codes()
{
    QFETCH(QString, text);
    QFETCH(uint, value);
    QCOMPARE(CTavDbPalmCode::Text(value), text);
    uint32_t parsed = 0;
    QVERIFY(CTavDbPalmCode::Parse(text, &parsed));
    QCOMPARE(parsed, value);
    QVERIFY(!CTavDbPalmCode::Parse("Tbm", &parsed));
}

void TestPalmDatabase::categoryRewriteKeepsUntouchedBytes()
{
    const QByteArray original = PalmTest::readFile(PalmTest::palmFile("AddressDB-Palm_V-JP.pdb"));
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromBytes(original), TavStatusCode::Ok);
    CTavDbPalmCategoryInfo info;
    QVERIFY(db.GetCategoryInfo(&info));
    QCOMPARE(db.SetCategoryInfo(info), TavStatusCode::Ok);
    QCOMPARE(db.ToBytes(), original);

    info.names[4] = QStringLiteral("家族");
    info.ids[4] = db.GetFreeCategoryUniqueId();
    info.lastUniqueId = info.ids[4];
    info.renamed |= 1 << 4;
    QCOMPARE(db.SetCategoryInfo(info), TavStatusCode::Ok);
    const QByteArray changed = db.ToBytes();
    QCOMPARE(changed.size(), original.size());
    const int appInfo = 88;
    QByteArray expected = original;
    expected[appInfo + 1] = char(0x1F);
    expected.replace(appInfo + 2 + 4 * 16, 5, QByteArray("\x89\xC6\x91\xB0\0", 5));
    expected[appInfo + 258 + 4] = char(128);
    expected[appInfo + 274] = char(128);
    QCOMPARE(changed, expected);

    CTavDbPalmCategoryInfo tooLong = info;
    tooLong.names[5] = QString(8, u'長'); // 16 bytes
    QCOMPARE(db.SetCategoryInfo(tooLong), TavStatusCode::InvalidArgument);
    QCOMPARE(db.ToBytes(), changed);
}

void TestPalmDatabase::categoryBlockCreatedWhenMissing()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.Create("/tmp/Quillo_Category.pdb", code("DATA"), code("SlNm")), TavStatusCode::Ok);
    QVERIFY(!db.HasCategoryInfo());
    QCOMPARE(db.GetFreeCategoryUniqueId(), uint8_t(128));
    CTavDbPalmCategoryInfo info;
    info.names[0] = QStringLiteral("未分類");
    info.names[1] = QStringLiteral("仕事");
    info.ids[1] = 128;
    info.lastUniqueId = 128;
    QCOMPARE(db.SetCategoryInfo(info), TavStatusCode::Ok);
    QCOMPARE(db.GetAppInfo().size(), CTavDbPalmCategoryInfo::StandardSize);
    CTavDbPalmDatabase reread;
    QCOMPARE(reread.LoadFromBytes(db.ToBytes()), TavStatusCode::Ok);
    const QList<CTavDbCategory> categories = reread.GetCategories();
    QCOMPARE(categories.size(), 2);
    QCOMPARE(categories[1].GetName(), QStringLiteral("仕事"));
    QCOMPARE(categories[1].GetID(), 128u);
    QCOMPARE(reread.GetFreeCategoryUniqueId(), uint8_t(129));
}

void TestPalmDatabase::freeCategoryUniqueId_data()
{
    QTest::addColumn<QList<int>>("namedIds");
    QTest::addColumn<int>("unnamedId");
    QTest::addColumn<int>("lastId");
    QTest::addColumn<int>("expected");
    QTest::newRow("device ids only") << QList<int>{1, 2, 3} << 200 << 15 << 128;
    QTest::newRow("after the last id") << QList<int>{128, 129, 130} << 0 << 130 << 131;
    QTest::newRow("skips a used one") << QList<int>{131} << 0 << 130 << 132;
    QTest::newRow("wraps at 255") << QList<int>{255} << 0 << 255 << 128;
    QTest::newRow("an unnamed slot's id is free") << QList<int>{} << 131 << 130 << 131;
    QList<int> full;
    for (int id = 128; id < 128 + 15; ++id)
        full << id;
    QTest::newRow("fifteen taken") << full << -1 << 142 << 143;
}

void TestPalmDatabase::freeCategoryUniqueId()
{
    QFETCH(QList<int>, namedIds);
    QFETCH(int, unnamedId);
    QFETCH(int, lastId);
    QFETCH(int, expected);
    CTavDbPalmCategoryInfo info;
    info.names[0] = QStringLiteral("Unfiled");
    for (int i = 0; i < namedIds.size(); ++i) {
        info.names[i + 1] = QStringLiteral("c%1").arg(i);
        info.ids[i + 1] = uint8_t(namedIds[i]);
    }
    if (unnamedId >= 0)
        info.ids[15] = uint8_t(unnamedId);
    info.lastUniqueId = uint8_t(lastId);
    QCOMPARE(int(info.FreeUniqueId()), expected);
}

QTEST_GUILESS_MAIN(TestPalmDatabase)
#include "tst_palmdatabase.moc"
