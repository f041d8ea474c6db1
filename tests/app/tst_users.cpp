#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbUser.h"
#include "CTavFrameActions.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavNewPasswordDlg.h"
#include "CTavPasswordDlg.h"
#include "CTavUserDlg.h"
#include "CTavUserNameDlg.h"
#include "CTavUserSwitcher.h"
#include "TavStrings.h"
#include "TestDataDir.h"

namespace {
void addMemo(CTavDbMemo& store, const QString& text)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
}

// The memos of a user's files, read without the program.
QStringList memosOnDisk(const QString& user)
{
    CTavDbUser users;
    users.SetCurrUserName(user);
    CTavDbMemo store;
    store.AttachUsers(&users);
    store.Load();
    QStringList texts;
    for (int i = 0; i < store.GetCount(); ++i)
        texts << store.GetMemoRecord(i)->GetMemo();
    return texts;
}

AppTestEnv::DialogAnswer typeName(const QString& name)
{
    return [name](CTavDialogBase& d) {
        static_cast<CTavUserNameDlg&>(d).Edit()->setText(name);
        d.accept();
        return d.result();
    };
}

// Types each pair into the new password dialog, which stays open on a refusal, and presses OK.
AppTestEnv::DialogAnswer typeNewPasswords(const QList<std::pair<QString, QString>>& pairs)
{
    return [pairs](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavNewPasswordDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        AppTestEnv::Screenshot(dlg, QStringLiteral("dialog-new-password"));
        for (const auto& [first, second] : pairs) {
            dlg->NewEdit()->setText(first);
            dlg->ConfirmEdit()->setText(second);
            dlg->accept();
        }
        return dlg->result();
    };
}

void selectInList(CTavUserDlg& dlg, const QString& name)
{
    dlg.List()->setCurrentItem(dlg.List()->findItems(name, Qt::MatchExactly).value(0));
}

// Chooses the user in the user dialog opened to manage users.
AppTestEnv::DialogAnswer chooseUser(const QString& name)
{
    return [name](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavUserDlg&>(d);
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-users-management"));
        if (dlg.RenameButton()->isHidden()) // shown when managing users, not at start-up
            return 0;
        selectInList(dlg, name);
        dlg.OkButton()->click();
        return dlg.result();
    };
}
} // namespace

// Switching users keeps each user's data in that user's files; the user dialog's commands.
class TestUsers : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void switchFromTheBox();
    void passwordGuardsTheSwitch();
    void userDialogCommands();
    void passwordSetChangedCleared();
    void backupFileLocksUserCommands();
    void changesOnDiskAreFollowed();

private:
    void chooseInBox(const QString& text);
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};

void TestUsers::init()
{
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    AppTestEnv::AddUser(QStringLiteral("Jiro"));
    m_app = m_env->Start();
    QVERIFY(m_app->MainFrame());
}

void TestUsers::cleanup()
{
    QVERIFY(m_env->AllAnswersUsed());
    AppTestEnv::Close(m_app);
    m_env.reset();
}

void TestUsers::chooseInBox(const QString& text)
{
    QComboBox* box = m_app->MainFrame()->UserComboBox();
    const int index = box->findText(text);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void TestUsers::switchFromTheBox()
{
    addMemo(m_app->MemoStore(), QStringLiteral("Hanako's memo"));
    chooseInBox(QStringLiteral("Hanako")); // the current user: nothing is saved or reloaded
    QVERIFY(m_app->MemoStore().IsModified());
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    chooseInBox(TavStr::EditUsers);
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 1);
    QCOMPARE(m_app->MainFrame()->UserComboBox()->currentText(), QStringLiteral("Hanako"));

    chooseInBox(QStringLiteral("Jiro"));
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Jiro"));
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 0);
    QCOMPARE(memosOnDisk(QStringLiteral("Hanako")), QStringList{QStringLiteral("Hanako's memo")});
    // The user dialog opened from the box chooses another user.
    addMemo(m_app->MemoStore(), QStringLiteral("Jiro's memo"));
    m_env->AnswerDialog(chooseUser(QStringLiteral("Hanako")));
    chooseInBox(TavStr::EditUsers);
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 1);
    QCOMPARE(memosOnDisk(QStringLiteral("Jiro")), QStringList{QStringLiteral("Jiro's memo")});
    QCOMPARE(m_app->MainFrame()->UserComboBox()->currentText(), QStringLiteral("Hanako"));

    // The last user is the one the next start opens.
    AppTestEnv::Close(m_app);
    m_app = m_env->Start();
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Hanako"));

    // A memo pad of Jiro's that no longer reads shows none of Hanako's memos, and is named.
    const QString jiros = m_app->MemoStore().StoreFilePath(m_app->Users().GetUserPath(QStringLiteral("Jiro")));
    QVERIFY(TestDataDir::WriteFile(jiros, QByteArray(4096, 'x')));
    chooseInBox(QStringLiteral("Jiro"));
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 0);
    QVERIFY(m_env->Messages().last().contains(QDir::toNativeSeparators(jiros)));
    addMemo(m_app->MemoStore(), QStringLiteral("not for Hanako"));
    QString failure;
    QVERIFY(!m_app->SaveAll(&failure) && failure.contains(QDir::toNativeSeparators(jiros)));
    QCOMPARE(memosOnDisk(QStringLiteral("Hanako")), QStringList{QStringLiteral("Hanako's memo")});
}

