#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbUser.h"
#include "CTavFrameActions.h"
#include "CTavHelp.h"
#include "CTavMemoDoc.h"
#include "CTavMessageBox.h"
#include "CTavModuleBar.h"
#include "CTavModuleButton.h"
#include "CTavModuleFrame.h"
#include "CTavModuleSplitter.h"
#include "CTavProfile.h"
#include "CTavRegOption.h"
#include "CTavScFrameBase.h"
#include "CTavSourceUserDlg.h"
#include "TavStrings.h"

namespace {
void addMemo(CTavDbMemo& store, const QString& text, bool isPrivate = false)
{
    CTavDbMemoRecord r;
    r.SetMemo(text);
    r.SetPrivate(isPrivate);
    QCOMPARE(store.AddRecord(r), TavStatusCode::Ok);
}

// A desktop theme that puts icons on the standard buttons of dialogs, as some do.
class IconButtonStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

int iconsOnButtons(const QList<QAbstractButton*>& buttons)
{
    return int(std::count_if(buttons.begin(), buttons.end(), [](auto* b) { return !b->icon().isNull(); }));
}
} // namespace

// The main frame: module switching, placement, private modes, saving and the shared commands.
class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(AppTestEnv::StartAt(QDateTime(QDate(2024, 3, 9), QTime(10, 0)), m_env, m_app)); }
    void cleanup() { AppTestEnv::Finish(m_env, m_app); }
    void switchModules_data();
    void switchModules();
    void userBoxOrder();
    void backupFileAsksBeforeSwitching();
    void privateModes();
    void saveAllWritesAndRefreshes();
    void dataMigration();
    void panesAndDetailToggle();
    void placement_data();
    void placement();
    void messageOwnerFollowsDialogs();
    void statusHelpAndInstallTool();
    void dialogButtonsCarryNoIcons();

private:
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavMainFrame* frame() const { return m_app->MainFrame(); }
};

void TestMainFrame::switchModules_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("view"); // the schedule window the key returns to
    const auto row = [](const char* shot, int key, int module, int slot, int command, int view = 0) {
        QTest::newRow(shot) << key << module << slot << command << view;
    };
    row("address", Qt::Key_F3, TavModule::Address, TavSlot::Address, TavCmd::ViewAddress);
    row("todo", Qt::Key_F4, TavModule::Todo, TavSlot::Todo, TavCmd::ViewTodo);
    row("handwritten", Qt::Key_F5, TavModule::FreeMemo, TavSlot::FreeMemo, TavCmd::ViewFreeMemo);
    row("memopad", Qt::Key_F6, TavModule::MemoPad, TavSlot::MemoPad, TavCmd::ViewMemoPad);
    row("reference", Qt::Key_F7, TavModule::Reference, TavSlot::Reference, TavCmd::ViewReference);
    row("day", Qt::Key_F2, TavModule::Schedule, TavSlot::Day, TavCmd::ViewSchedule, TavModule::Day);
    row("week", Qt::Key_F2, TavModule::Schedule, TavSlot::Week, TavCmd::ViewSchedule, TavModule::Week);
    row("month", Qt::Key_F2, TavModule::Schedule, TavSlot::Month, TavCmd::ViewSchedule, TavModule::Month);
    row("year", Qt::Key_F2, TavModule::Schedule, TavSlot::Year, TavCmd::ViewSchedule, TavModule::Year);
}

void TestMainFrame::switchModules()
{
    QFETCH(int, key);
    QFETCH(int, module);
    QFETCH(int, slot);
    QFETCH(int, command);
    QFETCH(int, view);
    if (module == TavModule::Schedule) {
        m_app->SwitchModule(view);
        QTest::keyClick(frame(), Qt::Key_F6);
    }
    QTest::keyClick(frame(), static_cast<Qt::Key>(key));
    QCOMPARE(m_app->currentModule(), module);
    QCOMPARE(frame()->MdiArea()->activeSubWindow(), m_app->Frame(slot));
    // Exactly the module's own entry is checked, and its launcher button marked.
    for (int id : {TavCmd::ViewSchedule, TavCmd::ViewAddress, TavCmd::ViewTodo, TavCmd::ViewFreeMemo,
                   TavCmd::ViewMemoPad, TavCmd::ViewReference})
        QCOMPARE(frame()->Actions().Action(id)->isChecked(), id == command);
    QList<int> marked;
    for (CTavModuleButton* b : m_app->Frame(slot)->ModuleBar()->Buttons()) {
        if (b->IsCurrent())
            marked << b->Command();
    }
    QCOMPARE(marked, QList<int>{command});
    // The private drop-down is off where there is nothing private.
    QCOMPARE(frame()->Actions().PrivateButton()->isEnabled(),
             module != TavModule::FreeMemo && module != TavModule::Reference);
    AppTestEnv::Screenshot(frame(), QStringLiteral("main-") + QLatin1String(QTest::currentDataTag()));
}

