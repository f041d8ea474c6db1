#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbUser.h"
#include "CTavModuleFrame.h"
#include "CTavRegOption.h"
#include "CTavSingleInstance.h"
#include "CTavUserDlg.h"
#include "CTavUserNameDlg.h"
#include "TavStrings.h"

// Start-up: who becomes the current user, when the dialogs show, and when the program refuses
// to start.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void noUsersAsksForOne();
    void chooseUser_data();
    void chooseUser();
    void cancelledUserDialogEndsStartup();
    void secondInstanceEnds();
    void runningDesktopProgramStopsStartup();
    void freshMachineCreatesDefaults();
    void commandLine_data();
    void commandLine();
};

void TestStartup::noUsersAsksForOne()
{
    AppTestEnv env;
    env.AnswerDialog([&env](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavUserDlg&>(d);
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-users-startup"));
        // The cancel button is there instead of delete, and there is no rename.
        if (dlg.DeleteButton()->text() != TavStr::Cancel || dlg.RenameButton()->isVisible())
            return 0;
        dlg.OkButton()->click(); // empty list: a message, the dialog stays
        if (dlg.result() == QDialog::Accepted || env.Messages() != QStringList{TavStr::AddUser})
            return 0;
        env.AnswerDialog([](CTavDialogBase& n) {
            static_cast<CTavUserNameDlg&>(n).Edit()->setText(QStringLiteral("Taro"));
            AppTestEnv::Screenshot(&n, QStringLiteral("dialog-new-user"));
            n.accept();
            return n.result();
        });
        dlg.NewButton()->click();
        dlg.OkButton()->click();
        return dlg.result();
    });
    bool started = false;
    auto app = env.Start({}, &started);
    QVERIFY(started);
    QCOMPARE(env.DialogTitles().size(), 2);
    QCOMPARE(app->Users().GetCurrUserName(), QStringLiteral("Taro"));
    QCOMPARE(app->currentModule(), TavModule::Schedule);
    QCOMPARE(app->MainFrame()->MdiArea()->activeSubWindow(), app->Frame(TavSlot::Day));
    AppTestEnv::Close(app);
}

void TestStartup::chooseUser_data()
{
    QTest::addColumn<QString>("currentUser");   // "CurrentUser" before start
    QTest::addColumn<QString>("password");      // of user "Hanako"
    QTest::addColumn<int>("startupFlag");       // of "tavuser.dat", -1 for no file
    QTest::addColumn<QStringList>("passwords"); // typed into the password dialog, in order
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<int>("invalidMessages");
    QTest::addColumn<QString>("expectedUser");

    const QStringList none;
    QTest::newRow("deleted current user, first has no password")
        << "Gone" << QString() << -1 << none << none << 0 << "Hanako";
    QTest::newRow("password without start-up flag file")
        << "Hanako"
        << "pw" << -1 << none << QStringList{"ユーザ"} << 0 << "Hanako";
    QTest::newRow("password with flag 0") << "Hanako"
                                          << "pw" << 0 << none << QStringList{"ユーザ"} << 0 << "Hanako";
    QTest::newRow("password with flag 1, wrong then right")
        << "Hanako"
        << "pw" << 1 << QStringList{"bad", "pw"} << QStringList{"ユーザ", "パスワード", "パスワード"} << 1
        << "Hanako";
}

void TestStartup::chooseUser()
{
    QFETCH(QString, currentUser);
    QFETCH(QString, password);
    QFETCH(int, startupFlag);
    QFETCH(QStringList, passwords);
    QFETCH(QStringList, dialogs);
    QFETCH(int, invalidMessages);
    QFETCH(QString, expectedUser);

    AppTestEnv env;
    AppTestEnv::AddUser(QStringLiteral("Hanako"), password, startupFlag);
    AppTestEnv::AddUser(QStringLiteral("Jiro"));
    CTavRegOption().WriteString(QStringLiteral("CurrentUser"), currentUser);
    if (!dialogs.isEmpty())
        env.AnswerDialog([](CTavDialogBase& d) {
            // The user dialog opens on the remembered user.
            auto& dlg = static_cast<CTavUserDlg&>(d);
            if (dlg.List()->currentItem()->text() != QStringLiteral("Hanako"))
                return 0;
            dlg.OkButton()->click();
            return dlg.result();
        });
    for (const QString& p : passwords)
        env.AnswerDialog(AppTestEnv::TypePassword(p));

    bool started = false;
    auto app = env.Start({}, &started);
    QVERIFY(started);
    QCOMPARE(env.DialogTitles(), dialogs);
    QCOMPARE(env.Messages().count(TavStr::InvalidPassword), invalidMessages);
    QCOMPARE(app->Users().GetCurrUserName(), expectedUser);
    AppTestEnv::Close(app);
}

