#pragma once

#include <QDate>

#include "CTavDialogBase.h"

class QCalendarWidget;

// Picks one day of the schedule's range on a month calendar.
class CTavScDatePickDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScDatePickDlg(const QDate& date, int firstDayOfWeek, QWidget* parent = nullptr);
    QDate Date() const;
    QCalendarWidget* Calendar() const { return m_calendar; }

private:
    QCalendarWidget* m_calendar;
};
