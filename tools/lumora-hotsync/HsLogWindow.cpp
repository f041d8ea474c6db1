#include "HsLogWindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "CTavDbFileUtil.h"
#include "HsLogFile.h"

HsLogWindow::HsLogWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title());

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("log"));
    m_list->setHeaderLabels({QStringLiteral("日時"), QStringLiteral("内容")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* refresh =
        buttons->addButton(QStringLiteral("最新の情報に更新(&R)"), QDialogButtonBox::ActionRole);
    QPushButton* clear = buttons->addButton(QStringLiteral("ログの消去(&C)"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    clear->setObjectName(QStringLiteral("clear"));
    connect(refresh, &QPushButton::clicked, this, &HsLogWindow::reload);
    connect(clear, &QPushButton::clicked, this, &HsLogWindow::clearLog);
    connect(close, &QPushButton::clicked, this, &HsLogWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 360);

    // The log is replaced by a rename, so the folder is what changes.
    const QString folder = QFileInfo(HsLogFile::filePath()).absolutePath();
    CTavDbFileUtil::ensureDirectory(folder);
    m_watcher = new QFileSystemWatcher(this);
    m_watcher->addPath(folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &HsLogWindow::reload);
    reload();
}

QString HsLogWindow::title()
{
    return QStringLiteral("HotSync ログ");
}

void HsLogWindow::reload()
{
    m_list->clear();
    const QList<HsLogFile::Entry> entries = HsLogFile::read();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, it->time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        item->setText(1, it->text);
    }
}

void HsLogWindow::clearLog()
{
    HsLogFile::clear();
    reload();
}
