#include "AddrFixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "CTavAddrCommands.h"
#include "CTavDbAddrVCard.h"
#include "CTavDbClock.h"

namespace {
const QStringList kCategories{QStringLiteral("未分類"), QStringLiteral("仕事"),   QStringLiteral("個人"),
                              QStringLiteral("家族"),   QStringLiteral("取引先"), QStringLiteral("友人")};

QByteArray jpeg(QColor colour)
{
    QImage image(48, 36, QImage::Format_RGB32);
    image.fill(colour);
    QPainter p(&image);
    p.setBrush(Qt::white);
    p.drawEllipse(14, 6, 20, 20);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

} // namespace

void AddrFixture::writeCards()
{
    CTavDbUser users;
    QCOMPARE(users.SetCurrUserName(kUser), TavStatusCode::Ok);
    CTavDbAddr store;
    store.AttachUsers(&users);
    QCOMPARE(store.Load(), TavStatusCode::Ok);
    for (const QString& name : kCategories)
        if (!store.FindCategoryByName(name))
            QCOMPARE(store.AddCategory(name), TavStatusCode::Ok);
    QFile file(QStringLiteral(LUMORA_TEST_DATA_DIR "/cards/cards.vcf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<CTavDbAddrVCard::Card> cards;
    QCOMPARE(CTavDbAddrVCard::Read(file.readAll(), &cards), TavStatusCode::Ok);
    for (int n = 0; n < 24; ++n) {
        CTavDbAddrRecord c = cards.at(n).record;
        c.SetCategoryID(store.FindCategoryByName(cards.at(n).category)
                            ? store.FindCategoryByName(cards.at(n).category)->GetID()
                            : CTavDbPcRecord::kUnfiled);
        if (n % 7 == 3) { // a few with pictures
            c.SetThumbData(jpeg(QColor::fromHsv(n * 40 % 360, 160, 220)));
            c.SetThumbName(QStringLiteral("photo%1.jpg").arg(n));
        }
        if (n == 5)
            c.SetQuilloName(QStringLiteral("memo0005"));
        QCOMPARE(store.AddRecord(c), TavStatusCode::Ok);
    }
    // Cards for the index tabs, the name rules, e-mail and the private modes.
    CTavDbAddrRecord gatsuma; // a voiced reading files under its plain row
    gatsuma.SetLastName(QStringLiteral("我妻"));
    gatsuma.SetLastNameYomi(QStringLiteral("ガツマ"));
    gatsuma.SetFirstName(QStringLiteral("太郎"));
    gatsuma.SetPhone(0, QStringLiteral("03-1111-2222"));
    gatsuma.SetPhone(1, QStringLiteral("taro@example.jp"));
    gatsuma.SetPhoneLabelID(1, CTavDbAddrRecord::kLabelEmail);
    gatsuma.SetPhone(3, QStringLiteral("taro.home@example.jp"));
    gatsuma.SetPhoneLabelID(3, CTavDbAddrRecord::kLabelEmail);
    gatsuma.SetDisplayPhone(0);
    CTavDbAddrRecord kimura; // no reading: the name itself decides
    kimura.SetLastName(QStringLiteral("きむら"));
    kimura.SetCompany(QStringLiteral("きむら工務店"));
    CTavDbAddrRecord smith;
    smith.SetLastName(QStringLiteral("Smith"));
    smith.SetFirstName(QStringLiteral("John"));
    smith.SetPhone(0, QStringLiteral("john@example.com"));
    smith.SetPhoneLabelID(0, CTavDbAddrRecord::kLabelEmail);
    smith.SetCategoryID(store.FindCategoryByName(QStringLiteral("取引先"))->GetID());
    CTavDbAddrRecord office; // no name at all: listed by its company
    office.SetCompany(QStringLiteral("1st Office"));
    office.SetPhone(0, QStringLiteral("0120-000-111"));
    CTavDbAddrRecord hanako; // a first name alone
    hanako.SetFirstName(QStringLiteral("ハナコ"));
    hanako.SetNote(QStringLiteral("誕生日は{5月}"));
    CTavDbAddrRecord secret;
    secret.SetLastName(QStringLiteral("秘密"));
    secret.SetLastNameYomi(QStringLiteral("ヒミツ"));
    secret.SetFirstName(QStringLiteral("守"));
    secret.SetNote(QStringLiteral("金庫の番号 1234"));
    secret.SetPrivate(true);
    secret.SetThumbData(jpeg(Qt::darkRed));
    for (CTavDbAddrRecord* c : {&gatsuma, &kimura, &smith, &office, &hanako, &secret})
        QCOMPARE(store.AddRecord(*c), TavStatusCode::Ok);
    QCOMPARE(store.Write(), TavStatusCode::Ok);
}

void AddrFixture::Start()
{
    CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(kUser);
    writeCards();
    std::shared_ptr<QStringList> urls = m_mailUrls;
    urls->clear();
    CTavAddrCommands::SetMailOpener([urls](const QString& url) {
        urls->append(url);
        return true;
    });
    m_app = m_env->Start();
    show();
}

void AddrFixture::show()
{
    QVERIFY(m_app && m_app->MainFrame());
    m_app->SwitchModule(TavModule::Address);
    m_app->MainFrame()->resize(1100, 720);
    m_app->MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app->MainFrame()));
}

void AddrFixture::Stop()
{
    AppTestEnv::Close(m_app);
    m_env.reset();
    CTavAddrCommands::SetMailOpener({});
    CTavDbClock::Release();
}

QStringList AddrFixture::Listed()
{
    QStringList names;
    for (const CTavAddrListRow& r : Doc().Rows())
        names << (r.DisplayName().isEmpty() ? r.company : r.DisplayName());
    return names;
}

int AddrFixture::RowOf(const QString& prefix)
{
    const QStringList names = Listed();
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).startsWith(prefix))
            return i;
    return -1;
}

void AddrFixture::ClickRow(int row, Qt::KeyboardModifiers modifiers, int x)
{
    CTavAddrLeftView& list = List();
    list.ScrollToRow(row);
    const int y =
        CTavListView::kHeaderHeight + (row - list.TopRow()) * list.RowHeight() + list.RowHeight() / 2;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, QPoint(x, y));
}

void AddrFixture::SelectNames(const QStringList& prefixes)
{
    bool first = true;
    for (const QString& prefix : prefixes) {
        const int row = RowOf(prefix);
        QVERIFY2(row >= 0, qPrintable(prefix));
        ClickRow(row, first ? Qt::NoModifier : Qt::ControlModifier);
        first = false;
    }
}
