#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "CTavDbCategory.h"
#include "CTavDbPalmCategoryInfo.h"
#include "CTavDbPalmDate.h"
#include "CTavDbTime.h"
#include "TavStatus.h"

// A handheld database file: a record database (.pdb) or a resource database (.prc), big-endian.
// Everything that is not interpreted (the name's bytes after its NUL, the gap after the entry
// list, the app info and sort info blocks, the bytes between records) is kept as read, so a
// database loaded and saved unchanged is byte-identical.
class CTavDbPalmDatabase final
{
public:
    enum Attribute : uint16_t
    {
        AttrResDB = 0x0001,
        AttrReadOnly = 0x0002,
        AttrAppInfoDirty = 0x0004,
        AttrBackup = 0x0008,
        AttrOkToInstallNewer = 0x0010,
        AttrResetAfterInstall = 0x0020,
        AttrCopyPrevention = 0x0040,
        AttrStream = 0x0080,
        AttrHidden = 0x0100,
        AttrLaunchableData = 0x0200,
        AttrRecyclable = 0x0400,
        AttrBundle = 0x0800,
        AttrOpen = 0x8000,
    };
    enum RecordAttribute : uint8_t
    {
        RecAttrDelete = 0x80,
        RecAttrDirty = 0x40,
        RecAttrBusy = 0x20,
        RecAttrSecret = 0x10,
        RecAttrCategoryMask = 0x0F,
    };

    static constexpr int HeaderSize = 78;
    static constexpr int NameSize = 32;
    static constexpr int RecordEntrySize = 8;
    static constexpr int ResourceEntrySize = 10;
    static constexpr int MaxEntries = 0xFFFF;
    static constexpr uint32_t MaxUniqueId = 0xFFFFFF;

    CTavDbPalmDatabase();

    // An empty database bound to the path, named after the file, dated now. Nothing is written
    // until Save.
    TavStatus Create(const QString& path, uint32_t type, uint32_t creator, bool resourceDatabase = false);
    // A file that cannot be read leaves the object as it was (GetErrorText says why).
    TavStatus LoadFromFile(const QString& path);
    TavStatus LoadFromBytes(const QByteArray& bytes);
    // Reads only the 78-byte header of a file: enough to pick files by type and creator.
    static TavStatus PeekHeader(const QString& path, uint32_t* type, uint32_t* creator);

    // The whole file as it would be written.
    QByteArray ToBytes() const;
    // Writes atomically; the old file stays when anything fails.
    TavStatus SaveToFile(const QString& path) const;
    TavStatus Save() const { return SaveToFile(m_path); }

    const QString& GetPath() const { return m_path; }
    void SetPath(const QString& path) { m_path = path; }
    // Why the last load failed, for messages.
    const QString& GetErrorText() const { return m_error; }

    QString GetName() const;
    // At most 31 bytes in code page 932.
    TavStatus SetName(const QString& name);
    QByteArray GetNameBytes() const { return m_name; }
    uint16_t GetAttributes() const { return m_attributes; }
    // The resource bit is fixed by the kind of database and cannot be changed here.
    void SetAttributes(uint16_t attributes);
    bool IsResourceDatabase() const { return (m_attributes & AttrResDB) != 0; }
    uint16_t GetVersion() const { return m_version; }
    void SetVersion(uint16_t version) { m_version = version; }
    uint32_t GetCreationDateRaw() const { return m_created; }
    void SetCreationDateRaw(uint32_t value) { m_created = value; }
    uint32_t GetModificationDateRaw() const { return m_modified; }
    void SetModificationDateRaw(uint32_t value) { m_modified = value; }
    uint32_t GetBackupDateRaw() const { return m_backedUp; }
    void SetBackupDateRaw(uint32_t value) { m_backedUp = value; }
    TavTime GetCreationDate() const { return CTavDbPalmDate::SecondsToTime(m_created); }
    void SetCreationDate(TavTime time) { m_created = CTavDbPalmDate::TimeToSeconds(time); }
    TavTime GetModificationDate() const { return CTavDbPalmDate::SecondsToTime(m_modified); }
    void SetModificationDate(TavTime time) { m_modified = CTavDbPalmDate::TimeToSeconds(time); }
    TavTime GetBackupDate() const { return CTavDbPalmDate::SecondsToTime(m_backedUp); }
    void SetBackupDate(TavTime time) { m_backedUp = CTavDbPalmDate::TimeToSeconds(time); }
    uint32_t GetModificationNumber() const { return m_modificationNumber; }
    void SetModificationNumber(uint32_t value) { m_modificationNumber = value; }
    uint32_t GetType() const { return m_type; }
    void SetType(uint32_t type) { m_type = type; }
    uint32_t GetCreator() const { return m_creator; }
    void SetCreator(uint32_t creator) { m_creator = creator; }
    uint32_t GetUniqueIdSeed() const { return m_uniqueIdSeed; }
    void SetUniqueIdSeed(uint32_t seed) { m_uniqueIdSeed = seed; }

