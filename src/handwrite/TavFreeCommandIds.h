#pragma once

// Command ids of the handwritten memo's menus, buttons and list.
namespace TavFreeCmd {
constexpr int NewSheet = 32820;
constexpr int EditSheet = 32821;
constexpr int Delete = 32793;
constexpr int SelectAll = 57642;
constexpr int SortFirst = 32886; // 32886-32895: sort keys 0-9
constexpr int Categories = 32800;
constexpr int Columns = 32881;
constexpr int Import = 32818;
constexpr int Export = 32819;
constexpr int OpenBackupFolder = 32778;
constexpr int OpenCurrentFolder = 32779;
constexpr int Restore = 32788;
constexpr int MoveToCategoryFirst = 999; // + position among the named categories
} // namespace TavFreeCmd

// Control ids of the handwritten memo's bars.
namespace TavFreeCtl {
constexpr int CategoryBox = 1000;
constexpr int SortBox = 1001;
constexpr int NewButton = 1000;
constexpr int EditButton = 1001;
constexpr int DeleteButton = 1002;
constexpr int HomePageButton = 1004;
} // namespace TavFreeCtl
