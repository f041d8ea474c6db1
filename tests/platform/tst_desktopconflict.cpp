#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>

#include <grp.h>
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

    // Runs `program 30` under the given argv[0], as `uid` when set. The child executes the program itself,
    // so once QProcess reports the start the program is running, or the child has already ended.
    QProcess* start(const QString& program, const QString& argv0, std::optional<uid_t> uid = {})
    {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess* process = m_processes.back().get();
        const QByteArray path = QFile::encodeName(program), name = argv0.toLocal8Bit();
        process->setChildProcessModifier([path, name, uid] {
            if (uid && (::setgroups(0, nullptr) != 0 || ::setresgid(*uid, *uid, *uid) != 0 ||
                        ::setresuid(*uid, *uid, *uid) != 0))
                ::_exit(126);
            const char* argv[] = {name.constData(), "30", nullptr};
            ::execv(path.constData(), const_cast<char* const*>(argv));
            ::_exit(127);
        });
        process->start(program, {QStringLiteral("30")});
        return process->waitForStarted() ? process : nullptr;
    }

    QProcess* startNamed(const QString& name) { return start(programNamed(name), programNamed(name)); }

    // The kernel's name of the process: the program's file name once it runs, cut to 15 characters.
    static QString runningName(const QProcess* process)
    {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(process->processId()));
        return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
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
        const bool windowsPath = processName.contains(u'\\');
        const QString program = programNamed(windowsPath ? QStringLiteral("KiroRival") : processName);
        QProcess* process = start(program, windowsPath ? processName : program,
                                  otherUser ? std::optional<uid_t>(65534) : std::nullopt);
        QVERIFY(process);
        if (runningName(process) != QFileInfo(program).fileName().left(15)) {
            if (otherUser)
                QSKIP("this system does not let a process change to another user");
            QFAIL("the program did not start");
        }
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
