#pragma once

#include "CTavScFrameBase.h"

class CTavScMonthDoc;
class CTavScMonthLeftView;
class CTavScMonthRightView;
class QAction;
class QLabel;
class QToolButton;

class CTavScMonthFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScMonthFrame(CTavScMonthDoc* document, QWidget* parent = nullptr);

    CTavScMonthLeftView* View() const { return m_view; }
    CTavScMonthRightView* Preview() const { return m_preview; }
    QAction* NewAction() const { return m_new; }
    QAction* EditAction() const { return m_edit; }
    QAction* DeleteAction() const { return m_delete; }
    QAction* DiscardAction() const { return m_discard; }
    QToolButton* CalendarButton() const { return m_calendar; }
    QToolButton* TodayButton() const { return m_today; }
    QToolButton* PreviousButton() const { return m_previous; }
    QToolButton* NextButton() const { return m_next; }
    QString MonthTitle() const;

    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;

private:
    QWidget* MakeLeftPane();

    CTavScMonthDoc* m_document;
    CTavScMonthLeftView* m_view = nullptr;
    CTavScMonthRightView* m_preview = nullptr;
    QAction* m_new;
    QAction* m_edit;
    QAction* m_delete;
    QAction* m_discard;
    QToolButton* m_calendar = nullptr;
    QToolButton* m_today = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QLabel* m_title = nullptr;
};
