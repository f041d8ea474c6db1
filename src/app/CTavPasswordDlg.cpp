#include "CTavPasswordDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTavPasswordDlg::CTavPasswordDlg(QWidget* parent) : CTavDialogBase(parent), m_edit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("パスワード"));
    m_edit->setObjectName(QStringLiteral("passwordEdit"));
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setMinimumWidth(220);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavPasswordDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("パスワードを入力してください:"), this));
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
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
