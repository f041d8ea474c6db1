#include "CTavAddrFrame.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "CTavAddrCommands.h"
#include "CTavAddrDoc.h"
#include "CTavAddrFileCommands.h"
#include "CTavAddrLeftView.h"
#include "CTavAddrRightView.h"
#include "CTavAddrTabBar.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavMainFrame.h"
#include "CTavModuleBar.h"
#include "TavAddrCommandIds.h"
#include "TavCommandIds.h"
#include "TavStrings.h"

CTavAddrFrame::CTavAddrFrame(CTavAddrDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::Address, TavModule::Address, CTavModuleBar::Address,
                                  QStringLiteral("アドレス"), false, true},
                      parent),
      m_doc(document), m_left(new CTavAddrLeftView(document, this)),
      m_right(new CTavAddrRightView(document, this)), m_commands(new CTavAddrCommands(*this)),
      m_files(new CTavAddrFileCommands(*this))
{
    CTavAddrCommands* c = m_commands;
    CTavAddrFileCommands* f = m_files;
    AddCommands({
        {TavAddrCmd::NewCard, u"新規アドレス(&N)...", [c] { c->OnNew(); }, true},
        {TavAddrCmd::EditCard, u"アドレスの編集(&I)...", [c] { c->OnEdit(); }, true},
        {TavAddrCmd::Delete, u"削除(&D)\tDel", [c] { c->OnDelete(); }, true},
        {TavAddrCmd::Mail, u"電子メール(&E)...", [c] { c->OnMail(); }, true},
        {TavAddrCmd::Categories, u"カテゴリ(&C)...", [c] { c->OnCategories(); }, true},
        {TavAddrCmd::Prefs, u"環境設定(&S)...", [c] { c->OnPrefs(); }, true},
        {TavAddrCmd::Columns, u"項目の表示", [c] { c->OnColumns(); }, true},
        {TavAddrCmd::SortName, u"姓、名(&N)", [c] { c->OnSort(0); }, true},
        {TavAddrCmd::SortCompany, u"会社名、姓(&N)", [c] { c->OnSort(1); }, true},
        {TavAddrCmd::Cut, u"切り取り(&T)", [c] { c->OnCut(); }, true},
        {TavAddrCmd::Copy, u"ｺﾋﾟｰ(&C)", [c] { c->OnCopy(); }, true},
        {TavAddrCmd::Paste, u"貼り付け(&P)", [c] { c->OnPaste(); }, true},
        {TavAddrCmd::SelectAll, u"すべて選択(&A)", [c] { c->OnSelectAll(); }, true},
        {TavAddrCmd::Import, u"インポート(&I)...", [f] { f->OnImport(); }, false},
        {TavAddrCmd::Export, u"エクスポート(&E)...", [f] { f->OnExport(); }, false},
        {TavAddrCmd::ImportVCard, u"vCard のインポート(&V)...", [f] { f->OnImportVCard(); }, false},
        {TavAddrCmd::ExportVCard, u"vCard のエクスポート(&V)...", [f] { f->OnExportVCard(); }, false},
        {TavAddrCmd::OpenBackupFile, u"バックアップファイル(&O)...", [f] { f->OnOpenBackupFile(); }, false},
        {TavAddrCmd::OpenCurrentFile, u"現在のファイルを開く(&C)", [f] { f->OnOpenCurrentFile(); }, false},
        {TavAddrCmd::Restore, u"復元(&R)", [f] { f->OnRestore(); }, false},
    });
    Action(TavAddrCmd::NewCard)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Action(TavAddrCmd::Cut)->setShortcut(QKeySequence::Cut);
    Action(TavAddrCmd::Copy)->setShortcut(QKeySequence::Copy);
    Action(TavAddrCmd::Paste)->setShortcut(QKeySequence::Paste);
    Action(TavAddrCmd::SortName)->setCheckable(true);
    Action(TavAddrCmd::SortCompany)->setCheckable(true);
    createBars();

    CreatePanes(m_left, m_right);
    if (QPushButton* toggle = DetailToggle())
        toggle->setProperty("controlId", TavAddrCtl::DetailToggle);
    connect(m_doc, &CTavAddrDoc::rowsRebuilt, this, &CTavAddrFrame::onRowsRebuilt);
    connect(m_left, &CTavListView::selectionChanged, this, &CTavAddrFrame::onSelectionChanged);
    connect(m_left, &CTavListView::rowActivated, m_commands, &CTavAddrCommands::OnEdit);
    connect(m_left, &CTavListView::deleteRequested, m_commands, &CTavAddrCommands::OnDelete);
    connect(m_left, &CTavListView::contextMenuRequested, m_commands, &CTavAddrCommands::ShowContextMenu);
    // The chooser and the menu open once the click that asked for them is over.
    connect(m_left, &CTavAddrLeftView::thumbnailClicked, m_commands, &CTavAddrCommands::OnThumbnailClicked,
            Qt::QueuedConnection);
    connect(m_left, &CTavAddrLeftView::categoryCellClicked, m_commands, &CTavAddrCommands::ShowCategoryMenu,
            Qt::QueuedConnection);
    connect(m_left->TabBar(), &CTavAddrTabBar::tabPressed, this, &CTavAddrFrame::PressTab);
}

