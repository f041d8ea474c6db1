#include <QtTest>

#include "CTavDbAddr.h"
#include "CTavDbUser.h"
#include "TestDataDir.h"

namespace {
using Field = CTavDbAddrRecord::Field;

CTavDbAddrRecord named(const QString& last, uint32_t category = CTavDbPcRecord::kUnfiled)
{
    CTavDbAddrRecord card;
    card.SetLastName(last);
    card.SetCategoryID(category);
    return card;
}

// A card with every field set, each to a different value.
CTavDbAddrRecord fullCard()
{
    CTavDbAddrRecord card;
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f)
        card.SetField(static_cast<Field>(f), QStringLiteral("値%1 ｶﾅ \\ ' \"").arg(f));
    card.SetNote(QStringLiteral("一行目\n二行目\r\n三行目"));
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        card.SetPhoneLabelID(slot, 7 - slot);
    card.SetDisplayPhone(4);
    card.SetThumbName(QStringLiteral("_tavAddrTemp.jpg"));
    card.SetThumbData(QByteArray("\xFF\xD8\x00\x01 thumb \x00\xFF\xD9", 14));
    card.SetDummyThumb(2);
    card.SetQuilloName(QStringLiteral("Memo_0002.pdb"));
    card.SetPrivate(true);
    return card;
}

struct Users
{
    TestDataDir dir;
    CTavDbUser users;
    Users()
    {
        for (const QString& name : {QStringLiteral("hanako"), QStringLiteral("taro")}) {
            users.AddUser(name);
            users.AddUserDirectory(name);
        }
    }
};
} // namespace

class AddrStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldSurvivesWriteAndReload();
    void fieldLimits_data();
    void fieldLimits();
    void valueRanges();
    void customLabels_data();
    void customLabels();
    void thumbnailFromFile();
    void recordLimit();
    void pasteWithinOneUser();
    void pasteFromAnotherUserMapsCategoriesByName();
};

void AddrStoreTest::everyFieldSurvivesWriteAndReload()
{
    TestDataDir dir;
    const QString path = dir.filePath(QStringLiteral("address.ldb"));
    CTavDbAddr store;
    uint32_t friends = 0;
    QCOMPARE(store.AddCategory(QStringLiteral("友人"), &friends), TavStatusCode::Ok);
    CTavDbAddrRecord card = fullCard();
    card.SetCategoryID(friends);
    QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
    CTavDbAddrRecord plain = named(QStringLiteral("plain"));
    QCOMPARE(store.AddRecord(plain), TavStatusCode::Ok);
    const QStringList labels = {QStringLiteral("誕生日"), QStringLiteral("趣味"), QString(),
                                QStringLiteral("x")};
    QCOMPARE(store.SetCustomLabels(labels), TavStatusCode::Ok);
    QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);

    CTavDbAddr reread;
    QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
    const auto* back = static_cast<const CTavDbAddrRecord*>(reread.FindRecord(card.GetUniqueId()));
    QVERIFY(back);
    QVERIFY(back->IsEqualPdt(card));
    QCOMPARE(back->GetThumbData(), card.GetThumbData());
    QCOMPARE(reread.GetCustomLabels(), labels);
    QCOMPARE(reread.FindCategoryById(friends)->GetName(), QStringLiteral("友人"));
    const auto* other = static_cast<const CTavDbAddrRecord*>(reread.FindRecord(plain.GetUniqueId()));
    QVERIFY(other->IsEqualPdt(plain));

    // Labels changed alone still reach the file; the cards are not touched.
    QCOMPARE(reread.SetCustomLabels(CTavDbAddr::DefaultCustomLabels()), TavStatusCode::Ok);
    QVERIFY(reread.IsModified());
    QCOMPARE(reread.Write(), TavStatusCode::Ok);
    CTavDbAddr third;
    QCOMPARE(third.LoadFromFile(path), TavStatusCode::Ok);
    QCOMPARE(third.GetCustomLabels(), CTavDbAddr::DefaultCustomLabels());
    QCOMPARE(third.GetRecordCount(), 2);
}

void AddrStoreTest::fieldLimits_data()
{
    QTest::addColumn<int>("field");
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f)
        QTest::addRow("field %d", f) << f;
}

