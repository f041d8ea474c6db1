#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "CTavRuntimeDir.h"
#include "CTavSingleInstance.h"

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_round = 0;

    // What a program that was killed leaves behind: a bound socket file nobody listens on.
    static bool leaveDeadSocket(const QString& path)
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        if (fd < 0 || name.size() >= qsizetype(sizeof(address.sun_path)))
            return false;
        memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        ::close(fd);
        return bound;
    }

    // A lock file as a live lock writes it, but naming a process that has ended.
    static bool leaveDeadLock(const QString& path, const QString& scratch)
    {
        QLockFile live(scratch);
        if (!live.lock())
            return false;
        QFile file(scratch);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        live.unlock();

        QProcess ended;
        ended.start(QStringLiteral("/bin/true"));
        if (!ended.waitForStarted())
            return false;
        const qint64 pid = ended.processId();
        ended.waitForFinished();
        lines[0] = QByteArray::number(pid);
        QFile dead(path);
        return dead.open(QIODevice::WriteOnly) && dead.write(lines.join('\n')) > 0;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(++m_round)).toUtf8());
    }

    void secondStartIsRefusedAndRaisesTheFirst()
    {
        CTavSingleInstance first(QStringLiteral("Lumora"));
        QSignalSpy raised(&first, &CTavSingleInstance::activationRequested);
        QVERIFY(first.acquire());

        CTavSingleInstance second(QStringLiteral("Lumora"));
        QVERIFY(!second.acquire());
        QTRY_COMPARE(raised.count(), 1);
        QVERIFY(!second.acquire());
        QTRY_COMPARE(raised.count(), 2);

        // The refused one never took anything: once the first ends, it may start.
        first.release();
        QVERIFY(second.acquire());
        CTavSingleInstance third(QStringLiteral("Lumora"));
        QSignalSpy raisedSecond(&second, &CTavSingleInstance::activationRequested);
        QVERIFY(!third.acquire());
        QTRY_COMPARE(raisedSecond.count(), 1);
        QCOMPARE(raised.count(), 2);
    }

    void productsDoNotShareTheLock()
    {
        CTavSingleInstance lumora(QStringLiteral("Lumora"));
        CTavSingleInstance other(QStringLiteral("lumora-hotsync-log"));
        QVERIFY(lumora.acquire());
        QVERIFY(other.acquire());
    }

    void leftoversOfAKilledInstanceDoNotBlock()
    {
        const QString runtime = CTavRuntimeDir::path();
        QVERIFY(leaveDeadLock(runtime + QStringLiteral("/Lumora.lock"),
                              m_dir.filePath(QStringLiteral("scratch.lock"))));
        QVERIFY(leaveDeadSocket(runtime + QStringLiteral("/Lumora")));

        CTavSingleInstance first(QStringLiteral("Lumora"));
        QSignalSpy raised(&first, &CTavSingleInstance::activationRequested);
        QVERIFY(first.acquire());
        CTavSingleInstance second(QStringLiteral("Lumora"));
        QVERIFY(!second.acquire());
        QTRY_COMPARE(raised.count(), 1);
    }

    void strayClientsAreIgnored()
    {
        CTavSingleInstance first(QStringLiteral("Lumora"));
        QSignalSpy raised(&first, &CTavSingleInstance::activationRequested);
        QVERIFY(first.acquire());
        QLocalSocket stray;
        stray.connectToServer(CTavRuntimeDir::filePath(QStringLiteral("Lumora")));
        QVERIFY(stray.waitForConnected());
        stray.write(QByteArray(4096, 'x') + '\n');
        QTRY_COMPARE(stray.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(raised.count(), 0);
    }

    void runtimeFolderPerSettingsFolder()
    {
        QTemporaryDir xdg;
        QFile::setPermissions(xdg.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", xdg.path().toUtf8());
        qunsetenv("LUMORA_RUNTIME_DIR");

        qunsetenv("LUMORA_CONFIG_DIR");
        const QString plain = CTavRuntimeDir::path();
        qputenv("LUMORA_CONFIG_DIR", "/somewhere/a");
        const QString a = CTavRuntimeDir::path();
        qputenv("LUMORA_CONFIG_DIR", "/somewhere/b/../a");
        const QString sameA = CTavRuntimeDir::path();
        qputenv("LUMORA_CONFIG_DIR", "/somewhere/b");
        const QString b = CTavRuntimeDir::path();
        qunsetenv("LUMORA_CONFIG_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", xdg.path().toUtf8());
        const QString withoutSession = CTavRuntimeDir::path();
        qputenv("TMPDIR", tmp);
        QCOMPARE(withoutSession, xdg.path() + QStringLiteral("/lumora-%1").arg(::getuid()));

        QCOMPARE(plain, xdg.path() + QStringLiteral("/lumora"));
        QVERIFY(a.startsWith(plain + u'-'));
        QCOMPARE(sameA, a);
        QVERIFY(b != a && b.startsWith(plain + u'-'));
        for (const QString& dir : {plain, a, b}) {
            QCOMPARE(QFileInfo(dir).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                     QFile::Permissions());
        }
    }

    void refusesAFolderOfAnotherUser()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to give a folder to another user");
        const QString dir = m_dir.filePath(QStringLiteral("foreign"));
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(::chown(QFile::encodeName(dir).constData(), 65534, 65534) == 0);
        qputenv("LUMORA_RUNTIME_DIR", dir.toUtf8());
        QCOMPARE(CTavRuntimeDir::path(), QString());
        CTavSingleInstance instance(QStringLiteral("Lumora"));
        QVERIFY(!instance.acquire());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
