#include "CTavTodoCommands.h"

#include "CTavApp.h"
#include "CTavCategoryDlg.h"
#include "CTavDbClock.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "CTavOptions.h"
#include "CTavScDatePickDlg.h"
#include "CTavSyncLock.h"
#include "CTavTodoDeleteDlg.h"
#include "CTavTodoDoc.h"
#include "CTavTodoEditDlg.h"
#include "CTavTodoFrame.h"
#include "CTavTodoLeftView.h"
#include "CTavTodoPrefsDlg.h"
#include "CTavWaitCursor.h"
#include "ScheduleState.h"
#include "TavShowMessage.h"
#include "TavTodoCommandIds.h"

namespace {
TavTime startOfDay(const QDateTime& moment)
{
    return CTavDbTime::fromDate(moment.date());
}
} // namespace

CTavTodoCommands::CTavTodoCommands(CTavTodoFrame& frame) : QObject(&frame), m_frame(frame) {}

const QStringList& CTavTodoCommands::DueChoices()
{
    static const QStringList choices{QStringLiteral("今日"),     QStringLiteral("明日"),
                                     QStringLiteral("一週間後"), QStringLiteral("二週間後"),
                                     QStringLiteral("指定なし"), QStringLiteral("カレンダーより選択...")};
    return choices;
}

QString CTavTodoCommands::RecordLimitMessage()
{
    const QString action = QStringLiteral("新規") + QStringLiteral("To Do");
    return QStringLiteral(
               "データが最大数に達したため、Lumora は%1を実行できません。\n\n不要なデータを削除またはバック"
               "アップ ファイルに保存し、HotSync 機能を実行してから、%2を実行してください。")
        .arg(action, action);
}

int CTavTodoCommands::message(const QString& text, unsigned type)
{
    CTavSyncLock lock(m_frame.TodoDoc()->App());
    return TavShowMessage(&m_frame, text, QString(), type);
}

void CTavTodoCommands::RefreshAndSelect(const QList<uint32_t>& uniqueIds)
{
    m_frame.TodoDoc()->Refresh();
    m_frame.LeftView()->SelectIds(uniqueIds);
}

int CTavTodoCommands::updateTask(uint32_t uniqueId, const QString& stepName,
                                 const std::function<void(CTavDbTodoRecord&)>& change)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavDbTodo& store = doc->Store();
    const auto* stored = static_cast<const CTavDbTodoRecord*>(store.FindRecord(uniqueId));
    if (!stored)
        return -1;
    CTavDbTodoRecord task = *stored;
    change(task);
    if (doc->RunEdit(store, stepName, [&store, &task] { return store.UpdateRecord(task); }) !=
        TavStatusCode::Ok)
        return -1;
    RefreshAndSelect({uniqueId});
    return 0;
}

void CTavTodoCommands::OnNew()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavApp& app = doc->App();
    const QList<int> rows = m_frame.LeftView()->Selection().SelectedRows();
    if (rows.size() > 1) {
        message(kSeveralSelected, TavMsg::IconExclamation);
        return;
    }
    CTavDbTodo& store = doc->Store();
    if (store.GetRecordCount() >= CTavDbTodo::kMaxRecords) {
        message(RecordLimitMessage(), TavMsg::IconExclamation);
        return;
    }
    CTavSyncLock lock(app);
    const TodoListRow* after = rows.isEmpty() ? nullptr : doc->Row(rows.first());
    CTavDbTodoRecord task = CTavTodoEditDlg::NewTask(app, doc->CategoryFilter());
    // A new task stands beside the selected one.
    task.SetIndentLevel(after ? after->level : 0);
    const uint32_t afterId = after ? after->uniqueId : 0;
    CTavTodoEditDlg dlg(app, task, true, &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    CTavDbTodoRecord added = dlg.Task();
    if (doc->RunEdit(store, QStringLiteral("To Do の追加"), [&store, &added, afterId] {
            return store.AddRecordAfter(added, afterId);
        }) != TavStatusCode::Ok) {
        doc->Refresh();
        return;
    }
    RefreshAndSelect({added.GetUniqueId()});
}