void CTavAddrFrame::createBars()
{
    const Selectors selectors = AddSelectors(TavAddrCtl::CategoryBox, TavAddrCtl::SortBox,
                                             {QStringLiteral("姓、名"), QStringLiteral("会社、姓")});
    m_category = selectors.category;
    m_sort = selectors.sort;
    connect(m_category, &QComboBox::activated, this, &CTavAddrFrame::onCategoryChosen);
    connect(m_sort, &QComboBox::activated, m_commands, &CTavAddrCommands::OnSort);

    m_buttons = AddCommandButtons(
        {{TavAddrCtl::NewButton, u"新規アドレス", "newCardButton", TavAddrCmd::NewCard},
         {TavAddrCtl::EditButton, u"アドレスの編集", "editCardButton", TavAddrCmd::EditCard},
         {TavAddrCtl::DeleteButton, u"アドレスの削除", "deleteCardButton", TavAddrCmd::Delete}});
    auto* bottom = static_cast<QHBoxLayout*>(BottomBar()->layout());
    int at = static_cast<int>(m_buttons.size());
    bottom->insertSpacing(at++, 16);
    bottom->insertWidget(at++, new QLabel(QStringLiteral("検索"), BottomBar()));
    m_search = new QLineEdit(BottomBar());
    m_search->setObjectName(QStringLiteral("searchBox"));
    m_search->setProperty("controlId", TavAddrCtl::SearchBox);
    m_search->setClearButtonEnabled(true);
    m_search->setMinimumWidth(120);
    m_search->setMaximumWidth(220);
    bottom->insertWidget(at++, m_search);
    connect(m_search, &QLineEdit::textChanged, m_doc, &CTavAddrDoc::SetSearchText);
}

void CTavAddrFrame::PressTab(int tab)
{
    m_left->TabBar()->SetPressed(tab);
    m_doc->SetTab(tab);
}

void CTavAddrFrame::Update(int hint)
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
        m_doc->Reload();
        return;
    }
    CTavModuleFrame::Update(hint);
}

bool CTavAddrFrame::ShowRecord(uint32_t uniqueId)
{
    if (m_doc->IndexOfId(uniqueId) < 0) {
        // What hides the card goes: the search text, the category, the index tab.
        m_search->clear();
        if (m_doc->CategoryFilter() != CTavAddrDoc::kAllCategories)
            m_doc->SetFilter(CTavAddrDoc::kAllCategories);
        if (m_doc->Tab() != CTavAddrDoc::kTabAll)
            PressTab(CTavAddrDoc::kTabAll);
    }
    const int row = m_doc->IndexOfId(uniqueId);
    if (row < 0)
        return false;
    m_left->SelectRow(row);
    return true;
}

