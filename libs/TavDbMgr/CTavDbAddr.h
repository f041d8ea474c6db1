#pragma once

#include <QList>
#include <QStringList>

#include "CTavDbAddrCsvFormat.h"
#include "CTavDbAddrIndex.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbAddrSortKeys.h"
#include "CTavDbStoreBase.h"
#include "archive/CTavDbArchiveConverter.h"

// The address book's store. Lists cards in the name order (sort keys 1, 2) or the company
// order (3, 1), narrowed to one index tab, and keeps the four custom field labels.
class CTavDbAddr final : public CTavDbStoreBase
{
public:
    static constexpr int kMaxRecords = 65535;
    static constexpr int kSortName = 1;    // with sub-key 2
    static constexpr int kSortCompany = 3; // with sub-key 1
    static constexpr int kMaxCustomLabelBytes = 15;

    CTavDbAddr();
    Q_DISABLE_COPY_MOVE(CTavDbAddr)

    CTavDbAddrRecord* GetAddrRecord(int index) const
    {
        return static_cast<CTavDbAddrRecord*>(GetRecord(index));
    }

    // Index tabs 0-10 (out of range counts as 10, every card). Which cards a tab holds follows
    // the sort order: the name order indexes by name, the company order by company.
    void SetSearchTabIndex(int tab);
    int GetSearchTabIndex() const { return m_tab; }
    // "jpJP" selects the kana tabs; any other locale the Latin ones.
    void SetTabLocale(const QString& locale);
    QString GetTabLocale() const { return m_tabLocale; }
    // The tab (0-9) a card falls under with the current order and locale.
    int TabOf(const CTavDbAddrRecord& card) const;

    // The listed cards (current category, tab and order) with the text in any of their
    // fields, ignoring case, width and hiragana against katakana. An empty text finds nothing.
    QList<CTavDbAddrRecord*> Search(const QString& text) const;

    QStringList GetCustomLabels() const { return m_customLabels; }
    QString GetCustomLabel(int index) const { return m_customLabels.value(index); }
    // Four labels of at most 15 bytes each; anything else is refused and changes nothing.
    TavStatus SetCustomLabels(const QStringList& labels);
    static QStringList DefaultCustomLabels();
    // The text of a phone label id 0-7 (empty for other ids).
    static QString GetPhoneLabelName(int labelId);

    // Adds copies of the cards, in order, as new cards. Each card goes to the category named
    // at the same index of categoryNames (the names where the cards were copied: another
    // user's, a backup file's), added when missing. All or nothing.
    TavStatus PasteRecords(const QList<CTavDbAddrRecord>& cards, const QStringList& categoryNames,
                           QList<uint32_t>* newIds = nullptr);

    // Exchange files. Imports add the cards that read whole, as new cards, in file order; each
    // card refused is named in refused with its line ("12行目: ..."). Cards beyond the record
    // limit (RecordLimit), or a file that does not read at all, change nothing.
    // vCard 2.1, 3.0 and 4.0, several cards per file.
    TavStatus ImportVCardFile(const QString& path, QStringList* refused = nullptr);
    // vCard 3.0 in UTF-8: the cards of these ids in that order.
    TavStatus ExportVCardFile(const QString& path, const QList<uint32_t>& uniqueIds) const;
    // Comma-separated text in the given layout; without one, the layout is guessed from the file.
    TavStatus ImportCsvFile(const QString& path, const CTavDbAddrCsvFormat* format = nullptr,
                            QStringList* refused = nullptr);
    // The program's own layout, UTF-8 with a header line: every card, or these in that order.
    TavStatus ExportCsvFile(const QString& path) const;
    TavStatus ExportCsvFile(const QString& path, const QList<uint32_t>& uniqueIds) const;
    // The program's address backup files (".abc"), categories matched by name.
    TavStatus ImportBackupFile(const QString& path);
    TavStatus ExportBackupFile(const QString& path, const QList<uint32_t>& uniqueIds) const;

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbAddrRecord>();
    }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbAddr>(); }
    const CTavDbArchiveConverter* ArchiveConverter() const override
    {
        return &CTavDbArchiveConverter::Addr();
    }
    TavStatus CheckRecord(const CTavDbPcRecord& record) const override;
    bool PassesFilters(const CTavDbPcRecord& record) const override;
    bool UsesSortOrder() const override;
    void SortView(std::vector<CTavDbPcRecord*>& view) const override;
    TavStatus LoadExtra(CTavSqliteDb& db) override;
    TavStatus SaveExtra(CTavSqliteDb& db, bool full) const override;
    void ClearExtra() override;
    void CopyExtraFrom(const CTavDbStoreBase& other) override;
    void MergeExtraFrom(const CTavDbStoreBase& file, const std::any& base) override;
    std::any ExtraState() const override { return m_customLabels; }
    void RestoreExtraState(const std::any& state) override;

private:
    bool byCompany() const { return GetSortCond().GetKey() == kSortCompany; }

    int m_tab = CTavDbAddrIndex::kTabAll;
    QString m_tabLocale = CTavDbAddrIndex::JapaneseLocale();
    bool m_japaneseTabs = true;
    QStringList m_customLabels;
    mutable CTavDbAddrSortKeys m_sortKeys;
};
