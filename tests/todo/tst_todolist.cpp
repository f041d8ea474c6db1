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

using namespace Qt::StringLiterals;
using F = TodoFixture;

namespace {
const auto key = [](const char* n) { return CTavProfile::GetProfileInt(CTavTodoDoc::kSection, n, -1); };

QAction* menuEntry(QMenu* menu, int command)
{
    for (QAction* action : menu->actions())
        if (action->data().toInt() == command)
            return action;
    return nullptr;
}

} // namespace

// The To Do outline: rows and state colours, the filters, completion, levels and moves,
// delete and purge, the task clipboard and the undo steps of the commands.
class TestTodoList : public QObject
{
    Q_OBJECT
    TodoFixture m_f;

    int rowOf(const char16_t* title) { return m_f.RowOf(QString::fromUtf16(title)); }
    const TodoListRow& row(const char16_t* title) { return m_f.RowNamed(QString::fromUtf16(title)); }
    QUndoStack& undo() { return m_f.Doc().UndoStack(); }
    // Runs a delete or purge command, answering its dialog: both boxes, then OK or Cancel. The
    // dialog's question and its starting child, child-enabled and backup states go to seen.
    void runDelete(int command, bool children, bool backup, bool ok, QStringList* seen = nullptr)
    {
        m_f.Env().AnswerDialog([=](CTavDialogBase& d) {
            auto& dlg = static_cast<CTavTodoDeleteDlg&>(d);
            QCheckBox *child = dlg.ChildBox(), *backupBox = dlg.BackupBox();
            if (seen)
                *seen << dlg.Question()->text()
                      << QString::asprintf("%d%d%d", child->isChecked(), child->isEnabled(),
                                           backupBox->isChecked());
            if (child->isEnabled())
                child->setChecked(children);
            backupBox->setChecked(backup);
            ok ? dlg.accept() : dlg.reject();
            return dlg.result();
        });
        m_f.Frame().Trigger(command);
    }

private slots:
    void init() { m_f.Start(); }
    void cleanup() { m_f.Stop(); }

    void rowsAndStateColours()
    {
        QCOMPARE(m_f.Levels().mid(0, 5), QList<int>({0, 1, 2, 2, 1}));
        const TodoListRow& first = row(u"企画書を仕上げる");
        QVERIFY(first.hasChildren && first.categoryName == u"仕事"_s);
        QCOMPARE(first.stateColor, F::kDelayed);
        QCOMPARE(row(u"見積もりを送る").stateColor, F::kActive); // no dates
        QCOMPARE(row(u"図表を差し替える").stateColor, F::kBefore);
        const TodoListRow& sheet = row(u"英会話の予習");
        QVERIFY(sheet.hasSheet && sheet.hasChildren && sheet.sheetName == u"memo0012"_s);
        // Start the start day and end the due day: 00:00:00 and 23:59:59 local time.
        QVERIFY(row(u"年末の大掃除").start == F::Day(10) && row(u"年末の大掃除").due == F::Day(21) - 1);
        AppTestEnv::Screenshot(m_f.App().MainFrame(), u"todo-outline"_s);

        // Due today: active until 23:59:59, delayed from the next second; a start day counts
        // as begun from its first second on. The argument counts seconds after 23:59:59 today.
        const auto colourAt = [this](int seconds, const char16_t* title) {
            CTavDbClock::SetFixed(QDateTime(F::Now().date(), QTime(23, 59, 59)).addSecs(seconds));
            m_f.Doc().Refresh();
            return row(title).stateColor;
        };
        QCOMPARE(QList<QColor>({colourAt(0, u"構成案を見直す"), colourAt(1, u"構成案を見直す"),
                                colourAt(0, u"単語カード"), colourAt(1, u"単語カード"),
                                colourAt(2, u"単語カード")}),
                 QList<QColor>({F::kActive, F::kDelayed, F::kBefore, F::kBefore, F::kActive}));

        // The category filter; a name the store does not know shows everything.
        CTavDbClock::SetFixed(F::Now());
        QComboBox* box = m_f.Frame().CategoryBox();
        box->setCurrentIndex(box->findText(u"家族"_s));
        emit box->activated(box->currentIndex());
        QCOMPARE(m_f.Titles(), QStringList({u"誕生日プレゼント"_s, u"候補を三つ選ぶ"_s, u"予算を決める"_s}));
        m_f.Doc().SetFilter(4242);
        QCOMPARE(m_f.Doc().Count(), F::kTaskCount);

        // The first listed task stands at the top level whatever its stored level.
        m_f.Frame().PressStateButton(CTavDbTodo::StateDelayed); // off
        m_f.Frame().PressStateButton(CTavDbTodo::StateActive);  // off
        QVERIFY(m_f.Doc().Row(0)->title == u"図表を差し替える"_s && m_f.Doc().Row(0)->level == 0);
    }