void CTavTodoCommands::OnEdit()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const CTavDbTodoRecord* task = doc->Task(m_frame.LeftView()->ShownRow());
    if (!task)
        return;
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const QString user = app.Users().GetCurrUserName();
    if (doc->Masked() && task->GetIsPrivate() && app.Users().IsSettingPassword(user) &&
        !app.AskPassword(user, true, &m_frame))
        return;
    CTavTodoEditDlg dlg(app, *task, false, &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    CTavDbTodoRecord edited = dlg.Task();
    if (edited.GetDueDate() < maxDateTime)
        edited.SetDueDate(startOfDay(CTavDbTime::toDateTime(edited.GetDueDate())));
    CTavDbTodo& store = doc->Store();
    doc->RunEdit(store, QStringLiteral("To Do の編集"),
                 [&store, &edited] { return store.UpdateRecord(edited); });
    RefreshAndSelect({edited.GetUniqueId()});
}

void CTavTodoCommands::OnDelete()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavTodoLeftView* list = m_frame.LeftView();
    const QList<int> rows = list->Selection().SelectedRows();
    if (rows.isEmpty()) {
        message(kNothingSelected, TavMsg::IconExclamation);
        return;
    }
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const CTavOptions& options = CTavOptions::instance();
    bool children = doc->DeleteChildChecked();
    bool backup = options.CheckBackup() != 0;
    if (options.CheckDelete()) {
        const bool anyParent = std::any_of(rows.begin(), rows.end(), [doc](int row) {
            const TodoListRow* r = doc->Row(row);
            return r && r->hasChildren;
        });
        CTavTodoDeleteDlg dlg(CTavTodoDeleteDlg::DeleteSelected, children, anyParent, backup, &m_frame);
        if (dlg.exec() != QDialog::Accepted)
            return;
        children = dlg.WithChildren();
        backup = dlg.Backup();
        doc->SetDeleteChildChecked(children);
        doc->SetDeleteBackupChecked(backup);
    }
    // A backup file's deletions never reach the handheld.
    if (app.backupFileOpen())
        backup = false;
    QList<uint32_t> ids;
    for (int row : rows)
        ids << doc->Row(row)->uniqueId;
    bool skipped = false;
    bool refused = false;
    CTavDbTodo& store = doc->Store();
    {
        CTavWaitCursor wait;
        const int mode = children ? CTavDbTodo::DeleteWithChildren : CTavDbTodo::DeleteAlone;
        doc->RunEdit(store, QStringLiteral("To Do の削除"), [&] {
            for (auto it = ids.crbegin(); it != ids.crend(); ++it) {
                if (!store.IsDispChildren(*it)) {
                    skipped = true;
                    continue;
                }
                if (store.DeleteRecord(*it, mode, backup) != TavStatusCode::Ok)
                    refused = true;
            }
            return TavStatus(TavStatusCode::Ok);
        });
    }
    if (skipped)
        message(kChildrenFiltered, TavMsg::IconExclamation);
    if (refused)
        message(kNotDiscarded, TavMsg::IconExclamation);
    doc->Refresh();
    if (doc->Count() > 0)
        list->SelectRow(std::min(rows.first(), doc->Count() - 1));
}

void CTavTodoCommands::OnPurge()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const CTavOptions& options = CTavOptions::instance();
    bool backup = options.CheckBackup() != 0;
    if (options.CheckDelete()) {
        CTavTodoDeleteDlg dlg(CTavTodoDeleteDlg::PurgeCompleted, true, false, backup, &m_frame);
        if (dlg.exec() != QDialog::Accepted)
            return;
        backup = dlg.Backup();
    } else if (message(CTavTodoDeleteDlg::kPurgeQuestion, TavMsg::OkCancel | TavMsg::IconQuestion) !=
               TavMsg::IdOk) {
        return;
    }
    if (app.backupFileOpen())
        backup = false;
    CTavDbTodo& store = doc->Store();
    // The listed tasks, last first, so that sub-items go before the tasks above them.
    QList<uint32_t> completed;
    for (int i = store.GetCount() - 1; i >= 0; --i)
        if (const CTavDbTodoRecord* task = store.GetTodoRecord(i); task->GetCompleted())
            completed << task->GetUniqueId();
    int failures = 0;
    {
        CTavWaitCursor wait;
        doc->RunEdit(store, QStringLiteral("完了した項目の破棄"), [&] {
            for (uint32_t id : completed)
                if (store.DeleteRecord(id, CTavDbTodo::DeletePurge, backup) != TavStatusCode::Ok)
                    ++failures;
            return TavStatus(TavStatusCode::Ok);
        });
    }
    if (failures > 0)
        message(kNotDiscarded, TavMsg::IconExclamation);
    doc->Refresh();
}

