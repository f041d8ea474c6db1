#include "InstallWindow.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "CTavFileDlg.h"
#include "CTavMessageBox.h"
#include "InstallQueue.h"
#include "TavCommandIds.h"

namespace {
const QString kTitle = QStringLiteral("インストールツール");
const QString kFilter = QStringLiteral("Kiro ファイル (*.prc;*.pdb;*.pqa)|*.prc;*.pdb;*.pqa||");

QString sizeText(qint64 bytes)
{
    return QStringLiteral("%1 KB").arg(QLocale(QLocale::Japanese).toString((bytes + 1023) / 1024));
}
} // namespace

InstallWindow::InstallWindow(const QString& userName, QWidget* parent)
    : QDialog(parent), m_userBox(new QComboBox), m_queue(new QTreeWidget), m_remove(new QPushButton)
{
    setWindowTitle(kTitle);
    setAcceptDrops(true);
    resize(520, 340);

    auto* userLabel = new QLabel(QStringLiteral("ユーザ(&U):"));
    userLabel->setBuddy(m_userBox);
    m_userBox->setObjectName(QStringLiteral("userBox"));
    m_userBox->addItems(m_users.GetUserNameList());
    const int chosen = m_userBox->findText(userName);
    if (chosen >= 0)
        m_userBox->setCurrentIndex(chosen);
    auto* userRow = new QHBoxLayout;
    userRow->addWidget(userLabel);
    userRow->addWidget(m_userBox, 1);

    m_queue->setObjectName(QStringLiteral("queueList"));
    m_queue->setHeaderLabels(
        {QStringLiteral("ファイル名"), QStringLiteral("データベース名"), QStringLiteral("サイズ")});
    m_queue->setRootIsDecorated(false);
    m_queue->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_queue->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* add = new QPushButton(QStringLiteral("追加(&A)..."));
    add->setObjectName(QStringLiteral("addButton"));
    m_remove->setText(QStringLiteral("削除(&R)"));
    m_remove->setObjectName(QStringLiteral("removeButton"));
    auto* done = new QPushButton(QStringLiteral("完了"));
    done->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    buttons->addWidget(done);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(userRow);
    layout->addWidget(new QLabel(QStringLiteral("次回の HotSync で Kiro にインストールされるファイル:")));
    layout->addWidget(m_queue, 1);
    layout->addLayout(buttons);

    connect(m_userBox, &QComboBox::currentIndexChanged, this, &InstallWindow::refill);
    connect(m_queue, &QTreeWidget::itemSelectionChanged, this, &InstallWindow::updateButtons);
    connect(add, &QPushButton::clicked, this, &InstallWindow::chooseFiles);
    connect(m_remove, &QPushButton::clicked, this, &InstallWindow::removeSelected);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    add->setEnabled(m_userBox->count() > 0);
    refill();
}

QString InstallWindow::currentUser() const
{
    return m_userBox->currentText();
}

QString InstallWindow::currentFolder() const
{
    const QString userPath = m_users.GetUserPath(currentUser());
    return userPath.isEmpty() ? QString() : InstallQueue::FolderOfUser(userPath);
}

int InstallWindow::addFiles(const QStringList& paths)
{
    if (currentFolder().isEmpty()) {
        CTavMessageBox::Show({this, QStringLiteral("ユーザを追加してください。"), kTitle,
                              TavMsg::Ok | TavMsg::IconExclamation});
        return 0;
    }
    InstallQueue queue(currentFolder());
    int added = 0;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        if (queue.contains(name) &&
            CTavMessageBox::Show(
                {this, QStringLiteral("\"%1\" はすでにインストール待ちです。置き換えますか？").arg(name),
                 kTitle, TavMsg::YesNo | TavMsg::IconQuestion}) != TavMsg::IdYes)
            continue;
        const QString error = queue.add(path);
        if (error.isEmpty())
            ++added;
        else
            CTavMessageBox::Show({this, error, kTitle, TavMsg::Ok | TavMsg::IconExclamation});
    }
    refill();
    return added;
}

void InstallWindow::removeSelected()
{
    InstallQueue queue(currentFolder());
    QStringList kept;
    for (const QTreeWidgetItem* item : m_queue->selectedItems())
        if (!queue.remove(item->text(0)))
            kept << item->text(0);
    refill();
    if (!kept.isEmpty())
        CTavMessageBox::Show(
            {this,
             QStringLiteral("インストール フォルダ \"%1\" から次のファイルを削除できませんでした:\n%2")
                 .arg(QDir::toNativeSeparators(queue.folder()), kept.join(u'\n')),
             kTitle, TavMsg::Ok | TavMsg::IconExclamation});
}

void InstallWindow::chooseFiles()
{
    CTavFileDlg dlg(CTavFileDlg::Open, QStringLiteral("インストールするファイルの選択"), kFilter, this);
    dlg.SetAcceptLabel(QStringLiteral("追加"));
    if (dlg.exec() == QDialog::Accepted)
        addFiles({dlg.PathName()});
}

void InstallWindow::refill()
{
    m_queue->clear();
    const QString folder = currentFolder();
    if (!folder.isEmpty()) {
        for (const InstallQueue::Entry& entry : InstallQueue(folder).entries()) {
            auto* item =
                new QTreeWidgetItem(m_queue, {entry.fileName, entry.databaseName, sizeText(entry.size)});
            item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    updateButtons();
}

void InstallWindow::updateButtons()
{
    m_remove->setEnabled(!m_queue->selectedItems().isEmpty());
}

void InstallWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void InstallWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    addFiles(paths);
    event->acceptProposedAction();
}