void TestMainFrame::userBoxOrder()
{
    for (const char* name : {"bob", "Alice", "alice", "あさひ", "Zed", "_x"})
        QCOMPARE(m_app->Users().AddUser(QString::fromUtf8(name)), TavStatusCode::Ok);
    frame()->FillUserBox();
    QComboBox* box = frame()->UserComboBox();
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    // Case folded byte order; a name differing only in case follows its upper-case twin.
    QCOMPARE(shown, (QStringList{"Alice", "alice", "bob", "Hanako", "Zed", "_x", QString::fromUtf8("あさひ"),
                                 TavStr::EditUsers}));
    QCOMPARE(box->currentText(), QStringLiteral("Hanako"));
}

void TestMainFrame::backupFileAsksBeforeSwitching()
{
    m_app->setBackupFileOpen(1);
    m_app->SwitchModule(TavModule::Week); // between schedule windows: no question
    QCOMPARE(m_app->currentScheduleView(), TavModule::Week);
    QVERIFY(m_env->Messages().isEmpty());

    m_env->AnswerMessage(TavMsg::IdCancel);
    QTest::keyClick(frame(), Qt::Key_F3);
    QCOMPARE(m_env->Messages(), QStringList{TavStr::BackupSwitchQuestion});
    QCOMPARE(m_app->currentModule(), TavModule::Schedule);
    QCOMPARE(m_app->backupFileOpen(), 1);
    // The MDI area's own window cycling (Ctrl+Tab) asks the same, and Cancel brings the week back.
    m_env->AnswerMessage(TavMsg::IdCancel);
    frame()->MdiArea()->setActiveSubWindow(m_app->Frame(TavSlot::Address));
    QTRY_COMPARE(m_env->Messages().size(), 2);
    QTRY_COMPARE(frame()->ActiveModuleFrame(), m_app->Frame(TavSlot::Week));
    // Without a backup file it is a module switch like any other.
    m_app->setBackupFileOpen(0);
    frame()->MdiArea()->setActiveSubWindow(m_app->Frame(TavSlot::Todo));
    QTRY_COMPARE(m_app->currentModule(), TavModule::Todo);
    QVERIFY(frame()->Actions().Action(TavCmd::ViewTodo)->isChecked());
}

void TestMainFrame::privateModes()
{
    addMemo(m_app->MemoStore(), QStringLiteral("open"));
    addMemo(m_app->MemoStore(), QStringLiteral("secret"), true);
    QCOMPARE(m_app->Users().SetPassword(QStringLiteral("Hanako"), QStringLiteral("pw")), TavStatusCode::Ok);

    frame()->Actions().Trigger(TavCmd::PrivateHide);
    QCOMPARE(m_app->privateMode(), 2);
    QCOMPARE(m_app->MemoStore().GetCount(), 1);

    frame()->Actions().Trigger(TavCmd::PrivateMask); // no password needed to hide more or less
    QCOMPARE(m_app->privateMode(), 1);
    QCOMPARE(m_app->MemoStore().GetCount(), 2);
    QVERIFY(m_env->DialogTitles().isEmpty());

    // Showing again asks the password once; a wrong one ends silently, cancel too.
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("nope")));
    frame()->Actions().Trigger(TavCmd::PrivateShow);
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    frame()->Actions().Trigger(TavCmd::PrivateShow);
    QCOMPARE(m_app->privateMode(), 1);
    QVERIFY(m_env->Messages().isEmpty());

    m_env->AnswerDialog([](CTavDialogBase& d) {
        AppTestEnv::Screenshot(&d, QStringLiteral("dialog-password"));
        return AppTestEnv::TypePassword(QStringLiteral("pw"))(d);
    });
    frame()->Actions().Trigger(TavCmd::PrivateShow);
    QCOMPARE(m_app->privateMode(), 0);
    QVERIFY(m_env->AllAnswersUsed());
    frame()->Actions().PrivateMenu()->popup(frame()->Actions().PrivateButton()->mapToGlobal(QPoint(0, 24)));
    AppTestEnv::Screenshot(frame()->Actions().PrivateMenu(), QStringLiteral("menu-private"));
    frame()->Actions().PrivateMenu()->hide();

    // The mode survives a restart.
    frame()->Actions().Trigger(TavCmd::PrivateHide);
    AppTestEnv::Close(m_app);
    m_env->AnswerDialog(answer<CTavDialogBase>());
    m_app = m_env->Start();
    QVERIFY(frame());
    QCOMPARE(m_app->privateMode(), 2);
    QCOMPARE(m_app->MemoStore().GetCount(), 1);
}