void CTavTodoCommands::OnCopy()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    // Tasks a masked list does not show stay out of the clipboard.
    const QList<uint32_t> ids = m_frame.LeftView()->SelectedIds(false);
    if (ids.isEmpty())
        return;
    QList<CTavDbTodoRecord> tasks;
    QStringList categories;
    for (uint32_t id : ids)
        if (const auto* task = static_cast<const CTavDbTodoRecord*>(doc->Store().FindRecord(id))) {
            tasks << *task;
            categories << doc->Store().CategoryNameForId(task->GetCategoryID());
        }
    doc->SetClipboard(tasks, categories);
}

bool CTavTodoCommands::CanPaste() const
{
    return !m_frame.TodoDoc()->ClipboardTasks().isEmpty();
}

void CTavTodoCommands::OnPaste()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const QList<CTavDbTodoRecord> tasks = doc->ClipboardTasks();
    if (tasks.isEmpty())
        return;
    CTavDbTodo& store = doc->Store();
    if (store.GetRecordCount() + tasks.size() >= CTavDbTodo::kMaxRecords) {
        message(RecordLimitMessage(), TavMsg::IconExclamation);
        return;
    }
    const TodoListRow* current = doc->Row(m_frame.LeftView()->Selection().Current());
    uint32_t after = current ? current->uniqueId : 0;
    QList<uint32_t> added;
    doc->RunEdit(store, QStringLiteral("貼り付け"), [&] {
        // Each one after the one before, so that the pasted tasks keep their order.
        for (qsizetype i = 0; i < tasks.size(); ++i) {
            CTavDbTodoRecord copy = tasks.at(i);
            // The category travels by name: ids differ between the current data and a backup file.
            copy.SetCategoryID(store.CategoryIdForName(doc->ClipboardCategories().value(i)));
            if (store.AddRecordAfter(copy, after) != TavStatusCode::Ok)
                break;
            after = copy.GetUniqueId();
            added << after;
        }
        return TavStatus(TavStatusCode::Ok);
    });
    RefreshAndSelect(added);
    if (added.size() < tasks.size())
        message(QStringLiteral("%1 件の To Do を貼り付けられませんでした。").arg(tasks.size() - added.size()),
                TavMsg::IconExclamation);
}

void CTavTodoCommands::OnSelectAll()
{
    m_frame.LeftView()->SelectAllRows();
}

void CTavTodoCommands::OnCategories()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavSyncLock lock(doc->App());
    CTavCategoryDlg::EditAsUndoStep(*doc, doc->Store(), CTavCategorySource::Todo, &m_frame);
    // A filter on a category that is gone shows everything again (SetFilter sees to it).
    doc->SetFilter(doc->CategoryFilter());
}

void CTavTodoCommands::OnPrefs()
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    CTavSyncLock lock(doc->App());
    const QList<uint32_t> ids = m_frame.LeftView()->SelectedIds(true);
    CTavTodoPrefsDlg dlg(*doc, &m_frame);
    if (dlg.exec() == QDialog::Accepted)
        m_frame.LeftView()->SelectIds(ids);
}

void CTavTodoCommands::ToggleCompletion(int row)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const TodoListRow* r = doc->Row(row);
    if (!r)
        return;
    const bool registDate = doc->GetSettings().registCompletedDate;
    updateTask(r->uniqueId, QStringLiteral("完了の変更"), [registDate](CTavDbTodoRecord& task) {
        if (task.GetCompleted()) {
            task.SetCompleted(false);
            return;
        }
        task.SetCompleted(true);
        if (registDate)
            task.SetDueDate(startOfDay(CTavDbClock::Now()));
    });
}

void CTavTodoCommands::ToggleFold(int row)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const CTavDbTodoRecord* stored = doc->Task(row);
    if (!stored)
        return;
    const QList<uint32_t> ids = m_frame.LeftView()->SelectedIds(true);
    // Folding changes what is shown, not the tasks: it is no step of the undo history.
    CTavDbTodoRecord task = *stored;
    task.SetFolded(!task.GetFolded());
    if (doc->Store().UpdateRecord(task) != TavStatusCode::Ok)
        return;
    RefreshAndSelect(ids);
}

