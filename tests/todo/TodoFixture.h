#pragma once

#include <QDateTime>
#include <QStringList>
#include <memory>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbTodo.h"
#include "CTavMainFrame.h"
#include "CTavTodoCommands.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFrame.h"
#include "CTavTodoLeftView.h"
#include "TavCommandIds.h"

// A running program with the To Do list in front: user "Hanako", twenty-four tasks over three
// levels in every date state (the clock stands at 2024-11-20 10:30), the three state colours
// set apart, every dialog and message answered through the test world's queues.
class TodoFixture
{
public:
    static inline const QString kUser = QStringLiteral("Hanako");
    static constexpr int kTaskCount = 24;
    static inline const QColor kBefore = QColor(0x20, 0x50, 0xD0);
    static inline const QColor kActive = QColor(0x10, 0x80, 0x30);
    static inline const QColor kDelayed = QColor(0xD0, 0x10, 0x10);

    static QDateTime Now() { return QDateTime(QDate(2024, 11, 20), QTime(10, 30)); }
    // The start of the day n days from the fixture's today.
    static TavTime Day(int n) { return CTavDbTime::fromDate(Now().date().addDays(n)); }

    // extraTasks are appended to these (their levels as given, clamped by the store).
    void Start(const QList<CTavDbTodoRecord>& extraTasks = {});
    void Stop(); // also resets the options

    AppTestEnv& Env() { return *m_env; }
    CTavApp& App() { return *m_app; }
    CTavTodoFrame& Frame() { return *static_cast<CTavTodoFrame*>(m_app->Frame(TavSlot::Todo)); }
    CTavTodoDoc& Doc() { return *Frame().TodoDoc(); }
    CTavTodoLeftView& List() { return *Frame().LeftView(); }
    CTavTodoCommands& Commands() { return Frame().Commands(); }
    CTavDbTodo& Store() { return m_app->TodoStore(); }

    static CTavDbTodoRecord Task(const QString& title, int level, TavTime start = maxDateTime,
                                 TavTime due = maxDateTime, bool completed = false);
    QStringList Titles();
    QList<int> Levels();
    int RowOf(const QString& title);
    const TodoListRow& RowNamed(const QString& title);
    // Clicks a row's cell of that kind (the title by default) and lets queued work run.
    void ClickCell(int row, int kind = CTavTodoLeftView::KindTitle,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Selects the rows of these titles alone.
    void SelectTitles(const QStringList& titles);

private:
    void writeTasks(const QList<CTavDbTodoRecord>& extraTasks);

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};
