#include "CTavScSheetPickDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QVBoxLayout>

CTavScSheetPickDlg::CTavScSheetPickDlg(const QString& folder, const QString& current, QWidget* parent)
    : CTavDialogBase(parent), m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("手書きメモの選択"));
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.pdb"), QStringLiteral("*.PDB")},
                                                           QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        auto* item = new QListWidgetItem(file.completeBaseName(), m_list);
        if (file.completeBaseName() == current)
            m_list->setCurrentItem(item);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

QString CTavScSheetPickDlg::SheetName() const
{
    return m_list->currentItem() ? m_list->currentItem()->text() : QString();
}
