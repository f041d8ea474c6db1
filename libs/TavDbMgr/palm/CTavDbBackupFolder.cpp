#include "CTavDbBackupFolder.h"

#include <QDir>
#include <QtEndian>
#include <atomic>

#include "CTavDbEnv.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbUser.h"

namespace {
std::atomic<uint64_t> g_generation{0};
} // namespace

void CTavDbBackupFolder::MarkChanged()
{
    ++g_generation;
}

uint64_t CTavDbBackupFolder::Generation()
{
    return g_generation.load();
}

QString CTavDbBackupFolder::Path(const CTavDbUser& user)
{
    const QString root = user.GetCurrUserPath();
    return root.isEmpty() ? QString() : root + CTavDbEnv::GetBackupDir() + u'/';
}

int CTavDbBackupFolder::HeaderYear(const CTavDbPalmDatabase& database)
{
    const QByteArrayView header = database.GetRecordView(0);
    if (header.size() < YearOffset + 2)
        return -1;
    return qFromBigEndian<uint16_t>(header.data() + YearOffset);
}

int CTavDbBackupFolder::FindYearDatabase(const QString& folder, uint32_t creator, uint32_t type, int year,
                                         const std::function<bool(const CTavDbPalmDatabase&)>& accept,
                                         CTavDbPalmDatabase* found)
{
    if (folder.isEmpty())
        return -1;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.pdb")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        const QString path = dir.filePath(file);
        // The header alone tells most files apart; only candidates are read whole.
        uint32_t fileType = 0;
        uint32_t fileCreator = 0;
        if (CTavDbPalmDatabase::PeekHeader(path, &fileType, &fileCreator) != TavStatusCode::Ok ||
            fileType != type || fileCreator != creator)
            continue;
        CTavDbPalmDatabase database;
        if (database.LoadFromFile(path) != TavStatusCode::Ok || database.IsResourceDatabase() ||
            HeaderYear(database) != year || !accept(database))
            continue;
        *found = std::move(database);
        return 0;
    }
    return -1;
}
