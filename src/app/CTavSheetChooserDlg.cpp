#include "CTavSheetChooserDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "CTavApp.h"
#include "CTavDbTime.h"
#include "TavCommandIds.h"
#include "TavStrings.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
enum Column
{
    ColTitle,
    ColFile,
    ColCreated,
    ColUpdated
};

QString dateText(TavTime t)
{
    return t == 0 ? QString() : CTavDbTime::toDateTime(t).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}
} // namespace

CTavSheetChooserDlg::CTavSheetChooserDlg(CTavApp& app, const QString& folder, const QString& current,
                                         const QDate& day, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("sheetChooser"));
    setWindowTitle(QStringLiteral("コンテンツ選択"));
    m_list->setObjectName(QStringLiteral("sheetList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setIconSize(kThumbnailSize);
    m_list->setHeaderLabels({QStringLiteral("タイトル"), QStringLiteral("ファイル名"),
                             QStringLiteral("作成日時"), QStringLiteral("更新日時")});
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(ColTitle, 220);
    m_list->setColumnWidth(ColFile, 170);
    m_list->setColumnWidth(ColCreated, 120);
    m_list->setColumnWidth(ColUpdated, 120);
    m_list->setMinimumSize(660, 320);
    fill(folder, day);
    SelectSheet(current);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavSheetChooserDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CTavSheetChooserDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("手書きメモ (%1)").arg(QDir::toNativeSeparators(folder)), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
}

void CTavSheetChooserDlg::fill(const QString& folder, const QDate& day)
{
    struct Row
    {
        QString name;
        QString title;
        QImage thumbnail;
        TavTime created;
        TavTime updated;
        bool onDay;
    };
    std::vector<Row> rows;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.pdb"), QStringLiteral("*.PDB")},
                                                           QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        CTavDbFreePdbObjectManager sheet;
        // Memo sheets with objects only: overlays and reference sheets may lie in the folder.
        if (sheet.LoadFromFile(file.filePath()) != TavStatusCode::Ok ||
            !sheet.IsSheetOfType(CTavDbFreePdbObjectManager::TypeSheet) || sheet.CreateObjects() == 0)
            continue;
        const CTavDbFreeMiscInfoObject* misc = sheet.GetMiscInfo();
        Row row{file.completeBaseName(),
                sheet.GetTitle(),
                sheet.CreateThumbnailBitmapEx(CTavDbFreePdbObjectManager::PageRect, kThumbnailSize),
                sheet.GetHeader().GetCreationDate(),
                sheet.GetHeader().GetModificationDate(),
                misc && day.isValid() && misc->GetScheduleDateTime().date() == day};
        rows.push_back(std::move(row));
    }
    // The sheets of the event's day first: the one the user drew for it is likely among them.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.onDay && !b.onDay; });
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(ColTitle, row.title.isEmpty() ? row.name : row.title);
        item->setIcon(ColTitle, QIcon(QPixmap::fromImage(row.thumbnail)));
        item->setText(ColFile, row.name);
        item->setText(ColCreated, dateText(row.created));
        item->setText(ColUpdated, dateText(row.updated));
        item->setData(ColTitle, Qt::UserRole, row.name);
    }
}

bool CTavSheetChooserDlg::SelectSheet(const QString& name)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (!name.isEmpty() && item->data(ColTitle, Qt::UserRole).toString() == name) {
            m_list->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

QString CTavSheetChooserDlg::SheetName() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? item->data(ColTitle, Qt::UserRole).toString() : QString();
}

void CTavSheetChooserDlg::accept()
{
    if (SheetName().isEmpty()) {
        m_app.ShowMessage(this, kChooseOne, TavStr::ProductName, TavMsg::Ok);
        return;
    }
    CTavDialogBase::accept();
}