void TestMainFrame::saveAllWritesAndRefreshes()
{
    addMemo(m_app->MemoStore(), QStringLiteral("kept"));
    const auto* memoDoc = static_cast<CTavMemoDoc*>(m_app->Document(TavSlot::MemoPad));
    QCOMPARE(memoDoc->Count(), 0);
    QTest::keyClick(frame(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(memoDoc->Count(), 1);
    QCOMPARE(frame()->statusBar()->currentMessage(), TavStr::SavedStatus);

    CTavDbUser users;
    users.SetCurrUserName(QStringLiteral("Hanako"));
    CTavDbMemo fresh;
    fresh.AttachUsers(&users);
    QCOMPARE(fresh.Load(), TavStatusCode::Ok);
    QCOMPARE(fresh.GetRecordCount(), 1);

    // Saving hands on the transfer limit of the user's profile: off by default ...
    QVERIFY(!m_app->DateStore().GetPastLimitDate().isValid());
    QCOMPARE(m_app->quillosCutoff(), 0);
    const auto setProfile = [this](std::initializer_list<std::pair<const char*, int>> values) {
        for (const auto& [key, value] : values)
            QVERIFY(CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QLatin1String(key), value));
        QVERIFY(m_app->SaveAll());
    };
    // ... three weeks for events and memo sheets when on ...
    setProfile({{"KiroTransfer", 1}, {"KiroTransferNum", 3}, {"KiroTransferUnit", 1}});
    QCOMPARE(m_app->DateStore().GetPastLimitDate(), QDate(2024, 2, 17));
    QCOMPARE(m_app->quillosCutoff(), QDate(2024, 2, 17).startOfDay().toSecsSinceEpoch());
    // ... each switch on its own, and a period out of range reads as one month.
    setProfile({{"KiroTransferDateBook", 0}, {"KiroTransferNum", 100}, {"KiroTransferUnit", 2}});
    QVERIFY(!m_app->DateStore().GetPastLimitDate().isValid());
    QCOMPARE(m_app->quillosCutoff(), QDate(2024, 2, 9).startOfDay().toSecsSinceEpoch());
    setProfile({{"KiroTransferQuillos", 0}});
    QCOMPARE(m_app->quillosCutoff(), 0);
    // A save that fails tells so in its message and claims nothing on the status bar.
    frame()->statusBar()->clearMessage();
    addMemo(m_app->MemoStore(), QStringLiteral("stuck"));
    const QString memoFile = m_app->MemoStore().GetFilePath();
    QVERIFY(QFile::remove(memoFile) && QDir().mkdir(memoFile));
    frame()->Actions().Trigger(TavCmd::SaveAll);
    QCOMPARE(m_env->Messages().size(), 1);
    QVERIFY(frame()->statusBar()->currentMessage().isEmpty());
    QVERIFY(QDir().rmdir(memoFile));
}

void TestMainFrame::dataMigration()
{
    // Another user's memos are taken over.
    QCOMPARE(m_app->Users().AddUser(QStringLiteral("Jiro")), TavStatusCode::Ok);
    {
        CTavDbUser users;
        users.SetCurrUserName(QStringLiteral("Jiro"));
        CTavDbMemo jiro;
        jiro.AttachUsers(&users);
        QCOMPARE(jiro.Load(), TavStatusCode::Ok);
        addMemo(jiro, QStringLiteral("from Jiro"));
        QCOMPARE(jiro.Write(), TavStatusCode::Ok);
    }
    m_env->AnswerDialog(answer<CTavSourceUserDlg>([](CTavSourceUserDlg& dlg) {
        AppTestEnv::Screenshot(&dlg, QStringLiteral("dialog-migration"));
        QCOMPARE(dlg.List()->count(), 1);
        dlg.accept(); // no selection: nothing happens
        QVERIFY(dlg.isVisible());
        dlg.List()->setCurrentRow(0);
    }));
    frame()->Actions().Trigger(TavCmd::DataMigration);
    QCOMPARE(m_app->MemoStore().GetRecordCount(), 1);
}

void TestMainFrame::panesAndDetailToggle()
{
    // Opened in the first start's 800 x 600 window: two thirds for the list.
    QCOMPARE(frame()->size(), QSize(800, 600));
    m_app->SwitchModule(TavModule::MemoPad);
    QTest::qWait(1);
    CTavModuleFrame* memo = m_app->Frame(TavSlot::MemoPad);
    QVERIFY(std::abs(memo->LeftPane()->width() - 2 * memo->RightPane()->width()) <= 4);
    // The day and memo-sheet previews keep their width at any size from the smallest first start,
    // and the preview's screen fits the pane, also after a larger size.
    const CTavModuleFrame* day = m_app->Frame(TavSlot::Day);
    for (QSize size : {QSize(1280, 900), QSize(800, 600), QSize(1200, 800)}) {
        frame()->resize(size);
        m_app->SwitchModule(TavModule::Day);
        QTest::qWait(1);
        QCOMPARE(day->RightPane()->width(), CTavModuleSplitter::kFixedRightWidth);
        const auto* screen = day->RightPane()->findChild<QWidget*>(QStringLiteral("previewScreen"));
        QVERIFY(day->RightPane()->rect().contains(screen->geometry()));
        AppTestEnv::Screenshot(frame(), QStringLiteral("main-day-%1").arg(size.width()));
    }
    frame()->resize(800, 600);
    m_app->SwitchModule(TavModule::FreeMemo);
    QTest::qWait(1);
    QCOMPARE(m_app->Frame(TavSlot::FreeMemo)->RightPane()->width(), CTavModuleSplitter::kFixedRightWidth);
    AppTestEnv::Screenshot(frame(), QStringLiteral("main-freememo-800"));

    m_app->SwitchModule(TavModule::MemoPad);
    QPushButton* toggle = memo->DetailToggle();
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!memo->RightPane()->isVisible());
    frame()->resize(1100, 720);
    QTest::qWait(1);
    // The list fills the splitter alone.
    QCOMPARE(memo->LeftPane()->width(), memo->Splitter()->width());
    AppTestEnv::Screenshot(frame(), QStringLiteral("main-memopad-no-detail"));
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(memo->RightPane()->isVisible());
    QVERIFY(memo->LeftPane()->width() > memo->RightPane()->width());
}

