#include "CTavExportFileDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "TavStrings.h"

CTavExportFileDlg::CTavExportFileDlg(const QString& filter, QWidget* parent)
    : CTavFileDlg(Save, QStringLiteral("エクスポート"), filter, parent),
      m_all(new QRadioButton(QStringLiteral("すべて(&A)"), this)),
      m_selected(new QRadioButton(QStringLiteral("選択したデータ(&C)"), this))
{
    SetAcceptLabel(QStringLiteral("エクスポート"));
    m_all->setObjectName(QStringLiteral("rangeAll"));
    m_all->setProperty("controlId", 1000);
    m_selected->setObjectName(QStringLiteral("rangeSelected"));
    m_selected->setProperty("controlId", 1001);
    auto* panel = new QHBoxLayout;
    panel->addWidget(new QLabel(QStringLiteral("範囲:"), this));
    panel->addWidget(m_all);
    panel->addWidget(m_selected);
    panel->addStretch();
    ExtraArea()->addLayout(panel);
    connect(m_all, &QRadioButton::clicked, this, &CTavExportFileDlg::storeRange);
    connect(m_selected, &QRadioButton::clicked, this, &CTavExportFileDlg::storeRange);
}

void CTavExportFileDlg::showRange()
{
    m_all->setChecked(rangeAll);
    m_selected->setChecked(rangeSelected);
    m_selected->setEnabled(selectedEnabled);
}

void CTavExportFileDlg::storeRange()
{
    rangeAll = m_all->isChecked();
    rangeSelected = m_selected->isChecked();
}

void CTavExportFileDlg::showEvent(QShowEvent* event)
{
    showRange();
    CTavFileDlg::showEvent(event);
}

int CTavExportFileDlg::exec()
{
    showRange();
    return CTavFileDlg::exec();
}

bool CTavExportFileDlg::CompleteDesktopChoice()
{
    if (!selectedEnabled)
        return true;
    FileDialog()->hide();
    if (!findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setText(TavStr::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &CTavExportFileDlg::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &CTavExportFileDlg::reject);
        ExtraArea()->setContentsMargins(12, 12, 12, 0);
        ExtraArea()->addWidget(buttons);
    }
    setMinimumSize(0, 0);
    adjustSize();
    return CTavDialogBase::exec() == QDialog::Accepted;
}
