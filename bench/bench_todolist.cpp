// The To Do outline with 65,535 tasks in three levels (top-level tasks of fifty sub-items
// each): rebuilding the rows, moving a task with its fifty sub-items as the move command does,
// and scrolling the list by a page. The tasks are generated once into the build's
// bench-data/todolist.

#include <QApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "BenchEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbTodo.h"
#include "CTavTodoCommands.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFrame.h"
#include "CTavTodoLeftView.h"

namespace {
constexpr int kBlock = 51; // a top-level task and its fifty sub-items

QString dataDir()
{
    return BenchEnv::workDir(QStringLiteral("todolist"));
}

const char16_t* const kTitles[] = {u"報告書を書く", u"見積もりを送る", u"会議の準備", u"資料を印刷する",
                                   u"電話をかける", u"請求書の確認",   u"打ち合わせ", u"Review the draft"};

// The store file, made on first use; its name carries the count.
QString storePath()
{
    const QString path = dataDir() + QStringLiteral("/todo%1.ldb").arg(BenchEnv::records());
    if (QFileInfo::exists(path))
        return path;
    CTavDbTodo store;
    QList<uint32_t> categories{0};
    for (const char16_t* name : {u"仕事", u"個人", u"家族"}) {
        uint32_t id = 0;
        store.AddCategory(QString::fromUtf16(name), &id);
        categories << id;
    }
    QRandomGenerator random(52024);
    const TavTime today = CTavDbTime::fromDate(QDate(2024, 11, 20));
    for (int n = 0; n < BenchEnv::records(); ++n) {
        const int inBlock = n % kBlock;
        CTavDbTodoRecord task;
        task.SetDesc(QString::fromUtf16(kTitles[random.bounded(int(std::size(kTitles)))]) +
                     QString::number(n));
        task.SetIndentLevel(inBlock == 0 ? 0 : inBlock % 3 == 1 ? 1 : 2);
        task.SetPriority(1 + random.bounded(5));
        if (random.bounded(3) != 0)
            task.SetDueDate(today + 86400 * (random.bounded(60) - 30));
        if (random.bounded(4) == 0)
            task.SetStartDate(today + 86400 * (random.bounded(40) - 10));
        task.SetCompleted(random.bounded(10) == 0);
        task.SetNote(random.bounded(5) == 0 ? QStringLiteral("担当者に確認する") : QString());
        task.SetCategoryID(categories.at(random.bounded(categories.size())));
        task.SetPrivate(random.bounded(20) == 0);
        store.AddRecord(task);
    }
    return store.WriteToFile(path) == TavStatusCode::Ok ? path : QString();
}

// The application's To Do store loaded with the tasks, and the To Do window on it.
struct TodoList
{
    CTavApp app;
    CTavTodoDoc* doc = nullptr;
    CTavTodoFrame* frame = nullptr;
    std::string error;

    TodoList()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
        CTavDbEnv::SetCorePath(dataDir() + QStringLiteral("/root/"));
        if (storePath().isEmpty() || app.TodoStore().LoadFromFile(storePath()) != TavStatusCode::Ok)
            error = "cannot write or read the To Do store in " + dataDir().toStdString();
        doc = new CTavTodoDoc(app, &app);
        frame = new CTavTodoFrame(doc);
        frame->resize(1000, 700);
        frame->show();
        frame->LayOutPanes(1000);
        frame->Update(0);
        QApplication::processEvents();
        if (error.empty() && doc->Count() != BenchEnv::records())
            error = BenchEnv::mismatch(QStringLiteral("tasks"), BenchEnv::records(), doc->Count());
    }
    ~TodoList()
    {
        delete frame;
        CTavDbClock::Release();
    }
};

std::unique_ptr<TodoList> g_list; // made on first use, gone before the application object

TodoList& list()
{
    if (!g_list)
        g_list = std::make_unique<TodoList>();
    return *g_list;
}

bool ready(benchmark::State& state)
{
    if (!list().error.empty())
        state.SkipWithError(list().error.c_str());
    return list().error.empty();
}

// A rebuild after a change of the tasks: every row again and the list painted.
void BM_RebuildRows(benchmark::State& state)
{
    if (!ready(state))
        return;
    TodoList& l = list();
    for (auto _ : state) {
        l.doc->Refresh();
        l.frame->LeftView()->viewport()->repaint();
        benchmark::DoNotOptimize(l.doc->Count());
    }
    state.counters["rows"] = l.doc->Count();
}
BENCHMARK(BM_RebuildRows)->Unit(benchmark::kMillisecond);

// A top-level task in the middle with its fifty sub-items moved down over the next one and
// back up, one undo step each, the rows rebuilt and the selection restored as the command does.
void BM_MoveTaskWithSubItems(benchmark::State& state)
{
    if (!ready(state))
        return;
    TodoList& l = list();
    CTavTodoLeftView* view = l.frame->LeftView();
    const int middle = (l.doc->Count() / kBlock / 2) * kBlock;
    if (middle < kBlock || middle + 2 * kBlock > l.doc->Count()) {
        state.SkipWithError("too few tasks for a move");
        return;
    }
    const uint32_t id = l.doc->Row(middle)->uniqueId;
    bool down = true;
    for (auto _ : state) {
        view->SelectIds({id});
        if (down)
            l.frame->Commands().OnMoveDown();
        else
            l.frame->Commands().OnMoveUp();
        down = !down;
        benchmark::DoNotOptimize(l.doc->IndexOfId(id));
    }
    state.counters["rows"] = l.doc->Count();
}
BENCHMARK(BM_MoveTaskWithSubItems)->Unit(benchmark::kMillisecond);

// Page Down through the list: one page of rows painted offscreen each time.
void BM_PageScroll(benchmark::State& state)
{
    if (!ready(state))
        return;
    TodoList& l = list();
    CTavTodoLeftView* view = l.frame->LeftView();
    view->SetTopRow(0);
    for (auto _ : state) {
        const int page = view->PageRowCount();
        view->SetTopRow(
            view->TopRow() + page >= view->verticalScrollBar()->maximum() ? 0 : view->TopRow() + page);
        view->viewport()->repaint();
        benchmark::DoNotOptimize(view->TopRow());
    }
    state.counters["page"] = view->PageRowCount();
}
BENCHMARK(BM_PageScroll)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int status = BenchEnv::run(argc, argv);
    g_list.reset();
    return status;
}
