#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbDateRecord.h"
#include "CTavDbMemo.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbUser.h"
#include "CTavDesktopConflict.h"
#include "CTavFrameActions.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavHotSyncState.h"
#include "CTavMemoDoc.h"
#include "CTavMessageBox.h"
#include "CTavModuleFrame.h"
#include "CTavOptionsDlg.h"
#include "ScheduleState.h"
#include "TavStrings.h"
#include "TestDataDir.h"

using HS = CTavHotSyncCoordinator;

namespace {
void addMemo(CTavDbMemo& store, const QString& text)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
}

int memosOnDisk()
{
    CTavDbUser users;
    users.SetCurrUserName(QStringLiteral("Hanako"));
    CTavDbMemo store;
    store.AttachUsers(&users);
    store.Load();
    return store.GetRecordCount();
}

// The id of a process that has ended: a manager that crashed.
qint64 deadPid()
{
    QProcess process;
    process.start(QStringLiteral("true"), QStringList());
    const qint64 pid = process.waitForStarted(30000) ? process.processId() : -1;
    process.waitForFinished(30000);
    return pid;
}

void recordRunning(qint64 pid)
{
    QVERIFY(CTavHotSyncState::write({true, QDateTime::currentDateTime(), pid}));
}
} // namespace

// A HotSync is accepted only when nothing is being edited; while it runs the program keeps
// still, and afterwards every store is read again.
class TestHotSync : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void acceptedRequestSaves();
    void refusedDuringDialog();
    void refusedWhenSavingFails();
    void runningLocksAndEndReloads();
    void watchTimer_data();
    void watchTimer();
    void stateAtStartup_data();
    void stateAtStartup();
    void managerGoneWhileWaiting();
    void refusalBoxStaysEnabledAfterStart();
    void desktopConflictWarnsUntilGone();
    void endSeesNewIcons();

private:
    HS& hotSync() const { return m_app->MainFrame()->HotSync(); }
    QString statusText() const { return m_app->MainFrame()->StatusPane()->text(); }
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};

void TestHotSync::init()
{
    QVERIFY(AppTestEnv::StartAt({}, m_env, m_app));
}

void TestHotSync::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

void TestHotSync::acceptedRequestSaves()
{
    addMemo(m_app->MemoStore(), QStringLiteral("before sync"));
    QCOMPARE(hotSync().OnNotify(HS::AskStart), 0);
    QCOMPARE(memosOnDisk(), 1);
    // Nothing may change between the save and the start; a start that never comes lets go.
    QVERIFY(!m_app->MainFrame()->isEnabled());
    hotSync().findChild<QTimer*>(QStringLiteral("startWait"))->start(1);
    QTRY_VERIFY(m_app->MainFrame()->isEnabled());
    QVERIFY(!hotSync().SyncRunning());
}

void TestHotSync::refusedDuringDialog()
{
    addMemo(m_app->MemoStore(), QStringLiteral("being edited"));
    int answer = -1;
    m_env->AnswerDialog([this, &answer](CTavDialogBase& d) {
        AppTestEnv::Screenshot(&d, QStringLiteral("dialog-options"));
        answer = hotSync().OnNotify(HS::AskStart);
        QTest::qWait(1); // the explanation comes from the event loop, owned by the dialog
        return d.result();
    });
    m_app->MainFrame()->Actions().Trigger(TavCmd::Options);
    QCOMPARE(answer, 1);
    QCOMPARE(m_env->Messages(), QStringList{TavStr::SyncRefusedBusy});
    QCOMPARE(m_env->MessageParentTitles(), QStringList{QStringLiteral("オプション")});
    QCOMPARE(memosOnDisk(), 0);
}

// A change that cannot be saved would be lost under the HotSync's data.
void TestHotSync::refusedWhenSavingFails()
{
    QVERIFY(m_app->SaveAll());
    addMemo(m_app->MemoStore(), QStringLiteral("unsaved"));
    QFile damaged(m_app->MemoStore().GetFilePath());
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate) && damaged.write("not a store") > 0);
    damaged.close();
    QCOMPARE(hotSync().OnNotify(HS::AskStart), 1);
    QTest::qWait(1);
    QCOMPARE(m_env->Messages().size(), 1);
    QVERIFY(m_env->Messages().first().contains(m_app->MemoStore().GetFilePath()));
}

