#include "CTavSourceUserDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavDbUser.h"
#include "TavStrings.h"

CTavSourceUserDlg::CTavSourceUserDlg(const CTavDbUser& users, QWidget* parent)
    : CTavDialogBase(parent), m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("データ移行"));
    m_list->setObjectName(QStringLiteral("sourceList"));
    m_list->setProperty("controlId", 1114);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CTavSourceUserDlg::accept);
    for (const QString& name : users.GetUserNameList())
        if (name != users.GetCurrUserName())
            m_list->addItem(name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(TavStr::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavSourceUserDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavSourceUserDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("移行元ユーザ:"), this));
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void CTavSourceUserDlg::accept()
{
    if (m_list->count() == 0) {
        CTavApp::instance()->ShowMessage(this, TavStr::AddUser);
        return;
    }
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return;
    m_source = item->text();
    CTavDialogBase::accept();
}
