#pragma once

#include <QList>
#include <QString>

// The handheld applications and databases that wait in a user's install folder until the
// next HotSync carries them to the handheld.
class InstallQueue final
{
public:
    struct Entry
    {
        QString fileName;
        QString databaseName;
        qint64 size = 0;
    };

    explicit InstallQueue(QString folder);
    // The install folder inside a user's data folder (a path that ends with a separator).
    static QString FolderOfUser(const QString& userPath);

    QString folder() const { return m_folder; }
    // The queued files in file-name order; files that are not databases are left out.
    QList<Entry> entries() const;
    // Copies the file into the queue. A queued file of the same database name is replaced, as
    // the handheld would replace it. Returns the message for the user, empty on success.
    QString add(const QString& sourcePath);
    bool remove(const QString& fileName);
    // Whether a file of that name waits in the queue.
    bool contains(const QString& fileName) const;

private:
    QString m_folder;
};
