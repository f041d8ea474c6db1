#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbClock.h"
#include "CTavDbText.h"
#include "PalmTestSupport.h"
#include "SheetSamples.h"

using PalmTest::code;
using PalmTest::DbFile;
using Manager = CTavDbFreePdbObjectManager;

// The sheet file: what a new sheet holds, every record kind through save and load, the
// documented byte layouts, and damaged files that load as far as they are whole.

namespace {
QList<int> kinds(const Manager& sheet)
{
    QList<int> out;
    for (int i = 0; i < sheet.GetRecordCount(); ++i)
        out << sheet.GetRecord(i)->GetKind();
    return out;
}

int le16(const QByteArray& b, int at)
{
    return int(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}

// A sheet file laid out by hand from record bytes.
QByteArray sheetFile(const QList<QByteArray>& records)
{
    DbFile file;
    file.creator = code("SlNm");
    for (int i = 0; i < records.size(); ++i)
        file.records << DbFile::Record{0, uint32_t(i + 1), 0, 0, records[i]};
    return file.bytes();
}

QByteArray miscRecord()
{
    return QByteArray("\x02\x01", 2) + QByteArray(148, '\0');
}
} // namespace

class TestSheetFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 15))); }
    void cleanup() { CTavDbClock::Release(); }

    void newSheetsStartWithTheirRecordsAndMiscInfoOffsets()
    {
        QTemporaryDir dir;
        Manager sheet;
        QCOMPARE(sheet.Create(dir.filePath("a.pdb"), Manager::TypeSheet), TavStatusCode::Ok);
        QCOMPARE(kinds(sheet), (QList<int>{1, 2, 3}));
        QCOMPARE(sheet.GetRecord(1), sheet.GetMiscInfo());
        QCOMPARE(sheet.GetTitle(), QStringLiteral("2026/12/07 09:30"));
        QCOMPARE(sheet.GetCanvasRect(), QRect(0, 0, 320, 480));
        Manager reference;
        QCOMPARE(reference.Create(dir.filePath("b.pdb"), Manager::TypeReference), TavStatusCode::Ok);
        QCOMPARE(kinds(reference), (QList<int>{2}));

        CTavDbFreeMiscInfoObject* misc = sheet.GetMiscInfo();
        misc->SetTitle(QStringLiteral("打ち合わせ") + QString(80, u'x'));
        misc->SetCategoryId(5);
        misc->SetScheduleDateTime(QDateTime(QDate(2026, 12, 24), QTime(18, 30, 15)));
        misc->SetAlarm(true);
        misc->SetAlarmDateTime(QDateTime(QDate(2026, 12, 24), QTime(18, 0)));
        QCOMPARE(sheet.SaveAsFile(dir.filePath("a.pdb"), true), TavStatusCode::Ok);

        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromFile(dir.filePath("a.pdb")), TavStatusCode::Ok);
        QCOMPARE(db.GetCreator(), code("SlNm"));
        QCOMPARE(db.GetType(), code("DATA"));
        QCOMPARE(db.GetName(), QStringLiteral("a"));
        const QByteArray record = db.GetRecord(1);
        QCOMPARE(record.size(), 2 + 148);
        QCOMPARE(record.left(2), QByteArray("\x02\x01", 2));
        const QByteArray block = record.mid(2);
        QCOMPARE(le16(block, 8), 15);
        QCOMPARE(le16(block, 10), 30);
        QCOMPARE(le16(block, 12), 18);
        QCOMPARE(le16(block, 14), 24);
        QCOMPARE(le16(block, 16), 12);
        QCOMPARE(le16(block, 18), 2026);
        QCOMPARE(le16(block, 20), 5); // Thursday, 1 = Sunday
        QCOMPARE(int(uint8_t(block[22])), 5);
        QCOMPARE(le16(block, 24), 0x8000);
        // The title is cut to 63 bytes and ends before the alarm fields.
        const QByteArray title = CTavDbText::toCp932(QStringLiteral("打ち合わせ") + QString(53, u'x'));
        QCOMPARE(block.mid(28, 64), title + QByteArray(1, '\0'));
        QCOMPARE(le16(block, 94), 0);
        QCOMPARE(le16(block, 96), 18);
        QCOMPARE(le16(block, 98), 24);
        QCOMPARE(le16(block, 100), 12);
        QCOMPARE(le16(block, 102), 2026);
        QCOMPARE(misc->GetEventTime(),
                 CTavDbTime::fromDateTime(QDateTime(QDate(2026, 12, 24), QTime(18, 30, 15))));

        // The whole block copied out and back changes nothing.
        const auto words = misc->GetMiscInfo();
        QCOMPARE(qFromLittleEndian<uint32_t>(block.constData() + 20), words[5]);
        misc->SetMiscInfo(words);
        QCOMPARE(misc->GetBlockBytes(), block);
    }

    void everyKindRoundTripsAndUnchangedSavesAreByteIdentical()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillo_1.pdb");
        Manager sheet;
        SheetTest::fillSheet(sheet, path);
        QCOMPARE(sheet.SaveAsFile(path, true), TavStatusCode::Ok);
        const QByteArray saved = PalmTest::readFile(path);

        Manager loaded;
        QCOMPARE(loaded.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(loaded.CreateObjects(), sheet.GetRecordCount());
        QVERIFY(loaded.GetProblems().isEmpty());
        QCOMPARE(loaded.GetFileSize(), qint64(saved.size()));
        QCOMPARE(kinds(loaded), (QList<int>{1, 2, 3, 4, 5, 6, 7, 7, 7, 7}));
        for (int i = 0; i < sheet.GetRecordCount(); ++i) {
            QCOMPARE(loaded.GetRecord(i)->GetRect(), sheet.GetRecord(i)->GetRect());
            QCOMPARE(loaded.GetRecord(i)->ToBytes(), sheet.GetRecord(i)->ToBytes());
        }
        const auto* stroke = static_cast<CTavDbHwriteObject*>(loaded.GetRecord(3));
        QCOMPARE(stroke->GetPoints(), QPolygon(QList<QPoint>{{10, 20}, {13, 18}, {300, 200}, {299, 201}}));
        QCOMPARE(stroke->GetPenWidth(), 2);
        QCOMPARE(stroke->GetColor(), QColor(200, 0, 0));
        const auto* text = static_cast<CTavDbTextObject*>(loaded.GetRecord(4));
        QCOMPARE(text->GetString(), QStringLiteral("会議メモ\n2行目"));
        QCOMPARE(text->GetFontCode(), 9);
        QCOMPARE(text->GetColor(), QColor(0, 0, 255));
        const auto* seal = static_cast<CTavDbSealObject*>(loaded.GetRecord(5));
        QCOMPARE(seal->GetDatabaseName(), QStringLiteral("Seals"));
        QCOMPARE(int(seal->GetSealId()), 1003);
        const auto* picture = static_cast<CTavDbMMContentsObject*>(loaded.GetRecord(6));
        QCOMPARE(picture->GetPath(), QStringLiteral("/data/写真.jpg"));
        QCOMPARE(picture->GetFlags(), CTavDbMMContentsObject::FlagOnPc);
        QCOMPARE(picture->GetThumbnail().pixel(5, 5), QColor(0, 130, 0).rgb()); // exact in 16 bits
        QCOMPARE(static_cast<CTavDbMMContentsObject*>(loaded.GetRecord(8))->GetSubType(),
                 CTavDbMMContentsObject::Sound);
        QCOMPARE(loaded.GetBackground(), QColor(255, 255, 200));
        QCOMPARE(loaded.GetCategoryId(), 2);
        QCOMPARE(loaded.GetThumbnail()->GetImage().size(), CTavDbThumbnailObject::StoredSize);

        // Unchanged: the same bytes, dates and modification number included.
        CTavDbClock::SetFixed(QDateTime(QDate(2027, 1, 1), QTime(8, 0)));
        QCOMPARE(loaded.ToBytes(), saved);
        QCOMPARE(loaded.SaveAsFile(path, true), TavStatusCode::Ok);
        QCOMPARE(PalmTest::readFile(path), saved);

        // A change marks the record for the next HotSync and dates the header.
        loaded.GetRecord(4)->Offset(2, 0);
        QCOMPARE(loaded.SaveAsFile(path, true), TavStatusCode::Ok);
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromFile(path), TavStatusCode::Ok);
        QVERIFY(db.GetRecordAttributes(4) & CTavDbPalmDatabase::RecAttrDirty);
        QCOMPARE(db.GetModificationNumber(), 2u); // the unchanged save did not count
        QCOMPARE(db.GetModificationDate(), CTavDbTime::fromDateTime(CTavDbClock::Now()));

        // Save as a new file takes the file's name as the database name; no overwrite refuses.
        QCOMPARE(loaded.SaveAsFile(dir.filePath("copy.pdb"), false), TavStatusCode::Ok);
        QCOMPARE(loaded.SaveAsFile(dir.filePath("copy.pdb"), false), TavStatusCode::Refused);
        QCOMPARE(loaded.GetHeader().GetName(), QStringLiteral("copy"));
    }

    void recordLayoutsAreTheDocumentedOnes()
    {
        CTavDbHwriteObject stroke;
        stroke.SetPen(2, QColor(1, 2, 3));
        for (QPoint p : {QPoint(10, 20), QPoint(13, 18), QPoint(300, 200)})
            stroke.AddPoint(p);
        QCOMPARE(stroke.ToBytes(), QByteArray::fromHex("0401 02 010203 0003 000A0014 03FE 80 012C00C8"));

        CTavDbTextObject text;
        text.SetBox(QRect(-2, 4, 30, 24));
        text.SetString(QStringLiteral("A\r\nあ"), QColor(255, 0, 0), 7);
        QCOMPARE(text.ToBytes(), QByteArray::fromHex("0501 FFFE0004001E0018 07 FF0000 0004 410A82A0"));

        CTavDbSealObject seal;
        seal.SetSeal(QStringLiteral("Seal"), 3);
        QCOMPARE(seal.ToBytes(), QByteArray::fromHex("0601 0000000000200020 0003 04 5365616C"));

        CTavDbFreeCanvasObject canvas;
        canvas.SetColor(0x12, 0x34, 0x56, QRect(0, 0, 320, 480));
        QCOMPARE(canvas.ToBytes(), QByteArray::fromHex("0301 12345600 0000 0000 0140 01E0"));

        // Pictures: a run of three red pixels, then one blue pixel as it is.
        CTavDbMMContentsObject picture;
        QImage pixels(4, 1, QImage::Format_RGB32);
        pixels.setPixel(0, 0, qRgb(255, 0, 0));
        pixels.setPixel(1, 0, qRgb(255, 0, 0));
        pixels.setPixel(2, 0, qRgb(255, 0, 0));
        pixels.setPixel(3, 0, qRgb(0, 0, 255));
        picture.SetPicture("p", pixels, 8);
        QCOMPARE(picture.ToBytes(),
                 QByteArray::fromHex("0701 0000000000100010 06 00 0008 0001 70 0004 0001 81F800 00001F"));
    }

    void damagedFilesLoadWhatIsWholeAndReportTheRest()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("s.pdb");
        Manager good;
        SheetTest::fillSheet(good, path);
        const QByteArray whole = good.ToBytes();

        // Cut inside the last record (the sheet's content picture): all the rest loads.
        QVERIFY(PalmTest::writeFile(path, whole.left(whole.size() - 10)));
        Manager cut;
        QCOMPARE(cut.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(cut.CreateObjects(), good.GetRecordCount() - 1);
        QCOMPARE(cut.GetProblems().size(), 1);
        QVERIFY(cut.GetProblems().first().contains(QStringLiteral("10 番目")));
        // Cut inside the data of the first records: the entry list survives, later records go.
        Manager cutEarly;
        QCOMPARE(cutEarly.LoadFromBytes(whole.left(78 + 10 * 8 + 2 + 20)), TavStatusCode::Ok);
        QCOMPARE(cutEarly.CreateObjects(), 0);
        QVERIFY(!cutEarly.GetProblems().isEmpty());
        QVERIFY(
            cutEarly.GetProblems().first().contains(QStringLiteral("件のレコードを読み込めませんでした")));
        // Nothing loadable at all.
        Manager empty;
        QCOMPARE(empty.LoadFromBytes(whole.left(50)), TavStatusCode::Corrupt);

        // Records out of order: the sheet records go back in front, strokes keep their order;
        // an unknown kind, a broken record and a second misc-info are dropped.
        CTavDbHwriteObject s1, s2;
        s1.SetPen(1, Qt::black);
        s1.AddPoint({5, 5});
        s2.SetPen(1, Qt::black);
        s2.AddPoint({9, 9});
        QByteArray newer = s2.ToBytes();
        newer[1] = 2; // a later layout with a field this version does not know
        newer += "more";
        const QByteArray file = sheetFile({s1.ToBytes(), miscRecord(), QByteArray("\x63\x01xyz"), newer,
                                           QByteArray("\x04\x01\x02", 3), miscRecord()});
        QVERIFY(PalmTest::writeFile(path, file));
        Manager mixed;
        QCOMPARE(mixed.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(mixed.CreateObjects(), 3);
        QCOMPARE(kinds(mixed), (QList<int>{2, 4, 4}));
        QCOMPARE(mixed.GetRecord(2)->ToBytes(), newer);
        QCOMPARE(mixed.GetProblems().size(), 4);
        QVERIFY(mixed.GetProblems()[0].contains(QStringLiteral("種類が分からない")));
        QVERIFY(mixed.GetProblems()[1].contains(QStringLiteral("手書き線")));
        QVERIFY(mixed.GetProblems()[3].contains(QStringLiteral("並べ直しました")));
        QCOMPARE(PalmTest::readFile(path), file); // loading never writes

        // Data of the records in another order than the entry list: read by their offsets.
        QByteArray swapped = sheetFile({s1.ToBytes(), miscRecord()});
        const QByteArray firstEntry = swapped.mid(78, 8);
        swapped.replace(78, 8, swapped.mid(86, 8));
        swapped.replace(86, 8, firstEntry);
        Manager reordered;
        QCOMPARE(reordered.LoadFromBytes(swapped), TavStatusCode::Ok);
        QCOMPARE(reordered.CreateObjects(), 2);
        QCOMPARE(kinds(reordered), (QList<int>{2, 4}));
        QCOMPARE(reordered.GetProblems().size(), 1);

        // An object outside the canvas is moved in; one partly inside stays.
        CTavDbTextObject far, edge;
        far.SetBox(QRect(900, -400, 50, 30));
        edge.SetBox(QRect(300, 470, 50, 30));
        Manager outside;
        QCOMPARE(outside.LoadFromBytes(sheetFile({miscRecord(), far.ToBytes(), edge.ToBytes()})),
                 TavStatusCode::Ok);
        QCOMPARE(outside.CreateObjects(), 3);
        QCOMPARE(outside.GetRecord(1)->GetRect(), QRect(270, 0, 50, 30));
        QCOMPARE(outside.GetRecord(2)->GetRect(), QRect(300, 470, 50, 30));
        QCOMPARE(outside.GetProblems().size(), 1);
    }

    void picturesStrokeLimitsAndMissingSheetRecords()
    {
        // Literal stretches and runs longer than one control byte holds survive the coding
        // (colours that 16 bits hold exactly).
        const QList<QRgb> colours{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255)};
        QImage pixels(150, 3, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int x = 0; x < pixels.width(); ++x) {
            pixels.setPixel(x, 0, colours[x % 2]);
            pixels.setPixel(x, 1, qRgb(0, 255, 0));
            pixels.setPixel(x, 2, colours[random.bounded(4)]);
        }
        CTavDbMMContentsObject picture, read;
        picture.SetPicture("p", pixels, 0);
        QVERIFY(read.Parse(picture.ToBytes()));
        QCOMPARE(read.GetThumbnail(), pixels);
        QVERIFY(!read.Parse(picture.ToBytes().chopped(1)));

        // The file behind a content: the path itself, else its name in the contents folder.
        QTemporaryDir dir;
        QVERIFY(PalmTest::writeFile(dir.filePath("IMG_0001.JPG.pdb"), "x"));
        picture.SetPicture("C:\\Data\\IMG_0001.JPG", QImage(), 8);
        QCOMPARE(picture.FindSourceFile(dir.path()), dir.filePath("IMG_0001.JPG.pdb"));
        picture.SetPicture(dir.filePath("IMG_0001.JPG.pdb"), QImage(), 8);
        QCOMPARE(picture.FindSourceFile(QString()), dir.filePath("IMG_0001.JPG.pdb"));
        picture.SetPicture("/gone/other.jpg", QImage(), 8);
        QCOMPARE(picture.FindSourceFile(dir.path()), QString());

        CTavDbHwriteObject stroke;
        QVERIFY(!stroke.Finish());
        stroke.AddPoint({1, 1});
        stroke.AddPoint({1, 1});
        QCOMPARE(stroke.GetPoints().size(), 1);
        for (int i = 1; i < CTavDbHwriteObject::MaxPoints; ++i)
            QVERIFY(stroke.AddPoint({i % 300, i / 300}));
        QVERIFY(!stroke.AddPoint({-1, -1}));
        CTavDbHwriteObject full;
        QVERIFY(full.Parse(stroke.ToBytes()));
        QVERIFY(stroke.ToBytes().size() < 65536);

        // A sheet without thumbnail or misc info gets them in their places when asked.
        CTavDbTextObject text;
        Manager sheet;
        QCOMPARE(sheet.LoadFromBytes(sheetFile({text.ToBytes()})), TavStatusCode::Ok);
        QCOMPARE(sheet.CreateObjects(), 1);
        QCOMPARE(sheet.GetTitle(), QString());
        sheet.SetQuilloTitle("題名");
        sheet.SetThumbnail(SheetTest::solid(QSize(300, 394), Qt::white));
        QCOMPARE(kinds(sheet), (QList<int>{1, 2, 5}));
        Manager reference;
        reference.Create(dir.filePath("r.pdb"), Manager::TypeReference);
        reference.SetThumbnail(SheetTest::solid(QSize(300, 394), Qt::white));
        QCOMPARE(kinds(reference), QList<int>{2});

        // More objects than a handheld database holds: nothing is written.
        while (sheet.GetRecordCount() <= CTavDbPalmDatabase::MaxEntries)
            sheet.AddRecord(std::make_unique<CTavDbTextObject>());
        QCOMPARE(sheet.SaveAsFile(dir.filePath("full.pdb"), true), TavStatusCode::RecordLimit);
        QVERIFY(!QFileInfo::exists(dir.filePath("full.pdb")));
    }

    void namesTitlesCategoriesAndReferences()
    {
        QTemporaryDir dir;
        QCOMPARE(Manager::CreateFileName(dir.path()), QStringLiteral("Quillo_20261207_093015.pdb"));
        QVERIFY(PalmTest::writeFile(dir.filePath("Quillo_20261207_093015.pdb"), "x"));
        QVERIFY(PalmTest::writeFile(dir.filePath("Quillo_20261207_093015_2.pdb"), "x"));
        QCOMPARE(Manager::CreateFileName(dir.path()), QStringLiteral("Quillo_20261207_093015_3.pdb"));
        QVERIFY(Manager::CreateFileName(dir.path()).size() - 4 <= 31);
        QCOMPARE(Manager::CreateDefaultTitle(), QStringLiteral("2026/12/07 09:30"));

        const QString categories = dir.filePath(Manager::CategoryFileName());
        QCOMPARE(Manager::CreateCategoryDatabase(categories), TavStatusCode::Ok);
        Manager store;
        QCOMPARE(store.LoadFromFile(categories), TavStatusCode::Ok);
        QCOMPARE(store.CreateObjects(), 0);
        QVERIFY(store.IsSheetOfType(Manager::TypeCategory));
        const QList<CTavDbCategory> list = store.GetDatabase().GetCategories();
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[2].GetName(), QStringLiteral("パーソナル"));
        QCOMPARE(list[1].GetID(), 1u);
        QVERIFY(store.GetDatabase().GetFreeCategoryUniqueId() >= 128);

        Manager sheet;
        sheet.Create(dir.filePath("Quillo_9.pdb"), Manager::TypeSheet);
        QCOMPARE(sheet.GetRefNum(), 0);
        Manager::SetReferenceCounter([](const QString& name) { return name == "Quillo_9.pdb" ? 2 : 0; });
        QCOMPARE(sheet.GetRefNum(), 2);
        Manager::SetReferenceCounter({});
    }
};

QTEST_MAIN(TestSheetFile)
#include "tst_sheetfile.moc"
