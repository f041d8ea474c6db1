#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "CTavDbPcRecord.h"
#include "CTavDbSortCond.h"

class CTavDbStoreBase;

// The order of a store's records: the position keys that keep the store order in the file
// with room between neighbours, and the filtered, sorted view the lists show with its filters
// and sort condition.
class CTavDbStoreOrder
{
public:
    using Records = std::vector<std::unique_ptr<CTavDbPcRecord>>;
    // Room left between the keys of neighbouring records, so that a moved record usually needs
    // a new key of its own only.
    static constexpr int64_t kSeqGap = 1024;

    // Gives the record just inserted at position a key between its neighbours; false when they
    // leave no room and the whole order must be numbered again.
    static bool KeyInserted(Records& records, int position);
    // Moves the records [from, from + count) before the record at to (the end when to is the
    // count) and gives them keys between their new neighbours. Returns where the range now
    // begins, or -1 when nothing moves; *renumber tells that the neighbours left no room.
    static int MoveRange(Records& records, int from, int count, int to, bool* renumber);
    // Gives the records [start, start + count) keys spread between their neighbours; false when
    // the neighbours leave no room.
    static bool SpreadKeys(Records& records, int start, int count);
    // Whether the keys of [start, start + count) rise strictly, between their neighbours'.
    static bool KeysFit(const Records& records, int start, int count);
    // Keys 0, kSeqGap, 2 * kSeqGap, ... in the current order.
    static void Renumber(const Records& records);
    static int PositionOf(const Records& records, const CTavDbPcRecord* record);

    // The records a store lists, in list order, built again after Invalidate().
    const std::vector<CTavDbPcRecord*>& View(const CTavDbStoreBase& store) const;
    int IndexOf(const CTavDbStoreBase& store, const CTavDbPcRecord* record) const;
    void Invalidate() { m_valid = false; }

    // Filters: 99 shows every category; private mode 2 leaves private records out.
    uint32_t CategoryFilter() const { return m_categoryFilter; }
    void SetCategoryFilter(uint32_t categoryId);
    int PrivateMode() const { return m_privateMode; }
    void SetPrivateMode(int mode);
    const CTavDbSortCond& SortCond() const { return m_sortCond; }
    void SetSortCond(const CTavDbSortCond& cond);
    // Not deleted and not hidden by the private mode; the category filter aside.
    bool IsVisible(const CTavDbPcRecord& record) const;
    bool PassesFilters(const CTavDbPcRecord& record) const;

private:
    uint32_t m_categoryFilter = CTavDbPcRecord::kAllCategories;
    int m_privateMode = 0;
    CTavDbSortCond m_sortCond;
    mutable std::vector<CTavDbPcRecord*> m_view;
    mutable bool m_valid = false;
};
