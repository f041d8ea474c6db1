#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbTodo.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFileCommands.h"
#include "CTavTodoFrame.h"
#include "TavCommandIds.h"

namespace {
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

// The To Do backup files: import and export through the file commands and through lumora-cli.
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
        CTavDbTodoRecord tasks[3];
        tasks[0].SetDesc(QStringLiteral("月例報告"));
        tasks[0].SetNote(QStringLiteral("一行目\n二行目"));
        tasks[0].SetFolded(true);
        tasks[1].SetDesc(QStringLiteral("集計"));
        tasks[1].SetIndentLevel(1);
        tasks[1].SetCompleted(true);
        tasks[1].SetStartDate(CTavDbTime::fromDate(QDate(2026, 3, 1)));
        tasks[1].SetDueDate(CTavDbTime::fromDate(QDate(2026, 3, 20)));
        tasks[1].SetQuilloName(QStringLiteral("グラフ"));
        tasks[2].SetDesc(QStringLiteral("人事"));
        tasks[2].SetPriority(5);
        tasks[2].SetPrivate(true);
        tasks[2].SetCategoryID(work);
        for (CTavDbTodoRecord& task : tasks)
            QCOMPARE(store().AddRecordAfter(task, 0), TavStatusCode::Ok);
    }

    void writeBroken()
    {
        QFile broken(path("broken.tdc"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a task file") > 0);
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

        QVERIFY(files.ImportFile(path("all.tdc")));
        QCOMPARE(m_env->Messages().mid(0, 3),
                 (QStringList{QStringLiteral("エクスポート完了"), QStringLiteral("エクスポート完了"),
                              QStringLiteral("To Doの更新中...\n3件のデータをインポートしました。")}));
        const QList<CTavDbTodoRecord> after = tasksOf(store());
        QCOMPARE(after.size(), 6);
        for (int i = 0; i < 3; ++i)
            QVERIFY(after.at(3 + i).IsEqualPdt(before.at(i)) &&
                    after.at(3 + i).GetIsPrivate() == before.at(i).GetIsPrivate());
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
        writeBroken();
        QVERIFY(!files.ImportFile(path("broken.tdc")));
        QVERIFY2(m_env->Messages().value(0).startsWith(QDir::toNativeSeparators(path("broken.tdc")) +
                                                       QStringLiteral(" を読み込めませんでした。")),
                 qPrintable(m_env->Messages().value(0)));
        QVERIFY(!files.ExportFile(path("old.TDA"), false) && !QFile::exists(path("old.TDA")));
        QCOMPARE(m_env->Messages().value(1), CTavTodoFileCommands::kArchiveNotYet);
        QVERIFY(!files.ImportFile(path("notes.txt")));
        QCOMPARE(m_env->Messages().size(), 2);
        QCOMPARE(tasksOf(store()).size(), 3);
        QCOMPARE(frame().TodoDoc()->UndoStack().count(), 0);
    }

    void cliImportsExportsAndListsTasks()
    {
        CTavTodoFileCommands(frame()).ExportFile(path("gui.tdc"), false);
        AppTestEnv::Close(m_app);
        const auto todo = [this](const QString& command, const QString& file, const QString& user) {
            QStringList args{QStringLiteral("--user"), user, command, QStringLiteral("todo")};
            return cli(m_env->Dir().dataPath(),
                       file.isEmpty() ? args << QStringLiteral("--private") : args << file);
        };
        const QString jiro = QStringLiteral("Jiro");
        QCOMPARE(cli(m_env->Dir().dataPath(), {QStringLiteral("useradd"), jiro}).exitCode, 0);
        QCOMPARE(
            todo(QStringLiteral("import"), path("gui.tdc"), jiro).lines.value(0).value("imported").toInt(),
            3);
        const Cli listed = todo(QStringLiteral("list"), QString(), jiro);
        const QJsonObject child = listed.lines.value(1);
        QVERIFY(listed.lines.size() == 3 && child.value(QStringLiteral("level")).toInt() == 1);
        QCOMPARE(child.value(QStringLiteral("due")).toString(), QStringLiteral("2026-03-20"));
        QVERIFY(child.value(QStringLiteral("completed")).toBool());

        // Private tasks leave only when asked for; a broken file is refused.
        QCOMPARE(
            todo(QStringLiteral("export"), path("cli.tdc"), jiro).lines.value(0).value("exported").toInt(),
            2);
        writeBroken();
        QVERIFY(todo(QStringLiteral("import"), path("broken.tdc"), jiro).exitCode != 0);
        m_app = m_env->Start();
        QVERIFY(CTavTodoFileCommands(frame()).ImportFile(path("cli.tdc")));
        QCOMPARE(tasksOf(store()).size(), 5);
    }
};

QTEST_MAIN(TestTodoFiles)
#include "tst_todofiles.moc"
