#pragma once

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <array>

#include "CTavScMonthDoc.h"

class CTavDbDate;
class CTavScDayStyle;
class QPainter;

// What one drawing of the month calendar shows.
struct CTavScMonthScene
{
    const CTavScCalendarGrid* grid = nullptr;
    const CTavScMonthDoc::Cells* events = nullptr;
    CTavDbDate* store = nullptr;
    CTavScDayStyle* style = nullptr;
    int privateMode = 0;
    QDate selected;
    QDate today;
    const CTavDbDateRecord* selectedEvent = nullptr;
};

// The month calendar's layout and drawing: a row of weekday names, then 6 weeks of 7 cells,
// each with its day number, holiday name and six-day label on the first line and one event a
// line below. A cell that cannot hold all of its events keeps its last line for a count of the
// rest. The month window draws with it, and so can a benchmark without a window.
class CTavScMonthPainter final
{
public:
    static constexpr int kMinLineHeight = 16;
    // Narrower cells have no room for the count of hidden events.
    static constexpr int kMarkMinWidth = 42;

    CTavScMonthPainter();

    // The first installed face of the month's preference list.
    static QString FontFace();
    // The point size of one of the handheld's font ids (its month font preference).
    static int PointSize(int handheldFontId);
    void SetFont(const QFont& font);
    const QFont& Font() const { return m_font; }

    // Lays the calendar out in the area.
    void SetArea(const QRect& area);
    const QRect& Area() const { return m_area; }
    const QRect& HeaderRect() const { return m_header; }
    QRect CellRect(int cell) const { return m_cells[static_cast<size_t>(cell)]; }
    int LineHeight() const { return m_line; }
    // The cell under a point, or -1.
    int CellAt(const QPoint& point) const;
    // How many of a cell's events are written out; the rest are counted by the mark.
    int ShownEvents(int cell, int count) const;
    // The line of a cell's n-th event (0-based).
    QRect EventRect(int cell, int line) const;
    // The index of the event written at the point (of count in the cell), or -1.
    int EventAt(int cell, const QPoint& point, int count) const;
    static QString MoreText(int hidden);
    // "9:00 会議"; an untimed event is its description alone.
    static QString LineText(const CTavDbDateRecord& record);

    void Paint(QPainter& painter, const CTavScMonthScene& scene) const;

private:
    int EventLines(int cell) const;
    void PaintHeader(QPainter& painter, const CTavScMonthScene& scene) const;
    void PaintCell(QPainter& painter, const CTavScMonthScene& scene, int cell) const;
    void PaintEvent(QPainter& painter, const CTavScMonthScene& scene, const CTavDbDateRecord& record,
                    const QRect& line) const;

    QFont m_font;
    QFont m_bold;
    QFont m_small;
    QFontMetrics m_metrics;
    QFontMetrics m_smallMetrics;
    QRect m_area;
    QRect m_header;
    std::array<QRect, CTavScCalendarGrid::kCells> m_cells{};
    int m_line = kMinLineHeight;
};
