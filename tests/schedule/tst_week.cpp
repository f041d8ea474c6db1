#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "../TavDbMgr/PalmTestSupport.h"
#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbDate.h"
#include "CTavDbText.h"
#include "CTavDialogBase.h"
#include "CTavMainFrame.h"
#include "CTavProfile.h"
#include "CTavScRepeatScopeDlg.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekEventList.h"
#include "CTavScWeekFrame.h"
#include "CTavScWeekLeftView.h"
#include "CTavScWeekRightView.h"
#include "ScheduleState.h"
#include "ScheduleTestSupport.h"
#include "TavCommandIds.h"

namespace {
// A Wednesday whose Sunday-first and Monday-first weeks both begin in April.
const QDate kWednesday(2024, 5, 1);

// A holiday database of the handheld for one year, as the HotSync backup leaves it.
QByteArray holidayFile(int year, const QList<QPair<QDate, QString>>& days)
{
    PalmTest::DbFile file;
    file.creator = PalmTest::code("SaSd");
    file.type = PalmTest::code("HdDy");
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(296, year)}};
    for (const auto& [date, name] : days) {
        QByteArray record = PalmTest::be16(PalmTest::handheldDate(date.year(), date.month(), date.day())) +
                            QByteArray(2, '\0') + CTavDbText::toCp932(name);
        record.resize(72, '\0');
        file.records.append({0x40, uint32_t(file.records.size() + 1), 0, 0, record});
    }
    return file.bytes();
}
} // namespace

// The week window: its seven columns, stepping, moving boxes between days, the right pane.
class TestWeek : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void weekRowFollowsFirstDayAndRange();
    void moveIntoAnotherDayAndUndo();
    void repeatingEventMovedToAnotherDay_data();
    void repeatingEventMovedToAnotherDay();
    void rightPaneListsWeekInOrder();
    void screenshots();

private:
    uint32_t addEvent(const QString& desc, const QDate& day, int h1, int h2, bool weekly = false);
    void setFirstDay(int day)
    {
        CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("StartDayOfWeek"), day);
    }
    void refresh() { emit m_state->changed(); }
    QStringList titles() const;
    const CTavComScheduleBox* box(const QString& text, int column) const;
    QPoint pointIn(int column, int seconds) const;
    void drag(const QPoint& from, const QPoint& to);
    CTavDbDateRecord* record(uint32_t id) const
    {
        return static_cast<CTavDbDateRecord*>(m_app->DateStore().FindRecord(id));
    }

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScWeekFrame* m_frame = nullptr;
    CTavScWeekLeftView* m_view = nullptr;
    ScheduleState* m_state = nullptr;
};

void TestWeek::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(kWednesday, QTime(10, 0)), m_env, m_app));
    m_app->MainFrame()->resize(1024, 768);
    m_app->SwitchModule(TavModule::Week);
    m_frame = qobject_cast<CTavScWeekFrame*>(m_app->Frame(TavSlot::Week));
    QVERIFY(m_frame);
    m_view = m_frame->View();
    m_state = &ScheduleState::Of(*m_app);
    QTest::qWait(1);
    QCOMPARE(m_state->CurrentDay(), kWednesday);
}

void TestWeek::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

uint32_t TestWeek::addEvent(const QString& desc, const QDate& day, int h1, int h2, bool weekly)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(at(day, h1, 0));
    r.SetEndTime(at(day, h2, 0));
    if (weekly) {
        r.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
        r.SetInterval(1);
        r.SetWeekDayMask(uint8_t(1 << (day.dayOfWeek() % 7)));
    }
    [&] { QCOMPARE(m_app->DateStore().AddRecord(r), TavStatusCode::Ok); }();
    return r.GetUniqueId();
}

QStringList TestWeek::titles() const
{
    QStringList out;
    for (int c = 0; c < m_view->GetColumCount(); ++c)
        out << m_view->GetColum(c)->GetTitle();
    return out;
}

const CTavComScheduleBox* TestWeek::box(const QString& text, int column) const
{
    for (const auto& b : m_view->GetColum(column)->GetBoxes()) {
        if (b->GetText() == text)
            return b.get();
    }
    return nullptr;
}

QPoint TestWeek::pointIn(int column, int seconds) const
{
    const CTavComGridGeometry& geo = m_view->Geometry();
    const CTavComScheduleColum* c = m_view->GetColum(column);
    return geo.TimedToView(QPoint(c->GetX() + c->GetWidth() / 2, geo.Scale().TimeToY(seconds)));
}

