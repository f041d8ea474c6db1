#pragma once

#include <QHash>
#include <QList>
#include <memory>

#include "CTavDbCategory.h"
#include "TavStatus.h"

class CTavDbPcRecord;
class CTavDbStoreBase;
class CTavSqliteDb;

// Brings a store's unsaved changes onto what another writer left in its file: the file's
// records, categories and extra tables become the store's contents, and the store's own
// changes stay pending on top of them (its edits and deletes win, its new records get ids the
// file never used, its new categories are matched by name), for the caller to write in the
// same transaction. Record objects that stay keep their address.
class CTavDbStoreMerge final
{
public:
    explicit CTavDbStoreMerge(CTavDbStoreBase& store) : m_store(store) {}

    // Conflict, with the store unchanged, when the file no longer reads as a store of this
    // kind or the two category tables cannot be joined.
    TavStatus Rebase(CTavSqliteDb& db);

private:
    bool mergeCategories(const QList<CTavDbCategory>& theirs);
    void mergeRecords(CTavDbStoreBase& file);
    // Our category id in the joined table (unfiled when it is gone).
    void placeCategory(CTavDbPcRecord& record, bool own);

    CTavDbStoreBase& m_store;
    QList<CTavDbCategory> m_categories;      // the joined table
    QHash<uint32_t, uint32_t> m_ownCategory; // our category ids to those of the joined table
};