void TestHotSync::runningLocksAndEndReloads()
{
    QCOMPARE(hotSync().OnNotify(HS::AskStart), 0);
    QCOMPARE(hotSync().OnNotify(HS::Started), 0);
    QVERIFY(hotSync().SyncRunning());
    QVERIFY(!m_app->MainFrame()->isEnabled());
    QCOMPARE(hotSync().SyncTimer(), HS::kWatchTimerId);

    // The manager changed the data on disk meanwhile.
    {
        CTavDbUser users;
        users.SetCurrUserName(QStringLiteral("Hanako"));
        CTavDbMemo store;
        store.AttachUsers(&users);
        store.Load();
        addMemo(store, QStringLiteral("from the handheld"));
        QCOMPARE(store.Write(), TavStatusCode::Ok);
    }
    const auto* memoDoc = static_cast<CTavMemoDoc*>(m_app->Document(TavSlot::MemoPad));
    QCOMPARE(memoDoc->Count(), 0);
    QCOMPARE(hotSync().OnNotify(HS::Ended), 0);
    QVERIFY(!hotSync().SyncRunning());
    QVERIFY(m_app->MainFrame()->isEnabled());
    QCOMPARE(memoDoc->Count(), 1);
    QCOMPARE(hotSync().SyncTimer(), 0);

    // A file the HotSync left unreadable is named once the notification is answered.
    QCOMPARE(hotSync().OnNotify(HS::AskStart), 0);
    QCOMPARE(hotSync().OnNotify(HS::Started), 0);
    QVERIFY(TestDataDir::WriteFile(m_app->MemoStore().GetFilePath(), "not a store"));
    QCOMPARE(hotSync().OnNotify(HS::Ended), 0);
    QVERIFY(m_env->Messages().isEmpty());
    QTest::qWait(1);
    QVERIFY(m_env->Messages().value(0).contains(QDir::toNativeSeparators(m_app->MemoStore().GetFilePath())));

    // A channel already taken (here by this program itself) is said.
    hotSync().Listen();
    QTRY_COMPARE(m_env->Messages().size(), 2);
    QVERIFY(m_env->Messages().last().contains(QStringLiteral("開けませんでした")));
}

void TestHotSync::watchTimer_data()
{
    QTest::addColumn<QList<int>>("states"); // running state answered at each tick; -1: no answer
    QTest::addColumn<int>("counter");       // the watch counter before the ticks
    QTest::addColumn<int>("endsAfter");     // ticks until the HotSync counts as ended; 0: never
    QTest::newRow("still running") << QList<int>{1, 1, 1} << 3 << 0;
    QTest::newRow("manager gone") << QList<int>{-1} << 3 << 1;
    QTest::newRow("running resets the counter") << QList<int>{1, 0} << 1 << 2;
    QTest::newRow("counter at one waits a tick") << QList<int>{0, 0} << 1 << 2;
}

void TestHotSync::watchTimer()
{
    QFETCH(QList<int>, states);
    QFETCH(int, counter);
    QFETCH(int, endsAfter);
    qsizetype tick = 0;
    HS::SetRunningStateQuery([&states, &tick](int32_t* state) {
        const int s = states.at(std::min(tick, states.size() - 1));
        *state = std::max(s, 0);
        return s < 0 ? -1 : 0;
    });
    hotSync().OnNotify(HS::Started);
    hotSync().findChild<QTimer*>(QStringLiteral("watch"))->stop(); // the test ticks by hand
    HS::SetWatchCounter(counter);
    int endedAt = 0;
    for (tick = 0; tick < states.size() && !endedAt; ++tick) {
        hotSync().OnWatchTimer();
        QTest::qWait(1);
        if (!hotSync().SyncRunning())
            endedAt = int(tick) + 1;
    }
    QCOMPARE(endedAt, endsAfter);
    QCOMPARE(m_app->MainFrame()->isEnabled(), endsAfter != 0);
    if (!endsAfter)
        QCOMPARE(HS::WatchCounter(), 3);
    hotSync().OnNotify(HS::Ended);
}

void TestHotSync::stateAtStartup_data()
{
    QTest::addColumn<int>("pid"); // -1: a process that has ended, -2: this one
    QTest::addColumn<bool>("locked");
    QTest::newRow("manager gone") << -1 << false;
    QTest::newRow("manager alive") << -2 << true;
    QTest::newRow("manager unknown") << 0 << true;
}

