#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "CTavDbAddr.h"
#include "CTavDbAddrVCard.h"
#include "TestDataDir.h"

namespace {
using Card = CTavDbAddrVCard::Card;
using Rec = CTavDbAddrRecord;

const QStringList kCategories = {QStringLiteral("未分類"), QStringLiteral("仕事"),   QStringLiteral("個人"),
                                 QStringLiteral("家族"),   QStringLiteral("取引先"), QStringLiteral("友人")};
// Record fields by the names of the generator's expected values (and the tests' samples).
const QStringList kFieldNames =
    QStringLiteral(
        "last_name last_name_reading first_name first_name_reading company company_reading title "
        "phone1 phone2 phone3 phone4 phone5 address city state zip country custom1 custom2 custom3 "
        "custom4 note")
        .split(u' ');

// One value of a card under the name the expectations use.
QString valueOf(const Card& card, const QString& key)
{
    const Rec& r = card.record;
    const qsizetype field = kFieldNames.indexOf(key);
    if (field >= 0)
        return r.GetField(Rec::Field(field));
    if (key.startsWith(QLatin1String("phone")) && key.endsWith(QLatin1String("_label")))
        return QString::number(r.GetPhoneLabelID(key.mid(5, 1).toInt() - 1));
    if (key == QLatin1String("display_phone")) // counted from 0 as the generator does
        return QString::number(r.GetDisplayPhone() - 1);
    if (key == QLatin1String("private"))
        return QString::number(r.GetIsPrivate());
    if (key == QLatin1String("category"))
        return card.category;
    if (key == QLatin1String("thumb")) {
        const QImage image = QImage::fromData(r.GetThumbData(), "JPG");
        return image.isNull() ? QString() : QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
    }
    return QStringLiteral("?%1").arg(key);
}

QList<Card> read(const QByteArray& bytes, QStringList* notes = nullptr)
{
    QList<Card> cards;
    CTavDbAddrVCard::Read(bytes, &cards, notes);
    return cards;
}

QByteArray pictureBase64(int w, int h, const char* format = "PNG")
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30, 128));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data().toBase64();
}

// Base64 as 2.1 phones write it: lines of 60 characters, not indented, a blank line after.
QByteArray base64Lines21(const QByteArray& base64)
{
    QByteArray out;
    for (qsizetype i = 0; i < base64.size(); i += 60)
        out += base64.mid(i, 60) + "\r\n";
    return out + "\r\n";
}

void makeCategories(CTavDbAddr& store)
{
    for (const QString& name : kCategories.mid(1))
        store.AddCategory(name);
}
} // namespace

