#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <any>
#include <memory>
#include <vector>

#include "CTavDbCategory.h"
#include "CTavDbEdit.h"
#include "CTavDbPcRecord.h"
#include "CTavDbSortCond.h"
#include "CTavDbStoreOrder.h"
#include "CTavDbStoreSchema.h"
#include "TavStatus.h"

class CTavDbArchive;
class CTavDbArchiveConverter;
class CTavDbEditJournal;
class CTavDbUser;
class CTavSqliteDb;
class CTavSqliteStatement;
class CTavSqliteTransaction;

// The common part of the four record stores: records in memory in the store's own order,
// the category table, the category and private filters, the sorted view, and the SQLite file
// the store was loaded from. Write saves only what changed, in one transaction.
class CTavDbStoreBase
{
public:
    CTavDbStoreBase(const CTavDbStoreBase&) = delete;
    CTavDbStoreBase& operator=(const CTavDbStoreBase&) = delete;
    virtual ~CTavDbStoreBase();

    // Where Load() looks: the user list whose current user owns the data.
    void AttachUsers(const CTavDbUser* users) { m_users = users; }

    // Loads the current user's store file (an absent file is an empty store). A file that does
    // not read leaves the store empty and refusing to write it, unless it is the file the
    // store already held, whose records then stay.
    virtual TavStatus Load();
    // Loads a store file of this kind from anywhere (the program's own backup files), or a
    // desktop data or archive file of this kind, recognised by its first bytes; the store then
    // holds that file and Write() saves into it. On failure the store keeps what it held and
    // the file is left as it was.
    virtual TavStatus LoadFromFile(const QString& path);
    // Whether the store holds a desktop data or archive file instead of a store file.
    bool HoldsArchive() const { return m_archive != nullptr; }
    // Saves what changed to the file the store was loaded from. When another writer changed the
    // file since, its records come in first and this store's changes go on top (own edits win,
    // new records get ids above any the file used); Conflict when that cannot be done, and then
    // nothing is written and the changes stay pending.
    virtual TavStatus Write();
    // Whether the last Write() took in another writer's changes: records, ids and categories
    // may have changed, and views should be rebuilt.
    bool LastWriteMerged() const { return m_lastWriteMerged; }
    // Saves everything to another file, atomically (backup files). The extensions .dba, .aba,
    // .tda, .mpa and .dat take the desktop archive layout (this store's kind only: WrongKind).
    virtual TavStatus WriteToFile(const QString& path) const;
    // Empties the store and forgets its file.
    virtual void Clear();
    QString GetFilePath() const { return m_filePath; }
    // The store file of a user's folder (path ending in '/').
    QString StoreFilePath(const QString& userPath) const;

    // Records. Indexes and counts are of the filtered, ordered view.
    int GetCount() const;
    CTavDbPcRecord* GetRecord(int index) const;
    int IndexOf(uint32_t uniqueId) const;
    // Every live record, in the store's own order, whatever the filters.
    int GetRecordCount() const { return m_liveCount; }
    const std::vector<std::unique_ptr<CTavDbPcRecord>>& AllRecords() const { return m_records; }
    CTavDbPcRecord* FindRecord(uint32_t uniqueId) const;
    int GetMaxRecords() const { return m_maxRecords; }

    // A copy of the record goes into the store; the record gets its new unique id.
    virtual TavStatus AddRecord(CTavDbPcRecord& record);
    // The stored record with the same unique id takes the given fields. The stored record itself
    // may be passed after an edit in place; it then stays the same object.
    virtual TavStatus UpdateRecord(const CTavDbPcRecord& record);
    // With archive the record stays in the file, flagged for the next HotSync's backup,
    // and is never listed again; without, it is removed.
    virtual TavStatus DeleteRecord(uint32_t uniqueId, bool archive);
    // Adds copies of every record of another user's store file, categories matched by name.
    virtual TavStatus TakeOverRecords(const QString& sourceUserName);

    // Filters: 99 shows every category; private mode 2 leaves private records out.
    void SetCategoryFilter(uint32_t categoryId) { m_order.SetCategoryFilter(categoryId); }
    uint32_t GetCategoryFilter() const { return m_order.CategoryFilter(); }
    void SetPrivateMode(int mode) { m_order.SetPrivateMode(mode); }
    int GetPrivateMode() const { return m_order.PrivateMode(); }
    virtual void SetSortCond(const CTavDbSortCond& cond) { m_order.SetSortCond(cond); }
    const CTavDbSortCond& GetSortCond() const { return m_order.SortCond(); }

