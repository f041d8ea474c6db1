#include "CTavDbStoreOrder.h"

#include <algorithm>
#include <limits>

#include "CTavDbStoreBase.h"

bool CTavDbStoreOrder::KeyInserted(Records& records, int position)
{
    CTavDbPcRecord* rec = records[position].get();
    if (position + 1 == static_cast<int>(records.size())) {
        rec->m_storeSeq = position == 0 ? 0 : records[position - 1]->m_storeSeq + kSeqGap;
        return true;
    }
    const int64_t after = records[position + 1]->m_storeSeq;
    const int64_t before = position > 0 ? records[position - 1]->m_storeSeq : after - 2 * kSeqGap;
    if (after - before <= 1)
        return false;
    rec->m_storeSeq = before + (after - before) / 2;
    return true;
}

int CTavDbStoreOrder::MoveRange(Records& records, int from, int count, int to, bool* renumber)
{
    const int size = static_cast<int>(records.size());
    if (count <= 0 || from < 0 || from + count > size || to < 0 || to > size ||
        (to >= from && to <= from + count))
        return -1;
    const auto first = records.begin() + from;
    const auto last = first + count;
    int start = to; // where the range begins after the move
    if (to < from) {
        std::rotate(records.begin() + to, first, last);
    } else {
        std::rotate(first, last, records.begin() + to);
        start = to - count;
    }
    *renumber = !SpreadKeys(records, start, count);
    return start;
}

bool CTavDbStoreOrder::SpreadKeys(Records& records, int start, int count)
{
    // New keys between the neighbours; a full renumbering only when they are too close.
    const int size = static_cast<int>(records.size());
    const bool hasBefore = start > 0;
    const bool hasAfter = start + count < size;
    const int64_t before = hasBefore ? records[start - 1]->m_storeSeq : 0;
    const int64_t after = hasAfter ? records[start + count]->m_storeSeq : 0;
    if (hasBefore && hasAfter && after - before <= count)
        return false;
    for (int i = 0; i < count; ++i) {
        CTavDbPcRecord* rec = records[start + i].get();
        if (hasBefore && hasAfter)
            rec->m_storeSeq = before + (after - before) * (i + 1) / (count + 1);
        else if (hasBefore)
            rec->m_storeSeq = before + kSeqGap * (i + 1);
        else if (hasAfter)
            rec->m_storeSeq = after - kSeqGap * (count - i);
        else
            rec->m_storeSeq = kSeqGap * i;
    }
    return true;
}

bool CTavDbStoreOrder::KeysFit(const Records& records, int start, int count)
{
    const int end = start + count;
    int64_t last = start > 0 ? records[start - 1]->m_storeSeq : std::numeric_limits<int64_t>::min();
    for (int i = start; i < end; ++i) {
        if (records[i]->m_storeSeq <= last)
            return false;
        last = records[i]->m_storeSeq;
    }
    return end >= static_cast<int>(records.size()) || last < records[end]->m_storeSeq;
}

void CTavDbStoreOrder::Renumber(const Records& records)
{
    int64_t seq = 0;
    for (const auto& rec : records) {
        rec->m_storeSeq = seq;
        seq += kSeqGap;
    }
}

int CTavDbStoreOrder::PositionOf(const Records& records, const CTavDbPcRecord* record)
{
    // Compare pointers: the scan then never touches the records themselves.
    if (!record)
        return -1;
    const auto it =
        std::find_if(records.begin(), records.end(), [record](const auto& r) { return r.get() == record; });
    return it == records.end() ? -1 : static_cast<int>(it - records.begin());
}

const std::vector<CTavDbPcRecord*>& CTavDbStoreOrder::View(const CTavDbStoreBase& store) const
{
    if (m_valid)
        return m_view;
    m_view.clear();
    m_view.reserve(store.m_records.size());
    for (const auto& rec : store.m_records)
        if (store.PassesFilters(*rec))
            m_view.push_back(rec.get());
    store.FilterView(m_view);
    if (store.UsesSortOrder())
        store.SortView(m_view);
    m_valid = true;
    return m_view;
}

int CTavDbStoreOrder::IndexOf(const CTavDbStoreBase& store, const CTavDbPcRecord* record) const
{
    const std::vector<CTavDbPcRecord*>& view = View(store);
    const auto it = record ? std::find(view.begin(), view.end(), record) : view.end();
    return it == view.end() ? -1 : static_cast<int>(it - view.begin());
}

void CTavDbStoreOrder::SetCategoryFilter(uint32_t categoryId)
{
    if (m_categoryFilter != categoryId) {
        m_categoryFilter = categoryId;
        m_valid = false;
    }
}

void CTavDbStoreOrder::SetPrivateMode(int mode)
{
    if (m_privateMode != mode) {
        m_privateMode = mode;
        m_valid = false;
    }
}

void CTavDbStoreOrder::SetSortCond(const CTavDbSortCond& cond)
{
    m_sortCond = cond;
    m_valid = false;
}

bool CTavDbStoreOrder::IsVisible(const CTavDbPcRecord& record) const
{
    return !record.IsDeleted() && !(m_privateMode == 2 && record.GetIsPrivate());
}

bool CTavDbStoreOrder::PassesFilters(const CTavDbPcRecord& record) const
{
    return IsVisible(record) &&
           (m_categoryFilter == CTavDbPcRecord::kAllCategories || record.GetCategoryID() == m_categoryFilter);
}