    bool HasAppInfo() const { return m_hasAppInfo; }
    const QByteArray& GetAppInfo() const { return m_appInfo; }
    void SetAppInfo(const QByteArray& block);
    void RemoveAppInfo();
    bool HasSortInfo() const { return m_hasSortInfo; }
    const QByteArray& GetSortInfo() const { return m_sortInfo; }
    void SetSortInfo(const QByteArray& block);
    void RemoveSortInfo();

    // The standard category block at the start of the app info.
    bool HasCategoryInfo() const;
    // False when the app info holds no category block.
    bool GetCategoryInfo(CTavDbPalmCategoryInfo* info) const;
    // Writes the block into the app info, keeping what follows it; creates the app info when
    // there is none.
    TavStatus SetCategoryInfo(const CTavDbPalmCategoryInfo& info);
    // The named categories as the stores list them.
    QList<CTavDbCategory> GetCategories() const;
    // A category id not used by any named category, from the range the PC assigns (128-255),
    // starting after the last id given; 0 when all are taken.
    uint8_t GetFreeCategoryUniqueId() const;

    // Records or resources, by position in the entry list.
    int GetRecordCount() const { return static_cast<int>(m_entries.size()); }
    // Valid while the database lives and the record is not changed.
    QByteArrayView GetRecordView(int index) const;
    QByteArray GetRecord(int index) const { return GetRecordView(index).toByteArray(); }
    int GetRecordSize(int index) const { return static_cast<int>(GetRecordView(index).size()); }

    uint8_t GetRecordAttributes(int index) const;
    int GetRecordCategory(int index) const { return GetRecordAttributes(index) & RecAttrCategoryMask; }
    uint32_t GetRecordUniqueId(int index) const;
    int FindRecordByUniqueId(uint32_t uniqueId) const;
    // Appends a record with a new unique id (returned through uniqueId when given).
    TavStatus AddRecord(const QByteArray& data, uint8_t attributes = 0, uint32_t* uniqueId = nullptr);
    // Inserts at index (GetRecordCount() appends) with the given unique id; 0 asks for a new one.
    TavStatus InsertRecord(int index, const QByteArray& data, uint8_t attributes, uint32_t uniqueId);
    TavStatus SetRecord(int index, const QByteArray& data);
    TavStatus SetRecordAttributes(int index, uint8_t attributes);
    TavStatus RemoveRecord(int index);
    TavStatus RemoveRecordByUniqueId(uint32_t uniqueId);

    uint32_t GetResourceType(int index) const;
    uint16_t GetResourceId(int index) const;
    int FindResource(uint32_t type, uint16_t id) const;
    TavStatus AddResource(uint32_t type, uint16_t id, const QByteArray& data);

private:
    struct Entry
    {
        uint32_t type = 0;
        uint16_t id = 0;
        uint8_t attributes = 0;
        uint32_t uniqueId = 0;
        // Loaded data stays in m_source; changed data lives in `data`.
        qsizetype offset = 0;
        qsizetype size = 0;
        QByteArray data;
        bool owned = false;
    };

    void clear();
    TavStatus fail(TavStatus status, const QString& text);
    TavStatus parse(const QByteArray& bytes);
    TavStatus parseEntries(const uchar* p, qsizetype fileSize, std::vector<qsizetype>* offsets);
    bool validIndex(int index) const { return index >= 0 && index < GetRecordCount(); }
    uint32_t newUniqueId() const;
    bool idUsed(uint32_t uniqueId) const;
    int entrySize() const { return IsResourceDatabase() ? ResourceEntrySize : RecordEntrySize; }

    QString m_path;
    QString m_error;
    QByteArray m_source;
    QByteArray m_name;
    uint16_t m_attributes = 0;
    uint16_t m_version = 0;
    uint32_t m_created = 0;
    uint32_t m_modified = 0;
    uint32_t m_backedUp = 0;
    uint32_t m_modificationNumber = 0;
    uint32_t m_type = 0;
    uint32_t m_creator = 0;
    uint32_t m_uniqueIdSeed = 0;
    QByteArray m_gap;
    bool m_hasAppInfo = false;
    QByteArray m_appInfo;
    bool m_hasSortInfo = false;
    QByteArray m_sortInfo;
    std::vector<Entry> m_entries;
    // The highest record id seen, so that new ids never repeat one of a removed record.
    uint32_t m_highestId = 0;
    // Built on the first duplicate check, then kept up to date.
    mutable std::unordered_map<uint32_t, int> m_idCounts;
    mutable bool m_idCountsValid = false;
};
