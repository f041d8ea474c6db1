#pragma once

#include "CTavDbCollationRanks.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbStoreBase.h"
#include "archive/CTavDbArchiveConverter.h"

// The memo pad's store. Sort key 5 lists memos in syllabary order (Japanese collation of the
// text), key 6 in the handheld's own order.
class CTavDbMemo final : public CTavDbStoreBase
{
public:
    static constexpr int kSortSyllabary = 5;
    static constexpr int kSortHandheld = 6;
    static constexpr int kMaxRecords = 65535;

    CTavDbMemo();

    CTavDbMemoRecord* GetMemoRecord(int index) const
    {
        return static_cast<CTavDbMemoRecord*>(GetRecord(index));
    }
    // Stamps the creation and update times with the clock when they are unset.
    TavStatus AddRecord(CTavDbPcRecord& record) override;
    TavStatus UpdateRecord(const CTavDbPcRecord& record) override;

    // Adds the memos of a comma-separated text file (CTavDbMemoCsv), all or none: a file that
    // does not read, or memos beyond the record limit (RecordLimit), change nothing. Category
    // names are matched, and added while there is room (else the memos go unfiled).
    TavStatus ImportCsvFile(const QString& path, QString* error = nullptr);
    // Writes the given memos (by unique id, in that order) as comma-separated text.
    TavStatus ExportCsvFile(const QString& path, const QList<uint32_t>& uniqueIds) const;
    // Backup files (".mpc") and category names: CTavDbStoreBase.

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbMemoRecord>();
    }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbMemo>(); }
    const CTavDbArchiveConverter* ArchiveConverter() const override
    {
        return &CTavDbArchiveConverter::Memo();
    }
    // Refuses a memo over the handheld's byte limit (InvalidArgument).
    TavStatus CheckRecord(const CTavDbPcRecord& record) const override;
    bool UsesSortOrder() const override { return GetSortCond().GetKey() == kSortSyllabary; }
    void SortView(std::vector<CTavDbPcRecord*>& view) const override;

private:
    // Memos that begin alike further than this are in store order.
    static constexpr int kSortPrefix = 64;

    mutable CTavDbCollationRanks m_ranks;
};
