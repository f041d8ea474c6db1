#pragma once

#include <QString>
#include <cstdint>

// One column of a module list: the module's cell kind, its width, a display option the module
// gives a meaning to (the date columns of the memo pad: show the time too), whether it is
// shown, and its header title.
struct CTavListColumn
{
    int32_t kind = 0;
    int32_t width = 0;
    int32_t option = 0;
    bool shown = true;
    QString title;

    bool operator==(const CTavListColumn&) const = default;
};
