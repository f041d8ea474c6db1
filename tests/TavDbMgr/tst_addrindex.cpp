#include <QtTest>

#include "CTavDbAddr.h"

namespace {
struct Card
{
    QString lastYomi, last, firstYomi, first, companyYomi, company;
};

CTavDbAddrRecord makeCard(const Card& c)
{
    CTavDbAddrRecord card;
    card.SetLastNameYomi(c.lastYomi);
    card.SetLastName(c.last);
    card.SetFirstNameYomi(c.firstYomi);
    card.SetFirstName(c.first);
    card.SetCompanyYomi(c.companyYomi);
    card.SetCompany(c.company);
    return card;
}

// A card's label in expectations: its last name, else its first name, else its company.
QString label(const CTavDbAddrRecord& card)
{
    for (const QString& s : {card.GetLastName(), card.GetFirstName(), card.GetCompany()})
        if (!s.isEmpty())
            return s;
    return QStringLiteral("-");
}

QString viewOf(const CTavDbAddr& store)
{
    QStringList names;
    for (int i = 0; i < store.GetCount(); ++i)
        names << label(*store.GetAddrRecord(i));
    return names.join(u',');
}

QString labels(const QList<CTavDbAddrRecord*>& cards)
{
    QStringList names;
    for (const CTavDbAddrRecord* card : cards)
        names << label(*card);
    return names.join(u',');
}

const CTavDbSortCond kByName(CTavDbAddr::kSortName, 2);
const CTavDbSortCond kByCompany(CTavDbAddr::kSortCompany, 1);
} // namespace

Q_DECLARE_METATYPE(Card)

class AddrIndexTest : public QObject
{
    Q_OBJECT

private slots:
    void tabs_data();
    void tabs();
    void sortOrders();
    void resortFollowsEditedReadings();
    void search_data();
    void search();
};

void AddrIndexTest::tabs_data()
{
    QTest::addColumn<Card>("card");
    QTest::addColumn<bool>("byCompany");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("tab");

    const QString jp = QStringLiteral("jpJP");
    const QString us = QStringLiteral("enUS");
    auto reading = [](const QString& yomi, const QString& name = QStringLiteral("名")) {
        return Card{yomi, name, {}, {}, {}, {}};
    };
    QTest::newRow("hiragana reading") << reading(QStringLiteral("たなか")) << false << jp << 3;
    QTest::newRow("half-width reading") << reading(QStringLiteral("ﾀﾅｶ")) << false << jp << 3;
    QTest::newRow("half-width voiced") << reading(QStringLiteral("ｶﾞｯｺｳ")) << false << jp << 1;
    QTest::newRow("small tsu") << reading(QStringLiteral("っと")) << false << jp << 3;
    QTest::newRow("vu is in the ha row") << reading(QStringLiteral("ヴィオラ")) << false << jp << 5;
    QTest::newRow("wo and n are in the ra-wa row") << reading(QStringLiteral("をん")) << false << jp << 8;
    QTest::newRow("no reading: the name's kana") << reading({}, QStringLiteral("さくら")) << false << jp << 2;
    QTest::newRow("Latin name under kana tabs") << reading({}, QStringLiteral("Smith")) << false << jp << 9;
    QTest::newRow("empty card") << Card{} << false << jp << 9;
    QTest::newRow("first name only") << Card{{}, {}, QStringLiteral("はなこ"), QStringLiteral("花子"), {}, {}}
                                     << false << jp << 5;
    QTest::newRow("no name: the company")
        << Card{{}, {}, {}, {}, QStringLiteral("ヤマダショウジ"), QStringLiteral("山田商事")} << false << jp
        << 7;
    const Card both{QStringLiteral("たなか"),         QStringLiteral("田中"),      {}, {},
                    QStringLiteral("さくらぎんこう"), QStringLiteral("さくら銀行")};
    QTest::newRow("name order indexes the name") << both << false << jp << 3;
    QTest::newRow("company order indexes the company") << both << true << jp << 2;
    QTest::newRow("company order without a company") << reading(QStringLiteral("もり")) << true << jp << 6;

    QTest::newRow("Latin: STU") << reading({}, QStringLiteral("Smith")) << false << us << 6;
    QTest::newRow("Latin: full width") << reading({}, QStringLiteral("Ｚｅｔａ")) << false << us << 8;
    QTest::newRow("Latin: accent") << reading({}, QStringLiteral("Émile")) << false << us << 1;
    QTest::newRow("Latin: kana go to etc") << reading(QStringLiteral("たなか")) << false << us << 9;
}

void AddrIndexTest::tabs()
{
    QFETCH(Card, card);
    QFETCH(bool, byCompany);
    QFETCH(QString, locale);
    QFETCH(int, tab);
    CTavDbAddr store;
    store.SetTabLocale(locale);
    store.SetSortCond(byCompany ? kByCompany : kByName);
    CTavDbAddrRecord record = makeCard(card);
    QCOMPARE(store.AddRecord(record), TavStatusCode::Ok);
    QCOMPARE(store.TabOf(record), tab);
    for (int t = 0; t < CTavDbAddrIndex::kTabCount; ++t) {
        store.SetSearchTabIndex(t);
        QCOMPARE(store.GetCount(), t == tab || t == CTavDbAddrIndex::kTabAll ? 1 : 0);
    }
    store.SetSearchTabIndex(11); // out of range: every card
    QCOMPARE(store.GetSearchTabIndex(), CTavDbAddrIndex::kTabAll);
    QCOMPARE(store.GetCount(), 1);
}

