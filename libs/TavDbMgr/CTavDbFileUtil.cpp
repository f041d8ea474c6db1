#include "CTavDbFileUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
void syncFolderOf(const QString& path)
{
    const QByteArray dir = QFileInfo(path).absolutePath().toLocal8Bit();
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

bool CTavDbFileUtil::writeAtomically(const QString& path, const QByteArray& bytes)
{
    if (!ensureDirectory(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolderOf(path);
    return true;
}

QString CTavDbFileUtil::temporaryPathFor(const QString& path)
{
    return path + QStringLiteral(".tmp-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

bool CTavDbFileUtil::replaceWith(const QString& temporaryPath, const QString& path)
{
    if (::rename(temporaryPath.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0)
        return false;
    syncFolderOf(path);
    return true;
}

bool CTavDbFileUtil::ensureDirectory(const QString& path)
{
    return QDir().mkpath(path);
}
