#pragma once

#include <vector>

#include "CTavFreeSheetEntry.h"

// The orders of the sheet list, in the order of the sort menu: schedule date, created,
// updated, title (code page 932 bytes), size; each ascending then descending. Sheets with
// equal keys stay in scan order, whatever order the list had before.
class CTavFreeSheetSort final
{
public:
    static constexpr int kKeyCount = 10;

    static void Sort(std::vector<CTavFreeSheetEntry>& entries, int key);
    // Whether a comes after b under the key, ties broken by the scan order.
    static bool After(const CTavFreeSheetEntry& a, const CTavFreeSheetEntry& b, int key);
};
