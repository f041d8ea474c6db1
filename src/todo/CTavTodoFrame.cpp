#include "CTavTodoFrame.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavDbTodo.h"
#include "CTavModuleBar.h"
#include "CTavProfile.h"
#include "CTavTodoCommands.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFileCommands.h"
#include "CTavTodoLeftView.h"
#include "CTavTodoRightView.h"
#include "TavCommandIds.h"
#include "TavTodoCommandIds.h"

namespace {
const char* const kStateKeys[3] = {"dispTaskBefore", "dispTaskActive", "dispTaskDelayed"};
} // namespace

CTavTodoFrame::CTavTodoFrame(CTavTodoDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::Todo, TavModule::Todo, CTavModuleBar::Todo,
                                  QStringLiteral("To Do リスト"), false, true},
                      parent),
      m_doc(document), m_left(new CTavTodoLeftView(document, this)),
      m_right(new CTavTodoRightView(document, this)), m_commands(new CTavTodoCommands(*this)),
      m_files(new CTavTodoFileCommands(*this))
{
    CTavTodoCommands* c = m_commands;
    CTavTodoFileCommands* f = m_files;
    f->SetSelectionSource([this] { return m_left->Selection().SelectedRows(); });
    AddCommands({
        {TavTodoCmd::NewTask, u"新規To Do(&N)...\tCtrl+N", [c] { c->OnNew(); }, true},
        {TavTodoCmd::EditTask, u"To Do の編集(&I)...", [c] { c->OnEdit(); }, true},
        {TavTodoCmd::Delete, u"削除(&D)\tDel", [c] { c->OnDelete(); }, true},
        {TavTodoCmd::Categories, u"カテゴリ(&C)...", [c] { c->OnCategories(); }, true},
        {TavTodoCmd::Prefs, u"環境設定(&S)...", [c] { c->OnPrefs(); }, true},
        {TavTodoCmd::Purge, u"完了した項目の破棄(&D)...", [c] { c->OnPurge(); }, true},
        {TavTodoCmd::Copy, u"ｺﾋﾟｰ(&C)", [c] { c->OnCopy(); }, true},
        {TavTodoCmd::Paste, u"貼り付け(&P)", [c] { c->OnPaste(); }, true},
        {TavTodoCmd::SelectAll, u"すべて選択(&A)", [c] { c->OnSelectAll(); }, true},
        {TavTodoCmd::Import, u"インポート(&I)...", [f] { f->OnImport(); }, false},
        {TavTodoCmd::Export, u"エクスポート(&E)...", [f] { f->OnExport(); }, false},
        {TavTodoCmd::OpenBackupFile, u"バックアップファイル(&O)...", [f] { f->OnOpenBackupFile(); }, false},
        {TavTodoCmd::OpenCurrentFile, u"現在のファイルを開く(&C)", [f] { f->OnOpenCurrentFile(); }, false},
        {TavTodoCmd::Restore, u"復元(&R)", [f] { f->OnRestore(); }, false},
    });
    Action(TavTodoCmd::NewTask)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Action(TavTodoCmd::Copy)->setShortcut(QKeySequence::Copy);
    Action(TavTodoCmd::Paste)->setShortcut(QKeySequence::Paste);
    createBars();
    readFilters();

    // The move and level buttons stand above the list, outside its scrolling area.
    auto* pane = new QWidget(this);
    auto* paneLayout = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);
    paneLayout->addWidget(m_left->ButtonBar());
    paneLayout->addWidget(m_left, 1);
    pane->setFocusProxy(m_left);
    CreatePanes(pane, m_right);
    m_doc->SetFirstView(m_left);
    if (QPushButton* toggle = DetailToggle())
        toggle->setProperty("controlId", TavTodoCtl::DetailToggle);
    connect(m_doc, &CTavTodoDoc::rowsRebuilt, this, &CTavTodoFrame::onRowsRebuilt);
    connect(m_left, &CTavListView::selectionChanged, this, &CTavTodoFrame::onSelectionChanged);
    connect(m_left, &CTavListView::rowActivated, m_commands, &CTavTodoCommands::OnEdit);
    connect(m_left, &CTavListView::deleteRequested, m_commands, &CTavTodoCommands::OnDelete);
    connect(m_left, &CTavListView::contextMenuRequested, m_commands, &CTavTodoCommands::ShowContextMenu);
    // Toggles, pop-ups and dialogs start once the click that asked for them is over.
    connect(m_left, &CTavTodoLeftView::completionClicked, m_commands, &CTavTodoCommands::ToggleCompletion,
            Qt::QueuedConnection);
    connect(m_left, &CTavTodoLeftView::foldClicked, m_commands, &CTavTodoCommands::ToggleFold,
            Qt::QueuedConnection);
    connect(m_left, &CTavTodoLeftView::cellClicked, m_commands, &CTavTodoCommands::ShowCellMenu,
            Qt::QueuedConnection);
    connect(m_left->Button(TavTodoCtl::MoveUp), &QPushButton::clicked, c, &CTavTodoCommands::OnMoveUp);
    connect(m_left->Button(TavTodoCtl::MoveDown), &QPushButton::clicked, c, &CTavTodoCommands::OnMoveDown);
    connect(m_left->Button(TavTodoCtl::LevelUp), &QPushButton::clicked, c, &CTavTodoCommands::OnLevelUp);
    connect(m_left->Button(TavTodoCtl::LevelDown), &QPushButton::clicked, c, &CTavTodoCommands::OnLevelDown);
}

