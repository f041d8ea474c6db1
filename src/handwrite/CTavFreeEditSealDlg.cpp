#include "CTavFreeEditSealDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavDbFreePalmBitmap.h"
#include "sheet/CTavDbSealObject.h"

CTavFreeEditSealDlg::CTavFreeEditSealDlg(CTavDbFreePrcObjectManager& resources, QWidget* parent)
    : CTavDialogBase(parent), m_resources(resources)
{
    setWindowTitle(QStringLiteral("シール選択"));
    m_seals = resources.ListAllResources(CTavDbSealObject::BitmapType).mid(0, MaxSeals);

    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    for (int i = 0; i < Columns * Rows; ++i) {
        auto* cell = new QToolButton(this);
        cell->setFixedSize(52, 52);
        cell->setIconSize(QSize(44, 44));
        cell->setAutoRaise(true);
        connect(cell, &QToolButton::clicked, this, [this, i] {
            const int index = (m_page->value() - 1) * Columns * Rows + i;
            if (index < m_seals.size()) {
                m_chosen = m_seals[index];
                accept();
            }
        });
        grid->addWidget(cell, i / Columns, i % Columns);
        m_cells << cell;
    }
    m_empty = new QLabel(QStringLiteral("シールが見つかりません。"), this);
    m_empty->setVisible(m_seals.isEmpty());

    const int pages = std::max<int>(1, int((m_seals.size() + Columns * Rows - 1) / (Columns * Rows)));
    m_page = new QSpinBox(this);
    m_page->setRange(1, pages);
    m_page->setSuffix(QStringLiteral(" / %1 ページ").arg(pages));
    connect(m_page, &QSpinBox::valueChanged, this, &CTavFreeEditSealDlg::showPage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_page);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_empty);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    showPage(1);
}

void CTavFreeEditSealDlg::showPage(int page)
{
    const int first = (page - 1) * Columns * Rows;
    for (int i = 0; i < m_cells.size(); ++i) {
        QToolButton* cell = m_cells[i];
        const int index = first + i;
        if (index >= m_seals.size()) {
            cell->setIcon(QIcon());
            cell->setEnabled(false);
            cell->setToolTip(QString());
            continue;
        }
        const auto& seal = m_seals[index];
        QImage picture;
        CTavDbFreePalmBitmap::CreateBitmap(m_resources.FindResource(seal.database, seal.type, seal.id),
                                           &picture);
        cell->setIcon(QIcon(QPixmap::fromImage(picture)));
        cell->setEnabled(true);
        cell->setToolTip(QStringLiteral("%1 #%2").arg(seal.database).arg(seal.id));
    }
}
