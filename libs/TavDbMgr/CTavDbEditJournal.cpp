#include "CTavDbEditJournal.h"

#include <algorithm>

CTavDbEditJournal::CTavDbEditJournal(const Records& records, const QList<CTavDbCategory>& categories,
                                     std::any extra, uint64_t generation)
    : m_categories(categories), m_extra(std::move(extra)), m_generation(generation)
{
    m_order.reserve(records.size());
    for (const auto& rec : records)
        m_order.push_back(rec->GetUniqueId());
}

void CTavDbEditJournal::Capture(uint32_t id, const CTavDbPcRecord* current)
{
    if (m_captured.contains(id))
        return;
    m_captured.insert(id, current ? std::shared_ptr<const CTavDbPcRecord>(current->Clone()) : nullptr);
    m_capturedBits.set(id & 4095);
}

bool CTavDbEditJournal::same(const CTavDbPcRecord& a, const CTavDbPcRecord& b)
{
    return a.GetUniqueId() == b.GetUniqueId() && a.GetAttributes() == b.GetAttributes() &&
           a.GetCategoryID() == b.GetCategoryID() && a.IsEqualPdt(b);
}

CTavDbEdit CTavDbEditJournal::Finish(const Records& records, const QList<CTavDbCategory>& categories,
                                     std::any extra) const
{
    CTavDbEdit edit;
    edit.m_generation = m_generation;
    edit.m_complete = m_complete;
    edit.m_extraChanged = m_extraChanged;

    // The records nobody touched must keep their order among themselves: positions of touched
    // records are only meaningful around an unchanged rest.
    QHash<uint32_t, int> before;
    QHash<uint32_t, int> after;
    before.reserve(m_captured.size());
    after.reserve(m_captured.size());
    size_t rest = 0;
    for (int i = 0; i < static_cast<int>(m_order.size()); ++i) {
        if (captured(m_order[i]))
            before.insert(m_order[i], i);
    }
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const uint32_t id = records[i]->GetUniqueId();
        if (captured(id)) {
            after.insert(id, i);
            continue;
        }
        while (rest < m_order.size() && captured(m_order[rest]))
            ++rest;
        if (rest >= m_order.size() || m_order[rest] != id)
            edit.m_complete = false;
        ++rest;
    }

    bool changed = categories != m_categories || m_extraChanged;
    for (auto it = m_captured.constBegin(); it != m_captured.constEnd(); ++it) {
        const uint32_t id = it.key();
        const int from = before.value(id, -1);
        const int to = after.value(id, -1);
        if (it.value() && from < 0)
            edit.m_complete = false; // present, yet not in the order at the start
        if (!it.value() && to < 0)
            continue;
        std::shared_ptr<const CTavDbPcRecord> now;
        if (to >= 0)
            now = records[to]->Clone();
        changed = changed || !it.value() || !now || from != to || !same(*it.value(), *now);
        edit.m_before.records.push_back({id, it.value() ? from : -1, it.value()});
        edit.m_after.records.push_back({id, to, std::move(now)});
    }
    if (!changed) {
        edit.m_before.records.clear();
        edit.m_after.records.clear();
    }
    edit.m_empty = !changed;
    for (CTavDbEdit::State* state : {&edit.m_before, &edit.m_after}) {
        std::sort(state->records.begin(), state->records.end(),
                  [](const CTavDbEdit::Record& a, const CTavDbEdit::Record& b) {
                      const bool aPresent = a.record != nullptr;
                      const bool bPresent = b.record != nullptr;
                      return aPresent != bPresent ? aPresent : a.position < b.position;
                  });
    }
    edit.m_before.categories = m_categories;
    edit.m_after.categories = categories;
    if (m_extraChanged) {
        edit.m_before.extra = m_extra;
        edit.m_after.extra = std::move(extra);
    }
    return edit;
}
