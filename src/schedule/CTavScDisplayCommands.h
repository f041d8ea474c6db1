#pragma once

#include <QHash>
#include <QObject>

#include "CTavModuleFrame.h"

class CTavScFrameBase;
class QAction;
class QMenu;
class ScheduleState;

// The display commands every schedule window has: the holiday and six-day label toggles (with
// their check marks), the holiday list, the day and weekday colours and the preferences.
class CTavScDisplayCommands final : public QObject
{
    Q_OBJECT
public:
    enum Command
    {
        ShowHolidays = 32950,
        ShowSixDay,
        HolidayList,
        DayColor,
        WeekdayColors,
        Preferences
    };

    explicit CTavScDisplayCommands(CTavScFrameBase& frame);

    QAction* Action(Command id) const { return m_actions.value(id); }
    void FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target);
    void UpdateCommandUI();

private:
    ScheduleState& State() const;
    QAction* Add(Command id, const QString& text, void (CTavScDisplayCommands::*run)());
    void ToggleHolidays();
    void ToggleSixDay();
    void OpenHolidayList();
    void OpenDayColor();
    void OpenWeekdayColors();
    void OpenPreferences();

    CTavScFrameBase& m_frame;
    QHash<int, QAction*> m_actions;
};
