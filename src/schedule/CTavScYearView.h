#pragma once

#include <QDate>
#include <QWidget>

#include "CTavScYearLayout.h"

class CTavScYearDoc;

// The year window's one view: the twelve months of the shown year with week numbers, day
// colours, holidays (named in the tool tip) and a dot under days that have events. A click
// selects a day, a double click or Enter opens it in the day window; arrow keys move the
// selection, PageUp and PageDown (and the wheel) step by a year.
class CTavScYearView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavScYearView(CTavScYearDoc* document, QWidget* parent = nullptr);

    CTavScYearLayout Layout() const { return CTavScYearLayout(rect()); }
    // The day of the shown year at a point of the view; invalid between the days.
    QDate DateAt(const QPoint& point) const;
    // Where a day of the shown year is drawn; empty for other days.
    QRect DayRect(const QDate& date) const;
    // The date, its holiday and six-day label and its number of events.
    QString ToolTipText(const QDate& date) const;
    // Paints the months into area; the view's own paint and the benchmark both use it.
    void Draw(QPainter& painter, const QRect& area) const;

    QSize sizeHint() const override { return QSize(960, 640); }
    QSize minimumSizeHint() const override { return QSize(420, 320); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Fonts;
    void DrawMonth(QPainter& painter, const CTavScYearLayout& layout, int month, const Fonts& fonts) const;

    CTavScYearDoc* m_document;
    int m_wheel = 0;
};
