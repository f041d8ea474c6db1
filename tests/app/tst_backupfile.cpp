#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
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
#include "TestDataDir.h"

namespace {
constexpr int kOpenCurrentFile = 32779;
constexpr int kOpenBackupFile = 32778;
constexpr int kRestore = 32788;

// Writes a backup file of a store kind holding three records that fill names.
template <typename Store, typename Record> bool writeThree(const QString& path, void (*fill)(Record&, int))
{
    Store store;
    for (int i = 0; i < 3; ++i) {
        Record record;
        fill(record, i);
        if (store.AddRecord(record) != TavStatusCode::Ok)
            return false;
    }
    return store.WriteToFile(path) == TavStatusCode::Ok;
}

bool writeBackup(int module, const QString& path)
{
    static const QString name = QStringLiteral("控え%1");
    if (module == TavModule::MemoPad)
        return writeThree<CTavDbMemo, CTavDbMemoRecord>(path, [](auto& r, int i) { r.SetMemo(name.arg(i)); });
    if (module == TavModule::Address)
        return writeThree<CTavDbAddr, CTavDbAddrRecord>(path,
                                                        [](auto& r, int i) { r.SetLastName(name.arg(i)); });
    if (module == TavModule::Todo)
        return writeThree<CTavDbTodo, CTavDbTodoRecord>(path, [](auto& r, int i) { r.SetDesc(name.arg(i)); });
    return writeThree<CTavDbDate, CTavDbDateRecord>(path, [](auto& r, int i) {
        r.SetDesc(name.arg(i));
        r.SetStartTime(CTavDbTime::fromDateAndTime(QDate(2024, 11, 20), QTime(9 + i, 0)));
        r.SetEndTime(r.GetStartTime() + 1800);
    });
}
} // namespace

// Every module opens a desktop backup file in place of its data the same way: commands,
// titles, undo history, restore, save all, HotSync, help and module switches follow the mode.
class TestBackupFile : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;

private slots:
    void init() { QVERIFY(AppTestEnv::StartAt(QDateTime(QDate(2024, 11, 20), QTime(10, 30)), m_env, m_app)); }
    void cleanup()
    {
        CTavHelp::SetUrlOpener(nullptr);
        AppTestEnv::Finish(m_env, m_app);
    }

    void openRestoreAndLeave_data()
    {
        QTest::addColumn<int>("window"); // the module number the file is opened from
        QTest::addColumn<QList<int>>("titled");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");  // as the restore question names the data
        QTest::addColumn<int>("elsewhere"); // a module to switch to
        QTest::newRow("schedule, from the week window")
            << int(TavModule::Week) << QList<int>{TavSlot::Day, TavSlot::Week, TavSlot::Month} << "old.dba"
            << "予定" << int(TavModule::Address);
        QTest::newRow("address book") << int(TavModule::Address) << QList<int>{TavSlot::Address} << "old.aba"
                                      << "アドレス" << int(TavModule::Schedule);
        QTest::newRow("To Do") << int(TavModule::Todo) << QList<int>{TavSlot::Todo} << "OLD.TDA"
                               << "To Do" << int(TavModule::MemoPad);
        QTest::newRow("memo pad") << int(TavModule::MemoPad) << QList<int>{TavSlot::MemoPad} << "old.mpa"
                                  << "メモ帳" << int(TavModule::Todo);
    }
    void openRestoreAndLeave()
    {
        QFETCH(int, window);
        QFETCH(QList<int>, titled);
        QFETCH(QString, file);
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
        QVERIFY(writeBackup(module, path));
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

        // An edit as the window makes it: the views follow the store.
        const auto deleteFirst = [&] {
            QVERIFY(store.DeleteRecord(store.GetRecord(0)->GetUniqueId(), false) == TavStatusCode::Ok);
            frame.Update(0);
        };
        // Restore asks first and reads the backup file again, not the current data.
        deleteFirst();
        m_env->AnswerMessage(TavMsg::IdCancel);
        frame.Trigger(kRestore);
        QCOMPARE(store.GetRecordCount(), 2);
        m_env->AnswerMessage(TavMsg::IdOk);
        frame.Trigger(kRestore);
        QCOMPARE(store.GetRecordCount(), 3);
        QCOMPARE(m_env->Messages().last(), TavStr::RestoreQuestion(kind));
        // Save all writes the backup file and goes on showing it.
        deleteFirst();
        m_app->MainFrame()->Actions().Trigger(TavCmd::SaveAll);
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(store.GetRecordCount(), 2);
        // Going back to the current data writes what was edited in the backup file since.
        deleteFirst();

        frame.Trigger(kOpenCurrentFile);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(store.GetRecordCount(), current);
        QCOMPARE(titles(), captions);

        // A module switch closes the file (after asking) in every window that names it.
        m_env->AnswerDialog(AppTestEnv::ChooseFile(path));
        frame.Trigger(kOpenBackupFile);
        QCOMPARE(store.GetRecordCount(), 1);
        m_env->AnswerMessage(TavMsg::IdOk);
        m_app->SwitchModule(elsewhere);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(store.GetRecordCount(), current);
        QCOMPARE(titles(), captions);
        // Current data that no longer read keep the backup file open, and the window with it.
        m_app->SwitchModule(window);
        m_env->AnswerDialog(AppTestEnv::ChooseFile(path));
        frame.Trigger(kOpenBackupFile);
        const QString own = store.StoreFilePath(m_app->Users().GetCurrUserPath());
        const QByteArray good = TestDataDir::ReadFile(own);
        QVERIFY(!good.isEmpty() && TestDataDir::WriteFile(own, QByteArray(4096, 'x')));
        m_env->AnswerMessage(TavMsg::IdOk);
        m_app->SwitchModule(elsewhere);
        QVERIFY(m_app->backupFileOpen() == 1 && store.GetRecordCount() == 1);
        QVERIFY(m_env->Messages().last().contains(QDir::toNativeSeparators(own)));
        m_env->AnswerMessage(TavMsg::IdOk);
        frame.Trigger(kOpenCurrentFile);
        QVERIFY(m_app->backupFileOpen() == 1 && store.GetRecordCount() == 1);
        QVERIFY(TestDataDir::WriteFile(own, good));
        m_env->AnswerMessage(TavMsg::IdOk);
        m_app->SwitchModule(elsewhere);
        QCOMPARE(m_app->backupFileOpen(), 0);

        // A file that does not read leaves the data and the mode as they were.
        m_app->SwitchModule(window);
        const QString broken = m_env->Dir().filePath(QStringLiteral("broken.") + QFileInfo(file).suffix());
        QFile garbage(broken);
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096);
        garbage.close();
        m_env->AnswerDialog(AppTestEnv::ChooseFile(broken));
        frame.Trigger(kOpenBackupFile);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(store.GetRecordCount(), current);
        QVERIFY2(m_env->Messages().last().contains(broken), qPrintable(m_env->Messages().last()));
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