void TestUsers::passwordGuardsTheSwitch()
{
    QCOMPARE(m_app->Users().SetPassword(QStringLiteral("Jiro"), QStringLiteral("pw")), TavStatusCode::Ok);
    QString prompt; // the user asked for, not the current one
    m_env->AnswerDialog([&prompt](CTavDialogBase& d) {
        prompt = static_cast<CTavPasswordDlg&>(d).Prompt()->text();
        return AppTestEnv::TypePassword(QStringLiteral("wrong"))(d);
    });
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    chooseInBox(QStringLiteral("Jiro"));
    QCOMPARE(prompt, QStringLiteral("ユーザ「Jiro」のパスワード:"));
    QCOMPARE(m_env->Messages(), QStringList{TavStr::InvalidPassword});
    QCOMPARE(m_app->MainFrame()->UserComboBox()->currentText(), QStringLiteral("Hanako"));

    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("pw")));
    chooseInBox(QStringLiteral("Jiro"));
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Jiro"));
}

void TestUsers::userDialogCommands()
{
    m_env->AnswerDialog([this](CTavDialogBase& d) {
        auto& dlg = static_cast<CTavUserDlg&>(d);
        for (const QString& name : {QString(), QStringLiteral("Jiro"), QStringLiteral("Saburo")}) {
            m_env->AnswerDialog(typeName(name));
            dlg.NewButton()->click();
        }
        // Rename with nothing selected, then Saburo to Shiro, then to an existing name.
        dlg.List()->clearSelection();
        dlg.RenameButton()->click();
        selectInList(dlg, QStringLiteral("Saburo"));
        m_env->AnswerDialog([](CTavDialogBase& r) {
            AppTestEnv::Screenshot(&r, QStringLiteral("dialog-rename-user"));
            return typeName(QStringLiteral("Shiro"))(r);
        });
        dlg.RenameButton()->click();
        m_env->AnswerDialog(typeName(QStringLiteral("Hanako")));
        dlg.RenameButton()->click();
        // Longer than the handheld keeps: the message gives the limit in bytes.
        m_env->AnswerDialog(typeName(QString(21, QChar(0x3042))));
        dlg.RenameButton()->click();
        // Delete asks; Cancel keeps the user, OK removes it.
        selectInList(dlg, QStringLiteral("Jiro"));
        m_env->AnswerMessage(TavMsg::IdCancel);
        dlg.DeleteButton()->click();
        m_env->AnswerMessage(TavMsg::IdOk);
        dlg.DeleteButton()->click();
        dlg.List()->clearSelection();
        dlg.OkButton()->click(); // no selection: the current user is chosen
        return dlg.result();
    });
    m_app->MainFrame()->Actions().Trigger(TavCmd::Users);
    // Each refusal says why; each delete asks first.
    QCOMPARE(m_env->Messages().mid(0, 5),
             (QStringList{TavStr::EnterUserName, TavStr::NameInUse.arg(QStringLiteral("Jiro")),
                          TavStr::ChooseUser, TavStr::NameInUse.arg(QStringLiteral("Hanako")),
                          TavStr::UserNameTooLong.arg(40).arg(42)}));
    QCOMPARE(m_env->Messages().size(), 7);
    QCOMPARE(m_app->Users().GetUserNameList(), (QStringList{"Hanako", "Shiro"}));
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Hanako"));
    QCOMPARE(m_app->MainFrame()->UserComboBox()->itemText(1), QStringLiteral("Shiro"));

    // The current user is deleted and the dialog cancelled: another user takes over, and the
    // deleted user's data are not written back.
    addMemo(m_app->MemoStore(), QStringLiteral("gone"));
    m_env->AnswerDialog([this](CTavDialogBase& d) {
        selectInList(static_cast<CTavUserDlg&>(d), QStringLiteral("Hanako"));
        m_env->AnswerMessage(TavMsg::IdOk);
        static_cast<CTavUserDlg&>(d).DeleteButton()->click();
        d.close();
        return static_cast<int>(QDialog::Rejected);
    });
    m_app->MainFrame()->Actions().Trigger(TavCmd::Users);
    QCOMPARE(m_app->MainFrame()->UserComboBox()->currentText(), QStringLiteral("Shiro"));
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 0);
}

