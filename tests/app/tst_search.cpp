#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "AppTestEnv.h"
#include "CTavAddrDoc.h"
#include "CTavAddrFrame.h"
#include "CTavAddrLeftView.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "CTavFreeDoc.h"
#include "CTavFreeFrame.h"
#include "CTavFreeLeftView.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavSearchPane.h"
#include "ScheduleState.h"
#include "TestSheets.h"

// The search box of the main frame: typing lists every module's matches, Enter and a double
// click open the record selected in its window, and the list follows the records.
class TestSearchPane : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typeAndOpen();
    void followsRecordsAndPrivateMode();

private:
    CTavSearchPane& pane() const { return *m_app->MainFrame()->SearchPane(); }
    QLineEdit& box() const { return *m_app->MainFrame()->SearchBox(); }
    // The group lines and the titles of their results, "予定 (1 件): a, b".
    QStringList listed() const;
    void type(const QString& text);

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    uint32_t m_eventId = 0;
    uint32_t m_cardId = 0;
    uint32_t m_memoId = 0;
};

QStringList TestSearchPane::listed() const
{
    QStringList out;
    QTreeWidget* list = pane().List();
    for (int g = 0; g < list->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = list->topLevelItem(g);
        QStringList titles;
        for (int i = 0; i < group->childCount(); ++i)
            titles << group->child(i)->data(0, Qt::UserRole + 1).toString();
        out << group->text(0) + QStringLiteral(": ") + titles.join(QStringLiteral(", "));
    }
    return out;
}

void TestSearchPane::type(const QString& text)
{
    box().clear();
    // One key at a time, as an input method hands the characters over.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, &box(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TestSearchPane::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(QDate(2026, 12, 7), QTime(10, 0)), m_env, m_app));

    CTavDbDateRecord event;
    event.SetDesc(QStringLiteral("サトウ商会と打ち合わせ"));
    event.SetStartTime(CTavDbTime::fromDate(QDate(2027, 1, 15)) + 10 * 3600);
    event.SetEndTime(event.GetStartTime() + 3600);
    QCOMPARE(m_app->DateStore().AddRecord(event), TavStatusCode::Ok);
    m_eventId = event.GetUniqueId();
    for (const QString& name : {QStringLiteral("青木"), QStringLiteral("佐藤"), QStringLiteral("鈴木")}) {
        CTavDbAddrRecord card;
        card.SetLastName(name);
        card.SetLastNameYomi(name == QStringLiteral("佐藤") ? QStringLiteral("ｻﾄｳ") : QStringLiteral("ﾀﾞﾚｶ"));
        card.SetCompany(QStringLiteral("東京製作所"));
        QCOMPARE(m_app->AddrStore().AddRecord(card), TavStatusCode::Ok);
        if (name == QStringLiteral("佐藤"))
            m_cardId = card.GetUniqueId();
    }
    uint32_t business = 0;
    m_app->MemoStore().AddCategory(QStringLiteral("仕事"), &business);
    CTavDbMemoRecord memo;
    memo.SetMemo(QStringLiteral("買い物\nさとう、しお"));
    QCOMPARE(m_app->MemoStore().AddRecord(memo), TavStatusCode::Ok);
    m_memoId = memo.GetUniqueId();
    CTavDbMemoRecord secret;
    secret.SetMemo(QStringLiteral("さとうさんの暗証番号"));
    secret.SetPrivate(true);
    QCOMPARE(m_app->MemoStore().AddRecord(secret), TavStatusCode::Ok);
    m_app->MainFrame()->RefreshAll();
    // The memo pad shows another category, which hides the memo.
    static_cast<CTavMemoFrame*>(m_app->Frame(TavSlot::MemoPad))->MemoDoc()->SetFilter(business);
}

void TestSearchPane::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

