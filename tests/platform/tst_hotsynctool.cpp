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

private:
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

    QStringList logLines() const
    {
        QFile file(m_dir.filePath(QStringLiteral("config%1/HotSync/HotSyncLog.txt").arg(m_round)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
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

    void requestPrintsTheAnswer_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");
        const QString busy =
            QStringLiteral("データ編集中は HotSync 機能を実行できません。ダイアログを閉じて、HotSync "
                           "ボタンをもう一度押してください。");
        QTest::newRow("accepted") << Answer{0, {}} << 0 << "accepted";
        QTest::newRow("refused with a reason") << Answer{1, busy} << 1 << "refused: " + busy;
        QTest::newRow("refused") << Answer{1, {}} << 1 << "refused";
    }

    void requestPrintsTheAnswer()
    {
        QFETCH(Answer, answer);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        CTavHotSyncChannel lumora;
        listen(lumora, answer);

        const Run run = runTool({QStringLiteral("request")});
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, printed);
        QCOMPARE(m_received, QList<int>{0});
        const QStringList log = logLines();
        QCOMPARE(log.size(), 1);
        if (!answer.explanation.isEmpty())
            QVERIFY(log.first().endsWith(answer.explanation));
    }

    void startAndEndKeepTheStateBeforeTellingLumora()
    {
        CTavHotSyncChannel lumora;
        listen(lumora, Answer{0, {}});

        Run run = runTool({QStringLiteral("start")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("started"));
        QVERIFY(runTool({QStringLiteral("status")}).out.startsWith(QStringLiteral("running since ")));

        run = runTool({QStringLiteral("end")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("ended"));
        QCOMPARE(runTool({QStringLiteral("status")}).out, QStringLiteral("idle"));

        QCOMPARE(m_received, (QList<int>{1, 2}));
        // Lumora's watch timer asks for the state as soon as it hears of the start.
        QCOMPARE(m_stateSeen, (QList<int>{1, 0}));
        QCOMPARE(logLines().size(), 2);
    }

    void aHotSyncRunsWithoutLumora()
    {
        Run run = runTool({QStringLiteral("request")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("not running")));

        run = runTool({QStringLiteral("start")});
        QCOMPARE(run.exitCode, 2);
        // A Lumora that starts now finds the HotSync running.
        int32_t state = 0;
        QCOMPARE(CTavHotSyncManager::GetRunningState(&state), 0);
        QCOMPARE(state, 1);

        QCOMPARE(runTool({QStringLiteral("end")}).exitCode, 2);
        QCOMPARE(CTavHotSyncManager::GetRunningState(&state), 0);
        QCOMPARE(state, 0);
    }

    void notifySendsAnyNumber()
    {
        CTavHotSyncChannel lumora;
        listen(lumora, Answer{0xBEC4, {}});
        const Run run = runTool({QStringLiteral("notify"), QStringLiteral("0xFFFF")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("answer 48836"));
        QCOMPARE(m_received, QList<int>{0xFFFF});
    }

    void usageErrorsSendNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown command") << QStringList{"sync"};
        QTest::newRow("extra argument") << QStringList{"request", "now"};
        QTest::newRow("notify with text") << QStringList{"notify", "one"};
        QTest::newRow("notify negative") << QStringList{"notify", "-1"};
        QTest::newRow("zero timeout") << QStringList{"--timeout", "0", "request"};
        QTest::newRow("window with a command") << QStringList{"--log", "request"};
    }

    void usageErrorsSendNothing()
    {
        QFETCH(QStringList, args);
        CTavHotSyncChannel lumora;
        listen(lumora, Answer{0, {}});
        const Run run = runTool(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("usage:")));
        QVERIFY(m_received.isEmpty());
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
        QString folder = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
        if (folder.isEmpty())
            folder = m_dir.path();
        QDir().mkpath(folder);
        const QString picture =
            folder + QStringLiteral("/lumora-hotsync") + option.mid(1) + QStringLiteral(".png");
        QFile::remove(picture);
        const Run run = runTool({option, QStringLiteral("--screenshot"), picture});
        QCOMPARE(run.exitCode, 0);
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

        const Run second = runTool({QStringLiteral("--log")});
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished());
    }
};

QTEST_GUILESS_MAIN(TestHotSyncTool)
#include "tst_hotsynctool.moc"
