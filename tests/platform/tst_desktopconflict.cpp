#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include <unistd.h>

#include "CTavDesktopConflict.h"

// Real processes stand in for the competing program: copies of sleep under chosen names.
class TestDesktopConflict : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;

    QString programNamed(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        if (!QFile::exists(path))
            QFile::copy(QStringLiteral("/bin/sleep"), path);
        QFile::setPermissions(path, QFile::permissions(QStringLiteral("/bin/sleep")));
        return path;
    }

    QProcess* start(const QString& program, const QStringList& arguments)
    {
        m_processes.push_back(std::make_unique<QProcess>());
        m_processes.back()->start(program, arguments);
        return m_processes.back()->waitForStarted() ? m_processes.back().get() : nullptr;
    }

    QProcess* startNamed(const QString& name) { return start(programNamed(name), {QStringLiteral("30")}); }

    // True until the starter (bash or setpriv) has executed the named program.
    static bool starterStillRunning(const QProcess* process)
    {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(process->processId()));
        if (!cmdline.open(QIODevice::ReadOnly))
            return true;
        const QByteArray argv0 = cmdline.readAll().split('\0').value(0);
        return argv0.endsWith("/bash") || argv0.endsWith("/setpriv");
    }

    static void stop(QProcess* process)
    {
        process->kill();
        process->waitForFinished();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Other users must be able to run the copies too.
        QFile::setPermissions(m_dir.path(), QFile::permissions(QStringLiteral("/usr")));
    }

    void cleanup()
    {
        for (auto& process : m_processes)
            stop(process.get());
        m_processes.clear();
    }

    void matchesByName_data()
    {
        QTest::addColumn<QString>("processName");
        QTest::addColumn<QStringList>("watched");
        QTest::addColumn<bool>("otherUser");
        QTest::addColumn<bool>("expected");
        QTest::newRow("exact") << "KiroRivalDesk" << QStringList{"Other", "KiroRivalDesk"} << false << true;
        QTest::newRow("case ignored") << "KiroRivalDesk" << QStringList{"kirorivaldesk"} << false << true;
        QTest::newRow("prefix is not the name")
            << "KiroRivalDesk" << QStringList{"KiroRival"} << false << false;
        // The kernel keeps 15 characters of a name; the executable's file still decides.
        QTest::newRow("long name, same first 15")
            << "KiroRivalDesktopSuite" << QStringList{"KiroRivalDesktopOther"} << false << false;
        // Programs run under a compatibility layer show their Windows path as argv[0].
        QTest::newRow("windows path")
            << "C:\\Program Files\\Rival\\KiroRival.exe" << QStringList{"KiroRival.exe"} << false << true;
        QTest::newRow("another user's")
            << "KiroRivalNobody" << QStringList{"KiroRivalNobody"} << true << false;
    }
    void matchesByName()
    {
        QFETCH(QString, processName);
        QFETCH(QStringList, watched);
        QFETCH(bool, otherUser);
        QFETCH(bool, expected);
        if (otherUser && ::geteuid() != 0)
            QSKIP("needs root to start a process as another user");
        CTavDesktopConflict conflict;
        conflict.setProcessNames(watched);
        QProcess* process =
            processName.contains(u'\\')
                ? start(QStringLiteral("/bin/bash"),
                        {QStringLiteral("-c"), QStringLiteral("exec -a '%1' sleep 30").arg(processName)})
            : otherUser
                ? start(QStringLiteral("/usr/bin/setpriv"),
                        {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups"), programNamed(processName), QStringLiteral("30")})
                : startNamed(processName);
        QVERIFY(process);
        QTRY_VERIFY_WITH_TIMEOUT(!starterStillRunning(process), 10000);
        QCOMPARE(process->state(), QProcess::Running);
        QCOMPARE(conflict.isRunning(), expected);
        stop(process);
        QVERIFY(!conflict.isRunning());
    }

    void watchSignalsEachStart()
    {
        // One already running is reported at once, each new run once more.
        QProcess* first = startNamed(QStringLiteral("KiroRivalWatch"));
        QVERIFY(first);
        CTavDesktopConflict conflict;
        conflict.setProcessNames({QStringLiteral("KiroRivalWatch")});
        QSignalSpy started(&conflict, &CTavDesktopConflict::started);
        conflict.startWatching(30);
        QTRY_COMPARE(started.count(), 1);
        QTest::qWait(150);
        QCOMPARE(started.count(), 1); // still the same run
        QSignalSpy polls(conflict.findChild<QTimer*>(), &QTimer::timeout);
        stop(first);
        QTRY_VERIFY(polls.count() >= 2); // a whole poll after the process was gone
        QVERIFY(startNamed(QStringLiteral("KiroRivalWatch")));
        QTRY_COMPARE(started.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDesktopConflict)
#include "tst_desktopconflict.moc"
