#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    static bool leaveDeadLock(const QString& path)
    {
        QLockFile live(path + QStringLiteral(".live"));
        QFile file(path + QStringLiteral(".live"));
        if (!live.lock() || !file.open(QIODevice::ReadOnly))
            return false;
        QList<QByteArray> lines = file.readAll().split('\n');
        live.unlock();
        QProcess ended;
        ended.start(QStringLiteral("/bin/true"));
        const qint64 pid = ended.waitForStarted() ? ended.processId() : 0;
        ended.waitForFinished();
        lines[0] = QByteArray::number(pid);
        QFile dead(path);
        return pid > 0 && dead.open(QIODevice::WriteOnly) && dead.write(lines.join('\n')) > 0;
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
        // Another product does not share the lock.
        QVERIFY(CTavSingleInstance(QStringLiteral("lumora-hotsync-log")).acquire());
        // The refused one never took anything: once the first ends, it may start.
        first.release();
        QVERIFY(second.acquire());
        QSignalSpy raisedSecond(&second, &CTavSingleInstance::activationRequested);
        QVERIFY(!CTavSingleInstance(QStringLiteral("Lumora")).acquire());
        QTRY_COMPARE(raisedSecond.count(), 1);
        QCOMPARE(raised.count(), 1);
    }

    void leftoversOfAKilledInstanceDoNotBlock()
    {
        const QString runtime = CTavRuntimeDir::path();
        QVERIFY(leaveDeadLock(runtime + QStringLiteral("/Lumora.lock")));
        QVERIFY(leaveDeadSocket(runtime + QStringLiteral("/Lumora")));
        CTavSingleInstance first(QStringLiteral("Lumora"));
        QSignalSpy raised(&first, &CTavSingleInstance::activationRequested);
        QVERIFY(first.acquire());
        QVERIFY(!CTavSingleInstance(QStringLiteral("Lumora")).acquire());
        QTRY_COMPARE(raised.count(), 1);
    }

    // Each settings folder has a runtime folder of its own, for the user only.
    void runtimeFolderPerSettingsFolder()
    {
        QTemporaryDir xdg;
        QFile::setPermissions(xdg.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", xdg.path().toUtf8());
        qunsetenv("LUMORA_RUNTIME_DIR");
        const auto pathFor = [](const char* config) {
            qputenv("LUMORA_CONFIG_DIR", config);
            return CTavRuntimeDir::path();
        };
        const QString a = pathFor("/somewhere/a");
        QCOMPARE(pathFor("/somewhere/b/../a"), a);
        const QString b = pathFor("/somewhere/b");
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("LUMORA_CONFIG_DIR");
        QVERIFY(a.startsWith(xdg.path() + QStringLiteral("/lumora-")) && b != a && !b.isEmpty());
        QCOMPARE(QFileInfo(a).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
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
        QVERIFY(!CTavSingleInstance(QStringLiteral("Lumora")).acquire());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