void CTavAddrFrame::FillMenu(MenuKind menu, QMenu* target)
{
    switch (menu) {
    case FileMenu:
        target->addActions({Action(TavAddrCmd::NewCard), Action(TavAddrCmd::EditCard)});
        target->addSeparator();
        target->addActions({Action(TavAddrCmd::Import), Action(TavAddrCmd::Export)});
        target->addActions({Action(TavAddrCmd::ImportVCard), Action(TavAddrCmd::ExportVCard)});
        target->addSeparator();
        target->addActions({Action(TavAddrCmd::OpenCurrentFile), Action(TavAddrCmd::OpenBackupFile),
                            Action(TavAddrCmd::Restore)});
        break;
    case EditMenu:
        target->addActions({Action(TavAddrCmd::Cut), Action(TavAddrCmd::Copy), Action(TavAddrCmd::Paste),
                            Action(TavAddrCmd::Delete)});
        target->addSeparator();
        target->addAction(Action(TavAddrCmd::SelectAll));
        break;
    case ToolsMenu:
        target->addActions({Action(TavAddrCmd::Mail), Action(TavAddrCmd::Categories),
                            Action(TavAddrCmd::Prefs), Action(TavAddrCmd::Columns)});
        target->addSeparator();
        target->addActions({Action(TavAddrCmd::SortName), Action(TavAddrCmd::SortCompany)});
        break;
    }
}

void CTavAddrFrame::UpdateCommandUI()
{
    const int selected = m_left->Selection().SelectedCount();
    const bool backupOpen = m_doc->App().backupFileOpen() != 0;
    for (int id : {TavAddrCmd::EditCard, TavAddrCmd::Delete, TavAddrCmd::Cut, TavAddrCmd::Copy,
                   TavAddrCmd::ExportVCard})
        Action(id)->setEnabled(selected > 0);
    Action(TavAddrCmd::Mail)->setEnabled(selected > 0 && m_commands->CanMail());
    Action(TavAddrCmd::Paste)->setEnabled(m_commands->CanPaste());
    Action(TavAddrCmd::SelectAll)->setEnabled(m_doc->Count() > 0);
    Action(TavAddrCmd::OpenBackupFile)->setEnabled(!backupOpen);
    Action(TavAddrCmd::OpenCurrentFile)->setEnabled(backupOpen);
    Action(TavAddrCmd::SortName)->setChecked(m_doc->SortMode() == 0);
    Action(TavAddrCmd::SortCompany)->setChecked(m_doc->SortMode() == 1);
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setEnabled(Action(it.key())->isEnabled());
}

void CTavAddrFrame::onRowsRebuilt()
{
    m_left->ResetRows();
    m_left->TabBar()->SetPressed(m_doc->Tab());
    refillCategoryBox();
    m_sort->setCurrentIndex(m_doc->SortMode());
    // While the search box holds text the list holds its matches; the first one is shown.
    if (!m_doc->SearchText().trimmed().isEmpty() && m_doc->Count() > 0)
        m_left->SelectRow(0);
    else
        m_right->ShowRow(-1);
    UpdateCommandUI();
}

void CTavAddrFrame::onSelectionChanged()
{
    const int row = m_left->ShownRow();
    if (row != m_right->Index() || row >= 0)
        m_right->ShowRow(row);
    UpdateCommandUI();
}

void CTavAddrFrame::refillCategoryBox()
{
    FillCategoryBox(m_category, m_doc->Store(), m_doc->CategoryFilter(), CTavAddrDoc::kAllCategories);
}

void CTavAddrFrame::onCategoryChosen(int index)
{
    m_doc->SetFilter(ChosenCategory(m_category, index, m_doc->Store(), CTavAddrDoc::kAllCategories));
}
