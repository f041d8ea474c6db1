#include "CTavDbStoreBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

#include "CTavDbEditJournal.h"
#include "CTavDbFileUtil.h"
#include "CTavDbStoreMerge.h"
#include "CTavDbUser.h"
#include "CTavSqliteDb.h"
#include "CTavSqliteStatement.h"
#include "CTavSqliteTransaction.h"
#include "archive/CTavDbArchive.h"
#include "archive/CTavDbArchiveConverter.h"

CTavDbStoreBase::CTavDbStoreBase(const char* kind, QString (*folder)(), const char* fileName,
                                 const char* columns, int maxRecords)
    : m_folder(folder), m_fileName(fileName), m_schema(kind, columns), m_maxRecords(maxRecords)
{
    resetCategories();
}

CTavDbStoreBase::~CTavDbStoreBase() = default;

QString CTavDbStoreBase::StoreFilePath(const QString& userPath) const
{
    if (userPath.isEmpty())
        return QString();
    return userPath + m_folder() + u'/' + QString::fromLatin1(m_fileName);
}

void CTavDbStoreBase::resetCategories()
{
    m_categories.clear();
    m_categories.append(CTavDbCategory(0, 0, QStringLiteral("未分類")));
    uint32_t id = 1;
    for (const QString& name : DefaultCategoryNames()) {
        m_categories.append(CTavDbCategory(id, static_cast<int>(id), name));
        ++id;
    }
}

void CTavDbStoreBase::Clear()
{
    m_records.clear();
    m_archive.reset();
    m_byId.clear();
    m_liveCount = 0;
    m_lastUniqueId = 0;
    m_fileLastUniqueId = 0;
    resetCategories();
    ClearExtra();
    m_filePath.clear();
    m_fileBroken = false;
    m_stamp = 0;
    m_seenFile.clear();
    m_baseCategories = m_categories;
    m_baseExtra = ExtraState();
    m_retired.clear();
    m_changed.clear();
    m_added.clear();
    m_removed.clear();
    m_orderChanged = m_categoriesChanged = m_extraChanged = false;
    m_fullWrite = true;
    ++m_generation;
    InvalidateView();
    recordsChanged();
}

TavStatus CTavDbStoreBase::Load()
{
    const QString path = m_users ? StoreFilePath(m_users->GetCurrUserPath()) : QString();
    if (path.isEmpty())
        return TavStatusCode::NotFound;
    if (!QFileInfo::exists(path)) {
        // A new user: an empty store that is created at the first write.
        Clear();
        m_filePath = path;
        return TavStatusCode::Ok;
    }
    const TavStatus status = LoadFromFile(path);
    if (status != TavStatusCode::Ok && path != m_filePath) {
        // Another file's records (the last user's, a backup file's) must neither stand in for
        // these nor take their edits: the store shows nothing and never writes this file.
        Clear();
        m_filePath = path;
        m_fileBroken = true;
    }
    return status;
}

TavStatus CTavDbStoreBase::LoadFromFile(const QString& path)
{
    if (ArchiveConverter()) {
        // Desktop archives are told by their first bytes, whatever their name; a name of an
        // archive kind holding anything but a store file is refused as an archive.
        QByteArray head;
        if (QFile file(path); file.open(QIODevice::ReadOnly))
            head = file.read(16);
        const bool storeFile = head.startsWith("SQLite format 3");
        if (!storeFile && (CTavDbArchiveFile::Recognise(head) != CTavDbArchiveFile::Probe::NotArchive ||
                           CTavDbArchive::IsArchivePath(path)))
            return loadArchive(path);
    }
    std::unique_ptr<CTavDbStoreBase> fresh = NewStore();
    const TavStatus status = openAndRead(path, *fresh);
    if (status != TavStatusCode::Ok) {
        // Whatever we held stays, but this file must never be overwritten by it.
        if (path == m_filePath)
            m_fileBroken = true;
        return status;
    }
    m_archive.reset();
    adoptLoaded(*fresh, path);
    return TavStatusCode::Ok;
}

void CTavDbStoreBase::adoptLoaded(CTavDbStoreBase& fresh, const QString& path)
{
    m_records = std::move(fresh.m_records);
    m_categories = std::move(fresh.m_categories);
    m_lastUniqueId = fresh.m_lastUniqueId;
    m_fileLastUniqueId = m_lastUniqueId;
    m_stamp = fresh.m_stamp;
    m_seenFile = fresh.m_seenFile;
    m_retired.clear();
    CopyExtraFrom(fresh);
    m_filePath = path;
    m_fileBroken = false;
    m_fullWrite = false;
    ++m_generation;
    rebuildIndex();
    markClean();
    InvalidateView();
    recordsChanged();
}

