#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtGlobal>

#include "CTavDbEnv.h"

// A private data root for one test, removed afterwards; the process's data and config
// folders point into it so that nothing of the developer's own data is touched.
class TestDataDir
{
public:
    TestDataDir()
    {
        m_dir.setAutoRemove(true);
        qputenv("LUMORA_DATA_DIR", m_dir.filePath(QStringLiteral("data")).toUtf8());
        qputenv("LUMORA_CONFIG_DIR", m_dir.filePath(QStringLiteral("config")).toUtf8());
        CTavDbEnv::SetCorePath(m_dir.filePath(QStringLiteral("data")) + u'/');
        QDir().mkpath(m_dir.filePath(QStringLiteral("data")));
    }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString dataPath() const { return m_dir.filePath(QStringLiteral("data")) + u'/'; }
    // A file's bytes; empty when it cannot be read.
    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Dates the file seconds ahead, as another program's later write would: two writes within one
    // tick of the file system's clock share a time stamp.
    static bool DateAhead(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) &&
               file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    }
    // Writes the bytes, making the folders on the way; false when it fails.
    static bool WriteFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_dir;
};
