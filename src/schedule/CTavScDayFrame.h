#pragma once

#include "CTavScFrameBase.h"

class CTavScDayDoc;
class CTavScDayPreview;
class CTavScDayView;
class QAction;
class QLabel;
class QToolButton;

class CTavScDayFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScDayFrame(CTavScDayDoc* document, QWidget* parent = nullptr);

    CTavScDayView* View() const { return m_view; }
    CTavScDayPreview* Preview() const { return m_preview; }
    QAction* NewAction() const { return m_new; }
    QAction* EditAction() const { return m_edit; }
    QAction* DeleteAction() const { return m_delete; }
    QAction* DiscardAction() const { return m_discard; }
    QToolButton* CalendarButton() const { return m_calendar; }
    QToolButton* TodayButton() const { return m_today; }
    QToolButton* PreviousButton() const { return m_previous; }
    QToolButton* NextButton() const { return m_next; }

    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    // Goes to the event's next day from today (its first day when none is left) and selects it.
    bool ShowRecord(uint32_t uniqueId) override;

private:
    QWidget* MakeLeftPane();

    CTavScDayDoc* m_document;
    CTavScDayView* m_view = nullptr;
    CTavScDayPreview* m_preview = nullptr;
    QAction* m_new;
    QAction* m_edit;
    QAction* m_delete;
    QAction* m_discard;
    QToolButton* m_calendar = nullptr;
    QToolButton* m_today = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QLabel* m_dateLabel = nullptr;
};