TavStatus CTavDbStoreBase::openAndRead(const QString& path, CTavDbStoreBase& into) const
{
    CTavSqliteDb db;
    into.m_seenFile = CTavDbFileUtil::fileState(path);
    const TavStatus opened = m_schema.Open(path, db);
    if (opened != TavStatusCode::Ok)
        return opened;
    return readFrom(db, into);
}

TavStatus CTavDbStoreBase::readFrom(CTavSqliteDb& db, CTavDbStoreBase& into) const
{
    if (m_schema.ReadCategories(db, into.m_categories, kMaxCategories) != TavStatusCode::Ok)
        return TavStatusCode::Corrupt;
    if (into.m_categories.isEmpty() || into.m_categories.first().GetID() != 0)
        into.resetCategories();
    {
        CTavSqliteStatement st(db.handle(), m_schema.SelectRecordsSql().constData());
        if (!st.isValid())
            return TavStatusCode::Corrupt;
        QSet<uint32_t> ids; // the table's key: an id twice means a damaged file
        while (st.next()) {
            std::unique_ptr<CTavDbPcRecord> rec = NewRecord();
            rec->SetUniqueId(st.uint32());
            if (ids.contains(rec->GetUniqueId()))
                return TavStatusCode::Corrupt;
            ids.insert(rec->GetUniqueId());
            rec->m_storeSeq = st.int64();
            rec->SetAttributes(static_cast<uint8_t>(st.uint32()));
            rec->SetCategoryID(st.uint32());
            rec->ReadFields(st);
            into.m_lastUniqueId = std::max(into.m_lastUniqueId, rec->GetUniqueId());
            into.m_records.push_back(std::move(rec));
        }
        if (st.lastError() != SQLITE_OK)
            return TavStatusCode::Corrupt;
    }
    into.m_lastUniqueId = std::max(into.m_lastUniqueId, CTavDbStoreSchema::ReadLastUniqueId(db));
    into.m_stamp = CTavDbStoreSchema::ReadWriteStamp(db);
    return into.LoadExtra(db);
}

bool CTavDbStoreBase::writeRecord(CTavSqliteStatement& st, const CTavDbPcRecord& rec)
{
    st.bind(rec.GetUniqueId()).bind(rec.m_storeSeq).bind(static_cast<int64_t>(rec.GetAttributes()));
    st.bind(rec.GetCategoryID());
    rec.BindFields(st);
    return st.exec() == SQLITE_OK;
}

TavStatus CTavDbStoreBase::writeAll(CTavSqliteDb& db, int64_t stamp) const
{
    if (CTavDbStoreSchema::PrepareNewFile(db) != TavStatusCode::Ok)
        return TavStatusCode::FileError;
    CTavSqliteTransaction tx(db);
    if (!tx.ok() || m_schema.Create(db) != TavStatusCode::Ok)
        return TavStatusCode::FileError;
    CreateExtraTables(db);
    CTavSqliteStatement insert(db.handle(), m_schema.WriteRecordSql().constData());
    if (!insert.isValid())
        return TavStatusCode::FileError;
    int64_t seq = 0;
    for (const auto& rec : m_records) {
        rec->m_storeSeq = seq;
        seq += CTavDbStoreOrder::kSeqGap;
        if (!writeRecord(insert, *rec))
            return TavStatusCode::FileError;
    }
    if (m_schema.WriteCategories(db, m_categories) != TavStatusCode::Ok ||
        CTavDbStoreSchema::WriteLastUniqueId(db, m_lastUniqueId) != TavStatusCode::Ok ||
        CTavDbStoreSchema::WriteWriteStamp(db, stamp) != TavStatusCode::Ok)
        return TavStatusCode::FileError;
    const TavStatus extra = SaveExtra(db, true);
    if (extra != TavStatusCode::Ok)
        return extra;
    return tx.commit() ? TavStatusCode::Ok : TavStatusCode::FileError;
}

TavStatus CTavDbStoreBase::WriteToFile(const QString& path) const
{
    if (CTavDbArchive::IsArchivePath(path))
        return writeArchiveTo(path);
    return writeWhole(path, CTavDbStoreSchema::NewWriteStamp());
}

