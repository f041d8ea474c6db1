#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>

#include "CTavDbText.h"
#include "CTavDbTime.h"
#include "CTavFreeDeleteCommand.h"
#include "CTavFreeLeftView.h"
#include "CTavFreeSheetScan.h"
#include "CTavFreeSheetSort.h"
#include "TestDataDir.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbTextObject.h"

using Manager = CTavDbFreePdbObjectManager;

namespace {
void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A sheet of two strokes and a text box (at box, which may lie off the page).
void makeSheet(const QString& path, const QString& title, int category, const QRect& box = {20, 300, 200, 40})
{
    Manager sheet;
    QCOMPARE(sheet.Create(path, Manager::TypeSheet), TavStatusCode::Ok);
    sheet.GetMiscInfo()->SetTitle(title);
    sheet.GetMiscInfo()->SetCategoryId(category);
    sheet.GetMiscInfo()->SetScheduleDateTime(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    sheet.GetMiscInfo()->SetAlarm(category == 3);
    for (int n = 0; n < 2; ++n) {
        auto* stroke = sheet.AddNew<CTavDbHwriteObject>();
        stroke->SetPen(2, Qt::black);
        for (int i = 0; i < 30; ++i)
            stroke->AddPoint({10 + i * 8, 50 + n * 80 + i % 3});
    }
    auto* text = sheet.AddNew<CTavDbTextObject>();
    text->SetBox(box);
    text->SetString(QStringLiteral("メモ"), Qt::blue, 8);
    sheet.SetThumbnail(sheet.CreateThumbnailBitmap(Manager::PageRect, Manager::PageRect.size()));
    QCOMPARE(sheet.SaveAsFile(path, true), TavStatusCode::Ok);
}

CTavFreeSheetEntry entry(int scan, const char* title, qint64 when, qint64 size)
{
    CTavFreeSheetEntry e;
    e.scanIndex = scan;
    e.title = QString::fromUtf8(title);
    e.titleKey = e.title.toUtf8(); // the tests' titles order the same in both encodings
    e.eventTime = e.created = e.modified = when;
    e.fileSize = size;
    return e;
}
} // namespace

// Reading sheet folders (what is listed, what damaged files give), the list orders, and
// deleted files kept aside.
class TestSheetScan : public QObject
{
    Q_OBJECT

private slots:
    void scanReadsFieldsAndSkipsOthers()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        makeSheet(folder.filePath("b.pdb"), QStringLiteral("会議の記録"), 3);
        makeSheet(folder.filePath("a.pdb"), QStringLiteral("地図"), 1);
        QCOMPARE(Manager::CreateCategoryDatabase(folder.filePath(Manager::CategoryFileName())),
                 TavStatusCode::Ok);
        Manager overlay;
        QCOMPARE(overlay.Create(folder.filePath("o.pdb"), Manager::TypeOverlay), TavStatusCode::Ok);
        QCOMPARE(overlay.SaveAsFile(folder.filePath("o.pdb"), true), TavStatusCode::Ok);
        writeBytes(folder.filePath("empty.pdb"), QByteArray());
        writeBytes(folder.filePath("c.txt"), "text");