void AddrStoreTest::fieldLimits()
{
    QFETCH(int, field);
    const auto f = static_cast<Field>(field);
    const int limit = CTavDbAddrRecord::MaxBytes(f);
    CTavDbAddr store;
    CTavDbAddrRecord card = named(QStringLiteral("keep"));
    QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);

    // Double-byte characters: the limit is in bytes of code page 932, not in characters.
    const QString fits = QString(limit / 2, QChar(0x8A9E));
    const QString over = QString(limit / 2 - 1, QChar(0x8A9E)) + QStringLiteral("ab") + QChar(0xFF71);
    CTavDbAddrRecord edit = card;
    edit.SetField(f, over);
    QCOMPARE(edit.FirstOverlongField(), f);
    QCOMPARE(store.UpdateRecord(edit), TavStatusCode::InvalidArgument);
    QCOMPARE(store.AddRecord(edit), TavStatusCode::InvalidArgument);
    QCOMPARE(store.GetRecordCount(), 1);
    QCOMPARE(static_cast<CTavDbAddrRecord*>(store.FindRecord(card.GetUniqueId()))->GetField(f),
             f == CTavDbAddrRecord::LastName ? QStringLiteral("keep") : QString());

    edit.SetField(f, fits);
    QCOMPARE(edit.FirstOverlongField(), CTavDbAddrRecord::FieldCount);
    QCOMPARE(store.UpdateRecord(edit), TavStatusCode::Ok);
    QCOMPARE(static_cast<CTavDbAddrRecord*>(store.FindRecord(card.GetUniqueId()))->GetField(f), fits);
}

void AddrStoreTest::valueRanges()
{
    CTavDbAddr store;
    CTavDbAddrRecord card = named(QStringLiteral("range"));
    QVERIFY(card.HasValidValues());
    QCOMPARE(card.GetPhoneLabelID(4), int(CTavDbAddrRecord::kLabelEmail));
    card.SetPhoneLabelID(2, 8);
    QCOMPARE(store.AddRecord(card), TavStatusCode::InvalidArgument);
    card.SetPhoneLabelID(2, 7);
    card.SetDisplayPhone(6);
    QCOMPARE(store.AddRecord(card), TavStatusCode::InvalidArgument);
    card.SetDisplayPhone(0);
    card.SetThumbData(QByteArray(CTavDbAddrRecord::kMaxThumbBytes + 1, 'x'));
    QCOMPARE(store.AddRecord(card), TavStatusCode::InvalidArgument);
    card.SetThumbData(QByteArray());
    QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
    // With no usual contact chosen, the first phone stands in.
    card.SetPhone(0, QStringLiteral("03-1111-2222"));
    QCOMPARE(card.GetDisplayPhoneText(), QStringLiteral("03-1111-2222"));
    // An e-mail address is a slot labelled e-mail with text in it.
    QVERIFY(!card.HasEmail());
    card.SetPhone(4, QStringLiteral("a@example.jp"));
    QVERIFY(card.HasEmail());
    card.SetPhoneLabelID(4, CTavDbAddrRecord::kLabelOther);
    QVERIFY(!card.HasEmail());
}

void AddrStoreTest::customLabels_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<bool>("accepted");

    const QString kanji7 = QString(7, QChar(0x5B57));
    QTest::newRow("15 single-byte") << QStringList{QString(15, u'a'), {}, {}, {}} << true;
    QTest::newRow("16 single-byte") << QStringList{QString(16, u'a'), {}, {}, {}} << false;
    QTest::newRow("7 double-byte and one single") << QStringList{{}, kanji7 + u'a', {}, {}} << true;
    QTest::newRow("8 double-byte") << QStringList{{}, {}, {}, kanji7 + QChar(0x5B57)} << false;
    QTest::newRow("three labels") << QStringList{{}, {}, {}} << false;
}

void AddrStoreTest::customLabels()
{
    QFETCH(QStringList, labels);
    QFETCH(bool, accepted);
    CTavDbAddr store;
    QCOMPARE(store.SetCustomLabels(labels), accepted ? TavStatusCode::Ok : TavStatusCode::InvalidArgument);
    QCOMPARE(store.GetCustomLabels(), accepted ? labels : CTavDbAddr::DefaultCustomLabels());
}

void AddrStoreTest::thumbnailFromFile()
{
    const QString jpeg = QStringLiteral(LUMORA_TEST_DATA_DIR "/camera/Kodak_CX7530.jpg");
    QFile file(jpeg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    CTavDbAddrRecord card;
    QVERIFY(card.LoadThumbData(jpeg));
    QCOMPARE(card.GetThumbData(), file.readAll());
    QVERIFY(!card.LoadThumbData(QStringLiteral("/nonexistent/_tavAddrTemp.jpg")));
    QCOMPARE(card.GetThumbData().size(), file.size());
}

void AddrStoreTest::recordLimit()
{
    TestDataDir dir;
    const QString path = dir.filePath(QStringLiteral("address.ldb"));
    CTavDbAddr store;
    CTavDbAddrRecord card = named(QStringLiteral("佐藤"));
    for (int i = 0; i < CTavDbAddr::kMaxRecords; ++i)
        QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
    QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
    QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);
    CTavDbAddrRecord extra = named(QStringLiteral("extra"));
    QCOMPARE(store.AddRecord(extra), TavStatusCode::RecordLimit);
    QCOMPARE(store.PasteRecords({extra}, QString()), TavStatusCode::RecordLimit);
    QCOMPARE(store.GetRecordCount(), CTavDbAddr::kMaxRecords);
    QVERIFY(!store.IsModified());
}

