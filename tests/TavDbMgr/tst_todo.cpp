#include <QtTest>
#include <functional>

#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "TestDataDir.h"

// Outlines are written "A,.a,..x,B": one task a comma, a dot per level, then its title.
namespace {

TavTime day(int offset)
{
    return CTavDbTime::fromDate(QDate(2025, 3, 10).addDays(offset));
}

CTavDbTodoRecord task(const QString& title, int level = 0, int priority = 1)
{
    CTavDbTodoRecord t;
    t.SetDesc(title);
    t.SetIndentLevel(level);
    t.SetPriority(priority);
    return t;
}

void fill(CTavDbTodo& store, const QString& outline, const QString& completed = QString())
{
    for (const QString& item : outline.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype level = item.size() - QString(item).remove(u'.').size();
        CTavDbTodoRecord t = task(item.mid(level), int(level));
        t.SetCompleted(completed.split(u',').contains(t.GetDesc()));
        QCOMPARE(store.AddRecord(t), TavStatusCode::Ok);
    }
}

QString text(const CTavDbPcRecord& rec)
{
    const auto& t = static_cast<const CTavDbTodoRecord&>(rec);
    return QString(t.GetIndentLevel(), u'.') + t.GetDesc();
}

// Every live task in store order, whatever the filters.
QString outlineOf(const CTavDbTodo& store)
{
    QStringList items;
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            items << text(*rec);
    return items.join(u',');
}

uint32_t idOf(const CTavDbTodo& store, const QString& title)
{
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted() && static_cast<const CTavDbTodoRecord&>(*rec).GetDesc() == title)
            return rec->GetUniqueId();
    return 0;
}

void edit(CTavDbTodo& store, const QString& title, const std::function<void(CTavDbTodoRecord&)>& change)
{
    CTavDbTodoRecord t = *static_cast<CTavDbTodoRecord*>(store.FindRecord(idOf(store, title)));
    change(t);
    QCOMPARE(store.UpdateRecord(t), TavStatusCode::Ok);
}
} // namespace

class TodoTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldSurvivesWriteAndReload()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("todo.ldb"));
        CTavDbTodo store;
        uint32_t home = 0;
        QCOMPARE(store.AddCategory(QStringLiteral("家庭"), &home), TavStatusCode::Ok);
        CTavDbTodoRecord full = task(QStringLiteral("請求書を送る {確認}\\"), 0, 4);
        full.SetNote(QStringLiteral("一行目\r\n二行目 ｶﾀｶﾅ"));
        full.SetStartDate(day(-2));
        full.SetDueDate(day(5));
        full.SetCompleted(true);
        full.SetFolded(true);
        full.SetQuilloName(QStringLiteral("Memo_0001.pdb"));
        full.SetCategoryID(home);
        full.SetPrivate(true);
        QCOMPARE(store.AddRecord(full), TavStatusCode::Ok);
        fill(store, QStringLiteral("..child"));
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        CTavDbTodo reread;
        QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
        QVERIFY(reread.FindRecord(full.GetUniqueId())->IsEqualPdt(full));
        QCOMPARE(outlineOf(reread), outlineOf(store));
    }

    void takeOver()
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
        QCOMPARE(theirs.AddCategory(QStringLiteral("学校"), &garden), TavStatusCode::Ok);
        QCOMPARE(theirs.AddCategory(QStringLiteral("庭"), &garden), TavStatusCode::Ok);
        fill(theirs, QStringLiteral("草取り,.道具,消した"));
        edit(theirs, QStringLiteral("草取り"), [garden](CTavDbTodoRecord& t) {
            t.SetCategoryID(garden);
            t.SetPrivate(true);
        });
        QCOMPARE(theirs.DeleteRecord(idOf(theirs, QStringLiteral("消した")), CTavDbTodo::DeleteAlone, true),
                 TavStatusCode::Ok);
        QCOMPARE(theirs.Write(), TavStatusCode::Ok);

        QCOMPARE(users.SetCurrUserName(QStringLiteral("taro")), TavStatusCode::Ok);
        CTavDbTodo mine;
        mine.AttachUsers(&users);
        QCOMPARE(mine.Load(), TavStatusCode::Ok);
        uint32_t myGarden = 0;
        QCOMPARE(mine.AddCategory(QStringLiteral("庭"), &myGarden), TavStatusCode::Ok);
        QVERIFY(myGarden != garden);
        fill(mine, QStringLiteral("own"));
        QCOMPARE(mine.TakeOverRecords(QStringLiteral("hanako")), TavStatusCode::Ok);
        QCOMPARE(outlineOf(mine), QStringLiteral("own,草取り,.道具"));
        const CTavDbPcRecord* taken = mine.FindRecord(idOf(mine, QStringLiteral("草取り")));
        QCOMPARE(taken->GetCategoryID(), myGarden);
        QVERIFY(taken->GetIsPrivate());
        QVERIFY(mine.IsHoldChildren(taken->GetUniqueId()));
        QCOMPARE(mine.TakeOverRecords(QStringLiteral("nobody")), TavStatusCode::NotFound);

        // All or nothing: a take-over past the record limit changes nothing, not even the categories.
        CTavDbTodoRecord filler = task(QStringLiteral("f"));
        for (int i = mine.GetRecordCount(); i < CTavDbTodo::kMaxRecords - 1; ++i)
            QCOMPARE(mine.AddRecord(filler), TavStatusCode::Ok);
        QCOMPARE(mine.TakeOverRecords(QStringLiteral("hanako")), TavStatusCode::RecordLimit);
        QCOMPARE(mine.GetCategoryCount(), 4);
        QCOMPARE(mine.GetRecordCount(), CTavDbTodo::kMaxRecords - 1);
    }

    void addAfter_data()
    {
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("anchor"); // empty: at the end
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* outline, const char* anchor, int level,
                            const char* expected) {
            QTest::newRow(name) << QString(outline) << QString(anchor) << level << QString(expected);
        };
        row("into an empty list", "", "", 2, "N");
        row("at the end keeps a sibling level", "A,.a", "", 1, "A,.a,.N");
        row("at the end never two deeper", "A", "", 2, "A,.N");
        row("after a task, past its sub-items", "A,.a,..x,B", "A", 0, "A,.a,..x,N,B");
        row("deeper becomes the last child", "A,.a,..x,B", "A", 2, "A,.a,..x,.N,B");
        row("never adopts the next task", "A,.a,.b", "a", 0, "A,.a,.N,.b");
    }

    void addAfter()
    {
        QFETCH(QString, outline);
        QFETCH(QString, anchor);
        QFETCH(int, level);
        QFETCH(QString, expected);
        CTavDbTodo store;
        fill(store, outline);
        CTavDbTodoRecord t = task(QStringLiteral("N"), level);
        QCOMPARE(store.AddRecordAfter(t, anchor.isEmpty() ? 0 : idOf(store, anchor)), TavStatusCode::Ok);
        QCOMPARE(outlineOf(store), expected);
    }

    void deleteModes_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("completed");
        QTest::addColumn<TavStatus>("status");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* target, int mode, const char* completed,
                            TavStatus status, const char* expected = "A,.a,..x,.b,B") {
            QTest::newRow(name) << QString(target) << mode << QString(completed) << status
                                << QString(expected);
        };
        row("alone: sub-items move up", "A", 0, "", TavStatusCode::Ok, "a,.x,b,B");
        row("with sub-items", "a", 2, "", TavStatusCode::Ok, "A,.b,B");
        row("purge: all completed", "a", 1, "a,x", TavStatusCode::Ok, "A,.b,B");
        row("purge: a sub-item is open", "A", 1, "A,a,b", TavStatusCode::Refused);
        row("purge: an open task", "B", 1, "x", TavStatusCode::Refused);
        row("unknown mode", "A", 3, "", TavStatusCode::InvalidArgument);
    }

    void deleteModes()
    {
        QFETCH(QString, target);
        QFETCH(int, mode);
        QFETCH(QString, completed);
        QFETCH(TavStatus, status);
        QFETCH(QString, expected);
        CTavDbTodo store;
        fill(store, QStringLiteral("A,.a,..x,.b,B"), completed);
        QCOMPARE(store.DeleteRecord(idOf(store, target), mode, false), status);
        QCOMPARE(outlineOf(store), expected);
    }

    void moves_data()
    {
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("up");
        QTest::addColumn<TavStatus>("status");
        QTest::addColumn<QString>("expected");
        const char* tree = "A,.a,..x,.b,B,.c";
        const auto row = [](const char* name, const char* outline, const char* target, bool up,
                            TavStatus status, const char* expected) {
            QTest::newRow(name) << QString(outline) << QString(target) << up << status << QString(expected);
        };
        row("up: over a sibling with sub-items", tree, "B", true, TavStatusCode::Ok, "B,.c,A,.a,..x,.b");
        row("up: the first child leaves its parent", tree, "a", true, TavStatusCode::Ok, "a,.x,A,.b,B,.c");
        row("up: first child of a deep parent", tree, "x", true, TavStatusCode::Ok, "A,.x,.a,.b,B,.c");
        row("up: the first row stays", tree, "A", true, TavStatusCode::Refused, tree);
        row("down: the last child leaves its parent", tree, "b", false, TavStatusCode::Ok, "A,.a,..x,b,B,.c");
        row("down: the last row stays", tree, "B", false, TavStatusCode::Refused, tree);
        row("down: a last child at the end", tree, "c", false, TavStatusCode::Ok, "A,.a,..x,.b,B,c");
        row("up: two levels land at the parent's", "A,..x", "x", true, TavStatusCode::Ok, "x,A");
    }

    void moves()
    {
        QFETCH(QString, outline);
        QFETCH(QString, target);
        QFETCH(bool, up);
        QFETCH(TavStatus, status);
        QFETCH(QString, expected);
        CTavDbTodo store;
        fill(store, outline);
        const uint32_t id = idOf(store, target);
        QCOMPARE(up ? store.MoveUpward(id) : store.MoveDownward(id), status);
        QCOMPARE(outlineOf(store), expected);
    }

    void ordersSurviveWriteAndReload()
    {
        TestDataDir dir;
        const QString path = dir.filePath(QStringLiteral("todo.ldb"));
        CTavDbTodo store;
        QStringList items{QStringLiteral("A"), QStringLiteral(".a"), QStringLiteral("C")};
        for (int i = 1; i <= 20; ++i)
            items << QStringLiteral("X%1").arg(i);
        fill(store, items.join(u','));
        QCOMPARE(store.WriteToFile(path), TavStatusCode::Ok);
        QCOMPARE(store.LoadFromFile(path), TavStatusCode::Ok);
        // Each task moved up over C lands between the one moved before and C, halving the room
        // between their position keys until the whole order has to be renumbered.
        for (int i = 1; i <= 20; ++i) {
            QCOMPARE(store.MoveUpward(idOf(store, QStringLiteral("X%1").arg(i))), TavStatusCode::Ok);
            QCOMPARE(store.Write(), TavStatusCode::Ok);
            CTavDbTodo reread;
            QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
            QCOMPARE(outlineOf(reread), outlineOf(store));
        }
        QVERIFY(outlineOf(store).endsWith(QStringLiteral("X19,X20,C")));
        CTavDbTodoRecord t = task(QStringLiteral("N"), 1);
        QCOMPARE(store.AddRecordAfter(t, idOf(store, QStringLiteral("A"))), TavStatusCode::Ok);
        QCOMPARE(store.DeleteRecord(idOf(store, QStringLiteral("A")), CTavDbTodo::DeleteAlone, false),
                 TavStatusCode::Ok);
        QCOMPARE(store.Write(), TavStatusCode::Ok);
        CTavDbTodo reread;
        QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
        QCOMPARE(outlineOf(reread), outlineOf(store));
        QVERIFY(outlineOf(reread).startsWith(QStringLiteral("a,N,X1,")));
    }
};

QTEST_GUILESS_MAIN(TodoTest)
#include "tst_todo.moc"
