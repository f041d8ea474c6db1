#include "CTavUserDlg.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavNewPasswordDlg.h"
#include "CTavPasswordDlg.h"
#include "CTavUserNameDlg.h"
#include "TavStrings.h"

namespace {
CTavDbUser& users()
{
    return CTavApp::instance()->Users();
}

QListWidgetItem* makeItem(const QString& name)
{
    auto* item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, static_cast<qulonglong>(users().GetUserID(name)));
    return item;
}
} // namespace

CTavUserDlg::CTavUserDlg(Mode mode, uint32_t currentId, QWidget* parent)
    : CTavDialogBase(parent), m_mode(mode), m_currentId(currentId), m_list(new QListWidget(this)),
      m_label(new QLabel(QStringLiteral("ユーザの選択:"), this)),
      m_new(new QPushButton(QStringLiteral("新規(&N)"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_delete(new QPushButton(mode == Startup ? TavStr::Cancel : QStringLiteral("削除(&D)"), this)),
      m_rename(new QPushButton(QStringLiteral("名前の変更(&M)"), this)),
      m_password(new QPushButton(QStringLiteral("パスワード(&P)..."), this))
{
    setWindowTitle(QStringLiteral("ユーザ"));
    m_list->setObjectName(QStringLiteral("userList"));
    m_new->setObjectName(QStringLiteral("newButton"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    m_rename->setObjectName(QStringLiteral("renameButton"));
    m_password->setObjectName(QStringLiteral("passwordButton"));
    m_ok->setDefault(true);
    m_rename->setVisible(mode == Management);
    m_password->setVisible(mode == Management);
    m_list->setMinimumSize(220, 160);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 6, 1);
    grid->addWidget(m_ok, 1, 1);
    grid->addWidget(m_new, 2, 1);
    grid->addWidget(m_rename, 3, 1);
    grid->addWidget(m_password, 4, 1);
    grid->addWidget(m_delete, 5, 1);
    grid->setRowStretch(6, 1);

    for (const QString& name : users().GetUserNameList()) {
        QListWidgetItem* item = makeItem(name);
        m_list->addItem(item);
        if (users().GetUserID(name) == currentId) {
            m_chosen = name;
            m_list->setCurrentItem(item);
        }
    }
    connect(m_new, &QPushButton::clicked, this, &CTavUserDlg::OnNew);
    connect(m_ok, &QPushButton::clicked, this, &CTavUserDlg::OnOk);
    connect(m_rename, &QPushButton::clicked, this, &CTavUserDlg::OnRename);
    connect(m_delete, &QPushButton::clicked, this, &CTavUserDlg::OnDelete);
    connect(m_password, &QPushButton::clicked, this, &CTavUserDlg::OnPassword);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CTavUserDlg::OnOk);
}

int CTavUserDlg::Message(const QString& text, unsigned type)
{
    return CTavApp::instance()->ShowMessage(this, text, TavStr::ProductName, type);
}

bool CTavUserDlg::IsListed(const QString& name) const
{
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->text() == name)
            return true;
    return false;
}

bool CTavUserDlg::nameFits(const QString& name)
{
    const int bytes = CTavDbText::mbLength(name);
    if (bytes <= CTavDbUser::kMaxNameBytes)
        return true;
    Message(TavStr::UserNameTooLong.arg(CTavDbUser::kMaxNameBytes).arg(bytes), TavMsg::IconExclamation);
    return false;
}

QString CTavUserDlg::failureReason(TavStatus status)
{
    if (status == TavStatusCode::FileError)
        return QStringLiteral("\n\nユーザの一覧 %1 に書き込めません。")
            .arg(QDir::toNativeSeparators(CTavDbUser::ListFilePath()));
    if (status == TavStatusCode::InvalidArgument)
        return QStringLiteral("\n\nユーザ名に改行は使えません。");
    if (status == TavStatusCode::Corrupt)
        return QStringLiteral("\n\nユーザの一覧 %1 が壊れているため、書き換えません。")
            .arg(QDir::toNativeSeparators(CTavDbUser::ListFilePath()));
    if (status == TavStatusCode::Failed)
        return QStringLiteral("\n\nデータ フォルダ %1 にユーザのフォルダを作成できません。")
            .arg(QDir::toNativeSeparators(CTavDbEnv::GetCorePath()));
    return QString();
}

void CTavUserDlg::OnNew()
{
    CTavUserNameDlg dlg(CTavUserNameDlg::NewUser, QString(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString name = dlg.Name();
    if (name.trimmed().isEmpty()) {
        Message(TavStr::EnterUserName);
        return;
    }
    if (IsListed(name)) {
        Message(TavStr::NameInUse.arg(name));
        return;
    }
    if (!nameFits(name))
        return;
    if (const TavStatus status = users().AddUser(name); status != TavStatusCode::Ok) {
        Message(QStringLiteral("ユーザ \"%1\" を追加できませんでした。").arg(name) + failureReason(status),
                TavMsg::IconExclamation);
        return;
    }
    QListWidgetItem* item = makeItem(name);
    m_list->addItem(item);
    m_list->setCurrentItem(item);
}

void CTavUserDlg::OnRename()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        Message(TavStr::ChooseUser);
        return;
    }
    const QString oldName = item->text();
    if (!CTavApp::instance()->AskPassword(oldName, true, this))
        return;
    CTavUserNameDlg dlg(CTavUserNameDlg::Rename, oldName, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString newName = dlg.Name();
    if (newName.trimmed().isEmpty() || newName == oldName)
        return;
    if (IsListed(newName)) {
        Message(TavStr::NameInUse.arg(newName));
        return;
    }
    if (!nameFits(newName))
        return;
    if (const TavStatus status = users().UpdateUser(oldName, newName); status != TavStatusCode::Ok) {
        Message(QStringLiteral("ユーザ名を変更できませんでした。") + failureReason(status),
                TavMsg::IconExclamation);
        return;
    }
    item->setText(newName);
    item->setData(Qt::UserRole, static_cast<qulonglong>(users().GetUserID(newName)));
}

void CTavUserDlg::OnDelete()
{
    if (m_mode == Startup) {
        TakeSelection();
        CTavDialogBase::reject();
        return;
    }
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        Message(TavStr::ChooseUser);
        return;
    }
    const QString name = item->text();
    const QString question =
        QStringLiteral("ユーザと \"%1\" に関連するすべてのデータを削除しますか？").arg(name);
    if (Message(question, TavMsg::OkCancel | TavMsg::IconExclamation | TavMsg::DefButton2) != TavMsg::IdOk)
        return;
    if (const TavStatus status = users().DeleteUser(name); status != TavStatusCode::Ok) {
        Message(QStringLiteral("ユーザ \"%1\" を削除できませんでした。").arg(name) + failureReason(status),
                TavMsg::IconExclamation);
        return;
    }
    delete m_list->takeItem(m_list->row(item));
    if (m_chosen == name)
        m_chosen.clear();
}

void CTavUserDlg::OnPassword()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        Message(TavStr::ChooseUser);
        return;
    }
    const QString name = item->text();
    const bool hasPassword = users().IsSettingPassword(name);
    if (hasPassword) {
        CTavPasswordDlg current(name, this);
        if (current.exec() != QDialog::Accepted)
            return;
        if (!users().IsValidPassword(name, current.Password())) {
            Message(TavStr::InvalidPassword);
            return;
        }
    }
    CTavNewPasswordDlg dlg(name, hasPassword, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (const TavStatus status = users().SetPassword(name, dlg.Password()); status != TavStatusCode::Ok)
        Message(QStringLiteral("パスワードを保存できませんでした。") + failureReason(status),
                TavMsg::IconExclamation);
}

bool CTavUserDlg::TakeSelection()
{
    if (m_list->count() == 0)
        return false;
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        item = m_list->item(0);
        for (int i = 0; i < m_list->count(); ++i)
            if (m_list->item(i)->data(Qt::UserRole).toULongLong() == m_currentId)
                item = m_list->item(i);
        m_list->setCurrentItem(item);
    }
    m_chosen = item->text();
    return true;
}

void CTavUserDlg::OnOk()
{
    if (!TakeSelection()) {
        Message(TavStr::AddUser);
        return;
    }
    accept();
}

void CTavUserDlg::reject()
{
    if (!TakeSelection()) {
        Message(TavStr::AddUser);
        return;
    }
    CTavDialogBase::reject();
}

void CTavUserDlg::closeEvent(QCloseEvent* event)
{
    if (m_list->count() == 0) {
        event->ignore();
        Message(TavStr::AddUser);
        return;
    }
    TakeSelection();
    CTavDialogBase::closeEvent(event);
}