void CTavTodoFrame::createBars()
{
    // The order box of the shared selectors serves as the priority filter.
    const Selectors selectors = AddSelectors(TavTodoCtl::CategoryBox, TavTodoCtl::PriorityBox,
                                             {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                              QStringLiteral("4"), QStringLiteral("5")});
    m_category = selectors.category;
    m_priority = selectors.sort;
    m_priority->setObjectName(QStringLiteral("priorityBox"));
    auto* top = static_cast<QHBoxLayout*>(TopBar()->layout());
    if (auto* label = qobject_cast<QLabel*>(top->itemAt(3)->widget()))
        label->setText(QStringLiteral("優先順位"));
    connect(m_category, &QComboBox::activated, this, [this](int index) {
        m_doc->SetFilter(ChosenCategory(m_category, index, m_doc->Store(), CTavTodoDoc::kAllCategories));
    });
    connect(m_priority, &QComboBox::activated, this, &CTavTodoFrame::ChoosePriority);

    const struct
    {
        int id;
        const char16_t* text;
        const char* name;
    } states[] = {{TavTodoCtl::ShowBefore, u"期間前", "beforeButton"},
                  {TavTodoCtl::ShowActive, u"期間中", "activeButton"},
                  {TavTodoCtl::ShowDelayed, u"期間後", "delayedButton"}};
    int at = 5;
    top->insertSpacing(at++, 16);
    for (int s = 0; s < 3; ++s) {
        auto* button = new QPushButton(QString::fromUtf16(states[s].text), TopBar());
        button->setObjectName(QLatin1String(states[s].name));
        button->setProperty("controlId", states[s].id);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, s] { PressStateButton(s); });
        top->insertWidget(at++, button);
        m_stateButtons[s] = button;
    }

    m_buttons = AddCommandButtons(
        {{TavTodoCtl::NewButton, u"新規ToDo", "newTaskButton", TavTodoCmd::NewTask},
         {TavTodoCtl::EditButton, u"ToDoの詳細", "editTaskButton", TavTodoCmd::EditTask},
         {TavTodoCtl::DeleteButton, u"ToDoの削除", "deleteTaskButton", TavTodoCmd::Delete}});
}

void CTavTodoFrame::readFilters()
{
    CTavDbTodo& store = m_doc->Store();
    for (int s = 0; s < 3; ++s)
        store.SetDispState(
            CTavDbTodo::DateState(s),
            CTavProfile::GetProfileInt(CTavTodoDoc::kSection, QLatin1String(kStateKeys[s]), 1) != 0);
    const int priority =
        CTavProfile::GetProfileInt(CTavTodoDoc::kSection, QStringLiteral("LastSelectPriority"), 5);
    store.SetDispPriority(priority >= 1 && priority <= 5 ? priority : 5);
    showFilters();
}

void CTavTodoFrame::showFilters()
{
    const CTavDbTodo& store = m_doc->Store();
    for (int s = 0; s < 3; ++s)
        m_stateButtons[s]->setChecked(store.GetDispState(CTavDbTodo::DateState(s)));
    m_priority->setCurrentIndex(store.GetDispPriority() - 1);
}

void CTavTodoFrame::PressStateButton(int state)
{
    if (state < 0 || state > 2)
        return;
    CTavDbTodo& store = m_doc->Store();
    bool shown[3];
    for (int s = 0; s < 3; ++s)
        shown[s] = store.GetDispState(CTavDbTodo::DateState(s));
    shown[state] = !shown[state];
    if (!shown[0] && !shown[1] && !shown[2])
        shown[(state + 1) % 3] = true;
    for (int s = 0; s < 3; ++s) {
        store.SetDispState(CTavDbTodo::DateState(s), shown[s]);
        CTavProfile::WriteProfileInt(CTavTodoDoc::kSection, QLatin1String(kStateKeys[s]), shown[s]);
    }
    showFilters();
    m_doc->Refresh();
}

void CTavTodoFrame::ChoosePriority(int index)
{
    const int priority = std::clamp(index + 1, 1, 5);
    m_doc->Store().SetDispPriority(priority);
    CTavProfile::WriteProfileInt(CTavTodoDoc::kSection, QStringLiteral("LastSelectPriority"), priority);
    showFilters();
    m_doc->Refresh();
}

void CTavTodoFrame::Update(int hint)
{
    if (hint == 2) {
        m_files->LeaveBackupFile();
        return;
    }
    if (hint == 0) {
        // Another user's profile may hold other filters; the private mode may have changed.
        readFilters();
        m_doc->Reload();
        return;
    }
    CTavModuleFrame::Update(hint);
}

