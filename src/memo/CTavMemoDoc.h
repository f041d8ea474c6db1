#pragma once

#include <QHash>
#include <vector>

#include "CTavDbSortCond.h"
#include "CTavMemoEntry.h"
#include "CTavModuleDoc.h"
#include "TavStatus.h"

class CTavDbMemo;
class CTavDbMemoRecord;

// The memo pad's view of the memo store: the category filter, the order, the memos that
// pass the filter and the one shown in the detail pane.
class CTavMemoDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    static constexpr uint32_t kAllCategories = 99;
    static inline const QString kSection = QStringLiteral("memo");

    explicit CTavMemoDoc(CTavApp& app, QObject* parent = nullptr);

    CTavDbMemo& Store() const;

    // Re-reads "dispCategory" and "dispSort", applies them and rebuilds the entries; nothing
    // is selected afterwards.
    void Reload() override;
    void ApplyStoreOrder() override;

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CTavMemoEntry>& Entries() const { return m_entries; }
    const CTavMemoEntry* Entry(int index) const;
    // The entry of a memo, -1 when it is not listed.
    int IndexOfId(uint32_t uniqueId) const;
    // The name of a category as of the last rebuild; empty for an unknown id.
    QString CategoryName(uint32_t categoryId) const { return m_categoryNames.value(categoryId); }

    // Shows an entry in the detail pane; an index out of range shows nothing (-1).
    void Select(int index);
    int Selected() const { return m_selected; }

    // 0 syllabary order, 1 the handheld's order; other choices answer -1. Writes "dispSort"
    // and rebuilds.
    int SetOrder(int choice);
    int SortChoice() const { return m_sortChoice; }
    const CTavDbSortCond& SortCond() const { return m_sortCond; }
    // A category id, 99 for all. Writes "dispCategory" and rebuilds.
    void SetFilter(uint32_t categoryId);
    uint32_t CategoryFilter() const { return m_categoryFilter; }
    // Masked while the private mode masks private records.
    bool Masked() const { return m_masked; }
    void SetMasked(bool masked) { m_masked = masked; }

    TavStatus Add(CTavDbMemoRecord& record);
    TavStatus Update(int index, const CTavDbMemoRecord& record);
    TavStatus Delete(int index, bool backup);

signals:
    // The entries were rebuilt; views redraw them.
    void entriesRebuilt();
    // The entry shown in the detail pane changed (-1 for none).
    void entrySelected(int index);

private:
    void applyOrder(int choice);
    void rebuild();

    std::vector<CTavMemoEntry> m_entries;
    QHash<uint32_t, QString> m_categoryNames;
    CTavDbSortCond m_sortCond;
    uint32_t m_categoryFilter = kAllCategories;
    int m_sortChoice = 0;
    int m_selected = -1;
    bool m_masked = false;
};
