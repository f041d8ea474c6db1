#include <QtTest>

#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "CTavHotSyncChannel.h"
#include "CTavHotSyncState.h"
#include "TestDataDir.h"

// lumora-cli's commands against a channel of this process standing in for Lumora.
namespace {
using Answer = CTavHotSyncChannel::Answer;
constexpr int kAskStart = 0, kStarted = 1, kEnded = 2, kPresence = 0xFFFF;
const QList<int> kSession{kPresence, kAskStart, kStarted, kEnded}, kAsked{kPresence, kAskStart};
const QString kRefusal = u"ダイアログが開いています。"_qs, kSaved = u"saved by Lumora"_qs;
// Lumora accepting or refusing; on other data; refusing while a live or crashed HotSync is recorded.
constexpr int Accepts = 0, Refuses = 1, OtherData = 2, SyncRunning = 3, SyncCrashed = 4;

// Exit code, process and standard error; waits in the event loop so that the channel can answer.
std::tuple<int, qint64, QString> runCli(const QString& command, const QByteArray& input = {})
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(LUMORA_CLI_PROGRAM), command.split(u' '));
    process.write(input);
    process.closeWriteChannel();
    const qint64 pid = process.processId();
    const bool ended = finished.wait(60000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, pid, QString::fromUtf8(process.readAllStandardError())};
}

// The user's memos; with a text, first saves it as Lumora does before it accepts.
QStringList memosOnDisk(const QString& add = {})
{
    CTavDbUser users;
    users.SetCurrUserName(QStringLiteral("Hanako"));
    CTavDbMemo store;
    store.AttachUsers(&users);
    store.Load();
    CTavDbMemoRecord record;
    record.SetMemo(add);
    if (!add.isEmpty() && store.AddRecord(record) == TavStatusCode::Ok)
        store.Write();
    QStringList texts;
    for (int i = 0; i < store.GetCount(); ++i)
        texts << store.GetMemoRecord(i)->GetMemo();
    texts.sort();
    return texts;
}

// Every data and settings file with its bytes.
QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        if (!file.fileName().contains(QStringLiteral("/run/")) && file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(), file.readAll());
    }
    return files;
}

struct Case
{
    QString name, command, memo; // the memo is written to standard input
    int lumora, exitCode;
    QList<int> received;
    QStringList memos = {};
    QString err = {};
};

QList<Case> cases()
{
    QList<Case> cases;
    for (const QString& command :
         QStringList{"add memo", "useradd Jiro", "userdel Hanako", "passwd Hanako", "demo",
                     "config CheckDelete 0", "config --unset CheckDelete", "drives bind D /tmp"})
        cases.append({"refused " + command, command, "x", Refuses, 1, kAsked, {}, kRefusal});
    for (const QString& command :
         QStringList{"users", "list memo", "config", "config CheckDelete", "drives", "agenda 2025-01-01"})
        cases.append({"reads " + command, command, "x", Refuses, 0, {}});
    // The memo dialog's byte limit; a failed write still ends the HotSync it started.
    const QString longest(32766, u'a');
    cases.append({"accepted", "add memo", longest, Accepts, 0, kSession, {longest, kSaved}});
    cases.append({"too long", "add memo", longest + u'a', Accepts, 1, kSession, {kSaved}});
    // Only the data are that Lumora's: the settings are shared whatever the data root.
    cases.append({"other data", "add memo", "x", OtherData, 0, {kPresence}, {"x"}});
    cases.append({"other data, settings", "config CheckDelete 0", "x", OtherData, 1, kAsked, {}, kRefusal});
    cases.append({"HotSync running", "add memo", "x", SyncRunning, 1, {}, {}, "HotSync is running"});
    cases.append({"HotSync crashed", "add memo", "x", SyncCrashed, 0, kSession, {kSaved, "x"}});
    return cases;
}
} // namespace

class CliSyncTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases().size(); ++i)
            QTest::newRow(qPrintable(cases()[i].name)) << i;
    }
    void commands()
    {
        QFETCH(int, index);
        const auto [name, command, memo, lumora, exitCode, received, memos, err] = cases()[index];
        const TestDataDir dir;
        qputenv("LUMORA_RUNTIME_DIR", dir.filePath(QStringLiteral("run")).toUtf8());
        QCOMPARE(std::get<0>(runCli("useradd Hanako")), 0);
        QCOMPARE(std::get<0>(runCli("config CheckDelete 1")), 0);
        const qint64 syncPid = lumora == SyncRunning   ? QCoreApplication::applicationPid()
                               : lumora == SyncCrashed ? std::get<1>(runCli("users")) // a process now gone
                                                       : 0;
        if (syncPid)
            QVERIFY(CTavHotSyncState::write({.running = true, .since = {}, .pid = syncPid}));
        const auto before = snapshot(dir.path());
        const bool accepts = lumora == Accepts || lumora == SyncCrashed;
        const QString root = lumora == OtherData ? dir.filePath(QStringLiteral("other")) : dir.dataPath();
        QList<int> seen;
        QList<qint64> pids; // the state's process at each notification, 0 when idle
        CTavHotSyncChannel channel;
        QVERIFY(channel.listen());
        channel.setHandler([&](int notification) {
            CTavHotSyncState state;
            CTavHotSyncState::read(&state);
            seen << notification;
            pids << (state.running ? state.pid : 0);
            if (notification == kAskStart && accepts)
                memosOnDisk(kSaved);
            return notification == kPresence               ? Answer{0xBEC4, root}
                   : notification == kAskStart && !accepts ? Answer{1, kRefusal}
                                                           : Answer{};
        });
        const auto [runExit, runPid, runErr] =
            runCli(command, QString("{\"memo\":\"%1\"}\n").arg(memo).toUtf8());
        QCOMPARE(runExit, exitCode);
        QVERIFY2(runErr.contains(err), qPrintable(runErr));
        QCOMPARE(seen, received);
        // The state names the command when Lumora hears of the start, and is idle at the end.
        QCOMPARE(pids.mid(2), (received.contains(kStarted) ? QList<qint64>{runPid, 0} : QList<qint64>{}));
        QCOMPARE(memosOnDisk(), memos);
        if (exitCode != 0 && !received.contains(kStarted))
            QCOMPARE(snapshot(dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(CliSyncTest)
#include "tst_cli_sync.moc"
