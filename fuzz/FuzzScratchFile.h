#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

// One file that the readers of files on disk get each input in. It lives in a folder of its
// own, in memory (/dev/shm) where there is one, for the whole run, and whatever a reader left
// beside it (journals, lock files, renamed copies) goes before the next input.
class FuzzScratchFile final
{
public:
    explicit FuzzScratchFile(const QString& name)
        : m_dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/lumora-fuzz-XXXXXX") : QString()),
          m_path(m_dir.filePath(name))
    {
        if (!m_dir.isValid())
            std::abort();
    }
    Q_DISABLE_COPY_MOVE(FuzzScratchFile)

    QString path() const { return m_path; }
    QString sibling(const QString& name) const { return m_dir.filePath(name); }

    void write(const uint8_t* data, size_t size)
    {
        // Plain system calls: this runs for every input, and the folder holds a few files.
        if (DIR* dir = ::opendir(QFile::encodeName(m_dir.path()).constData())) {
            while (const dirent* entry = ::readdir(dir)) {
                if (entry->d_name[0] != '.' || (entry->d_name[1] && entry->d_name[1] != '.'))
                    ::unlinkat(::dirfd(dir), entry->d_name, 0);
            }
            ::closedir(dir);
        }
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 || (size && ::write(fd, data, size) != ssize_t(size)))
            std::abort();
        ::close(fd);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
