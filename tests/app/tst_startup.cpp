#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavDriveMap.h"
#include "CTavFrameActions.h"
#include "CTavModuleFrame.h"
#include "CTavOptions.h"
#include "CTavOptionsDlg.h"
#include "CTavRegOption.h"
#include "CTavSingleInstance.h"
#include "CTavUserDlg.h"
#include "CTavUserFile.h"
#include "CTavUserNameDlg.h"
#include "TavStrings.h"

// Start-up: who becomes the current user, when the dialogs show, and when the program refuses
// to start; the options dialog, the stored options and the start-up password flag in the user's
// "tavuser.dat".
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void noUsersAsksForOne();
    void chooseUser_data();
    void chooseUser();
    void cancelledUserDialogEndsStartup();
    void secondInstanceEnds();
    void runningDesktopProgramStopsStartup();
    void commandLine_data();
    void commandLine();
    void optionsOpenWithCurrentValues();
    void optionsOkStoresEverything();
    void passwordWarning_data();
    void passwordWarning();

private:
    bool start(const QStringList& arguments = {});
    void startWithDrives();
    int runOptions(const std::function<void(CTavOptionsDlg&)>& fill);
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};

void TestStartup::init()
{
    m_env = std::make_unique<AppTestEnv>();
}

void TestStartup::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

bool TestStartup::start(const QStringList& arguments)
{
    AppTestEnv::Close(m_app);
    bool started = false;
    m_app = m_env->Start(arguments, &started);
    return started;
}

// Hanako, with drive letters bound to folders; F:'s folder is missing, so it is not offered.
void TestStartup::startWithDrives()
{
    CTavDbClock::SetFixed(QDateTime::fromSecsSinceEpoch(1700000000));
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    QDir().mkpath(m_env->Dir().filePath(QStringLiteral("card")));
    QDir().mkpath(m_env->Dir().filePath(QStringLiteral("disk")));
    CTavDriveMap drives;
    QVERIFY(drives.bind(u'E', m_env->Dir().filePath(QStringLiteral("card"))));
    QVERIFY(drives.bind(u'D', m_env->Dir().filePath(QStringLiteral("disk"))));
    QVERIFY(drives.bind(u'F', m_env->Dir().filePath(QStringLiteral("gone"))));
    QVERIFY(drives.unbind(u'Z'));
    CTavRegOption().WriteString(QStringLiteral("FKDrive"), QStringLiteral("e:\\"));
    QVERIFY(start());
}

// Runs the options dialog; gives whether a HotSync could start while it was open.
int TestStartup::runOptions(const std::function<void(CTavOptionsDlg&)>& fill)
{
    int ready = -1;
    m_env->AnswerDialog([&](CTavDialogBase& d) {
        ready = m_app->readyForSync();
        fill(static_cast<CTavOptionsDlg&>(d));
        return d.result();
    });
    m_app->MainFrame()->Actions().Trigger(TavCmd::Options);
    return ready;
}

void TestStartup::noUsersAsksForOne()
{
    m_env->AnswerDialog([this](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavUserDlg&>(d);
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-users-startup"));
        dlg.OkButton()->click(); // empty list: a message, the dialog stays
        if (dlg.result() == QDialog::Accepted || m_env->Messages() != QStringList{TavStr::AddUser})
            return 0;
        m_env->AnswerDialog([](CTavDialogBase& n) {
            static_cast<CTavUserNameDlg&>(n).Edit()->setText(QStringLiteral("Taro"));
            AppTestEnv::Screenshot(&n, QStringLiteral("dialog-new-user"));
            n.accept();
            return n.result();
        });
        dlg.NewButton()->click();
        dlg.OkButton()->click();
        return dlg.result();
    });
    QVERIFY(start());
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Taro"));
    QCOMPARE(m_app->MainFrame()->MdiArea()->activeSubWindow(), m_app->Frame(TavSlot::Day));
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("main-first-start"));
}

