#include "CTavScDatePickDlg.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "CTavDbTime.h"

CTavScDatePickDlg::CTavScDatePickDlg(const QDate& date, int firstDayOfWeek, QWidget* parent)
    : CTavDialogBase(parent), m_calendar(new QCalendarWidget(this))
{
    setWindowTitle(QStringLiteral("日付を選択"));
    m_calendar->setDateRange(CTavDbTime::firstDate(), CTavDbTime::lastDate());
    // The locale first: setting it resets the first day of the week to the locale's.
    m_calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_calendar->setFirstDayOfWeek(static_cast<Qt::DayOfWeek>(firstDayOfWeek == 0 ? 7 : firstDayOfWeek));
    m_calendar->setSelectedDate(date);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
}

QDate CTavScDatePickDlg::Date() const
{
    return m_calendar->selectedDate();
}
