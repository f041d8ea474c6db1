#include "HsLogFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include "CTavDbClock.h"
#include "CTavDbFileUtil.h"
#include "CTavPlatformPaths.h"

namespace {
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
constexpr int kLockWaitMs = 2000;

QByteArray lineOf(const HsLogFile::Entry& entry)
{
    QString text = entry.text;
    text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return entry.time.toString(Qt::ISODate).toUtf8() + '\t' + text.toUtf8() + '\n';
}

bool writeEntries(const QList<HsLogFile::Entry>& entries)
{
    QByteArray bytes;
    for (const HsLogFile::Entry& entry : entries)
        bytes += lineOf(entry);
    return CTavDbFileUtil::writeAtomically(HsLogFile::filePath(), bytes);
}

// Several commands of the manager may log at once; each rewrites the whole file.
class LogLock final
{
public:
    LogLock() : m_lock(HsLogFile::filePath() + QStringLiteral(".lock"))
    {
        CTavDbFileUtil::ensureDirectory(QFileInfo(HsLogFile::filePath()).absolutePath());
        m_locked = m_lock.tryLock(kLockWaitMs);
    }
    bool locked() const { return m_locked; }

private:
    QLockFile m_lock;
    bool m_locked = false;
};
} // namespace

QString HsLogFile::filePath()
{
    return CTavPlatformPaths::configDir() + QStringLiteral("/HotSync/HotSyncLog.txt");
}

QList<HsLogFile::Entry> HsLogFile::read()
{
    QList<Entry> entries;
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    // A file grown beyond any size this program writes is read only up to that size.
    const QList<QByteArray> lines = file.read(kMaxFileSize).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        const QDateTime time = QDateTime::fromString(QString::fromLatin1(line.left(tab)), Qt::ISODate);
        if (time.isValid())
            entries.append({time, QString::fromUtf8(line.mid(tab + 1))});
    }
    if (entries.size() > kMaxEntries)
        entries.remove(0, entries.size() - kMaxEntries);
    return entries;
}

bool HsLogFile::append(const QString& text)
{
    const LogLock lock;
    if (!lock.locked())
        return false;
    QList<Entry> entries = read();
    entries.append({CTavDbClock::Now(), text});
    if (entries.size() > kMaxEntries)
        entries.remove(0, entries.size() - kMaxEntries);
    return writeEntries(entries);
}

bool HsLogFile::clear()
{
    const LogLock lock;
    return lock.locked() && writeEntries({});
}