void AddrStoreTest::pasteWithinOneUser()
{
    Users u;
    QCOMPARE(u.users.SetCurrUserName(QStringLiteral("taro")), TavStatusCode::Ok);
    CTavDbAddr store;
    store.AttachUsers(&u.users);
    QCOMPARE(store.Load(), TavStatusCode::Ok);
    uint32_t work = 0;
    QCOMPARE(store.AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
    CTavDbAddrRecord a = fullCard();
    a.SetCategoryID(work);
    CTavDbAddrRecord b = named(QStringLiteral("b"));
    QCOMPARE(store.AddRecord(a), TavStatusCode::Ok);
    QCOMPARE(store.AddRecord(b), TavStatusCode::Ok);

    QList<uint32_t> ids;
    QCOMPARE(store.PasteRecords({a, b}, QStringLiteral("taro"), &ids), TavStatusCode::Ok);
    QCOMPARE(store.GetRecordCount(), 4);
    const auto* copy = static_cast<const CTavDbAddrRecord*>(store.FindRecord(ids[0]));
    QVERIFY(ids[0] != a.GetUniqueId());
    QVERIFY(copy->IsEqualPdt(a));

    // One card the store cannot keep: none of them is pasted.
    CTavDbAddrRecord bad = named(QString(300, u'x'));
    QCOMPARE(store.PasteRecords({b, bad}, QString()), TavStatusCode::InvalidArgument);
    QCOMPARE(store.GetRecordCount(), 4);
}

void AddrStoreTest::pasteFromAnotherUserMapsCategoriesByName()
{
    Users u;
    QCOMPARE(u.users.SetCurrUserName(QStringLiteral("hanako")), TavStatusCode::Ok);
    CTavDbAddr theirs;
    theirs.AttachUsers(&u.users);
    QCOMPARE(theirs.Load(), TavStatusCode::Ok);
    uint32_t family = 0;
    uint32_t club = 0;
    QCOMPARE(theirs.AddCategory(QStringLiteral("家族"), &family), TavStatusCode::Ok);
    QCOMPARE(theirs.AddCategory(QStringLiteral("クラブ"), &club), TavStatusCode::Ok);
    QCOMPARE(theirs.Write(), TavStatusCode::Ok);
    const QList<CTavDbAddrRecord> clipboard = {named(QStringLiteral("父"), family),
                                               named(QStringLiteral("部長"), club),
                                               named(QStringLiteral("無"))};

    QCOMPARE(u.users.SetCurrUserName(QStringLiteral("taro")), TavStatusCode::Ok);
    CTavDbAddr mine;
    mine.AttachUsers(&u.users);
    QCOMPARE(mine.Load(), TavStatusCode::Ok);
    uint32_t other = 0;
    uint32_t myFamily = 0;
    QCOMPARE(mine.AddCategory(QStringLiteral("その他"), &other), TavStatusCode::Ok);
    QCOMPARE(mine.AddCategory(QStringLiteral("家族"), &myFamily), TavStatusCode::Ok);
    QVERIFY(myFamily != family);

    QList<uint32_t> ids;
    QCOMPARE(mine.PasteRecords(clipboard, QStringLiteral("hanako"), &ids), TavStatusCode::Ok);
    QCOMPARE(mine.FindRecord(ids[0])->GetCategoryID(), myFamily);
    QCOMPARE(mine.FindCategoryById(mine.FindRecord(ids[1])->GetCategoryID())->GetName(),
             QStringLiteral("クラブ"));
    QCOMPARE(mine.FindRecord(ids[2])->GetCategoryID(), CTavDbPcRecord::kUnfiled);

    // From a user this PC does not know, category ids mean nothing: unfiled.
    ids.clear();
    QCOMPARE(mine.PasteRecords(clipboard, QStringLiteral("nobody"), &ids), TavStatusCode::Ok);
    for (uint32_t id : ids)
        QCOMPARE(mine.FindRecord(id)->GetCategoryID(), CTavDbPcRecord::kUnfiled);
}

QTEST_GUILESS_MAIN(AddrStoreTest)
#include "tst_addrstore.moc"
