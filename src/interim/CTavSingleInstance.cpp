#include "CTavSingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include "CTavPlatformPaths.h"

namespace {
QString keyFor(const QString& product)
{
    // The settings folder tells users and test runs apart.
    return product + u'-' +
           QString::fromLatin1(QCryptographicHash::hash(CTavPlatformPaths::configDir().toUtf8(),
                                                        QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(12));
}
} // namespace

CTavSingleInstance::CTavSingleInstance(const QString& productName, QObject* parent)
    : QObject(parent), m_name(keyFor(productName))
{
}

CTavSingleInstance::~CTavSingleInstance() { release(); }

bool CTavSingleInstance::acquire()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock = std::make_unique<QLockFile>(dir + u'/' + m_name + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(500)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(500);
        }
        return false;
    }
    m_server = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(m_name);
    if (m_server->listen(m_name)) {
        connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = m_server->nextPendingConnection()) {
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                emit activationRequested();
            }
        });
    }
    return true;
}

void CTavSingleInstance::release()
{
    m_server.reset();
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}
