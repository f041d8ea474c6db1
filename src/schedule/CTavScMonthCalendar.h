#pragma once

#include <QWidget>

class CTavDbDate;
class QCalendarWidget;
class QLabel;
class QToolButton;

// A month of days to pick from, under a "2026年12月" header with month and year steps. With a
// store, the shown month's days that have events (repeat occurrences included) are in bold.
class CTavScMonthCalendar final : public QWidget
{
    Q_OBJECT
public:
    CTavScMonthCalendar(CTavDbDate* store, QWidget* parent = nullptr);

    QCalendarWidget* Calendar() const { return m_calendar; }
    QString HeaderText() const;
    // Whether the day is marked as having events.
    bool IsMarked(const QDate& date) const;
    static QString MonthTitle(int year, int month);

private:
    void StepMonths(int months);
    void OnPageChanged();
    void MarkEventDays();

    CTavDbDate* m_store;
    QCalendarWidget* m_calendar;
    QLabel* m_header;
    QToolButton* m_steps[4];
};