void CTavTodoCommands::changeLevels(int delta)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const QList<int> rows = m_frame.LeftView()->Selection().SelectedRows();
    QList<uint32_t> changed;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        const TodoListRow* r = doc->Row(*it);
        const bool can = delta > 0 ? *it != 0 && r->level < CTavDbTodoRecord::kMaxLevel : r->level > 0;
        if (can)
            changed << r->uniqueId;
    }
    if (changed.isEmpty())
        return;
    const QList<uint32_t> selected = m_frame.LeftView()->SelectedIds(true);
    CTavDbTodo& store = doc->Store();
    doc->RunEdit(store, QStringLiteral("階層の変更"), [&] {
        for (uint32_t id : changed) {
            CTavDbTodoRecord task = *static_cast<const CTavDbTodoRecord*>(store.FindRecord(id));
            task.SetIndentLevel(task.GetIndentLevel() + delta);
            store.UpdateRecord(task);
        }
        return TavStatus(TavStatusCode::Ok);
    });
    RefreshAndSelect(selected);
}

void CTavTodoCommands::OnMoveUp()
{
    moveSelection(true);
}

void CTavTodoCommands::OnMoveDown()
{
    moveSelection(false);
}

void CTavTodoCommands::moveSelection(bool up)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const CTavListSelection& selection = m_frame.LeftView()->Selection();
    const QList<int> rows = selection.SelectedRows();
    if (rows.isEmpty() || (up && rows.first() == 0) || (!up && rows.last() == doc->Count() - 1))
        return;
    // The task that ends up first in the list goes to the top level.
    int newFirst = -1;
    if (up && rows.first() == 1)
        newFirst = 1;
    if (!up && rows.first() == 0) {
        newFirst = 1;
        while (newFirst < doc->Count() && selection.IsSelected(newFirst))
            ++newFirst;
    }
    if (newFirst > 0 && newFirst < doc->Count() && doc->Row(newFirst)->level != 0)
        message(kFirstRowLevel, TavMsg::IconExclamation);
    const QList<uint32_t> ids = m_frame.LeftView()->SelectedIds(true);
    CTavDbTodo& store = doc->Store();
    bool moved = false;
    {
        CTavWaitCursor wait;
        doc->RunEdit(store, QStringLiteral("To Do の移動"), [&] {
            const auto move = [&](uint32_t id) {
                moved |= (up ? store.MoveUpward(id) : store.MoveDownward(id)) == TavStatusCode::Ok;
            };
            if (up)
                std::for_each(ids.cbegin(), ids.cend(), move);
            else
                std::for_each(ids.crbegin(), ids.crend(), move);
            return TavStatus(TavStatusCode::Ok);
        });
    }
    if (moved)
        RefreshAndSelect(ids);
}

void CTavTodoCommands::SetPriority(uint32_t uniqueId, int priority)
{
    updateTask(uniqueId, QStringLiteral("優先度の変更"),
               [priority](CTavDbTodoRecord& t) { t.SetPriority(priority); });
}

void CTavTodoCommands::SetDue(uint32_t uniqueId, int choice)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const auto* stored = static_cast<const CTavDbTodoRecord*>(doc->Store().FindRecord(uniqueId));
    if (!stored || choice < 0 || choice > 5)
        return;
    TavTime due = maxDateTime;
    const QDateTime now = CTavDbClock::Now();
    if (choice == 5) {
        CTavSyncLock lock(doc->App());
        const QDate shown =
            stored->GetDueDate() < maxDateTime ? CTavDbTime::toDate(stored->GetDueDate()) : now.date();
        CTavScDatePickDlg dlg(shown, ScheduleState::ReadStartDayOfWeek(), nullptr, &m_frame);
        if (dlg.exec() != QDialog::Accepted)
            return;
        due = CTavDbTime::fromDate(dlg.Date());
    } else if (choice < 4) {
        static constexpr int kDays[] = {0, 1, 7, 14};
        due = startOfDay(now.addSecs(int64_t(kDays[choice]) * 86400));
    }
    updateTask(uniqueId, QStringLiteral("期日の変更"), [due](CTavDbTodoRecord& t) { t.SetDueDate(due); });
}

