#pragma once

#include "CTavDialogBase.h"

class QListWidget;
class QPushButton;
class QSpinBox;

// "月を指定": a year and a month of the schedule's range, with a button for this month.
class CTavScMonthPickDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScMonthPickDlg(int year, int month, QWidget* parent = nullptr);

    int Year() const;
    int Month() const;
    void SetMonth(int year, int month);
    QSpinBox* YearBox() const { return m_year; }
    QListWidget* MonthList() const { return m_months; }
    QPushButton* ThisMonthButton() const { return m_thisMonth; }

private:
    QSpinBox* m_year;
    QListWidget* m_months;
    QPushButton* m_thisMonth;
};