    void stateButtonsAndPriority()
    {
        CTavTodoFrame& frame = m_f.Frame();
        // Presses a state button (none for -1); returns which states are shown.
        const auto press = [&frame](int state) {
            if (state >= 0)
                frame.StateButton(state)->click();
            return QList<bool>({frame.StateButton(0)->isChecked(), frame.StateButton(1)->isChecked(),
                                frame.StateButton(2)->isChecked()});
        };
        QCOMPARE(press(CTavDbTodo::StateBefore), QList<bool>({false, true, true}));
        QCOMPARE(press(CTavDbTodo::StateDelayed), QList<bool>({false, true, false}));
        AppTestEnv::Screenshot(m_f.App().MainFrame(), u"todo-active-only"_s);
        for (const TodoListRow& r : m_f.Doc().Rows())
            QCOMPARE(r.stateColor, F::kActive);
        // The last one shown cannot go: the next state comes on instead, each way round.
        QCOMPARE(press(CTavDbTodo::StateActive), QList<bool>({false, false, true}));
        QCOMPARE(press(CTavDbTodo::StateDelayed), QList<bool>({true, false, false}));
        QCOMPARE(press(CTavDbTodo::StateBefore), QList<bool>({false, true, false}));
        QCOMPARE(QList<int>({key("dispTaskBefore"), key("dispTaskActive"), key("dispTaskDelayed")}),
                 QList<int>({0, 1, 0}));
        QCOMPARE(press(CTavDbTodo::StateBefore), QList<bool>({true, true, false}));

        // Priority 2 and more urgent; the profile keeps the choice, a wrong value counts as 5.
        QComboBox* priority = frame.PriorityBox();
        QCOMPARE(priority->currentText(), u"5"_s);
        priority->setCurrentIndex(1);
        emit priority->activated(1);
        QVERIFY(m_f.Doc().Count() > 0);
        for (const TodoListRow& r : m_f.Doc().Rows())
            QVERIFY(r.priority <= 2);
        QCOMPARE(key("LastSelectPriority"), 2);
        CTavProfile::WriteProfileInt(CTavTodoDoc::kSection, u"LastSelectPriority"_s, 9);
        frame.Update(0);
        QVERIFY(m_f.Store().GetDispPriority() == 5 && priority->currentText() == u"5"_s);
        QCOMPARE(press(-1), QList<bool>({true, true, false}));
    }

