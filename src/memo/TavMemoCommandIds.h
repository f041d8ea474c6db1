#pragma once

// Command ids of the memo pad's menus, buttons and list.
namespace TavMemoCmd {
constexpr int NewMemo = 32844;
constexpr int EditMemo = 32845;
constexpr int Delete = 32793;
constexpr int Categories = 32800;
constexpr int Import = 32846;
constexpr int Export = 32847;
constexpr int SortSyllabary = 32842;
constexpr int SortHandheld = 32843;
constexpr int Columns = 32881;
constexpr int Cut = 57635;
constexpr int Copy = 57634;
constexpr int Paste = 57637;
constexpr int SelectAll = 57642;
constexpr int OpenCurrentFile = 32779;
constexpr int OpenBackupFile = 32778;
constexpr int Restore = 32788;
} // namespace TavMemoCmd

// Control ids of the memo pad's bars.
namespace TavMemoCtl {
constexpr int NewButton = 1020;
constexpr int EditButton = 1021;
constexpr int DeleteButton = 1128;
constexpr int CategoryBox = 1033;
constexpr int SortBox = 1034;
constexpr int DeleteBackupBox = 1075; // in the delete dialog
} // namespace TavMemoCtl