TavStatus CTavDbStoreBase::writeWhole(const QString& path, int64_t stamp) const
{
    if (path.isEmpty() || !CTavDbFileUtil::ensureDirectory(QFileInfo(path).absolutePath()))
        return TavStatusCode::FileError;
    const QString temp = CTavDbFileUtil::temporaryPathFor(path);
    TavStatus status;
    {
        CTavSqliteDb db;
        if (db.open(temp, true) != SQLITE_OK)
            return TavStatusCode::FileError;
        status = writeAll(db, stamp);
    }
    if (status == TavStatusCode::Ok && !CTavDbFileUtil::replaceWith(temp, path))
        status = TavStatusCode::FileError;
    if (status != TavStatusCode::Ok)
        QFile::remove(temp);
    return status;
}

TavStatus CTavDbStoreBase::Write()
{
    m_lastWriteMerged = false;
    if (m_filePath.isEmpty())
        return TavStatusCode::Refused;
    if (m_archive)
        return writeArchive();
    if (m_fileBroken)
        return TavStatusCode::Corrupt;
    if (!QFileInfo::exists(m_filePath)) {
        const int64_t stamp = CTavDbStoreSchema::NewWriteStamp();
        const TavStatus status = writeWhole(m_filePath, stamp);
        if (status == TavStatusCode::Ok) {
            m_stamp = stamp;
            m_seenFile = CTavDbFileUtil::fileState(m_filePath);
            m_fullWrite = false;
            m_fileLastUniqueId = m_lastUniqueId;
            markClean();
        }
        return status;
    }
    if (!IsModified())
        return TavStatusCode::Ok;
    // A file renamed over ours between opening and locking would take the write into the old,
    // unlinked file: once locked, the name must still lead to the file that was opened.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QByteArray opened = CTavDbFileUtil::fileState(m_filePath, true);
        CTavSqliteDb db;
        if (db.open(m_filePath, false) != SQLITE_OK)
            return TavStatusCode::FileError;
        CTavSqliteTransaction tx(db);
        if (!tx.ok()) {
            const int rc = sqlite3_errcode(db.handle());
            return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT ? TavStatusCode::Conflict
                                                               : TavStatusCode::FileError;
        }
        if (CTavDbFileUtil::fileState(m_filePath, true) == opened)
            return writeChanges(db, tx);
    }
    return TavStatusCode::Conflict;
}

TavStatus CTavDbStoreBase::writeChanges(CTavSqliteDb& db, CTavSqliteTransaction& tx)
{
    // Read inside the write transaction: no other writer can come in between.
    const int64_t found = CTavDbStoreSchema::ReadWriteStamp(db);
    if (m_fullWrite || found != m_stamp) {
        const TavStatus merged = CTavDbStoreMerge(*this).Rebase(db);
        if (merged != TavStatusCode::Ok)
            return merged;
        m_lastWriteMerged = true;
        ++m_generation;
        // The other writer's records and ours together may not fit: nothing is written, the
        // merged records stay here for the user to thin out, and the next save merges again.
        if (m_liveCount > m_maxRecords)
            return TavStatusCode::RecordLimit;
        m_stamp = found;
        m_fullWrite = false;
    }
    if (m_orderChanged) {
        CTavDbStoreOrder::Renumber(m_records);
        CTavSqliteStatement st(db.handle(), "UPDATE records SET seq=? WHERE uid=?");
        for (const auto& rec : m_records) {
            if (m_changed.contains(rec->GetUniqueId()))
                continue; // written whole below
            st.bind(rec->m_storeSeq).bind(rec->GetUniqueId());
            if (st.exec() != SQLITE_OK)
                return TavStatusCode::FileError;
        }
    }
    if (!m_removed.isEmpty()) {
        CTavSqliteStatement st(db.handle(), "DELETE FROM records WHERE uid=?");
        for (uint32_t id : m_removed) {
            st.bind(id);
            if (st.exec() != SQLITE_OK)
                return TavStatusCode::FileError;
        }
    }
    if (!m_changed.isEmpty()) {
        CTavSqliteStatement st(db.handle(), m_schema.WriteRecordSql().constData());
        for (uint32_t id : m_changed) {
            const CTavDbPcRecord* rec = m_byId.value(id);
            if (rec && !writeRecord(st, *rec))
                return TavStatusCode::FileError;
        }
    }
    if (m_categoriesChanged && m_schema.WriteCategories(db, m_categories) != TavStatusCode::Ok)
        return TavStatusCode::FileError;
    const int64_t stamp = CTavDbStoreSchema::NewWriteStamp();
    if (CTavDbStoreSchema::WriteLastUniqueId(db, m_lastUniqueId) != TavStatusCode::Ok ||
        CTavDbStoreSchema::WriteWriteStamp(db, stamp) != TavStatusCode::Ok)
        return TavStatusCode::FileError;
    if (m_extraChanged) {
        const TavStatus extra = SaveExtra(db, false);
        if (extra != TavStatusCode::Ok)
            return extra;
    }
    if (!tx.commit())
        return TavStatusCode::FileError;
    m_stamp = stamp;
    m_seenFile = CTavDbFileUtil::fileState(m_filePath);
    m_fileLastUniqueId = m_lastUniqueId;
    markClean();
    return TavStatusCode::Ok;
}

