#include <QtTest>

#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "TestDataDir.h"

namespace {
const QDate kToday(2025, 3, 10);

TavTime day(int offset)
{
    return CTavDbTime::fromDate(kToday.addDays(offset));
}

CTavDbTodoRecord task(const QString& title, int priority = 1)
{
    CTavDbTodoRecord t;
    t.SetDesc(title);
    t.SetPriority(priority);
    return t;
}

QString viewOf(const CTavDbTodo& store)
{
    QStringList titles;
    for (int i = 0; i < store.GetCount(); ++i)
        titles << store.GetTodoRecord(i)->GetDesc();
    return titles.join(u',');
}
} // namespace

class TodoStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CTavDbClock::Release(); }
    void dateState_data();
    void dateState();
    void filters();
    void everyFieldSurvivesWriteAndReload();
    void refusesValuesItCannotKeep_data();
    void refusesValuesItCannotKeep();
    void recordLimit();
    void takeOverMatchesCategoriesByName();
};

void TodoStoreTest::dateState_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<TavTime>("start");
    QTest::addColumn<TavTime>("due");
    QTest::addColumn<int>("state");

    const int before = CTavDbTodo::StateBefore;
    const int active = CTavDbTodo::StateActive;
    const int delayed = CTavDbTodo::StateDelayed;
    const QTime noon(12, 0);
    QTest::newRow("no dates: always active") << noon << maxDateTime << maxDateTime << active;
    QTest::newRow("due today, last second") << QTime(23, 59, 59) << maxDateTime << day(0) << active;
    QTest::newRow("due yesterday, first second of today") << QTime(0, 0) << maxDateTime << day(-1) << delayed;
    QTest::newRow("start tomorrow") << QTime(23, 59, 59) << day(1) << maxDateTime << before;
    QTest::newRow("start today, at its first second") << QTime(0, 0) << day(0) << maxDateTime << before;
    QTest::newRow("start today, a second later") << QTime(0, 0, 1) << day(0) << maxDateTime << active;
    QTest::newRow("both: one-day task, last second") << QTime(23, 59, 59) << day(0) << day(0) << active;
    QTest::newRow("both: over") << noon << day(-3) << day(-1) << delayed;
}

void TodoStoreTest::dateState()
{
    QFETCH(QTime, now);
    QFETCH(TavTime, start);
    QFETCH(TavTime, due);
    QFETCH(int, state);
    CTavDbTodoRecord t = task(QStringLiteral("t"));
    t.SetStartDate(start);
    t.SetDueDate(due);
    QCOMPARE(CTavDbTodo::GetDateState(t, QDateTime(kToday, now)), state);

    // The store's filter must agree with the state it reports.
    CTavDbClock::SetFixed(QDateTime(kToday, now));
    CTavDbTodo store;
    QCOMPARE(store.AddRecord(t), TavStatusCode::Ok);
    store.SetDispState(static_cast<CTavDbTodo::DateState>(state), false);
    QCOMPARE(store.GetCount(), 0);
    store.SetDispState(static_cast<CTavDbTodo::DateState>(state), true);
    QCOMPARE(store.GetCount(), 1);
}