// The manager's state file is read as it is; only a manager known to be gone ends the HotSync.
void TestHotSync::stateAtStartup()
{
    QFETCH(int, pid);
    QFETCH(bool, locked);
    AppTestEnv::Close(m_app);
    HS::SetRunningStateQuery({});
    recordRunning(pid == -1 ? deadPid() : pid == -2 ? QCoreApplication::applicationPid() : pid);
    m_app = m_env->Start();
    QTest::qWait(1);
    QCOMPARE(hotSync().SyncRunning(), locked);
    QCOMPARE(m_app->MainFrame()->isEnabled(), !locked);
    QCOMPARE(statusText(), locked ? TavStr::SyncRunningStatus : TavStr::SyncManagerGone);
    CTavHotSyncState state;
    QVERIFY(CTavHotSyncState::read(&state));
    QCOMPARE(state.running, locked);
    if (locked) {
        hotSync().OnNotify(HS::Ended);
        QCOMPARE(statusText(), QStringLiteral("レディ"));
    }
}

// While the manager is alive nothing may be saved over its data; once it is gone the wait ends.
void TestHotSync::managerGoneWhileWaiting()
{
    HS::SetRunningStateQuery({});
    recordRunning(QCoreApplication::applicationPid());
    addMemo(m_app->MemoStore(), QStringLiteral("not saved over the HotSync"));
    hotSync().OnNotify(HS::Started);
    QCOMPARE(statusText(), TavStr::SyncRunningStatus);
    QCOMPARE(hotSync().OnNotify(HS::AskStart), 1);
    hotSync().OnWatchTimer();
    QTest::qWait(1);
    QVERIFY(hotSync().SyncRunning());
    QCOMPARE(memosOnDisk(), 0);

    QSignalSpy reloaded(&hotSync(), &HS::syncFinished);
    recordRunning(deadPid());
    hotSync().OnWatchTimer();
    QTest::qWait(1);
    QVERIFY(!hotSync().SyncRunning());
    QVERIFY(m_app->MainFrame()->isEnabled());
    QCOMPARE(statusText(), TavStr::SyncManagerGone);
    QCOMPARE(reloaded.count(), 1);
}

// The refusal (a backup file is open) is still on screen when the manager starts anyway: the
// user can still close it.
void TestHotSync::refusalBoxStaysEnabledAfterStart()
{
    bool boxEnabled = false;
    CTavMessageBox::SetHook([this, &boxEnabled](const CTavMessageRequest& request) {
        if (request.text != TavStr::SyncRefusedBackup)
            return TavMsg::IdCancel;
        auto box = CTavMessageBox::Build(request);
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
        hotSync().OnNotify(HS::Started);
        boxEnabled = box->isEnabled();
        return TavMsg::IdOk;
    });
    m_app->setBackupFileOpen(1);
    QCOMPARE(hotSync().OnNotify(HS::AskStart), 1);
    QTest::qWait(1);
    QVERIFY(boxEnabled);
    QVERIFY(!m_app->MainFrame()->isEnabled());
    hotSync().OnNotify(HS::Ended);
    QVERIFY(m_app->MainFrame()->isEnabled());
}

void TestHotSync::desktopConflictWarnsUntilGone()
{
    // The competing program runs while three warnings are shown, then ends; meanwhile every
    // confirmation counts as declined.
    QString rival;
    QProcess* process = m_env->StartRival(&rival);
    QVERIFY(process);
    m_app->DesktopConflict().setProcessNames({rival});
    QCOMPARE(m_app->ShowMessage(nullptr, QStringLiteral("sure?"), QString(), TavMsg::YesNo),
             TavMsg::IdCancel);
    int shown = 0;
    CTavMessageBox::SetHook([&shown, process](const CTavMessageRequest& request) {
        if (request.text != TavStr::QuitDesktop || ++shown == 3) {
            process->kill();
            process->waitForFinished();
        }
        return TavMsg::IdOk;
    });
    m_app->MainFrame()->OnDesktopConflict();
    QCOMPARE(shown, 3);
    QVERIFY(!m_app->MainFrame()->DesktopWarningRunning());
}

void TestHotSync::endSeesNewIcons()
{
    ScheduleState& schedule = ScheduleState::Of(*m_app);
    QVERIFY(schedule.IconImage(QStringLiteral("OnBoard"), CTavDbDateRecord::kIconType, 1703).isNull());
    hotSync().OnNotify(HS::Started);
    QVERIFY(QFile::copy(QStringLiteral(LUMORA_TEST_DATA_DIR "/handheld/OnBoard.prc"),
                        CTavDbBackupFolder::Path(m_app->Users()) + QStringLiteral("OnBoard.prc")));
    hotSync().OnNotify(HS::Ended);
    QVERIFY(!schedule.IconImage(QStringLiteral("OnBoard"), CTavDbDateRecord::kIconType, 1703).isNull());
}

QTEST_MAIN(TestHotSync)
#include "tst_hotsync.moc"
