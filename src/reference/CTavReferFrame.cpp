#include "CTavReferFrame.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavModuleBar.h"
#include "CTavOptions.h"
#include "CTavReferDoc.h"
#include "CTavReferLeftView.h"
#include "CTavReferRightView.h"
#include "CTavReferViewDlg.h"
#include "CTavSyncLock.h"
#include "TavCommandIds.h"
#include "TavReferCommandIds.h"

CTavReferFrame::CTavReferFrame(CTavReferDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::Reference, TavModule::Reference, CTavModuleBar::Reference,
                                  QStringLiteral("便利情報"), true, false},
                      parent),
      m_doc(document), m_left(new CTavReferLeftView(document, this)),
      m_right(new CTavReferRightView(document, this))
{
    AddCommands({
        {TavReferCmd::View, u"便利情報の閲覧(&I)...", [this] { OnView(); }, true},
        {TavReferCmd::Delete, u"削除(&D)\tDel", [this] { OnDelete(); }, true},
        {TavReferCmd::SortAscending, u"タイトル昇順", [this] { OnSort(CTavReferDoc::TitleAscending); }, true},
        {TavReferCmd::SortDescending, u"タイトル降順", [this] { OnSort(CTavReferDoc::TitleDescending); },
         true},
    });
    Action(TavReferCmd::View)->setStatusTip(QStringLiteral("選択した 便利情報 を閲覧します。"));
    Action(TavReferCmd::SortAscending)->setCheckable(true);
    Action(TavReferCmd::SortDescending)->setCheckable(true);

    m_sort = new QComboBox(TopBar());
    m_sort->setObjectName(QStringLiteral("sortBox"));
    m_sort->setProperty("controlId", TavReferCtl::SortBox);
    m_sort->addItems({QStringLiteral("タイトル昇順"), QStringLiteral("タイトル降順")});
    auto* top = static_cast<QHBoxLayout*>(TopBar()->layout());
    top->insertWidget(0, new QLabel(QStringLiteral("並べ替え"), TopBar()));
    top->insertWidget(1, m_sort);
    connect(m_sort, &QComboBox::activated, this, &CTavReferFrame::OnSort);
    AddCommandButtons({{TavReferCtl::ViewButton, u"閲覧", "viewButton", TavReferCmd::View},
                       {TavReferCtl::DeleteButton, u"削除", "deleteButton", TavReferCmd::Delete}});

    CreatePanes(m_left, m_right);
    connect(m_doc, &CTavReferDoc::entriesRebuilt, this, &CTavReferFrame::onEntriesRebuilt);
    connect(m_doc, &CTavReferDoc::entrySelected, m_right, &CTavReferRightView::ShowEntry);
    connect(m_left, &CTavListView::selectionChanged, this, &CTavReferFrame::onSelectionChanged);
    connect(m_left, &CTavListView::rowActivated, this, &CTavReferFrame::OnView);
    connect(m_left, &CTavListView::deleteRequested, this, &CTavReferFrame::OnDelete);
    connect(m_left, &CTavListView::contextMenuRequested, this, &CTavReferFrame::showContextMenu);
}

void CTavReferFrame::FillMenu(MenuKind menu, QMenu* target)
{
    switch (menu) {
    case FileMenu:
        target->addAction(Action(TavReferCmd::View));
        break;
    case EditMenu:
        target->addAction(Action(TavReferCmd::Delete));
        break;
    case ToolsMenu:
        target->addActions({Action(TavReferCmd::SortAscending), Action(TavReferCmd::SortDescending)});
        break;
    }
}

void CTavReferFrame::UpdateCommandUI()
{
    // View and delete stay enabled with nothing selected: they tell the user what is missing.
    Action(TavReferCmd::SortAscending)->setChecked(m_doc->SortChoice() == CTavReferDoc::TitleAscending);
    Action(TavReferCmd::SortDescending)->setChecked(m_doc->SortChoice() == CTavReferDoc::TitleDescending);
}

void CTavReferFrame::onEntriesRebuilt()
{
    m_left->ResetRows();
    m_sort->setCurrentIndex(m_doc->SortChoice());
    UpdateCommandUI();
}

bool CTavReferFrame::ShowFile(const QString& path)
{
    for (int row = 0; row < m_doc->Count(); ++row) {
        if (m_doc->Entry(row)->path == path) {
            m_left->SelectRows({row});
            m_left->ScrollToRow(row);
            return true;
        }
    }
    return false;
}

void CTavReferFrame::onSelectionChanged()
{
    const int row = m_left->ShownRow();
    if (row != m_doc->Selected())
        m_doc->Select(row);
    UpdateCommandUI();
}

void CTavReferFrame::noSelection()
{
    m_doc->App().ShowMessage(this, QStringLiteral("%1が選択されていません。").arg(kItemName),
                             QStringLiteral("選択"), TavMsg::IconExclamation);
}

void CTavReferFrame::OnView()
{
    CTavApp& app = m_doc->App();
    CTavSyncLock lock(app);
    const QList<int> rows = m_left->Selection().SelectedRows();
    if (rows.isEmpty()) {
        noSelection();
        return;
    }
    if (rows.size() > 1) {
        app.ShowMessage(
            this, QStringLiteral("複数の%1が選択されています。一つの%1を選択して下さい。").arg(kItemName),
            QStringLiteral("複数選択"), TavMsg::IconExclamation);
        return;
    }
    const CTavReferEntry* entry = m_doc->Entry(rows.first());
    if (!entry)
        return;
    CTavReferViewDlg viewer(entry->sheet, app.Users().GetCurrUserPath() + CTavDbEnv::GetBenriDir(), this);
    viewer.exec();
}

void CTavReferFrame::OnDelete()
{
    CTavApp& app = m_doc->App();
    CTavSyncLock lock(app);
    const QStringList paths = m_left->SelectedPaths();
    if (paths.isEmpty()) {
        noSelection();
        return;
    }
    if (CTavOptions::instance().CheckDelete() &&
        app.ShowMessage(this, QStringLiteral("選択された%1を削除します。よろしいですか？").arg(kItemName),
                        QStringLiteral("便利情報の削除"),
                        TavMsg::YesNo | TavMsg::IconExclamation) != TavMsg::IdYes)
        return;
    QStringList left = m_doc->DeleteFiles(paths);
    if (left.isEmpty())
        return;
    for (QString& path : left)
        path = QDir::toNativeSeparators(path);
    app.ShowMessage(this,
                    QStringLiteral("次の%1は削除できませんでした。\n\n%2").arg(kItemName, left.join(u'\n')),
                    QStringLiteral("便利情報の削除"), TavMsg::IconExclamation);
}

void CTavReferFrame::OnSort(int choice)
{
    m_doc->SetSort(choice);
}

void CTavReferFrame::showContextMenu(const QPoint& globalPos, int)
{
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("閲覧"), this, &CTavReferFrame::OnView);
    m_menu->addAction(QStringLiteral("削除"), this, &CTavReferFrame::OnDelete);
    m_menu->popup(globalPos);
}
