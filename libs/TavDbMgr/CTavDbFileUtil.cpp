#include "CTavDbFileUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
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
    // QSaveFile copies the mode of the file it replaces; ours are for the owner alone.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
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
    if (::chmod(temporaryPath.toLocal8Bit().constData(), S_IRUSR | S_IWUSR) != 0 ||
        ::rename(temporaryPath.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0)
        return false;
    syncFolderOf(path);
    return true;
}

bool CTavDbFileUtil::ensureDirectory(const QString& path)
{
    // Made one level at a time, so that every folder we add is the owner's alone.
    const QFileInfo info(QDir::cleanPath(QDir(path).absolutePath()));
    if (info.isDir())
        return true;
    const QString parent = info.path();
    if (parent != info.filePath() && !ensureDirectory(parent))
        return false;
    return QDir().mkdir(info.filePath(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner) ||
           QFileInfo(info.filePath()).isDir();
}

QByteArray CTavDbFileUtil::fileState(const QString& path, bool identityOnly)
{
    struct stat st
    {
    };
    if (::stat(path.toLocal8Bit().constData(), &st) != 0)
        return QByteArray();
    const int64_t values[] = {static_cast<int64_t>(st.st_dev), static_cast<int64_t>(st.st_ino),
                              static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_mtim.tv_sec),
                              static_cast<int64_t>(st.st_mtim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char*>(values),
                      identityOnly ? 2 * sizeof(int64_t) : sizeof(values));
}
