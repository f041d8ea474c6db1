#include "TStreamFile.h"

#include "TStreamFileError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TStreamFile::~TStreamFile()
{
    close();
}

bool TStreamFile::open(const QString& fileName, int mode)
{
    close();
    int flags = O_CLOEXEC;
    if ((mode & (Read | Write)) == (Read | Write))
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    else if (mode & Write)
        flags |= O_WRONLY | O_CREAT | O_TRUNC;
    else if (mode & Read)
        flags |= O_RDONLY;
    else
        return false;
    const QByteArray path = QFile::encodeName(fileName);
    int handle;
    do {
        handle = ::open(path.constData(), flags, 0666);
    } while (handle < 0 && errno == EINTR);
    if (handle < 0)
        return false;
    m_handle = handle;
    m_mode = mode & (Read | Write);
    return true;
}

void TStreamFile::close()
{
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
    m_mode = 0;
}

qint64 TStreamFile::read(void* buffer, qint64 size)
{
    if (m_handle < 0 || size <= 0)
        return 0;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n =
            ::read(m_handle, static_cast<char*>(buffer) + done, static_cast<size_t>(size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw TStreamFileError("TStreamFile::Read() error!", errno);
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

qint64 TStreamFile::write(const void* buffer, qint64 size)
{
    if (m_handle < 0 || size <= 0)
        return 0;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n =
            ::write(m_handle, static_cast<const char*>(buffer) + done, static_cast<size_t>(size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw TStreamFileError("TStreamFile::Write() error!", errno);
        }
        if (n == 0)
            throw TStreamFileError("TStreamFile::Write() error!", EIO);
        done += n;
    }
    return done;
}

qint64 TStreamFile::seek(qint64 offset, Origin origin)
{
    if (m_handle < 0)
        return -1;
    const int whence = origin == Current ? SEEK_CUR : origin == End ? SEEK_END : SEEK_SET;
    return ::lseek(m_handle, static_cast<off_t>(offset), whence);
}

qint64 TStreamFile::position() const
{
    return m_handle < 0 ? -1 : ::lseek(m_handle, 0, SEEK_CUR);
}

qint64 TStreamFile::size() const
{
    struct stat info;
    if (m_handle < 0 || ::fstat(m_handle, &info) != 0)
        return -1;
    return info.st_size;
}

bool TStreamFile::truncate()
{
    const qint64 at = position();
    return at >= 0 && ::ftruncate(m_handle, static_cast<off_t>(at)) == 0;
}

bool TStreamFile::sync()
{
    return m_handle >= 0 && ::fsync(m_handle) == 0;
}