void TestMainFrame::placement_data()
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::addColumn<QList<int>>("stored"); // left, top, right, bottom
    QTest::addColumn<QRect>("expected");    // null: keeps the created position with 800 x 600
    QTest::newRow("inside") << QList<int>{20, 30, 820, 640} << QRect(20, 30, 800, 610);
    QTest::newRow("right of the work area")
        << QList<int>{work.right() + 10, 10, work.right() + 900, 700} << QRect();
    QTest::newRow("empty width") << QList<int>{300, 10, 300, 700} << QRect();
}

void TestMainFrame::placement()
{
    QFETCH(QList<int>, stored);
    QFETCH(QRect, expected);
    const char* names[] = {"WindowPosLeft", "WindowPosTop", "WindowPosRight", "WindowPosBottom"};
    AppTestEnv::Close(m_app);
    for (int i = 0; i < 4; ++i)
        CTavRegOption().WriteNumber(QLatin1String(names[i]), stored[i]);
    m_app = m_env->Start();
    if (expected.isNull())
        QCOMPARE(frame()->size(), QSize(800, 600));
    else
        QCOMPARE(frame()->geometry(), expected);
    QVERIFY(!frame()->isMaximized());

    // Close writes the placement and the window comes back there, maximised too.
    frame()->setGeometry(40, 50, 760, 590);
    frame()->ToolBar()->hide();
    AppTestEnv::Close(m_app);
    m_app = m_env->Start();
    QCOMPARE(frame()->geometry(), QRect(40, 50, 760, 590));
    QVERIFY(!frame()->ToolBar()->isVisible());
    QVERIFY(frame()->statusBar()->isVisible());
    frame()->showMaximized();
    AppTestEnv::Close(m_app);
    int32_t show = 0;
    QVERIFY(CTavRegOption().ReadNumber(QStringLiteral("WindowShowCmd"), show, 0));
    QCOMPARE(show, 1);
    m_app = m_env->Start();
    QVERIFY(frame()->isMaximized());
    QCOMPARE(frame()->normalGeometry(), QRect(40, 50, 760, 590));
}

