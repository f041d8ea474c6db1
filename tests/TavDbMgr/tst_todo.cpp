#include <QtTest>

#include "CTavDbClock.h"
#include "CTavDbTodo.h"
#include "TestDataDir.h"

// Outlines are written "A,.a,..x,B": one task a comma, a dot per level, then its title.
namespace {
void fill(CTavDbTodo& store, const QString& outline, const QString& completed = QString())
{
    for (const QString& item : outline.split(u',', Qt::SkipEmptyParts)) {
        CTavDbTodoRecord task;
        const qsizetype level = item.size() - QString(item).remove(u'.').size();
        task.SetDesc(item.mid(level));
        task.SetIndentLevel(static_cast<int>(level));
        task.SetCompleted(completed.split(u',').contains(task.GetDesc()));
        QCOMPARE(store.AddRecord(task), TavStatusCode::Ok);
    }
}

QString text(const CTavDbTodoRecord& task)
{
    return QString(task.GetIndentLevel(), u'.') + task.GetDesc();
}

// Every live task in store order, whatever the filters.
QString outlineOf(const CTavDbTodo& store)
{
    QStringList items;
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            items << text(static_cast<const CTavDbTodoRecord&>(*rec));
    return items.join(u',');
}

// What the list shows.
QString viewOf(const CTavDbTodo& store)
{
    QStringList items;
    for (int i = 0; i < store.GetCount(); ++i)
        items << text(*store.GetTodoRecord(i));
    return items.join(u',');
}

uint32_t idOf(const CTavDbTodo& store, const QString& title)
{
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted() && static_cast<const CTavDbTodoRecord&>(*rec).GetDesc() == title)
            return rec->GetUniqueId();
    return 0;
}

CTavDbTodoRecord* find(CTavDbTodo& store, const QString& title)
{
    return static_cast<CTavDbTodoRecord*>(store.FindRecord(idOf(store, title)));
}
} // namespace

class TodoOutlineTest : public QObject
{
    Q_OBJECT

private slots:
    void addAfter_data();
    void addAfter();
    void deleteModes_data();
    void deleteModes();
    void deleteWithArchiveKeepsFlaggedTasksOutOfTheOutline();
    void moves_data();
    void moves();
    void moveSkipsSiblingsNobodySees();
    void foldingHidesSubItemsOfListedTasksOnly();
    void holdAndDispChildren();
    void ordersSurviveWriteAndReload();
};

void TodoOutlineTest::addAfter_data()
{
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("anchor"); // empty: at the end
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("expected");

    QTest::newRow("into an empty list") << ""
                                        << "" << 2 << "N";
    QTest::newRow("at the end keeps a sibling level") << "A,.a"
                                                      << "" << 1 << "A,.a,.N";
    QTest::newRow("at the end never two deeper") << "A"
                                                 << "" << 2 << "A,.N";
    QTest::newRow("after a task, past its sub-items") << "A,.a,..x,B"
                                                      << "A" << 0 << "A,.a,..x,N,B";
    QTest::newRow("deeper becomes the last child") << "A,.a,..x,B"
                                                   << "A" << 2 << "A,.a,..x,.N,B";
    QTest::newRow("a level above the next task would adopt it") << "A,.a,.b"
                                                                << "a" << 0 << "A,.a,.N,.b";
    QTest::newRow("pasted child after pasted parent") << "A,B"
                                                      << "A" << 1 << "A,.N,B";
}

void TodoOutlineTest::addAfter()
{
    QFETCH(QString, outline);
    QFETCH(QString, anchor);
    QFETCH(int, level);
    QFETCH(QString, expected);
    CTavDbTodo store;
    fill(store, outline);
    CTavDbTodoRecord task;
    task.SetDesc(QStringLiteral("N"));
    task.SetIndentLevel(level);
    QCOMPARE(store.AddRecordAfter(task, anchor.isEmpty() ? 0 : idOf(store, anchor)), TavStatusCode::Ok);
    QCOMPARE(outlineOf(store), expected);
}

void TodoOutlineTest::deleteModes_data()
{
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("completed");
    QTest::addColumn<TavStatus>("status");
    QTest::addColumn<QString>("expected");

    const QString tree = QStringLiteral("A,.a,..x,.b,B");
    QTest::newRow("alone: sub-items move up a level")
        << tree << "A" << 0 << "" << TavStatusCode::Ok << "a,.x,b,B";
    QTest::newRow("with sub-items") << tree << "a" << 2 << "" << TavStatusCode::Ok << "A,.b,B";
    QTest::newRow("with sub-items: the whole tree") << tree << "A" << 2 << "" << TavStatusCode::Ok << "B";
    QTest::newRow("purge: completed with completed sub-items")
        << tree << "a" << 1 << "a,x" << TavStatusCode::Ok << "A,.b,B";
    QTest::newRow("purge: refused while a sub-item is open")
        << tree << "A" << 1 << "A,a,b" << TavStatusCode::Refused << tree;
    QTest::newRow("purge: refused for an open task")
        << tree << "B" << 1 << "x" << TavStatusCode::Refused << tree;
    QTest::newRow("unknown mode") << tree << "A" << 3 << "" << TavStatusCode::InvalidArgument << tree;
}

