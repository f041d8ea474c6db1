#pragma once

#include <QDate>

#include "CTavDialogBase.h"

class QCalendarWidget;

// A day on a month calendar ("日付を選択"), within the range dates of a sheet may take.
class CTavFreeEditDateDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavFreeEditDateDlg(const QDate& date, QWidget* parent = nullptr);
    QDate Date() const;
    QCalendarWidget* Calendar() const { return m_calendar; }

private:
    QCalendarWidget* m_calendar;
};
