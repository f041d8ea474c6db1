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

namespace {
const QString kAll = QStringLiteral("すべて");
}

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
    using C = CTavMemoCommands;
    using F = CTavMemoFileCommands;
    addAction(TavMemoCmd::NewMemo, QStringLiteral("新規メモ(&N)..."), &C::OnNew)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addAction(TavMemoCmd::EditMemo, QStringLiteral("メモの編集(&I)..."), &C::OnEdit);
    addAction(TavMemoCmd::Delete, QStringLiteral("削除(&D)\tDel"), &C::OnDelete);
    addAction(TavMemoCmd::Categories, QStringLiteral("カテゴリ(&C)..."), &C::OnCategories);
    addAction(TavMemoCmd::Columns, QStringLiteral("項目の表示"), &C::OnColumns);
    addAction(TavMemoCmd::SortSyllabary, QStringLiteral("五十音順(&N)"), &C::OnSortSyllabary)
        ->setCheckable(true);
    addAction(TavMemoCmd::SortHandheld, QStringLiteral("本体で指定した順番(&D)"), &C::OnSortHandheld)
        ->setCheckable(true);
    addAction(TavMemoCmd::Cut, QStringLiteral("切り取り(&T)"), &C::OnCut)->setShortcut(QKeySequence::Cut);
    addAction(TavMemoCmd::Copy, QStringLiteral("コピー(&C)"), &C::OnCopy)->setShortcut(QKeySequence::Copy);
    addAction(TavMemoCmd::Paste, QStringLiteral("貼り付け(&P)"), &C::OnPaste)
        ->setShortcut(QKeySequence::Paste);
    addAction(TavMemoCmd::SelectAll, QStringLiteral("すべて選択(&A)"), &C::OnSelectAll);
    addFileAction(TavMemoCmd::Import, QStringLiteral("インポート(&I)..."), &F::OnImport);
    addFileAction(TavMemoCmd::Export, QStringLiteral("エクスポート(&E)..."), &F::OnExport);
    addFileAction(TavMemoCmd::OpenBackupFile, QStringLiteral("バックアップファイル(&O)..."),
                  &F::OnOpenBackupFile);
    addFileAction(TavMemoCmd::OpenCurrentFile, QStringLiteral("現在のファイルを開く(&C)"),
                  &F::OnOpenCurrentFile);
    addFileAction(TavMemoCmd::Restore, QStringLiteral("復元(&R)"), &F::OnRestore);
    createBars();

    CreatePanes(m_left, m_right);
    connect(m_doc, &CTavMemoDoc::entriesRebuilt, this, &CTavMemoFrame::onEntriesRebuilt);
    connect(m_doc, &CTavMemoDoc::entrySelected, m_right, &CTavMemoRightView::ShowEntry);
    connect(m_left, &CTavListView::selectionChanged, this, &CTavMemoFrame::onSelectionChanged);
    connect(m_left, &CTavListView::rowActivated, m_commands, &CTavMemoCommands::OnEdit);
    connect(m_left, &CTavListView::deleteRequested, m_commands, &CTavMemoCommands::OnDelete);
    connect(m_left, &CTavListView::contextMenuRequested, m_commands, &CTavMemoCommands::ShowContextMenu);
}

QAction* CTavMemoFrame::addAction(int id, const QString& text, void (CTavMemoCommands::*handler)())
{
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, m_commands, [this, handler] {
        (m_commands->*handler)();
        UpdateCommandUI();
    });
    QWidget::addAction(action);
    m_actions.insert(id, action);
    return action;
}

QAction* CTavMemoFrame::addFileAction(int id, const QString& text, void (CTavMemoFileCommands::*handler)())
{
    auto* action = new QAction(text, this);
    action->setData(id);
    connect(action, &QAction::triggered, m_files, [this, handler] {
        (m_files->*handler)();
        UpdateCommandUI();
    });
    m_actions.insert(id, action);
    return action;
}

void CTavMemoFrame::createBars()
{
    m_category = new QComboBox(TopBar());
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_category->setProperty("controlId", TavMemoCtl::CategoryBox);
    m_category->setMinimumWidth(140);
    m_category->addItem(kAll);
    m_sort = new QComboBox(TopBar());
    m_sort->setObjectName(QStringLiteral("sortBox"));
    m_sort->setProperty("controlId", TavMemoCtl::SortBox);
    m_sort->addItems({QStringLiteral("五十音順"), QStringLiteral("本体で指定した順番")});
    auto* top = static_cast<QHBoxLayout*>(TopBar()->layout());
    top->insertWidget(0, new QLabel(QStringLiteral("カテゴリ"), TopBar()));
    top->insertWidget(1, m_category);
    top->insertSpacing(2, 16);
    top->insertWidget(3, new QLabel(QStringLiteral("並べ替え"), TopBar()));
    top->insertWidget(4, m_sort);
    connect(m_category, &QComboBox::activated, this, &CTavMemoFrame::onCategoryChosen);
    connect(m_sort, &QComboBox::activated, m_commands, &CTavMemoCommands::OnSortChoice);

    auto* bottom = static_cast<QHBoxLayout*>(BottomBar()->layout());
    const struct
    {
        int id;
        const char16_t* text;
        const char* name;
        int command;
    } buttons[] = {{TavMemoCtl::NewButton, u"新規メモ", "newMemoButton", TavMemoCmd::NewMemo},
                   {TavMemoCtl::EditButton, u"メモの編集", "editMemoButton", TavMemoCmd::EditMemo},
                   {TavMemoCtl::DeleteButton, u"メモの削除", "deleteMemoButton", TavMemoCmd::Delete}};
    int at = 0;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf16(b.text), BottomBar());
        button->setObjectName(QLatin1String(b.name));
        button->setProperty("controlId", b.id);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, command = b.command] { Trigger(command); });
        bottom->insertWidget(at++, button);
    }
}

void CTavMemoFrame::Trigger(int id)
{
    UpdateCommandUI();
    if (QAction* a = Action(id); a && a->isEnabled())
        a->trigger();
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

void CTavMemoFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(title.isEmpty() ? GetDescription().title : title);
    CTavMainFrame* main = m_doc->App().MainFrame();
    if (main && main->ActiveModuleFrame() == this)
        main->setWindowTitle(TavStr::ProductName + QStringLiteral(" - ") + windowTitle());
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
    QStringList names{kAll};
    for (const CTavDbCategory& c : m_doc->Store().GetCategories())
        names << c.GetName();
    QStringList shown;
    for (int i = 0; i < m_category->count(); ++i)
        shown << m_category->itemText(i);
    if (shown != names) {
        m_category->clear();
        m_category->addItems(names);
    }
    const CTavDbCategory* current = m_doc->Store().FindCategoryById(m_doc->CategoryFilter());
    const int index = m_doc->CategoryFilter() == CTavMemoDoc::kAllCategories || !current
                          ? 0
                          : static_cast<int>(m_doc->Store().GetCategories().indexOf(*current)) + 1;
    m_category->setCurrentIndex(index);
}

void CTavMemoFrame::onCategoryChosen(int index)
{
    const CTavDbCategory* category = m_doc->Store().FindCategoryByName(m_category->itemText(index));
    m_doc->SetFilter(index == 0 || !category ? CTavMemoDoc::kAllCategories : category->GetID());
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
