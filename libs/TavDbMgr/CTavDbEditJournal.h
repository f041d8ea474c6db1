#pragma once

#include <QHash>
#include <QList>
#include <any>
#include <bitset>
#include <memory>
#include <vector>

#include "CTavDbCategory.h"
#include "CTavDbEdit.h"
#include "CTavDbPcRecord.h"

// What a store records while an edit runs: the store order and category table at the start,
// and each touched record as it was the first time it was touched (or its absence). The store
// captures a record before changing it; a record that turns up changed without having been
// captured makes the edit incomplete instead of silently wrong.
class CTavDbEditJournal
{
public:
    using Records = std::vector<std::unique_ptr<CTavDbPcRecord>>;

    CTavDbEditJournal(const Records& records, const QList<CTavDbCategory>& categories, std::any extra,
                      uint64_t generation);

    bool Has(uint32_t id) const { return m_captured.contains(id); }
    // The state before the first change of that id; current is null when the store lacks it.
    void Capture(uint32_t id, const CTavDbPcRecord* current);
    // A change the journal saw only after the fact.
    void MarkIncomplete() { m_complete = false; }
    void MarkExtraChanged() { m_extraChanged = true; }
    CTavDbEdit Finish(const Records& records, const QList<CTavDbCategory>& categories, std::any extra) const;

private:
    static bool same(const CTavDbPcRecord& a, const CTavDbPcRecord& b);
    bool captured(uint32_t id) const { return m_capturedBits.test(id & 4095) && m_captured.contains(id); }

    std::vector<uint32_t> m_order; // the ids in store order at the start
    QList<CTavDbCategory> m_categories;
    std::any m_extra;
    uint64_t m_generation;
    QHash<uint32_t, std::shared_ptr<const CTavDbPcRecord>> m_captured;
    // Low bits of the captured ids: Finish walks every record, and most were not captured.
    std::bitset<4096> m_capturedBits;
    bool m_complete = true;
    bool m_extraChanged = false;
};
