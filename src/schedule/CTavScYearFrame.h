#pragma once

#include "CTavScFrameBase.h"

class CTavScYearDoc;
class CTavScYearView;
class QAction;
class QLabel;
class QToolButton;

// The year window: one view, no side panes. Its top bar steps the year; its own command is the
// discard of old events.
class CTavScYearFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScYearFrame(CTavScYearDoc* document, QWidget* parent = nullptr);

    CTavScYearView* View() const { return m_view; }
    QAction* DiscardAction() const { return m_discard; }
    QToolButton* PreviousYearButton() const { return m_previous; }
    QToolButton* NextYearButton() const { return m_next; }
    QToolButton* ThisYearButton() const { return m_thisYear; }
    QLabel* YearLabel() const { return m_yearLabel; }

    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;

private:
    CTavScYearDoc* m_document;
    CTavScYearView* m_view;
    QAction* m_discard;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_thisYear;
    QLabel* m_yearLabel;
};
