#include "CTavSingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include "CTavRuntimeDir.h"

namespace {
const QByteArray kActivate = QByteArrayLiteral("activate\n");
constexpr int kConnectWaitMs = 3000;

// Product names become file names; anything that is not a plain name character is replaced.
QString fileNameFor(const QString& productName)
{
    QString name = productName;
    for (QChar& c : name) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_' && c != u'.')
            c = u'_';
    }
    return name.isEmpty() ? QStringLiteral("_") : name;
}
} // namespace

CTavSingleInstance::CTavSingleInstance(const QString& productName, QObject* parent)
    : QObject(parent), m_name(fileNameFor(productName))
{
}

CTavSingleInstance::~CTavSingleInstance()
{
    release();
}

QString CTavSingleInstance::socketPath() const
{
    return CTavRuntimeDir::filePath(m_name);
}

bool CTavSingleInstance::acquire()
{
    if (m_lock)
        return true;
    const QString lockPath = CTavRuntimeDir::filePath(m_name + QStringLiteral(".lock"));
    if (lockPath.isEmpty()) {
        qWarning("Lumora: no runtime folder for the single-instance lock");
        return false;
    }
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only a dead owner makes the lock stale, never its age: a program may run for weeks.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            qWarning("Lumora: cannot create the single-instance lock %s", qPrintable(lockPath));
        askOwnerToActivate();
        return false;
    }
    m_lock = std::move(lock);

    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = socketPath();
    // We hold the lock, so a socket file left there belongs to a program that died.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        qWarning("Lumora: cannot listen on %s: %s", qPrintable(name), qPrintable(m_server->errorString()));
    connect(m_server.get(), &QLocalServer::newConnection, this, &CTavSingleInstance::onNewConnection);
    return true;
}

void CTavSingleInstance::release()
{
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

void CTavSingleInstance::askOwnerToActivate() const
{
    const QString name = socketPath();
    if (name.isEmpty())
        return;
    // The owner may have taken the lock a moment ago and not be listening yet.
    const QDeadlineTimer deadline(kConnectWaitMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(name);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return;
        QThread::msleep(50);
    }
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectWaitMs);
    socket.disconnectFromServer();
}

void CTavSingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kActivate.size() * 4) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            if (socket->readLine(kActivate.size() + 1) == kActivate)
                emit activationRequested();
            socket->disconnectFromServer();
        });
    }
}
