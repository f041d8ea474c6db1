#include "CTavAddrDeleteDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CTavAddrDeleteDlg::CTavAddrDeleteDlg(bool backup, QWidget* parent)
    : CTavDialogBase(parent),
      m_backup(new QCheckBox(
          QStringLiteral("削除したアドレスを次回HotSync実行時にバックアップファイルに保存する"), this))
{
    setWindowTitle(QStringLiteral("アドレスの削除"));
    m_backup->setObjectName(QStringLiteral("backupBox"));
    m_backup->setProperty("controlId", 1008);
    m_backup->setChecked(backup);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* question = new QHBoxLayout;
    question->addWidget(icon);
    question->addWidget(new QLabel(QStringLiteral("選択したアドレスを削除しますか？"), this), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavAddrDeleteDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavAddrDeleteDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addWidget(m_backup);
    layout->addWidget(buttons);
}

bool CTavAddrDeleteDlg::Backup() const
{
    return m_backup->isChecked();
}