    void completionAndCells()
    {
        const int at = rowOf(u"換気扇");
        const auto task = [this] { return row(u"換気扇"); };
        const auto pick = [this, at](int kind, int command) {
            m_f.ClickCell(at, kind);
            menuEntry(m_f.Commands().CellMenu(), command)->trigger();
        };
        m_f.ClickCell(at, CTavTodoLeftView::KindCompletion);
        QVERIFY(task().completed && task().due == F::Day(1) - 1); // today's end
        QCOMPARE(m_f.List().ShownRow(), at);
        // Un-completing does not bring the old due date back; the undo step does.
        m_f.ClickCell(at, CTavTodoLeftView::KindCompletion);
        QVERIFY(!task().completed && task().due == F::Day(1) - 1);
        undo().setIndex(undo().index() - 2);
        QCOMPARE(task().due, F::Day(2) - 1);
        CTavTodoDoc::Settings settings = m_f.Doc().GetSettings();
        settings.registCompletedDate = false;
        m_f.Doc().SetSettings(settings);
        m_f.ClickCell(at, CTavTodoLeftView::KindCompletion);
        QVERIFY(task().completed && task().due == F::Day(2) - 1);

        // Pop-ups of the priority, due-date and category cells.
        m_f.ClickCell(at, CTavTodoLeftView::KindPriority);
        QMenu* menu = m_f.Commands().CellMenu();
        QVERIFY(menu && menu->isVisible());
        QVERIFY(menu->actions().at(3)->text() == u"* 4"_s && menu->actions().at(0)->text() == u"  1"_s);
        menuEntry(menu, TavTodoCmd::FirstPriority + 1)->trigger();
        QCOMPARE(task().priority, 2);
        pick(CTavTodoLeftView::KindDue, TavTodoCmd::FirstDue + 2);
        QCOMPARE(task().due, F::Day(8) - 1);
        pick(CTavTodoLeftView::KindDue, TavTodoCmd::FirstDue + 4);
        QCOMPARE(task().due, maxDateTime);
        pick(CTavTodoLeftView::KindCategory, TavTodoCmd::FirstCategory);
        QCOMPARE(task().categoryName, m_f.Store().GetCategory(0).GetName());

        // A double click on the box toggles once and opens the task, as on any other cell.
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        m_f.ClickCell(at, CTavTodoLeftView::KindCompletion);
        const QPoint box = m_f.List().CellRect(at, CTavTodoLeftView::KindCompletion).center();
        QTest::mouseDClick(m_f.List().viewport(), Qt::LeftButton, {}, box);
        QTest::mouseRelease(m_f.List().viewport(), Qt::LeftButton, {}, box);
        QVERIFY(!task().completed && m_f.Env().DialogTitles().size() == 1);

        // Fold marks hide the sub-items and are no undo step; masked private rows take no clicks.
        const int steps = undo().count();
        QTest::mouseClick(m_f.List().viewport(), Qt::LeftButton, {},
                          m_f.List().FoldMarkRect(rowOf(u"年末の大掃除")).center());
        QCoreApplication::processEvents();
        QVERIFY(row(u"年末の大掃除").folded && rowOf(u"窓ふき") == -1);
        QCOMPARE(undo().count(), steps);
        m_f.App().MainFrame()->SetPrivateMode(1);
        const int secret = rowOf(u"誕生日プレゼント");
        m_f.ClickCell(secret, CTavTodoLeftView::KindCompletion);
        QVERIFY(!row(u"誕生日プレゼント").completed);
        QCOMPARE(m_f.List().ShownRow(), secret);
        AppTestEnv::Screenshot(m_f.App().MainFrame(), u"todo-masked-folded"_s);
    }

