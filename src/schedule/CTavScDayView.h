#pragma once

#include "CTavScGridView.h"

class CTavScDayDoc;
class QToolButton;

// The day's time grid: one column of the current day's events, filled from the store on every
// update, with the mouse and key commands of the day window.
class CTavScDayView final : public CTavScGridView
{
    Q_OBJECT
public:
    explicit CTavScDayView(CTavScDayDoc* document, QWidget* parent = nullptr);

    void UpdateKiroView() override;
    void OnSize(int cx, int cy) override;
    static QString DayTitle(const QDate& date);
    // The marks on the grid's top and bottom edges that count the events beginning out of sight
    // ("▲ 2件"); hidden while there are none. A click scrolls to the earliest of them.
    QToolButton* AboveMark() const { return m_marks[kAbove]; }
    QToolButton* BelowMark() const { return m_marks[kBelow]; }

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateHiddenMarks();

    enum
    {
        kAbove,
        kBelow
    };

    CTavScDayDoc* m_document;
    int m_lastStartTime = -1;
    QToolButton* m_marks[2] = {};
    int m_hiddenStart[2] = {-1, -1}; // earliest start, in seconds, of the events out of sight
};
