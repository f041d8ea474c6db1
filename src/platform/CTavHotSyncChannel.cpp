#include "CTavHotSyncChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include "CTavHotSyncManager.h"
#include "CTavHotSyncProtocol.h"

namespace {
constexpr int kProbeMs = 500;
constexpr int kRetryWhileBusyMs = 50;
} // namespace

CTavHotSyncChannel::CTavHotSyncChannel(QObject* parent) : QObject(parent) {}

CTavHotSyncChannel::~CTavHotSyncChannel() = default;

bool CTavHotSyncChannel::listen()
{
    if (m_server && m_server->isListening())
        return true;
    const QString name = CTavHotSyncManager::programSocketName();
    if (name.isEmpty())
        return false;
    {
        // A live listener belongs to another program; its socket must not be taken over.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(kProbeMs))
            return false;
    }
    QLocalServer::removeServer(name);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        qWarning("Lumora: cannot listen on %s: %s", qPrintable(name), qPrintable(server->errorString()));
        return false;
    }
    m_server = std::move(server);
    connect(m_server.get(), &QLocalServer::newConnection, this, &CTavHotSyncChannel::onNewConnection);
    return true;
}

void CTavHotSyncChannel::setHandler(Handler handler)
{
    m_handler = std::move(handler);
}

void CTavHotSyncChannel::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
    }
}

void CTavHotSyncChannel::serve(QLocalSocket* socket)
{
    if (m_busy) {
        // Another notification is being answered further up the stack; come back later.
        QTimer::singleShot(kRetryWhileBusyMs, socket, [this, socket] { serve(socket); });
        return;
    }
    QPointer<QLocalSocket> guard(socket);
    while (guard && socket->canReadLine()) {
        const QByteArray line = socket->readLine(CTavHotSyncProtocol::kMaxLine + 1);
        const std::optional<int> notification = CTavHotSyncProtocol::parseRequest(line.trimmed());
        if (!notification) {
            socket->abort();
            return;
        }
        m_busy = true;
        const Answer answer = m_handler ? m_handler(*notification) : Answer{1, {}};
        m_busy = false;
        if (guard)
            socket->write(CTavHotSyncProtocol::answer(answer));
    }
    if (guard && socket->bytesAvailable() > CTavHotSyncProtocol::kMaxLine)
        socket->abort();
}
