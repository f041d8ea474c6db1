#pragma once

// Command ids of the To Do outline's menus, buttons, list and pop-ups.
namespace TavTodoCmd {
constexpr int NewTask = 32816;
constexpr int EditTask = 32817;
constexpr int Delete = 32793;
constexpr int Categories = 32800;
constexpr int Prefs = 32803;
constexpr int Purge = 32839;
constexpr int Import = 32814;
constexpr int Export = 32815;
constexpr int OpenCurrentFile = 32779;
constexpr int OpenBackupFile = 32778;
constexpr int Restore = 32788;
constexpr int Copy = 57634;
constexpr int Paste = 57637;
constexpr int SelectAll = 57642;
constexpr int ContextNew = 901;
constexpr int ContextEdit = 902;
constexpr int ContextDelete = 903;
constexpr int ContextNewTask = 32850;
constexpr int ContextCopy = 32853;
constexpr int ContextPaste = 32854;
constexpr int ContextSelectAll = 32855;
constexpr int FirstCategory = 920; // 920 + i, at most 15
constexpr int FirstPriority = 950; // 950 + priority - 1
constexpr int FirstDue = 970;      // 970-975
constexpr int MaxCategoryEntries = 15;
} // namespace TavTodoCmd

// Control ids of the To Do outline's bars, list and delete dialog.
namespace TavTodoCtl {
constexpr int CategoryBox = 1033;
constexpr int PriorityBox = 1034;
constexpr int ShowBefore = 1151;
constexpr int ShowActive = 1152;
constexpr int ShowDelayed = 1153;
constexpr int NewButton = 1064;
constexpr int EditButton = 1065;
constexpr int DeleteButton = 1066;
constexpr int DetailToggle = 1063;
constexpr int MoveUp = 1171;
constexpr int MoveDown = 1172;
constexpr int LevelUp = 1173;
constexpr int LevelDown = 1174;
constexpr int Header = 194;
constexpr int DeleteChildBox = 1008;  // in the delete dialog
constexpr int DeleteBackupBox = 1073; // in the delete dialog
} // namespace TavTodoCtl
