#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class CTavDbPalmDatabase;

// The handheld-application resource store: the resource databases (.prc) of the handheld's
// applications that the HotSync backup leaves in the user's backup folder
// (CTavDbBackupFolder::Path). More folders can follow, searched in order (for databases that
// come with the program). Databases are named by file name, compared without regard to case;
// opened databases are kept until their file changes.
class CTavDbFreePrcObjectManager final
{
public:
    struct ResourceRef
    {
        QString database; // file name, as found on disk
        uint32_t type = 0;
        uint16_t id = 0;
        bool operator==(const ResourceRef&) const = default;
    };

    explicit CTavDbFreePrcObjectManager(const QStringList& folders = {});
    ~CTavDbFreePrcObjectManager();
    Q_DISABLE_COPY_MOVE(CTavDbFreePrcObjectManager)

    void SetFolders(const QStringList& folders);
    const QStringList& GetFolders() const { return m_folders; }
    // Forgets every opened database and every name looked for; done by itself after
    // CTavDbBackupFolder::MarkChanged.
    void Reset();

    // The resource's bytes; empty when the database or the resource is not there. The name may
    // leave off the ".prc" extension.
    QByteArray FindResource(const QString& databaseName, uint32_t type, uint16_t id);
    // The same with a name in code page 932, as the handheld's records carry it.
    QByteArray FindResourceA(const QByteArray& databaseName, uint32_t type, uint16_t id);

    // The file names of every resource database of the store, sorted, the first folder's first.
    QStringList GetDatabaseNames() const;
    // The resources of one type in one database, in the database's order.
    QList<ResourceRef> ListResources(const QString& databaseName, uint32_t type);
    // The resources of one type in every database of the store.
    QList<ResourceRef> ListAllResources(uint32_t type);

private:
    struct Cached
    {
        QDateTime modified;
        qint64 size = -1;
        std::shared_ptr<CTavDbPalmDatabase> database;
    };
    void resetWhenFolderChanged();
    QString resolve(const QString& databaseName);
    std::shared_ptr<CTavDbPalmDatabase> open(const QString& path);

    QStringList m_folders;
    QHash<QString, Cached> m_cache;
    // Lower-case name asked for -> path found (empty when none), so that drawing many icons
    // does not list the folders each time.
    QHash<QString, QString> m_resolved;
    uint64_t m_generation;
};
