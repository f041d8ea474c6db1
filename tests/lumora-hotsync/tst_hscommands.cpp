#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "CTavHotSyncManager.h"
#include "CTavHotSyncState.h"

// The manager's start command is short-lived: the HotSync belongs to the process that ran it.
class TestHsCommands : public QObject
{
    Q_OBJECT

private slots:
    void startRecordsItsManager()
    {
        QTemporaryDir dir;
        qputenv("LUMORA_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toUtf8());
        qputenv("LUMORA_RUNTIME_DIR", dir.filePath(QStringLiteral("run")).toUtf8());
        // No program listens (exit 2); the state is recorded all the same.
        const auto pidAfter = [](const QString& args) {
            QProcess process;
            process.start(CTavHotSyncManager::managerProgram(), ("--timeout 1 " + args).split(' '));
            CTavHotSyncState state;
            const bool done = process.waitForFinished(60000) && process.exitCode() == 2;
            return done && CTavHotSyncState::read(&state) && state.running ? state.pid : -1;
        };
        QCOMPARE(pidAfter(QStringLiteral("start")), QCoreApplication::applicationPid());
        QCOMPARE(pidAfter(QStringLiteral("--pid 4242 start")), 4242);
        QCOMPARE(pidAfter(QStringLiteral("--pid 12x start")), 4242);
        QCOMPARE(pidAfter(QStringLiteral("--pid start")), 4242);
        QCOMPARE(pidAfter(QStringLiteral("--pid 4242 status")), 4242);
        QCOMPARE(pidAfter(QStringLiteral("end")), -1);
    }
};

QTEST_MAIN(TestHsCommands)
#include "tst_hscommands.moc"
