#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>

class CTavHotSyncChannel;
class CTavMainFrame;
class QTimer;

// The main frame's side of a HotSync: accepts or refuses a request to start, keeps the program
// still while one runs, watches the manager, and reloads everything when it ends.
class CTavHotSyncCoordinator final : public QObject
{
    Q_OBJECT
public:
    // Notifications and answers.
    static constexpr int AskStart = 0;
    static constexpr int Started = 1;
    static constexpr int Ended = 2;
    static constexpr int EndedOther = 3;
    static constexpr int NoAction = 4;
    static constexpr int PresenceQuery = 0xFFFF;
    static constexpr int PresenceAnswer = 0xBEC4;
    static constexpr int RefusedBackup = 1;
    static constexpr int RefusedBusy = 2;
    static constexpr int RefusedSaveFailed = 3;
    static constexpr int kWatchInterval = 1003;
    static constexpr int kWatchTimerId = 12345;
    // How long an accepted request keeps the program still while the start is awaited.
    static constexpr int kStartWaitMs = 30000;

    explicit CTavHotSyncCoordinator(CTavMainFrame& frame);
    ~CTavHotSyncCoordinator() override;

    // Starts listening for the manager's notifications.
    void Listen();
    // At start-up: a HotSync that runs locks the program, one whose manager is gone ends.
    void CheckAtStartup();
    // Handles a notification and gives the answer the manager gets.
    int OnNotify(int notification);
    // The notification arrives later, from the event loop, as if the manager had sent it.
    void PostNotify(int notification);
    // Explains a refusal to the user.
    void OnRefused(int reason);
    void OnWatchTimer();
    // Opens one of the manager's own windows (the command id of the HotSync menu).
    void ShowManagerWindow(int command);

    bool SyncRunning() const { return m_syncRunning; }
    // The watch timer's id, 0 when it is not running.
    int SyncTimer() const;

    // The manager's running state and availability; tests replace the query.
    static int QueryRunningState(int32_t* state);
    static void SetRunningStateQuery(std::function<int(int32_t*)> query);
    static bool IsManagerAvailable();
    // Process-wide state of the watch.
    static int WatchCounter();
    static void SetWatchCounter(int value);
    static bool WindowDisabledForSync();

signals:
    // After the data were reloaded at the end of a HotSync.
    void syncFinished();

private:
    // True (and the state file ended) when the recorded HotSync's manager no longer exists.
    static bool ManagerGone();
    // Ends a HotSync the manager can no longer end, as if it had.
    void EndWithoutManager();
    // Keeps the message-box owner window still, or lets it go again.
    void lockWindow();
    void unlockWindow();

    CTavMainFrame& m_frame;
    CTavHotSyncChannel* m_channel = nullptr;
    QTimer* m_timer;
    QTimer* m_startWait; // from an accepted request until the start is heard of
    QPointer<QWidget> m_disabledWindow;
    bool m_syncRunning = false;
    int m_refusal = 0; // why the last request was refused
};