void TodoOutlineTest::deleteModes()
{
    QFETCH(QString, outline);
    QFETCH(QString, target);
    QFETCH(int, mode);
    QFETCH(QString, completed);
    QFETCH(TavStatus, status);
    QFETCH(QString, expected);
    CTavDbTodo store;
    fill(store, outline, completed);
    QCOMPARE(store.DeleteRecord(idOf(store, target), mode, false), status);
    QCOMPARE(outlineOf(store), expected);
    QCOMPARE(store.DeleteRecord(0x123456, mode, false),
             mode <= 2 ? TavStatusCode::NotFound : TavStatusCode::InvalidArgument);
}

void TodoOutlineTest::deleteWithArchiveKeepsFlaggedTasksOutOfTheOutline()
{
    // Archived tasks stay in the store order; the outline must look through them.
    CTavDbTodo store;
    fill(store, QStringLiteral("A,.a,.b,B,.c"));
    QCOMPARE(store.DeleteRecord(idOf(store, QStringLiteral("a")), CTavDbTodo::DeleteAlone, true),
             TavStatusCode::Ok);
    QCOMPARE(store.AllRecords().size(), size_t(5));
    QCOMPARE(outlineOf(store), QStringLiteral("A,.b,B,.c"));
    QVERIFY(store.IsHoldChildren(idOf(store, QStringLiteral("A"))));
    QCOMPARE(store.MoveDownward(idOf(store, QStringLiteral("A"))), TavStatusCode::Ok);
    QCOMPARE(outlineOf(store), QStringLiteral("B,.c,A,.b"));
    QCOMPARE(store.DeleteRecord(idOf(store, QStringLiteral("B")), CTavDbTodo::DeleteWithChildren, true),
             TavStatusCode::Ok);
    QCOMPARE(viewOf(store), QStringLiteral("A,.b"));
    QCOMPARE(store.GetRecordCount(), 2);
}

void TodoOutlineTest::moves_data()
{
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("up");
    QTest::addColumn<TavStatus>("status");
    QTest::addColumn<QString>("expected");

    const QString tree = QStringLiteral("A,.a,..x,.b,B,.c");
    QTest::newRow("up: over the previous sibling with its sub-items")
        << tree << "B" << true << TavStatusCode::Ok << "B,.c,A,.a,..x,.b";
    QTest::newRow("up: a child over its sibling")
        << tree << "b" << true << TavStatusCode::Ok << "A,.b,.a,..x,B,.c";
    QTest::newRow("up: the first child leaves its parent")
        << tree << "a" << true << TavStatusCode::Ok << "a,.x,A,.b,B,.c";
    QTest::newRow("up: first child of a deep parent")
        << tree << "x" << true << TavStatusCode::Ok << "A,.x,.a,.b,B,.c";
    QTest::newRow("up: the first row stays") << tree << "A" << true << TavStatusCode::Refused << tree;
    QTest::newRow("down: the first task with its sub-items")
        << tree << "A" << false << TavStatusCode::Ok << "B,.c,A,.a,..x,.b";
    QTest::newRow("down: the last child leaves its parent")
        << tree << "b" << false << TavStatusCode::Ok << "A,.a,..x,b,B,.c";
    QTest::newRow("down: the last row stays") << tree << "B" << false << TavStatusCode::Refused << tree;
    QTest::newRow("down: a last child at the end")
        << tree << "c" << false << TavStatusCode::Ok << "A,.a,..x,.b,B,c";
    QTest::newRow("up: a jump of two levels lands at the parent's level")
        << "A,..x"
        << "x" << true << TavStatusCode::Ok << "x,A";
}

void TodoOutlineTest::moves()
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

