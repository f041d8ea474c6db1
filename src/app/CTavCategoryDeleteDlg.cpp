#include "CTavCategoryDeleteDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CTavCategoryDeleteDlg::CTavCategoryDeleteDlg(const QString& categoryName, QWidget* parent)
    : CTavDialogBase(parent), m_move(new QRadioButton(QStringLiteral("データを [未分類] に移動(&M)"), this)),
      m_delete(new QRadioButton(QStringLiteral("全てのデータを削除(&D)"), this))
{
    setWindowTitle(QStringLiteral("カテゴリ [%1] の削除").arg(categoryName));
    m_move->setObjectName(QStringLiteral("moveChoice"));
    m_move->setProperty("controlId", 1000);
    m_delete->setObjectName(QStringLiteral("deleteChoice"));
    m_delete->setProperty("controlId", 1001);
    m_move->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavCategoryDeleteDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavCategoryDeleteDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_move);
    layout->addWidget(m_delete);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

bool CTavCategoryDeleteDlg::DeleteAll() const
{
    return m_delete->isChecked();
}
