#include "CTavCategoryNameDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavByteLimit.h"
#include "TavShowMessage.h"

CTavCategoryNameDlg::CTavCategoryNameDlg(Mode mode, const QString& initial, QWidget* parent)
    : CTavDialogBase(parent), m_edit(new QLineEdit(this))
{
    setWindowTitle(mode == New ? QStringLiteral("新規カテゴリ") : QStringLiteral("カテゴリ名の変更"));
    m_edit->setObjectName(QStringLiteral("categoryNameEdit"));
    m_edit->setProperty("controlId", 1009);
    m_edit->setText(initial);
    CTavByteLimit::Apply(m_edit, kMaxNameBytes);
    m_edit->selectAll();
    m_edit->setMinimumWidth(240);
    auto* label = new QLabel(QStringLiteral("新規カテゴリ名(&E):"), this);
    label->setBuddy(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavCategoryNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavCategoryNameDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

QString CTavCategoryNameDlg::Name() const
{
    return m_edit->text();
}

void CTavCategoryNameDlg::accept()
{
    if (m_edit->text().isEmpty()) {
        TavShowMessage(this, QStringLiteral("カテゴリを入力してください。"));
        m_edit->setFocus();
        return;
    }
    CTavDialogBase::accept();
}
