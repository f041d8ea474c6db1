#pragma once

#include <QString>
#include <optional>

#include "CTavHotSyncChannel.h"

// A HotSync seen from the program that carries the data: asks the running Lumora to save and
// keep still, records the state, tells it that the HotSync started, and, when the object goes,
// records the end and tells it to reload. The manager's separate commands use the steps alone.
class CTavSyncSession final
{
public:
    enum class Outcome
    {
        Started,     // Lumora saved and keeps still until the session ends
        Alone,       // no Lumora for these data: write directly
        Refused,     // Lumora refused; explanation() says why
        SyncRunning, // another HotSync runs
        Failed       // Lumora stopped answering, or the state cannot be written
    };
    // Notifications of the channel.
    static constexpr int AskStart = 0;
    static constexpr int Started = 1;
    static constexpr int Ended = 2;
    static constexpr int PresenceQuery = 0xFFFF;

    CTavSyncSession() = default;
    ~CTavSyncSession();
    CTavSyncSession(const CTavSyncSession&) = delete;
    CTavSyncSession& operator=(const CTavSyncSession&) = delete;

    // dataRoot: the data root the work changes; empty for work on the settings, which every
    // Lumora of this runtime folder shares. The state records pid as the HotSync's process.
    Outcome begin(const QString& dataRoot, qint64 pid, int timeoutMs);
    // Records the end and tells Lumora; false when the state cannot be written. Nothing when
    // the session did not start.
    bool end(int timeoutMs = kEndTimeoutMs);
    bool active() const { return m_active; }
    QString explanation() const { return m_explanation; }

    // The data root of the running Lumora ("" when it does not say), or nothing when no Lumora
    // answers within the time (*reached: one took the call all the same).
    static std::optional<QString> presence(int timeoutMs = kPresenceTimeoutMs, bool* reached = nullptr);
    static std::optional<CTavHotSyncChannel::Answer> request(int timeoutMs);
    // Records a running HotSync (keeping the start time of one already recorded) or none.
    static bool recordRunning(qint64 pid);
    static bool recordIdle();
    // Whether the state names a HotSync whose process still lives (an unknown process counts).
    static bool otherSyncRunning();
    static bool sameFolder(const QString& a, const QString& b);

    static constexpr int kPresenceTimeoutMs = 1500;
    static constexpr int kEndTimeoutMs = 60000;

private:
    bool m_active = false;
    QString m_explanation;
};
