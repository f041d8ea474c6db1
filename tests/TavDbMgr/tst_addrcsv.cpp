#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "CTavDbAddr.h"
#include "CTavDbAddrCsv.h"
#include "CTavDbText.h"
#include "TestDataDir.h"

namespace {
using Format = CTavDbAddrCsvFormat;
using R = CTavDbAddrRecord;

QString sample(const char* name)
{
    return QStringLiteral(LUMORA_TEST_DATA_DIR "/addrcsv/") + QLatin1String(name);
}

// The non-empty text fields with their names, the phones with their labels, then the flags.
QString summary(const CTavDbAddrCsv::Row& row)
{
    QStringList parts;
    for (int f = 0; f < R::FieldCount; ++f) {
        const QString text = row.card.GetField(static_cast<R::Field>(f));
        if (text.isEmpty())
            continue;
        parts << Format::TargetName(f) + u'=' + text;
        if (f >= R::Phone1 && f <= R::Phone5)
            parts.last() += QStringLiteral("/%1").arg(row.card.GetPhoneLabelID(f - R::Phone1));
    }
    if (!row.category.isEmpty())
        parts << QStringLiteral("カテゴリ=") + row.category;
    if (row.card.GetIsPrivate())
        parts << QStringLiteral("private");
    return parts.join(u' ');
}

// A store with the generator's categories under the ids it numbers them with.
void addGeneratorCategories(CTavDbAddr& store)
{
    store.RenameCategory(1, QStringLiteral("仕事"));
    store.RenameCategory(2, QStringLiteral("個人"));
    for (const char16_t* name : {u"家族", u"取引先", u"友人"})
        store.AddCategory(QString::fromUtf16(name));
}
} // namespace

