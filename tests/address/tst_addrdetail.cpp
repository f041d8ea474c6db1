#include <QTest>

#include "AddrFixture.h"
#include "CTavAddrDetailText.h"
#include "CTavDbText.h"
#include "CTavRichText.h"

namespace {
CTavDbAddrRecord everyField()
{
    CTavDbAddrRecord c;
    c.SetLastName(QStringLiteral("山田"));
    c.SetFirstName(QStringLiteral("花子"));
    c.SetCompany(QStringLiteral("{山田} 商事"));
    c.SetTitle(QStringLiteral("課長"));
    const int labels[] = {CTavDbAddrRecord::kLabelMobile, CTavDbAddrRecord::kLabelWork,
                          CTavDbAddrRecord::kLabelFax, CTavDbAddrRecord::kLabelEmail,
                          CTavDbAddrRecord::kLabelPager};
    for (int i = 0; i < CTavDbAddrRecord::kPhoneCount; ++i) {
        c.SetPhone(i, QStringLiteral("phone%1").arg(i + 1));
        c.SetPhoneLabelID(i, labels[i]);
    }
    c.SetPhone(2, QString()); // an empty slot has no paragraph
    c.SetZipCode(QStringLiteral("100-0001"));
    c.SetState(QStringLiteral("東京都"));
    c.SetCity(QStringLiteral("千代田区"));
    c.SetAddress(QStringLiteral("千代田1-1"));
    c.SetCountry(QStringLiteral("日本"));
    c.SetCustom(0, QStringLiteral("誕生日"));
    c.SetCustom(3, QStringLiteral("血液型 A"));
    c.SetNote(QStringLiteral("一行目\n\\二行目"));
    return c;
}

QStringList labelled(const QList<CTavAddrDetailText::Paragraph>& paragraphs)
{
    QStringList out;
    for (const auto& p : paragraphs)
        out << p.label + u'=' + p.text;
    return out;
}
} // namespace

// The detail pane of a card: the paragraphs, their order in each locale, the rich text, and the
// pane in each private mode.
class TestAddrDetail : public QObject
{
    Q_OBJECT

private slots:
    void paragraphsInOrder_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("postal");
        QTest::newRow("Japanese: zip code first")
            << "jpJP"
            << QStringList{"郵便番号=100-0001", "都道府県=東京都", "市町村=千代田区", "住所=千代田1-1",
                           "国名=日本"};
        QTest::newRow("other: street first")
            << "enUS"
            << QStringList{"住所=千代田1-1", "市町村=千代田区", "都道府県=東京都", "郵便番号=100-0001",
                           "国名=日本"};
    }
    void paragraphsInOrder()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, postal);
        const QStringList custom{QStringLiteral("記念日"), QString(), QString(), QStringLiteral("血液")};
        const QStringList expected =
            QStringList{"名前=山田 花子", "会社名={山田} 商事", "役職=課長",      "携帯=phone1",
                        "会社℡=phone2",   "E-Mail=phone4",      "ポケベル=phone5"} +
            postal + QStringList{"記念日=誕生日", "血液=血液型 A", "コメント=一行目\n\\二行目"};
        QCOMPARE(labelled(CTavAddrDetailText::Paragraphs(everyField(), custom, locale)), expected);
        // An empty custom label is named by its number.
        CTavDbAddrRecord c;
        c.SetCustom(1, QStringLiteral("x"));
        c.SetFirstName(QStringLiteral("花子"));
        QCOMPARE(labelled(CTavAddrDetailText::Paragraphs(c, QStringList(4, QString()), locale)),
                 (QStringList{"名前= 花子", "カスタム2=x"}));
    }

    void richText()
    {
        const QStringList labels = CTavDbAddr::DefaultCustomLabels();
        const QByteArray doc =
            CTavAddrDetailText::Document(everyField(), labels, QStringLiteral("jpJP"), false);
        QVERIFY(doc.startsWith(CTavRichText::Header()));
        QVERIFY(doc.endsWith("\\par}"));
        const QByteArray company = "\\b\\fs28 " + CTavDbText::toCp932(QStringLiteral("会社名")) +
                                   "\\b0  : \\deff\\fs28 \\{" + CTavDbText::toCp932(QStringLiteral("山田")) +
                                   "\\} " + CTavDbText::toCp932(QStringLiteral("商事")) + "\\par";
        QVERIFY(doc.contains(company));
        QVERIFY(doc.contains("\\par \\\\"));
        // A private card: the same fields unless masked, then nothing of them.
        CTavDbAddrRecord secret = everyField();
        secret.SetPrivate(true);
        QCOMPARE(CTavAddrDetailText::Document(secret, labels, QStringLiteral("jpJP"), false), doc);
        QCOMPARE(CTavAddrDetailText::Document(secret, labels, QStringLiteral("jpJP"), true),
                 CTavRichText::Header() + "Private Data.}");
    }

    void privateModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("show") << 0;
        QTest::newRow("mask") << 1;
        QTest::newRow("hide") << 2;
    }
    void privateModes()
    {
        QFETCH(int, mode);
        AddrFixture f;
        f.Start();
        f.SetPrivateMode(mode);
        const int row = f.RowOf(QStringLiteral("秘密"));
        QCOMPARE(row >= 0, mode != 2);
        int privateCards = 0;
        for (const auto& rec : f.Store().AllRecords())
            privateCards += rec->GetIsPrivate() ? 1 : 0;
        QVERIFY(privateCards > 1);
        QCOMPARE(f.Doc().Count(), AddrFixture::kCardCount - (mode == 2 ? privateCards : 0));
        if (row >= 0) {
            f.ClickRow(row);
            QCOMPARE(f.DetailText().startsWith(QStringLiteral("Private Data.")), mode == 1);
            QCOMPARE(f.DetailText().contains(QStringLiteral("金庫の番号 1234")), mode == 0);
            if (mode == 1) { // a masked card's picture opens no chooser (nothing to answer)
                f.ClickRow(row, Qt::NoModifier, 10);
                QTest::qWait(20);
            }
        }
        f.ClickRow(f.RowOf(QStringLiteral("ハナコ")));
        QCOMPARE(f.DetailText(), QStringLiteral("名前 :  ハナコ\nコメント : 誕生日は{5月}\n"));
        const char* names[] = {"address-private-show", "address-private-mask", "address-private-hide"};
        f.ClickRow(f.RowOf(QStringLiteral("我妻")));
        AppTestEnv::Screenshot(f.App().MainFrame(), QLatin1String(names[mode]));
        QVERIFY(f.Env().AllAnswersUsed());
        f.Stop();
    }
};

QTEST_MAIN(TestAddrDetail)
#include "tst_addrdetail.moc"
