#include <QFile>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbTodo.h"
#include "CTavFileDlg.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFileCommands.h"
#include "CTavTodoFrame.h"
#include "TavCommandIds.h"

namespace {
AppTestEnv::DialogAnswer chooseFile(const QString& path)
{
    return [=](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavFileDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        dlg->FileDialog()->setDirectory(QFileInfo(path).absolutePath());
        dlg->FileDialog()->selectFile(QFileInfo(path).fileName());
        QMetaObject::invokeMethod(dlg->FileDialog(), "accept");
        return dlg->result();
    };
}

struct Cli
{
    int exitCode = -1;
    QList<QJsonObject> lines;
};

Cli cli(const QString& dataDir, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(LUMORA_CLI_PROGRAM), QStringList{QStringLiteral("--data-dir"), dataDir} + args);
    p.closeWriteChannel();
    Cli r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            r.lines << QJsonDocument::fromJson(line).object();
    return r;
}

// The stored tasks, in outline order, as comparable records.
QList<CTavDbTodoRecord> tasksOf(const CTavDbTodo& store)
{
    QList<CTavDbTodoRecord> out;
    for (const auto& rec : store.AllRecords())
        if (!rec->IsDeleted())
            out << *static_cast<const CTavDbTodoRecord*>(rec.get());
    return out;
}
} // namespace

// The To Do backup files: import and export through the file commands, the backup file switch,
// and the same files through lumora-cli.
class TestTodoFiles : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;

    CTavTodoFrame& frame() { return *static_cast<CTavTodoFrame*>(m_app->Frame(TavSlot::Todo)); }
    CTavDbTodo& store() { return m_app->TodoStore(); }
    QString path(const char* name) { return m_env->Dir().filePath(QLatin1String(name)); }

    // Three tasks of an outline: a parent with a completed, dated sub-item, and a private task
    // in a category of its own.
    void addTasks()
    {
        uint32_t work = 0;
        QCOMPARE(store().AddCategory(QStringLiteral("仕事"), &work), TavStatusCode::Ok);
        CTavDbTodoRecord parent;
        parent.SetDesc(QStringLiteral("月例報告"));
        parent.SetNote(QStringLiteral("一行目\n二行目"));
        parent.SetPriority(2);
        parent.SetFolded(true);
        CTavDbTodoRecord child;
        child.SetDesc(QStringLiteral("集計"));
        child.SetIndentLevel(1);
        child.SetCompleted(true);
        child.SetStartDate(CTavDbTime::fromDate(QDate(2026, 3, 1)));
        child.SetDueDate(CTavDbTime::fromDate(QDate(2026, 3, 20)));
        child.SetQuilloName(QStringLiteral("グラフ"));
        CTavDbTodoRecord secret;
        secret.SetDesc(QStringLiteral("人事"));
        secret.SetPriority(5);
        secret.SetPrivate(true);
        secret.SetCategoryID(work);
        for (CTavDbTodoRecord* task : {&parent, &child, &secret})
            QCOMPARE(store().AddRecordAfter(*task, 0), TavStatusCode::Ok);
    }

