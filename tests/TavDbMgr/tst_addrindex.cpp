#include <QtTest>

#include "CTavDbAddr.h"

namespace {
// Last name, first name, company; each "reading|written", the reading may be left out.
CTavDbAddrRecord card(const QString& last, const QString& first = {}, const QString& company = {})
{
    CTavDbAddrRecord c;
    const auto split = [](const QString& s) { return s.contains(u'|') ? s.split(u'|') : QStringList{{}, s}; };
    c.SetLastNameYomi(split(last)[0]);
    c.SetLastName(split(last)[1]);
    c.SetFirstNameYomi(split(first)[0]);
    c.SetFirstName(split(first)[1]);
    c.SetCompanyYomi(split(company)[0]);
    c.SetCompany(split(company)[1]);
    return c;
}

// A card's label: its last name, else its first name, else its company.
QString label(const CTavDbAddrRecord& c)
{
    return !c.GetLastName().isEmpty()    ? c.GetLastName()
           : !c.GetFirstName().isEmpty() ? c.GetFirstName()
                                         : c.GetCompany();
}

QString viewOf(const CTavDbAddr& store)
{
    QStringList names;
    for (int i = 0; i < store.GetCount(); ++i)
        names << label(*store.GetAddrRecord(i));
    return names.join(u',');
}

const CTavDbSortCond kByName(CTavDbAddr::kSortName, 2);
const CTavDbSortCond kByCompany(CTavDbAddr::kSortCompany, 1);
} // namespace

class AddrIndexTest : public QObject
{
    Q_OBJECT

private slots:

    void sortOrders()
    {
        CTavDbAddr store;
        for (CTavDbAddrRecord c :
             {card("ﾀﾅｶ|田中太", "ﾀﾛｳ|太郎"), card("さとう|佐藤", {}, "ほくとしすてむ|北斗"),
              card({}, {}, "ヤマダショウジ|山田商事"), card("たなか|田中花", "はなこ|花子"),
              card("アベ|阿部", {}, "あすか|飛鳥"), card("Smith", "John"), card({}, "ゆうき")})
            QCOMPARE(store.AddRecord(c), TavStatusCode::Ok);
        // Readings in any kana form sort together; a card without a last name sorts by the first,
        // one without a name by its company.
        QCOMPARE(viewOf(store), QStringLiteral("Smith,阿部,佐藤,田中太,田中花,山田商事,ゆうき"));
        store.SetSortCond(kByCompany);
        QCOMPARE(viewOf(store), QStringLiteral("Smith,阿部,田中太,田中花,佐藤,山田商事,ゆうき"));
        store.SetSortCond(CTavDbSortCond(0));
        QCOMPARE(viewOf(store), QStringLiteral("田中太,佐藤,山田商事,田中花,阿部,Smith,ゆうき"));
        store.SetSortCond(kByName);
        store.SetSearchTabIndex(3);
        QCOMPARE(viewOf(store), QStringLiteral("田中太,田中花"));
    }

    void resortFollowsEditedReadings()
    {
        // Collation keys are cached per card; an edit must not leave a stale key behind.
        CTavDbAddr store;
        CTavDbAddrRecord a = card("あ|A");
        CTavDbAddrRecord b = card("い|B");
        CTavDbAddrRecord c = card("う|C");
        for (CTavDbAddrRecord* r : {&c, &b, &a})
            QCOMPARE(store.AddRecord(*r), TavStatusCode::Ok);
        QCOMPARE(viewOf(store), QStringLiteral("A,B,C"));
        a.SetLastNameYomi(QStringLiteral("ん"));
        QCOMPARE(store.UpdateRecord(a), TavStatusCode::Ok);
        QCOMPARE(store.DeleteRecord(b.GetUniqueId(), false), TavStatusCode::Ok);
        CTavDbAddrRecord d = card("あ|D");
        QCOMPARE(store.AddRecord(d), TavStatusCode::Ok);
        QCOMPARE(viewOf(store), QStringLiteral("D,C,A"));
    }

    void search()
    {
        CTavDbAddr store;
        CTavDbAddrRecord tanaka = card("タナカ|田中");
        tanaka.SetPhone(1, QStringLiteral("taro@example.co.jp"));
        tanaka.SetPhoneLabelID(1, CTavDbAddrRecord::kLabelEmail);
        tanaka.SetCategoryID(1);
        CTavDbAddrRecord takada = card("ﾀｶﾀﾅｶ|高田中");
        takada.SetNote(QStringLiteral("趣味: ゴルフ"));
        CTavDbAddrRecord smith = card("Smith", "John");
        smith.SetPhone(0, QStringLiteral("090-1111-2222"));
        for (CTavDbAddrRecord* c : {&tanaka, &takada, &smith})
            QCOMPARE(store.AddRecord(*c), TavStatusCode::Ok);
        const auto found = [&store](const QString& text) {
            QStringList names;
            for (const CTavDbAddrRecord* c : store.Search(text))
                names << label(*c);
            return names.join(u',');
        };
        QCOMPARE(found(QStringLiteral("たなか")), QStringLiteral("高田中,田中")); // another kana form
        QCOMPARE(found(QStringLiteral("ｓｍｉ")), QStringLiteral("Smith"));       // full-width, any case
        QCOMPARE(found(QStringLiteral("090-1111")), QStringLiteral("Smith"));
        QCOMPARE(found(QStringLiteral("@example.co.jp")), QStringLiteral("田中"));
        QCOMPARE(found(QStringLiteral("ゴルフ")), QStringLiteral("高田中"));
        QCOMPARE(found(QStringLiteral("  ")), QString());
        store.SetCategoryFilter(1);
        QCOMPARE(found(QStringLiteral("たなか")), QStringLiteral("田中"));
    }
};

QTEST_GUILESS_MAIN(AddrIndexTest)
#include "tst_addrindex.moc"