void TestMainFrame::messageOwnerFollowsDialogs()
{
    QCOMPARE(m_app->MessageOwner(), frame());
    m_env->AnswerDialog([this](CTavDialogBase& outer) {
        m_app->ShowMessage(nullptr, QStringLiteral("outer"));
        m_env->AnswerDialog([this](CTavDialogBase& inner) {
            m_app->ShowMessage(nullptr, QStringLiteral("inner"));
            return inner.result();
        });
        CTavDialogBase nested(&outer);
        nested.setWindowTitle(QStringLiteral("nested"));
        nested.exec();
        m_app->ShowMessage(nullptr, QStringLiteral("outer again"));
        return static_cast<int>(QDialog::Rejected);
    });
    CTavDialogBase outer(frame());
    outer.setWindowTitle(QStringLiteral("outer"));
    outer.exec();
    QCOMPARE(m_env->Messages(), (QStringList{"outer", "inner", "outer again"}));
    QCOMPARE(m_env->MessageParentTitles(), (QStringList{"outer", "nested", "outer"}));
    QCOMPARE(m_app->openDialogs().size(), 1); // only the outer dialog, which still exists
}

void TestMainFrame::statusHelpAndInstallTool()
{
    QCOMPARE(frame()->DatePane()->text(), QStringLiteral("24/03/09"));
    QList<QUrl> opened;
    CTavHelp::SetUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    frame()->Actions().Trigger(TavCmd::HomePage);
    frame()->Actions().Trigger(TavCmd::StylePage);
    QCOMPARE(opened.size(), 2);
    // The settings may point the maker's pages elsewhere; a value that is no address is ignored.
    m_app->Options().WriteString(QStringLiteral("HomePage"), QStringLiteral("https://kiro.example.org/jp/"));
    m_app->Options().WriteString(QStringLiteral("StylePage"), QStringLiteral("kein url"));
    frame()->Actions().Trigger(TavCmd::HomePage);
    frame()->Actions().Trigger(TavCmd::StylePage);
    QCOMPARE(opened.at(2), QUrl(QStringLiteral("https://kiro.example.org/jp/")));
    QCOMPARE(opened.at(3), opened.at(1));
    m_env->AnswerDialog([](CTavDialogBase& d) {
        AppTestEnv::Screenshot(&d, QStringLiteral("dialog-about"));
        return d.result();
    });
    frame()->Actions().Trigger(TavCmd::About);
    QVERIFY(m_env->AllAnswersUsed());
    QMenu* view = frame()->Actions().Menu(QStringLiteral("表示"));
    QVERIFY(view);
    view->popup(frame()->mapToGlobal(QPoint(60, 20)));
    AppTestEnv::Screenshot(view, QStringLiteral("menu-view"));
    view->hide();

    // A stand-in install tool that writes down how it was started.
    const QString argsFile = m_env->Dir().path() + QStringLiteral("/install-args");
    const QString tool = m_env->Dir().path() + QStringLiteral("/fake-install");
    const QString script = QStringLiteral("#!/bin/sh\necho \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n");
    QVERIFY(TestDataDir::WriteFile(tool, script.arg(argsFile).toUtf8()));
    QVERIFY(QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner));
    qputenv("LUMORA_INSTALL", tool.toUtf8());
    frame()->Actions().Trigger(TavCmd::InstallTool);
    qunsetenv("LUMORA_INSTALL");
    QTRY_VERIFY(QFile::exists(argsFile));
    QCOMPARE(TestDataDir::ReadFile(argsFile).trimmed(), QByteArray("--user Hanako"));
}

void TestMainFrame::dialogButtonsCarryNoIcons()
{
    // The program starts on such a theme: its dialogs and message boxes still show text only.
    AppTestEnv::Close(m_app);
    QApplication::setStyle(new IconButtonStyle);
    m_app = m_env->Start();
    QVERIFY(frame());
    int icons = -1; // stays so if the dialog has no button box
    m_env->AnswerDialog([&icons](CTavDialogBase& dialog) {
        for (const auto* box : dialog.findChildren<QDialogButtonBox*>())
            icons = std::max(icons, 0) + iconsOnButtons(box->buttons());
        return static_cast<int>(QDialog::Rejected);
    });
    frame()->Actions().Trigger(TavCmd::Options);
    QCOMPARE(icons, 0);
    const auto box = CTavMessageBox::Build(
        {frame(), QStringLiteral("?"), TavStr::ProductName, TavMsg::YesNoCancel | TavMsg::IconQuestion});
    QCOMPARE(box->buttons().size(), 3);
    QCOMPARE(iconsOnButtons(box->buttons()), 0);
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