void TestWeek::drag(const QPoint& from, const QPoint& to)
{
    QWidget* port = m_view->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, from);
    QTest::mouseMove(port, (from + to) / 2);
    QTest::mouseMove(port, to);
    QTest::mouseRelease(port, Qt::LeftButton, {}, to);
}

void TestWeek::weekRowFollowsFirstDayAndRange()
{
    // Sunday first: the row of 1 May starts on Sunday 28 April, with April's events.
    addEvent(QStringLiteral("四月"), QDate(2024, 4, 29), 9, 10);
    refresh();
    QCOMPARE(titles().mid(0, 4), (QStringList{"4/28 (日)", "4/29 (月)", "4/30 (火)", "5/1 (水)"}));
    QVERIFY(box(QStringLiteral("四月"), 1));
    QVERIFY(m_view->GetColum(3)->GetTitleBackColor() != CTavComScheduleColum::kDefaultColor);
    QVERIFY(m_frame->TitleLabel()->text().contains(QStringLiteral("4/28 (日) 〜 5/4 (土)")));

    // Monday first and a Sunday: the week that ends on that Sunday.
    setFirstDay(1);
    m_state->GoToDate(QDate(2024, 3, 17));
    QCOMPARE(titles().first(), QStringLiteral("3/11 (月)"));
    QCOMPARE(titles().last(), QStringLiteral("3/17 (日)"));
    m_frame->PreviousButton()->click();
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 3, 10));
    QCOMPARE(titles().first(), QStringLiteral("3/4 (月)"));

    // Back before the range takes its first day and stops there; its week's Monday stays empty.
    m_state->GoToDate(QDate(1970, 1, 6));
    m_frame->PreviousButton()->click();
    QCOMPARE(m_state->CurrentDay(), CTavDbTime::firstDate());
    QVERIFY(!m_view->ColumnDay(3).isValid());
    QCOMPARE(m_view->ColumnDay(4), CTavDbTime::firstDate());
    QVERIFY(!m_frame->PreviousButton()->isEnabled());
    auto* doc = static_cast<CTavScWeekDoc*>(m_frame->Document());
    QVERIFY(!doc->PreviousWeek());
    // Forward stops on the last day.
    m_state->GoToDate(QDate(2031, 12, 27));
    QVERIFY(doc->NextWeek());
    QCOMPARE(m_state->CurrentDay(), CTavDbTime::lastDate());
    QVERIFY(!doc->NextWeek());
    QVERIFY(!m_frame->NextButton()->isEnabled());
}

void TestWeek::moveIntoAnotherDayAndUndo()
{
    const QDate monday(2024, 4, 29);
    const uint32_t id = addEvent(QStringLiteral("会議"), monday, 10, 11);
    const uint32_t late = addEvent(QStringLiteral("夜"), monday, 22, 23);
    refresh();
    QCOMPARE(m_view->DayColumn(monday), 1);

    // Dropped one column on and an hour later: Tuesday 11:00 to 12:00, and the day follows.
    drag(pointIn(1, 10 * 3600 + 600), pointIn(2, 11 * 3600 + 600));
    QCOMPARE(record(id)->GetStartTime(), at(monday.addDays(1), 11, 0));
    QCOMPARE(record(id)->GetEndTime(), at(monday.addDays(1), 12, 0));
    QCOMPARE(m_state->CurrentDay(), monday.addDays(1));
    QVERIFY(box(QStringLiteral("会議"), 2) && box(QStringLiteral("会議"), 2)->IsSelected());
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("予定の移動"));
    QCOMPARE(record(id)->GetStartTime(), at(monday, 10, 0));
    QVERIFY(box(QStringLiteral("会議"), 1) && !box(QStringLiteral("会議"), 2));
    undoStep(*m_app, TavCmd::EditRedo, QStringLiteral("予定の移動"));
    QCOMPARE(record(id)->GetStartTime(), at(monday.addDays(1), 11, 0));
    // Every schedule window undoes the same steps, in one order.
    m_app->SwitchModule(TavModule::Day);
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("予定の移動"));
    QCOMPARE(record(id)->GetStartTime(), at(monday, 10, 0));
    m_app->SwitchModule(TavModule::Week);
    undoStep(*m_app, TavCmd::EditRedo, QStringLiteral("予定の移動"));

    // An end past midnight on the new day is cut back to 23:55:55.
    QTest::keyClick(m_view, Qt::Key_End);
    drag(pointIn(1, 22 * 3600 + 600), pointIn(5, 23 * 3600 + 600));
    QCOMPARE(record(late)->GetStartTime(), at(monday.addDays(4), 23, 0));
    QCOMPARE(record(late)->GetEndTime(), at(monday.addDays(4), 23, 55, 55));
    // A drop on an empty day's untimed band makes an untimed event there.
    const QRect band = m_view->Geometry().NoTimeRect();
    const QPoint lateBox = pointIn(5, 23 * 3600 + 300);
    drag(lateBox, QPoint(pointIn(6, 0).x(), band.center().y()));
    QVERIFY(record(late)->GetIsUntimed());
    QCOMPARE(record(late)->GetStartDate(), monday.addDays(5));
}