bool CTavDbStoreBase::IsModified() const
{
    return m_fullWrite || HasPendingChanges();
}

bool CTavDbStoreBase::HasPendingChanges() const
{
    return !m_changed.isEmpty() || !m_removed.isEmpty() || m_orderChanged || m_categoriesChanged ||
           m_extraChanged;
}

void CTavDbStoreBase::markClean()
{
    m_baseCategories = m_categories;
    m_baseExtra = ExtraState();
    m_changed.clear();
    m_added.clear();
    m_removed.clear();
    m_orderChanged = m_categoriesChanged = m_extraChanged = false;
}

void CTavDbStoreBase::rebuildIndex()
{
    m_byId.clear();
    m_byId.reserve(static_cast<qsizetype>(m_records.size()));
    m_liveCount = 0;
    for (const auto& rec : m_records) {
        m_byId.insert(rec->GetUniqueId(), rec.get());
        if (!rec->IsDeleted())
            ++m_liveCount;
    }
}

CTavDbPcRecord* CTavDbStoreBase::FindRecord(uint32_t uniqueId) const
{
    return m_byId.value(uniqueId);
}

int CTavDbStoreBase::PositionOf(uint32_t uniqueId) const
{
    return CTavDbStoreOrder::PositionOf(m_records, m_byId.value(uniqueId));
}

void CTavDbStoreBase::followFileIds()
{
    // Cheap unless the file changed: then its ids are read, so that a record added here does
    // not take an id another writer has used since.
    if (m_archive)
        return; // an archive keeps no ids of other writers
    const QByteArray state = m_filePath.isEmpty() ? QByteArray() : CTavDbFileUtil::fileState(m_filePath);
    if (state.isEmpty() || state == m_seenFile)
        return;
    m_seenFile = state;
    CTavSqliteDb db;
    if (db.open(m_filePath, false, true) != SQLITE_OK)
        return;
    const int64_t highest = std::max<int64_t>(CTavDbStoreSchema::ReadLastUniqueId(db),
                                              db.queryInt("SELECT max(uid) FROM records", 0));
    if (highest > 0 && highest <= CTavDbPcRecord::kMaxUniqueId)
        m_lastUniqueId = std::max(m_lastUniqueId, static_cast<uint32_t>(highest));
}

uint32_t CTavDbStoreBase::nextUniqueId()
{
    followFileIds();
    uint32_t id = m_lastUniqueId;
    for (uint32_t tries = 0; tries < CTavDbPcRecord::kMaxUniqueId; ++tries) {
        id = id >= CTavDbPcRecord::kMaxUniqueId ? 1 : id + 1;
        if (!m_byId.contains(id)) {
            m_lastUniqueId = id;
            return id;
        }
    }
    return 0;
}

TavStatus CTavDbStoreBase::AddRecord(CTavDbPcRecord& record)
{
    return InsertRecord(record, -1);
}

void CTavDbStoreBase::ReserveForAdding(qsizetype count)
{
    m_records.reserve(m_records.size() + size_t(count));
    m_byId.reserve(m_byId.size() + count);
    m_changed.reserve(m_changed.size() + count);
    m_added.reserve(m_added.size() + count);
}

