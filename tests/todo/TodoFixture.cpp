#include "TodoFixture.h"

#include <QTest>

#include "CTavDbClock.h"
#include "CTavDbUser.h"
#include "CTavOptions.h"

namespace {
struct Seed
{
    const char16_t* title;
    int level, start, due; // days from today, or kNone
    bool completed;
    int priority, category; // category: index into kCategories
    bool isPrivate = false;
    const char16_t* note = u"";
    bool sheet = false;
};
constexpr int kNone = 9999;
const char16_t* const kCategories[] = {u"仕事", u"個人", u"家族"};

// Nine top-level tasks, most with sub-items: every level, every state.
const Seed kSeeds[] = {
    {u"企画書を仕上げる", 0, kNone, -2, false, 1, 0},
    {u"構成案を見直す", 1, kNone, 0, false, 2, 0},
    {u"図表を差し替える", 2, 3, kNone, false, 3, 0},
    {u"見積もりを送る", 2, kNone, kNone, true, 2, 0},
    {u"資料を印刷する", 1, kNone, -1, false, 3, 0, false, u"会議室のプリンタで二十部"},
    {u"年末の大掃除", 0, 10, 20, false, 3, 1},
    {u"窓ふき", 1, 10, kNone, false, 4, 1},
    {u"換気扇", 1, -1, 1, false, 4, 1},
    {u"洗剤を買う", 2, kNone, -3, true, 5, 1},
    {u"誕生日プレゼント", 0, kNone, 5, false, 1, 2, true, u"{本人には内緒}"},
    {u"候補を三つ選ぶ", 1, kNone, 2, false, 2, 2, true},
    {u"予算を決める", 1, kNone, -5, false, 2, 2},
    {u"英会話の予習", 0, kNone, kNone, false, 3, 1, false, u"", true},
    {u"単語カード", 1, 1, kNone, false, 3, 1},
    {u"第5課の音読", 2, kNone, 0, false, 4, 1},
    {u"会議室を予約", 0, kNone, -1, false, 2, 0},
    {u"議事録をまとめる", 1, kNone, -1, true, 3, 0},
    {u"引っ越しの準備", 0, 30, kNone, false, 3, 1},
    {u"段ボールを集める", 1, 25, kNone, false, 3, 1},
    {u"歯医者の予約", 0, kNone, -10, false, 1, 1},
    {u"車検", 0, -20, 3, false, 1, 0, false, u"車検証は\r\n助手席の下"},
    {u"タイヤ交換", 1, 2, kNone, false, 2, 0},
    {u"自賠責保険", 2, kNone, kNone, false, 3, 0},
    {u"図書館に返す", 0, kNone, -1, true, 2, 1},
};
static_assert(std::size(kSeeds) == TodoFixture::kTaskCount);
} // namespace

CTavDbTodoRecord TodoFixture::Task(const QString& title, int level, TavTime start, TavTime due,
                                   bool completed)
{
    CTavDbTodoRecord task;
    task.SetDesc(title);
    task.SetIndentLevel(level);
    task.SetStartDate(start);
    task.SetDueDate(due);
    task.SetCompleted(completed);
    task.SetPriority(3);
    return task;
}

void TodoFixture::writeTasks(const QList<CTavDbTodoRecord>& extraTasks)
{
    CTavDbUser users;
    QCOMPARE(users.SetCurrUserName(kUser), TavStatusCode::Ok);
    CTavDbTodo store;
    store.AttachUsers(&users);
    QCOMPARE(store.Load(), TavStatusCode::Ok);
    uint32_t categories[std::size(kCategories)] = {};
    for (size_t i = 0; i < std::size(kCategories); ++i)
        QCOMPARE(store.AddCategory(QString::fromUtf16(kCategories[i]), &categories[i]), TavStatusCode::Ok);
    const auto day = [](int n) { return n == kNone ? maxDateTime : Day(n); };
    for (const Seed& s : kSeeds) {
        auto task = Task(QString::fromUtf16(s.title), s.level, day(s.start), day(s.due), s.completed);
        task.SetPriority(s.priority);
        task.SetCategoryID(categories[s.category]);
        task.SetPrivate(s.isPrivate);
        task.SetNote(QString::fromUtf16(s.note));
        task.SetQuilloName(s.sheet ? QStringLiteral("memo0012") : QString());
        QCOMPARE(store.AddRecordAfter(task, 0), TavStatusCode::Ok);
    }
    for (CTavDbTodoRecord task : extraTasks)
        QCOMPARE(store.AddRecordAfter(task, 0), TavStatusCode::Ok);
    QCOMPARE(store.Write(), TavStatusCode::Ok);
}

void TodoFixture::Start(const QList<CTavDbTodoRecord>& extraTasks)
{
    CTavDbClock::SetFixed(Now());
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(kUser);
    writeTasks(extraTasks);
    m_app = m_env->Start();
    QVERIFY(m_app && m_app->MainFrame());
    m_app->SwitchModule(TavModule::Todo);
    m_app->MainFrame()->resize(1100, 720);
    m_app->MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app->MainFrame()));
    CTavTodoDoc::Settings settings = Doc().GetSettings();
    settings.before = kBefore;
    settings.active = kActive;
    settings.delayed = kDelayed;
    Doc().SetSettings(settings);
}

void TodoFixture::Stop()
{
    AppTestEnv::Finish(m_env, m_app);
    CTavOptions::instance().Reset();
}

QStringList TodoFixture::Titles()
{
    QStringList titles;
    for (const TodoListRow& r : Doc().Rows())
        titles << r.title;
    return titles;
}

QList<int> TodoFixture::Levels()
{
    QList<int> levels;
    for (const TodoListRow& r : Doc().Rows())
        levels << r.level;
    return levels;
}

int TodoFixture::RowOf(const QString& title)
{
    return static_cast<int>(Titles().indexOf(title));
}

const TodoListRow& TodoFixture::RowNamed(const QString& title)
{
    const TodoListRow* row = Doc().Row(RowOf(title));
    if (!row)
        qFatal("no row \"%s\"", qPrintable(title));
    return *row;
}

void TodoFixture::ClickCell(int row, int kind, Qt::KeyboardModifiers modifiers)
{
    List().ScrollToRow(row);
    const QRect cell = List().CellRect(row, kind);
    // A title is clicked clear of its fold mark.
    const int x = kind == CTavTodoLeftView::KindTitle ? cell.right() - 20 : cell.center().x();
    QTest::mouseClick(List().viewport(), Qt::LeftButton, modifiers, QPoint(x, cell.center().y()));
    QCoreApplication::processEvents();
}

void TodoFixture::SelectTitles(const QStringList& titles)
{
    for (const QString& title : titles) {
        QVERIFY2(RowOf(title) >= 0, qPrintable(title));
        ClickCell(RowOf(title), CTavTodoLeftView::KindTitle,
                  title == titles.first() ? Qt::NoModifier : Qt::ControlModifier);
    }
}
