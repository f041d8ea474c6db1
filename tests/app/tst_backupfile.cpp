#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavFrameActions.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavMainFrame.h"
#include "CTavModuleDoc.h"
#include "CTavModuleFrame.h"
#include "CTavModuleTemplates.h"
#include "TavCommandIds.h"

namespace {
constexpr int kOpenCurrentFile = 32779;
constexpr int kOpenBackupFile = 32778;
constexpr int kRestore = 32788;

// A backup file of the module's kind holding two records.
void writeBackup(int module, const QString& path)
{
    if (module == TavModule::MemoPad) {
        CTavDbMemo backup;
        for (const char16_t* text : {u"控えのメモ一", u"控えのメモ二"}) {
            CTavDbMemoRecord memo;
            memo.SetMemo(QString::fromUtf16(text));
            QCOMPARE(backup.AddRecord(memo), TavStatusCode::Ok);
        }
        QCOMPARE(backup.WriteToFile(path), TavStatusCode::Ok);
    } else {
        CTavDbAddr backup;
        for (const char16_t* name : {u"控え一郎", u"控え二郎"}) {
            CTavDbAddrRecord card;
            card.SetLastName(QString::fromUtf16(name));
            QCOMPARE(backup.AddRecord(card), TavStatusCode::Ok);
        }
        QCOMPARE(backup.WriteToFile(path), TavStatusCode::Ok);
    }
}
} // namespace

// Every module opens a backup file in place of its data the same way: the title says so, the
// undo history of the other file is dropped, restore reloads the backup file, and a broken
// file changes nothing and is named in the message. Records replaced by a HotSync drop the
// undo history too.
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
        AppTestEnv::Close(m_app);
        m_env.reset();
    }

    void switchRestoreAndReturn_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        QTest::newRow("memo pad") << int(TavModule::MemoPad) << int(TavSlot::MemoPad) << "old.mpc"
                                  << "メモ帳";
        QTest::newRow("address book") << int(TavModule::Address) << int(TavSlot::Address) << "old.abc"
                                      << "アドレス";
    }
    void switchRestoreAndReturn()
    {
        QFETCH(int, module);
        QFETCH(int, slot);
        QFETCH(QString, file);
        QFETCH(QString, caption);
        m_app->SwitchModule(module);
        CTavModuleFrame& frame = *m_app->Frame(slot);
        CTavDbStoreBase& store = module == TavModule::MemoPad
                                     ? static_cast<CTavDbStoreBase&>(m_app->MemoStore())
                                     : m_app->AddrStore();
        const int current = store.GetRecordCount();
        const QString path = m_env->Dir().filePath(file);
        writeBackup(module, path);
        QUndoStack& undo = m_app->Document(slot)->UndoStack();
        undo.push(new QUndoCommand(QStringLiteral("前のファイルでの編集")));

        m_env->AnswerDialog(AppTestEnv::ChooseFile(path));
        frame.Trigger(kOpenBackupFile);
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(store.GetRecordCount(), 2);
        QCOMPARE(frame.windowTitle(), QStringLiteral("%1 (バックアップ ファイル)").arg(file));
        QVERIFY(!frame.Action(kOpenBackupFile)->isEnabled());
        QCOMPARE(undo.count(), 0);
        AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("backup-file-") + file);

        // Restore asks first and reads the backup file again, not the current data.
        QVERIFY(store.DeleteRecord(store.GetRecord(0)->GetUniqueId(), false) == TavStatusCode::Ok);
        m_env->AnswerMessage(TavMsg::IdCancel);
        frame.Trigger(kRestore);
        QCOMPARE(store.GetRecordCount(), 1);
        m_env->AnswerMessage(TavMsg::IdOk);
        frame.Trigger(kRestore);
        QCOMPARE(store.GetRecordCount(), 2);

        frame.Trigger(kOpenCurrentFile);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(store.GetRecordCount(), current);
        QCOMPARE(frame.windowTitle(), caption);

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