void TestStartup::chooseUser_data()
{
    QTest::addColumn<QString>("currentUser"); // "CurrentUser" before start
    QTest::addColumn<QString>("password");    // of user "Hanako", who must become the current user
    QTest::addColumn<int>("startupFlag");     // of "tavuser.dat", -1 for no file
    // Typed into the password dialog, in order: all but the last are wrong.
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<QStringList>("dialogs");
    QTest::newRow("deleted current user, first has no password")
        << "Gone"
        << "" << -1 << QStringList() << QStringList();
    QTest::newRow("password without start-up flag file")
        << "Hanako"
        << "pw" << -1 << QStringList() << QStringList{"ユーザ"};
    QTest::newRow("password with flag 1, wrong then right")
        << "Hanako"
        << "pw" << 1 << QStringList{"bad", "pw"} << QStringList{"ユーザ", "パスワード", "パスワード"};
}

void TestStartup::chooseUser()
{
    QFETCH(QString, currentUser);
    QFETCH(QString, password);
    QFETCH(int, startupFlag);
    QFETCH(QStringList, passwords);
    QFETCH(QStringList, dialogs);
    AppTestEnv::AddUser(QStringLiteral("Hanako"), password, startupFlag);
    AppTestEnv::AddUser(QStringLiteral("Jiro"));
    CTavRegOption().WriteString(QStringLiteral("CurrentUser"), currentUser);
    if (!dialogs.isEmpty())
        m_env->AnswerDialog([](CTavDialogBase& d) {
            // The user dialog opens on the remembered user.
            auto& dlg = static_cast<CTavUserDlg&>(d);
            if (dlg.List()->currentItem()->text() != QStringLiteral("Hanako"))
                return 0;
            dlg.OkButton()->click();
            return dlg.result();
        });
    for (const QString& p : passwords)
        m_env->AnswerDialog(AppTestEnv::TypePassword(p));
    QVERIFY(start());
    QCOMPARE(m_env->DialogTitles(), dialogs);
    QCOMPARE(m_env->Messages().count(TavStr::InvalidPassword), std::max<qsizetype>(0, passwords.size() - 1));
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Hanako"));
}

void TestStartup::cancelledUserDialogEndsStartup()
{
    AppTestEnv::AddUser(QStringLiteral("Hanako"), QStringLiteral("pw"), 1);
    m_env->AnswerDialog([](CTavDialogBase& d) {
        static_cast<CTavUserDlg&>(d).DeleteButton()->click();
        return d.result();
    });
    QVERIFY(!start());
    QVERIFY(!m_app->MainFrame());
    // Cancelling the start-up password also ends it.
    m_env->AnswerDialog([](CTavDialogBase& d) {
        static_cast<CTavUserDlg&>(d).OkButton()->click();
        return d.result();
    });
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    QVERIFY(!start());
    QVERIFY(!m_app->MainFrame());
}

void TestStartup::secondInstanceEnds()
{
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    CTavSingleInstance first(TavStr::ProductName);
    QVERIFY(first.acquire());
    QVERIFY(!start());
    QVERIFY(m_env->Messages().isEmpty());
    first.release();
    m_app.reset();
    QVERIFY(start());
}

void TestStartup::runningDesktopProgramStopsStartup()
{
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    QString rival;
    QVERIFY(m_env->StartRival(&rival));
    qputenv("LUMORA_CONFLICT_PROCESSES", rival.toLocal8Bit());
    QVERIFY(!start());
    QCOMPARE(m_env->Messages(), QStringList{TavStr::QuitDesktop});
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("otherRoot");
    QTest::newRow("data folder, a file name ignored")
        << QStringList{"--data-dir", "@other", "notes.txt"} << true << true;
    QTest::newRow("embedding") << QStringList{"-Embedding", "x.doc"} << false << false;
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, window);
    QFETCH(bool, otherRoot);
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    const QString other = m_env->Dir().filePath(QStringLiteral("other"));
    arguments.replaceInStrings(QStringLiteral("@other"), other);
    if (otherRoot) {
        // The other data root has a user of its own and no users dialog is needed.
        CTavDbEnv::SetCorePath(other);
        AppTestEnv::AddUser(QStringLiteral("Saburo"));
        CTavDbEnv::SetCorePath(m_env->Dir().dataPath());
    }
    QVERIFY(start(arguments));
    QCOMPARE(m_app->MainFrame() != nullptr, window);
    if (window)
        QCOMPARE(m_app->Users().GetCurrUserName(), otherRoot ? u"Saburo"_qs : u"Hanako"_qs);
}