void AddrIndexTest::sortOrders()
{
    CTavDbAddr store;
    const auto card = [](QString lastYomi, QString last, QString firstYomi, QString first,
                         QString companyYomi = {}, QString company = {}) {
        return Card{lastYomi, last, firstYomi, first, companyYomi, company};
    };
    const QList<Card> cards = {
        card("ﾀﾅｶ", "田中太", "ﾀﾛｳ", "太郎"),
        card("さとう", "佐藤", {}, {}, "ほくとしすてむ", "北斗"),
        card({}, {}, {}, {}, "ヤマダショウジ", "山田商事"),
        card("たなか", "田中花", "はなこ", "花子"),
        card("アベ", "阿部", {}, {}, "あすか", "飛鳥"),
        card({}, "Smith", {}, "John"),
        card({}, {}, {}, "ゆうき"),
    };
    for (const Card& c : cards) {
        CTavDbAddrRecord card = makeCard(c);
        QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
    }
    // Readings in any kana form sort together; a card without a last name sorts by the first,
    // one without a name by its company.
    QCOMPARE(viewOf(store), QStringLiteral("Smith,阿部,佐藤,田中太,田中花,山田商事,ゆうき"));
    store.SetSortCond(kByCompany);
    QCOMPARE(viewOf(store), QStringLiteral("Smith,阿部,田中太,田中花,佐藤,山田商事,ゆうき"));
    store.SetSortCond(CTavDbSortCond(0));
    QCOMPARE(viewOf(store), QStringLiteral("田中太,佐藤,山田商事,田中花,阿部,Smith,ゆうき"));

    // Tabs and sort together: the ta row in name order.
    store.SetSortCond(kByName);
    store.SetSearchTabIndex(3);
    QCOMPARE(viewOf(store), QStringLiteral("田中太,田中花"));
    store.SetSortCond(kByCompany);
    QCOMPARE(viewOf(store), QStringLiteral("田中太,田中花"));
    store.SetSearchTabIndex(0);
    QCOMPARE(viewOf(store), QStringLiteral("阿部"));
}

void AddrIndexTest::resortFollowsEditedReadings()
{
    // Collation keys are cached per card; an edit must not leave a stale key behind.
    CTavDbAddr store;
    CTavDbAddrRecord a = makeCard({QStringLiteral("あ"), QStringLiteral("A"), {}, {}, {}, {}});
    CTavDbAddrRecord b = makeCard({QStringLiteral("い"), QStringLiteral("B"), {}, {}, {}, {}});
    CTavDbAddrRecord c = makeCard({QStringLiteral("う"), QStringLiteral("C"), {}, {}, {}, {}});
    for (CTavDbAddrRecord* card : {&c, &b, &a})
        QCOMPARE(store.AddRecord(*card), TavStatusCode::Ok);
    QCOMPARE(viewOf(store), QStringLiteral("A,B,C"));
    a.SetLastNameYomi(QStringLiteral("ん"));
    QCOMPARE(store.UpdateRecord(a), TavStatusCode::Ok);
    QCOMPARE(viewOf(store), QStringLiteral("B,C,A"));
    QCOMPARE(store.DeleteRecord(b.GetUniqueId(), false), TavStatusCode::Ok);
    CTavDbAddrRecord d = makeCard({QStringLiteral("あ"), QStringLiteral("D"), {}, {}, {}, {}});
    QCOMPARE(store.AddRecord(d), TavStatusCode::Ok);
    QCOMPARE(viewOf(store), QStringLiteral("D,C,A"));
}

void AddrIndexTest::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint32_t>("category");
    QTest::addColumn<QString>("found");

    const uint32_t all = CTavDbPcRecord::kAllCategories;
    QTest::newRow("reading in another kana form")
        << QStringLiteral("たなか") << all << QStringLiteral("高田中,田中");
    QTest::newRow("case") << QStringLiteral("SMITH") << all << QStringLiteral("Smith");
    QTest::newRow("full-width letters") << QStringLiteral("ｓｍｉ") << all << QStringLiteral("Smith");
    QTest::newRow("phone") << QStringLiteral("090-1111") << all << QStringLiteral("Smith");
    QTest::newRow("e-mail") << QStringLiteral("@example.co.jp") << all << QStringLiteral("田中");
    QTest::newRow("note") << QStringLiteral("ゴルフ") << all << QStringLiteral("高田中");
    QTest::newRow("blank finds nothing") << QStringLiteral("  ") << all << QString();
    QTest::newRow("within the category") << QStringLiteral("たなか") << uint32_t(1) << QStringLiteral("田中");
}

void AddrIndexTest::search()
{
    QFETCH(QString, text);
    QFETCH(uint32_t, category);
    QFETCH(QString, found);
    CTavDbAddr store;
    CTavDbAddrRecord tanaka = makeCard({QStringLiteral("タナカ"), QStringLiteral("田中"), {}, {}, {}, {}});
    tanaka.SetPhone(1, QStringLiteral("taro@example.co.jp"));
    tanaka.SetPhoneLabelID(1, CTavDbAddrRecord::kLabelEmail);
    tanaka.SetCategoryID(1);
    CTavDbAddrRecord takada = makeCard({QStringLiteral("ﾀｶﾀﾅｶ"), QStringLiteral("高田中"), {}, {}, {}, {}});
    takada.SetNote(QStringLiteral("趣味: ゴルフ"));
    CTavDbAddrRecord smith = makeCard({{}, QStringLiteral("Smith"), {}, QStringLiteral("John"), {}, {}});
    smith.SetPhone(0, QStringLiteral("090-1111-2222"));
    for (CTavDbAddrRecord* card : {&tanaka, &takada, &smith})
        QCOMPARE(store.AddRecord(*card), TavStatusCode::Ok);
    store.SetCategoryFilter(category);
    QCOMPARE(labels(store.Search(text)), found);
}

QTEST_GUILESS_MAIN(AddrIndexTest)
#include "tst_addrindex.moc"