void TodoStoreTest::filters()
{
    CTavDbClock::SetFixed(QDateTime(kToday, QTime(9, 0)));
    CTavDbTodo store;
    uint32_t work = 0;
    QCOMPARE(store.AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
    CTavDbTodoRecord ahead = task(QStringLiteral("ahead"), 2);
    ahead.SetStartDate(day(2));
    CTavDbTodoRecord late = task(QStringLiteral("late"), 5);
    late.SetDueDate(day(-1));
    late.SetCategoryID(work);
    CTavDbTodoRecord done = task(QStringLiteral("done"), 3);
    done.SetCompleted(true);
    CTavDbTodoRecord secret = task(QStringLiteral("secret"), 1);
    secret.SetPrivate(true);
    secret.SetCategoryID(work);
    for (CTavDbTodoRecord* t : {&ahead, &late, &done, &secret})
        QCOMPARE(store.AddRecord(*t), TavStatusCode::Ok);

    QCOMPARE(viewOf(store), QStringLiteral("ahead,late,done,secret"));
    store.SetShowCompleted(false);
    QCOMPARE(viewOf(store), QStringLiteral("ahead,late,secret"));
    store.SetDispPriority(2);
    QCOMPARE(viewOf(store), QStringLiteral("ahead,secret"));
    store.SetDispPriority(0); // out of range: everything
    QCOMPARE(store.GetDispPriority(), 5);
    store.SetDispState(CTavDbTodo::StateBefore, false);
    store.SetDispState(CTavDbTodo::StateDelayed, false);
    QCOMPARE(viewOf(store), QStringLiteral("secret"));
    store.SetDispState(CTavDbTodo::StateDelayed, true);
    store.SetCategoryFilter(work);
    QCOMPARE(viewOf(store), QStringLiteral("late,secret"));
    store.SetPrivateMode(2);
    QCOMPARE(viewOf(store), QStringLiteral("late"));

    // Time moves on: the view follows the clock once the flags are set again.
    store.SetCategoryFilter(CTavDbPcRecord::kAllCategories);
    CTavDbClock::SetFixed(QDateTime(kToday.addDays(2), QTime(9, 0)));
    store.SetDispState(CTavDbTodo::StateBefore, false);
    QCOMPARE(viewOf(store), QStringLiteral("ahead,late"));
}

void TodoStoreTest::everyFieldSurvivesWriteAndReload()
{
    TestDataDir dir;
    const QString path = dir.filePath(QStringLiteral("todo.ldb"));
    CTavDbTodo store;
    uint32_t home = 0;
    QCOMPARE(store.AddCategory(QStringLiteral("家庭"), &home), TavStatusCode::Ok);
    CTavDbTodoRecord full;
    full.SetDesc(QStringLiteral("請求書を送る {確認}\\"));
    full.SetNote(QStringLiteral("一行目\r\n二行目 ｶﾀｶﾅ"));
    full.SetPriority(4);
    full.SetStartDate(day(-2));
    full.SetDueDate(day(5));
    full.SetCompleted(true);
    full.SetFolded(true);
    full.SetQuilloName(QStringLiteral("Memo_0001.pdb"));
    full.SetCategoryID(home);
    full.SetPrivate(true);
    QCOMPARE(store.AddRecord(full), TavStatusCode::Ok);
    CTavDbTodoRecord child = task(QStringLiteral("child"));
    child.SetIndentLevel(2);
    QCOMPARE(store.AddRecord(child), TavStatusCode::Ok);
    QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);

    CTavDbTodo reread;
    QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
    QCOMPARE(reread.GetRecordCount(), 2);
    const auto* back = static_cast<const CTavDbTodoRecord*>(reread.FindRecord(full.GetUniqueId()));
    QVERIFY(back);
    QVERIFY(back->IsEqualPdt(full));
    const auto* kid = static_cast<const CTavDbTodoRecord*>(reread.FindRecord(child.GetUniqueId()));
    QCOMPARE(kid->GetIndentLevel(), 2);
}

void TodoStoreTest::refusesValuesItCannotKeep_data()
{
    QTest::addColumn<QString>("desc");
    QTest::addColumn<QString>("note");
    QTest::addColumn<int>("priority");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("accepted");

    const QString kanji128 = QString(128, QChar(0x6F22));
    QTest::newRow("256-byte title") << QString(256, u'a') << QString() << 1 << 0 << true;
    QTest::newRow("257-byte title") << QString(257, u'a') << QString() << 1 << 0 << false;
    QTest::newRow("129 double-byte characters") << kanji128 + QChar(0x6F22) << QString() << 1 << 0 << false;
    QTest::newRow("a line break counts as one byte")
        << QString(127, u'a') + QStringLiteral("\r\n") + QString(128, u'b') << QString() << 1 << 0 << true;
    QTest::newRow("4097-byte note") << QString() << QString(4097, u'n') << 1 << 0 << false;
    QTest::newRow("priority 6") << QString() << QString() << 6 << 0 << false;
    QTest::newRow("level 3") << QString() << QString() << 5 << 3 << false;
}

void TodoStoreTest::refusesValuesItCannotKeep()
{
    QFETCH(QString, desc);
    QFETCH(QString, note);
    QFETCH(int, priority);
    QFETCH(int, level);
    QFETCH(bool, accepted);
    const TavStatus expected = accepted ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
    CTavDbTodo store;
    CTavDbTodoRecord first = task(QStringLiteral("first"));
    QCOMPARE(store.AddRecord(first), TavStatusCode::Ok);

    CTavDbTodoRecord t;
    t.SetDesc(desc);
    t.SetNote(note);
    t.SetPriority(priority);
    t.SetIndentLevel(level);
    QCOMPARE(store.AddRecord(t), expected);
    QCOMPARE(store.GetRecordCount(), accepted ? 2 : 1);

    CTavDbTodoRecord update = first;
    update.SetDesc(desc);
    update.SetNote(note);
    update.SetPriority(priority);
    update.SetIndentLevel(level);
    QCOMPARE(store.UpdateRecord(update), expected);
    const auto* stored = static_cast<const CTavDbTodoRecord*>(store.FindRecord(first.GetUniqueId()));
    QCOMPARE(stored->GetDesc(), accepted ? desc : QStringLiteral("first"));
}

