#include "CTavHotSyncManager.h"

#include <QCryptographicHash>
#include <QLocalSocket>

#include "CTavPlatformPaths.h"

namespace {
QString suffix()
{
    return QString::fromLatin1(
        QCryptographicHash::hash(CTavPlatformPaths::configDir().toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}

// One request line, one answer line; empty when the manager does not answer.
QByteArray call(const QByteArray& request)
{
    QLocalSocket socket;
    socket.connectToServer(CTavHotSyncManager::managerSocketName());
    if (!socket.waitForConnected(300))
        return {};
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(300))
        return {};
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(1000))
            return {};
    return socket.readLine().trimmed();
}
} // namespace

int CTavHotSyncManager::GetRunningState(int32_t* state)
{
    const QByteArray answer = call("running");
    if (answer.isEmpty() || !state)
        return -1;
    *state = answer == "1" ? 1 : 0;
    return 0;
}

int CTavHotSyncManager::IsAvailable() { return call("available") == "0" ? 0 : -1; }
int CTavHotSyncManager::ShowOperationSettings() { return call("settings").isEmpty() ? -1 : 0; }
int CTavHotSyncManager::ShowConnectionSettings() { return call("connection").isEmpty() ? -1 : 0; }
int CTavHotSyncManager::ShowLog() { return call("log").isEmpty() ? -1 : 0; }

QString CTavHotSyncManager::managerSocketName() { return QStringLiteral("lumora-hotsync-") + suffix(); }
QString CTavHotSyncManager::programSocketName() { return QStringLiteral("lumora-program-") + suffix(); }