void TestWeek::repeatingEventMovedToAnotherDay_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("held"); // the weekly event on Mondays and Wednesdays of 3 weeks
    QTest::newRow("this occurrence") << int(CTavScRepeatScopeDlg::ThisOnly) << 2 << "M-,-W,M-";
    QTest::newRow("this and future") << int(CTavScRepeatScopeDlg::Future) << 2 << "M-,-W,-W";
    QTest::newRow("all") << int(CTavScRepeatScopeDlg::All) << 1 << "-W,-W,-W";
    QTest::newRow("cancel") << int(CTavScRepeatScopeDlg::Cancel) << 1 << "M-,M-,M-";
}

void TestWeek::repeatingEventMovedToAnotherDay()
{
    QFETCH(int, scope);
    const QDate monday(2024, 4, 29);
    const uint32_t id = addEvent(QStringLiteral("定例"), monday.addDays(-7), 9, 10, true);
    const CTavDbDateRecord before = *record(id);
    refresh();
    m_env->AnswerDialog(scope == CTavScRepeatScopeDlg::Cancel ? AppTestEnv::PressCancel()
                                                              : scopeAnswer(scope));
    drag(pointIn(1, 9 * 3600 + 600), pointIn(3, 14 * 3600 + 600));
    QVERIFY(m_env->AllAnswersUsed());

    CTavDbDate& store = m_app->DateStore();
    QTEST(store.GetRecordCount(), "records");
    // The occurrence is on Wednesday at the dropped time (for all occurrences as for one).
    const CTavComScheduleBox* moved = box(QStringLiteral("定例"), 3);
    QCOMPARE(moved != nullptr, scope != CTavScRepeatScopeDlg::Cancel);
    if (moved)
        QCOMPARE(CTavDbTime::toTime(moved->GetStartTime()), QTime(14, 0));
    const auto held = [&] {
        QStringList weeks;
        for (int week : {-7, 0, 7, 0}) {
            m_state->GoToDate(monday.addDays(week));
            weeks << QString(box(QStringLiteral("定例"), 1) ? "M" : "-") +
                         (box(QStringLiteral("定例"), 3) ? "W" : "-");
        }
        return weeks.mid(0, 3).join(u',');
    };
    QTEST(held(), "held");
    if (scope == CTavScRepeatScopeDlg::Cancel)
        return;
    // One undo gives the series back as it was.
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("予定の移動"));
    QCOMPARE(store.GetRecordCount(), 1);
    QVERIFY(record(id)->IsEqualPdt(before));
    QCOMPARE(held(), QStringLiteral("M-,M-,M-"));
}

