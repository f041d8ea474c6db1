#pragma once

// Command ids of the menus, tool bars and launcher buttons. The numbers stay those of the
// handheld organizer family so that module code and help topics can refer to them.
namespace TavCmd {
constexpr int ViewSchedule = 32771;
constexpr int ViewTodo = 32772;
constexpr int ViewAddress = 32773;
constexpr int ViewFreeMemo = 32774;
constexpr int ViewMemoPad = 32775;
constexpr int ViewReference = 32776;
constexpr int PrivateShow = 32780;
constexpr int PrivateMask = 32781;
constexpr int PrivateHide = 32782;
constexpr int PrivateDropDown = 32885;
constexpr int SaveAll = 32787;
constexpr int Users = 32801;
constexpr int Options = 32802;
constexpr int DataMigration = 32899;
constexpr int HotSyncOperation = 32809;
constexpr int HotSyncLog = 32807;
constexpr int HotSyncConnection = 32806;
constexpr int InstallTool = 32811;
constexpr int About = 57664;
constexpr int Help = 32812;
constexpr int HomePage = 32813;
constexpr int StylePage = 32882;
constexpr int ToolBarToggle = 59392;
constexpr int StatusBarToggle = 59393;
constexpr int AppExit = 57665;
constexpr int DatePane = 59143;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
} // namespace TavCmd

// Module numbers: what currentModule holds, and what SwitchModule takes.
namespace TavModule {
constexpr int None = 0;
constexpr int Schedule = 1;
constexpr int Address = 2;
constexpr int Todo = 3;
constexpr int FreeMemo = 4;
constexpr int MemoPad = 5;
constexpr int Reference = 6;
constexpr int Day = 7;
constexpr int Week = 8;
constexpr int Month = 9;
constexpr int Year = 10;
} // namespace TavModule

// Slots of the application's documents and frames.
namespace TavSlot {
constexpr int Day = 0;
constexpr int Week = 1;
constexpr int Month = 2;
constexpr int Year = 3;
constexpr int Address = 4;
constexpr int Todo = 5;
constexpr int FreeMemo = 6;
constexpr int MemoPad = 7;
constexpr int Reference = 8;
constexpr int Count = 9;
} // namespace TavSlot

// Message box types and answers, with the values of the platform's message boxes.
namespace TavMsg {
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNoCancel = 0x3;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconStop = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconExclamation = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr unsigned DefButton2 = 0x100;
constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
} // namespace TavMsg
