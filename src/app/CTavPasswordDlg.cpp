#include "CTavPasswordDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "TavStrings.h"

CTavPasswordDlg::CTavPasswordDlg(const QString& userName, QWidget* parent)
    : CTavDialogBase(parent), m_prompt(new QLabel(PromptFor(userName), this)), m_edit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("パスワード"));
    m_prompt->setObjectName(QStringLiteral("passwordPrompt"));
    // User names may hold "&" or "<": show them as typed.
    m_prompt->setTextFormat(Qt::PlainText);
    m_edit->setObjectName(QStringLiteral("passwordEdit"));
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setMinimumWidth(260);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(TavStr::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavPasswordDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

QString CTavPasswordDlg::PromptFor(const QString& userName)
{
    if (userName.isEmpty())
        return QStringLiteral("パスワードを入力してください:");
    return QStringLiteral("ユーザ「%1」のパスワード:").arg(userName);
}

void CTavPasswordDlg::accept()
{
    m_password = m_edit->text();
    CTavDialogBase::accept();
}

void CTavPasswordDlg::showEvent(QShowEvent* event)
{
    CTavDialogBase::showEvent(event);
    m_edit->setFocus(Qt::OtherFocusReason);
}