void TodoStoreTest::recordLimit()
{
    TestDataDir dir;
    const QString path = dir.filePath(QStringLiteral("todo.ldb"));
    CTavDbTodo store;
    CTavDbTodoRecord t = task(QStringLiteral("t"));
    for (int i = 0; i < CTavDbTodo::kMaxRecords; ++i)
        QCOMPARE(store.AddRecord(t), TavStatusCode::Ok);
    QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
    QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);

    CTavDbTodoRecord extra = task(QStringLiteral("extra"));
    extra.SetIndentLevel(1);
    QCOMPARE(store.AddRecord(extra), TavStatusCode::RecordLimit);
    QCOMPARE(store.AddRecordAfter(extra, t.GetUniqueId()), TavStatusCode::RecordLimit);
    QCOMPARE(extra.GetIndentLevel(), 1);
    QCOMPARE(store.GetRecordCount(), CTavDbTodo::kMaxRecords);
    QVERIFY(!store.IsModified());

    // Room again after one delete.
    QCOMPARE(store.DeleteRecord(t.GetUniqueId(), CTavDbTodo::DeleteAlone, false), TavStatusCode::Ok);
    QCOMPARE(store.AddRecordAfter(extra, 0), TavStatusCode::Ok);
    QCOMPARE(store.GetRecordCount(), CTavDbTodo::kMaxRecords);
}

void TodoStoreTest::takeOverMatchesCategoriesByName()
{
    TestDataDir dir;
    CTavDbUser users;
    for (const QString& name : {QStringLiteral("hanako"), QStringLiteral("taro")}) {
        QCOMPARE(users.AddUser(name), TavStatusCode::Ok);
        QCOMPARE(users.AddUserDirectory(name), TavStatusCode::Ok);
    }

    QCOMPARE(users.SetCurrUserName(QStringLiteral("hanako")), TavStatusCode::Ok);
    CTavDbTodo theirs;
    theirs.AttachUsers(&users);
    QCOMPARE(theirs.Load(), TavStatusCode::Ok);
    uint32_t garden = 0;
    uint32_t school = 0;
    QCOMPARE(theirs.AddCategory(QStringLiteral("庭"), &garden), TavStatusCode::Ok);
    QCOMPARE(theirs.AddCategory(QStringLiteral("学校"), &school), TavStatusCode::Ok);
    CTavDbTodoRecord parent = task(QStringLiteral("草取り"), 3);
    parent.SetCategoryID(garden);
    parent.SetPrivate(true);
    CTavDbTodoRecord child = task(QStringLiteral("道具"));
    child.SetIndentLevel(1);
    child.SetCategoryID(school);
    CTavDbTodoRecord gone = task(QStringLiteral("消した"));
    for (CTavDbTodoRecord* t : {&parent, &child, &gone})
        QCOMPARE(theirs.AddRecord(*t), TavStatusCode::Ok);
    QCOMPARE(theirs.DeleteRecord(gone.GetUniqueId(), CTavDbTodo::DeleteAlone, true), TavStatusCode::Ok);
    QCOMPARE(theirs.Write(), TavStatusCode::Ok);

    QCOMPARE(users.SetCurrUserName(QStringLiteral("taro")), TavStatusCode::Ok);
    CTavDbTodo mine;
    mine.AttachUsers(&users);
    QCOMPARE(mine.Load(), TavStatusCode::Ok);
    uint32_t other = 0;
    uint32_t myGarden = 0;
    QCOMPARE(mine.AddCategory(QStringLiteral("その他"), &other), TavStatusCode::Ok);
    QCOMPARE(mine.AddCategory(QStringLiteral("庭"), &myGarden), TavStatusCode::Ok);
    QVERIFY(myGarden != garden);
    CTavDbTodoRecord own = task(QStringLiteral("own"));
    QCOMPARE(mine.AddRecord(own), TavStatusCode::Ok);

    QCOMPARE(mine.TakeOverRecords(QStringLiteral("hanako")), TavStatusCode::Ok);
    QCOMPARE(viewOf(mine), QStringLiteral("own,草取り,道具"));
    const CTavDbTodoRecord* taken = mine.GetTodoRecord(1);
    QCOMPARE(taken->GetCategoryID(), myGarden);
    QVERIFY(taken->GetIsPrivate());
    const CTavDbTodoRecord* takenChild = mine.GetTodoRecord(2);
    QCOMPARE(takenChild->GetIndentLevel(), 1);
    QCOMPARE(mine.FindCategoryById(takenChild->GetCategoryID())->GetName(), QStringLiteral("学校"));
    QVERIFY(mine.IsHoldChildren(taken->GetUniqueId()));
    QCOMPARE(mine.TakeOverRecords(QStringLiteral("nobody")), TavStatusCode::NotFound);

    // A take-over that cannot fit changes nothing, not even the categories.
    CTavDbTodo full;
    full.AttachUsers(&users);
    CTavDbTodoRecord filler = task(QStringLiteral("f"));
    for (int i = 0; i < CTavDbTodo::kMaxRecords - 1; ++i)
        QCOMPARE(full.AddRecord(filler), TavStatusCode::Ok);
    const int categories = full.GetCategoryCount();
    QCOMPARE(full.TakeOverRecords(QStringLiteral("hanako")), TavStatusCode::RecordLimit);
    QCOMPARE(full.GetRecordCount(), CTavDbTodo::kMaxRecords - 1);
    QCOMPARE(full.GetCategoryCount(), categories);
}

QTEST_GUILESS_MAIN(TodoStoreTest)
#include "tst_todostore.moc"
