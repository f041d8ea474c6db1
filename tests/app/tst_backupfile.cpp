#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CTavDialogBase.h"
#include "CTavFrameActions.h"
#include "CTavHelp.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavMainFrame.h"
#include "CTavModuleDoc.h"
#include "CTavModuleFrame.h"
#include "CTavModuleTemplates.h"
#include "TavCommandIds.h"
#include "TavStrings.h"

namespace {
constexpr int kOpenCurrentFile = 32779;
constexpr int kOpenBackupFile = 32778;
constexpr int kRestore = 32788;

// A store of the module's kind holding three records, for writing backup files.
std::unique_ptr<CTavDbStoreBase> threeRecords(int module)
{
    const QDateTime start(QDate(2024, 11, 20), QTime(9, 0));
    std::unique_ptr<CTavDbStoreBase> store;
    for (int i = 0; i < 3; ++i) {
        const QString text = QStringLiteral("控え%1").arg(i);
        TavStatus added = TavStatusCode::Ok;
        if (module == TavModule::MemoPad) {
            if (!store)
                store = std::make_unique<CTavDbMemo>();
            CTavDbMemoRecord memo;
            memo.SetMemo(text);
            added = store->AddRecord(memo);
        } else if (module == TavModule::Address) {
            if (!store)
                store = std::make_unique<CTavDbAddr>();
            CTavDbAddrRecord card;
            card.SetLastName(text);
            added = store->AddRecord(card);
        } else if (module == TavModule::Todo) {
            if (!store)
                store = std::make_unique<CTavDbTodo>();
            CTavDbTodoRecord task;
            task.SetDesc(text);
            added = store->AddRecord(task);
        } else {
            if (!store)
                store = std::make_unique<CTavDbDate>();
            CTavDbDateRecord event;
            event.SetDesc(text);
            event.SetStartTime(CTavDbTime::fromDateAndTime(start.date(), start.time().addSecs(3600 * i)));
            event.SetEndTime(event.GetStartTime() + 1800);
            added = store->AddRecord(event);
        }
        if (added != TavStatusCode::Ok)
            return nullptr;
    }
    return store;
}
} // namespace

// Every module opens a desktop backup file in place of its data the same way: the commands
// follow the mode, every window of the module names the file, the undo history of the other
// file is dropped, restore and save all keep to the backup file, HotSync is refused, help
// tells about backup files, and a module switch closes the file after asking. A broken file
// changes nothing and is named in the message.
class TestBackupFile : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;

