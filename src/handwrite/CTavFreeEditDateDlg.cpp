#include "CTavFreeEditDateDlg.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "CTavFreeEditDetailDlg.h"

CTavFreeEditDateDlg::CTavFreeEditDateDlg(const QDate& date, QWidget* parent) : CTavDialogBase(parent)
{
    setWindowTitle(QStringLiteral("日付を選択"));
    m_calendar = new QCalendarWidget(this);
    m_calendar->setDateRange(CTavFreeEditDetailDlg::FirstDay(), CTavFreeEditDetailDlg::LastDay());
    m_calendar->setSelectedDate(date);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
}

QDate CTavFreeEditDateDlg::Date() const
{
    return m_calendar->selectedDate();
}
