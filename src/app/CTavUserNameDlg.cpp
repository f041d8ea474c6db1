#include "CTavUserNameDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTavUserNameDlg::CTavUserNameDlg(Mode mode, const QString& initial, QWidget* parent)
    : CTavDialogBase(parent), m_edit(new QLineEdit(initial, this))
{
    setWindowTitle(mode == Rename ? QStringLiteral("ユーザ名の変更") : QStringLiteral("新規ユーザ"));
    m_edit->setObjectName(QStringLiteral("nameEdit"));
    m_edit->setMinimumWidth(240);
    m_edit->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavUserNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavUserNameDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        mode == Rename ? QStringLiteral("新規ユーザ名の入力:") : QStringLiteral("ユーザ名の入力:"), this));
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

QString CTavUserNameDlg::Name() const
{
    return m_edit->text();
}
