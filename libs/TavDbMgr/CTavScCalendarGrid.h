#pragma once

#include <QDate>
#include <array>

#include "CTavDbTime.h"

// The month calendar of 6 weeks of 7 days that every schedule window lays out and reckons
// with, the week numbers and the day stepping of the schedule.
class CTavScCalendarGrid final
{
public:
    static constexpr int kCells = 42;

    // Validation results.
    enum Result : int
    {
        Valid = 0,
        BadCell = -1,     // cell index outside 0..41
        BadYear = -2,     // year outside 1970..2031
        BadMonth = -3,    // month outside 1..12
        BadDay = -4,      // day outside the month
        BadFirstDay = -5, // first day of week outside 0..6
        BadWeek = -6,     // week number outside the year
    };
    enum CellKind : int
    {
        PreviousMonth = -1,
        ThisMonth = 0,
        NextMonth = 1,
        OutOfRange = -2
    };

    struct Cell
    {
        int day = 0;     // 1..31
        int weekday = 0; // 0 = Sunday
        int kind = OutOfRange;
    };

    static constexpr int kFirstYear = 1970;
    static constexpr int kLastYear = 2031;

    // Builds the grid of a month. Answers Valid, or a validation result and keeps the old grid.
    int Build(int year, int month, int firstDayOfWeek);
    // The same; answers the cell index of the given day of that month.
    int Build(int year, int month, int day, int firstDayOfWeek);

    int GetYear() const { return m_year; }
    int GetMonth() const { return m_month; }
    int GetFirstDayOfWeek() const { return m_firstDayOfWeek; }
    // Index of the cell of the 1st (0..6).
    int GetFirstCell() const { return m_firstCell; }
    int GetDaysInMonth() const { return m_daysInMonth; }
    // Cells before this date are outside the range (kind -2); 1970-01-02 unless set.
    const QDate& GetEarliestDate() const { return m_earliest; }
    void SetEarliestDate(const QDate& date) { m_earliest = date; }

    // Valid with the cell, or BadCell.
    int GetCell(int index, Cell& cell) const;
    // The cell's date from its day and kind (also for cells of kind -2); invalid for a bad index.
    QDate GetCellDate(int index) const;
    // The cell of a date, or BadCell when the grid does not show it.
    int FindDate(const QDate& date) const;
    // The week number of a cell's date; BadCell for a bad index.
    int GetWeekNumber(int index, int* weekYear = nullptr) const;

    static int DaysInMonth(int year, int month);
    // Valid or the first failing result, checked in the order year, month, day, first day of week.
    static int Validate(int year, int month, int day, int firstDayOfWeek);

    // Week numbers: weeks begin on the first day of week and belong to the year that holds their
    // Thursday. weekYear receives that year.
    static int WeekNumber(const QDate& date, int firstDayOfWeek, int* weekYear = nullptr);
    // The first day of a week of a year. Week 1 is answered with 1 January (its first days may
    // lie in December). BadWeek when the week is below 1 or does not belong to the year.
    static int WeekFirstDay(int year, int week, int firstDayOfWeek, int* month, int* day);

    // Steps a schedule date by whole days. The step runs on 22:00 local time of the day, so a
    // daylight-saving change cannot skip or repeat a day. Answers local midnight of the new day,
    // or the date unchanged when the new day lies outside 1970-01-02..2031-12-31.
    static TavTime StepDays(TavTime current, int days);

private:
    int m_year = 0;
    int m_month = 0;
    int m_firstDayOfWeek = 0;
    int m_firstCell = 0;
    int m_daysInMonth = 0;
    QDate m_earliest = CTavDbTime::firstDate();
    std::array<Cell, kCells> m_cells{};
};
