#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

class CTavDbDateRecord;

// A repeat rule as the repeat dialog sees it: five kinds, monthly split by method. Maps to and
// from the record's handheld fields and describes itself in one line.
struct CTavScRepeatRule
{
    enum Kind : int
    {
        None = 0,
        Daily = 1,
        Weekly = 2,
        Monthly = 3,
        Yearly = 4
    };
    enum Method : int
    {
        ByDate = 0,
        ByWeekday = 1
    };

    int kind = None;
    int interval = 1;
    bool hasEnd = false;
    QDate endDate;
    uint8_t mask = 0;
    int method = ByDate;
    int weekIndex = 0;
    int monthIndex = 0;

    static CTavScRepeatRule FromRecord(const CTavDbDateRecord& record);
    // Writes kind, interval, end date, first day of week and the day, week and month fields.
    void ToRecord(CTavDbDateRecord& record, const QDate& start, int firstDayOfWeek) const;

    // The rule set for one day, moved with its event to another: the week and month of the new
    // day, and in a weekly rule the old day's weekday replaced by the new one's.
    CTavScRepeatRule MovedTo(const QDate& from, const QDate& to) const;

    // 0..3 for the first to fourth such weekday, 4 for the fifth (the last).
    static int WeekIndexOf(const QDate& date) { return (date.day() + 6) / 7 - 1; }
    // The description line; locale "enUS" swaps the arguments as the English strings need.
    QString Describe(const QDate& start, const QString& locale = QStringLiteral("jpJP")) const;
    static QString IntervalWord(int interval);
    static QString DayList(uint8_t mask);
};
