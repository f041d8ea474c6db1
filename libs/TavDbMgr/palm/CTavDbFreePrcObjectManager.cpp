#include "CTavDbFreePrcObjectManager.h"

#include <QDir>
#include <QFileInfo>

#include "CTavDbBackupFolder.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbText.h"

namespace {
bool isResourceFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".prc"), Qt::CaseInsensitive);
}

QStringList resourceFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Readable, QDir::Name);
    names.removeIf([](const QString& name) { return !isResourceFileName(name); });
    return names;
}
} // namespace

CTavDbFreePrcObjectManager::CTavDbFreePrcObjectManager(const QStringList& folders)
    : m_folders(folders), m_generation(CTavDbBackupFolder::Generation())
{
}

CTavDbFreePrcObjectManager::~CTavDbFreePrcObjectManager() = default;

void CTavDbFreePrcObjectManager::SetFolders(const QStringList& folders)
{
    m_folders = folders;
    Reset();
}

void CTavDbFreePrcObjectManager::Reset()
{
    m_cache.clear();
    m_resolved.clear();
    m_generation = CTavDbBackupFolder::Generation();
}

void CTavDbFreePrcObjectManager::resetWhenFolderChanged()
{
    if (m_generation != CTavDbBackupFolder::Generation())
        Reset();
}

QString CTavDbFreePrcObjectManager::resolve(const QString& databaseName)
{
    const QString name = QFileInfo(databaseName).fileName();
    if (name.isEmpty())
        return QString();
    const QString wanted = (isResourceFileName(name) ? name : name + QStringLiteral(".prc")).toLower();
    resetWhenFolderChanged();
    if (auto it = m_resolved.constFind(wanted); it != m_resolved.constEnd())
        return *it;
    QString path;
    for (const QString& folder : m_folders) {
        for (const QString& file : resourceFiles(folder)) {
            if (file.toLower() == wanted) {
                path = QDir(folder).filePath(file);
                break;
            }
        }
        if (!path.isEmpty())
            break;
    }
    m_resolved.insert(wanted, path);
    return path;
}

std::shared_ptr<CTavDbPalmDatabase> CTavDbFreePrcObjectManager::open(const QString& path)
{
    const QFileInfo info(path);
    auto it = m_cache.find(path);
    if (it != m_cache.end() && it->modified == info.lastModified() && it->size == info.size())
        return it->database;
    auto database = std::make_shared<CTavDbPalmDatabase>();
    if (database->LoadFromFile(path) != TavStatusCode::Ok || !database->IsResourceDatabase())
        database.reset();
    m_cache.insert(path, Cached{info.lastModified(), info.size(), database});
    return database;
}

QByteArray CTavDbFreePrcObjectManager::FindResource(const QString& databaseName, uint32_t type, uint16_t id)
{
    const QString path = resolve(databaseName);
    if (path.isEmpty())
        return QByteArray();
    const std::shared_ptr<CTavDbPalmDatabase> database = open(path);
    if (!database)
        return QByteArray();
    return database->GetRecord(database->FindResource(type, id));
}

QByteArray CTavDbFreePrcObjectManager::FindResourceA(const QByteArray& databaseName, uint32_t type,
                                                     uint16_t id)
{
    return FindResource(CTavDbText::fromCp932(databaseName), type, id);
}

QStringList CTavDbFreePrcObjectManager::GetDatabaseNames() const
{
    QStringList names;
    for (const QString& folder : m_folders)
        for (const QString& file : resourceFiles(folder))
            if (!names.contains(file, Qt::CaseInsensitive))
                names.append(file);
    return names;
}

QList<CTavDbFreePrcObjectManager::ResourceRef>
CTavDbFreePrcObjectManager::ListResources(const QString& databaseName, uint32_t type)
{
    QList<ResourceRef> refs;
    const QString path = resolve(databaseName);
    const std::shared_ptr<CTavDbPalmDatabase> database = path.isEmpty() ? nullptr : open(path);
    if (!database)
        return refs;
    const QString file = QFileInfo(path).fileName();
    for (int i = 0; i < database->GetRecordCount(); ++i)
        if (database->GetResourceType(i) == type)
            refs.append(ResourceRef{file, type, database->GetResourceId(i)});
    return refs;
}

QList<CTavDbFreePrcObjectManager::ResourceRef> CTavDbFreePrcObjectManager::ListAllResources(uint32_t type)
{
    QList<ResourceRef> refs;
    for (const QString& name : GetDatabaseNames())
        refs += ListResources(name, type);
    return refs;
}
