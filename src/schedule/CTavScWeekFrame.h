#pragma once

#include "CTavScFrameBase.h"

class CTavScWeekDoc;
class CTavScWeekLeftView;
class CTavScWeekRightView;
class QAction;
class QLabel;
class QToolButton;

class CTavScWeekFrame final : public CTavScFrameBase
{
    Q_OBJECT
public:
    explicit CTavScWeekFrame(CTavScWeekDoc* document, QWidget* parent = nullptr);

    CTavScWeekLeftView* View() const { return m_view; }
    CTavScWeekRightView* RightView() const { return m_right; }
    QAction* NewAction() const { return m_new; }
    QAction* EditAction() const { return m_edit; }
    QAction* DeleteAction() const { return m_delete; }
    QAction* DiscardAction() const { return m_discard; }
    QToolButton* CalendarButton() const { return m_calendar; }
    QToolButton* TodayButton() const { return m_today; }
    QToolButton* PreviousButton() const { return m_previous; }
    QToolButton* NextButton() const { return m_next; }
    QLabel* TitleLabel() const { return m_titleLabel; }

    // The week's title: its year and month in the handheld's week format, its days and number.
    static QString WeekTitle(const QString& handheldFormat, const QDate& first, const QDate& last, int week);

    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;

private:
    QWidget* MakeLeftPane();

    CTavScWeekDoc* m_document;
    CTavScWeekLeftView* m_view = nullptr;
    CTavScWeekRightView* m_right = nullptr;
    QAction* m_new;
    QAction* m_edit;
    QAction* m_delete;
    QAction* m_discard;
    QToolButton* m_calendar = nullptr;
    QToolButton* m_today = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QLabel* m_titleLabel = nullptr;
};
