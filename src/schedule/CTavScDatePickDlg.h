#pragma once

#include <QDate>

#include "CTavDialogBase.h"

class CTavDbDate;
class CTavScMonthCalendar;
class QCalendarWidget;

// Picks one day of the schedule's range on a month calendar; with a store, the days that have
// events stand out.
class CTavScDatePickDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScDatePickDlg(const QDate& date, int firstDayOfWeek, CTavDbDate* store = nullptr,
                      QWidget* parent = nullptr);
    QDate Date() const;
    QCalendarWidget* Calendar() const;
    CTavScMonthCalendar* MonthCalendar() const { return m_month; }

private:
    CTavScMonthCalendar* m_month;
};
