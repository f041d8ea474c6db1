#include "CTavRuntimeDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {
// The session's runtime folder is private to the user; without one, a folder of our own in the
// temporary folder, named with the user id and checked for its owner below.
QString basePath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return QDir::tempPath() + QStringLiteral("/lumora-%1").arg(::getuid());
    return runtime + QStringLiteral("/lumora");
}
} // namespace

QString CTavRuntimeDir::path()
{
    QString dir = QString::fromLocal8Bit(qgetenv("LUMORA_RUNTIME_DIR"));
    if (dir.isEmpty()) {
        dir = basePath();
        const QByteArray config = qgetenv("LUMORA_CONFIG_DIR");
        if (!config.isEmpty()) {
            const QByteArray absolute = QDir(QString::fromLocal8Bit(config)).absolutePath().toUtf8();
            dir += u'-' + QString::fromLatin1(
                              QCryptographicHash::hash(absolute, QCryptographicHash::Sha1).toHex().left(12));
        }
    }
    dir = QDir(dir).absolutePath();
    if (!QFileInfo::exists(dir)) {
        if (!QDir().mkpath(dir))
            return {};
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Another user's folder of that name could be used to intercept the sockets.
    const QFileInfo info(dir);
    if (!info.isDir() || info.ownerId() != ::getuid())
        return {};
    return dir;
}

QString CTavRuntimeDir::filePath(const QString& name)
{
    const QString dir = path();
    return dir.isEmpty() ? QString() : dir + u'/' + name;
}