void TestStartup::optionsOpenWithCurrentValues()
{
    startWithDrives();
    const int ready = runOptions([this](CTavOptionsDlg& dlg) {
        // C: is the home folder; D: and E: are bound; F: has no folder and Z: is switched off.
        // Each letter shows the folder it stands for; the root alone is the value.
        QStringList offered;
        for (int i = 0; i < dlg.DriveBox()->count(); ++i)
            offered << dlg.DriveBox()->itemData(i).toString();
        QCOMPARE(offered, (QStringList{"C:\\", "D:\\", "E:\\"}));
        QCOMPARE(dlg.SelectedDrive(), QStringLiteral("E:\\"));
        QCOMPARE(dlg.DriveBox()->currentText(), u"E: "_qs + m_env->Dir().filePath(u"card"_qs));
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-options-drives"));
        dlg.reject();
    });
    QCOMPARE(ready, 0);
    QCOMPARE(m_app->readyForSync(), 1);
}

void TestStartup::optionsOkStoresEverything()
{
    startWithDrives();
    runOptions([](CTavOptionsDlg& dlg) {
        dlg.ConfirmDelete()->setChecked(false);
        dlg.DriveBox()->setCurrentIndex(1);
        dlg.accept();
    });
    QCOMPARE(CTavOptions::instance().CheckDelete(), 0);
    QCOMPARE(CTavOptions::instance().FlekDrive(), QStringLiteral("D:\\"));
    QCOMPARE(CTavRegOption().FKDrive(), QStringLiteral("D:\\")); // the root, not the shown label
    int32_t number = -1;
    QVERIFY(CTavRegOption().ReadNumber(QStringLiteral("CheckDelete"), number, 1));
    QCOMPARE(number, 0);
    // The flag file is written whole even when the flag stays off.
    QFile file(m_app->Users().GetCurrUserPath() + QStringLiteral("tavuser.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(), QByteArray("ffffffff0000000000f15365"));
}

void TestStartup::passwordWarning_data()
{
    QTest::addColumn<int>("flagBefore");
    QTest::addColumn<QList<int>>("answers"); // to the warning, in order
    QTest::addColumn<int>("flagAfter");
    QTest::newRow("turned on, no keeps the dialog, then yes")
        << 0 << QList<int>{TavMsg::IdNo, TavMsg::IdYes} << 1;
    QTest::newRow("already on: no warning") << 1 << QList<int>{} << 1;
}

void TestStartup::passwordWarning()
{
    QFETCH(int, flagBefore);
    QFETCH(QList<int>, answers);
    startWithDrives();
    const QString userPath = m_app->Users().GetCurrUserPath();
    QVERIFY(CTavUserFile::Write(userPath, flagBefore, 0));
    for (int a : answers)
        m_env->AnswerMessage(a);
    runOptions([&](CTavOptionsDlg& dlg) {
        dlg.StartupPassword()->setChecked(true);
        for (int i = 0; i < std::max<int>(1, answers.size()); ++i) {
            dlg.accept();
            if (i + 1 < answers.size())
                QVERIFY(dlg.isVisible());
        }
    });
    QCOMPARE(m_env->Messages().size(), answers.size());
    QTEST(CTavUserFile::ReadStartupPasswordFlag(userPath), "flagAfter");
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
