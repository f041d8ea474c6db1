#include "CTavHotSyncState.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "CTavDbFileUtil.h"
#include "CTavProcessCheck.h"
#include "CTavRuntimeDir.h"

namespace {
constexpr qint64 kMaxSize = 4096;
const QString kRunning = QStringLiteral("running");
const QString kSince = QStringLiteral("since");
const QString kPid = QStringLiteral("pid");
} // namespace

bool CTavHotSyncState::managerGone() const
{
    return running && pid > 0 && !CTavProcessCheck::isAlive(pid);
}

QString CTavHotSyncState::filePath()
{
    return CTavRuntimeDir::filePath(QStringLiteral("hotsync.state"));
}

bool CTavHotSyncState::read(CTavHotSyncState* state)
{
    const QString path = filePath();
    if (path.isEmpty() || !state)
        return false;
    QFile file(path);
    if (!file.exists()) {
        *state = {};
        return true;
    }
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSize)
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.read(kMaxSize));
    const QJsonValue running = document.object().value(kRunning);
    if (!document.isObject() || !running.isBool())
        return false;
    *state = {};
    state->running = running.toBool();
    if (state->running) {
        state->since = QDateTime::fromString(document.object().value(kSince).toString(), Qt::ISODate);
        state->pid = document.object().value(kPid).toInteger();
    }
    return true;
}

bool CTavHotSyncState::write(const CTavHotSyncState& state)
{
    const QString path = filePath();
    if (path.isEmpty())
        return false;
    QJsonObject object{{kRunning, state.running}};
    if (state.running && state.since.isValid())
        object.insert(kSince, state.since.toString(Qt::ISODate));
    if (state.running && state.pid > 0)
        object.insert(kPid, state.pid);
    return CTavDbFileUtil::writeAtomically(path, QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

bool CTavHotSyncState::endStale(const CTavHotSyncState& seen)
{
    CTavHotSyncState current;
    if (!read(&current))
        return false;
    if (current.running != seen.running || current.pid != seen.pid || current.since != seen.since)
        return false;
    return write(CTavHotSyncState());
}
