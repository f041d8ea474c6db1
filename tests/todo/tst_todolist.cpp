#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include "CTavDbClock.h"
#include "CTavOptions.h"
#include "CTavProfile.h"
#include "CTavTodoDeleteDlg.h"
#include "TavTodoCommandIds.h"
#include "TodoFixture.h"

namespace {
QAction* menuEntry(QMenu* menu, int command)
{
    for (QAction* action : menu->actions())
        if (action->data().toInt() == command)
            return action;
    return nullptr;
}

// Answers the delete dialog: sets both boxes, then OK or Cancel; records what it started from.
AppTestEnv::DialogAnswer answerDelete(bool children, bool backup, bool ok, QStringList* seen = nullptr)
{
    return [=](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavTodoDeleteDlg&>(d);
        if (seen)
            *seen << dlg.Question()->text() << QString::number(dlg.ChildBox()->isChecked())
                  << QString::number(dlg.ChildBox()->isEnabled())
                  << QString::number(dlg.BackupBox()->isChecked());
        if (dlg.ChildBox()->isEnabled())
            dlg.ChildBox()->setChecked(children);
        dlg.BackupBox()->setChecked(backup);
        ok ? dlg.accept() : dlg.reject();
        return dlg.result();
    };
}
} // namespace

// The To Do outline: rows and state colours, the filters, completion, levels and moves,
// delete and purge, the task clipboard and the undo steps of the commands.
class TestTodoList : public QObject
{
    Q_OBJECT
    TodoFixture m_f;

private slots:
    void init() { m_f.Start(); }
    void cleanup()
    {
        m_f.Stop();
        CTavOptions::instance().Reset();
    }

    void rowsAndStateColours()
    {
        QCOMPARE(m_f.Doc().Count(), TodoFixture::kTaskCount);
        QCOMPARE(m_f.Levels().mid(0, 5), QList<int>({0, 1, 2, 2, 1}));
        const TodoListRow& first = m_f.RowNamed(QStringLiteral("企画書を仕上げる"));
        QVERIFY(first.hasChildren);
        QCOMPARE(first.categoryName, QStringLiteral("仕事"));
        QCOMPARE(first.stateColor, TodoFixture::kDelayed);
        QCOMPARE(m_f.RowNamed(QStringLiteral("見積もりを送る")).stateColor, TodoFixture::kActive); // no dates
        QCOMPARE(m_f.RowNamed(QStringLiteral("図表を差し替える")).stateColor, TodoFixture::kBefore);
        const TodoListRow& sheet = m_f.RowNamed(QStringLiteral("英会話の予習"));
        QVERIFY(sheet.hasSheet && sheet.hasChildren);
        QCOMPARE(sheet.sheetName, QStringLiteral("memo0012"));
        // Start the start day and end the due day: 00:00:00 and 23:59:59 local time.
        const TodoListRow& both = m_f.RowNamed(QStringLiteral("年末の大掃除"));
        QCOMPARE(both.start, TodoFixture::Day(10));
        QCOMPARE(both.due, TodoFixture::Day(21) - 1);
        AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("todo-outline"));

        // A task due today is active until 23:59:59 and delayed from the next second; a start
        // day counts as begun from its first second on.
        const QString dueToday = QStringLiteral("構成案を見直す");
        const QString startsTomorrow = QStringLiteral("単語カード");
        const auto colourAt = [this](const QDateTime& now, const QString& title) {
            CTavDbClock::SetFixed(now);
            m_f.Doc().Refresh();
            return m_f.RowNamed(title).stateColor;
        };
        const QDate today = TodoFixture::Now().date();
        QCOMPARE(colourAt(QDateTime(today, QTime(23, 59, 59)), dueToday), TodoFixture::kActive);
        QCOMPARE(colourAt(QDateTime(today.addDays(1), QTime(0, 0)), dueToday), TodoFixture::kDelayed);
        QCOMPARE(colourAt(QDateTime(today, QTime(23, 59, 59)), startsTomorrow), TodoFixture::kBefore);
        QCOMPARE(colourAt(QDateTime(today.addDays(1), QTime(0, 0)), startsTomorrow), TodoFixture::kBefore);
        QCOMPARE(colourAt(QDateTime(today.addDays(1), QTime(0, 0, 1)), startsTomorrow), TodoFixture::kActive);