private slots:
    void init()
    {
        m_env = std::make_unique<AppTestEnv>();
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        m_app = m_env->Start();
        QVERIFY(m_app && m_app->MainFrame());
        addTasks();
    }
    void cleanup()
    {
        AppTestEnv::Close(m_app);
        m_env.reset();
    }

    void backupFilesRoundTripAsOneUndoStep()
    {
        CTavTodoFileCommands files(frame());
        const QList<CTavDbTodoRecord> before = tasksOf(store());
        QVERIFY(files.ExportFile(path("all.tdc"), false));
        // While private tasks are masked, they stay out of the file.
        m_app->setPrivateModeValue(1);
        QVERIFY(files.ExportFile(path("public.tdc"), false));
        m_app->setPrivateModeValue(0);

        m_env->AnswerDialog(chooseFile(path("all.tdc")));
        files.OnImport();
        QCOMPARE(m_env->Messages().mid(0, 3),
                 (QStringList{QStringLiteral("エクスポート完了"), QStringLiteral("エクスポート完了"),
                              QStringLiteral("To Doの更新中...\n3件のデータをインポートしました。")}));
        const QList<CTavDbTodoRecord> after = tasksOf(store());
        QCOMPARE(after.size(), 6);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(after.at(3 + i).IsEqualPdt(before.at(i)), qPrintable(before.at(i).GetDesc()));
            QCOMPARE(after.at(3 + i).GetIsPrivate(), before.at(i).GetIsPrivate());
        }
        QUndoStack& undo = frame().TodoDoc()->UndoStack();
        QCOMPARE(undo.count(), 1);
        undo.undo();
        QCOMPARE(tasksOf(store()).size(), 3);

        QVERIFY(files.ImportFile(path("public.tdc")));
        QCOMPARE(m_env->Messages().last(),
                 QStringLiteral("To Doの更新中...\n2件のデータをインポートしました。"));
    }

    void unreadableFilesChangeNothing()
    {
        CTavTodoFileCommands files(frame());
        QFile broken(path("broken.tdc"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a task file at all");
        broken.close();
        QVERIFY(!files.ImportFile(path("broken.tdc")));
        QVERIFY2(m_env->Messages().value(0).startsWith(QDir::toNativeSeparators(path("broken.tdc")) +
                                                       QStringLiteral(" を読み込めませんでした。")),
                 qPrintable(m_env->Messages().value(0)));
        QVERIFY(!files.ImportFile(path("old.tda")));
        QCOMPARE(m_env->Messages().value(1), CTavTodoFileCommands::kArchiveNotYet);
        QVERIFY(!files.ExportFile(path("old.TDA"), false));
        QVERIFY(!files.ImportFile(path("notes.txt")));
        QVERIFY(!QFile::exists(path("old.TDA")));
        QCOMPARE(m_env->Messages().size(), 3);
        QCOMPARE(tasksOf(store()).size(), 3);
        QCOMPARE(frame().TodoDoc()->UndoStack().count(), 0);
    }

    void backupFileSwitchNamesTheToDoFiles()
    {
        CTavTodoFileCommands files(frame());
        QVERIFY(files.ExportFile(path("old.tdc"), false));
        QCOMPARE(store().Write(), TavStatusCode::Ok);
        m_env->AnswerDialog(chooseFile(path("old.tdc")));
        files.OnOpenBackupFile();
        QCOMPARE(m_env->DialogTitles().value(0), CTavTodoFileCommands::kBackupTitle);
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(files.BackupPath(), path("old.tdc"));
        m_env->AnswerMessage(TavMsg::IdCancel);
        files.OnRestore();
        QCOMPARE(m_env->Messages().last(), CTavTodoFileCommands::RestoreQuestion());
        files.OnOpenCurrentFile();
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(tasksOf(store()).size(), 3);
    }

    void cliImportsExportsAndListsTasks()
    {
        CTavTodoFileCommands(frame()).ExportFile(path("gui.tdc"), false);
        QCOMPARE(store().Write(), TavStatusCode::Ok);
        AppTestEnv::Close(m_app);
        const QString data = m_env->Dir().dataPath();
        QCOMPARE(cli(data, {QStringLiteral("useradd"), QStringLiteral("Jiro")}).exitCode, 0);
        const QStringList jiro{QStringLiteral("--user"), QStringLiteral("Jiro")};
        Cli r =
            cli(data, jiro + QStringList{QStringLiteral("import"), QStringLiteral("todo"), path("gui.tdc")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.value(0).value(QStringLiteral("imported")).toInt(), 3);
        r = cli(data, jiro + QStringList{QStringLiteral("list"), QStringLiteral("todo"),
                                         QStringLiteral("--private")});
        QCOMPARE(r.lines.size(), 3);
        const QJsonObject child = r.lines.at(1);
        QCOMPARE(child.value(QStringLiteral("level")).toInt(), 1);
        QCOMPARE(child.value(QStringLiteral("due")).toString(), QStringLiteral("2026-03-20"));
        QVERIFY(child.value(QStringLiteral("completed")).toBool());
        QCOMPARE(r.lines.at(0).value(QStringLiteral("priority")).toInt(), 2);

        // Private tasks leave only when asked for; other kinds and broken files are refused.
        r = cli(data, jiro + QStringList{QStringLiteral("export"), QStringLiteral("todo"), path("cli.tdc")});
        QCOMPARE(r.lines.value(0).value(QStringLiteral("exported")).toInt(), 2);
        QCOMPARE(cli(data, {QStringLiteral("import"), QStringLiteral("todo"), path("gui.abc")}).exitCode, 2);
        QFile broken(path("broken.tdc"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("SQLite format 3? no");
        broken.close();
        QVERIFY(cli(data, {QStringLiteral("import"), QStringLiteral("todo"), path("broken.tdc")}).exitCode !=
                0);

        m_app = m_env->Start();
        QVERIFY(CTavTodoFileCommands(frame()).ImportFile(path("cli.tdc")));
        QCOMPARE(tasksOf(store()).size(), 5);
    }
};

QTEST_MAIN(TestTodoFiles)
#include "tst_todofiles.moc"
