#include "CTavDbCollationRanks.h"

#include <QCollator>
#include <algorithm>
#include <thread>

#include "CTavDbPcRecord.h"

namespace {
// Below this many new keys a second thread costs more than it saves.
constexpr size_t kKeysPerThread = 4096;
} // namespace

CTavDbCollationRanks::CTavDbCollationRanks(QLocale locale) : m_locale(std::move(locale)) {}

void CTavDbCollationRanks::Update(const std::vector<Text>& texts)
{
    std::unordered_map<uint32_t, Entry> entries;
    entries.reserve(texts.size());
    std::vector<Entry*> inOrder;
    inOrder.reserve(texts.size());
    std::vector<Entry*> missing;
    for (const auto& [id, text] : texts) {
        const auto old = m_entries.find(id);
        Entry& entry = entries[id];
        if (old != m_entries.end() && old->second.text == text) {
            entry = std::move(old->second);
        } else {
            entry.text = text.toString();
            missing.push_back(&entry);
        }
        inOrder.push_back(&entry);
    }
    m_entries = std::move(entries);
    // Removed records leave gaps in the ranks, which sort just as well.
    if (missing.empty())
        return;
    makeKeys(missing);
    std::stable_sort(inOrder.begin(), inOrder.end(),
                     [](const Entry* a, const Entry* b) { return a->key->compare(*b->key) < 0; });
    for (size_t i = 0; i < inOrder.size(); ++i)
        inOrder[i]->rank = static_cast<uint32_t>(i);
}

void CTavDbCollationRanks::makeKeys(std::vector<Entry*>& entries) const
{
    // QCollator is reentrant, not thread-safe: each thread has its own.
    const auto work = [this, &entries](size_t from, size_t to) {
        QCollator collator(m_locale);
        for (size_t i = from; i < to; ++i)
            entries[i]->key = collator.sortKey(entries[i]->text);
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t threads = std::min(cores, entries.size() / kKeysPerThread + 1);
    std::vector<std::thread> helpers;
    const size_t step = entries.size() / threads;
    for (size_t t = 1; t < threads; ++t)
        helpers.emplace_back(work, t * step, t + 1 == threads ? entries.size() : (t + 1) * step);
    work(0, threads == 1 ? entries.size() : step);
    for (std::thread& helper : helpers)
        helper.join();
}

void CTavDbCollationRanks::Sort(std::vector<CTavDbPcRecord*>& records) const
{
    using Item = std::pair<uint64_t, CTavDbPcRecord*>;
    std::vector<Item> items;
    items.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const auto it = m_entries.find(records[i]->GetUniqueId());
        const uint64_t rank = it == m_entries.end() ? (uint64_t{1} << 32) + i : it->second.rank;
        items.emplace_back(rank, records[i]);
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.first < b.first; });
    for (size_t i = 0; i < items.size(); ++i)
        records[i] = items[i].second;
}
