#pragma once

#include <QComboBox>

#include "CTavDbTime.h"

// The start and due date boxes of the edit dialog: "今日", "明日", "一週間後", "二週間後",
// "指定なし" and "カレンダーより選択...", showing the chosen day.
class CTavTodoDateBox final : public QComboBox
{
    Q_OBJECT
public:
    // The entries of the list, after the hidden first row that shows the chosen day.
    enum Entry
    {
        Today = 1,
        Tomorrow,
        InOneWeek,
        InTwoWeeks,
        NoDate,
        FromCalendar
    };

    explicit CTavTodoDateBox(QWidget* parent = nullptr);

    // The start of the chosen day, maxDateTime for none.
    TavTime Date() const { return m_date; }
    void SetDate(TavTime date);
    // Chooses an entry as the user would.
    void Choose(int entry);

signals:
    void dateChanged();

private:
    TavTime m_date = maxDateTime;
};
