#include "CTavHotSyncCoordinator.h"

#include <QLabel>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavHotSyncChannel.h"
#include "CTavHotSyncManager.h"
#include "CTavHotSyncState.h"
#include "CTavMainFrame.h"
#include "TavStrings.h"

namespace {
// Process-wide, as the watch and the lock outlive one HotSync.
int g_watchCounter = 3;
bool g_windowDisabled = false;

std::function<int(int32_t*)>& runningStateQuery()
{
    static std::function<int(int32_t*)> query;
    return query;
}
} // namespace

CTavHotSyncCoordinator::CTavHotSyncCoordinator(CTavMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_timer(new QTimer(this)), m_startWait(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("watch"));
    m_timer->setInterval(kWatchInterval);
    connect(m_timer, &QTimer::timeout, this, &CTavHotSyncCoordinator::OnWatchTimer);
    m_startWait->setObjectName(QStringLiteral("startWait"));
    m_startWait->setSingleShot(true);
    m_startWait->setInterval(kStartWaitMs);
    // The manager gave up before starting: nothing was carried, nothing needs reloading.
    connect(m_startWait, &QTimer::timeout, this, [this] {
        if (m_syncRunning)
            return;
        m_frame.StatusPane()->setText(TavStr::ReadyStatus);
        unlockWindow();
    });
}

CTavHotSyncCoordinator::~CTavHotSyncCoordinator() = default;

void CTavHotSyncCoordinator::Listen()
{
    m_channel = new CTavHotSyncChannel(this);
    m_channel->setHandler([this](int notification) {
        CTavHotSyncChannel::Answer answer;
        answer.value = OnNotify(notification);
        if (notification == AskStart && answer.value == 1)
            answer.explanation = m_refusal == RefusedBackup       ? TavStr::SyncRefusedBackup
                                 : m_refusal == RefusedBusy       ? TavStr::SyncRefusedBusy
                                 : m_refusal == RefusedSaveFailed ? TavStr::SyncRefusedUnsaved
                                                                  : TavStr::SyncRefusedRunning;
        // Tools that change data ask first whether this program works on theirs.
        if (notification == PresenceQuery)
            answer.explanation = CTavDbEnv::GetCorePath();
        return answer;
    });
    // Unheard, a HotSync or a command-line tool would take the data as nobody's and write
    // under this program.
    if (!m_channel->listen())
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_frame.App().ShowMessage(
                    nullptr,
                    QStringLiteral("HotSync からの連絡を受ける %1 を開けませんでした。\n"
                                   "このままでは HotSync や lumora-cli が、Lumora "
                                   "の開いているデータを直接書き換えるおそれがあります。"
                                   "Lumora を終了して、起動し直してください。")
                        .arg(CTavHotSyncManager::programSocketName()),
                    TavStr::ProductName, TavMsg::IconExclamation);
            },
            Qt::QueuedConnection);
}

void CTavHotSyncCoordinator::CheckAtStartup()
{
    int32_t running = 0;
    if (QueryRunningState(&running) != 0 || running != 1)
        return;
    if (ManagerGone())
        QMetaObject::invokeMethod(this, &CTavHotSyncCoordinator::EndWithoutManager, Qt::QueuedConnection);
    else
        PostNotify(Started);
}

bool CTavHotSyncCoordinator::ManagerGone()
{
    CTavHotSyncState state;
    if (!CTavHotSyncState::read(&state) || !state.managerGone())
        return false;
    CTavHotSyncState::endStale(state);
    return true;
}

void CTavHotSyncCoordinator::EndWithoutManager()
{
    m_syncRunning = true; // reload as after an end the manager reported
    OnNotify(Ended);
    m_frame.StatusPane()->setText(TavStr::SyncManagerGone);
}

int CTavHotSyncCoordinator::QueryRunningState(int32_t* state)
{
    if (runningStateQuery())
        return runningStateQuery()(state);
    return CTavHotSyncManager::GetRunningState(state);
}

void CTavHotSyncCoordinator::SetRunningStateQuery(std::function<int(int32_t*)> query)
{
    runningStateQuery() = std::move(query);
}

bool CTavHotSyncCoordinator::IsManagerAvailable()
{
    return CTavHotSyncManager::IsAvailable() == 0;
}
int CTavHotSyncCoordinator::WatchCounter()
{
    return g_watchCounter;
}
void CTavHotSyncCoordinator::SetWatchCounter(int value)
{
    g_watchCounter = value;
}
bool CTavHotSyncCoordinator::WindowDisabledForSync()
{
    return g_windowDisabled;
}

int CTavHotSyncCoordinator::SyncTimer() const
{
    return m_timer->isActive() ? kWatchTimerId : 0;
}

void CTavHotSyncCoordinator::PostNotify(int notification)
{
    QMetaObject::invokeMethod(
        this, [this, notification] { OnNotify(notification); }, Qt::QueuedConnection);
}

