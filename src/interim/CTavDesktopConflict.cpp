#include "CTavDesktopConflict.h"

#include <QDir>
#include <QFile>
#include <QTimer>

CTavDesktopConflict::CTavDesktopConflict(QObject* parent) : QObject(parent)
{
    const QByteArray env = qgetenv("LUMORA_CONFLICT_PROCESSES");
    m_names = env.isEmpty() ? QStringList{QStringLiteral("PalmDesktop")}
                            : QString::fromLocal8Bit(env).split(u':', Qt::SkipEmptyParts);
}

bool CTavDesktopConflict::isRunning() const
{
    if (m_names.isEmpty())
        return false;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        QFile comm(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) && m_names.contains(QString::fromLocal8Bit(comm.readAll().trimmed())))
            return true;
    }
    return false;
}

void CTavDesktopConflict::startWatching(int intervalMs)
{
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, [this] {
            const bool running = isRunning();
            if (running && !m_wasRunning)
                emit started();
            m_wasRunning = running;
        });
    }
    m_wasRunning = isRunning();
    m_timer->start(intervalMs);
}
