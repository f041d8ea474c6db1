#pragma once

#include <QString>
#include <cstdint>

#include "CTavDbTime.h"

// One listed memo, copied from its record when the list is rebuilt.
struct CTavMemoEntry
{
    uint32_t uniqueId = 0;
    QString text; // lines separated by line feeds, as stored
    TavTime created = 0;
    TavTime updated = 0;
    uint32_t categoryId = 0;
    int32_t isPrivate = 0;
};
