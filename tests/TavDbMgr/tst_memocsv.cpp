#include <QCollator>
#include <QFile>
#include <QTest>

#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavDbMemoCsv.h"
#include "CTavDbText.h"
#include "TestDataDir.h"

namespace {
using Row = CTavDbMemoCsv::Row;

TavTime at(int y, int m, int d, int h = 0, int min = 0)
{
    return CTavDbTime::fromDateTime(QDateTime(QDate(y, m, d), QTime(h, min)));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct Snapshot
{
    QStringList memos;
    QStringList categories;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const CTavDbMemo& store)
{
    Snapshot s;
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            s.memos << static_cast<const CTavDbMemoRecord&>(*rec).GetMemo() + u'|' +
                           QString::number(rec->GetCategoryID()) + u'|' +
                           QString::number(rec->GetIsPrivate());
    for (const CTavDbCategory& c : store.GetCategories())
        s.categories << c.GetName();
    return s;
}

uint32_t addMemo(CTavDbMemo& store, const QString& text, uint32_t category = 0, bool isPrivate = false)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    r.SetPrivate(isPrivate);
    if (store.AddRecord(r) != TavStatusCode::Ok)
        return 0;
    return r.GetUniqueId();
}
} // namespace

// The memo pad's CSV: the format itself, and import and export through the memo store.
class TestMemoCsv : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(QDate(2025, 6, 1), QTime(12, 0))); }
    void cleanup() { CTavDbClock::Release(); }

    void writtenRowsReadBack()
    {
        const QList<Row> rows = {
            {QStringLiteral("買い物\n牛乳, 卵\n\"特売\""), QStringLiteral("個人"), false,
             at(2024, 1, 2, 9, 5), at(2024, 3, 4, 23, 59)},
            {QStringLiteral("  前後に空白  "), QString(), true, at(2020, 12, 31), at(2021, 1, 1)},
            {QStringLiteral("改行\r\nを含む{}\\"), QStringLiteral("仕事"), false, 0, 0},
            {QStringLiteral("CR だけ\r\r\n"), QString(), false, 0, 0},
        };
        const QByteArray bytes = CTavDbMemoCsv::Write(rows);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QList<Row> read;
        QString error;
        QCOMPARE(CTavDbMemoCsv::Read(bytes, &read, &error), TavStatusCode::Ok);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QList<Row> expected = rows;
        expected[2].memo = QStringLiteral("改行\nを含む{}\\"); // line breaks are stored as line feeds
        expected[3].memo = QStringLiteral("CR だけ\n\n");
        QCOMPARE(read, expected);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("表示の予定,ソフト\r\n");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-8 without BOM") << text.toUtf8();
        // Trail bytes 0x5C ("表", "ソ") must not be taken for backslashes.
        QTest::newRow("code page 932") << CTavDbText::toCp932(text);
    }

    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QList<Row> rows;
        QCOMPARE(CTavDbMemoCsv::Read(bytes, &rows), TavStatusCode::Ok);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().memo, QStringLiteral("表示の予定"));
        QCOMPARE(rows.first().category, QStringLiteral("ソフト"));
    }

    void badInputIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("quote never closed") << QByteArray("\"open,1\r\nnext\r\n");
        QTest::newRow("text after a closing quote") << QByteArray("\"a\"b,x\r\n");
        QTest::newRow("too many fields") << QByteArray("a,b,0,,,extra\r\n");
        QTest::newRow("private flag") << QByteArray("a,b,yes\r\n");
        QTest::newRow("date") << QByteArray("a,b,0,2024/13/01 10:00:00\r\n");
        QTest::newRow("empty memo") << QByteArray("ok\r\n,b,1\r\n");
        QTest::newRow("memo over 32766 bytes") << QByteArray(32767, 'x') + "\r\n";
        QTest::newRow("category over 15 bytes")
            << QByteArray("a,") + QStringLiteral("カテゴリーの名前").toUtf8();
        QTest::newRow("neither UTF-8 nor 932") << QByteArray("\x81\x20\xFF\xFE,a\r\n");
    }

    void badInputIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QList<Row> rows{Row{}};
        QString error;
        QVERIFY(CTavDbMemoCsv::Read(bytes, &rows, &error) != TavStatusCode::Ok);
        QVERIFY(rows.isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void limitsAreInclusive()
    {
        QList<Row> rows;
        // 16382 double-byte characters and two ASCII ones: exactly 32766 bytes.
        const QString memo = QString(16382, QChar(0x3042)) + QStringLiteral("ab");
        QCOMPARE(CTavDbText::mbLength(memo), 32766);
        QCOMPARE(CTavDbMemoCsv::Read(
                     CTavDbMemoCsv::Write({{memo, QStringLiteral("十五バイト名前x"), false, 0, 0}}), &rows),
                 TavStatusCode::Ok);
        QCOMPARE(rows.first().memo, memo);
    }

    void importChangesNothingOnBadInput()
    {
        TestDataDir dir;
        CTavDbMemo store;
        addMemo(store, QStringLiteral("既存"));
        const Snapshot before = snapshot(store);
        const QString path = dir.filePath(QStringLiteral("bad.csv"));
        // The bad line comes after a good one that names a new category.
        writeFile(path, "good,NewCat,0\r\nbad,NewCat,2\r\n");
        QString error;
        QCOMPARE(store.ImportCsvFile(path, &error), TavStatusCode::InvalidArgument);
        QVERIFY(error.contains(QStringLiteral("2 件目")));
        QCOMPARE(snapshot(store), before);
        QCOMPARE(store.ImportCsvFile(dir.filePath(QStringLiteral("missing.csv"))), TavStatusCode::FileError);
    }

    void importStopsAtTheRecordLimit()
    {
        TestDataDir dir;
        CTavDbMemo store;
        for (int i = 0; i < CTavDbMemo::kMaxRecords - 1; ++i)
            addMemo(store, QStringLiteral("m"));
        const QString path = dir.filePath(QStringLiteral("two.csv"));
        writeFile(path, "one,Neu\r\ntwo\r\n");
        const Snapshot before = snapshot(store);
        QCOMPARE(store.ImportCsvFile(path), TavStatusCode::RecordLimit);
        QCOMPARE(snapshot(store), before);
    }

    void exportedFileImportsTheSameMemos()
    {
        TestDataDir dir;
        CTavDbMemo source;
        uint32_t work = 0;
        QCOMPARE(source.AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
        QList<uint32_t> ids{addMemo(source, QStringLiteral("会議 {議題}\n\\ メモ"), work),
                            addMemo(source, QStringLiteral("秘密"), 0, true),
                            addMemo(source, QStringLiteral("カンマ, と \"引用符\""), work)};
        const uint32_t gone = addMemo(source, QStringLiteral("削除済み"));
        QCOMPARE(source.DeleteRecord(gone, true), TavStatusCode::Ok);
        ids << gone;
        const QString csv = dir.filePath(QStringLiteral("memo.csv"));
        QCOMPARE(source.ExportCsvFile(csv, ids), TavStatusCode::Ok);

        CTavDbMemo target;
        QCOMPARE(target.ImportCsvFile(csv), TavStatusCode::Ok);
        QCOMPARE(target.GetRecordCount(), 3);
        for (int i = 0; i < 3; ++i) {
            const auto* a = static_cast<const CTavDbMemoRecord*>(source.FindRecord(ids[i]));
            const auto* b = static_cast<const CTavDbMemoRecord*>(target.AllRecords().at(i).get());
            QCOMPARE(b->GetMemo(), a->GetMemo());
            QCOMPARE(b->GetIsPrivate(), a->GetIsPrivate());
            QCOMPARE(b->GetUpdateDateTime(), a->GetUpdateDateTime());
            QCOMPARE(target.FindCategoryById(b->GetCategoryID())->GetName(),
                     source.FindCategoryById(a->GetCategoryID())->GetName());
        }
    }

    void categoriesAreMatchedThenAddedWhileThereIsRoom()
    {
        TestDataDir dir;
        CTavDbMemo store;
        for (int i = store.GetCategoryCount(); i < CTavDbStoreBase::kMaxCategories - 1; ++i)
            QCOMPARE(store.AddCategory(QStringLiteral("c%1").arg(i)), TavStatusCode::Ok);
        const QString path = dir.filePath(QStringLiteral("cats.csv"));
        writeFile(path, "a,ビジネス\r\nb,新しい\r\nc,もう一つ\r\n");
        QCOMPARE(store.ImportCsvFile(path), TavStatusCode::Ok);
        QCOMPARE(store.GetCategoryCount(), CTavDbStoreBase::kMaxCategories);
        const auto category = [&store](int i) { return store.AllRecords().at(i)->GetCategoryID(); };
        QCOMPARE(category(0), store.FindCategoryByName(QStringLiteral("ビジネス"))->GetID());
        QCOMPARE(category(1), store.FindCategoryByName(QStringLiteral("新しい"))->GetID());
        QCOMPARE(category(2), CTavDbPcRecord::kUnfiled);
    }

    void backupFilesRoundTrip()
    {
        TestDataDir dir;
        CTavDbMemo source;
        uint32_t home = 0;
        QCOMPARE(source.AddCategory(QStringLiteral("家"), &home), TavStatusCode::Ok);
        const uint32_t a = addMemo(source, QStringLiteral("一"), home, true);
        addMemo(source, QStringLiteral("二（書き出さない）"));
        const uint32_t c = addMemo(source, QStringLiteral("三"));
        const QString path = dir.filePath(QStringLiteral("part.mpc"));
        QCOMPARE(source.ExportBackupFile(path, {a, c}), TavStatusCode::Ok);

        CTavDbMemo target;
        addMemo(target, QStringLiteral("元からある"));
        QCOMPARE(target.ImportBackupFile(path), TavStatusCode::Ok);
        QCOMPARE(target.GetRecordCount(), 3);
        const auto* first = static_cast<const CTavDbMemoRecord*>(target.AllRecords().at(1).get());
        QCOMPARE(first->GetMemo(), QStringLiteral("一"));
        QVERIFY(first->GetIsPrivate());
        QCOMPARE(target.FindCategoryById(first->GetCategoryID())->GetName(), QStringLiteral("家"));

        const Snapshot before = snapshot(target);
        writeFile(dir.filePath(QStringLiteral("broken.mpc")), "not a store");
        QVERIFY(target.ImportBackupFile(dir.filePath(QStringLiteral("broken.mpc"))) != TavStatusCode::Ok);
        QCOMPARE(snapshot(target), before);
    }

    void syllabaryOrderOfManyMemos()
    {
        // Enough memos for the keys to be made on several threads; many texts repeat.
        CTavDbMemo store;
        const QString kana = QStringLiteral("あいうかきくアイウカキクabcABC");
        QStringList texts;
        for (int i = 0; i < 12000; ++i) {
            QString text;
            for (int n = i; text.size() < 3; n /= kana.size())
                text += kana.at((n * 7 + text.size()) % kana.size());
            texts << text;
            addMemo(store, text + QString::number(i % 5));
        }
        store.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortSyllabary));
        const auto expected = [&store] {
            std::vector<const CTavDbMemoRecord*> records;
            for (const auto& owned : store.AllRecords())
                if (!owned->IsDeleted())
                    records.push_back(static_cast<const CTavDbMemoRecord*>(owned.get()));
            QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
            std::stable_sort(records.begin(), records.end(), [&collator](auto* a, auto* b) {
                return collator.compare(a->GetMemo(), b->GetMemo()) < 0;
            });
            QList<uint32_t> ids;
            for (const CTavDbMemoRecord* r : records)
                ids << r->GetUniqueId();
            return ids;
        };
        const auto listed = [&store] {
            QList<uint32_t> ids;
            for (int i = 0; i < store.GetCount(); ++i)
                ids << store.GetMemoRecord(i)->GetUniqueId();
            return ids;
        };
        QCOMPARE(listed(), expected());
        // Deleting leaves gaps, an edit moves one memo, an added one finds its place.
        for (int i = 0; i < 40; ++i)
            store.DeleteRecord(store.GetMemoRecord(i * 7)->GetUniqueId(), false);
        QCOMPARE(listed(), expected());
        CTavDbMemoRecord edited = *store.GetMemoRecord(store.GetCount() - 1);
        edited.SetMemo(QStringLiteral("0 先頭へ"));
        QCOMPARE(store.UpdateRecord(edited), TavStatusCode::Ok);
        addMemo(store, QStringLiteral("かか"));
        QCOMPARE(listed(), expected());
        QCOMPARE(store.GetMemoRecord(0)->GetUniqueId(), edited.GetUniqueId());
    }
};

QTEST_GUILESS_MAIN(TestMemoCsv)
#include "tst_memocsv.moc"
