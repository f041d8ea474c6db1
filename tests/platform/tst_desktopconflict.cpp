#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include <unistd.h>

#include "CTavDesktopConflict.h"

// Real processes stand in for the competing program: copies of sleep under chosen names.
class TestDesktopConflict : public QObject
{
    Q_OBJECT

private:
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
        auto process = std::make_unique<QProcess>();
        process->start(program, arguments);
        if (!process->waitForStarted())
            return nullptr;
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    QProcess* startNamed(const QString& name) { return start(programNamed(name), {QStringLiteral("30")}); }

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
        QTest::addColumn<bool>("expected");

        QTest::newRow("exact") << "KiroRivalDesk" << QStringList{"Other", "KiroRivalDesk"} << true;
        QTest::newRow("case ignored") << "KiroRivalDesk" << QStringList{"kirorivaldesk"} << true;
        QTest::newRow("prefix is not the name") << "KiroRivalDesk" << QStringList{"KiroRival"} << false;
        // The kernel keeps 15 characters of a name; the executable's file still decides.
        QTest::newRow("long name") << "KiroRivalDesktopSuite" << QStringList{"KiroRivalDesktopSuite"} << true;
        QTest::newRow("long name, same first 15")
            << "KiroRivalDesktopSuite" << QStringList{"KiroRivalDesktopOther"} << false;
    }

    void matchesByName()
    {
        QFETCH(QString, processName);
        QFETCH(QStringList, watched);
        QFETCH(bool, expected);

        CTavDesktopConflict conflict;
        conflict.setProcessNames(watched);
        QProcess* process = startNamed(processName);
        QVERIFY(process);
        QCOMPARE(conflict.isRunning(), expected);
        stop(process);
        QVERIFY(!conflict.isRunning());
    }

    void matchesAWindowsPathInTheFirstArgument()
    {
        // Programs run under a compatibility layer show their Windows path as argv[0].
        QProcess* process =
            start(QStringLiteral("/bin/bash"),
                  {QStringLiteral("-c"),
                   QStringLiteral("exec -a 'C:\\Program Files\\Rival\\KiroRival.exe' sleep 30")});
        QVERIFY(process);
        CTavDesktopConflict conflict;
        conflict.setProcessNames({QStringLiteral("KiroRival.exe")});
        QTRY_VERIFY(conflict.isRunning());
    }

    void ignoresOtherUsersProcesses()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to start a process as another user");
        QProcess* process = start(QStringLiteral("/usr/bin/setpriv"),
                                  {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                   QStringLiteral("--clear-groups"),
                                   programNamed(QStringLiteral("KiroRivalNobody")), QStringLiteral("30")});
        QVERIFY(process);
        CTavDesktopConflict conflict;
        conflict.setProcessNames({QStringLiteral("KiroRivalNobody")});
        QTest::qWait(300);
        QCOMPARE(process->state(), QProcess::Running);
        QVERIFY(!conflict.isRunning());
    }

    void processListFromTheEnvironment()
    {
        qputenv("LUMORA_CONFLICT_PROCESSES", ":a::b.exe:");
        QCOMPARE(CTavDesktopConflict().processNames(), (QStringList{"a", "b.exe"}));
        qputenv("LUMORA_CONFLICT_PROCESSES", "");
        QCOMPARE(CTavDesktopConflict().processNames(), QStringList());
        qunsetenv("LUMORA_CONFLICT_PROCESSES");
        QCOMPARE(CTavDesktopConflict().processNames(), CTavDesktopConflict::defaultProcessNames());
    }

    void watchSignalsEachStart()
    {
        CTavDesktopConflict conflict;
        conflict.setProcessNames({QStringLiteral("KiroRivalWatch")});
        QSignalSpy started(&conflict, &CTavDesktopConflict::started);
        conflict.startWatching(30);
        QTest::qWait(100);
        QCOMPARE(started.count(), 0);

        QProcess* first = startNamed(QStringLiteral("KiroRivalWatch"));
        QVERIFY(first);
        QTRY_COMPARE(started.count(), 1);
        QTest::qWait(150);
        QCOMPARE(started.count(), 1); // still the same run

        stop(first);
        QTest::qWait(400); // long enough for the watch to see it gone, even on a busy machine
        QVERIFY(startNamed(QStringLiteral("KiroRivalWatch")));
        QTRY_COMPARE(started.count(), 2);

        conflict.stopWatching();
        cleanup();
        QVERIFY(startNamed(QStringLiteral("KiroRivalWatch")));
        QTest::qWait(150);
        QCOMPARE(started.count(), 2);
    }

    void watchReportsOneAlreadyRunning()
    {
        QVERIFY(startNamed(QStringLiteral("KiroRivalEarly")));
        CTavDesktopConflict conflict;
        conflict.setProcessNames({QStringLiteral("KiroRivalEarly")});
        QSignalSpy started(&conflict, &CTavDesktopConflict::started);
        conflict.startWatching(30);
        QTRY_COMPARE(started.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDesktopConflict)
#include "tst_desktopconflict.moc"