    // Categories, unfiled first. At most 15 besides the unfiled one; the id 99 is never used.
    static constexpr int kMaxCategories = 16;
    int GetCategoryCount() const { return m_categories.size(); }
    const CTavDbCategory& GetCategory(int index) const { return m_categories.at(index); }
    const QList<CTavDbCategory>& GetCategories() const { return m_categories; }
    const CTavDbCategory* FindCategoryById(uint32_t id) const;
    const CTavDbCategory* FindCategoryByName(const QString& name) const;
    TavStatus AddCategory(const QString& name, uint32_t* newId = nullptr);
    // Adds a category under a given id (1..255, not 99), as files from the handheld carry them.
    TavStatus AddCategoryWithId(uint32_t id, const QString& name);
    TavStatus RenameCategory(uint32_t id, const QString& name);
    // Deletes a category; its records move to unfiled, or are deleted (with the archive rule).
    TavStatus DeleteCategory(uint32_t id, bool deleteRecords, bool archive);
    // Saves the category table now (the category editor's "write back").
    virtual TavStatus WriteCategories(bool force);
    // The id of the category of that name; missing ones are added while there is room, else
    // (and for an empty name) unfiled.
    uint32_t CategoryIdForName(const QString& name);
    // The name that carries a record's category to another store: empty for unfiled and unknown ids.
    QString CategoryNameForId(uint32_t id) const;

    // The program's backup files of this kind: a store file holding the given records and the
    // categories, matched by name when read back. Import adds every record, or none.
    TavStatus ImportBackupFile(const QString& path);
    TavStatus ExportBackupFile(const QString& path, const QList<uint32_t>& uniqueIds) const;

    // Raised whenever records were added, changed, removed, reordered or loaded, so that what
    // is built over the records (a search index) knows when to look again.
    uint64_t Revision() const { return m_revision; }

    bool IsModified() const;
    // Changes not saved yet (IsModified also counts a file that does not exist yet).
    bool HasPendingChanges() const;

    // Undo. Between BeginEdit and EndEdit the store records the state of every record and
    // category it changes, before the first change; EndEdit hands the before and after states
    // over. A caller that edits a stored record in place names it first: in BeginEdit, or with
    // Touch before the edit. False when an edit already runs.
    bool BeginEdit(const QList<uint32_t>& editedInPlace = {});
    void Touch(uint32_t uniqueId);
    CTavDbEdit EndEdit();
    bool IsEditing() const { return m_journal != nullptr; }
    // Puts the touched records and the categories back as one side of an edit left them: an
    // absent record is removed, a present one replaced or inserted with its id, attributes and
    // position. The changes are pending like any edit's. Conflict when the store was loaded or
    // took in another writer's changes since the edit; Refused during an edit.
    TavStatus ApplyStates(const CTavDbEdit& edit, CTavDbEdit::Side side);

protected:
    // kind: the store's name inside its file; folder: its folder in a user's data folder;
    // fileName: its file there; columns: "name TYPE, ..." of the kind's own fields.
    CTavDbStoreBase(const char* kind, QString (*folder)(), const char* fileName, const char* columns,
                    int maxRecords);

    virtual std::unique_ptr<CTavDbPcRecord> NewRecord() const = 0;
    // A fresh, empty store of the same kind, for take-over and backup copies.
    virtual std::unique_ptr<CTavDbStoreBase> NewStore() const = 0;
    // Orders two records for the current sort condition; the default keeps store order.
    virtual bool SortLess(const CTavDbPcRecord& a, const CTavDbPcRecord& b) const;
    virtual bool UsesSortOrder() const { return false; }
    // Called before a sorted view is built, so a store can prepare its sort keys.
    virtual void PrepareSort() {}
    // Sorts the listed records when UsesSortOrder(); the default is a stable sort by SortLess.
    virtual void SortView(std::vector<CTavDbPcRecord*>& view) const;
    // Refuses a record the store cannot keep (over-long text, values out of range) before
    // anything changes; InsertRecord, UpdateRecord and TakeOverRecords ask it.
    virtual TavStatus CheckRecord(const CTavDbPcRecord& /*record*/) const { return TavStatusCode::Ok; }
    // Whether a record is listed: not deleted, the private mode, the category filter, and
    // whatever filters a store adds.
    virtual bool PassesFilters(const CTavDbPcRecord& record) const { return m_order.PassesFilters(record); }
    // A last pass over the listed records (in store order, before sorting), for filters that
    // depend on a record's neighbours.
    virtual void FilterView(std::vector<CTavDbPcRecord*>& /*view*/) const {}
    // Called whenever records were added, changed, removed or reordered.
    virtual void RecordsChanged() {}
    // Kind-specific tables of the file beside the records (info records, labels).
    virtual void CreateExtraTables(CTavSqliteDb&) const {}
    virtual TavStatus LoadExtra(CTavSqliteDb&) { return TavStatusCode::Ok; }
    virtual TavStatus SaveExtra(CTavSqliteDb&, bool /*full*/) const { return TavStatusCode::Ok; }
    virtual void ClearExtra() {}
    virtual void CopyExtraFrom(const CTavDbStoreBase&) {}
    // Joins another writer's tables (in `file`) with ours, entry by entry: what changed here
    // since `base` (an ExtraState of the tables as last read or written) stays ours.
    virtual void MergeExtraFrom(const CTavDbStoreBase& file, const std::any& /*base*/)
    {
        CopyExtraFrom(file);
    }
    // A copy of the kind-specific tables for undo, and its return.
    virtual std::any ExtraState() const { return {}; }
    virtual void RestoreExtraState(const std::any&) {}
    // Default categories of a new store, besides unfiled.
    virtual QStringList DefaultCategoryNames() const;
    // How the kind's records read from and write to the desktop archive files.
    virtual const CTavDbArchiveConverter* ArchiveConverter() const { return nullptr; }

