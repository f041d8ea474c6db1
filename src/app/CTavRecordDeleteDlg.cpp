#include "CTavRecordDeleteDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavOptions.h"
#include "TavShowMessage.h"

CTavRecordDeleteDlg::CTavRecordDeleteDlg(const QString& noun, int backupControlId, bool backup,
                                         QWidget* parent)
    : CTavDialogBase(parent),
      m_backup(new QCheckBox(
          QStringLiteral("削除した%1を次回HotSync実行時にバックアップファイルに保存する").arg(noun), this))
{
    setWindowTitle(QStringLiteral("%1の削除").arg(noun));
    m_backup->setObjectName(QStringLiteral("backupBox"));
    m_backup->setProperty("controlId", backupControlId);
    m_backup->setChecked(backup);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* question = new QHBoxLayout;
    question->addWidget(icon);
    question->addWidget(new QLabel(QStringLiteral("選択した%1を削除しますか？").arg(noun), this), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavRecordDeleteDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavRecordDeleteDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addWidget(m_backup);
    layout->addWidget(buttons);
}

bool CTavRecordDeleteDlg::Backup() const
{
    return m_backup->isChecked();
}

std::optional<bool> CTavRecordDeleteDlg::Ask(CTavApp& app, const QString& noun, int backupControlId,
                                             QWidget* parent)
{
    const CTavOptions& options = CTavOptions::instance();
    const bool backup = options.CheckBackup() != 0;
    if (!options.CheckDelete())
        return backup;
    if (app.backupFileOpen()) {
        if (TavShowMessage(parent, QStringLiteral("選択された%1を削除しますか？").arg(noun), QString(),
                           TavMsg::OkCancel | TavMsg::IconQuestion) != TavMsg::IdOk)
            return std::nullopt;
        return false;
    }
    CTavRecordDeleteDlg dlg(noun, backupControlId, backup, parent);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.Backup();
}
