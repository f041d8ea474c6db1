#pragma once

// Command ids of the address book's menus, buttons and list.
namespace TavAddrCmd {
constexpr int NewCard = 32794;
constexpr int EditCard = 32797;
constexpr int Delete = 32793;
constexpr int Mail = 32798;
constexpr int Categories = 32800;
constexpr int Prefs = 32803;
constexpr int Import = 32795;
constexpr int Export = 32796;
constexpr int ImportVCard = 32836;
constexpr int ExportVCard = 32837;
constexpr int SortName = 32827;
constexpr int SortCompany = 32828;
constexpr int Columns = 32881;
constexpr int Cut = 57635;
constexpr int Copy = 57634;
constexpr int Paste = 57637;
constexpr int SelectAll = 57642;
constexpr int OpenCurrentFile = 32779;
constexpr int OpenBackupFile = 32778;
constexpr int Restore = 32788;
constexpr int FirstTab = 170; // tabs 170-180
} // namespace TavAddrCmd

// Control ids of the address book's bars and list.
namespace TavAddrCtl {
constexpr int CategoryBox = 1015;
constexpr int SortBox = 1016;
constexpr int NewButton = 1017;
constexpr int EditButton = 1018;
constexpr int DeleteButton = 1019;
constexpr int SearchBox = 1009;
constexpr int DetailToggle = 1068;
constexpr int Header = 194;
constexpr int DeleteBackupBox = 1008; // in the delete dialog
} // namespace TavAddrCtl
