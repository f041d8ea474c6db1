#include "CTavMemoFrame.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavMemoCommands.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFileCommands.h"
#include "CTavMemoLeftView.h"
#include "CTavMemoRightView.h"
#include "CTavModuleBar.h"
#include "TavCommandIds.h"
#include "TavMemoCommandIds.h"
#include "TavStrings.h"

CTavMemoFrame::CTavMemoFrame(CTavMemoDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::MemoPad, TavModule::MemoPad, CTavModuleBar::MemoPad,
                                  QStringLiteral("メモ帳"), false, true},
                      parent),
      m_doc(document), m_left(new CTavMemoLeftView(document, this)),
      m_right(new CTavMemoRightView(document, this)), m_commands(new CTavMemoCommands(*this)),
      m_files(new CTavMemoFileCommands(*this))
{
    setAcceptDrops(true);
    CTavMemoCommands* c = m_commands;
    CTavMemoFileCommands* f = m_files;
    AddCommands({
        {TavMemoCmd::NewMemo, u"新規メモ(&N)...", [c] { c->OnNew(); }, true},
        {TavMemoCmd::EditMemo, u"メモの編集(&I)...", [c] { c->OnEdit(); }, true},
        {TavMemoCmd::Delete, u"削除(&D)\tDel", [c] { c->OnDelete(); }, true},
        {TavMemoCmd::Categories, u"カテゴリ(&C)...", [c] { c->OnCategories(); }, true},
        {TavMemoCmd::Columns, u"項目の表示", [c] { c->OnColumns(); }, true},
        {TavMemoCmd::SortSyllabary, u"五十音順(&N)", [c] { c->OnSortSyllabary(); }, true},
        {TavMemoCmd::SortHandheld, u"本体で指定した順番(&D)", [c] { c->OnSortHandheld(); }, true},
        {TavMemoCmd::Cut, u"切り取り(&T)", [c] { c->OnCut(); }, true},
        {TavMemoCmd::Copy, u"コピー(&C)", [c] { c->OnCopy(); }, true},
        {TavMemoCmd::Paste, u"貼り付け(&P)", [c] { c->OnPaste(); }, true},
        {TavMemoCmd::SelectAll, u"すべて選択(&A)", [c] { c->OnSelectAll(); }, true},
        {TavMemoCmd::Import, u"インポート(&I)...", [f] { f->OnImport(); }, false},
        {TavMemoCmd::Export, u"エクスポート(&E)...", [f] { f->OnExport(); }, false},
        {TavMemoCmd::OpenBackupFile, u"バックアップファイル(&O)...", [f] { f->OnOpenBackupFile(); }, false},
        {TavMemoCmd::OpenCurrentFile, u"現在のファイルを開く(&C)", [f] { f->OnOpenCurrentFile(); }, false},
        {TavMemoCmd::Restore, u"復元(&R)", [f] { f->OnRestore(); }, false},
    });
    Action(TavMemoCmd::NewMemo)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Action(TavMemoCmd::Cut)->setShortcut(QKeySequence::Cut);
    Action(TavMemoCmd::Copy)->setShortcut(QKeySequence::Copy);
    Action(TavMemoCmd::Paste)->setShortcut(QKeySequence::Paste);
    Action(TavMemoCmd::SortSyllabary)->setCheckable(true);
    Action(TavMemoCmd::SortHandheld)->setCheckable(true);
    createBars();

    CreatePanes(m_left, m_right);
    connect(m_doc, &CTavMemoDoc::entriesRebuilt, this, &CTavMemoFrame::onEntriesRebuilt);
    connect(m_doc, &CTavMemoDoc::entrySelected, m_right, &CTavMemoRightView::ShowEntry);
    connect(m_left, &CTavListView::selectionChanged, this, &CTavMemoFrame::onSelectionChanged);
    connect(m_left, &CTavListView::rowActivated, m_commands, &CTavMemoCommands::OnEdit);
    connect(m_left, &CTavListView::deleteRequested, m_commands, &CTavMemoCommands::OnDelete);
    connect(m_left, &CTavListView::contextMenuRequested, m_commands, &CTavMemoCommands::ShowContextMenu);
}

void CTavMemoFrame::createBars()
{
    const Selectors selectors =
        AddSelectors(TavMemoCtl::CategoryBox, TavMemoCtl::SortBox,
                     {QStringLiteral("五十音順"), QStringLiteral("本体で指定した順番")});
    m_category = selectors.category;
    m_sort = selectors.sort;
    connect(m_category, &QComboBox::activated, this, &CTavMemoFrame::onCategoryChosen);
    connect(m_sort, &QComboBox::activated, m_commands, &CTavMemoCommands::OnSortChoice);

    AddCommandButtons({{TavMemoCtl::NewButton, u"新規メモ", "newMemoButton", TavMemoCmd::NewMemo},
                       {TavMemoCtl::EditButton, u"メモの編集", "editMemoButton", TavMemoCmd::EditMemo},
                       {TavMemoCtl::DeleteButton, u"メモの削除", "deleteMemoButton", TavMemoCmd::Delete}});
}

