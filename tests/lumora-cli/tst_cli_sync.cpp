#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include "CTavDbMemo.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbUser.h"
#include "CTavHotSyncChannel.h"
#include "CTavHotSyncState.h"
#include "TestDataDir.h"

using Answer = CTavHotSyncChannel::Answer;

namespace {
constexpr int kAskStart = 0, kStarted = 1, kEnded = 2, kPresence = 0xFFFF;

// The memos of the user's files; with a text, first adds it as Lumora does when it saves what
// the user was still editing before it accepts.
QStringList memosOnDisk(const QString& add = {})
{
    CTavDbUser users;
    users.SetCurrUserName(QStringLiteral("Hanako"));
    CTavDbMemo store;
    store.AttachUsers(&users);
    store.Load();
    if (!add.isEmpty()) {
        CTavDbMemoRecord r;
        r.SetMemo(add);
        store.AddRecord(r);
        store.Write();
    }
    QStringList texts;
    for (int i = 0; i < store.GetCount(); ++i)
        texts << store.GetMemoRecord(i)->GetMemo();
    texts.sort();
    return texts;
}

QByteArray memoLine(const QString& text)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("memo"), text}}).toJson(QJsonDocument::Compact) + '\n';
}
} // namespace

// lumora-cli's writing commands against a channel of this process standing in for Lumora.
class CliSyncTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        qint64 pid = 0;
        QString err;
    };
    std::unique_ptr<TestDataDir> m_dir;
    std::unique_ptr<CTavHotSyncChannel> m_lumora;
    QList<int> m_received;
    QMap<int, qint64> m_pidSeen; // the state's process at each notification, 0 when idle

    // The event loop runs while the command waits, so that the channel can answer it.
    Run runCli(const QStringList& args, const QByteArray& input = {})
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(LUMORA_CLI_PROGRAM), args);
        process.write(input);
        process.closeWriteChannel();
        const qint64 pid = process.processId();
        if (!finished.wait(60000) || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitCode(), pid, QString::fromUtf8(process.readAllStandardError())};
    }

    // Lumora on this data root (or another), accepting or refusing.
    void startLumora(const Answer& askAnswer, const QString& root)
    {
        m_lumora = std::make_unique<CTavHotSyncChannel>();
        QVERIFY(m_lumora->listen());
        m_lumora->setHandler([this, askAnswer, root](int notification) {
            CTavHotSyncState state;
            CTavHotSyncState::read(&state);
            m_received << notification;
            m_pidSeen[notification] = state.running ? state.pid : 0;
            if (notification == kPresence)
                return Answer{0xBEC4, root};
            if (notification == kAskStart && askAnswer.value == 0)
                memosOnDisk(QStringLiteral("saved by Lumora"));
            return notification == kAskStart ? askAnswer : Answer{};
        });
    }

    // Every file of the data and settings folders with a hash of its bytes.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(m_dir->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains(QStringLiteral("/run/")))
                continue;
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            files.insert(path, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
        }
        return files;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<TestDataDir>();
        qputenv("LUMORA_RUNTIME_DIR", m_dir->filePath(QStringLiteral("run")).toUtf8());
        CTavDbUser users;
        QCOMPARE(users.AddUser(QStringLiteral("Hanako")), TavStatusCode::Ok);
        QCOMPARE(users.AddUserDirectory(QStringLiteral("Hanako")), TavStatusCode::Ok);
        m_received.clear();
        m_pidSeen.clear();
    }
    void cleanup()
    {
        m_lumora.reset();
        m_dir.reset();
    }

    void acceptedWriteReadsWhatLumoraSaved()
    {
        startLumora(Answer{}, m_dir->dataPath());
        const Run run = runCli({QStringLiteral("add"), QStringLiteral("memo")}, memoLine(u"買い物"_qs));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(m_received, (QList<int>{kPresence, kAskStart, kStarted, kEnded}));
        // Lumora hears of the start with the state already naming the command, and of the end
        // with the state idle again.
        QCOMPARE(m_pidSeen[kStarted], run.pid);
        QCOMPARE(m_pidSeen[kEnded], 0);
        QCOMPARE(memosOnDisk(), (QStringList{u"saved by Lumora"_qs, u"買い物"_qs}));
    }

    void refusedWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("add") << QStringList{"add", "memo"} << memoLine(u"x"_qs);
        QTest::newRow("useradd") << QStringList{"useradd", "Jiro"} << QByteArray();
        QTest::newRow("userdel") << QStringList{"userdel", "Hanako"} << QByteArray();
        QTest::newRow("passwd") << QStringList{"passwd", "Hanako"} << QByteArray("secret\n");
        QTest::newRow("demo") << QStringList{"demo"} << QByteArray();
        QTest::newRow("config") << QStringList{"config", "CheckDelete", "0"} << QByteArray();
        QTest::newRow("config --unset") << QStringList{"config", "--unset", "CheckDelete"} << QByteArray();
        QTest::newRow("drives bind") << QStringList{"drives", "bind", "D", "/tmp"} << QByteArray();
    }
    void refusedWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QCOMPARE(
            runCli({QStringLiteral("config"), QStringLiteral("CheckDelete"), QStringLiteral("1")}).exitCode,
            0);
        const auto before = snapshot();
        startLumora(Answer{1, u"ダイアログが開いています。"_qs}, m_dir->dataPath());
        const Run run = runCli(args, input);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"ダイアログが開いています。"_qs), qPrintable(run.err));
        QCOMPARE(m_received, (QList<int>{kPresence, kAskStart}));
        QCOMPARE(snapshot(), before);
    }

    void readingCommandsLeaveLumoraAlone()
    {
        startLumora(Answer{1, {}}, m_dir->dataPath());
        const QList<QStringList> commands = {{"users"},  {"list", "memo"},
                                             {"config"}, {"config", "CheckDelete"},
                                             {"drives"}, {"agenda", "2025-01-01"}};
        for (const QStringList& args : commands)
            QVERIFY2(runCli(args).exitCode == 0, qPrintable(args.join(u' ')));
        QCOMPARE(m_received, QList<int>{});
    }

    void lumoraOfOtherDataIsLeftAlone()
    {
        startLumora(Answer{1, {}}, m_dir->filePath(QStringLiteral("other")));
        QCOMPARE(runCli({QStringLiteral("add"), QStringLiteral("memo")}, memoLine(u"x"_qs)).exitCode, 0);
        QCOMPARE(m_received, QList<int>{kPresence});
        QCOMPARE(memosOnDisk(), QStringList{u"x"_qs});
        // The settings are shared whatever the data root.
        QCOMPARE(
            runCli({QStringLiteral("config"), QStringLiteral("CheckDelete"), QStringLiteral("0")}).exitCode,
            1);
    }

    void aRunningHotSyncRefusesUnlessItsProcessEnded()
    {
        CTavHotSyncState state;
        state.running = true;
        state.pid = QCoreApplication::applicationPid();
        QVERIFY(CTavHotSyncState::write(state));
        const Run refused = runCli({QStringLiteral("add"), QStringLiteral("memo")}, memoLine(u"x"_qs));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains(QStringLiteral("a HotSync is running")));
        QCOMPARE(memosOnDisk(), QStringList{});
        // A crashed command left the state behind: its process is gone, so the HotSync is over.
        state.pid = runCli({QStringLiteral("users")}).pid;
        QVERIFY(CTavHotSyncState::write(state));
        startLumora(Answer{}, m_dir->dataPath());
        QCOMPARE(runCli({QStringLiteral("add"), QStringLiteral("memo")}, memoLine(u"x"_qs)).exitCode, 0);
        QCOMPARE(m_received, (QList<int>{kPresence, kAskStart, kStarted, kEnded}));
        QVERIFY(CTavHotSyncState::read(&state) && !state.running);
    }

    void memoLimitIsTheDialogsAndAFailureStillEnds()
    {
        startLumora(Answer{}, m_dir->dataPath());
        const QString longest(32766, u'a');
        QCOMPARE(runCli({QStringLiteral("add"), QStringLiteral("memo")}, memoLine(longest + u'a')).exitCode,
                 1);
        QCOMPARE(m_received, (QList<int>{kPresence, kAskStart, kStarted, kEnded}));
        QCOMPARE(runCli({QStringLiteral("add"), QStringLiteral("memo")}, memoLine(longest)).exitCode, 0);
        QCOMPARE(memosOnDisk(), (QStringList{longest, u"saved by Lumora"_qs, u"saved by Lumora"_qs}));
    }
};

QTEST_GUILESS_MAIN(CliSyncTest)
#include "tst_cli_sync.moc"
