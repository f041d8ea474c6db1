#pragma once

#include <QCollator>
#include <QCollatorSortKey>

#include "CTavDbMemoRecord.h"
#include "CTavDbStoreBase.h"

// The memo pad's store. Sort key 5 lists memos in syllabary order (Japanese collation of the
// text), key 6 in the handheld's own order.
class CTavDbMemo final : public CTavDbStoreBase
{
public:
    static constexpr int kSortSyllabary = 5;
    static constexpr int kSortHandheld = 6;
    static constexpr int kMaxRecords = 65535;

    CTavDbMemo();

    CTavDbMemoRecord* GetMemoRecord(int index) const { return static_cast<CTavDbMemoRecord*>(GetRecord(index)); }
    // Stamps the creation and update times with the clock when they are unset.
    TavStatus AddRecord(CTavDbPcRecord& record) override;
    TavStatus UpdateRecord(const CTavDbPcRecord& record) override;

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override { return std::make_unique<CTavDbMemoRecord>(); }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbMemo>(); }
    bool UsesSortOrder() const override { return GetSortCond().GetKey() == kSortSyllabary; }
    void PrepareSort() override;
    bool SortLess(const CTavDbPcRecord& a, const CTavDbPcRecord& b) const override;

private:
    QCollator m_collator;
    QHash<const CTavDbPcRecord*, QCollatorSortKey> m_sortKeys;
};
