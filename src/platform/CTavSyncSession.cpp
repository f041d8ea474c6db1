#include "CTavSyncSession.h"

#include <QDir>
#include <QFileInfo>

#include "CTavDbClock.h"
#include "CTavHotSyncNotifier.h"
#include "CTavHotSyncState.h"

namespace {
QString normalFolder(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
} // namespace

CTavSyncSession::~CTavSyncSession()
{
    end();
}

CTavSyncSession::Outcome CTavSyncSession::begin(const QString& dataRoot, qint64 pid, int timeoutMs)
{
    m_explanation.clear();
    if (m_active)
        return Outcome::Started;
    if (otherSyncRunning())
        return Outcome::SyncRunning;
    bool reached = false;
    // Loaded machines (the sanitizer build's tests) may answer late: the environment can
    // lengthen the wait.
    const int presenceMs = qEnvironmentVariableIntValue("LUMORA_PRESENCE_TIMEOUT_MS");
    const std::optional<QString> root = presence(presenceMs > 0 ? presenceMs : kPresenceTimeoutMs, &reached);
    // A Lumora that took the call but did not answer is busy, not absent: writing beside it
    // would go under the data it holds.
    if (!root && reached)
        return Outcome::Failed;
    // A Lumora that does not name its data root is taken to work on ours.
    if (!root || (!dataRoot.isEmpty() && !root->isEmpty() && !sameFolder(*root, dataRoot)))
        return Outcome::Alone;
    const std::optional<CTavHotSyncChannel::Answer> answer = request(timeoutMs);
    if (!answer)
        return Outcome::Failed;
    if (answer->value != 0) {
        m_explanation = answer->explanation;
        return Outcome::Refused;
    }
    // The state is recorded before Lumora hears of the start, so that its watch agrees. Lumora,
    // waiting for the start it accepted, hears of the end when none comes.
    if (!recordRunning(pid)) {
        CTavHotSyncNotifier::send(Ended, timeoutMs);
        return Outcome::Failed;
    }
    // A Lumora that never heard of the start may let its user edit again: the work stops here.
    if (!CTavHotSyncNotifier::send(Started, timeoutMs)) {
        recordIdle();
        CTavHotSyncNotifier::send(Ended, timeoutMs);
        return Outcome::Failed;
    }
    m_active = true;
    return Outcome::Started;
}

bool CTavSyncSession::end(int timeoutMs)
{
    if (!m_active)
        return true;
    m_active = false;
    const bool recorded = recordIdle();
    CTavHotSyncNotifier::send(Ended, timeoutMs);
    return recorded;
}

std::optional<QString> CTavSyncSession::presence(int timeoutMs, bool* reached)
{
    const std::optional<CTavHotSyncChannel::Answer> answer =
        CTavHotSyncNotifier::send(PresenceQuery, timeoutMs, reached);
    if (!answer)
        return std::nullopt;
    return answer->explanation;
}

std::optional<CTavHotSyncChannel::Answer> CTavSyncSession::request(int timeoutMs)
{
    return CTavHotSyncNotifier::send(AskStart, timeoutMs);
}

bool CTavSyncSession::recordRunning(qint64 pid)
{
    CTavHotSyncState state;
    if (!CTavHotSyncState::read(&state) || !state.running) {
        state = {};
        state.running = true;
        state.since = CTavDbClock::Now();
    }
    state.pid = pid;
    return CTavHotSyncState::write(state);
}

bool CTavSyncSession::recordIdle()
{
    return CTavHotSyncState::write({});
}

bool CTavSyncSession::otherSyncRunning()
{
    CTavHotSyncState state;
    if (!CTavHotSyncState::read(&state))
        return false;
    return state.running && !state.managerGone();
}

bool CTavSyncSession::sameFolder(const QString& a, const QString& b)
{
    return normalFolder(a) == normalFolder(b);
}
