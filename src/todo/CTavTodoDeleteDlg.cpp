#include "CTavTodoDeleteDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "TavTodoCommandIds.h"

CTavTodoDeleteDlg::CTavTodoDeleteDlg(Form form, bool withChildren, bool childEnabled, bool backup,
                                     QWidget* parent)
    : CTavDialogBase(parent),
      m_question(new QLabel(form == PurgeCompleted ? kPurgeQuestion : kDeleteQuestion, this)),
      m_child(new QCheckBox(QStringLiteral("下の階層のToDoも削除する"), this)),
      m_backup(new QCheckBox(
          QStringLiteral("削除したToDoを次回HotSync実行時にバックアップファイルに保存する"), this))
{
    setWindowTitle(kTitle);
    setObjectName(QStringLiteral("todoDeleteDialog"));
    m_child->setObjectName(QStringLiteral("childBox"));
    m_child->setProperty("controlId", TavTodoCtl::DeleteChildBox);
    m_backup->setObjectName(QStringLiteral("backupBox"));
    m_backup->setProperty("controlId", TavTodoCtl::DeleteBackupBox);
    // A purge takes the sub-items of a completed task along, always.
    m_child->setChecked(form == PurgeCompleted || withChildren);
    m_child->setEnabled(form == DeleteSelected && childEnabled);
    m_backup->setChecked(backup);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* question = new QHBoxLayout;
    question->addWidget(icon);
    question->addWidget(m_question, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavTodoDeleteDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavTodoDeleteDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addWidget(m_child);
    layout->addWidget(m_backup);
    layout->addWidget(buttons);
}

bool CTavTodoDeleteDlg::WithChildren() const
{
    return m_child->isChecked();
}

bool CTavTodoDeleteDlg::Backup() const
{
    return m_backup->isChecked();
}