// Address cards as comma-separated text: the layouts it recognises, what it refuses, and the
// address store's import and export.
class TestAddrCsv : public QObject
{
    Q_OBJECT

private slots:
    void generatedCardsMatchTheirFields()
    {
        TestDataDir dir;
        CTavDbAddr store;
        addGeneratorCategories(store);
        QStringList refused;
        QCOMPARE(
            store.ImportCsvFile(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.csv"), nullptr, &refused),
            TavStatusCode::Ok);
        QCOMPARE(refused, QStringList());
        const QList<QByteArray> lines =
            TestDataDir::ReadFile(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.jsonl")).split('\n');
        QCOMPARE(store.GetRecordCount(), 40);
        const QStringList texts = Format::OwnHeader();
        const QList<int> targets = Format::OwnFields();
        for (int i = 0; i < store.GetRecordCount(); ++i) {
            const QJsonObject expected = QJsonDocument::fromJson(lines.at(i)).object();
            const auto& card = static_cast<const R&>(*store.AllRecords().at(i));
            for (qsizetype c = 0; c < texts.size(); ++c) {
                const int t = targets.at(c);
                if (!expected.contains(texts.at(c)))
                    continue;
                const QString want = expected.value(texts.at(c)).toString();
                QString got;
                if (t < R::FieldCount)
                    got = card.GetField(static_cast<R::Field>(t));
                else if (t < Format::DisplayPhone)
                    got = QString::number(card.GetPhoneLabelID(t - Format::PhoneLabel1));
                else if (t == Format::DisplayPhone)
                    got = QString::number(card.GetDisplayPhone() - 1);
                else if (t == Format::Category)
                    got = QString::number(card.GetCategoryID());
                else
                    got = card.GetIsPrivate() ? QStringLiteral("1") : QStringLiteral("0");
                if (got != want)
                    QFAIL(qPrintable(QStringLiteral("card %1, %2: \"%3\" instead of \"%4\"")
                                         .arg(i + 1)
                                         .arg(texts.at(c), got, want)));
            }
        }
    }

    void exportReadsBackAsTheSameCards()
    {
        TestDataDir dir;
        CTavDbAddr source;
        addGeneratorCategories(source);
        QCOMPARE(source.ImportCsvFile(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.csv")),
                 TavStatusCode::Ok);
        R odd;
        odd.SetLastName(QStringLiteral(" 先頭と末尾に空白 "));
        odd.SetNote(QStringLiteral("\"引用\",コンマ;セミコロン\n改行\tタブ"));
        odd.SetCustom(2, QStringLiteral("カスタム三"));
        odd.SetCustom(3, QStringLiteral("=1+2"));
        odd.SetDisplayPhone(0);
        odd.SetPrivate(true);
        odd.SetCategoryID(5);
        QCOMPARE(source.AddRecord(odd), TavStatusCode::Ok);

        const QString csv = dir.filePath(QStringLiteral("out.csv"));
        const QString backup = dir.filePath(QStringLiteral("out.abc"));
        QList<uint32_t> ids;
        for (const auto& rec : source.AllRecords())
            ids << rec->GetUniqueId();
        QCOMPARE(source.ExportCsvFile(csv), TavStatusCode::Ok);
        QCOMPARE(source.ExportBackupFile(backup, ids), TavStatusCode::Ok);
        const QByteArray written = TestDataDir::ReadFile(csv);
        QVERIFY(written.startsWith(Format::OwnHeader().join(u',').toUtf8() + "\r\n"));
        QVERIFY(written.contains(",友人,") || written.startsWith("友人,") || written.contains("\r\n友人,"));

        for (const QString& path : {csv, backup}) {
            CTavDbAddr target; // default categories only: every name must come across
            QCOMPARE(path == csv ? target.ImportCsvFile(path) : target.ImportBackupFile(path),
                     TavStatusCode::Ok);
            QCOMPARE(target.GetRecordCount(), source.GetRecordCount());
            for (int i = 0; i < source.GetRecordCount(); ++i) {
                auto a = static_cast<const R&>(*source.AllRecords().at(i));
                auto b = static_cast<const R&>(*target.AllRecords().at(i));
                QCOMPARE(target.FindCategoryById(b.GetCategoryID())->GetName(),
                         source.FindCategoryById(a.GetCategoryID())->GetName());
                QCOMPARE(b.GetIsPrivate(), a.GetIsPrivate());
                b.SetCategoryID(a.GetCategoryID());
                QVERIFY2(a.IsEqualPdt(b), qPrintable(QStringLiteral("%1: card %2").arg(path).arg(i + 1)));
            }
        }
    }

    void samplesReadAsTheirLayout_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QChar>("delimiter");
        QTest::addColumn<QStringList>("cards");
        QTest::newRow("contacts, older names")
            << sample("google_old.csv") << int(Format::LayoutGoogle) << int(Format::Utf8) << QChar(u',')
            << QStringList{
                   QStringLiteral("姓=山田 よみ（姓）=ヤマダ 名=太郎 よみ（名）=タロウ 会社=青葉商会 "
                                  "よみ（会社）=アオバショウカイ 役職=部長 電話 1=090-1111-2222/7 "
                                  "電話 2=03-1234-5679/2 電話 3=taro@example.jp/4 "
                                  "電話 4=t.yamada@example.net/4 住所=外神田1-2-3 市町村=千代田区 "
                                  "都道府県=東京都 郵便番号=101-0021 国名=日本 コメント=初回面談\n2019年"),
                   QStringLiteral("電話 1=help@example.com/4")};
        QTest::newRow("contacts, newer names")
            << sample("google_new.csv") << int(Format::LayoutGoogle) << int(Format::Utf8) << QChar(u',')
            << QStringList{QStringLiteral(
                   "姓=佐藤 よみ（姓）=サトウ 名=花子 よみ（名）=ハナコ 会社=東洋精機 役職=課長 "
                   "電話 1=080-3333-4444/7 電話 2=06-5555-6666/1 "
                   "電話 3=hanako@example.jp/4 住所=南船場2-1 市町村=大阪市中央区 "
                   "都道府県=大阪府 郵便番号=542-0081 国名=日本")};
        QTest::newRow("mail program")
            << sample("thunderbird.csv") << int(Format::LayoutThunderbird) << int(Format::Utf8) << QChar(u',')
            << QStringList{
                   QStringLiteral("姓=Schmidt 名=Lena 会社=Beispiel GmbH 役職=Manager "
                                  "電話 1=lena@example.de/4 電話 2=+49 30 1234/0 電話 3=+49 30 1235/2 "
                                  "電話 4=+49 170 555/7 住所=Hauptstr. 5 市町村=Berlin 郵便番号=10115 "
                                  "国名=Germany コメント=Met at fair, 2023")};
        QTest::newRow("own, code page 932, semicolons")
            << sample("sjis_semicolon.csv") << int(Format::LayoutOwn) << int(Format::Cp932) << QChar(u';')
            << QStringList{
                   QStringLiteral("姓=表 よみ（姓）=オモテ 名=颯太 よみ（名）=ソウタ 会社=北星ソフト "
                                  "電話 1=090-0000-1111/7 コメント=備考;再訪問 カテゴリ=仕事 private"),
                   QStringLiteral("姓=能登 よみ（姓）=ノト 名=十 よみ（名）=ジュウ")};
        QTest::newRow("Japanese names, code page 932, tabs")
            << sample("thunderbird_ja_tab.csv") << int(Format::LayoutThunderbird) << int(Format::Cp932)
            << QChar(u'\t')
            << QStringList{QStringLiteral(
                   "姓=鈴木 名=一郎 会社=ひまわり建設 役職=係長 電話 1=ichiro@example.jp/4 "
                   "電話 2=03-1111-2222/0 電話 3=090-3333-4444/7 住所=栄3-4-5 "
                   "市町村=名古屋市中区 都道府県=愛知県 郵便番号=460-0008 コメント=タブ\t入り")};
    }

    void samplesReadAsTheirLayout()
    {
        QFETCH(QString, path);
        QFETCH(int, layout);
        QFETCH(int, encoding);
        QFETCH(QChar, delimiter);
        QFETCH(QStringList, cards);
        const QByteArray bytes = TestDataDir::ReadFile(path);
        const Format format = Format::Guess(bytes);
        QCOMPARE(int(format.layout), layout);
        QCOMPARE(int(format.encoding), encoding);
        QCOMPARE(format.delimiter, delimiter);
        QVERIFY(format.hasHeader);
        QStringList refused;
        QStringList got;
        for (const CTavDbAddrCsv::Row& row : CTavDbAddrCsv::Read(bytes, format, &refused))
            got << summary(row);
        QCOMPARE(refused, QStringList());
        QCOMPARE(got, cards);
    }

    void brokenRecordsAreNamedAndTheRestRead_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("lastNames");
        QTest::addColumn<QStringList>("refused");
        const QByteArray big(CTavDbAddrCsv::kMaxRecordBytes + 10, 'x');
        QTest::newRow("cut inside quotes")
            << QByteArray("0,0,甲\r\n0,0,乙,,,,,,,,,,,,,,,,,,,,,,,,,,,\"未完\r\n")
            << QStringList{QStringLiteral("甲")} << QStringList{QStringLiteral("3行目: 引用符")};
        QTest::newRow("record over the limit") << QByteArray("0,0,甲\n0,0,\"" + big + "\"\n0,0,乙\n")
                                               << QStringList{QStringLiteral("甲"), QStringLiteral("乙")}
                                               << QStringList{QStringLiteral("3行目: 1 件のデータが 1 MB")};
        QTest::newRow("field over its bytes")
            << QByteArray("0,0," + QByteArray(257, 'a') + "\n0,0,乙\n") << QStringList{QStringLiteral("乙")}
            << QStringList{QStringLiteral("2行目: 姓が 256 バイト")};
        QTest::newRow("values out of range")
            << QByteArray("0,2,甲\n0,0,乙,,,,,,,9\n0,0,丙,,,,,,,,,,,,,,,,,7\n0,0,丁\n")
            << QStringList{QStringLiteral("丁")}
            << QStringList{QStringLiteral("2行目: プライベート"),
                           QStringLiteral("3行目: 電話 1 の種類 \"9\""),
                           QStringLiteral("4行目: 通常使用する連絡先")};
        QTest::newRow("bytes that are not UTF-8")
            << QByteArray("0,0,\x93\x8c\n0,0,乙\n") << QStringList{QStringLiteral("乙")}
            << QStringList{QStringLiteral("2行目: UTF-8")};
        QTest::newRow("blank and empty records, line breaks in quotes")
            << QByteArray("\r\n0,0,,,,,,,,,,\n0,0,\"甲\r\n二行目\"\n\n0,0,乙")
            << QStringList{QStringLiteral("甲\n二行目"), QStringLiteral("乙")} << QStringList();
    }

    void brokenRecordsAreNamedAndTheRestRead()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, lastNames);
        QFETCH(QStringList, refused);
        QStringList problems;
        QStringList names;
        for (const CTavDbAddrCsv::Row& row :
             CTavDbAddrCsv::Read("category,private,last_name\r\n" + body, Format::Own(), &problems))
            names << row.card.GetLastName();
        QCOMPARE(names, lastNames);
        QCOMPARE(problems.size(), refused.size());
        for (qsizetype i = 0; i < refused.size(); ++i)
            QVERIFY2(problems.at(i).startsWith(refused.at(i)), qPrintable(problems.at(i)));
    }

    void categoryNamedLikeANumberComesBack()
    {
        TestDataDir dir;
        CTavDbAddr store;
        uint32_t one = 0;
        QCOMPARE(store.AddCategory(QStringLiteral("1"), &one), TavStatusCode::Ok);
        R card;
        card.SetLastName(QStringLiteral("番号"));
        card.SetCategoryID(one);
        QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
        const QString csv = dir.filePath(QStringLiteral("one.csv"));
        QCOMPARE(store.ExportCsvFile(csv), TavStatusCode::Ok);
        QCOMPARE(store.ImportCsvFile(csv), TavStatusCode::Ok);
        QCOMPARE(store.AllRecords().back()->GetCategoryID(), one);
    }

    void importRefusesWholeFilesItCannotTake()
    {
        TestDataDir dir;
        CTavDbAddr store;
        const QString path = dir.filePath(QStringLiteral("bad.csv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("last_name,first_name\n\"" + QByteArray(300, 'a') + "\",x\n");
        f.close();
        QStringList refused;
        QCOMPARE(store.ImportCsvFile(path, nullptr, &refused), TavStatusCode::InvalidArgument);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(store.GetRecordCount(), 0);
        QCOMPARE(store.ImportCsvFile(dir.filePath(QStringLiteral("none.csv"))), TavStatusCode::FileError);
        // A number that is no category id is a category name.
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("category,last_name\n2024,甲\n1,乙\n");
        f.close();
        QCOMPARE(store.ImportCsvFile(path), TavStatusCode::Ok);
        QCOMPARE(store.FindCategoryById(store.AllRecords().at(0)->GetCategoryID())->GetName(),
                 QStringLiteral("2024"));
        QCOMPARE(store.AllRecords().at(1)->GetCategoryID(), 1u);
    }
};

QTEST_GUILESS_MAIN(TestAddrCsv)
#include "tst_addrcsv.moc"
