#pragma once

// Commands and controls of the reference window.
namespace TavReferCmd {
constexpr int View = 32848;
constexpr int Delete = 32793;
constexpr int SortAscending = 32883;
constexpr int SortDescending = 32884;
} // namespace TavReferCmd

namespace TavReferCtl {
constexpr int SortBox = 1160;
constexpr int ViewButton = 1161;
constexpr int DeleteButton = 1162;
} // namespace TavReferCtl