void TestSearchPane::typeAndOpen()
{
    m_app->SwitchModule(TavModule::Todo);
    QTest::keyClick(m_app->MainFrame(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), &box());
    QVERIFY(pane().isHidden());

    // Typed in hiragana: katakana, half-width kana and the private memo (shown) are found.
    type(QStringLiteral("さとう"));
    QVERIFY(pane().isVisible());
    QCOMPARE(listed(), (QStringList{QStringLiteral("予定 (1 件): 2027/01/15 サトウ商会と打ち合わせ"),
                                    QStringLiteral("アドレス (1 件): 佐藤"),
                                    QStringLiteral("メモ帳 (2 件): 買い物, さとうさんの暗証番号")}));
    const CTavDbSearchHit& cardHit = pane().Result().hits.at(1);
    QCOMPARE(cardHit.text.mid(cardHit.start, cardHit.length), QStringLiteral("ｻﾄｳ"));
    m_app->MainFrame()->resize(800, 600);
    QTest::qWait(1);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("search-results"));

    // Enter in the box opens the first result: the day window on the event's day, selected.
    QTest::keyClick(&box(), Qt::Key_Return);
    QCOMPARE(m_app->currentModule(), TavModule::Schedule);
    QCOMPARE(m_app->currentScheduleView(), TavModule::Day);
    ScheduleState& schedule = ScheduleState::Of(*m_app);
    QCOMPARE(schedule.CurrentDay(), QDate(2027, 1, 15));
    QVERIFY(schedule.selectedEvent && schedule.selectedEvent->GetUniqueId() == m_eventId);

    // Down goes into the list; Enter there opens the card in the address book, selected.
    box().setFocus();
    QTest::keyClick(&box(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), pane().List());
    QTest::keyClick(pane().List(), Qt::Key_Down); // past the group line
    QTest::keyClick(pane().List(), Qt::Key_Down);
    QTest::keyClick(pane().List(), Qt::Key_Return);
    QCOMPARE(m_app->currentModule(), TavModule::Address);
    auto* addr = static_cast<CTavAddrFrame*>(m_app->Frame(TavSlot::Address));
    QCOMPARE(addr->LeftView()->Selection().FirstSelected(), addr->AddrDoc()->IndexOfId(m_cardId));

    // A double click opens the memo, its category filter opened up to show it.
    QTreeWidget* list = pane().List();
    QTreeWidgetItem* memoItem = list->topLevelItem(2)->child(0);
    list->scrollToItem(memoItem);
    const QRect rect = list->visualItemRect(memoItem);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(m_app->currentModule(), TavModule::MemoPad);
    auto* memo = static_cast<CTavMemoFrame*>(m_app->Frame(TavSlot::MemoPad));
    QCOMPARE(memo->MemoDoc()->CategoryFilter(), CTavMemoDoc::kAllCategories);
    QVERIFY(memo->MemoDoc()->IndexOfId(m_memoId) >= 0);
    QCOMPARE(memo->LeftView()->Selection().FirstSelected(), memo->MemoDoc()->IndexOfId(m_memoId));

    // A memo sheet's title opens the sheet in its list, selected.
    auto* sheets = static_cast<CTavFreeFrame*>(m_app->Frame(TavSlot::FreeMemo));
    QDir().mkpath(sheets->FreeDoc()->CurrentFolder());
    const QString sheet = sheets->FreeDoc()->CurrentFolder() + QStringLiteral("/cane.pdb");
    QVERIFY(TestSheets::write(sheet, 0x44415441, QStringLiteral("サトウキビ畑のスケッチ")));
    type(QStringLiteral("きび"));
    QTest::keyClick(&box(), Qt::Key_Return);
    QCOMPARE(m_app->currentModule(), TavModule::FreeMemo);
    QCOMPARE(sheets->LeftView()->SelectedPaths(), QStringList{sheet});

    // Escape empties the box and the results go.
    box().setFocus();
    QTest::keyClick(&box(), Qt::Key_Escape);
    QVERIFY(box().text().isEmpty());
    QVERIFY(pane().isHidden());
}

void TestSearchPane::followsRecordsAndPrivateMode()
{
    type(QStringLiteral("ｻﾄｳ"));
    QCOMPARE(pane().Result().Total(), 4);

    // Masked private records are left out, as hidden ones are.
    m_app->MainFrame()->SetPrivateMode(1);
    QCOMPARE(listed().last(), QStringLiteral("メモ帳 (1 件): 買い物"));
    m_app->MainFrame()->SetPrivateMode(0);
    QCOMPARE(pane().Result().Total(), 4);

    // An edit made elsewhere is seen without typing again.
    CTavDbMemoRecord memo;
    memo.SetMemo(QStringLiteral("砂糖を買う\nサトウ"));
    QCOMPARE(m_app->MemoStore().AddRecord(memo), TavStatusCode::Ok);
    QTRY_COMPARE(pane().Result().Total(), 5);
    QCOMPARE(m_app->AddrStore().DeleteRecord(m_cardId, false), TavStatusCode::Ok);
    QTRY_COMPARE(pane().Result().counts[TavSearchModule::Address], 0);

    // Another user's data (as after a user switch or a HotSync) replace the results.
    AppTestEnv::AddUser(QStringLiteral("Taro"));
    QVERIFY(m_app->SaveAll());
    m_app->Users().Reload();
    m_app->Users().SetCurrUserName(QStringLiteral("Taro"));
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Taro"));
    m_app->LoadAll();
    m_app->MainFrame()->RefreshAll();
    QCOMPARE(pane().Result().Total(), 0);
    QCOMPARE(listed(), QStringList{QStringLiteral("「ｻﾄｳ」は見つかりませんでした。: ")});
}

QTEST_MAIN(TestSearchPane)
#include "tst_search.moc"
