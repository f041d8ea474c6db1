#pragma once

#include <QDate>
#include <QImage>
#include <QList>
#include <QWidget>

#include "TavColorRef.h"

class CTavScWeekDoc;

// The week's events day by day, as the right pane lists them: a header line per day in the
// day's colour, then the day's events in time order with start time, icon, alarm mark and
// colour; private events masked while private records are.
class CTavScWeekEventList final : public QWidget
{
    Q_OBJECT
public:
    struct Line
    {
        QDate day;
        bool isDay = false;    // a day's header line, else one event of the day
        QString text;          // the day's title, or the event's description
        QString labels;        // day: six-day label and holiday name
        TavColorRef color = 0; // day: its colour; event: its own colour when hasColor
        bool hasColor = false;
        bool today = false;
        QString time; // empty for an untimed event
        bool alarm = false;
        bool masked = false;
        QImage icon;
        uint32_t id = 0; // event: its record
    };

    explicit CTavScWeekEventList(CTavScWeekDoc* document, QWidget* parent = nullptr);

    void Refresh();
    const QList<Line>& Lines() const { return m_lines; }
    // The line at a y of the widget; -1 for none.
    int LineAt(int y) const;
    QRect LineRect(int index) const;
    // Shown at the bottom right while the overlay is on; empty for none.
    void SetOverlay(const QString& text);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click goes to the line's day and selects its event; a double click edits it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int LineHeight() const;
    bool IsSelected(const Line& line) const;
    void Select(int index);
    void PaintDay(QPainter& p, const Line& line, const QRect& rect) const;
    void PaintEvent(QPainter& p, const Line& line, const QRect& rect) const;

    CTavScWeekDoc* m_document;
    QList<Line> m_lines;
    QString m_overlay;
};
