#include "CTavScDisplayCommands.h"

#include <QAction>
#include <QMenu>

#include "CTavApp.h"
#include "CTavModuleDoc.h"
#include "CTavScDayColorDlg.h"
#include "CTavScFrameBase.h"
#include "CTavScHolidayDlg.h"
#include "CTavScPrefsDlg.h"
#include "CTavScWeekColorDlg.h"
#include "ScheduleState.h"

CTavScDisplayCommands::CTavScDisplayCommands(CTavScFrameBase& frame) : QObject(&frame), m_frame(frame)
{
    Add(ShowHolidays, QStringLiteral("休日を表示する(&H)"), &CTavScDisplayCommands::ToggleHolidays)
        ->setCheckable(true);
    Add(ShowSixDay, QStringLiteral("六曜を表示する(&S)"), &CTavScDisplayCommands::ToggleSixDay)
        ->setCheckable(true);
    Add(HolidayList, QStringLiteral("休日一覧(&L)..."), &CTavScDisplayCommands::OpenHolidayList);
    Add(DayColor, QStringLiteral("日の色指定(&D)..."), &CTavScDisplayCommands::OpenDayColor);
    Add(WeekdayColors, QStringLiteral("曜日の色指定(&W)..."), &CTavScDisplayCommands::OpenWeekdayColors);
    Add(Preferences, QStringLiteral("環境設定(&S)..."), &CTavScDisplayCommands::OpenPreferences);
}

QAction* CTavScDisplayCommands::Add(Command id, const QString& text, void (CTavScDisplayCommands::*run)())
{
    auto* action = new QAction(text, &m_frame);
    action->setData(static_cast<int>(id));
    connect(action, &QAction::triggered, this, [this, run] {
        (this->*run)();
        UpdateCommandUI();
    });
    m_actions.insert(id, action);
    return action;
}

ScheduleState& CTavScDisplayCommands::State() const
{
    return ScheduleState::Of(m_frame.Document()->App());
}

void CTavScDisplayCommands::FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target)
{
    if (menu != CTavModuleFrame::ToolsMenu)
        return;
    UpdateCommandUI();
    target->addActions({Action(ShowHolidays), Action(ShowSixDay)});
    target->addSeparator();
    target->addActions({Action(HolidayList), Action(DayColor), Action(WeekdayColors)});
    target->addSeparator();
    target->addAction(Action(Preferences));
}

void CTavScDisplayCommands::UpdateCommandUI()
{
    const CTavScDayStyle& style = State().DayStyle();
    Action(ShowHolidays)->setChecked(style.ShowHolidays());
    Action(ShowSixDay)->setChecked(style.ShowSixDay());
}

void CTavScDisplayCommands::ToggleHolidays()
{
    ScheduleState& state = State();
    state.DayStyle().SetShowHolidays(!state.DayStyle().ShowHolidays());
    emit state.changed();
}

void CTavScDisplayCommands::ToggleSixDay()
{
    ScheduleState& state = State();
    state.DayStyle().SetShowSixDay(!state.DayStyle().ShowSixDay());
    emit state.changed();
}

void CTavScDisplayCommands::OpenHolidayList()
{
    CTavScHolidayDlg dialog(State(), &m_frame);
    State().RunModal(dialog);
}

void CTavScDisplayCommands::OpenDayColor()
{
    ScheduleState& state = State();
    CTavScDayColorDlg dialog(state, state.CurrentDay(), &m_frame);
    if (state.RunModal(dialog) != QDialog::Accepted)
        return;
    const bool done = state.Step(QStringLiteral("日の色の指定"), [&] {
        return CTavScDayStyle::WriteOwnColor(state.Store(), dialog.Date(), dialog.IsSet(), dialog.Color()) ==
               TavStatusCode::Ok;
    });
    emit state.changed();
    if (!done)
        state.App().ShowMessage(
            &m_frame,
            QStringLiteral("%1 の色を指定できませんでした。").arg(dialog.Date().toString(u"yyyy/MM/dd")),
            QString(), TavMsg::IconExclamation);
}

void CTavScDisplayCommands::OpenWeekdayColors()
{
    CTavScWeekColorDlg dialog(State(), &m_frame);
    State().RunModal(dialog);
}

void CTavScDisplayCommands::OpenPreferences()
{
    CTavScPrefsDlg dialog(State(), &m_frame);
    State().RunModal(dialog);
}
