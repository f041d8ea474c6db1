#include "CTavScDeleteDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CTavScDeleteDlg::CTavScDeleteDlg(bool archive, QWidget* parent)
    : CTavDialogBase(parent),
      m_archive(new QCheckBox(
          QStringLiteral("削除した予定を次回HotSync実行時にバックアップ ファイルに保存する"), this))
{
    setWindowTitle(QStringLiteral("予定の削除"));
    m_archive->setChecked(archive);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("選択した予定を削除しますか？"), this));
    layout->addWidget(m_archive);
    layout->addWidget(buttons);
}

bool CTavScDeleteDlg::Archive() const
{
    return m_archive->isChecked();
}
