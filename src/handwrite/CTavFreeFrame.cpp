#include "CTavFreeFrame.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

#include "CTavApp.h"
#include "CTavFreeBackupFolder.h"
#include "CTavFreeCommands.h"
#include "CTavFreeDoc.h"
#include "CTavFreeLeftView.h"
#include "CTavFreeRightView.h"
#include "CTavFreeSheetManager.h"
#include "CTavFreeSheetSort.h"
#include "CTavHelp.h"
#include "CTavModuleBar.h"
#include "CTavTransferLimit.h"
#include "TavCommandIds.h"
#include "TavFreeCommandIds.h"

CTavFreeFrame::CTavFreeFrame(CTavFreeDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::FreeMemo, TavModule::FreeMemo, CTavModuleBar::FreeMemo,
                                  QStringLiteral("手書きメモ"), true, false},
                      parent),
      m_doc(document), m_left(new CTavFreeLeftView(document, this)),
      m_right(new CTavFreeRightView(document, this)), m_commands(new CTavFreeCommands(*this)),
      m_backup(new CTavFreeBackupFolder(*this))
{
    CTavFreeCommands* c = m_commands;
    CTavFreeBackupFolder* b = m_backup;
    AddCommands({
        {TavFreeCmd::NewSheet, u"新規 手書きメモ(&N)...", [c] { c->OnNew(); }, true},
        {TavFreeCmd::EditSheet, u"手書きメモの編集(&I)...", [c] { c->OnEdit(); }, true},
        {TavFreeCmd::Delete, u"削除(&D)\tDel", [c] { c->OnDelete(); }, true},
        {TavFreeCmd::SelectAll, u"すべて選択(&A)", [c] { c->OnSelectAll(); }, true},
        {TavFreeCmd::Categories, u"カテゴリ(&C)...", [c] { c->OnCategories(); }, true},
        {TavFreeCmd::Columns, u"項目の表示", [c] { c->OnColumns(); }, true},
        {TavFreeCmd::Import, u"インポート(&I)...", [c] { c->OnImport(); }, false},
        {TavFreeCmd::Export, u"エクスポート(&E)...", [c] { c->OnExport(); }, false},
        {TavFreeCmd::OpenCurrentFolder, u"現在のファイルを開く(&C)", [b] { b->OnOpenCurrentFolder(); },
         false},
        {TavFreeCmd::OpenBackupFolder, u"バックアップファイル(&O)...", [b] { b->OnOpenBackupFolder(); },
         false},
        {TavFreeCmd::Restore, u"復元(&R)", [b] { b->OnRestore(); }, false},
    });
    Action(TavFreeCmd::NewSheet)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    const QStringList sorts = SortNames();
    for (int key = 0; key < sorts.size(); ++key) {
        auto* action = new QAction(sorts.at(key), this);
        action->setCheckable(true);
        action->setData(TavFreeCmd::SortFirst + key);
        connect(action, &QAction::triggered, this, [c, key] { c->OnSort(key); });
        action->setObjectName(QStringLiteral("sort%1").arg(key));
        addAction(action);
    }
    createBars();

    CreatePanes(m_left, m_right);
    connect(m_doc, &CTavFreeDoc::entriesRebuilt, this, &CTavFreeFrame::onEntriesRebuilt);
    connect(m_left, &CTavListView::selectionChanged, this, &CTavFreeFrame::onSelectionChanged);
    connect(m_left, &CTavListView::rowActivated, m_commands, &CTavFreeCommands::OnEdit);
    connect(m_left, &CTavListView::deleteRequested, m_commands, &CTavFreeCommands::OnDelete);
    connect(m_left, &CTavListView::contextMenuRequested, m_commands, &CTavFreeCommands::ShowContextMenu);
    m_doc->DropKeptFiles();
    // Sheets move between the folders as the transfer limit says, from the start.
    m_doc->ApplyCutoff(CTavTransferLimit::FromProfile().QuillosCutoff());
    m_doc->Reload();
}