int CTavHotSyncCoordinator::OnNotify(int notification)
{
    CTavApp& app = m_frame.App();
    switch (notification) {
    case PresenceQuery:
        return PresenceAnswer;
    case AskStart: {
        int reason = 0;
        // The manager's data are being carried now: saving over them is refused without
        // troubling the user, who cannot act on it.
        // The same while a start already accepted is awaited: one HotSync at a time.
        if (m_syncRunning || m_startWait->isActive()) {
            m_refusal = 0;
            return 1;
        }
        if (app.backupFileOpen())
            reason = RefusedBackup;
        else if (!app.readyForSync())
            reason = RefusedBusy;
        m_refusal = reason;
        if (reason) {
            QMetaObject::invokeMethod(
                this, [this, reason] { OnRefused(reason); }, Qt::QueuedConnection);
            return 1;
        }
        // What cannot be saved now would be lost under the HotSync's data.
        if (QString failures; !app.SaveAll(&failures)) {
            m_refusal = RefusedSaveFailed;
            QMetaObject::invokeMethod(
                this,
                [this, failures] {
                    m_frame.App().ShowMessage(nullptr,
                                              TavStr::SyncRefusedUnsaved + QStringLiteral("\n\n") + failures,
                                              TavStr::ProductName, TavMsg::IconExclamation);
                },
                Qt::QueuedConnection);
            return 1;
        }
        // From the save on, an edit would go under the HotSync's data: nothing may change
        // until the manager says it started or gave up.
        m_frame.StatusPane()->setText(TavStr::SyncRunningStatus);
        lockWindow();
        m_startWait->start();
        return 0;
    }
    case Started:
        m_startWait->stop();
        m_syncRunning = true;
        m_frame.StatusPane()->setText(TavStr::SyncRunningStatus);
        lockWindow();
        m_timer->start();
        return 0;
    case Ended:
    case EndedOther:
        // Nothing is left to watch once the manager has said it ended.
        m_timer->stop();
        m_startWait->stop();
        m_frame.StatusPane()->setText(TavStr::ReadyStatus);
        if (m_syncRunning) {
            m_syncRunning = false;
            m_frame.EnsureCurrentUserListed();
            // No modal loop may run while a notification is answered: a file the HotSync left
            // unreadable is told once the answer is out.
            QString failures;
            if (!app.LoadAll(&failures))
                QMetaObject::invokeMethod(
                    &m_frame,
                    [&app, failures] {
                        app.ShowMessage(nullptr, failures, QString(), TavMsg::IconExclamation);
                    },
                    Qt::QueuedConnection);
            app.ReloadUserPrefs();
            app.SetProfilePath();
            m_frame.RefreshAll();
        }
        unlockWindow();
        emit syncFinished();
        return 0;
    case NoAction:
        return 0;
    default:
        return 1;
    }
}

void CTavHotSyncCoordinator::lockWindow()
{
    if (g_windowDisabled)
        return;
    g_windowDisabled = true;
    m_disabledWindow = m_frame.App().MessageOwner();
    // An open message box stays answerable; the window it belongs to keeps still. Its owner's
    // disabling reaches it too, so it is enabled again: a window may be.
    QList<QWidget*> boxes;
    while (qobject_cast<QMessageBox*>(m_disabledWindow.data()) && m_disabledWindow->parentWidget()) {
        boxes << m_disabledWindow;
        m_disabledWindow = m_disabledWindow->parentWidget()->window();
    }
    if (m_disabledWindow)
        m_disabledWindow->setEnabled(false);
    for (QWidget* box : std::as_const(boxes))
        box->setEnabled(true);
}

void CTavHotSyncCoordinator::unlockWindow()
{
    if (!g_windowDisabled)
        return;
    if (m_disabledWindow)
        m_disabledWindow->setEnabled(true);
    m_disabledWindow = nullptr;
    g_windowDisabled = false;
}

void CTavHotSyncCoordinator::OnWatchTimer()
{
    int32_t state = 0;
    if (QueryRunningState(&state) == 0 && state == 1) {
        if (ManagerGone()) {
            m_timer->stop();
            QMetaObject::invokeMethod(this, &CTavHotSyncCoordinator::EndWithoutManager, Qt::QueuedConnection);
            return;
        }
        g_watchCounter = 3;
        return;
    }
    if (g_watchCounter > 0) {
        --g_watchCounter;
        if (g_watchCounter == 0)
            return;
    }
    // Once the counter has run down, a silent manager still ends the wait, so the window never
    // stays disabled.
    m_timer->stop();
    PostNotify(Ended);
}

void CTavHotSyncCoordinator::OnRefused(int reason)
{
    m_frame.App().ShowMessage(nullptr,
                              reason == RefusedBackup ? TavStr::SyncRefusedBackup : TavStr::SyncRefusedBusy,
                              TavStr::ProductName, TavMsg::IconExclamation);
}

void CTavHotSyncCoordinator::ShowManagerWindow(int command)
{
    // The manager's windows live in its own process; the call may wait for it, the program not.
    QThread* worker = QThread::create([command] {
        if (command == TavCmd::HotSyncOperation)
            CTavHotSyncManager::ShowOperationSettings();
        else if (command == TavCmd::HotSyncLog)
            CTavHotSyncManager::ShowLog();
        else
            CTavHotSyncManager::ShowConnectionSettings();
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}
