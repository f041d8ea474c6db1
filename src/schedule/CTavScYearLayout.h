#pragma once

#include <QPoint>
#include <QRect>

// Where the year window puts its twelve month calendars: four across and three down, or three
// across and four down when that gives the days more room. Each month has a title row, a row of
// weekday names and six week rows; a narrow column on the left holds the week numbers.
class CTavScYearLayout final
{
public:
    static constexpr int kMonths = 12;
    static constexpr int kWeekRows = 6;

    explicit CTavScYearLayout(const QRect& area);

    int Columns() const { return m_columns; }
    int Rows() const { return kMonths / m_columns; }
    int CellWidth() const { return m_cellWidth; }
    int RowHeight() const { return m_rowHeight; }

    // month: 1..12; cell: 0..41 of the month's grid; row: 0..5.
    QRect MonthRect(int month) const;
    QRect TitleRect(int month) const;
    QRect WeekdayRect(int month, int column) const;
    QRect WeekNumberRect(int month, int row) const;
    QRect CellRect(int month, int cell) const;
    // The month and cell under a point; false outside every cell.
    bool HitTest(const QPoint& point, int* month, int* cell) const;

private:
    QPoint Origin(int month) const;

    QRect m_area;
    int m_columns = 4;
    int m_gap = 8;
    int m_cellWidth = 0;
    int m_rowHeight = 0;
    int m_weekWidth = 0;
    int m_titleHeight = 0;
    int m_slotWidth = 0;
    int m_slotHeight = 0;
};
