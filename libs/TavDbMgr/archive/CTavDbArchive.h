#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

#include "CTavDbArchiveFile.h"
#include "CTavDbCategory.h"
#include "TavStatus.h"

class CTavDbArchiveConverter;
class CTavDbPcRecord;
class CTavDbStoreBase;

// A desktop data or archive file held by a store in place of its own file. The file's header
// and every record's bytes are kept, with a fingerprint of what the store made of each record,
// so that records the store did not change are written back exactly as they were read.
class CTavDbArchive final
{
public:
    explicit CTavDbArchive(const CTavDbArchiveConverter& converter);

    const CTavDbArchiveConverter& Converter() const { return m_converter; }
    const CTavDbArchiveFile& File() const { return m_file; }

    // The archive kind an extension names: .dba, .aba, .tda, .mpa; .dat names every kind.
    static bool IsArchivePath(const QString& path);
    static bool ExtensionAllows(const QString& path, CTavDbArchiveFile::Kind kind);
    // Ok for an archive of the kind, Unsupported for the later layout, WrongKind for another
    // kind's, NotOurFile for anything else (a store file included).
    static TavStatus Check(const QByteArray& head, CTavDbArchiveFile::Kind kind);
    // The whole file; FileError when it cannot be read or is far beyond any archive's size.
    static TavStatus ReadFile(const QString& path, QByteArray* bytes);

    struct Loaded
    {
        std::vector<std::unique_ptr<CTavDbPcRecord>> records;
        QList<CTavDbCategory> categories; // unfiled first
        uint32_t lastUniqueId = 0;
    };
    // Reads a whole file; nothing of this object changes unless it reads whole.
    TavStatus Read(const QByteArray& bytes, int maxRecords, int maxCategories, Loaded* out);
    // A file of the kind with no records yet, named after the path.
    void StartNew(const QString& path);

    struct Entry
    {
        uint32_t uid = 0;
        qsizetype offset = 0;
        qsizetype length = 0;
        size_t fingerprint = 0;
        uint8_t form = 0; // of the repeat field: 0 no rule, 1 with the class header, 2 a reference
    };
    struct Built
    {
        QByteArray bytes;
        CTavDbArchiveFile file;
        std::vector<Entry> entries;
    };
    // The file for the store's live records and categories.
    Built Build(const CTavDbStoreBase& store) const;
    // Takes a built file as the one now on disk.
    void Adopt(Built&& built);

private:
    size_t fingerprint(const CTavDbPcRecord& record) const;
    QList<CTavDbArchiveCategory> buildCategories(const QList<CTavDbCategory>& categories,
                                                 uint32_t* nextFree) const;

    const CTavDbArchiveConverter& m_converter;
    CTavDbArchiveFile m_file;
    QByteArray m_source; // the file as read or last written
    std::vector<Entry> m_entries;
    QHash<uint32_t, int> m_byUid;
    bool m_repeatingFirst = true; // the file keeps its repeating records before the others
};