bool CTavTodoFrame::ShowRecord(uint32_t uniqueId)
{
    // What hides the task goes: the category, then the date states, then the priority filter.
    if (m_doc->IndexOfId(uniqueId) < 0 && m_doc->CategoryFilter() != CTavTodoDoc::kAllCategories)
        m_doc->SetFilter(CTavTodoDoc::kAllCategories);
    for (int s = 0; s < 3 && m_doc->IndexOfId(uniqueId) < 0; ++s)
        if (!m_stateButtons[s]->isChecked())
            PressStateButton(s);
    if (m_doc->IndexOfId(uniqueId) < 0 && m_doc->Store().GetDispPriority() != CTavDbTodoRecord::kMaxPriority)
        ChoosePriority(CTavDbTodoRecord::kMaxPriority - 1);
    if (m_doc->IndexOfId(uniqueId) < 0 && !m_doc->GetSettings().showCompleted) {
        CTavTodoDoc::Settings shown = m_doc->GetSettings();
        shown.showCompleted = true;
        m_doc->SetSettings(shown);
    }
    if (m_doc->IndexOfId(uniqueId) < 0)
        unfoldAbove(uniqueId);
    const int row = m_doc->IndexOfId(uniqueId);
    if (row < 0)
        return false;
    m_left->SelectRow(row);
    return true;
}

void CTavTodoFrame::unfoldAbove(uint32_t uniqueId)
{
    // The folded tasks the task sits under are opened, nearest first; like a click on their
    // fold mark this changes what is shown, not the tasks, so it takes no undo step.
    CTavDbTodo& store = m_doc->Store();
    const auto& records = store.AllRecords();
    auto at = std::find_if(records.begin(), records.end(),
                           [&](const auto& r) { return r->GetUniqueId() == uniqueId; });
    if (at == records.end())
        return;
    int level = static_cast<const CTavDbTodoRecord&>(**at).GetIndentLevel();
    while (level > 0 && at != records.begin()) {
        --at;
        const auto& task = static_cast<const CTavDbTodoRecord&>(**at);
        if (task.IsDeleted() || task.GetIndentLevel() >= level)
            continue;
        level = task.GetIndentLevel();
        if (task.GetFolded()) {
            CTavDbTodoRecord opened = task;
            opened.SetFolded(false);
            store.UpdateRecord(opened);
        }
    }
    m_doc->Refresh();
}

void CTavTodoFrame::FillMenu(MenuKind menu, QMenu* target)
{
    switch (menu) {
    case FileMenu:
        target->addActions({Action(TavTodoCmd::NewTask), Action(TavTodoCmd::EditTask)});
        target->addSeparator();
        target->addActions({Action(TavTodoCmd::Import), Action(TavTodoCmd::Export)});
        target->addSeparator();
        target->addActions({Action(TavTodoCmd::OpenCurrentFile), Action(TavTodoCmd::OpenBackupFile),
                            Action(TavTodoCmd::Restore)});
        break;
    case EditMenu:
        target->addActions({Action(TavTodoCmd::Copy), Action(TavTodoCmd::Paste), Action(TavTodoCmd::Delete)});
        target->addSeparator();
        target->addAction(Action(TavTodoCmd::SelectAll));
        break;
    case ToolsMenu:
        target->addActions({Action(TavTodoCmd::Categories), Action(TavTodoCmd::Prefs)});
        target->addSeparator();
        target->addAction(Action(TavTodoCmd::Purge));
        break;
    }
}

void CTavTodoFrame::UpdateCommandUI()
{
    const int selected = m_left->Selection().SelectedCount();
    const bool backupOpen = m_doc->App().backupFileOpen() != 0;
    for (int id : {TavTodoCmd::EditTask, TavTodoCmd::Copy})
        Action(id)->setEnabled(selected > 0);
    Action(TavTodoCmd::Paste)->setEnabled(m_commands->CanPaste());
    Action(TavTodoCmd::SelectAll)->setEnabled(m_doc->Count() > 0);
    Action(TavTodoCmd::OpenBackupFile)->setEnabled(!backupOpen);
    Action(TavTodoCmd::OpenCurrentFile)->setEnabled(backupOpen);
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setEnabled(Action(it.key())->isEnabled());
    for (int id : {TavTodoCtl::MoveUp, TavTodoCtl::MoveDown, TavTodoCtl::LevelUp, TavTodoCtl::LevelDown})
        m_left->Button(id)->setEnabled(selected > 0);
}

void CTavTodoFrame::onRowsRebuilt()
{
    m_left->ResetRows(true);
    FillCategoryBox(m_category, m_doc->Store(), m_doc->CategoryFilter(), CTavTodoDoc::kAllCategories);
    m_right->ShowRow(-1);
    UpdateCommandUI();
}

void CTavTodoFrame::onSelectionChanged()
{
    m_right->ShowRow(m_left->ShownRow());
    UpdateCommandUI();
}