    void levelsAndMoves()
    {
        CTavTodoCommands& c = m_f.Commands();
        const QStringList titles = m_f.Titles();
        const QList<int> levels = m_f.Levels();
        // Row 0 gains no level, nor goes up; level 0 goes no higher, level 2 no deeper.
        m_f.List().SelectRow(0);
        c.OnLevelDown();
        c.OnMoveUp();
        c.OnLevelUp();
        m_f.SelectTitles({u"図表を差し替える"_s});
        c.OnLevelDown();
        m_f.List().SelectRow(m_f.Doc().Count() - 1);
        c.OnMoveDown();
        QVERIFY(m_f.Titles() == titles && m_f.Levels() == levels);
        QVERIFY(undo().count() == 0 && m_f.Env().Messages().isEmpty());

        // Several rows at once, and their selection stays on them.
        m_f.SelectTitles({u"窓ふき"_s, u"換気扇"_s});
        m_f.List().Button(TavTodoCtl::LevelDown)->click();
        QVERIFY(row(u"窓ふき").level == 2 && row(u"換気扇").level == 2);
        QVERIFY(m_f.List().SelectedIds(true).size() == 2 && undo().count() == 1);
        undo().undo();
        QCOMPARE(m_f.Levels(), levels);

        // Row 1 at level 1 moving up: the warning, then it stands first at the top level.
        m_f.List().SelectRow(1);
        m_f.List().Button(TavTodoCtl::MoveUp)->click();
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kFirstRowLevel}));
        QVERIFY(m_f.Titles().first() == u"構成案を見直す"_s && m_f.Levels().first() == 0);
        QCOMPARE(m_f.List().ShownRow(), 0);
        undo().undo();
        QCOMPARE(m_f.Titles(), titles);
        // Row 0 moving down leaves its sub-item first: the same warning.
        m_f.Env().ClearRecords();
        m_f.List().SelectRow(0);
        c.OnMoveDown();
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kFirstRowLevel}));
        QVERIFY(rowOf(u"企画書を仕上げる") > 0);

        // A task with fifty sub-items moves as one undo step.
        QList<CTavDbTodoRecord> extra{F::Task(u"大きな計画"_s, 0)};
        for (int n = 0; n < 50; ++n)
            extra << F::Task(u"手順%1"_s.arg(n), 1 + n % 2);
        m_f.Stop();
        m_f.Start(extra);
        const QStringList all = m_f.Titles();
        QCOMPARE(all.size(), F::kTaskCount + 51);
        m_f.SelectTitles({u"大きな計画"_s});
        m_f.Commands().OnMoveUp();
        const QStringList moved = m_f.Titles();
        const int at = rowOf(u"大きな計画");
        QCOMPARE(moved.mid(at, 51), all.mid(F::kTaskCount, 51));
        QCOMPARE(moved.at(at + 51), u"図書館に返す"_s);
        QCOMPARE(undo().count(), 1);
        undo().undo();
        QCOMPARE(m_f.Titles(), all);
    }

    void deleteTasks()
    {
        m_f.List().ClearRowSelection();
        m_f.Commands().OnDelete();
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kNothingSelected}));
        QVERIFY(m_f.Env().DialogTitles().isEmpty());

        // A task whose completed sub-item the filter hides stays, with its message; the other
        // selected task goes with its sub-items, and the dialog's choices are kept.
        CTavTodoDoc::Settings settings = m_f.Doc().GetSettings();
        settings.showCompleted = false;
        m_f.Doc().SetSettings(settings);
        m_f.Env().ClearRecords();
        m_f.SelectTitles({u"構成案を見直す"_s, u"車検"_s});
        QStringList seen;
        runDelete(TavTodoCmd::Delete, true, false, true, &seen);
        QCOMPARE(seen, QStringList({CTavTodoDeleteDlg::kDeleteQuestion, u"011"_s}));
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kChildrenFiltered}));
        QVERIFY(rowOf(u"構成案を見直す") >= 0);
        for (const char16_t* gone : {u"車検", u"タイヤ交換", u"自賠責保険"})
            QCOMPARE(rowOf(gone), -1);
        QVERIFY(m_f.Doc().DeleteChildChecked() && !m_f.Doc().DeleteBackupChecked());
        QCOMPARE(undo().count(), 1);

        // Alone, a task's sub-items move up a level; cancelled, nothing goes.
        m_f.Env().ClearRecords();
        m_f.SelectTitles({u"引っ越しの準備"_s});
        runDelete(TavTodoCmd::Delete, false, false, false);
        QVERIFY(rowOf(u"引っ越しの準備") >= 0);
        runDelete(TavTodoCmd::Delete, false, false, true);
        QCOMPARE(rowOf(u"引っ越しの準備"), -1);
        QCOMPARE(row(u"段ボールを集める").level, 0);
        QCOMPARE(m_f.List().ShownRow(), rowOf(u"段ボールを集める"));
        QVERIFY(m_f.Env().AllAnswersUsed());
    }

    void purgeCompleted()
    {
        // Without the confirmation option a plain question; "見積もりを送る" and the others go,
        // "議事録をまとめる" too; a completed parent with an open sub-item is refused, once.
        CTavOptions::instance().SetCheckDelete(0);
        m_f.Env().AnswerMessage(TavMsg::IdCancel);
        m_f.Frame().Trigger(TavTodoCmd::Purge);
        QCOMPARE(m_f.Doc().Count(), F::kTaskCount);
        m_f.Env().ClearRecords();
        CTavDbTodoRecord parent = *m_f.Doc().Task(rowOf(u"英会話の予習"));
        parent.SetCompleted(true);
        QCOMPARE(m_f.Store().UpdateRecord(parent), TavStatusCode::Ok);
        m_f.Env().AnswerMessage(TavMsg::IdOk);
        m_f.Frame().Trigger(TavTodoCmd::Purge);
        QCOMPARE(m_f.Env().Messages(),
                 QStringList({CTavTodoDeleteDlg::kPurgeQuestion, CTavTodoCommands::kNotDiscarded}));
        for (const char16_t* gone : {u"見積もりを送る", u"洗剤を買う", u"議事録をまとめる", u"図書館に返す"})
            QCOMPARE(rowOf(gone), -1);
        QVERIFY(rowOf(u"英会話の予習") >= 0);
        QCOMPARE(undo().count(), 1);

        // Nothing completed left: the dialog form, no failure message.
        m_f.Env().ClearRecords();
        CTavOptions::instance().SetCheckDelete(1);
        parent.SetCompleted(false);
        m_f.Store().UpdateRecord(parent);
        QStringList seen;
        runDelete(TavTodoCmd::Purge, true, true, true, &seen);
        QCOMPARE(seen.value(0), CTavTodoDeleteDlg::kPurgeQuestion);
        QVERIFY(seen.value(1).startsWith(u"10"_s));
        QVERIFY(m_f.Env().Messages().isEmpty());
        QCOMPARE(m_f.App().readyForSync(), 1);
    }

    void copyAndPaste()
    {
        const QStringList copied{u"単語カード"_s, u"第5課の音読"_s, u"歯医者の予約"_s};
        m_f.SelectTitles(copied);
        m_f.Frame().Trigger(TavTodoCmd::Copy);
        m_f.SelectTitles({u"予算を決める"_s});
        m_f.Frame().Trigger(TavTodoCmd::Paste);
        QCOMPARE(m_f.Doc().Count(), F::kTaskCount + 3);
        const int at = rowOf(u"予算を決める");
        QCOMPARE(m_f.Titles().mid(at + 1, 3), copied);
        QCOMPARE(m_f.List().Selection().SelectedRows(), QList<int>({at + 1, at + 2, at + 3}));
        QCOMPARE(undo().count(), 1);
        undo().undo();
        QCOMPARE(m_f.Doc().Count(), F::kTaskCount);
        // Tasks from another store bring their category along; its undo takes the category back.
        const QList<CTavDbTodoRecord> tasks = m_f.Doc().ClipboardTasks().mid(0, 1);
        m_f.Doc().SetClipboard(tasks, {u"旅行"_s});
        m_f.Frame().Trigger(TavTodoCmd::Paste);
        const CTavDbCategory* trip = m_f.Store().FindCategoryByName(u"旅行"_s);
        QVERIFY(trip);
        const int pasted = m_f.List().Selection().SelectedRows().value(0);
        QCOMPARE(m_f.Store().FindRecord(m_f.Doc().Row(pasted)->uniqueId)->GetCategoryID(), trip->GetID());
        undo().undo();
        QVERIFY(!m_f.Store().FindCategoryByName(u"旅行"_s));

        // The context menu: pasting needs a clipboard, copying a selection.
        m_f.List().ClearRowSelection();
        m_f.Commands().ShowContextMenu(QPoint(10, 10), -1);
        QMenu* menu = m_f.Commands().ContextMenu();
        QVERIFY(!menuEntry(menu, TavTodoCmd::ContextCopy)->isEnabled() &&
                menuEntry(menu, TavTodoCmd::ContextPaste)->isEnabled());
        menu->hide();
        // New task with two rows selected: refused before any dialog.
        m_f.SelectTitles({u"車検"_s, u"タイヤ交換"_s});
        m_f.Frame().Trigger(TavTodoCmd::NewTask);
        QCOMPARE(m_f.Env().Messages(), QStringList({CTavTodoCommands::kSeveralSelected}));
        QVERIFY(m_f.Env().DialogTitles().isEmpty());
    }
    void showRecordRevealsWhatHidesIt()
    {
        // A finished sub-task under a folded task, with finished tasks hidden: opening it from
        // elsewhere (the search pane) shows the finished tasks and opens the fold.
        m_f.Stop();
        CTavDbTodoRecord parent = F::Task(u"引っ越しの準備"_s, 0);
        parent.SetFolded(true);
        m_f.Start({parent, F::Task(u"転居届を出す"_s, 1, maxDateTime, maxDateTime, true)});
        CTavTodoDoc::Settings settings = m_f.Doc().GetSettings();
        settings.showCompleted = false;
        m_f.Doc().SetSettings(settings);
        uint32_t id = 0;
        for (const auto& r : m_f.Store().AllRecords())
            if (static_cast<const CTavDbTodoRecord&>(*r).GetDesc() == u"転居届を出す"_s)
                id = r->GetUniqueId();
        QCOMPARE(m_f.Doc().IndexOfId(id), -1);
        QVERIFY(m_f.Frame().ShowRecord(id));
        QVERIFY(m_f.Doc().GetSettings().showCompleted);
        QVERIFY(!m_f.RowNamed(u"引っ越しの準備"_s).folded);
        QCOMPARE(m_f.List().Selection().SelectedRows(), QList<int>{m_f.Doc().IndexOfId(id)});
        QCOMPARE(undo().count(), 0);
    }
};

QTEST_MAIN(TestTodoList)
#include "tst_todolist.moc"
