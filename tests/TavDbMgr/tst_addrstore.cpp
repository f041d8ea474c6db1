#include <QtTest>
#include <functional>

#include "CTavDbAddr.h"
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
} // namespace

class AddrStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldSurvivesWriteAndReload()
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
        QVERIFY(reread.FindRecord(plain.GetUniqueId())->IsEqualPdt(plain));

        // Labels changed alone still reach the file.
        QCOMPARE(reread.SetCustomLabels(CTavDbAddr::DefaultCustomLabels()), TavStatusCode::Ok);
        QCOMPARE(reread.Write(), TavStatusCode::Ok);
        QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(store.GetCustomLabels(), CTavDbAddr::DefaultCustomLabels());
    }

    // Limits are in bytes of code page 932; a refused card changes nothing.
    void limits()
    {
        CTavDbAddr store;
        CTavDbAddrRecord card = named(QStringLiteral("keep"));
        QCOMPARE(store.AddRecord(card), TavStatusCode::Ok);
        CTavDbAddrRecord edit = card;
        edit.SetField(CTavDbAddrRecord::Company,
                      QString(CTavDbAddrRecord::MaxBytes(CTavDbAddrRecord::Company) / 2, u'語'));
        QCOMPARE(store.UpdateRecord(edit), TavStatusCode::Ok);
        for (const auto& change : std::initializer_list<std::function<void(CTavDbAddrRecord&)>>{
                 [](CTavDbAddrRecord& c) {
                     c.SetField(CTavDbAddrRecord::Company, c.GetField(CTavDbAddrRecord::Company) + u'a');
                 },
                 [](CTavDbAddrRecord& c) { c.SetPhoneLabelID(2, 8); },
                 [](CTavDbAddrRecord& c) { c.SetDisplayPhone(6); },
                 [](CTavDbAddrRecord& c) {
                     c.SetThumbData(QByteArray(CTavDbAddrRecord::kMaxThumbBytes + 1, 'x'));
                 }}) {
            CTavDbAddrRecord bad = edit;
            change(bad);
            QCOMPARE(store.UpdateRecord(bad), TavStatusCode::InvalidArgument);
            QCOMPARE(store.AddRecord(bad), TavStatusCode::InvalidArgument);
        }
        QVERIFY(store.FindRecord(card.GetUniqueId())->IsEqualPdt(edit));
        QCOMPARE(store.GetRecordCount(), 1);
        // Custom labels: 15 bytes each, four of them.
        const QString seven = QString(7, u'字');
        QCOMPARE(store.SetCustomLabels({{}, seven + u'a', {}, {}}), TavStatusCode::Ok);
        QCOMPARE(store.SetCustomLabels({{}, {}, {}, seven + u'字'}), TavStatusCode::InvalidArgument);
        QCOMPARE(store.SetCustomLabels({{}, {}, {}}), TavStatusCode::InvalidArgument);
        QCOMPARE(store.GetCustomLabels(), (QStringList{{}, seven + u'a', {}, {}}));
        // The thumbnail is read from a real camera file.
        const QString jpeg = QStringLiteral(LUMORA_TEST_DATA_DIR "/camera/Kodak_CX7530.jpg");
        QVERIFY(card.LoadThumbData(jpeg));
        QFile file(jpeg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(card.GetThumbData(), file.readAll());
    }

    void pasteMapsCategoriesByName()
    {
        CTavDbAddr mine;
        uint32_t myFamily = 0;
        QCOMPARE(mine.AddCategory(QStringLiteral("その他")), TavStatusCode::Ok);
        QCOMPARE(mine.AddCategory(QStringLiteral("家族"), &myFamily), TavStatusCode::Ok);
        // The ids are those of the store copied from (a backup file, another user): only the
        // names count. A name missing here is added; no name is unfiled.
        CTavDbAddrRecord father = fullCard();
        father.SetCategoryID(myFamily + 5);
        const QList<CTavDbAddrRecord> clipboard = {father, named(QStringLiteral("部長"), myFamily),
                                                   named(QStringLiteral("無"), myFamily)};
        QList<uint32_t> ids;
        QCOMPARE(mine.PasteRecords(clipboard, {QStringLiteral("家族"), QStringLiteral("クラブ")}, &ids),
                 TavStatusCode::Ok);
        const CTavDbPcRecord* copy = mine.FindRecord(ids[0]);
        father.SetCategoryID(myFamily);
        QVERIFY(copy->IsEqualPdt(father));
        QCOMPARE(mine.FindCategoryById(mine.FindRecord(ids[1])->GetCategoryID())->GetName(),
                 QStringLiteral("クラブ"));
        QCOMPARE(mine.FindRecord(ids[2])->GetCategoryID(), CTavDbPcRecord::kUnfiled);
        // One card the store cannot keep: none of them is pasted.
        const int count = mine.GetRecordCount();
        QCOMPARE(mine.PasteRecords({father, named(QString(300, u'x'))}, {}), TavStatusCode::InvalidArgument);
        QCOMPARE(mine.GetRecordCount(), count);
    }
};

QTEST_GUILESS_MAIN(AddrStoreTest)
#include "tst_addrstore.moc"
