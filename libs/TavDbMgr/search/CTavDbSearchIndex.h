#pragma once

#include <QString>
#include <array>
#include <memory>

#include "CTavDbSearchHit.h"
#include "CTavDbSearchSheets.h"
#include "CTavDbSearchTable.h"

class CTavDbAddr;
class CTavDbDate;
class CTavDbMemo;
class CTavDbStoreBase;
class CTavDbTodo;

// Search across the modules of one user: events, cards, tasks, memos, memo-sheet titles and
// reference titles. Each store's texts are folded once and kept; a search first takes in what
// changed since (stores by their revision, sheet folders by their files).
class CTavDbSearchIndex final
{
public:
    CTavDbSearchIndex();
    ~CTavDbSearchIndex();

    // The stores to search (any may be null); they must outlive the index or be set again.
    void SetStores(const CTavDbDate* date, const CTavDbAddr* addr, const CTavDbTodo* todo,
                   const CTavDbMemo* memo);
    // The folders of the current user's memo sheets and reference sheets (empty: none).
    void SetSheetFolders(const QString& sheets, const QString& references);

    // The records holding text, matched in folded form (CTavDbSearchFold); private records only
    // withPrivate. At most limit hits per module (0: all); the counts hold every match.
    CTavDbSearchResult Find(const QString& text, bool withPrivate, int limit = 0);
    // Whether a search now could find other records than the last one (the stores or the sheet
    // folders changed since).
    bool IsStale();
    // Takes in every change now (Find does so by itself).
    void Refresh();

private:
    struct StoreSlot
    {
        const CTavDbStoreBase* store = nullptr;
        uint64_t revision = 0;
        bool synced = false;
    };
    bool storeStale(int module) const;
    void syncStore(int module);
    void syncFolders();

    std::array<StoreSlot, TavSearchModule::Last + 1> m_stores;
    std::array<std::unique_ptr<CTavDbSearchTable>, TavSearchModule::Last + 1> m_tables;
    CTavDbSearchSheets m_sheets;
    CTavDbSearchSheets m_references;
    QString m_sheetFolder;
    QString m_referenceFolder;
    bool m_sheetsChanged = true;
};