void TestWeek::rightPaneListsWeekInOrder()
{
    const QDate monday(2024, 4, 29);
    addEvent(QStringLiteral("夕会"), monday, 17, 18);
    addEvent(QStringLiteral("朝会"), monday, 9, 10);
    addEvent(QStringLiteral("金曜"), monday.addDays(4), 13, 14);
    addEvent(QStringLiteral("来週"), monday.addDays(7), 13, 14);
    const uint32_t secret = addEvent(QStringLiteral("通院"), monday.addDays(1), 8, 9);
    record(secret)->SetPrivate(true);
    record(addEvent(QStringLiteral("休み"), monday, 0, 0))->SetUntimed(true);
    m_app->setPrivateModeValue(1);
    refresh();

    QStringList shown;
    for (const CTavScWeekEventList::Line& line : m_frame->RightView()->List()->Lines())
        shown << (line.isDay ? line.text
                             : (line.masked ? QStringLiteral("*") : line.time + u' ' + line.text));
    QCOMPARE(shown, (QStringList{"4/28 (日)", "4/29 (月)", " 休み", "9:00 朝会", "17:00 夕会", "4/30 (火)",
                                 "*", "5/1 (水)", "5/2 (木)", "5/3 (金)", "13:00 金曜", "5/4 (土)"}));

    // A click on Friday's event goes to Friday and selects its box in the grid.
    CTavScWeekEventList* list = m_frame->RightView()->List();
    QTest::mouseClick(list, Qt::LeftButton, {}, list->LineRect(10).center());
    QCOMPARE(m_state->CurrentDay(), monday.addDays(4));
    QVERIFY(box(QStringLiteral("金曜"), 5)->IsSelected() && m_frame->EditAction()->isEnabled());

    // A sheet linked to the week is found again by its year and week number, and undone in one step.
    CTavScWeekRightView* pane = m_frame->RightView();
    QVERIFY(pane->LinkSheet(QStringLiteral("20240501OverPC")));
    CTavDbDateWeekRecord info;
    QCOMPARE(m_app->DateStore().GetWeekInfo(2024, 18, info), TavStatusCode::Ok);
    QCOMPARE(info.GetSheetName(), QStringLiteral("20240501OverPC"));
    QVERIFY(pane->findChild<QLabel*>(QStringLiteral("sheetLinkLabel"))->text().endsWith("20240501OverPC"));
    QVERIFY(pane->LinkSheet(QStringLiteral("20240502OverPC")));
    QCOMPARE(pane->SheetName(), QStringLiteral("20240502OverPC"));
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("手書きメモのリンク"));
    QCOMPARE(pane->SheetName(), QStringLiteral("20240501OverPC"));
    m_frame->NextButton()->click();
    QVERIFY(pane->SheetName().isEmpty());
}

void TestWeek::screenshots()
{
    // Golden Week from the handheld's holiday database, with six-day labels off and weekday colours on.
    const QString folder = CTavDbBackupFolder::Path(m_app->Users());
    QDir().mkpath(folder);
    QVERIFY(PalmTest::writeFile(folder + QStringLiteral("Holiday2024.pdb"),
                                holidayFile(2024, {{{2024, 4, 29}, "昭和の日"},
                                                   {{2024, 5, 3}, "憲法記念日"},
                                                   {{2024, 5, 4}, "みどりの日"},
                                                   {{2024, 5, 5}, "こどもの日"},
                                                   {{2024, 5, 6}, "振替休日"}})));
    CTavDbBackupFolder::MarkChanged();
    CTavScDayStyle& style = m_state->DayStyle();
    style.SetShowHolidays(true);
    std::array<bool, 7> on{true, false, false, false, false, false, true};
    style.SetWeekdayColors(on, {TavRgb(0xE0, 0x20, 0x20), 0, 0, 0, 0, 0, TavRgb(0x20, 0x50, 0xE0)});
    setFirstDay(1);
    const QDate monday(2024, 4, 29);
    addEvent(QStringLiteral("朝会"), monday.addDays(1), 9, 10);
    addEvent(QStringLiteral("設計レビュー"), monday.addDays(1), 10, 12);
    addEvent(QStringLiteral("顧客訪問"), monday.addDays(1), 11, 13);
    addEvent(QStringLiteral("週次定例"), monday.addDays(-7), 10, 11, true);
    addEvent(QStringLiteral("帰省"), monday.addDays(4), 13, 15);
    CTavDbDateRecord* trip = record(addEvent(QStringLiteral("旅行"), monday.addDays(5), 0, 0));
    trip->SetUntimed(true);
    trip->SetTextColor(true, 0x99FFFF);
    m_state->GoToDate(kWednesday);
    QCOMPARE(titles().first(), QStringLiteral("4/29 (月)\n昭和の日"));
    QCOMPARE(m_view->GetColum(6)->GetTitleColor(), style.HolidayColor());
    QTest::qWait(1);
    QCOMPARE(m_view->Geometry().MaxScrollX(), 0);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("week-window-1024"));

    m_app->MainFrame()->resize(1920, 1080);
    QTest::qWait(1);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("week-window-fullhd"));
    m_app->MainFrame()->resize(760, 600);
    QTest::qWait(1);
    QVERIFY(m_view->Geometry().MaxScrollX() > 0);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("week-window-narrow"));
}

QTEST_MAIN(TestWeek)
#include "tst_week.moc"
