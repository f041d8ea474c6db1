#include "CTavNewPasswordDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "TavShowMessage.h"
#include "TavStrings.h"

CTavNewPasswordDlg::CTavNewPasswordDlg(const QString& userName, bool hasPassword, QWidget* parent)
    : CTavDialogBase(parent), m_userName(userName), m_hasPassword(hasPassword), m_new(new QLineEdit(this)),
      m_confirm(new QLineEdit(this))
{
    setWindowTitle(hasPassword ? QStringLiteral("パスワードの変更") : QStringLiteral("パスワードの設定"));
    auto* heading = new QLabel(QStringLiteral("ユーザ「%1」の新しいパスワード").arg(userName), this);
    heading->setTextFormat(Qt::PlainText);
    for (QLineEdit* edit : {m_new, m_confirm}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setMinimumWidth(220);
    }
    m_new->setObjectName(QStringLiteral("newPassword"));
    m_confirm->setObjectName(QStringLiteral("confirmPassword"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("新しいパスワード(&N):"), m_new);
    form->addRow(QStringLiteral("確認のため再入力(&C):"), m_confirm);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(TavStr::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavNewPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavNewPasswordDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    if (hasPassword)
        layout->addWidget(new QLabel(QStringLiteral("両方とも空欄にすると、パスワードを解除します。"), this));
    layout->addWidget(buttons);
}

void CTavNewPasswordDlg::retype()
{
    m_new->clear();
    m_confirm->clear();
    m_new->setFocus(Qt::OtherFocusReason);
}

void CTavNewPasswordDlg::accept()
{
    const QString typed = m_new->text();
    if (typed != m_confirm->text()) {
        TavShowMessage(this, TavStr::PasswordsDiffer, TavStr::ProductName, TavMsg::IconExclamation);
        retype();
        return;
    }
    if (typed.isEmpty()) {
        if (!m_hasPassword) {
            TavShowMessage(this, TavStr::EnterPassword);
            return;
        }
        if (TavShowMessage(this, TavStr::ClearPasswordQuestion.arg(m_userName), TavStr::ProductName,
                           TavMsg::YesNo | TavMsg::IconQuestion | TavMsg::DefButton2) != TavMsg::IdYes)
            return;
    }
    m_password = typed;
    CTavDialogBase::accept();
}

void CTavNewPasswordDlg::showEvent(QShowEvent* event)
{
    CTavDialogBase::showEvent(event);
    m_new->setFocus(Qt::OtherFocusReason);
}