void TodoOutlineTest::moveSkipsSiblingsNobodySees()
{
    // A completed sibling hidden by the filter would make a move look like it did nothing.
    CTavDbTodo store;
    fill(store, QStringLiteral("A,B,.b,C"), QStringLiteral("B,b"));
    store.SetShowCompleted(false);
    QCOMPARE(viewOf(store), QStringLiteral("A,C"));
    QCOMPARE(store.MoveUpward(idOf(store, QStringLiteral("C"))), TavStatusCode::Ok);
    QCOMPARE(outlineOf(store), QStringLiteral("C,A,B,.b"));
    QCOMPARE(store.MoveDownward(idOf(store, QStringLiteral("A"))), TavStatusCode::Refused);
    QCOMPARE(outlineOf(store), QStringLiteral("C,A,B,.b"));
    store.SetShowCompleted(true);
    QCOMPARE(store.MoveDownward(idOf(store, QStringLiteral("A"))), TavStatusCode::Ok);
    QCOMPARE(outlineOf(store), QStringLiteral("C,B,.b,A"));
}

void TodoOutlineTest::foldingHidesSubItemsOfListedTasksOnly()
{
    CTavDbTodo store;
    fill(store, QStringLiteral("A,.a,..x,.b,B,.c"), QStringLiteral("B"));
    auto fold = [&store](const QString& title, bool on) {
        CTavDbTodoRecord task = *find(store, title);
        task.SetFolded(on);
        QCOMPARE(store.UpdateRecord(task), TavStatusCode::Ok);
    };
    fold(QStringLiteral("a"), true);
    QCOMPARE(viewOf(store), QStringLiteral("A,.a,.b,B,.c"));
    fold(QStringLiteral("A"), true);
    QCOMPARE(viewOf(store), QStringLiteral("A,B,.c"));
    fold(QStringLiteral("A"), false);
    QCOMPARE(viewOf(store), QStringLiteral("A,.a,.b,B,.c"));
    // A folded task that the filter leaves out cannot be unfolded, so it hides nothing.
    fold(QStringLiteral("B"), true);
    QCOMPARE(viewOf(store), QStringLiteral("A,.a,.b,B"));
    store.SetShowCompleted(false);
    QCOMPARE(viewOf(store), QStringLiteral("A,.a,.b,.c"));
    store.SetShowCompleted(true);
    store.SetFoldingApplied(false);
    QCOMPARE(viewOf(store), QStringLiteral("A,.a,..x,.b,B,.c"));
}

void TodoOutlineTest::holdAndDispChildren()
{
    CTavDbTodo store;
    fill(store, QStringLiteral("A,.a,..x,B,C,.c"), QStringLiteral("x"));
    const uint32_t a = idOf(store, QStringLiteral("A"));
    QVERIFY(store.IsHoldChildren(a));
    QVERIFY(!store.IsHoldChildren(idOf(store, QStringLiteral("B"))));
    QVERIFY(store.IsDispChildren(a));

    // A grandchild filtered out keeps A and a from being deleted with what the user sees.
    store.SetShowCompleted(false);
    QVERIFY(!store.IsDispChildren(a));
    QVERIFY(store.IsDispChildren(idOf(store, QStringLiteral("C"))));
    store.SetShowCompleted(true);

    // Private sub-items hidden by the private mode count as filtered out too.
    CTavDbTodoRecord c = *find(store, QStringLiteral("c"));
    c.SetPrivate(true);
    QCOMPARE(store.UpdateRecord(c), TavStatusCode::Ok);
    store.SetPrivateMode(2);
    QVERIFY(!store.IsDispChildren(idOf(store, QStringLiteral("C"))));
    store.SetPrivateMode(0);

    // Folding is no filter: a folded parent can still be deleted with its sub-items.
    CTavDbTodoRecord folded = *find(store, QStringLiteral("A"));
    folded.SetFolded(true);
    QCOMPARE(store.UpdateRecord(folded), TavStatusCode::Ok);
    QVERIFY(store.IsDispChildren(a));
}

void TodoOutlineTest::ordersSurviveWriteAndReload()
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

    CTavDbTodoRecord task;
    task.SetDesc(QStringLiteral("N"));
    task.SetIndentLevel(1);
    QCOMPARE(store.AddRecordAfter(task, idOf(store, QStringLiteral("A"))), TavStatusCode::Ok);
    QCOMPARE(store.DeleteRecord(idOf(store, QStringLiteral("A")), CTavDbTodo::DeleteAlone, false),
             TavStatusCode::Ok);
    QCOMPARE(store.Write(), TavStatusCode::Ok);
    CTavDbTodo reread;
    QCOMPARE(reread.LoadFromFile(path), TavStatusCode::Ok);
    QCOMPARE(outlineOf(reread), outlineOf(store));
    QVERIFY(outlineOf(reread).startsWith(QStringLiteral("a,N,X1,")));
}

QTEST_GUILESS_MAIN(TodoOutlineTest)
#include "tst_todooutline.moc"