void TestUsers::passwordSetChangedCleared()
{
    CTavUserDlg dlg(CTavUserDlg::Management, m_app->Users().GetUserID(QStringLiteral("Hanako")));
    selectInList(dlg, QStringLiteral("Jiro"));
    // No password yet: none is asked first; empty or differing texts are refused.
    m_env->AnswerDialog(typeNewPasswords({{"", ""}, {"abc", "abd"}, {"abc", "abc"}}));
    dlg.OnPassword();
    QCOMPARE(m_env->Messages(), (QStringList{TavStr::EnterPassword, TavStr::PasswordsDiffer}));
    QVERIFY(CTavDbUser().IsValidPassword(QStringLiteral("Jiro"), QStringLiteral("abc")));

    // A wrong current password changes nothing.
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("abd")));
    dlg.OnPassword();
    QCOMPARE(m_env->Messages().last(), TavStr::InvalidPassword);
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("abc")));
    m_env->AnswerDialog(typeNewPasswords({{"新しい", "新しい"}}));
    dlg.OnPassword();
    QVERIFY(CTavDbUser().IsValidPassword(QStringLiteral("Jiro"), QStringLiteral("新しい")));
    QVERIFY(!CTavDbUser().IsValidPassword(QStringLiteral("Jiro"), QStringLiteral("abc")));

    // Both empty clears it once the user agrees; No keeps the dialog open.
    m_env->ClearRecords();
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("新しい")));
    m_env->AnswerMessage(TavMsg::IdNo);
    m_env->AnswerMessage(TavMsg::IdYes);
    m_env->AnswerDialog(typeNewPasswords({{"", ""}, {"", ""}}));
    dlg.OnPassword();
    QCOMPARE(m_env->Messages(), QStringList(2, TavStr::ClearPasswordQuestion.arg(QStringLiteral("Jiro"))));
    QVERIFY(!CTavDbUser().IsSettingPassword(QStringLiteral("Jiro")));
    QVERIFY(!m_app->Users().IsSettingPassword(QStringLiteral("Jiro")));
}

void TestUsers::backupFileLocksUserCommands()
{
    // A module shows a backup file in place of the current data.
    m_app->SwitchModule(TavModule::MemoPad);
    m_app->setBackupFileOpen(1);
    QComboBox* box = m_app->MainFrame()->UserComboBox();
    QAction* users = m_app->MainFrame()->Actions().Action(TavCmd::Users);
    QVERIFY(!box->isEnabled() && !users->isEnabled());
    // A switch that comes all the same closes the backup file first; HotSync may run again.
    m_env->AnswerMessage(TavMsg::IdOk);
    m_env->AnswerDialog(chooseUser(QStringLiteral("Jiro")));
    m_app->MainFrame()->UserSwitcher().OnUserManagement();
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Jiro"));
    QVERIFY(!m_app->backupFileOpen() && box->isEnabled() && users->isEnabled());
    QCOMPARE(m_app->MainFrame()->HotSync().OnNotify(CTavHotSyncCoordinator::AskStart), 0);
}

void TestUsers::changesOnDiskAreFollowed()
{
    // lumora-cli changes the user list as another process would.
    QCOMPARE(CTavDbUser().SetPassword(QStringLiteral("Jiro"), QStringLiteral("pw")), TavStatusCode::Ok);
    QCOMPARE(CTavDbUser().AddUser(QStringLiteral("Saburo")), TavStatusCode::Ok);
    QComboBox* box = m_app->MainFrame()->UserComboBox();
    QTRY_VERIFY_WITH_TIMEOUT(box->findText(QStringLiteral("Saburo")) >= 0, 20000);
    // The password set elsewhere is the one asked.
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    chooseInBox(QStringLiteral("Jiro"));
    QCOMPARE(m_app->Users().GetCurrUserName(), QStringLiteral("Hanako"));

    // The current user is deleted: a user without a password takes over, and the deleted
    // user's data are not written anywhere.
    addMemo(m_app->MemoStore(), QStringLiteral("gone"));
    QCOMPARE(CTavDbUser().DeleteUser(QStringLiteral("Hanako")), TavStatusCode::Ok);
    QTRY_COMPARE_WITH_TIMEOUT(m_app->Users().GetCurrUserName(), QStringLiteral("Saburo"), 20000);
    QCOMPARE(box->currentText(), QStringLiteral("Saburo"));
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(
        m_env->Messages(),
        QStringList{TavStr::UserDeletedSwitched.arg(QStringLiteral("Hanako"), QStringLiteral("Saburo"))},
        20000);
    AppTestEnv::Close(m_app);
    QCOMPARE(memosOnDisk(QStringLiteral("Saburo")), QStringList{});
    QCOMPARE(CTavDbUser().GetUserNameList(), (QStringList{"Jiro", "Saburo"}));
}

QTEST_MAIN(TestUsers)
#include "tst_users.moc"