void CTavMemoFrame::Update(int hint)
{
    if (hint == 2) {
        m_files->LeaveBackupFile();
        return;
    }
    if (hint == 0) {
        const bool masked = m_doc->App().privateMode() == 1;
        m_left->FollowProfile();
        m_left->SetMasked(masked);
        m_doc->SetMasked(masked);
        m_doc->App().MemoStore().SetSortCond(CTavDbSortCond(CTavDbMemo::kSortSyllabary));
        m_doc->Reload();
        return;
    }
    CTavModuleFrame::Update(hint);
}

bool CTavMemoFrame::ShowRecord(uint32_t uniqueId)
{
    if (m_doc->IndexOfId(uniqueId) < 0 && m_doc->CategoryFilter() != CTavMemoDoc::kAllCategories)
        m_doc->SetFilter(CTavMemoDoc::kAllCategories);
    const int row = m_doc->IndexOfId(uniqueId);
    if (row < 0)
        return false;
    m_left->SelectRow(row);
    return true;
}

void CTavMemoFrame::FillMenu(MenuKind menu, QMenu* target)
{
    switch (menu) {
    case FileMenu:
        target->addActions({Action(TavMemoCmd::NewMemo), Action(TavMemoCmd::EditMemo)});
        target->addSeparator();
        target->addActions({Action(TavMemoCmd::Import), Action(TavMemoCmd::Export)});
        target->addSeparator();
        target->addActions({Action(TavMemoCmd::OpenCurrentFile), Action(TavMemoCmd::OpenBackupFile),
                            Action(TavMemoCmd::Restore)});
        break;
    case EditMenu:
        target->addActions({Action(TavMemoCmd::Cut), Action(TavMemoCmd::Copy), Action(TavMemoCmd::Paste),
                            Action(TavMemoCmd::Delete)});
        target->addSeparator();
        target->addAction(Action(TavMemoCmd::SelectAll));
        break;
    case ToolsMenu:
        target->addActions({Action(TavMemoCmd::Categories), Action(TavMemoCmd::Columns)});
        target->addSeparator();
        target->addActions({Action(TavMemoCmd::SortSyllabary), Action(TavMemoCmd::SortHandheld)});
        break;
    }
}

void CTavMemoFrame::UpdateCommandUI()
{
    const int selected = m_left->Selection().SelectedCount();
    const bool backupOpen = m_doc->App().backupFileOpen() != 0;
    Action(TavMemoCmd::EditMemo)->setEnabled(selected > 0);
    Action(TavMemoCmd::Delete)->setEnabled(selected > 0);
    Action(TavMemoCmd::Cut)->setEnabled(selected > 0);
    Action(TavMemoCmd::Copy)->setEnabled(selected > 0);
    Action(TavMemoCmd::Paste)->setEnabled(m_commands->CanPaste());
    Action(TavMemoCmd::SelectAll)->setEnabled(m_doc->Count() > 0);
    Action(TavMemoCmd::OpenBackupFile)->setEnabled(!backupOpen);
    Action(TavMemoCmd::OpenCurrentFile)->setEnabled(backupOpen);
    Action(TavMemoCmd::SortSyllabary)->setChecked(m_doc->SortChoice() == 0);
    Action(TavMemoCmd::SortHandheld)->setChecked(m_doc->SortChoice() == 1);
}

void CTavMemoFrame::onEntriesRebuilt()
{
    m_left->ResetRows();
    refillCategoryBox();
    m_sort->setCurrentIndex(m_doc->SortChoice());
    UpdateCommandUI();
}

void CTavMemoFrame::onSelectionChanged()
{
    const int row = m_left->ShownRow();
    if (row != m_doc->Selected())
        m_doc->Select(row);
    UpdateCommandUI();
}

void CTavMemoFrame::refillCategoryBox()
{
    FillCategoryBox(m_category, m_doc->Store(), m_doc->CategoryFilter(), CTavMemoDoc::kAllCategories);
}

void CTavMemoFrame::onCategoryChosen(int index)
{
    m_doc->SetFilter(ChosenCategory(m_category, index, m_doc->Store(), CTavMemoDoc::kAllCategories));
}

void CTavMemoFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CTavMemoFrame::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    m_commands->OnDroppedFile(files.last());
}
