#include "CTavScDatePickDlg.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "CTavScMonthCalendar.h"

CTavScDatePickDlg::CTavScDatePickDlg(const QDate& date, int firstDayOfWeek, CTavDbDate* store,
                                     QWidget* parent)
    : CTavDialogBase(parent), m_month(new CTavScMonthCalendar(store, this))
{
    setWindowTitle(QStringLiteral("日付を選択"));
    QCalendarWidget* calendar = m_month->Calendar();
    calendar->setFirstDayOfWeek(static_cast<Qt::DayOfWeek>(firstDayOfWeek == 0 ? 7 : firstDayOfWeek));
    calendar->setSelectedDate(date);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_month);
    layout->addWidget(buttons);
}

QDate CTavScDatePickDlg::Date() const
{
    return m_month->Calendar()->selectedDate();
}

QCalendarWidget* CTavScDatePickDlg::Calendar() const
{
    return m_month->Calendar();
}
