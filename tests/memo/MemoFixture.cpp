#include "MemoFixture.h"

#include <QTest>

#include "CTavDbClock.h"

namespace {
// Text and category (empty: unfiled); an empty text stands for the private memo.
const std::pair<const char16_t*, const char16_t*> kSeeds[] = {
    {u"会議の議事録\n出席: 佐藤、鈴木", u"ビジネス"},
    {u"買い物リスト\n牛乳\n卵", u"パーソナル"},
    {u"アイデア: 新しい企画", u"アイデア"},
    {u"{括弧} と \\ を含むメモ\n二行目", u"ビジネス"},
    {u"さくらの開花予想", u"パーソナル"},
    {u"読書メモ「吾輩は猫である」", u""},
    {u"週報の下書き", u"ビジネス"},
    {u"English memo", u""},
    {u"12月の予定", u"ビジネス"},
    {u"ワインの銘柄", u"パーソナル"},
    {u"のびた用事", u""},
    {u"", u"パーソナル"},
};
} // namespace

void MemoFixture::writeMemos()
{
    CTavDbUser users;
    QCOMPARE(users.SetCurrUserName(kUser), TavStatusCode::Ok);
    CTavDbMemo store;
    store.AttachUsers(&users);
    QCOMPARE(store.Load(), TavStatusCode::Ok);
    QCOMPARE(store.AddCategory(QStringLiteral("アイデア")), TavStatusCode::Ok);
    for (int n = 0; n < int(std::size(kSeeds)); ++n) {
        CTavDbMemoRecord r;
        const QString text = QString::fromUtf16(kSeeds[n].first),
                      category = QString::fromUtf16(kSeeds[n].second);
        r.SetMemo(text.isEmpty() ? kPrivateText : text);
        r.SetPrivate(text.isEmpty());
        r.SetCategoryID(category.isEmpty() ? 0 : store.FindCategoryByName(category)->GetID());
        r.SetCreateDateTime(
            CTavDbTime::fromDateTime(QDateTime(QDate(2024, 1, 1).addDays(n * 3), QTime(8 + n, n))));
        QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
    }
    QCOMPARE(store.Write(), TavStatusCode::Ok);
}

void MemoFixture::Start()
{
    CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(kUser);
    writeMemos();
    m_app = m_env->Start();
    showMemoPad();
}

void MemoFixture::showMemoPad()
{
    QVERIFY(m_app && m_app->MainFrame());
    m_app->SwitchModule(TavModule::MemoPad);
    m_app->MainFrame()->resize(1000, 700);
    m_app->MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app->MainFrame()));
}

void MemoFixture::Stop()
{
    AppTestEnv::Finish(m_env, m_app);
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
