#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "CTavRecordExport.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFileCommands.h"
#include "CTavTodoFrame.h"
#include "TavCommandIds.h"

using namespace Qt::StringLiterals;

namespace {
struct Cli
{
    int exitCode = -1;
    QList<QJsonObject> lines;
};

Cli cli(const QString& dataDir, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(LUMORA_CLI_PROGRAM), QStringList{u"--data-dir"_s, dataDir} + args);
    p.closeWriteChannel();
    Cli r;
    r.exitCode = p.waitForFinished(60000) ? p.exitCode() : -1;
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

private slots:
    void init()
    {
        QVERIFY(AppTestEnv::StartAt({}, m_env, m_app, u"Hanako"_s));
        // Three tasks of an outline: a parent with a completed, dated sub-item, and a private
        // task in a category of its own; and a file that holds no tasks.
        uint32_t work = 0;
        QCOMPARE(store().AddCategory(u"仕事"_s, &work), TavStatusCode::Ok);
        CTavDbTodoRecord tasks[3];
        tasks[0].SetDesc(u"月例報告"_s);
        tasks[0].SetNote(u"一行目\n二行目"_s);
        tasks[0].SetFolded(true);
        tasks[1].SetDesc(u"集計"_s);
        tasks[1].SetIndentLevel(1);
        tasks[1].SetCompleted(true);
        tasks[1].SetStartDate(CTavDbTime::fromDate(QDate(2026, 3, 1)));
        tasks[1].SetDueDate(CTavDbTime::fromDate(QDate(2026, 3, 20)));
        tasks[1].SetQuilloName(u"グラフ"_s);
        tasks[2].SetDesc(u"人事"_s);
        tasks[2].SetPriority(5);
        tasks[2].SetPrivate(true);
        tasks[2].SetCategoryID(work);
        for (CTavDbTodoRecord& task : tasks)
            QCOMPARE(store().AddRecordAfter(task, 0), TavStatusCode::Ok);
        QFile broken(path("broken.tdc"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a task file") > 0);
    }
    void cleanup() { AppTestEnv::Finish(m_env, m_app); }

    void backupFilesRoundTripAsOneUndoStep()
    {
        CTavTodoFileCommands files(frame());
        const QList<CTavDbTodoRecord> before = tasksOf(store());
        // While private tasks are masked they go along only with the password, and the user
        // hears how many stayed out.
        m_app->setPrivateModeValue(1);
        m_app->Users().SetPassword(u"Hanako"_s, u"himitsu"_s);
        m_env->AnswerDialog(AppTestEnv::TypePassword(u"himitsu"_s));
        QVERIFY(files.ExportFile(path("all.tdc"), false));
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        QVERIFY(files.ExportFile(path("public.tdc"), false));
        m_app->setPrivateModeValue(0);

        QVERIFY(files.ImportFile(path("all.tdc")));
        QCOMPARE(m_env->Messages().mid(0, 3),
                 QStringList({u"エクスポート完了"_s,
                              u"エクスポート完了\n\nプライベートのTo Do 1 件はエクスポートされていません。"_s,
                              u"To Doの更新中...\n3件のデータをインポートしました。"_s}));
        const QList<CTavDbTodoRecord> after = tasksOf(store());
        QCOMPARE(after.size(), 6);
        for (int i = 0; i < 3; ++i)
            QVERIFY(after.at(3 + i).IsEqualPdt(before.at(i)) &&
                    after.at(3 + i).GetIsPrivate() == before.at(i).GetIsPrivate());
        QCOMPARE(frame().TodoDoc()->UndoStack().count(), 1);
        frame().TodoDoc()->UndoStack().undo();
        QCOMPARE(tasksOf(store()).size(), 3);

        QVERIFY(files.ImportFile(path("public.tdc")));
        QCOMPARE(m_env->Messages().last(), u"To Doの更新中...\n2件のデータをインポートしました。"_s);

        // Nothing but private tasks and no password: nothing is written over the file.
        m_app->setPrivateModeValue(1);
        CTavRecordExport exporter(*m_app, &frame(), u"To Do"_s);
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        QVERIFY(exporter.Choose({{1, true}}).isEmpty());
        QVERIFY(!exporter.Write(path("all.tdc"), [] { return TavStatus(TavStatusCode::FileError); }));
        QVERIFY(m_env->Messages().last().startsWith(u"all.tdc はそのままです。"_s));
    }

    void backupFileWithoutTheFilteredCategory()
    {
        // Filtered on a category the backup file lacks, its tasks must still show.
        CTavDbTodo other;
        CTavDbTodoRecord task;
        task.SetDesc(u"控え"_s);
        QVERIFY(other.AddRecord(task) == TavStatusCode::Ok &&
                other.WriteToFile(path("old.tda")) == TavStatusCode::Ok);
        frame().TodoDoc()->SetFilter(store().FindCategoryByName(u"仕事"_s)->GetID());
        QCOMPARE(frame().TodoDoc()->Count(), 1);
        m_env->AnswerDialog(AppTestEnv::ChooseFile(path("old.tda")));
        frame().Trigger(32778);
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(frame().TodoDoc()->Count(), 1);
        QCOMPARE(frame().TodoDoc()->CategoryFilter(), CTavTodoDoc::kAllCategories);
    }

    void unreadableFilesChangeNothing()
    {
        CTavTodoFileCommands files(frame());
        QVERIFY(!files.ImportFile(path("broken.tdc")));
        QCOMPARE(m_env->Messages().value(0).section(u'\n', 0, 0),
                 QDir::toNativeSeparators(path("broken.tdc")) + u" を読み込めませんでした。"_s);
        QVERIFY(!files.ExportFile(path("notes.txt"), false) && !QFile::exists(path("notes.txt")));
        QVERIFY(!files.ImportFile(path("notes.txt")));
        QCOMPARE(m_env->Messages().size(), 1);
        QVERIFY(tasksOf(store()).size() == 3 && frame().TodoDoc()->UndoStack().count() == 0);
    }

    void cliImportsExportsAndListsTasks()
    {
        CTavTodoFileCommands(frame()).ExportFile(path("gui.tdc"), false);
        AppTestEnv::Close(m_app);
        // Jiro's tasks; no file means the private ones too.
        const auto todo = [this](const QString& command, const QString& file = {}) {
            const QStringList args{u"--user"_s, u"Jiro"_s, command, u"todo"_s};
            return cli(m_env->Dir().dataPath(), args + QStringList(file.isEmpty() ? u"--private"_s : file));
        };
        QCOMPARE(cli(m_env->Dir().dataPath(), {u"useradd"_s, u"Jiro"_s}).exitCode, 0);
        QCOMPARE(todo(u"import"_s, path("gui.tdc")).lines.value(0).value("imported").toInt(), 3);
        const Cli listed = todo(u"list"_s);
        const QJsonObject child = listed.lines.value(1);
        QVERIFY(listed.lines.size() == 3 && child.value(u"level"_s).toInt() == 1);
        QVERIFY(child.value(u"due"_s).toString() == u"2026-03-20"_s && child.value(u"completed"_s).toBool());

        // Private tasks leave only when asked for; a broken file is refused.
        QCOMPARE(todo(u"export"_s, path("cli.tdc")).lines.value(0).value("exported").toInt(), 2);
        QVERIFY(todo(u"import"_s, path("broken.tdc")).exitCode != 0);
        m_app = m_env->Start();
        QVERIFY(CTavTodoFileCommands(frame()).ImportFile(path("cli.tdc")));
        QCOMPARE(tasksOf(store()).size(), 5);
    }
};

QTEST_MAIN(TestTodoFiles)
#include "tst_todofiles.moc"