void TestStartup::cancelledUserDialogEndsStartup()
{
    AppTestEnv env;
    AppTestEnv::AddUser(QStringLiteral("Hanako"), QStringLiteral("pw"), 1);
    env.AnswerDialog([](CTavDialogBase& d) {
        static_cast<CTavUserDlg&>(d).DeleteButton()->click();
        return d.result();
    });
    bool started = true;
    auto app = env.Start({}, &started);
    QVERIFY(!started);
    QVERIFY(!app->MainFrame());

    // Cancelling the start-up password also ends it.
    env.AnswerDialog([](CTavDialogBase& d) {
        static_cast<CTavUserDlg&>(d).OkButton()->click();
        return d.result();
    });
    env.AnswerDialog(AppTestEnv::PressCancel());
    app = env.Start({}, &started);
    QVERIFY(!started);
    QVERIFY(!app->MainFrame());
}

void TestStartup::secondInstanceEnds()
{
    AppTestEnv env;
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    CTavSingleInstance first(TavStr::ProductName);
    QVERIFY(first.acquire());
    bool started = true;
    auto app = env.Start({}, &started);
    QVERIFY(!started);
    QVERIFY(env.Messages().isEmpty());
    first.release();
    app.reset();
    app = env.Start({}, &started);
    QVERIFY(started);
    AppTestEnv::Close(app);
}

void TestStartup::runningDesktopProgramStopsStartup()
{
    AppTestEnv env;
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    QString rival;
    QVERIFY(env.StartRival(&rival));
    qputenv("LUMORA_CONFLICT_PROCESSES", rival.toLocal8Bit());
    bool started = true;
    auto app = env.Start({}, &started);
    QVERIFY(!started);
    QCOMPARE(env.Messages(), QStringList{TavStr::QuitDesktop});
}

void TestStartup::freshMachineCreatesDefaults()
{
    AppTestEnv env;
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    auto app = env.Start();
    QVERIFY(app->MainFrame());
    AppTestEnv::Screenshot(app->MainFrame(), QStringLiteral("main-first-start"));
    AppTestEnv::Close(app);

    CTavRegOption reg;
    QString text;
    int32_t number = -1;
    QVERIFY(reg.ReadNumber(QStringLiteral("CheckDelete"), number, 77));
    QCOMPARE(number, 1);
    // The language value exists, empty, so the default language is used.

    QVERIFY(!reg.ReadLanguage(QStringLiteral("language"), text, QStringLiteral("jpJP")));
    QCOMPARE(text, QStringLiteral("jpJP"));
    QVERIFY(reg.ReadString(QStringLiteral("CurrentUser"), text, QString()));
    QCOMPARE(text, QStringLiteral("Hanako"));
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("otherRoot");
    QTest::newRow("a file name is ignored") << QStringList{"notes.txt"} << true << false;
    QTest::newRow("data folder") << QStringList{"--data-dir", "@other"} << true << true;
    QTest::newRow("embedding") << QStringList{"-Embedding", "x.doc"} << false << false;
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, window);
    QFETCH(bool, otherRoot);
    AppTestEnv env;
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    const QString other = env.Dir().filePath(QStringLiteral("other"));
    arguments.replaceInStrings(QStringLiteral("@other"), other);
    if (otherRoot) {
        // The other data root has a user of its own and no users dialog is needed.
        CTavDbEnv::SetCorePath(other);
        AppTestEnv::AddUser(QStringLiteral("Saburo"));
        CTavDbEnv::SetCorePath(env.Dir().dataPath());
    }
    bool started = false;
    auto app = env.Start(arguments, &started);
    QVERIFY(started);
    QCOMPARE(app->MainFrame() != nullptr, window);
    if (window)
        QCOMPARE(app->Users().GetCurrUserName(),
                 otherRoot ? QStringLiteral("Saburo") : QStringLiteral("Hanako"));
    AppTestEnv::Close(app);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