    const CTavDbUser* Users() const { return m_users; }
    // The id here of a category of another store, matched by name and added when missing
    // (unfiled when it cannot be added).
    uint32_t MapCategoryByName(const CTavDbStoreBase& source, uint32_t sourceCategoryId);

    // Before a stored record changes in place (see Touch); the given record may be the stored
    // one, which must then have been touched already.
    void NoteUpdate(const CTavDbPcRecord& record);

    // For derived stores that change the order or the records directly.
    std::vector<std::unique_ptr<CTavDbPcRecord>>& MutableRecords() { return m_records; }
    void MarkChanged(uint32_t uniqueId);
    void MarkOrderChanged();
    void MarkExtraChanged();
    bool IsExtraChanged() const { return m_extraChanged; }
    void InvalidateView() { m_order.Invalidate(); }
    // Makes room for that many more records at once, before an import adds them one by one.
    void ReserveForAdding(qsizetype count);
    // Inserts a copy at a position of the store order (-1 at the end). Taking moves the record's
    // fields into the store instead: imports hand over thousands of records they no longer need.
    TavStatus InsertRecord(CTavDbPcRecord& record, int position, bool take = false);
    // Moves the records [from, from + count) of the store order so that they stand before the
    // record now at position to (the end when to is the record count). Only the moved records
    // are rewritten when the store file has room between their new neighbours.
    void MoveRecordRange(int from, int count, int to);
    int PositionOf(uint32_t uniqueId) const;
    // Whether a record passes the private filter (and is not deleted); the category filter aside.
    bool IsVisible(const CTavDbPcRecord& record) const { return m_order.IsVisible(record); }

private:
    friend class CTavDbStoreOrder;
    friend class CTavDbStoreMerge;
    TavStatus openAndRead(const QString& path, CTavDbStoreBase& into) const;
    TavStatus loadArchive(const QString& path);
    void adoptLoaded(CTavDbStoreBase& fresh, const QString& path);
    TavStatus writeArchive();
    TavStatus writeArchiveTo(const QString& path) const;
    TavStatus readFrom(CTavSqliteDb& db, CTavDbStoreBase& into) const;
    TavStatus writeAll(CTavSqliteDb& db, int64_t stamp) const;
    TavStatus writeWhole(const QString& path, int64_t stamp) const;
    TavStatus writeChanges(CTavSqliteDb& db, CTavSqliteTransaction& tx);
    // Raises the last unique id to the file's when another writer changed the file.
    void followFileIds();
    static bool writeRecord(CTavSqliteStatement& st, const CTavDbPcRecord& rec);
    void resetCategories();
    uint32_t nextUniqueId();
    void rebuildIndex();
    void recordsChanged()
    {
        ++m_revision;
        RecordsChanged();
    }
    void markClean();
    void capture(uint32_t uniqueId);
    void placeRestored(const std::vector<char>& restored);

    QString (*m_folder)();
    const char* m_fileName;
    CTavDbStoreSchema m_schema;
    int m_maxRecords;
    const CTavDbUser* m_users = nullptr;

    std::vector<std::unique_ptr<CTavDbPcRecord>> m_records;
    QHash<uint32_t, CTavDbPcRecord*> m_byId;
    QList<CTavDbCategory> m_categories;
    int m_liveCount = 0;
    uint32_t m_lastUniqueId = 0;
    uint32_t m_fileLastUniqueId = 0; // the file's last unique id when last read or written

    CTavDbStoreOrder m_order; // the filters and the listed view

    QString m_filePath;
    bool m_fileBroken = false;              // the last load failed: never write over that file
    int64_t m_stamp = 0;                    // the file's write stamp when loaded or last written
    QByteArray m_seenFile;                  // the file's state when its ids were last read
    QList<CTavDbCategory> m_baseCategories; // the file's categories as loaded
    std::any m_baseExtra;                   // the file's extra tables as loaded (ExtraState)
    QSet<uint32_t> m_changed;
    QSet<uint32_t> m_added; // new since the last load or write (a subset of m_changed)
    QSet<uint32_t> m_removed;
    // Records a merge replaced, kept so that pointers the views hold stay valid until a load.
    std::vector<std::unique_ptr<CTavDbPcRecord>> m_retired;
    bool m_lastWriteMerged = false;
    bool m_orderChanged = false;
    bool m_categoriesChanged = false;
    bool m_extraChanged = false;
    bool m_fullWrite = true;                      // the file does not hold the store yet
    std::unique_ptr<CTavDbEditJournal> m_journal; // while an edit runs
    std::unique_ptr<CTavDbArchive> m_archive;     // while the store holds a desktop archive file
    uint64_t m_generation = 0; // raised by loads and merges: edits made before no longer apply
    uint64_t m_revision = 0;
};
