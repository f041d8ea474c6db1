#pragma once

// What a content on the card or the PC is: the number the contents list keeps for each row and
// the chooser returns.
enum class TavContentKind
{
    None = -1,
    Picture = 0,
    Sound = 1,
    Movie = 2,
    Sheet = 3,
};
