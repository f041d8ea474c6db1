#pragma once

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "CTavScMonthPainter.h"

class CTavScMonthDoc;

// The month calendar: the current month's days with their events. A click picks a day (and the
// event written there), a double click or Enter opens the day window, the arrows move the day
// and Page Up and Page Down the month.
class CTavScMonthLeftView final : public QWidget
{
    Q_OBJECT
public:
    explicit CTavScMonthLeftView(CTavScMonthDoc* document, QWidget* parent = nullptr);

    const CTavScMonthPainter& Painter() const { return m_painter; }
    // The context menu last opened (it is shown without a modal loop).
    QMenu* ContextMenu() const { return m_menu; }
    // The month font size of the handheld's preferences, in the month's face.
    void UpdateFont();
    // The drawing as the window shows it.
    CTavScMonthScene Scene() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Goes to the day of the cell under the point (the month of a cell outside this one) and
    // selects the event written there; false off the days.
    bool SelectAt(const QPoint& point);
    void OpenDay(int module);

    CTavScMonthDoc* m_document;
    CTavScMonthPainter m_painter;
    QPointer<QMenu> m_menu;
    // The day the last press picked: the grid under the pointer may have turned to its month.
    QDate m_pressedDay;
    int m_fontId = -1;
};
