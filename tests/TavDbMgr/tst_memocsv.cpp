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

QString writeFile(const TestDataDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName() : QString();
}

// Text, category and private flag of every live memo, and the category names.
QStringList snapshot(const CTavDbMemo& store)
{
    QStringList s;
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            s << QStringLiteral("%1|%2|%3")
                     .arg(static_cast<const CTavDbMemoRecord&>(*rec).GetMemo())
                     .arg(store.FindCategoryById(rec->GetCategoryID())->GetName())
                     .arg(rec->GetIsPrivate());
    for (const CTavDbCategory& c : store.GetCategories())
        s << c.GetName();
    return s;
}

uint32_t addMemo(CTavDbMemo& store, const QString& text, uint32_t category = 0, bool isPrivate = false)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetCategoryID(category);
    r.SetPrivate(isPrivate);
    return store.AddRecord(r) == TavStatusCode::Ok ? r.GetUniqueId() : 0;
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
        // 16382 double-byte characters and two ASCII ones: exactly the 32766 bytes allowed.
        const QString longest = QString(16382, QChar(0x3042)) + QStringLiteral("ab");
        const QList<Row> rows = {
            {QStringLiteral("買い物\n牛乳, 卵\n\"特売\""), QStringLiteral("個人"), false,
             at(2024, 1, 2, 9, 5), at(2024, 3, 4, 23, 59)},
            {QStringLiteral("  前後に空白  "), QString(), true, at(2020, 12, 31), at(2021, 1, 1)},
            {QStringLiteral("改行\r\nを含む{}\\"), QStringLiteral("十五バイト名前x"), false, 0, 0},
            {QStringLiteral("CR だけ\r\r\n"), QString(), false, 0, 0},
            {longest, QString(), false, 0, 0},
        };
        const QByteArray bytes = CTavDbMemoCsv::Write(rows);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QList<Row> read;
        QCOMPARE(CTavDbMemoCsv::Read(bytes, &read), TavStatusCode::Ok);
        QList<Row> expected = rows;
        expected[2].memo = QStringLiteral("改行\nを含む{}\\"); // line breaks are stored as line feeds
        expected[3].memo = QStringLiteral("CR だけ\n\n");
        QCOMPARE(read, expected);
    }

    // Trail bytes 0x5C ("表", "ソ") of code page 932 must not be taken for backslashes.
    void encodings()
    {
        const QString text = QStringLiteral("表示の予定,ソフト\r\n");
        for (const QByteArray& bytes :
             {"\xEF\xBB\xBF" + text.toUtf8(), text.toUtf8(), CTavDbText::toCp932(text)}) {
            QList<Row> rows;
            QCOMPARE(CTavDbMemoCsv::Read(bytes, &rows), TavStatusCode::Ok);
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.first().memo + rows.first().category, QStringLiteral("表示の予定ソフト"));
        }
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

    // Bad input is refused whole, by the reader and by an import into a store (here after a good
    // line that names a new category, or past the record limit).
    void badInputIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QList<Row> rows{Row{}};
        QString error;
        QVERIFY(CTavDbMemoCsv::Read(bytes, &rows, &error) != TavStatusCode::Ok);
        QVERIFY(rows.isEmpty());
        QVERIFY(!error.isEmpty());
        TestDataDir dir;
        CTavDbMemo store;
        addMemo(store, QStringLiteral("既存"));
        const QStringList before = snapshot(store);
        QVERIFY(store.ImportCsvFile(writeFile(dir, "bad.csv", "good,NewCat,0\r\n" + bytes)) !=
                TavStatusCode::Ok);
        QCOMPARE(snapshot(store), before);
    }

    void importStopsAtTheRecordLimit()
    {
        TestDataDir dir;
        CTavDbMemo store;
        for (int i = 0; i < CTavDbMemo::kMaxRecords - 1; ++i)
            addMemo(store, QStringLiteral("m"));
        const QStringList before = snapshot(store);
        QCOMPARE(store.ImportCsvFile(writeFile(dir, "two.csv", "one,Neu\r\ntwo\r\n")),
                 TavStatusCode::RecordLimit);
        QCOMPARE(snapshot(store), before);
        QCOMPARE(store.ImportCsvFile(dir.filePath("missing.csv")), TavStatusCode::FileError);
    }

    // Export then import, as CSV and as a backup file, of chosen memos (a deleted one is left out).
    void exportedMemosImportTheSame()
    {
        TestDataDir dir;
        CTavDbMemo source;
        uint32_t work = 0;
        QCOMPARE(source.AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
        QList<uint32_t> ids{addMemo(source, QStringLiteral("会議 {議題}\n\\ メモ"), work),
                            addMemo(source, QStringLiteral("秘密"), 0, true),
                            addMemo(source, QStringLiteral("カンマ, と \"引用符\""), work)};
        addMemo(source, QStringLiteral("書き出さない"));
        const uint32_t gone = addMemo(source, QStringLiteral("削除済み"));
        QCOMPARE(source.DeleteRecord(gone, true), TavStatusCode::Ok);
        QStringList expected = snapshot(source);
        expected.removeAt(3);
        QCOMPARE(source.ExportCsvFile(dir.filePath("memo.csv"), ids + QList<uint32_t>{gone}),
                 TavStatusCode::Ok);
        QCOMPARE(source.ExportBackupFile(dir.filePath("memo.mpc"), ids), TavStatusCode::Ok);
        for (const char* file : {"memo.csv", "memo.mpc"}) {
            CTavDbMemo target;
            const QString path = dir.filePath(QString::fromLatin1(file));
            QCOMPARE(path.endsWith("csv") ? target.ImportCsvFile(path) : target.ImportBackupFile(path),
                     TavStatusCode::Ok);
            QCOMPARE(snapshot(target), expected);
            const auto updated = [](const CTavDbPcRecord* r) {
                return static_cast<const CTavDbMemoRecord*>(r)->GetUpdateDateTime();
            };
            QCOMPARE(updated(target.AllRecords().front().get()), updated(source.FindRecord(ids[0])));
        }
    }

    void syllabaryOrderOfManyMemos()
    {
        // Enough memos for the keys to be made on several threads; many texts repeat.
        CTavDbMemo store;
        const QString kana = QStringLiteral("あいうかきくアイウカキクabcABC");
        for (int i = 0; i < 12000; ++i) {
            QString text;
            for (int n = i; text.size() < 3; n /= kana.size())
                text += kana.at((n * 7 + text.size()) % kana.size());
            addMemo(store, text + QString::number(i % 5));
        }
        store.SetSortCond(CTavDbSortCond(CTavDbMemo::kSortSyllabary));
        const auto check = [&store] {
            std::vector<const CTavDbMemoRecord*> records;
            for (const auto& owned : store.AllRecords())
                records.push_back(static_cast<const CTavDbMemoRecord*>(owned.get()));
            QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
            std::stable_sort(records.begin(), records.end(), [&collator](auto* a, auto* b) {
                return collator.compare(a->GetMemo(), b->GetMemo()) < 0;
            });
            QCOMPARE(store.GetCount(), int(records.size()));
            for (int i = 0; i < store.GetCount(); ++i)
                QCOMPARE(store.GetRecord(i), static_cast<const CTavDbPcRecord*>(records[size_t(i)]));
        };
        check();
        // Deleting leaves gaps, an edit moves one memo, an added one finds its place.
        for (int i = 0; i < 40; ++i)
            store.DeleteRecord(store.GetRecord(i * 7)->GetUniqueId(), false);
        CTavDbMemoRecord edited = *static_cast<CTavDbMemoRecord*>(store.GetRecord(store.GetCount() - 1));
        edited.SetMemo(QStringLiteral("0 先頭へ"));
        QCOMPARE(store.UpdateRecord(edited), TavStatusCode::Ok);
        addMemo(store, QStringLiteral("かか"));
        check();
        QCOMPARE(store.GetRecord(0)->GetUniqueId(), edited.GetUniqueId());
    }
};

QTEST_GUILESS_MAIN(TestMemoCsv)
#include "tst_memocsv.moc"