        std::vector<CTavFreeSheetEntry> entries;
        QStringList problems;
        CTavFreeSheetScan::Folder(dir.path(), true, {}, &entries, &problems);
        QCOMPARE(int(entries.size()), 2);
        QVERIFY(problems.isEmpty());
        const CTavFreeSheetEntry& b = entries[1];
        QCOMPARE(b.title, QStringLiteral("会議の記録"));
        QCOMPARE(b.categoryId, 3);
        QVERIFY(b.alarm && !entries[0].alarm && b.inPastFolder);
        QCOMPARE(b.eventTime, qint64(CTavDbTime::fromDateTime(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)))));
        QCOMPARE(b.fileSize, QFileInfo(folder.filePath("b.pdb")).size());
        QVERIFY(b.created > 0 && b.modified >= b.created);
        QCOMPARE(b.smallThumbnail.size(), QSize(24, 24));
        QCOMPARE(CTavFreeLeftView::DateText(b.eventTime), QStringLiteral("2024/05/06 07:08:09"));
        QCOMPARE(CTavFreeLeftView::DateText(0), QString());
        QCOMPARE(CTavFreeLeftView::SizeText(12345), QStringLiteral("12,345 バイト"));

        entries.clear();
        CTavFreeSheetScan::Folder(
            dir.path(), false, [](int id) { return id == 1; }, &entries, &problems);
        QCOMPARE(int(entries.size()), 1);
        QCOMPARE(entries[0].title, QStringLiteral("地図"));
    }

    // Records out of order and objects off the page load whole, are reported, and the files
    // stay as they were.
    void damagedSheetsLoadWhatIsWhole()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        makeSheet(folder.filePath("outside.pdb"), QStringLiteral("外"), 0, QRect(900, 1200, 80, 30));
        makeSheet(folder.filePath("order.pdb"), QStringLiteral("順番"), 0);
        // Swap the data offsets of the two strokes (entries 3 and 4 after the header).
        QByteArray bytes = TestDataDir::ReadFile(folder.filePath("order.pdb"));
        const qsizetype first = 78 + 3 * 8, second = 78 + 4 * 8;
        const quint32 a = qFromBigEndian<quint32>(bytes.constData() + first);
        const quint32 b = qFromBigEndian<quint32>(bytes.constData() + second);
        qToBigEndian(b, bytes.data() + first);
        qToBigEndian(a, bytes.data() + second);
        writeBytes(folder.filePath("order.pdb"), bytes);
        const QByteArray outside = TestDataDir::ReadFile(folder.filePath("outside.pdb"));

        std::vector<CTavFreeSheetEntry> entries;
        QStringList problems;
        CTavFreeSheetScan::Folder(dir.path(), false, {}, &entries, &problems);
        QCOMPARE(int(entries.size()), 2);
        QCOMPARE(problems.size(), 2);
        QVERIFY(problems[0].contains(QStringLiteral("order.pdb")));
        QVERIFY(problems[1].contains(QStringLiteral("outside.pdb")));
        QCOMPARE(TestDataDir::ReadFile(folder.filePath("order.pdb")), bytes);
        QCOMPARE(TestDataDir::ReadFile(folder.filePath("outside.pdb")), outside);
    }

    // Every key, both ways; ties always in scan order, whatever order the list had before.
    void sortKeysAndTies()
    {
        const std::vector<CTavFreeSheetEntry> scanned = {entry(0, "b", 300, 10), entry(1, "a", 100, 30),
                                                         entry(2, "b", 100, 20), entry(3, "c", 200, 10),
                                                         entry(4, "a", 300, 30)};
        const auto order = [](const std::vector<CTavFreeSheetEntry>& list) {
            QList<int> o;
            for (const CTavFreeSheetEntry& e : list)
                o << e.scanIndex;
            return o;
        };
        const QList<QList<int>> expected = {
            {1, 2, 3, 0, 4}, {0, 4, 3, 1, 2}, // schedule date
            {1, 2, 3, 0, 4}, {0, 4, 3, 1, 2}, // created
            {1, 2, 3, 0, 4}, {0, 4, 3, 1, 2}, // updated
            {1, 4, 0, 2, 3}, {3, 0, 2, 1, 4}, // title
            {0, 3, 2, 1, 4}, {1, 4, 2, 0, 3}, // size
        };
        for (int key = 0; key < CTavFreeSheetSort::kKeyCount; ++key) {
            std::vector<CTavFreeSheetEntry> list = scanned;
            std::reverse(list.begin(), list.end());
            CTavFreeSheetSort::Sort(list, key);
            QCOMPARE(order(list), expected[key]);
            CTavFreeSheetSort::Sort(list, key ^ 1);
            CTavFreeSheetSort::Sort(list, key);
            QCOMPARE(order(list), expected[key]);
        }
        // A double-byte character is one value: half-width kana and Latin come first.
        std::vector<CTavFreeSheetEntry> titled = {entry(0, "あ", 0, 0), entry(1, "ｱ", 0, 0),
                                                  entry(2, "ab", 0, 0)};
        for (CTavFreeSheetEntry& e : titled)
            e.titleKey = CTavDbText::toCp932(e.title);
        CTavFreeSheetSort::Sort(titled, 6);
        QCOMPARE(order(titled), (QList<int>{2, 1, 0}));
    }

    // Deleted files wait aside: undo puts them back unless a file of that name came meanwhile;
    // they go for good with the step.
    void deletedFilesWaitAside()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        makeSheet(folder.filePath("a.pdb"), QStringLiteral("一"), 0);
        makeSheet(folder.filePath("b.pdb"), QStringLiteral("二"), 0);
        const QByteArray a = TestDataDir::ReadFile(folder.filePath("a.pdb"));
        int refreshed = 0;
        const QString aside = folder.filePath("aside/1");
        {
            CTavFreeDeleteCommand command(
                {folder.filePath("a.pdb"), folder.filePath("b.pdb"), folder.filePath("gone.pdb")}, aside,
                [&refreshed] { ++refreshed; });
            command.redo();
            QCOMPARE(command.Failed(), QStringList()); // a file already gone is no failure
            QCOMPARE(refreshed, 0);
            QVERIFY(!QFile::exists(folder.filePath("a.pdb")));
            writeBytes(folder.filePath("b.pdb"), "new");
            command.undo();
            QCOMPARE(refreshed, 1);
            QCOMPARE(TestDataDir::ReadFile(folder.filePath("a.pdb")), a);
            QCOMPARE(TestDataDir::ReadFile(folder.filePath("b.pdb")), QByteArray("new"));
            command.redo();
            QCOMPARE(refreshed, 2);
            QVERIFY(!QFile::exists(folder.filePath("a.pdb")));
        }
        QVERIFY(!QFileInfo::exists(aside));
    }
};

QTEST_MAIN(TestSheetScan)
#include "tst_sheetscan.moc"