void CTavTodoCommands::SetCategory(uint32_t uniqueId, int categoryIndex)
{
    CTavDbTodo& store = m_frame.TodoDoc()->Store();
    if (categoryIndex < 0 || categoryIndex >= store.GetCategoryCount())
        return;
    const uint32_t category = store.GetCategory(categoryIndex).GetID();
    updateTask(uniqueId, QStringLiteral("カテゴリの変更"),
               [category](CTavDbTodoRecord& t) { t.SetCategoryID(category); });
}

QMenu* CTavTodoCommands::menu(QPointer<QMenu>& menu, const char* name)
{
    if (!menu) {
        menu = new QMenu(&m_frame);
        menu->setObjectName(QLatin1String(name));
    }
    menu->clear();
    return menu;
}

void CTavTodoCommands::ShowCellMenu(int row, int kind, const QPoint& globalPos)
{
    CTavTodoDoc* doc = m_frame.TodoDoc();
    const TodoListRow* r = doc->Row(row);
    if (!r || (r->isPrivate && doc->Masked()))
        return;
    const uint32_t id = r->uniqueId;
    QMenu* popup = menu(m_cellMenu, "todoCellMenu");
    const auto add = [this, popup](const QString& text, int command, auto run) {
        QAction* action = popup->addAction(text, this, run);
        action->setData(command);
    };
    switch (kind) {
    case CTavTodoLeftView::KindPriority:
        for (int p = 1; p <= CTavDbTodoRecord::kMaxPriority; ++p)
            add(QStringLiteral("%1 %2")
                    .arg(p == r->priority ? QStringLiteral("*") : QStringLiteral(" "))
                    .arg(p),
                TavTodoCmd::FirstPriority + p - 1, [this, id, p] { SetPriority(id, p); });
        break;
    case CTavTodoLeftView::KindDue:
        for (int i = 0; i < DueChoices().size(); ++i)
            add(DueChoices().at(i), TavTodoCmd::FirstDue + i, [this, id, i] { SetDue(id, i); });
        break;
    case CTavTodoLeftView::KindCategory: {
        const QList<CTavDbCategory>& categories = doc->Store().GetCategories();
        for (int i = 0; i < categories.size() && i < TavTodoCmd::MaxCategoryEntries; ++i)
            add(categories.at(i).GetName(), TavTodoCmd::FirstCategory + i,
                [this, id, i] { SetCategory(id, i); });
        break;
    }
    default:
        return;
    }
    popup->popup(globalPos);
}

void CTavTodoCommands::ShowContextMenu(const QPoint& globalPos, int)
{
    QMenu* popup = menu(m_menu, "todoContextMenu");
    const auto add = [this, popup](const QString& text, int command, void (CTavTodoCommands::*run)()) {
        QAction* action = popup->addAction(text, this, run);
        action->setData(command);
        return action;
    };
    if (m_frame.TodoDoc()->Count() == 0) {
        add(QStringLiteral("新規ToDo"), TavTodoCmd::ContextNewTask, &CTavTodoCommands::OnNew);
        popup->popup(globalPos);
        return;
    }
    const bool selected = m_frame.LeftView()->Selection().SelectedCount() > 0;
    add(QStringLiteral("新規"), TavTodoCmd::ContextNew, &CTavTodoCommands::OnNew);
    // Edit and delete say it when nothing is selected; copy has nothing to say.
    add(QStringLiteral("編集"), TavTodoCmd::ContextEdit, &CTavTodoCommands::OnEdit);
    add(QStringLiteral("削除"), TavTodoCmd::ContextDelete, &CTavTodoCommands::OnDelete);
    popup->addSeparator();
    add(QStringLiteral("コピー"), TavTodoCmd::ContextCopy, &CTavTodoCommands::OnCopy)->setEnabled(selected);
    add(QStringLiteral("貼り付け"), TavTodoCmd::ContextPaste, &CTavTodoCommands::OnPaste)
        ->setEnabled(CanPaste());
    add(QStringLiteral("すべて選択"), TavTodoCmd::ContextSelectAll, &CTavTodoCommands::OnSelectAll);
    popup->popup(globalPos);
}
