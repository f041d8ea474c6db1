#include "CTavFreeSheetSort.h"

#include <algorithm>

namespace {
template <class T> int compare(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareByKey(const CTavFreeSheetEntry& a, const CTavFreeSheetEntry& b, int field)
{
    switch (field) {
    case 0:
        return compare(a.eventTime, b.eventTime);
    case 1:
        return compare(a.created, b.created);
    case 2:
        return compare(a.modified, b.modified);
    case 3:
        return compare(a.titleKey, b.titleKey);
    default:
        return compare(a.fileSize, b.fileSize);
    }
}
} // namespace

bool CTavFreeSheetSort::After(const CTavFreeSheetEntry& a, const CTavFreeSheetEntry& b, int key)
{
    const int order = compareByKey(a, b, std::clamp(key, 0, kKeyCount - 1) / 2);
    if (order == 0)
        return a.scanIndex > b.scanIndex;
    return key % 2 == 0 ? order > 0 : order < 0;
}

void CTavFreeSheetSort::Sort(std::vector<CTavFreeSheetEntry>& entries, int key)
{
    std::sort(entries.begin(), entries.end(),
              [key](const CTavFreeSheetEntry& a, const CTavFreeSheetEntry& b) { return After(b, a, key); });
}
