#include "CTavHotSyncChannel.h"

#include <QLocalServer>
#include <QLocalSocket>

#include "CTavHotSyncManager.h"

CTavHotSyncChannel::CTavHotSyncChannel(QObject* parent) : QObject(parent) {}

CTavHotSyncChannel::~CTavHotSyncChannel() = default;

bool CTavHotSyncChannel::listen()
{
    m_server = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(CTavHotSyncManager::programSocketName());
    if (!m_server->listen(CTavHotSyncManager::programSocketName()))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                while (s->canReadLine()) {
                    bool ok = false;
                    const int n = s->readLine().trimmed().toInt(&ok);
                    Answer a{1, QString()};
                    if (ok && m_handler)
                        a = m_handler(n);
                    s->write(QByteArray::number(a.value) + '\t' + a.explanation.toUtf8() + '\n');
                }
            });
        }
    });
    return true;
}

void CTavHotSyncChannel::setHandler(Handler handler) { m_handler = std::move(handler); }
