#include "MemoFixture.h"

#include <QPushButton>
#include <QTest>

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "CTavDetailTextEdit.h"
#include "CTavMainFrame.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavMemoRightView.h"
#include "CTavUserDlg.h"
#include "TavCommandIds.h"

namespace {
struct Seed
{
    const char16_t* text;
    const char16_t* category; // empty: unfiled
};

const Seed kSeeds[] = {
    {u"会議の議事録\n出席: 佐藤、鈴木", u"ビジネス"},
    {u"買い物リスト\n牛乳\n卵", u"パーソナル"},
    {u"アイデア: 新しい企画", u"アイデア"},
    {u"{括弧} と \\ を含むメモ\n二行目", u"ビジネス"},
    {u"さくらの開花予想", u"パーソナル"},
    {u"読書メモ「吾輩は猫である」", u""},
    {u"旅行の持ち物", u"パーソナル"},
    {u"週報の下書き", u"ビジネス"},
    {u"電話番号の控え", u""},
    {u"誕生日プレゼント候補", u"パーソナル"},
    {u"レシピ: カレー", u"パーソナル"},
    {u"パスタの茹で時間", u"パーソナル"},
    {u"English memo", u""},
    {u"12月の予定", u"ビジネス"},
    {u"ゴミの日", u"パーソナル"},
    {u"映画の感想", u"アイデア"},
    {u"見積もりの確認", u"ビジネス"},
    {u"ワインの銘柄", u"パーソナル"},
    {u"のびた用事", u""},
};
} // namespace

TavTime MemoFixture::Created(int n)
{
    return CTavDbTime::fromDateTime(QDateTime(QDate(2024, 1, 1).addDays(n * 3), QTime(8 + n % 10, n)));
}

void MemoFixture::writeMemos()
{
    CTavDbUser users;
    QCOMPARE(users.SetCurrUserName(kUser), TavStatusCode::Ok);
    CTavDbMemo store;
    store.AttachUsers(&users);
    QCOMPARE(store.Load(), TavStatusCode::Ok);
    uint32_t idea = 0;
    QCOMPARE(store.AddCategory(QStringLiteral("アイデア"), &idea), TavStatusCode::Ok);
    int n = 0;
    for (const Seed& seed : kSeeds) {
        CTavDbMemoRecord r;
        r.SetMemo(QString::fromUtf16(seed.text));
        const QString category = QString::fromUtf16(seed.category);
        r.SetCategoryID(category.isEmpty() ? 0 : store.FindCategoryByName(category)->GetID());
        r.SetCreateDateTime(Created(n));
        r.SetUpdateDateTime(Created(n) + 3600 * n);
        QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
        ++n;
    }
    CTavDbMemoRecord secret;
    secret.SetMemo(kPrivateText);
    secret.SetPrivate(true);
    secret.SetCategoryID(store.FindCategoryByName(QStringLiteral("パーソナル"))->GetID());
    secret.SetCreateDateTime(Created(n));
    QCOMPARE(store.AddRecord(secret), TavStatusCode::Ok);
    QCOMPARE(store.GetRecordCount(), kMemoCount);
    QCOMPARE(store.Write(), TavStatusCode::Ok);
}

void MemoFixture::Start(const QString& password)
{
    CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(kUser, password);
    writeMemos();
    if (!password.isEmpty()) // a user with a password is chosen in the user dialog
        m_env->AnswerDialog([](CTavDialogBase& d) {
            auto& dlg = static_cast<CTavUserDlg&>(d);
            dlg.OkButton()->click();
            return dlg.result();
        });
    m_app = m_env->Start();
    QVERIFY(m_app && m_app->MainFrame());
    m_app->SwitchModule(TavModule::MemoPad);
    m_app->MainFrame()->resize(1000, 700);
    m_app->MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app->MainFrame()));
}

void MemoFixture::Restart()
{
    AppTestEnv::Close(m_app);
    m_app = m_env->Start();
    QVERIFY(m_app && m_app->MainFrame());
    m_app->SwitchModule(TavModule::MemoPad);
    m_app->MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app->MainFrame()));
}

void MemoFixture::Stop()
{
    AppTestEnv::Close(m_app);
    m_env.reset();
    CTavDbClock::Release();
}

CTavMemoFrame& MemoFixture::Frame()
{
    return *static_cast<CTavMemoFrame*>(m_app->Frame(TavSlot::MemoPad));
}
CTavMemoDoc& MemoFixture::Doc()
{
    return *Frame().MemoDoc();
}
CTavMemoLeftView& MemoFixture::List()
{
    return *Frame().LeftView();
}
CTavMemoRightView& MemoFixture::Detail()
{
    return *Frame().RightView();
}
CTavDbMemo& MemoFixture::Store()
{
    return m_app->MemoStore();
}

QStringList MemoFixture::Listed()
{
    QStringList texts;
    for (const CTavMemoEntry& e : Doc().Entries())
        texts << e.text.section(u'\n', 0, 0);
    return texts;
}

int MemoFixture::RowOf(const QString& prefix)
{
    for (int i = 0; i < Doc().Count(); ++i)
        if (Doc().Entry(i)->text.startsWith(prefix))
            return i;
    return -1;
}

void MemoFixture::ClickRow(int row, Qt::KeyboardModifiers modifiers)
{
    CTavMemoLeftView& list = List();
    list.ScrollToRow(row);
    const int y =
        CTavListView::kHeaderHeight + (row - list.TopRow()) * list.RowHeight() + list.RowHeight() / 2;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, QPoint(40, y));
}

QString MemoFixture::DetailText()
{
    return Detail().TextEdit()->toPlainText();
}

void MemoFixture::SetPrivateMode(int mode)
{
    m_app->MainFrame()->SetPrivateMode(mode);
}

uint32_t MemoFixture::CategoryId(const QString& name)
{
    const CTavDbCategory* c = Store().FindCategoryByName(name);
    return c ? c->GetID() : 0xFFFFFFFF;
}

void MemoFixture::FillTo(int count)
{
    for (int i = Store().GetRecordCount(); i < count; ++i) {
        CTavDbMemoRecord r;
        r.SetMemo(QStringLiteral("x"));
        QCOMPARE(Store().AddRecord(r), TavStatusCode::Ok);
    }
}