class AddrVCardTest : public QObject
{
    Q_OBJECT

private slots:
    void generatedCardsMatchTheirExpectedFields_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("v21");
        QTest::newRow("3.0 UTF-8") << "cards.vcf" << false;
        QTest::newRow("2.1 Shift_JIS quoted-printable") << "cards_sjis21.vcf" << true;
    }
    void generatedCardsMatchTheirExpectedFields()
    {
        QFETCH(QString, file);
        QFETCH(bool, v21);
        TestDataDir dir;
        CTavDbAddr store;
        makeCategories(store);
        QStringList refused;
        QCOMPARE(store.ImportVCardFile(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/") + file, &refused),
                 TavStatusCode::Ok);
        QVERIFY2(refused.isEmpty(), qPrintable(refused.join(u'\n')));
        QFile jsonl(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.jsonl"));
        QVERIFY(jsonl.open(QIODevice::ReadOnly));
        const QList<QByteArray> expected = jsonl.readAll().trimmed().split('\n');
        QCOMPARE(store.GetRecordCount(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const auto* rec = static_cast<const Rec*>(store.AllRecords().at(i).get());
            const Card card{*rec, store.FindCategoryById(rec->GetCategoryID())->GetName()};
            const QJsonObject want = QJsonDocument::fromJson(expected.at(i)).object();
            for (auto it = want.begin(); it != want.end(); ++it) {
                const QString key = it.key(), tag = QStringLiteral("card %1 %2=").arg(i + 1).arg(key);
                // 2.1 as phones write it has no category, private flag, custom fields, company reading.
                if (v21 &&
                    QRegularExpression("^(category|private|custom.|company_reading)$").match(key).hasMatch())
                    continue;
                const QString value = it.value().toString();
                QCOMPARE(tag + valueOf(card, key),
                         tag + (key == "category" ? kCategories.at(value.toInt()) : value));
            }
        }
    }

    void exportedCardsImportUnchanged()
    {
        TestDataDir dir;
        CTavDbAddr store;
        makeCategories(store);
        QCOMPARE(store.ImportVCardFile(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.vcf")),
                 TavStatusCode::Ok);
        QList<Card> extra = read("BEGIN:VCARD\nVERSION:3.0\nN:Ｘ\\;線;太郎\nPHOTO;ENCODING=b;TYPE=PNG:" +
                                 pictureBase64(200, 100) + "\nEND:VCARD\n");
        Rec odd = extra.value(0).record; // its photo is checked after the round trip
        odd.SetCustom(2, QStringLiteral("カスタム三, \\;"));
        odd.SetCustom(3, QString(200, QChar(0x8868)).left(128)); // 256 bytes of 表: folded many times
        odd.SetNote(QStringLiteral("一行目\n\n三行目 "));
        for (int slot = 0; slot < Rec::kPhoneCount; ++slot) {
            odd.SetPhone(slot, QStringLiteral("0%1-2").arg(slot));
            odd.SetPhoneLabelID(slot, (slot * 3 + 1) % Rec::kPhoneLabelCount); // 1 4 7 2 5
        }
        odd.SetDisplayPhone(5);
        odd.SetPrivate(true);
        QCOMPARE(store.AddRecord(odd), TavStatusCode::Ok);
        QList<uint32_t> ids;
        for (const auto& rec : store.AllRecords())
            ids.prepend(rec->GetUniqueId()); // exported in another order than stored
        const QString path = dir.filePath(QStringLiteral("out.vcf"));
        QCOMPARE(store.ExportVCardFile(path, ids), TavStatusCode::Ok);

        const QByteArray written = TestDataDir::ReadFile(path);
        QVERIFY(written.endsWith("END:VCARD\r\n") && !written.contains("\n\n"));
        for (const QByteArray& line : written.split('\n'))
            QVERIFY2(line.size() <= 76 && QString::fromUtf8(line).toUtf8() == line, line.constData());
        CTavDbAddr back;
        makeCategories(back);
        QCOMPARE(back.ImportVCardFile(path), TavStatusCode::Ok);
        QCOMPARE(back.GetRecordCount(), ids.size());
        for (int i = 0; i < ids.size(); ++i)
            QVERIFY2(back.AllRecords().at(i)->IsEqualPdt(*store.FindRecord(ids.at(i))),
                     qPrintable(QString::number(i)));
        QVERIFY(!static_cast<const Rec&>(*back.AllRecords().front()).GetThumbData().isEmpty());

        QCOMPARE(store.ExportVCardFile(path, {ids.front(), 0xABCDEF}), TavStatusCode::NotFound);
        QCOMPARE(store.ExportVCardFile(dir.path(), {ids.front()}), TavStatusCode::FileError);
    }

    void dialectsOfOtherPrograms_data()
    {
        QTest::addColumn<QByteArray>("vcard");
        QTest::addColumn<QString>("expected"); // key=value|key=value...
        QTest::addColumn<QString>("said");     // what the card lost on the way in
        QTest::newRow("2.1 phone, UTF-8, phonetic names")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=B1=B1=E7=94"
                   "=B0;=E5=A4=AA=E9=83=8E;;;\r\nX-PHONETIC-FIRST-NAME;CHARSET=UTF-8:\xEF\xBE\x80\xEF\xBE"
                   "\x9B\xEF\xBD\xB3\r\nX-PHONETIC-LAST-NAME:\xEF\xBE\x94\xEF\xBE\x8F\xEF\xBE\x80\xEF\xBE"
                   "\x9E\r\nTEL;CELL;PREF:090-1111-2222\r\nTEL;HOME:03-1111-2222\r\nEMAIL;HOME:a@b.jp\r\n"
                   "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:=E4=B8=80=0D=0A=E4=\r\n=BA=8C\r\nX-CLASS:"
                   "confidential\r\nPHOTO;ENCODING=BASE64;JPEG:") +
                   base64Lines21(pictureBase64(40, 30, "JPG")) + "END:VCARD\r\n"
            << QStringLiteral(
                   "last_name=山田|first_name=太郎|last_name_reading=ヤマダ|first_name_reading=タロウ|"
                   "phone1=090-1111-2222|phone1_label=7|phone2_label=1|phone3=a@b.jp|phone3_label=4|"
                   "phone4_label=0|phone5_label=2|display_phone=0|note=一\n二|private=1")
            << QString();
        QTest::newRow("2.1 Shift_JIS without charset: 0x5C after a lead byte is no escape")
            << QByteArray(
                   "BEGIN:VCARD\nVERSION:2.1\nN:\x95\x5C\\;x;\x83\x5C;;\nSOUND;X-IRMC-N;ENCODING=QUOTED-PRI"
                   "NTABLE:=B6=DE=DD=C0=DE=B0=20=CA=DF;=BA=B0=C4\nNOTE:a\\b\nORG:\xFF\xFE\nEND:VCARD\n")
            << QStringLiteral("last_name=表;x|first_name=ソ|last_name_reading=ガンダー パ|"
                              "first_name_reading=コート|note=a\\b|company=??")
            << QString();
        QTest::newRow("3.0 of a phone: groups, SORT-STRING, ADR in one component")
            << QByteArray(
                   "BEGIN:VCARD\nVERSION:3.0\nN:佐藤;花子;;;\nFN:佐藤 花子\nSORT-STRING:サトウ　ハナコ\n"
                   "item1.EMAIL;type=INTERNET;type=pref:h@x.jp\nitem1.X-ABLabel:_$!<Other>!$_\n"
                   "TEL;type=IPHONE;type=CELL;type=VOICE:080\nTEL;type=WORK;type=FAX:06\nTEL;type=MAIN:05\n"
                   "TEL;type=PAGER:04\nTEL;type=WORK;type=VOICE;type=pref:03\n"
                   "ADR;type=HOME:;;東京都千代田区外神田1-2-3\\nメゾン 203;;;;\nEND:VCARD\n")
            << QStringLiteral(
                   "last_name_reading=サトウ|first_name_reading=ハナコ|phone1=h@x.jp|phone1_label=4|"
                   "phone2_label=7|phone3_label=2|phone4_label=5|phone5=04|phone5_label=6|"
                   "display_phone=0|address=東京都千代田区外神田1-2-3\nメゾン 203|city=")
            << QStringLiteral("1行目: 電話番号と電子メールは最初の 5 件だけ読み込みました。");
        QTest::newRow("4.0: SORT-AS, tel: address, PREF=1, data: photo, name only as FN")
            << QByteArray(
                   "BEGIN:VCARD\nVERSION:4.0\nFN:Jane Roe\nORG;SORT-AS=\"ﾛｰ ｼｮｳｶｲ\":ロー商会;営業部\n"
                   "TEL;VALUE=uri;TYPE=\"work,voice\";PREF=2:tel:+81-3-1\nTEL;TYPE=home;PREF=1:tel:+81-3-2\n"
                   "PHOTO:data:image/png;base64,") +
                   pictureBase64(150, 300) + "\nCATEGORIES:仕事,友人\nEND:VCARD\n"
            << QStringLiteral(
                   "last_name=Jane Roe|company=ロー商会|company_reading=ロー ショウカイ|"
                   "phone1=+81-3-1|phone1_label=0|phone2_label=1|display_phone=1|thumb=48x96|category=仕事")
            << QString();
        QTest::newRow("4.0 SORT-AS on N")
            << QByteArray("BEGIN:VCARD\nVERSION:4.0\nN;SORT-AS=\"ヤマダ,ハナコ\":山田;花子;;;\nEND:VCARD\n")
            << QStringLiteral("last_name_reading=ヤマダ|first_name_reading=ハナコ") << QString();
        QTest::newRow("Google export 3.0, six phones, long title, escapes")
            << QByteArray(
                   "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nN:Lee;Ann;;;\nORG:Acme\\, Inc.;R&D\nTITLE:") +
                   QString(200, QChar(0x3042)).toUtf8() +
                   "\nTEL;TYPE=CELL:1\nTEL:2\nTEL:3\nEMAIL;TYPE=INTERNET;TYPE=HOME:4\nTEL;TYPE=HOME:5\n"
                   "TEL;TYPE=CELL,PREF:6\nADR;TYPE=HOME:;;1 Main St;Springfield;IL;62701;USA\n"
                   "NOTE:a\\nb\\, c\\; d\\\\\nCATEGORIES:myContacts,starred\nCLASS:PUBLIC\nEND:VCARD\n"
            << QStringLiteral("company=Acme, Inc.|title=") + QString(128, QChar(0x3042)) +
                   QStringLiteral(
                       "|phone5=5|phone5_label=1|display_phone=-1|address=1 Main St|city=Springfield|"
                       "state=IL|zip=62701|country=USA|note=a\nb, c; d\\|private=0|category=myContacts")
            << QStringLiteral("1行目: 長すぎる項目を切り詰めて読み込みました。|1行目: "
                              "電話番号と電子メールは最初の 5 件だけ読み込みました。");
    }
    void dialectsOfOtherPrograms()
    {
        QFETCH(QByteArray, vcard);
        QFETCH(QString, expected);
        QFETCH(QString, said);
        QStringList notes;
        const QList<Card> cards = read(vcard, &notes);
        QCOMPARE(notes.join(u'|'), said);
        QCOMPARE(cards.size(), 1);
        for (const QString& e : expected.split(u'|')) {
            const qsizetype eq = e.indexOf(u'=');
            QCOMPARE(valueOf(cards.front(), e.left(eq)), e.mid(eq + 1));
        }
    }

    void badCardsAreRefusedWithTheirLine()
    {
        const QByteArray good = "BEGIN:VCARD\nVERSION:3.0\nN:良;一\nEND:VCARD\n";
        QByteArray bytes = good;                                                             // lines 1-4
        bytes += "BEGIN:VCARD\nVERSION:3.0\nN:写真\nPHOTO;ENCODING=b:aGVsbG8=\nEND:VCARD\n"; // 5-9
        bytes += "BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n"; // 10-12: nothing in it
        bytes += "BEGIN:VCARD\nVERSION:3.0\nNOTE:" + QByteArray(8 << 20, 'x') + "\nEND:VCARD\n"; // 13-16
        bytes += good;                                                                           // 17-20
        bytes += "BEGIN:VCARD\nVERSION:3.0\nN:切れ;た\nBEGIN:VCARD\nN:後;続\nEND:VCARD\n";       // 21-26
        bytes += "BEGIN:VCARD\nN:最後";                                                          // 27-28, cut
        QStringList notes;
        const QList<Card> cards = read(bytes, &notes);
        QStringList names; // the bad photo is dropped, its card kept
        for (const Card& card : cards)
            names << card.record.GetLastName() + (card.record.GetThumbData().isEmpty() ? "" : "+photo");
        QCOMPARE(names, QStringList({"良", "写真", "良", "後"}));
        QVERIFY(notes.value(0).startsWith(QStringLiteral("8行目: 写真")));
        QStringList lines;
        for (const QString& note : notes)
            lines << note.section(u':', 0, 0);
        QCOMPARE(lines, QStringList({"8行目", "10行目", "13行目", "21行目", "27行目"}));

        TestDataDir dir;
        CTavDbAddr store;
        const QString path = dir.filePath(QStringLiteral("x.vcf"));
        for (const QByteArray& content :
             {QByteArray(), QByteArray("BEGIN:VCARD\nN:a\n"), QByteArray("hello")}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
            f.close();
            QStringList refused;
            QCOMPARE(store.ImportVCardFile(path, &refused), TavStatusCode::Corrupt);
            QCOMPARE(refused.size(), 1);
            QCOMPARE(store.GetRecordCount(), 0);
        }
        QCOMPARE(store.ImportVCardFile(dir.filePath(QStringLiteral("missing.vcf"))),
                 TavStatusCode::FileError);
    }

    void recordLimitAddsNothing()
    {
        TestDataDir dir;
        CTavDbAddr store;
        Rec card;
        card.SetLastName(QStringLiteral("x"));
        for (int i = store.GetRecordCount(); i < CTavDbAddr::kMaxRecords - 39; ++i)
            QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
        const QString path = QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.vcf");
        QCOMPARE(store.ImportVCardFile(path), TavStatusCode::RecordLimit);
        QCOMPARE(store.GetRecordCount(), CTavDbAddr::kMaxRecords - 39);
        QCOMPARE(store.DeleteRecord(card.GetUniqueId(), false), TavStatusCode::Ok);
        QCOMPARE(store.ImportVCardFile(path), TavStatusCode::Ok);
        QCOMPARE(store.GetRecordCount(), CTavDbAddr::kMaxRecords);
    }
};

QTEST_GUILESS_MAIN(AddrVCardTest)
#include "tst_addrvcard.moc"
