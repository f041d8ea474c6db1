#include "CTavColumnDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kSourceIndexRole = Qt::UserRole;
}

CTavColumnDlg::CTavColumnDlg(const CTavListColumnTable& columns, QWidget* parent)
    : CTavDialogBase(parent), m_columns(columns), m_list(new QListWidget(this)),
      m_up(new QPushButton(QStringLiteral("上へ移動(&U)"), this)),
      m_down(new QPushButton(QStringLiteral("下へ移動(&D)"), this))
{
    setWindowTitle(QStringLiteral("項目の表示"));
    m_list->setObjectName(QStringLiteral("columnList"));
    m_up->setObjectName(QStringLiteral("upButton"));
    m_down->setObjectName(QStringLiteral("downButton"));
    for (int n = 0; n < columns.Count(); ++n) {
        auto* item = new QListWidgetItem(columns.At(n).title, m_list);
        item->setData(kSourceIndexRole, n);
        if (n == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setCheckState(Qt::Checked);
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(columns.At(n).shown ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_list->setMinimumSize(220, 180);
    connect(m_list, &QListWidget::currentRowChanged, this, &CTavColumnDlg::updateButtons);
    connect(m_up, &QPushButton::clicked, this, &CTavColumnDlg::MoveUp);
    connect(m_down, &QPushButton::clicked, this, &CTavColumnDlg::MoveDown);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavColumnDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavColumnDlg::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("表示する項目にチェックを付けてください(&I):"), this));
    layout->addLayout(body);
    layout->addWidget(buttons);
    updateButtons();
}

void CTavColumnDlg::updateButtons()
{
    const int row = m_list->currentRow();
    const QListWidgetItem* item = m_list->currentItem();
    const bool movable = item && (item->flags() & Qt::ItemIsSelectable);
    m_up->setEnabled(movable && row >= 2);
    m_down->setEnabled(movable && row >= 1 && row < m_list->count() - 1);
}

void CTavColumnDlg::move(int from, int to)
{
    QListWidgetItem* item = m_list->takeItem(from);
    m_list->insertItem(to, item);
    m_list->setCurrentRow(to);
    updateButtons();
}

void CTavColumnDlg::MoveUp()
{
    const int row = m_list->currentRow();
    if (row >= 2 && (m_list->item(row)->flags() & Qt::ItemIsSelectable))
        move(row, row - 1);
}

void CTavColumnDlg::MoveDown()
{
    const int row = m_list->currentRow();
    if (row >= 1 && row < m_list->count() - 1)
        move(row, row + 1);
}

CTavListColumnTable CTavColumnDlg::Result() const
{
    QList<CTavListColumn> columns;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        CTavListColumn c = m_columns.At(item->data(kSourceIndexRole).toInt());
        c.shown = i == 0 || item->checkState() == Qt::Checked;
        columns.append(c);
    }
    return CTavListColumnTable(columns);
}
