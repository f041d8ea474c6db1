#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "CTavHotSyncChannel.h"
#include "CTavHotSyncManager.h"
#include "CTavRuntimeDir.h"

using Answer = CTavHotSyncChannel::Answer;

// lumora-hotsync as the user runs it, against a channel of this process standing in for Lumora.
class TestHotSyncTool : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    QString m_tool;
    QTemporaryDir m_dir;
    int m_round = 0;
    QList<int> m_received;
    QList<int> m_stateSeen;

    // The event loop runs while the tool waits, so that the channel can answer it.
    Run runTool(const QStringList& args)
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(m_tool, args);
        if (!finished.wait(60000) || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Lumora's side: notes each notification and what the manager's state said at that moment.
    void listen(CTavHotSyncChannel& channel, const Answer& answer)
    {
        QVERIFY(channel.listen());
        channel.setHandler([this, answer](int notification) {
            m_received.append(notification);
            int32_t state = -1;
            CTavHotSyncManager::GetRunningState(&state);
            m_stateSeen.append(state);
            return answer;
        });
    }

private slots:
    void initTestCase()
    {
        m_tool = QCoreApplication::applicationDirPath() +
                 QStringLiteral("/../../tools/lumora-hotsync/lumora-hotsync");
        if (!QFileInfo(m_tool).isExecutable())
            QSKIP("lumora-hotsync is not built (widgets off)");
        m_tool = QFileInfo(m_tool).canonicalFilePath();
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        ++m_round;
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(m_round)).toUtf8());
        qputenv("LUMORA_CONFIG_DIR", m_dir.filePath(QStringLiteral("config%1").arg(m_round)).toUtf8());
        m_received.clear();
        m_stateSeen.clear();
    }

    void requestPrintsTheAnswer()
    {
        CTavHotSyncChannel lumora;
        listen(lumora, Answer{1, u"編集中です。"_qs});
        const Run run = runTool({QStringLiteral("request")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, u"refused: 編集中です。"_qs);
        QCOMPARE(m_received, QList<int>{0});
    }

    void startAndEndKeepTheStateBeforeTellingLumora()
    {
        // Without Lumora a HotSync still runs, and a Lumora that starts meanwhile sees it.
        const Run alone = runTool({QStringLiteral("request")});
        QCOMPARE(alone.exitCode, 2);
        QVERIFY(alone.err.contains(QStringLiteral("not running")));
        QCOMPARE(runTool({QStringLiteral("start")}).exitCode, 2);
        QVERIFY(runTool({QStringLiteral("status")}).out.startsWith(QStringLiteral("running since ")));
        QCOMPARE(runTool({QStringLiteral("end")}).exitCode, 2);
        QCOMPARE(runTool({QStringLiteral("status")}).out, QStringLiteral("idle"));
        // Lumora's watch timer asks for the state as soon as it hears of the start or the end.
        CTavHotSyncChannel lumora;
        listen(lumora, Answer{0, {}});
        QCOMPARE(runTool({QStringLiteral("start")}).exitCode, 0);
        QCOMPARE(runTool({QStringLiteral("end")}).exitCode, 0);
        QCOMPARE(m_received, (QList<int>{1, 2}));
        QCOMPARE(m_stateSeen, (QList<int>{1, 0}));
    }

    void windowsRenderOffscreen_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("operation settings") << "--settings";
        QTest::newRow("connection settings") << "--connection";
        QTest::newRow("log") << "--log";
    }
    void windowsRenderOffscreen()
    {
        QFETCH(QString, option);
        const QString folder = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR", m_dir.path());
        QDir().mkpath(folder);
        const QString picture =
            folder + QStringLiteral("/lumora-hotsync") + option.mid(1) + QStringLiteral(".png");
        QFile::remove(picture);
        QCOMPARE(runTool({option, QStringLiteral("--screenshot"), picture}).exitCode, 0);
        const QImage image(picture);
        QVERIFY(image.width() >= 300 && image.height() >= 200);
    }

    void aSecondWindowRaisesTheFirst()
    {
        QProcess first;
        first.start(m_tool, {QStringLiteral("--log")});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(CTavRuntimeDir::filePath(QStringLiteral("lumora-hotsync-log"))), 20000);
        QCOMPARE(runTool({QStringLiteral("--log")}).exitCode, 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished());
    }
};

QTEST_GUILESS_MAIN(TestHotSyncTool)
#include "tst_hotsynctool.moc"