QStringList CTavFreeFrame::SortNames()
{
    return {QStringLiteral("予定表関連日時 (昇順)"), QStringLiteral("予定表関連日時 (降順)"),
            QStringLiteral("作成日時 (昇順)"),       QStringLiteral("作成日時 (降順)"),
            QStringLiteral("更新日時 (昇順)"),       QStringLiteral("更新日時 (降順)"),
            QStringLiteral("タイトル (昇順)"),       QStringLiteral("タイトル (降順)"),
            QStringLiteral("サイズ (昇順)"),         QStringLiteral("サイズ (降順)")};
}

void CTavFreeFrame::createBars()
{
    const Selectors selectors = AddSelectors(TavFreeCtl::CategoryBox, TavFreeCtl::SortBox, SortNames());
    m_category = selectors.category;
    m_sort = selectors.sort;
    connect(m_category, &QComboBox::activated, this, &CTavFreeFrame::onCategoryChosen);
    connect(m_sort, &QComboBox::activated, m_commands, &CTavFreeCommands::OnSort);
    refillCategoryBox();

    const QHash<int, QPushButton*> buttons = AddCommandButtons(
        {{TavFreeCtl::NewButton, u"新規 手書きメモ", "newSheetButton", TavFreeCmd::NewSheet},
         {TavFreeCtl::EditButton, u"手書きメモの編集", "editSheetButton", TavFreeCmd::EditSheet},
         {TavFreeCtl::DeleteButton, u"手書きメモの削除", "deleteSheetButton", TavFreeCmd::Delete}});
    Q_UNUSED(buttons);
    auto* home = new QPushButton(QStringLiteral("ホームページ"), BottomBar());
    home->setObjectName(QStringLiteral("homePageButton"));
    home->setProperty("controlId", TavFreeCtl::HomePageButton);
    home->setAutoDefault(false);
    connect(home, &QPushButton::clicked, this, [] { CTavHelp::OpenHomePage(); });
    static_cast<QHBoxLayout*>(BottomBar()->layout())->addWidget(home);
}

void CTavFreeFrame::refillCategoryBox()
{
    QStringList names{m_category->itemText(0)};
    QList<int> ids{CTavFreeDoc::kAllCategories};
    for (const CTavDbCategory& c : m_doc->App().SheetManager().Categories()) {
        names << c.GetName();
        ids << int(c.GetID());
    }
    m_category->clear();
    for (int i = 0; i < names.size(); ++i)
        m_category->addItem(names.at(i), ids.at(i));
    const int shown = m_category->findData(m_doc->CategoryFilter());
    m_category->setCurrentIndex(std::max(0, shown));
}

void CTavFreeFrame::onCategoryChosen(int index)
{
    m_doc->SetFilter(m_category->itemData(index).toInt());
}

void CTavFreeFrame::CategoriesChanged()
{
    refillCategoryBox();
    // A removed category's filter shows every sheet again.
    if (m_category->findData(m_doc->CategoryFilter()) < 0)
        m_doc->SetFilter(CTavFreeDoc::kAllCategories);
    else
        m_doc->Reload();
}

void CTavFreeFrame::ReloadAndSelect(const QStringList& paths)
{
    m_keptPaths = paths;
    m_doc->Reload();
}

bool CTavFreeFrame::ShowFile(const QString& path)
{
    m_keptPaths = {path};
    m_doc->Reload();
    if (m_doc->IndexOfPath(path) < 0 && m_doc->CategoryFilter() != CTavFreeDoc::kAllCategories) {
        m_keptPaths = {path};
        m_doc->SetFilter(CTavFreeDoc::kAllCategories);
    }
    return m_doc->IndexOfPath(path) >= 0;
}

