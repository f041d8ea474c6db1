#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <unistd.h>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "CTavDialogBase.h"
#include "CTavHotSyncNotifier.h"
#include "CTavMainFrame.h"
#include "CTavMemoDlg.h"
#include "CTavMemoFrame.h"
#include "CTavRegOption.h"
#include "TavMemoCommandIds.h"

// The program's life beside other processes: a second start, and the signals of a logout, a
// closed terminal or Ctrl+C. The first program runs in this process, so that its unsaved
// work can be looked at; the second start and the signals are real.
class TestLifecycle : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void secondStartRaisesTheFirst();
    void signalSavesWhatWasConfirmed_data();
    void signalSavesWhatWasConfirmed();
    void realProgramEndsCleanlyOnSignal();

private:
    // A memo added as a confirmed dialog adds it: in the store, not yet in the file.
    void enterMemo(const QString& text);
    // The memos of the store file, read afresh as another program would.
    static QStringList savedMemos();
    static QProcess* startProgram(QObject* parent);
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};

void TestLifecycle::init()
{
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
}

void TestLifecycle::cleanup()
{
    AppTestEnv::Close(m_app);
    m_env.reset();
}

void TestLifecycle::enterMemo(const QString& text)
{
    CTavDbMemoRecord memo;
    memo.SetMemo(text);
    QCOMPARE(m_app->MemoStore().AddRecord(memo), TavStatusCode::Ok);
}

QStringList TestLifecycle::savedMemos()
{
    CTavDbUser users;
    users.SetCurrUserName(QStringLiteral("Hanako"));
    CTavDbMemo store;
    store.AttachUsers(&users);
    if (store.Load() != TavStatusCode::Ok)
        return {QStringLiteral("(unreadable)")};
    QStringList texts;
    for (const auto& record : store.AllRecords())
        texts << static_cast<const CTavDbMemoRecord&>(*record).GetMemo();
    return texts;
}

QProcess* TestLifecycle::startProgram(QObject* parent)
{
    auto* process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QStringLiteral(LUMORA_PROGRAM), {});
    return process;
}

void TestLifecycle::secondStartRaisesTheFirst()
{
    m_app = m_env->Start();
    QVERIFY(m_app->MainFrame());
    enterMemo(QStringLiteral("一分前の予定"));
    m_app->MainFrame()->showMaximized();
    m_app->MainFrame()->showMinimized();

    QProcess second;
    second.start(QStringLiteral(LUMORA_PROGRAM), {});
    // The event loop keeps running meanwhile: the first answers the second from it.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 30000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(!m_app->MainFrame()->isMinimized());
    QVERIFY(m_app->MainFrame()->isVisible() && m_app->MainFrame()->isMaximized());

    QVERIFY(m_app->SaveAll());
    QCOMPARE(savedMemos(), QStringList{QStringLiteral("一分前の予定")});
}

void TestLifecycle::signalSavesWhatWasConfirmed_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("dialogOpen");
    QTest::newRow("TERM") << SIGTERM << false;
    QTest::newRow("HUP, a dialog open") << SIGHUP << true;
}

void TestLifecycle::signalSavesWhatWasConfirmed()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, dialogOpen);
    m_app = m_env->Start();
    enterMemo(QStringLiteral("確定したメモ"));
    // A safety net: a program that ignores the signal fails here instead of hanging.
    QTimer::singleShot(30000, qApp, [] { QCoreApplication::exit(99); });
    if (dialogOpen) {
        m_env->AnswerDialog([signalNumber](CTavDialogBase& dialog) {
            if (auto* memo = qobject_cast<CTavMemoDlg*>(&dialog))
                memo->Edit()->setPlainText(QStringLiteral("入力中のメモ"));
            ::kill(::getpid(), signalNumber);
            // The dialog's own loop: it ends when the program does.
            QEventLoop loop;
            loop.exec();
            return dialog.result();
        });
        QTimer::singleShot(0, m_app.get(), [this] {
            m_app->SwitchModule(TavModule::MemoPad);
            static_cast<CTavMemoFrame*>(m_app->Frame(TavSlot::MemoPad))->Trigger(TavMemoCmd::NewMemo);
        });
    } else {
        QTimer::singleShot(0, m_app.get(), [signalNumber] { ::kill(::getpid(), signalNumber); });
    }
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(savedMemos(), QStringList{QStringLiteral("確定したメモ")});
    QCOMPARE(m_env->DialogTitles().size(), dialogOpen ? 1 : 0);
}

// The real program, started twice and then sent SIGTERM, as a logout without a session manager
// does: the second start leaves at once, the first ends normally and keeps its settings.
void TestLifecycle::realProgramEndsCleanlyOnSignal()
{
    QProcess* first = startProgram(this);
    QVERIFY(first->waitForStarted());
    // The program answers the HotSync manager's presence query once its window is up.
    QTRY_VERIFY_WITH_TIMEOUT(CTavHotSyncNotifier::send(0xFFFF, 1000).has_value(), 60000);
    QProcess* second = startProgram(this);
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    QVERIFY(first->waitForFinished(30000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    QString user;
    QVERIFY(CTavRegOption().PeekString(CTavRegOption::kCurrentUser, &user));
    QCOMPARE(user, QStringLiteral("Hanako"));
}

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
