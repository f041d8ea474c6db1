#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavDriveMap.h"
#include "CTavFrameActions.h"
#include "CTavOptions.h"
#include "CTavOptionsDlg.h"
#include "CTavRegOption.h"
#include "CTavUserFile.h"

// The options dialog edits the stored options and the values the modules read; the start-up
// password flag lives in the user's "tavuser.dat".
class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensWithCurrentValues();
    void okStoresEverything();
    void passwordWarning_data();
    void passwordWarning();
    void storedOptionsAtStartup_data();
    void storedOptionsAtStartup();

private:
    int runDialog(const std::function<void(CTavOptionsDlg&)>& fill);
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QString m_userPath;
};

void TestOptions::init()
{
    CTavDbClock::SetFixed(QDateTime::fromSecsSinceEpoch(1700000000));
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    // Drive letters bound to folders; one folder is missing, so its letter is not offered.
    QDir().mkpath(m_env->Dir().filePath(QStringLiteral("card")));
    QDir().mkpath(m_env->Dir().filePath(QStringLiteral("disk")));
    CTavDriveMap drives;
    QVERIFY(drives.bind(u'E', m_env->Dir().filePath(QStringLiteral("card"))));
    QVERIFY(drives.bind(u'D', m_env->Dir().filePath(QStringLiteral("disk"))));
    QVERIFY(drives.bind(u'F', m_env->Dir().filePath(QStringLiteral("gone"))));
    QVERIFY(drives.unbind(u'Z'));
    CTavRegOption().WriteString(QStringLiteral("FKDrive"), QStringLiteral("e:\\"));
    m_app = m_env->Start();
    QVERIFY(m_app->MainFrame());
    m_userPath = m_app->Users().GetCurrUserPath();
}

void TestOptions::cleanup()
{
    AppTestEnv::Close(m_app);
    m_env.reset();
    CTavDbClock::Release();
}

int TestOptions::runDialog(const std::function<void(CTavOptionsDlg&)>& fill)
{
    int ready = -1;
    m_env->AnswerDialog([&](CTavDialogBase& d) {
        ready = m_app->readyForSync();
        auto& dlg = static_cast<CTavOptionsDlg&>(d);
        fill(dlg);
        return dlg.result();
    });
    m_app->MainFrame()->Actions().Trigger(TavCmd::Options);
    return ready;
}

void TestOptions::opensWithCurrentValues()
{
    const int ready = runDialog([this](CTavOptionsDlg& dlg) {
        QCOMPARE(dlg.DataFolder()->text(), CTavDbEnv::GetCorePath());
        // C: is the home folder; D: and E: are bound; F: has no folder and Z: is switched off.
        QStringList offered;
        for (int i = 0; i < dlg.DriveBox()->count(); ++i)
            offered << dlg.DriveBox()->itemText(i);
        QCOMPARE(offered, (QStringList{"C:\\", "D:\\", "E:\\"}));
        QCOMPARE(dlg.DriveBox()->currentText(), QStringLiteral("E:\\"));
        dlg.reject();
    });
    QCOMPARE(ready, 0);
    QCOMPARE(m_app->readyForSync(), 1);
}

void TestOptions::okStoresEverything()
{
    runDialog([](CTavOptionsDlg& dlg) {
        dlg.ConfirmDelete()->setChecked(false);
        dlg.DriveBox()->setCurrentIndex(1);
        dlg.accept();
    });
    QCOMPARE(CTavOptions::instance().CheckDelete(), 0);
    QCOMPARE(CTavOptions::instance().FlekDrive(), QStringLiteral("D:\\"));
    int32_t number = -1;
    QVERIFY(CTavRegOption().ReadNumber(QStringLiteral("CheckDelete"), number, 1));
    QCOMPARE(number, 0);
    // The flag file is written whole even when the flag stays off.
    QFile file(m_userPath + QStringLiteral("tavuser.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(), QByteArray("ffffffff0000000000f15365"));
}

void TestOptions::passwordWarning_data()
{
    QTest::addColumn<int>("flagBefore");
    QTest::addColumn<QList<int>>("answers"); // to the warning, in order
    QTest::addColumn<int>("warnings");
    QTest::addColumn<int>("flagAfter");
    QTest::newRow("turned on, no keeps the dialog, then yes")
        << 0 << QList<int>{TavMsg::IdNo, TavMsg::IdYes} << 2 << 1;
    QTest::newRow("already on: no warning") << 1 << QList<int>{} << 0 << 1;
}

void TestOptions::passwordWarning()
{
    QFETCH(int, flagBefore);
    QFETCH(QList<int>, answers);
    QFETCH(int, warnings);
    QFETCH(int, flagAfter);
    QVERIFY(CTavUserFile::Write(m_userPath, flagBefore, 0));
    for (int a : answers)
        m_env->AnswerMessage(a);
    runDialog([&](CTavOptionsDlg& dlg) {
        dlg.StartupPassword()->setChecked(true);
        for (int i = 0; i < std::max<int>(1, answers.size()); ++i) {
            dlg.accept();
            if (i + 1 < answers.size())
                QVERIFY(dlg.isVisible());
        }
    });
    QCOMPARE(m_env->Messages().size(), warnings);
    QCOMPARE(CTavUserFile::ReadStartupPasswordFlag(m_userPath), flagAfter);
}

void TestOptions::storedOptionsAtStartup_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("expectedDrive");
    QTest::addColumn<int>("expectedDelete");
    QTest::newRow("three characters") << "E:\\"
                                      << "E:\\" << 0;
    QTest::newRow("too long resets all") << "E:\\x"
                                         << "" << 1;
}

void TestOptions::storedOptionsAtStartup()
{
    QFETCH(QString, drive);
    QFETCH(QString, expectedDrive);
    QFETCH(int, expectedDelete);
    AppTestEnv::Close(m_app);
    CTavRegOption reg;
    reg.WriteString(QStringLiteral("FKDrive"), drive);
    reg.WriteNumber(QStringLiteral("CheckDelete"), 0);
    m_app = m_env->Start();
    QCOMPARE(CTavOptions::instance().FlekDrive(), expectedDrive);
    QCOMPARE(CTavOptions::instance().CheckDelete(), expectedDelete);
    // The stored value itself is left as it was.
    QString stored;
    QVERIFY(reg.ReadString(QStringLiteral("FKDrive"), stored, QString()));
    QCOMPARE(stored, drive);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
