#include "CTavScMonthPickDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "CTavDbClock.h"
#include "CTavScCalendarGrid.h"

CTavScMonthPickDlg::CTavScMonthPickDlg(int year, int month, QWidget* parent)
    : CTavDialogBase(parent), m_year(new QSpinBox(this)), m_months(new QListWidget(this)),
      m_thisMonth(new QPushButton(QStringLiteral("今月(&T)"), this))
{
    setWindowTitle(QStringLiteral("月を指定"));
    m_year->setObjectName(QStringLiteral("yearBox"));
    m_year->setRange(CTavScCalendarGrid::kFirstYear, CTavScCalendarGrid::kLastYear);
    m_year->setMinimumWidth(80);
    m_months->setObjectName(QStringLiteral("monthList"));
    for (int m = 1; m <= 12; ++m)
        m_months->addItem(QStringLiteral("%1月").arg(m));
    // Tall enough for the whole year without a scroll bar.
    m_months->setFixedHeight(m_months->sizeHintForRow(0) * 12 + 2 * m_months->frameWidth() + 4);
    m_thisMonth->setObjectName(QStringLiteral("thisMonthButton"));
    connect(m_thisMonth, &QPushButton::clicked, this, [this] {
        const QDate today = CTavDbClock::Today();
        SetMonth(today.year(), today.month());
    });
    connect(m_months, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_year, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("年"), this), 0, 1);
    layout->addWidget(m_months, 1, 0, 1, 2);
    auto* side = new QVBoxLayout;
    side->addWidget(buttons);
    side->addStretch();
    side->addWidget(m_thisMonth);
    layout->addLayout(side, 0, 2, 2, 1);
    SetMonth(year, month);
}

void CTavScMonthPickDlg::SetMonth(int year, int month)
{
    m_year->setValue(year);
    m_months->setCurrentRow(std::clamp(month, 1, 12) - 1);
}

int CTavScMonthPickDlg::Year() const
{
    return m_year->value();
}

int CTavScMonthPickDlg::Month() const
{
    return m_months->currentRow() + 1;
}