TavStatus CTavDbStoreBase::InsertRecord(CTavDbPcRecord& record, int position, bool take)
{
    if (m_liveCount >= m_maxRecords)
        return TavStatusCode::RecordLimit;
    const TavStatus check = CheckRecord(record);
    if (check != TavStatusCode::Ok)
        return check;
    const uint32_t id = nextUniqueId();
    if (id == 0)
        return TavStatusCode::RecordLimit;
    if (!FindCategoryById(record.GetCategoryID()))
        record.SetCategoryID(CTavDbPcRecord::kUnfiled);
    capture(id);
    record.SetUniqueId(id);
    record.setAttribute(CTavDbPcRecord::AttrDirty, true);
    std::unique_ptr<CTavDbPcRecord> copy = take ? record.TakeFields() : record.Clone();
    CTavDbPcRecord* raw = copy.get();
    if (position < 0 || position > static_cast<int>(m_records.size()))
        position = static_cast<int>(m_records.size());
    m_records.insert(m_records.begin() + position, std::move(copy));
    if (!CTavDbStoreOrder::KeyInserted(m_records, position))
        m_orderChanged = true;
    m_byId.insert(id, raw);
    ++m_liveCount;
    m_changed.insert(id);
    m_added.insert(id);
    m_removed.remove(id);
    InvalidateView();
    recordsChanged();
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::UpdateRecord(const CTavDbPcRecord& record)
{
    const uint32_t id = record.GetUniqueId();
    const int position = PositionOf(id);
    if (position < 0 || m_records[position]->IsDeleted())
        return TavStatusCode::NotFound;
    NoteUpdate(record);
    const auto it = m_records.begin() + position;
    const TavStatus check = CheckRecord(record);
    if (check != TavStatusCode::Ok)
        return check;
    if (it->get() == &record) {
        // The caller edited the stored record itself: keep the object, so pointers to it stay valid.
        if (!FindCategoryById(record.GetCategoryID()))
            (*it)->SetCategoryID(CTavDbPcRecord::kUnfiled);
        (*it)->setAttribute(CTavDbPcRecord::AttrDirty, true);
    } else {
        std::unique_ptr<CTavDbPcRecord> copy = record.Clone();
        copy->m_storeSeq = (*it)->m_storeSeq;
        if (!FindCategoryById(copy->GetCategoryID()))
            copy->SetCategoryID(CTavDbPcRecord::kUnfiled);
        copy->setAttribute(CTavDbPcRecord::AttrDirty, true);
        m_byId.insert(id, copy.get());
        *it = std::move(copy);
    }
    m_changed.insert(id);
    InvalidateView();
    recordsChanged();
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::DeleteRecord(uint32_t uniqueId, bool archive)
{
    const int position = PositionOf(uniqueId);
    if (position < 0 || m_records[position]->IsDeleted())
        return TavStatusCode::NotFound;
    capture(uniqueId);
    const auto it = m_records.begin() + position;
    if (archive) {
        (*it)->setAttribute(
            CTavDbPcRecord::AttrDeleted | CTavDbPcRecord::AttrArchived | CTavDbPcRecord::AttrDirty, true);
        m_changed.insert(uniqueId);
    } else {
        m_records.erase(it);
        m_byId.remove(uniqueId);
        m_changed.remove(uniqueId);
        // A record the file never held has nothing there to delete (its id may be another
        // writer's by now).
        if (!m_added.remove(uniqueId))
            m_removed.insert(uniqueId);
    }
    --m_liveCount;
    InvalidateView();
    recordsChanged();
    return TavStatusCode::Ok;
}

void CTavDbStoreBase::MarkChanged(uint32_t uniqueId)
{
    // The record has changed already: too late to capture it.
    if (m_journal && !m_journal->Has(uniqueId))
        m_journal->MarkIncomplete();
    m_changed.insert(uniqueId);
    InvalidateView();
    recordsChanged();
}

void CTavDbStoreBase::MoveRecordRange(int from, int count, int to)
{
    if (m_journal && from >= 0 && count > 0)
        for (int i = from; i < std::min(from + count, static_cast<int>(m_records.size())); ++i)
            capture(m_records[i]->GetUniqueId());
    bool renumber = false;
    const int start = CTavDbStoreOrder::MoveRange(m_records, from, count, to, &renumber);
    if (start < 0)
        return;
    m_orderChanged = m_orderChanged || renumber;
    for (int i = start; i < start + count; ++i)
        m_changed.insert(m_records[i]->GetUniqueId());
    InvalidateView();
    recordsChanged();
}

void CTavDbStoreBase::MarkOrderChanged()
{
    m_orderChanged = true;
    rebuildIndex();
    InvalidateView();
    recordsChanged();
}

bool CTavDbStoreBase::SortLess(const CTavDbPcRecord&, const CTavDbPcRecord&) const
{
    return false;
}

void CTavDbStoreBase::SortView(std::vector<CTavDbPcRecord*>& view) const
{
    const_cast<CTavDbStoreBase*>(this)->PrepareSort();
    std::stable_sort(view.begin(), view.end(),
                     [this](const CTavDbPcRecord* a, const CTavDbPcRecord* b) { return SortLess(*a, *b); });
}

int CTavDbStoreBase::GetCount() const
{
    return static_cast<int>(m_order.View(*this).size());
}

CTavDbPcRecord* CTavDbStoreBase::GetRecord(int index) const
{
    const std::vector<CTavDbPcRecord*>& view = m_order.View(*this);
    return index >= 0 && index < static_cast<int>(view.size()) ? view[index] : nullptr;
}

int CTavDbStoreBase::IndexOf(uint32_t uniqueId) const
{
    return m_order.IndexOf(*this, m_byId.value(uniqueId));
}