        // The category filter; a name the store does not know shows everything.
        CTavDbClock::SetFixed(TodoFixture::Now());
        QComboBox* box = m_f.Frame().CategoryBox();
        box->setCurrentIndex(box->findText(QStringLiteral("家族")));
        emit box->activated(box->currentIndex());
        QCOMPARE(m_f.Titles(),
                 QStringList({QStringLiteral("誕生日プレゼント"), QStringLiteral("候補を三つ選ぶ"),
                              QStringLiteral("予算を決める")}));
        m_f.Doc().SetFilter(4242);
        QCOMPARE(m_f.Doc().CategoryFilter(), CTavTodoDoc::kAllCategories);
        QCOMPARE(m_f.Doc().Count(), TodoFixture::kTaskCount);

        // The first listed task stands at the top level whatever its stored level.
        m_f.Frame().PressStateButton(CTavDbTodo::StateDelayed); // off
        m_f.Frame().PressStateButton(CTavDbTodo::StateActive);  // off
        QCOMPARE(m_f.Doc().Row(0)->title, QStringLiteral("図表を差し替える"));
        QCOMPARE(m_f.Doc().Row(0)->level, 0);
    }

    void stateButtonsAndPriority()
    {
        CTavTodoFrame& frame = m_f.Frame();
        const auto shown = [&frame] {
            return QList<bool>({frame.StateButton(0)->isChecked(), frame.StateButton(1)->isChecked(),
                                frame.StateButton(2)->isChecked()});
        };
        const auto key = [](const char* name) {
            return CTavProfile::GetProfileInt(CTavTodoDoc::kSection, QLatin1String(name), -1);
        };
        QCOMPARE(shown(), QList<bool>({true, true, true}));
        frame.StateButton(CTavDbTodo::StateBefore)->click();
        QCOMPARE(shown(), QList<bool>({false, true, true}));
        QCOMPARE(m_f.RowOf(QStringLiteral("窓ふき")), -1);
        QCOMPARE(key("dispTaskBefore"), 0);
        frame.StateButton(CTavDbTodo::StateDelayed)->click();
        QCOMPARE(shown(), QList<bool>({false, true, false}));
        AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("todo-active-only"));
        for (const TodoListRow& r : m_f.Doc().Rows())
            QCOMPARE(r.stateColor, TodoFixture::kActive);
        // The last one shown cannot go: the next state comes on instead, each way round.
        frame.StateButton(CTavDbTodo::StateActive)->click();
        QCOMPARE(shown(), QList<bool>({false, false, true}));
        frame.StateButton(CTavDbTodo::StateDelayed)->click();
        QCOMPARE(shown(), QList<bool>({true, false, false}));
        frame.StateButton(CTavDbTodo::StateBefore)->click();
        QCOMPARE(shown(), QList<bool>({false, true, false}));
        QCOMPARE(QList<int>({key("dispTaskBefore"), key("dispTaskActive"), key("dispTaskDelayed")}),
                 QList<int>({0, 1, 0}));
        frame.StateButton(CTavDbTodo::StateBefore)->click();
        QCOMPARE(shown(), QList<bool>({true, true, false}));

        // Priority 2 and more urgent; the profile keeps the choice, a wrong value counts as 5.
        QComboBox* priority = frame.PriorityBox();
        QCOMPARE(priority->currentText(), QStringLiteral("5"));
        priority->setCurrentIndex(1);
        emit priority->activated(1);
        QVERIFY(m_f.Doc().Count() > 0);
        for (const TodoListRow& r : m_f.Doc().Rows())
            QVERIFY(r.priority <= 2);
        QCOMPARE(key("LastSelectPriority"), 2);
        CTavProfile::WriteProfileInt(CTavTodoDoc::kSection, QStringLiteral("LastSelectPriority"), 9);
        frame.Update(0);
        QCOMPARE(m_f.Store().GetDispPriority(), 5);
        QCOMPARE(priority->currentText(), QStringLiteral("5"));
        QCOMPARE(shown(), QList<bool>({true, true, false}));
    }

    void completionAndCells()
    {
        const QString title = QStringLiteral("換気扇");
        const int row = m_f.RowOf(title);
        m_f.ClickCell(row, CTavTodoLeftView::KindCompletion);
        QVERIFY(m_f.RowNamed(title).completed);
        QCOMPARE(m_f.RowNamed(title).due, TodoFixture::Day(1) - 1); // today's end
        QCOMPARE(m_f.List().ShownRow(), row);
        // Un-completing does not bring the old due date back; the undo step does.
        m_f.ClickCell(row, CTavTodoLeftView::KindCompletion);
        QVERIFY(!m_f.RowNamed(title).completed);
        QCOMPARE(m_f.RowNamed(title).due, TodoFixture::Day(1) - 1);
        m_f.Doc().UndoStack().undo();
        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.RowNamed(title).due, TodoFixture::Day(2) - 1);
        CTavTodoDoc::Settings settings = m_f.Doc().GetSettings();
        settings.registCompletedDate = false;
        m_f.Doc().SetSettings(settings);
        m_f.ClickCell(row, CTavTodoLeftView::KindCompletion);
        QVERIFY(m_f.RowNamed(title).completed);
        QCOMPARE(m_f.RowNamed(title).due, TodoFixture::Day(2) - 1);

        // Pop-ups of the priority, due-date and category cells.
        m_f.ClickCell(row, CTavTodoLeftView::KindPriority);
        QMenu* menu = m_f.Commands().CellMenu();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(menu->actions().at(3)->text(), QStringLiteral("* 4"));
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("  1"));
        menuEntry(menu, TavTodoCmd::FirstPriority + 1)->trigger();
        QCOMPARE(m_f.RowNamed(title).priority, 2);
        m_f.ClickCell(row, CTavTodoLeftView::KindDue);
        QCOMPARE(m_f.Commands().CellMenu()->actions().size(), 6);
        menuEntry(m_f.Commands().CellMenu(), TavTodoCmd::FirstDue + 2)->trigger();
        QCOMPARE(m_f.RowNamed(title).due, TodoFixture::Day(8) - 1);
        menuEntry(m_f.Commands().CellMenu(), TavTodoCmd::FirstDue + 4)->trigger();
        QCOMPARE(m_f.RowNamed(title).due, maxDateTime);
        m_f.ClickCell(row, CTavTodoLeftView::KindCategory);
        menuEntry(m_f.Commands().CellMenu(), TavTodoCmd::FirstCategory)->trigger();
        QCOMPARE(m_f.RowNamed(title).categoryName, m_f.Store().GetCategory(0).GetName());

        // Fold marks hide the sub-items and are no undo step; masked private rows take no clicks.
        const int steps = m_f.Doc().UndoStack().count();
        const int parent = m_f.RowOf(QStringLiteral("年末の大掃除"));
        QTest::mouseClick(m_f.List().viewport(), Qt::LeftButton, {},
                          m_f.List().FoldMarkRect(parent).center());
        QCoreApplication::processEvents();
        QVERIFY(m_f.RowNamed(QStringLiteral("年末の大掃除")).folded);
        QCOMPARE(m_f.RowOf(QStringLiteral("窓ふき")), -1);
        QCOMPARE(m_f.Doc().UndoStack().count(), steps);
        m_f.App().MainFrame()->SetPrivateMode(1);
        const int secret = m_f.RowOf(QStringLiteral("誕生日プレゼント"));
        m_f.ClickCell(secret, CTavTodoLeftView::KindCompletion);
        QVERIFY(!m_f.RowNamed(QStringLiteral("誕生日プレゼント")).completed);
        QCOMPARE(m_f.List().ShownRow(), secret);
        AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("todo-masked-folded"));
    }

    void levelsAndMoves()
    {
        QUndoStack& undo = m_f.Doc().UndoStack();
        CTavTodoCommands& c = m_f.Commands();
        const QStringList titles = m_f.Titles();
        const QList<int> levels = m_f.Levels();
        // Row 0 gains no level, nor goes up; level 0 goes no higher, level 2 no deeper.
        m_f.List().SelectRow(0);
        c.OnLevelDown();
        c.OnMoveUp();
        c.OnLevelUp();
        m_f.SelectTitles({QStringLiteral("図表を差し替える")});
        c.OnLevelDown();
        m_f.List().SelectRow(m_f.Doc().Count() - 1);
        c.OnMoveDown();
        QCOMPARE(m_f.Titles(), titles);
        QCOMPARE(m_f.Levels(), levels);
        QCOMPARE(undo.count(), 0);
        QVERIFY(m_f.Env().Messages().isEmpty());

        // Several rows at once, and their selection stays on them.
        m_f.SelectTitles({QStringLiteral("窓ふき"), QStringLiteral("換気扇")});
        m_f.List().Button(TavTodoCtl::LevelDown)->click();
        QCOMPARE(m_f.RowNamed(QStringLiteral("窓ふき")).level, 2);
        QCOMPARE(m_f.RowNamed(QStringLiteral("換気扇")).level, 2);
        QCOMPARE(m_f.List().SelectedIds(true).size(), 2);
        QCOMPARE(undo.count(), 1);
        undo.undo();
        QCOMPARE(m_f.Levels(), levels);

        // Row 1 at level 1 moving up: the warning, then it stands first at the top level.
        m_f.List().SelectRow(1);
        m_f.List().Button(TavTodoCtl::MoveUp)->click();
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kFirstRowLevel}));
        QCOMPARE(m_f.Titles().first(), QStringLiteral("構成案を見直す"));
        QCOMPARE(m_f.Levels().first(), 0);
        QCOMPARE(m_f.List().ShownRow(), 0);
        undo.undo();
        QCOMPARE(m_f.Titles(), titles);
        // Row 0 moving down leaves its sub-item first: the same warning.
        m_f.Env().ClearRecords();
        m_f.List().SelectRow(0);
        c.OnMoveDown();
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kFirstRowLevel}));
        QVERIFY(m_f.RowOf(QStringLiteral("企画書を仕上げる")) > 0);
    }

    void fiftySubItemsMoveAsOneStep()
    {
        QList<CTavDbTodoRecord> extra{TodoFixture::Task(QStringLiteral("大きな計画"), 0)};
        for (int n = 0; n < 50; ++n)
            extra << TodoFixture::Task(QStringLiteral("手順%1").arg(n), 1 + n % 2);
        m_f.Stop();
        m_f.Start(extra);
        const QStringList titles = m_f.Titles();
        QCOMPARE(titles.size(), TodoFixture::kTaskCount + 51);
        m_f.SelectTitles({QStringLiteral("大きな計画")});
        m_f.Commands().OnMoveUp();
        const QStringList moved = m_f.Titles();
        const int at = static_cast<int>(moved.indexOf(QStringLiteral("大きな計画")));
        QCOMPARE(moved.mid(at, 51), titles.mid(TodoFixture::kTaskCount, 51));
        QCOMPARE(moved.at(at + 51), QStringLiteral("図書館に返す"));
        QCOMPARE(m_f.Doc().UndoStack().count(), 1);
        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.Titles(), titles);
    }

    void deleteTasks()
    {
        CTavTodoCommands& c = m_f.Commands();
        m_f.List().ClearRowSelection();
        c.OnDelete();
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kNothingSelected}));
        QVERIFY(m_f.Env().DialogTitles().isEmpty());

        // A task whose completed sub-item the filter hides stays, with its message; the other
        // selected task goes with its sub-items, and the dialog's choices are kept.
        CTavTodoDoc::Settings settings = m_f.Doc().GetSettings();
        settings.showCompleted = false;
        m_f.Doc().SetSettings(settings);
        m_f.Env().ClearRecords();
        m_f.SelectTitles({QStringLiteral("構成案を見直す"), QStringLiteral("車検")});
        QStringList seen;
        m_f.Env().AnswerDialog(answerDelete(true, false, true, &seen));
        m_f.Frame().Trigger(TavTodoCmd::Delete);
        QCOMPARE(seen, QStringList({CTavTodoDeleteDlg::kDeleteQuestion, QStringLiteral("0"),
                                    QStringLiteral("1"), QStringLiteral("1")}));
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kChildrenFiltered}));
        QVERIFY(m_f.RowOf(QStringLiteral("構成案を見直す")) >= 0);
        for (const char16_t* gone : {u"車検", u"タイヤ交換", u"自賠責保険"})
            QCOMPARE(m_f.RowOf(QString::fromUtf16(gone)), -1);
        QVERIFY(m_f.Doc().DeleteChildChecked());
        QVERIFY(!m_f.Doc().DeleteBackupChecked());
        QCOMPARE(m_f.Doc().UndoStack().count(), 1);

        // Alone, a task's sub-items move up a level; cancelled, nothing goes.
        m_f.Env().ClearRecords();
        m_f.SelectTitles({QStringLiteral("引っ越しの準備")});
        m_f.Env().AnswerDialog(answerDelete(false, false, false));
        m_f.Frame().Trigger(TavTodoCmd::Delete);
        QVERIFY(m_f.RowOf(QStringLiteral("引っ越しの準備")) >= 0);
        m_f.Env().AnswerDialog(answerDelete(false, false, true));
        m_f.Frame().Trigger(TavTodoCmd::Delete);
        QCOMPARE(m_f.RowOf(QStringLiteral("引っ越しの準備")), -1);
        QCOMPARE(m_f.RowNamed(QStringLiteral("段ボールを集める")).level, 0);
        QCOMPARE(m_f.List().ShownRow(), m_f.RowOf(QStringLiteral("段ボールを集める")));
        QVERIFY(m_f.Env().AllAnswersUsed());
    }

    void purgeCompleted()
    {
        // Without the confirmation option a plain question; "見積もりを送る" and the others go,
        // "議事録をまとめる" too; a completed parent with an open sub-item is refused, once.
        CTavOptions::instance().SetCheckDelete(0);
        m_f.Env().AnswerMessage(TavMsg::IdCancel);
        m_f.Frame().Trigger(TavTodoCmd::Purge);
        QCOMPARE(m_f.Doc().Count(), TodoFixture::kTaskCount);
        m_f.Env().ClearRecords();
        CTavDbTodoRecord parent = *m_f.Doc().Task(m_f.RowOf(QStringLiteral("英会話の予習")));
        parent.SetCompleted(true);
        QCOMPARE(m_f.Store().UpdateRecord(parent), TavStatusCode::Ok);
        m_f.Env().AnswerMessage(TavMsg::IdOk);
        m_f.Frame().Trigger(TavTodoCmd::Purge);
        QCOMPARE(m_f.Env().Messages(),
                 QStringList({CTavTodoDeleteDlg::kPurgeQuestion, CTavTodoCommands::kNotDiscarded}));
        for (const char16_t* gone : {u"見積もりを送る", u"洗剤を買う", u"議事録をまとめる", u"図書館に返す"})
            QCOMPARE(m_f.RowOf(QString::fromUtf16(gone)), -1);
        QVERIFY(m_f.RowOf(QStringLiteral("英会話の予習")) >= 0);
        QCOMPARE(m_f.Doc().UndoStack().count(), 1);

        // Nothing completed left: the dialog form, no failure message.
        m_f.Env().ClearRecords();
        CTavOptions::instance().SetCheckDelete(1);
        parent.SetCompleted(false);
        m_f.Store().UpdateRecord(parent);
        QStringList seen;
        m_f.Env().AnswerDialog(answerDelete(true, true, true, &seen));
        m_f.Frame().Trigger(TavTodoCmd::Purge);
        QCOMPARE(seen.mid(0, 3),
                 QStringList({CTavTodoDeleteDlg::kPurgeQuestion, QStringLiteral("1"), QStringLiteral("0")}));
        QVERIFY(m_f.Env().Messages().isEmpty());
        QCOMPARE(m_f.App().readyForSync(), 1);
    }

    void copyAndPaste()
    {
        m_f.SelectTitles(
            {QStringLiteral("単語カード"), QStringLiteral("第5課の音読"), QStringLiteral("歯医者の予約")});
        m_f.Frame().Trigger(TavTodoCmd::Copy);
        QCOMPARE(m_f.Doc().ClipboardTasks().size(), 3);
        m_f.SelectTitles({QStringLiteral("予算を決める")});
        m_f.Frame().Trigger(TavTodoCmd::Paste);
        QCOMPARE(m_f.Doc().Count(), TodoFixture::kTaskCount + 3);
        const int at = m_f.RowOf(QStringLiteral("予算を決める"));
        QCOMPARE(m_f.Titles().mid(at + 1, 3),
                 QStringList({QStringLiteral("単語カード"), QStringLiteral("第5課の音読"),
                              QStringLiteral("歯医者の予約")}));
        QCOMPARE(m_f.List().Selection().SelectedRows(), QList<int>({at + 1, at + 2, at + 3}));
        QCOMPARE(m_f.Doc().UndoStack().count(), 1);
        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.Doc().Count(), TodoFixture::kTaskCount);

        // The context menu: pasting needs a clipboard, copying a selection.
        m_f.List().ClearRowSelection();
        m_f.Commands().ShowContextMenu(QPoint(10, 10), -1);
        QMenu* menu = m_f.Commands().ContextMenu();
        QVERIFY(!menuEntry(menu, TavTodoCmd::ContextCopy)->isEnabled());
        QVERIFY(menuEntry(menu, TavTodoCmd::ContextPaste)->isEnabled());
        menu->hide();
        // New task with two rows selected: refused before any dialog.
        m_f.SelectTitles({QStringLiteral("車検"), QStringLiteral("タイヤ交換")});
        m_f.Frame().Trigger(TavTodoCmd::NewTask);
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kSeveralSelected}));
        QVERIFY(m_f.Env().DialogTitles().isEmpty());
    }
};

QTEST_MAIN(TestTodoList)
#include "tst_todolist.moc"
