#pragma once

#include "CTavScFrameBase.h"

class CTavScEventDoc;
class QAction;
class QLabel;
class QToolButton;

// What the day, week and month windows share: the event commands and their menus, the
// calendar, today and new-event buttons, and the stepping row with its title above the view.
class CTavScEventFrame : public CTavScFrameBase
{
    Q_OBJECT
public:
    CTavScEventFrame(CTavScEventDoc* document, int slot, int view, QWidget* parent = nullptr);

    QAction* NewAction() const { return m_new; }
    QAction* EditAction() const { return m_edit; }
    QAction* DeleteAction() const { return m_delete; }
    QAction* DiscardAction() const { return m_discard; }
    QToolButton* CalendarButton() const { return m_calendar; }
    QToolButton* TodayButton() const { return m_today; }
    QToolButton* PreviousButton() const { return m_previous; }
    QToolButton* NextButton() const { return m_next; }
    QLabel* TitleLabel() const { return m_title; }

    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;

protected:
    // The distance the stepping buttons go, for their names and tips: "Day" with "日", ...
    struct Step
    {
        QString name;
        QString unit;
    };
    // Puts the stepping row and the title above the view, the right pane beside them; the
    // event commands act with the view as their owner.
    void CreateEventPanes(QWidget* view, QWidget* right, const Step& step);

private:
    CTavScEventDoc* m_document;
    QWidget* m_view = nullptr;
    QAction* m_new;
    QAction* m_edit;
    QAction* m_delete;
    QAction* m_discard;
    QToolButton* m_calendar;
    QToolButton* m_today;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QLabel* m_title = nullptr;
};
