#include "CTavDbStoreBase.h"

#include <QFileInfo>

#include "CTavDbFileUtil.h"
#include "archive/CTavDbArchive.h"
#include "archive/CTavDbArchiveConverter.h"

// The other desktop program's archive files, opened in place of the store file.

TavStatus CTavDbStoreBase::loadArchive(const QString& path)
{
    QByteArray bytes;
    auto archive = std::make_unique<CTavDbArchive>(*ArchiveConverter());
    CTavDbArchive::Loaded loaded;
    TavStatus status = CTavDbArchive::ReadFile(path, &bytes);
    if (status == TavStatusCode::Ok)
        status = archive->Read(bytes, m_maxRecords, kMaxCategories, &loaded);
    if (status != TavStatusCode::Ok) {
        if (path == m_filePath)
            m_fileBroken = true;
        return status;
    }
    std::unique_ptr<CTavDbStoreBase> fresh = NewStore();
    fresh->m_records = std::move(loaded.records);
    fresh->m_categories = std::move(loaded.categories);
    fresh->m_lastUniqueId = loaded.lastUniqueId;
    fresh->m_seenFile = CTavDbFileUtil::fileState(path);
    archive->Converter().HeaderToStore(archive->File(), *fresh);
    m_archive = std::move(archive);
    adoptLoaded(*fresh, path);
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::writeArchive()
{
    if (m_fileBroken)
        return TavStatusCode::Corrupt;
    if (!IsModified() && QFileInfo::exists(m_filePath))
        return TavStatusCode::Ok;
    // Another program wrote the file since: its records cannot be merged into an archive.
    if (CTavDbFileUtil::fileState(m_filePath) != m_seenFile)
        return TavStatusCode::Conflict;
    CTavDbArchive::Built built = m_archive->Build(*this);
    if (!CTavDbFileUtil::writeAtomically(m_filePath, built.bytes))
        return TavStatusCode::FileError;
    m_archive->Adopt(std::move(built));
    m_seenFile = CTavDbFileUtil::fileState(m_filePath);
    m_fileLastUniqueId = m_lastUniqueId;
    markClean();
    return TavStatusCode::Ok;
}

TavStatus CTavDbStoreBase::writeArchiveTo(const QString& path) const
{
    const CTavDbArchiveConverter* converter = ArchiveConverter();
    if (!converter)
        return TavStatusCode::Refused;
    if (!CTavDbArchive::ExtensionAllows(path, converter->Kind()))
        return TavStatusCode::WrongKind;
    CTavDbArchive archive = m_archive ? CTavDbArchive(*m_archive) : CTavDbArchive(*converter);
    if (!m_archive)
        archive.StartNew(path);
    const CTavDbArchive::Built built = archive.Build(*this);
    if (!CTavDbFileUtil::ensureDirectory(QFileInfo(path).absolutePath()) ||
        !CTavDbFileUtil::writeAtomically(path, built.bytes))
        return TavStatusCode::FileError;
    return TavStatusCode::Ok;
}
