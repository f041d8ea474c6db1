#include "CTavHotSyncNotifier.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

#include "CTavHotSyncManager.h"
#include "CTavHotSyncProtocol.h"

namespace {
constexpr int kConnectMs = 2000;

int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(qMax<qint64>(0, deadline.remainingTime()));
}
} // namespace

std::optional<CTavHotSyncChannel::Answer> CTavHotSyncNotifier::send(int notification, int timeoutMs,
                                                                    bool* reached)
{
    if (reached)
        *reached = false;
    const QString name = CTavHotSyncManager::programSocketName();
    if (name.isEmpty())
        return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(qMin(kConnectMs, remainingMs(deadline))))
        return std::nullopt;
    if (reached)
        *reached = true;
    socket.write(CTavHotSyncProtocol::request(notification));
    // The program may save all its data before it answers a request to start.
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > CTavHotSyncProtocol::kMaxLine || deadline.hasExpired())
            return std::nullopt;
        if (!socket.waitForReadyRead(remainingMs(deadline)))
            return std::nullopt;
    }
    return CTavHotSyncProtocol::parseAnswer(socket.readLine(CTavHotSyncProtocol::kMaxLine + 1).trimmed());
}