private slots:
    void init()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
        m_env = std::make_unique<AppTestEnv>();
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        m_app = m_env->Start();
        QVERIFY(m_app && m_app->MainFrame());
    }
    void cleanup()
    {
        CTavHelp::SetUrlOpener(nullptr);
        AppTestEnv::Close(m_app);
        m_env.reset();
    }

    void openRestoreAndLeave_data()
    {
        QTest::addColumn<int>("window"); // the module number the file is opened from
        QTest::addColumn<QList<int>>("titled");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("dialogTitle");
        QTest::addColumn<QString>("kind");  // as the restore question names the data
        QTest::addColumn<int>("elsewhere"); // a module to switch to
        QTest::newRow("schedule, from the week window")
            << int(TavModule::Week) << QList<int>{TavSlot::Day, TavSlot::Week, TavSlot::Month} << "old.dba"
            << "予定のバックアップファイルを開く"
            << "予定" << int(TavModule::Address);
        QTest::newRow("address book") << int(TavModule::Address) << QList<int>{TavSlot::Address} << "old.aba"
                                      << "アドレスのバックアップファイルを開く"
                                      << "アドレス" << int(TavModule::Schedule);
        QTest::newRow("To Do") << int(TavModule::Todo) << QList<int>{TavSlot::Todo} << "OLD.TDA"
                               << "To Do のバックアップファイルを開く"
                               << "To Do" << int(TavModule::MemoPad);
        QTest::newRow("memo pad") << int(TavModule::MemoPad) << QList<int>{TavSlot::MemoPad} << "old.mpa"
                                  << "メモ帳のバックアップファイルを開く"
                                  << "メモ帳" << int(TavModule::Todo);
    }
    void openRestoreAndLeave()
    {
        QFETCH(int, window);
        QFETCH(QList<int>, titled);
        QFETCH(QString, file);
        QFETCH(QString, dialogTitle);
        QFETCH(QString, kind);
        QFETCH(int, elsewhere);
        m_app->SwitchModule(window);
        const int module = m_app->currentModule();
        CTavModuleFrame& frame = *m_app->FrameOfModule(module);
        CTavDbStoreBase* stores[] = {nullptr, &m_app->DateStore(), &m_app->AddrStore(), &m_app->TodoStore(),
                                     nullptr, &m_app->MemoStore()};
        CTavDbStoreBase& store = *stores[module];
        const int current = store.GetRecordCount();
        const QString path = m_env->Dir().filePath(file);
        const auto backup = threeRecords(window);
        QVERIFY(backup && backup->WriteToFile(path) == TavStatusCode::Ok);
        const auto states = [&frame] {
            frame.UpdateCommandUI();
            return QList<bool>{frame.Action(kOpenBackupFile)->isEnabled(),
                               frame.Action(kOpenCurrentFile)->isEnabled(),
                               frame.Action(kRestore)->isEnabled()};
        };
        const auto titles = [this, &titled] {
            QStringList shown;
            for (int slot : titled)
                shown << m_app->Frame(slot)->windowTitle();
            return shown;
        };
        const QStringList captions = titles();
        QCOMPARE(states(), (QList<bool>{true, false, true}));
        QUndoStack& undo = m_app->Document(frame.GetDescription().slot)->UndoStack();
        undo.push(new QUndoCommand(QStringLiteral("前のファイルでの編集")));

        // F1 in the file dialog, and later in the window, tells about backup files.
        QList<QUrl> help;
        CTavHelp::SetUrlOpener([&help](const QUrl& url) {
            help << url;
            return true;
        });
        m_env->AnswerDialog([path](CTavDialogBase& dialog) {
            if (auto* f1 = dialog.findChild<QShortcut*>(); f1 && f1->key() == QKeySequence(Qt::Key_F1))
                emit f1->activated();
            return AppTestEnv::ChooseFile(path)(dialog);
        });
        frame.Trigger(kOpenBackupFile);
        QCOMPARE(m_env->DialogTitles().last(), dialogTitle);
        QVERIFY(m_app->MainFrame()->windowTitle().contains(file));
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(store.GetRecordCount(), 3);
        QCOMPARE(titles(),
                 QStringList(titled.size(), QStringLiteral("%1 (バックアップ ファイル)").arg(file)));
        QCOMPARE(states(), (QList<bool>{false, true, true}));
        QCOMPARE(undo.count(), 0);
        AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("backup-file-") + file);

        m_app->MainFrame()->Actions().Trigger(TavCmd::Help);
        QCOMPARE(help.size(), 2);
        for (const QUrl& page : help)
            QCOMPARE(page.fileName(), QStringLiteral("backup.html"));
        // No HotSync while the file is open.
        QCOMPARE(m_app->MainFrame()->HotSync().OnNotify(CTavHotSyncCoordinator::AskStart), 1);
        QTRY_COMPARE(m_env->Messages().value(0), TavStr::SyncRefusedBackup);

        // Restore asks first and reads the backup file again, not the current data.
        QVERIFY(store.DeleteRecord(store.GetRecord(0)->GetUniqueId(), false) == TavStatusCode::Ok);
        m_env->AnswerMessage(TavMsg::IdCancel);
        frame.Trigger(kRestore);
        QCOMPARE(store.GetRecordCount(), 2);
        m_env->AnswerMessage(TavMsg::IdOk);
        frame.Trigger(kRestore);
        QCOMPARE(store.GetRecordCount(), 3);
        QCOMPARE(m_env->Messages().last(), TavStr::RestoreQuestion(kind));
        // Save all writes the backup file and goes on showing it.
        QVERIFY(store.DeleteRecord(store.GetRecord(0)->GetUniqueId(), false) == TavStatusCode::Ok);
        m_app->MainFrame()->Actions().Trigger(TavCmd::SaveAll);
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(store.GetRecordCount(), 2);
        QCOMPARE(titles().first(), QStringLiteral("%1 (バックアップ ファイル)").arg(file));

        frame.Trigger(kOpenCurrentFile);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(store.GetRecordCount(), current);
        QCOMPARE(titles(), captions);
        QCOMPARE(states(), (QList<bool>{true, false, true}));

        // A switch between schedule windows keeps the file; another module closes it after
        // asking, and Cancel keeps it.
        m_env->ClearRecords();
        m_env->AnswerDialog(AppTestEnv::ChooseFile(path));
        frame.Trigger(kOpenBackupFile);
        QCOMPARE(store.GetRecordCount(), 2);
        if (window == TavModule::Week) {
            m_app->SwitchModule(TavModule::Month);
            QCOMPARE(m_app->MainFrame()->ActiveModuleFrame(), m_app->Frame(TavSlot::Month));
            QVERIFY(m_env->Messages().isEmpty() && m_app->backupFileOpen());
        }
        m_env->AnswerMessage(TavMsg::IdCancel);
        m_app->SwitchModule(elsewhere);
        QCOMPARE(m_env->Messages(), QStringList{TavStr::BackupSwitchQuestion});
        QCOMPARE(m_app->backupFileOpen(), 1);
        m_env->AnswerMessage(TavMsg::IdOk);
        m_app->SwitchModule(elsewhere);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(m_app->currentModule(), elsewhere);
        QCOMPARE(store.GetRecordCount(), current);
        QCOMPARE(titles(), captions);
        QCOMPARE(m_app->MainFrame()->HotSync().OnNotify(CTavHotSyncCoordinator::AskStart), 0);

        // A file that does not read leaves the data, the mode and the titles as they were.
        m_app->SwitchModule(window);
        const QString broken = m_env->Dir().filePath(QStringLiteral("broken.") + QFileInfo(file).suffix());
        QFile garbage(broken);
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096);
        garbage.close();
        m_env->AnswerDialog(AppTestEnv::ChooseFile(broken));
        frame.Trigger(kOpenBackupFile);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(store.GetRecordCount(), current);
        QCOMPARE(titles(), captions);
        QVERIFY2(m_env->Messages().last().contains(QFileInfo(broken).fileName()),
                 qPrintable(m_env->Messages().last()));
        QVERIFY(m_env->AllAnswersUsed());
    }

    // Undo is not offered while a dialog holds the records, and a HotSync, which replaces
    // them, leaves nothing to undo.
    void undoWhileRecordsAreHeldOrReplaced()
    {
        m_app->SwitchModule(TavModule::MemoPad);
        CTavFrameActions& actions = m_app->MainFrame()->Actions();
        const auto offered = [&actions] {
            actions.UpdateCommandUI();
            return actions.Action(TavCmd::EditUndo)->isEnabled();
        };
        QUndoStack& undo = m_app->Document(TavSlot::MemoPad)->UndoStack();
        undo.push(new QUndoCommand(QStringLiteral("切り取り")));
        QVERIFY(offered());
        QWidget dialog;
        m_app->RegisterDialog(&dialog);
        QVERIFY(!offered());
        actions.Trigger(TavCmd::EditUndo);
        QCOMPARE(undo.index(), 1);
        m_app->UnregisterDialog(&dialog);
        QVERIFY(offered());

        CTavHotSyncCoordinator& sync = m_app->MainFrame()->HotSync();
        sync.OnNotify(CTavHotSyncCoordinator::Started);
        QVERIFY(!offered());
        sync.OnNotify(CTavHotSyncCoordinator::Ended);
        QVERIFY(!offered());
        QCOMPARE(undo.count(), 0);
    }
};

QTEST_MAIN(TestBackupFile)
#include "tst_backupfile.moc"