void CTavFreeFrame::onEntriesRebuilt()
{
    m_rebuilding = true;
    const QStringList kept = m_keptPaths;
    m_left->ResetRows(true);
    m_left->SelectPaths(kept);
    m_rebuilding = false;
    m_keptPaths = m_left->SelectedPaths();
    m_right->ShowEntry(m_left->ShownRow());
    m_sort->setCurrentIndex(m_doc->SortKey());
    if (m_category->currentData().toInt() != m_doc->CategoryFilter())
        refillCategoryBox();
    UpdateCommandUI();
    if (isVisible())
        tellProblems();
}

void CTavFreeFrame::onSelectionChanged()
{
    if (m_rebuilding)
        return;
    m_keptPaths = m_left->SelectedPaths();
    m_right->ShowEntry(m_left->ShownRow());
    UpdateCommandUI();
}

void CTavFreeFrame::tellProblems()
{
    const QString problems = m_doc->TakeProblems();
    if (!problems.isEmpty())
        m_doc->App().ShowMessage(this, problems, QStringLiteral("手書きメモ"), TavMsg::IconExclamation);
}

void CTavFreeFrame::showEvent(QShowEvent* event)
{
    CTavModuleFrame::showEvent(event);
    // Damaged sheets found while the window was hidden are told once it shows.
    QMetaObject::invokeMethod(this, &CTavFreeFrame::tellProblems, Qt::QueuedConnection);
}

void CTavFreeFrame::Update(int hint)
{
    if (hint == 2)
        m_backup->Leave();
    if (hint == 0 || hint == 2) {
        m_left->FollowProfile();
        refillCategoryBox();
        m_doc->Reload();
        return;
    }
    CTavModuleFrame::Update(hint);
}

void CTavFreeFrame::FillMenu(MenuKind menu, QMenu* target)
{
    switch (menu) {
    case FileMenu:
        target->addActions({Action(TavFreeCmd::NewSheet), Action(TavFreeCmd::EditSheet)});
        target->addSeparator();
        target->addActions({Action(TavFreeCmd::Import), Action(TavFreeCmd::Export)});
        target->addSeparator();
        target->addActions({Action(TavFreeCmd::OpenCurrentFolder), Action(TavFreeCmd::OpenBackupFolder),
                            Action(TavFreeCmd::Restore)});
        break;
    case EditMenu:
        target->addAction(Action(TavFreeCmd::Delete));
        target->addSeparator();
        target->addAction(Action(TavFreeCmd::SelectAll));
        break;
    case ToolsMenu: {
        target->addActions({Action(TavFreeCmd::Categories), Action(TavFreeCmd::Columns)});
        QMenu* sort = target->addMenu(QStringLiteral("並べ替え(&S)"));
        for (QAction* action : actions())
            if (action->data().toInt() >= TavFreeCmd::SortFirst &&
                action->data().toInt() < TavFreeCmd::SortFirst + 10)
                sort->addAction(action);
        break;
    }
    }
}

void CTavFreeFrame::UpdateCommandUI()
{
    const int selected = m_left->Selection().SelectedCount();
    Action(TavFreeCmd::EditSheet)->setEnabled(selected > 0);
    Action(TavFreeCmd::Delete)->setEnabled(selected > 0);
    Action(TavFreeCmd::SelectAll)->setEnabled(m_doc->Count() > 0);
    const bool backupOpen = m_doc->App().backupFileOpen() != 0;
    Action(TavFreeCmd::OpenBackupFolder)->setEnabled(!backupOpen);
    Action(TavFreeCmd::OpenCurrentFolder)->setEnabled(backupOpen && !m_doc->BackupFolder().isEmpty());
    // The categories belong to the user's own sheets, which a backup folder hides.
    Action(TavFreeCmd::Categories)->setEnabled(m_doc->BackupFolder().isEmpty());
    for (QAction* action : actions())
        if (const int id = action->data().toInt();
            id >= TavFreeCmd::SortFirst && id < TavFreeCmd::SortFirst + 10)
            action->setChecked(id - TavFreeCmd::SortFirst == m_doc->SortKey());
}
