#include "CTavUserListWatcher.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include "CTavApp.h"
#include "CTavDbUser.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavMainFrame.h"

namespace {
QByteArray contents()
{
    QFile file(CTavDbUser::ListFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

CTavUserListWatcher::CTavUserListWatcher(CTavMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_watcher(new QFileSystemWatcher(this)), m_timer(new QTimer(this)),
      m_seen(contents())
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CTavUserListWatcher::Check);
    // Several events come for one replacement; the file is read once they settle.
    const auto settle = [this] { m_timer->start(kSettleMs); };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    Arm();
}

void CTavUserListWatcher::Arm()
{
    // A file replaced by a rename drops out of the watch; the folder sees it come back.
    const QString path = CTavDbUser::ListFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!m_watcher->directories().contains(folder) && QFileInfo::exists(folder))
        m_watcher->addPath(folder);
    if (!m_watcher->files().contains(path) && QFileInfo::exists(path))
        m_watcher->addPath(path);
}

void CTavUserListWatcher::Check()
{
    Arm();
    const QByteArray now = contents();
    if (now == m_seen)
        return;
    CTavApp& app = m_frame.App();
    if (m_frame.HotSync().SyncRunning() || !app.readyForSync() || QApplication::activeModalWidget()) {
        m_timer->start(kRetryMs);
        return;
    }
    m_seen = now;
    m_frame.OnUsersFileChanged();
}
