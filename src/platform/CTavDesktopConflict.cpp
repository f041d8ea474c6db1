#include "CTavDesktopConflict.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// The kernel keeps only this many characters of a process's own name.
constexpr qsizetype kCommLength = 15;
constexpr qint64 kMaxArgumentRead = 4096;

QString fileNameOf(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QByteArray readSmall(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return file.read(limit);
}

bool ownedByUs(const QString& procEntry)
{
    struct stat info;
    return ::stat(QFile::encodeName(procEntry).constData(), &info) == 0 && info.st_uid == ::getuid();
}

struct ProcessNames
{
    QString comm;      // the kernel's short name, cut to kCommLength
    QStringList files; // the file of the executable, the file name of the first argument
};

ProcessNames namesOf(const QString& procEntry)
{
    ProcessNames names;
    names.comm = QString::fromLocal8Bit(readSmall(procEntry + QStringLiteral("/comm"), 64)).trimmed();
    const QString exe = QFile::symLinkTarget(procEntry + QStringLiteral("/exe"));
    if (!exe.isEmpty())
        names.files << QFileInfo(exe).fileName();
    const QByteArray arguments = readSmall(procEntry + QStringLiteral("/cmdline"), kMaxArgumentRead);
    const QString first = QString::fromLocal8Bit(arguments.left(arguments.indexOf('\0')));
    if (!first.isEmpty())
        names.files << fileNameOf(first);
    return names;
}

bool matches(const ProcessNames& process, const QString& wanted)
{
    for (const QString& file : process.files) {
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    // The kernel's short name is cut, so it only decides for names that fit it whole.
    return wanted.size() <= kCommLength && process.comm.compare(wanted, Qt::CaseInsensitive) == 0;
}
} // namespace

CTavDesktopConflict::CTavDesktopConflict(QObject* parent) : QObject(parent)
{
    const QString overridden = qEnvironmentVariable("LUMORA_CONFLICT_PROCESSES");
    m_names = qEnvironmentVariableIsSet("LUMORA_CONFLICT_PROCESSES")
                  ? overridden.split(u':', Qt::SkipEmptyParts)
                  : defaultProcessNames();
}

QStringList CTavDesktopConflict::defaultProcessNames()
{
    return {QStringLiteral("PalmDesktop"), QStringLiteral("PalmDesktop.exe"), QStringLiteral("palm-desktop")};
}

bool CTavDesktopConflict::isRunning() const
{
    if (m_names.isEmpty())
        return false;
    const QString self = QString::number(::getpid());
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : entries) {
        if (pid.isEmpty() || !pid.front().isDigit() || pid == self)
            continue;
        const QString entry = QStringLiteral("/proc/") + pid;
        if (!ownedByUs(entry))
            continue;
        const ProcessNames names = namesOf(entry);
        for (const QString& wanted : m_names) {
            if (matches(names, wanted))
                return true;
        }
    }
    return false;
}

void CTavDesktopConflict::startWatching(int intervalMs)
{
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, &CTavDesktopConflict::poll);
    }
    m_wasRunning = false;
    m_timer->start(intervalMs);
}

void CTavDesktopConflict::stopWatching()
{
    if (m_timer)
        m_timer->stop();
}

void CTavDesktopConflict::poll()
{
    const bool running = isRunning();
    if (running && !m_wasRunning)
        emit started();
    m_wasRunning = running;
}
