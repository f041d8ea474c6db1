#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavDialogBase.h"
#include "CTavFrameActions.h"
#include "CTavMainFrame.h"
#include "CTavProfile.h"
#include "CTavScColorDlg.h"
#include "CTavScDatePickDlg.h"
#include "CTavScDayDoc.h"
#include "CTavScDayFrame.h"
#include "CTavScDayPreview.h"
#include "CTavScDayView.h"
#include "CTavScDeleteDlg.h"
#include "CTavScEditDlg.h"
#include "CTavScEventBox.h"
#include "CTavScMonthCalendar.h"
#include "CTavScRepeatDlg.h"
#include "CTavScRepeatScopeDlg.h"
#include "CTavScTimeEdit.h"
#include "CTavSheetChooserDlg.h"
#include "ScheduleState.h"
#include "ScheduleTestSupport.h"
#include "TavCommandIds.h"
#include "TestSheets.h"

namespace {
const QDate kMonday(2024, 3, 11);

int sec(int h, int m, int s = 0)
{
    return h * 3600 + m * 60 + s;
}

} // namespace

// The day window driven with mouse and keys, with the scope rules of repeating events.
class TestDayView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { AppTestEnv::Finish(m_env, m_app); }
    void createAtClickedHourAndInUntimedBand();
    void resizePastTheDayStopsAtItsEnd();
    void deleteScopesOfWeeklyEvent_data();
    void deleteScopesOfWeeklyEvent();
    void editAllOccurrencesMovedToTuesday();
    void editThisOrFutureOccurrences_data();
    void editThisOrFutureOccurrences();
    void repeatRuleFollowsMovedDate_data();
    void repeatRuleFollowsMovedDate();
    void discardKeepsCutOffsWeek_data();
    void discardKeepsCutOffsWeek();
    void editorValidation_data();
    void editorValidation();
    void editorTimesColourAndSheetLink();
    void maskedPrivateEventNeedsPassword();
    void contextMenuSteppingAndPickers();
    void screenshots();
    void marksCountEventsOutOfSight();
    void datePickerMonthTitleAndEventDays();

private:
    uint32_t addEvent(const QString& desc, const QDate& day, int h1, int m1, int h2, int m2,
                      bool isPrivate = false, uint8_t weekly = 0);
    uint32_t addWeekly(const QString& desc, const QDate& first, uint8_t mask)
    {
        return addEvent(desc, first, 10, 0, 11, 0, false, mask);
    }
    void refresh() { emit m_state->changed(); }
    CTavScEventBox* box(const QString& text) const;
    QRect onScreen(const CTavComScheduleBox* box) const;
    QPoint centre(const QString& text) const { return onScreen(box(text)).center(); }
    void click(const QString& text)
    {
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, centre(text));
    }
    QPoint timedPoint(int seconds) const;
    CTavDbDateRecord* record(uint32_t id) const
    {
        return static_cast<CTavDbDateRecord*>(m_app->DateStore().FindRecord(id));
    }

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScDayFrame* m_frame = nullptr;
    CTavScDayView* m_view = nullptr;
    ScheduleState* m_state = nullptr;
};

void TestDayView::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(kMonday, QTime(10, 0)), m_env, m_app));
    m_app->SwitchModule(TavModule::Day);
    m_frame = qobject_cast<CTavScDayFrame*>(m_app->Frame(TavSlot::Day));
    QVERIFY(m_frame);
    m_view = m_frame->View();
    m_state = &ScheduleState::Of(*m_app);
    QTest::qWait(1);
    QCOMPARE(m_state->CurrentDay(), kMonday);
    QVERIFY(m_view->viewport()->height() > 300);
}

// A weekday mask makes the event repeat weekly from its day on.
uint32_t TestDayView::addEvent(const QString& desc, const QDate& day, int h1, int m1, int h2, int m2,
                               bool isPrivate, uint8_t weekly)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(at(day, h1, m1));
    r.SetEndTime(at(day, h2, m2));
    r.SetPrivate(isPrivate);
    if (weekly) {
        r.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
        r.SetInterval(1);
        r.SetWeekDayMask(weekly);
        r.SetDayIndex(1);
    } else {
        r.SetAlarmAdvance(5);
    }
    [&] { QCOMPARE(m_app->DateStore().AddRecord(r), TavStatusCode::Ok); }();
    return r.GetUniqueId();
}

CTavScEventBox* TestDayView::box(const QString& text) const
{
    for (int c = 0; c < m_view->GetColumCount(); ++c) {
        for (const auto* list : {&m_view->GetColum(c)->GetBoxes(), &m_view->GetColum(c)->GetNoTimeBoxes()}) {
            for (const auto& b : *list) {
                if (b->GetText() == text)
                    return static_cast<CTavScEventBox*>(b.get());
            }
        }
    }
    return nullptr;
}

QRect TestDayView::onScreen(const CTavComScheduleBox* b) const
{
    const CTavComGridGeometry& geo = m_view->Geometry();
    const QPoint topLeft =
        b->IsNoTime() ? geo.NoTimeToView(b->GetRect().topLeft()) : geo.TimedToView(b->GetRect().topLeft());
    return QRect(topLeft, b->GetRect().size());
}

QPoint TestDayView::timedPoint(int seconds) const
{
    const CTavComGridGeometry& geo = m_view->Geometry();
    return QPoint(geo.TimedRect().center().x(), geo.TimedToView(QPoint(0, geo.Scale().TimeToY(seconds))).y());
}

void TestDayView::createAtClickedHourAndInUntimedBand()
{
    m_env->AnswerDialog(
        answer<CTavScEditDlg>([](CTavScEditDlg& e) { e.TitleEdit()->setText(QStringLiteral("打合せ")); }));
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, timedPoint(sec(14, 20)));
    const CTavScEventBox* created = box(QStringLiteral("打合せ"));
    QVERIFY(created && created->Record()->GetStartTime() == at(kMonday, 14, 0));
    QCOMPARE(created->Record()->GetEndTime(), at(kMonday, 15, 0));

    // A double click in the band makes an untimed event.
    const QPoint band = m_view->Geometry().NoTimeRect().center();
    m_env->AnswerDialog(
        answer<CTavScEditDlg>([](CTavScEditDlg& e) { e.TitleEdit()->setText(QStringLiteral("休み")); }));
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, band);
    CTavScEventBox* untimed = box(QStringLiteral("休み"));
    QVERIFY(untimed && untimed->IsNoTime());
    QCOMPARE(untimed->Record()->GetStartDate(), kMonday);

    // Ctrl+N with the focus in the right pane, after a click at 8:00, starts there; cancel changes nothing.
    m_env->AnswerDialog(answer<CTavScEditDlg>([](CTavScEditDlg& e) {
        QVERIFY(e.StartEdit()->time() == QTime(8, 0) && !e.UntimedBox()->isChecked());
        e.reject();
    }));
    QTest::keyClick(m_view, Qt::Key_Home);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, timedPoint(sec(8, 10)));
    m_app->MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app->MainFrame()));
    m_frame->Preview()->OverlayButton()->setFocus();
    QTest::keyClick(m_frame->Preview()->OverlayButton(), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(m_env->AllAnswersUsed());
    QCOMPARE(m_app->DateStore().GetRecordCount(), 2);
}

// Dragging the bottom edge past the end of the day stops at 23:55:55, as one undo step.
void TestDayView::resizePastTheDayStopsAtItsEnd()
{
    QTest::keyClick(m_view, Qt::Key_End);
    const uint32_t late = addEvent(QStringLiteral("夜"), kMonday, 21, 0, 22, 0);
    refresh();
    click(QStringLiteral("夜"));
    const QRect r = onScreen(box(QStringLiteral("夜")));
    const QPoint edge(r.center().x(), r.bottom());
    const QPoint below(edge.x(), m_view->viewport()->height() + 40);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(m_view->viewport(), edge + QPoint(0, m_view->Geometry().Scale().HourHeight()));
    QTest::mouseMove(m_view->viewport(), below);
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(record(late)->GetStartTime(), at(kMonday, 21, 0));
    QCOMPARE(record(late)->GetEndTime(), at(kMonday, 23, 55, 55));
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("予定の時間変更"));
    QCOMPARE(record(late)->GetEndTime(), at(kMonday, 22, 0));
}

void TestDayView::deleteScopesOfWeeklyEvent_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("held"); // which of last week, today and next week still hold the event
    QTest::newRow("this occurrence") << int(CTavScRepeatScopeDlg::ThisOnly) << "x-x";
    QTest::newRow("this and future") << int(CTavScRepeatScopeDlg::Future) << "x--";
    QTest::newRow("all") << int(CTavScRepeatScopeDlg::All) << "---";
    QTest::newRow("cancel") << int(CTavScRepeatScopeDlg::Cancel) << "xxx";
}

void TestDayView::deleteScopesOfWeeklyEvent()
{
    QFETCH(int, scope);
    const uint32_t id = addWeekly(QStringLiteral("定例"), kMonday.addDays(-7), 1 << 1);
    CTavDbDate& store = m_app->DateStore();
    const auto held = [&] {
        QString weeks;
        for (int week : {-7, 0, 7})
            weeks += store.GetRecordCount() &&
                             store.IsRepeatTarget(*record(id), CTavDbTime::dayKey(kMonday.addDays(week)))
                         ? u'x'
                         : u'-';
        return weeks;
    };
    refresh();
    click(QStringLiteral("定例"));
    m_env->AnswerDialog(scope == CTavScRepeatScopeDlg::Cancel ? AppTestEnv::PressCancel()
                                                              : scopeAnswer(scope));
    if (scope == CTavScRepeatScopeDlg::All)
        m_env->AnswerDialog(
            answer<CTavScDeleteDlg>([](CTavScDeleteDlg& confirm) { QVERIFY(confirm.Archive()); }));
    QTest::keyClick(m_view, Qt::Key_Delete);
    QVERIFY(m_env->AllAnswersUsed());
    QTEST(held(), "held");
    QCOMPARE(store.GetRecordCount(), scope == CTavScRepeatScopeDlg::All ? 0 : 1);
    QCOMPARE(box(QStringLiteral("定例")) != nullptr, scope == CTavScRepeatScopeDlg::Cancel);
    if (scope == CTavScRepeatScopeDlg::Cancel)
        return;
    // Whatever the scope, one undo gives the whole series back.
    undoStep(*m_app, TavCmd::EditUndo, QStringLiteral("予定の削除"));
    QCOMPARE(held(), QStringLiteral("xxx"));
    QVERIFY(box(QStringLiteral("定例")));
    QVERIFY(!m_app->MainFrame()->Actions().Action(TavCmd::EditUndo)->isEnabled());
}

void TestDayView::editAllOccurrencesMovedToTuesday()
{
    const uint32_t id = addWeekly(QStringLiteral("練習"), kMonday.addDays(-7), (1 << 1) | (1 << 3));
    record(id)->AddException(kMonday.addDays(7)); // deleted before: stays deleted after the move
    record(id)->AddException(kMonday.addDays(9)); // a Wednesday: stays where it is
    refresh();
    click(QStringLiteral("練習"));
    // Unchanged: no scope question.
    m_env->AnswerDialog(answer<CTavScEditDlg>([](CTavScEditDlg&) {}));
    m_frame->EditAction()->trigger();
    QCOMPARE(m_env->DialogTitles().size(), 1);
    // Every occurrence to the editor's new day, with no rule left when asked.
    const auto editAll = [this](int toDay, bool single = false) {
        click(QStringLiteral("練習"));
        m_env->AnswerDialog(answer<CTavScEditDlg>([=](CTavScEditDlg& e) {
            if (single)
                e.SetRule(CTavScRepeatRule());
            e.DateEdit()->setDate(kMonday.addDays(toDay));
        }));
        m_env->AnswerDialog(scopeAnswer(CTavScRepeatScopeDlg::All));
        m_frame->EditAction()->trigger();
    };
    editAll(1);
    QVERIFY(m_env->AllAnswersUsed());

    // Monday moves to Tuesday, Wednesday stays; the window follows the event to its new day.
    QCOMPARE(m_app->DateStore().GetRecordCount(), 1);
    QCOMPARE(record(id)->GetWeekDayMask(), uint8_t((1 << 2) | (1 << 3)));
    QCOMPARE(record(id)->GetStartDate(), kMonday.addDays(-6));
    QCOMPARE(record(id)->GetExceptions(), (QList<QDate>{kMonday.addDays(8), kMonday.addDays(9)}));
    QCOMPARE(m_state->CurrentDay(), kMonday.addDays(1));
    QVERIFY(box(QStringLiteral("練習")));

    // The Wednesdays move to Thursday; the Tuesdays stay, and so does the series' start.
    m_state->GoToDate(kMonday.addDays(2));
    editAll(3);
    QCOMPARE(record(id)->GetWeekDayMask(), uint8_t((1 << 2) | (1 << 4)));
    QCOMPARE(record(id)->GetStartDate(), kMonday.addDays(-6));
    QCOMPARE(record(id)->GetExceptions(), (QList<QDate>{kMonday.addDays(8), kMonday.addDays(10)}));
    QVERIFY(box(QStringLiteral("練習")));

    // No repeat left: the one event is on the day the editor showed.
    editAll(3, true);
    QVERIFY(!record(id)->IsRepeating());
    QCOMPARE(record(id)->GetStartDate(), kMonday.addDays(3));
    QCOMPARE(m_state->CurrentDay(), kMonday.addDays(3));
}

void TestDayView::editThisOrFutureOccurrences_data()
{
    QTest::addColumn<int>("scope");
    QTest::newRow("this occurrence") << int(CTavScRepeatScopeDlg::ThisOnly);
    QTest::newRow("this and future, date moved") << int(CTavScRepeatScopeDlg::Future);
}

void TestDayView::editThisOrFutureOccurrences()
{
    QFETCH(int, scope);
    const bool future = scope == CTavScRepeatScopeDlg::Future;
    const uint32_t id = addWeekly(QStringLiteral("定例"), kMonday.addDays(-7), 1 << 1);
    record(id)->AddException(kMonday.addDays(14));
    refresh();
    click(QStringLiteral("定例"));
    // HotSync stays locked until the editor closes, also after the scope question has closed.
    QList<int> sync;
    m_env->AnswerDialog([&](CTavDialogBase& d) {
        auto* e = qobject_cast<CTavScEditDlg*>(&d);
        e->TitleEdit()->setText(QStringLiteral("定例 (臨時)"));
        e->StartEdit()->setTime(QTime(13, 0));
        e->EndEdit()->setTime(QTime(14, 30));
        if (future)
            e->DateEdit()->setDate(kMonday.addDays(1));
        sync << m_app->readyForSync();
        e->accept();
        sync << m_app->readyForSync();
        return e->result();
    });
    m_env->AnswerDialog(scopeAnswer(scope));
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, centre(QStringLiteral("定例")));
    QVERIFY(m_env->AllAnswersUsed());
    QCOMPARE(sync << m_app->readyForSync(), (QList<int>{0, 0, 1}));

    // The rest of the rule goes on from the occurrence, not from the day the picker shows.
    QCOMPARE(m_app->DateStore().GetRecordCount(), 2);
    QCOMPARE(record(id)->GetDesc(), QStringLiteral("定例"));
    QCOMPARE(record(id)->IsException(kMonday), !future);
    CTavScEventBox* added = box(QStringLiteral("定例 (臨時)"));
    QVERIFY(added && added->Record()->IsRepeating() == future);
    // An occurrence deleted before stays deleted in the series split off.
    QCOMPARE(added->Record()->IsException(kMonday.addDays(14)), future);
    QCOMPARE(added->Record()->GetEndTime(), at(kMonday, 14, 30));
}

void TestDayView::repeatRuleFollowsMovedDate_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDate>("moved");
    QTest::addColumn<QDate>("next");
    // Picked on Monday 11 March, the second Monday, before the date moves.
    QTest::newRow("weekly") << int(CTavScRepeatRule::Weekly) << QDate(2024, 3, 14) << QDate(2024, 3, 21);
    QTest::newRow("monthly by weekday")
        << int(CTavScRepeatRule::Monthly) << QDate(2024, 3, 28) << QDate(2024, 4, 25);
    QTest::newRow("yearly") << int(CTavScRepeatRule::Yearly) << QDate(2024, 5, 20) << QDate(2025, 5, 20);
}

void TestDayView::repeatRuleFollowsMovedDate()
{
    QFETCH(int, kind);
    QFETCH(QDate, moved);
    QFETCH(QDate, next);
    m_env->AnswerDialog(answer<CTavScEditDlg>([moved](CTavScEditDlg& e) {
        e.TitleEdit()->setText(QStringLiteral("当番"));
        e.RepeatButton()->click();
        e.DateEdit()->setDate(moved);
    }));
    m_env->AnswerDialog(answer<CTavScRepeatDlg>([kind](CTavScRepeatDlg& repeat) {
        repeat.KindRadio(kind)->click();
        repeat.ByWeekdayRadio()->click();
    }));
    m_frame->NewAction()->trigger();
    QCOMPARE(m_state->CurrentDay(), moved);
    const CTavScEventBox* created = box(QStringLiteral("当番"));
    QVERIFY(created && m_app->DateStore().IsRepeatTarget(*created->Record(), CTavDbTime::dayKey(next)));
}

void TestDayView::discardKeepsCutOffsWeek_data()
{
    QTest::addColumn<QDate>("cutOff");
    QTest::addColumn<QList<int>>("gone"); // weeks as year * 100 + week
    QTest::addColumn<QList<int>>("kept");
    QTest::newRow("in week 53 of 2020")
        << QDate(2021, 1, 1) << QList<int>{202052} << QList<int>{202053, 202101};
    QTest::newRow("in week 1 of 2025") << QDate(2024, 12, 30) << QList<int>{202452} << QList<int>{202501};
}

void TestDayView::discardKeepsCutOffsWeek()
{
    QFETCH(QDate, cutOff);
    QFETCH(QList<int>, gone);
    QFETCH(QList<int>, kept);
    CTavDbClock::SetFixed(QDateTime(cutOff.addDays(7), QTime(10, 0))); // one week back
    CTavDbDate& store = m_app->DateStore();
    for (int key : gone + kept)
        store.AddWeekInfo(CTavDbDateWeekRecord(key / 100, key % 100));
    // Months go by the cut-off's own year.
    const QDate monthBefore = cutOff.addMonths(-1);
    store.AddMonthInfo(CTavDbDateMonthRecord(monthBefore.year(), monthBefore.month()));
    store.AddMonthInfo(CTavDbDateMonthRecord(cutOff.year(), cutOff.month()));
    m_env->AnswerDialog(answer<CTavDialogBase>());
    m_frame->DiscardAction()->trigger();
    CTavDbDateWeekRecord week;
    for (int key : gone + kept)
        QCOMPARE(store.GetWeekInfo(key / 100, key % 100, week) == TavStatusCode::Ok, kept.contains(key));
    CTavDbDateMonthRecord month;
    QCOMPARE(store.GetMonthInfo(monthBefore.year(), monthBefore.month(), month), TavStatusCode::NotFound);
    QCOMPARE(store.GetMonthInfo(cutOff.year(), cutOff.month(), month), TavStatusCode::Ok);
}

void TestDayView::editorValidation_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("end");
    QTest::addColumn<bool>("untimed");
    QTest::addColumn<QDate>("repeatEnd");
    QTest::addColumn<bool>("refused");
    QTest::newRow("no title") << QString() << QTime(9, 0) << QTime(10, 0) << false << QDate() << true;
    QTest::newRow("end before start")
        << QStringLiteral("a") << QTime(10, 0) << QTime(9, 55) << false << QDate() << true;
    QTest::newRow("untimed ignores times")
        << QStringLiteral("a") << QTime(10, 0) << QTime(9, 55) << true << QDate() << false;
    QTest::newRow("repeat ends before start")
        << QStringLiteral("a") << QTime(9, 0) << QTime(10, 0) << false << kMonday.addDays(-1) << true;
    QTest::newRow("title of 255 bytes")
        << QString(127, QChar(0x3042)) + u'x' << QTime(9, 0) << QTime(9, 0) << false << QDate() << false;
}

void TestDayView::editorValidation()
{
    QFETCH(QString, title);
    QFETCH(QTime, start);
    QFETCH(QTime, end);
    QFETCH(bool, untimed);
    QFETCH(QDate, repeatEnd);
    QFETCH(bool, refused);
    auto record = m_state->MakeNewEvent();
    CTavScEditDlg editor(*m_state);
    editor.SetRecord(record.get(), false);
    editor.TitleEdit()->setText(title);
    editor.StartEdit()->setTime(start);
    editor.EndEdit()->setTime(end);
    editor.UntimedBox()->setChecked(untimed);
    if (repeatEnd.isValid()) {
        CTavScRepeatRule rule;
        rule.kind = CTavScRepeatRule::Daily;
        rule.hasEnd = true;
        rule.endDate = repeatEnd;
        editor.SetRule(rule);
    }
    editor.show();
    editor.accept();
    QCOMPARE(m_env->Messages().size(), refused ? 1 : 0);
    QCOMPARE(editor.isVisible(), refused);
    QCOMPARE(record->GetDesc(), refused ? QString() : title);
    if (!refused)
        QCOMPARE(record->Validate(), TavStatusCode::Ok);
}

void TestDayView::editorTimesColourAndSheetLink()
{
    CTavDbDateRecord late;
    late.SetStartTime(at(kMonday, 23, 30));
    late.SetEndTime(at(kMonday, 23, 30));
    CTavScEditDlg editor(*m_state);
    editor.SetRecord(&late, false);
    QCOMPARE(editor.EndEdit()->time(), QTime(23, 55)); // an empty event gets what fits the day
    QVERIFY(!editor.AdvanceSpin()->isEnabled());

    CTavDbDateRecord untimed;
    untimed.SetStartTime(at(kMonday, 0, 0));
    untimed.SetUntimed(true);
    editor.SetRecord(&untimed, false);
    QCOMPARE(editor.StartEdit()->time(), QTime(9, 0));
    QVERIFY(!editor.StartEdit()->isEnabled());
    editor.UntimedBox()->setChecked(false);
    editor.AlarmBox()->setChecked(true);
    // An emptied count is 0 at once, not the count before.
    editor.AdvanceSpin()->selectAll();
    QTest::keyClick(editor.AdvanceSpin(), Qt::Key_Backspace);
    QCOMPARE(editor.AdvanceSpin()->value(), 0);
    editor.TitleEdit()->setText(QStringLiteral("定期点検"));
    editor.NoteEdit()->setPlainText(QStringLiteral("工具を持参"));
    editor.show();
    AppTestEnv::Screenshot(&editor, QStringLiteral("event-editor"));

    const QString folder = m_app->Users().GetCurrUserPath() + CTavDbEnv::GetQuillosDir();
    QVERIFY(QDir().mkpath(folder));
    // Only memo sheets are offered: not overlays, not files that are no sheets.
    QVERIFY(TestSheets::write(folder + QStringLiteral("/旅行メモ.pdb"), CTavDbFreePdbObjectManager::TypeSheet,
                              QStringLiteral("京都旅行"), Qt::darkRed));
    QVERIFY(TestSheets::write(folder + QStringLiteral("/overlay.pdb"),
                              CTavDbFreePdbObjectManager::TypeOverlay, QStringLiteral("重ね")));
    for (const char* name : {"/empty.pdb", "/notes.txt"})
        QVERIFY(TestDataDir::WriteFile(folder + QLatin1String(name), {}));
    auto record = m_state->MakeNewEvent(); // the same editor on a new event
    editor.SetRecord(record.get(), false);
    editor.TitleEdit()->setText(QStringLiteral("旅行"));

    m_env->AnswerDialog(answer<CTavScColorDlg>([](CTavScColorDlg& c) { c.Swatches().at(3)->click(); }));
    m_env->AnswerDialog(answer<CTavSheetChooserDlg>([this](CTavSheetChooserDlg& sheets) {
        QCOMPARE(sheets.List()->topLevelItemCount(), 1);
        QCOMPARE(sheets.List()->topLevelItem(0)->text(0), QStringLiteral("京都旅行"));
        m_env->AnswerMessage(TavMsg::IdOk);
        sheets.accept(); // nothing chosen yet: the user is asked to choose
        QCOMPARE(m_env->Messages().last(), CTavSheetChooserDlg::kChooseOne);
        QVERIFY(sheets.SelectSheet(QStringLiteral("旅行メモ")));
        AppTestEnv::Screenshot(&sheets, QStringLiteral("sheet-chooser"));
    }));
    editor.ColorButton()->click();
    editor.SheetButton()->click();
    QVERIFY(m_env->AllAnswersUsed());
    editor.accept();
    bool set = false;
    uint32_t colour = 0;
    record->GetTextColor(set, colour);
    QVERIFY(set);
    QCOMPARE(colour, CTavScColorDlg::Palette().at(3));
    QCOMPARE(record->GetSheetName(), QStringLiteral("旅行メモ"));

    // "No colour" takes the colour away again; a cancelled choice keeps the link.
    CTavScEditDlg again(*m_state);
    again.SetRecord(record.get(), true);
    m_env->AnswerDialog(answer<CTavScColorDlg>([](CTavScColorDlg& c) { c.NoColorButton()->click(); }));
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    again.ColorButton()->click();
    again.SheetButton()->click();
    again.accept();
    record->GetTextColor(set, colour);
    QVERIFY(!set);
    QCOMPARE(record->GetSheetName(), QStringLiteral("旅行メモ"));
}

void TestDayView::maskedPrivateEventNeedsPassword()
{
    QCOMPARE(m_app->Users().SetPassword(QStringLiteral("Hanako"), QStringLiteral("himitsu")),
             TavStatusCode::Ok);
    const uint32_t id = addEvent(QStringLiteral("通院"), kMonday, 10, 0, 11, 0, true);
    m_app->setPrivateModeValue(1);
    refresh();
    click(QStringLiteral("通院"));
    QVERIFY(m_state->selectedEvent);

    // A wrong password is refused and asked again; cancel ends the command.
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("wrong")));
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    m_frame->EditAction()->trigger();
    QCOMPARE(m_env->Messages(), QStringList{QStringLiteral("パスワードが無効です。")});
    QCOMPARE(m_env->DialogTitles().size(), 2);
    QVERIFY(m_env->AllAnswersUsed());

    // The right one opens the editor; a moved box asks again before it changes the store.
    m_env->ClearRecords();
    m_env->AnswerDialog(AppTestEnv::TypePassword(QStringLiteral("himitsu")));
    m_env->AnswerDialog(answer<CTavScEditDlg>(
        [](CTavScEditDlg& e) { e.TitleEdit()->setText(QStringLiteral("通院 (歯科)")); }));
    m_frame->EditAction()->trigger();
    QVERIFY(m_env->AllAnswersUsed());
    QCOMPARE(record(id)->GetDesc(), QStringLiteral("通院 (歯科)"));

    m_env->AnswerDialog(AppTestEnv::PressCancel());
    QVERIFY(!m_state->MoveEvent(m_view, *record(id), sec(12, 0), sec(13, 0), false));
    QCOMPARE(record(id)->GetStartTime(), at(kMonday, 10, 0));
    m_app->setPrivateModeValue(0);
    QVERIFY(m_state->MoveEvent(m_view, *record(id), sec(13, 0), sec(12, 0), false));
    QCOMPARE(record(id)->GetStartTime(), at(kMonday, 12, 0));
    QCOMPARE(record(id)->GetEndTime(), at(kMonday, 13, 0));
}

void TestDayView::contextMenuSteppingAndPickers()
{
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("StartDayOfWeek"), 1);
    addEvent(QStringLiteral("会議"), kMonday, 10, 0, 11, 0);
    refresh();
    // An empty hour offers only "new"; an event offers delete and edit.
    QTest::mousePress(m_view->viewport(), Qt::RightButton, {}, timedPoint(sec(15, 10)));
    QCOMPARE(m_state->selectedHour, 15);
    QCOMPARE(m_view->ContextMenu()->actions().size(), 1);
    m_view->ContextMenu()->close();
    QTest::mousePress(m_view->viewport(), Qt::RightButton, {}, centre(QStringLiteral("会議")));
    QVERIFY(m_state->selectedEvent);
    QCOMPARE(m_view->ContextMenu()->actions().size(), 3);
    m_view->ContextMenu()->close();

    m_frame->NextButton()->click();
    QCOMPARE(m_state->CurrentDay(), kMonday.addDays(1));
    QVERIFY(!m_state->selectedEvent);
    QVERIFY(!box(QStringLiteral("会議")));
    m_env->AnswerDialog(answer<CTavScDatePickDlg>([](CTavScDatePickDlg& pick) {
        QVERIFY(pick.Date() == kMonday.addDays(1) && pick.Calendar()->firstDayOfWeek() == Qt::Monday);
        pick.Calendar()->setSelectedDate(QDate(2024, 12, 24));
    }));
    m_frame->CalendarButton()->click();
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 12, 24));
    // The repeat rule's end-date calendar starts the week on the same day.
    m_env->AnswerDialog(answer<CTavScDatePickDlg>(
        [](CTavScDatePickDlg& pick) { QCOMPARE(pick.Calendar()->firstDayOfWeek(), Qt::Monday); }));
    CTavScRepeatDlg repeat;
    repeat.findChild<QPushButton*>(QStringLiteral("endCalendarButton"))->click();
    QVERIFY(m_env->AllAnswersUsed());
    m_frame->TodayButton()->click();
    QCOMPARE(m_state->CurrentDay(), kMonday);
    m_state->GoToDate(CTavDbTime::lastDate());
    QVERIFY(!m_state->NextDay());
    QVERIFY(!m_frame->NextButton()->isEnabled());
    m_state->GoToDate(CTavDbTime::firstDate());
    QVERIFY(!m_state->PreviousDay());
    QCOMPARE(m_state->CurrentDay(), CTavDbTime::firstDate());
}

void TestDayView::screenshots()
{
    addEvent(QStringLiteral("朝会"), kMonday, 9, 0, 9, 30);
    addEvent(QStringLiteral("設計レビュー"), kMonday, 10, 0, 12, 0);
    addEvent(QStringLiteral("顧客訪問"), kMonday, 11, 0, 13, 0);
    addEvent(QStringLiteral("昼食"), kMonday, 12, 0, 13, 0);
    addEvent(QStringLiteral("健康診断"), kMonday, 15, 0, 16, 30, true);
    CTavDbDateRecord* trip = record(addEvent(QStringLiteral("出張"), kMonday, 0, 0, 0, 0));
    trip->SetUntimed(true);
    trip->SetTextColor(true, 0x99FFFF);
    addWeekly(QStringLiteral("週次定例"), kMonday.addDays(-7), 1 << 1);
    refresh();
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-shown"));

    m_app->setPrivateModeValue(1);
    refresh();
    QVERIFY(box(QStringLiteral("健康診断"))->IsMasked());
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-masked"));

    m_app->setPrivateModeValue(2);
    m_app->DateStore().SetPrivateMode(2);
    refresh();
    QVERIFY(!box(QStringLiteral("健康診断")));
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-hidden"));
    QVERIFY(m_frame->Preview()->EditButton()->isEnabled()); // it makes the day's first overlay
}

void TestDayView::marksCountEventsOutOfSight()
{
    QToolButton* above = m_view->AboveMark();
    QToolButton* below = m_view->BelowMark();
    addEvent(QStringLiteral("設計レビュー"), kMonday, 10, 0, 12, 0);
    refresh();
    QVERIFY(above->isHidden() && below->isHidden());

    // The grid opens at 9:00: a 7:00-9:30 event only shows its tail, a 6:00 one nothing.
    addEvent(QStringLiteral("早朝ミーティング"), kMonday, 7, 0, 9, 30);
    addEvent(QStringLiteral("始業前"), kMonday, 6, 0, 6, 30);
    addEvent(QStringLiteral("夜間作業"), kMonday, 22, 0, 23, 0);
    refresh();
    QCOMPARE(above->text(), QStringLiteral("▲ 2件"));
    QCOMPARE(below->text(), QStringLiteral("▼ 1件"));
    QVERIFY(above->isVisible() && below->isVisible());
    const QRect timed = m_view->Geometry().TimedRect();
    QVERIFY(timed.contains(above->geometry()) && timed.contains(below->geometry()));
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-early-event"));

    // Scrolling up by rows counts again: at 6:30 only the 6:00 event starts above.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(m_view, Qt::Key_Up);
    QCOMPARE(m_view->verticalScrollBar()->value(), m_view->Geometry().Scale().TimeToY(sec(6, 30)));
    QCOMPARE(above->text(), QStringLiteral("▲ 1件"));

    // A click brings the earliest hidden start to the top edge, and the mark goes.
    QTest::keyClick(m_view, Qt::Key_Down);
    QTest::mouseClick(above, Qt::LeftButton);
    QCOMPARE(m_view->Geometry().TimeAt(timed.top()), sec(6, 0));
    QVERIFY(above->isHidden());
    QTest::mouseClick(below, Qt::LeftButton);
    QVERIFY(timed.contains(onScreen(box(QStringLiteral("夜間作業")))));
    QVERIFY(below->isHidden());
    QCOMPARE(above->text(), QStringLiteral("▲ 3件"));
}

void TestDayView::datePickerMonthTitleAndEventDays()
{
    const QDate tuesday = kMonday.addDays(1);
    addEvent(QStringLiteral("会議"), kMonday, 10, 0, 11, 0);
    addEvent(QStringLiteral("通院"), tuesday, 10, 0, 11, 0, true);
    addWeekly(QStringLiteral("週次定例"), kMonday.addDays(-7), 1 << 3);
    m_app->setPrivateModeValue(2);
    m_app->DateStore().SetPrivateMode(2);
    refresh();
    // Each page the picker shows: its title, the marked days around it and whether it steps back.
    QStringList pages;
    m_env->AnswerDialog([&pages](CTavDialogBase& d) {
        CTavScMonthCalendar* month = qobject_cast<CTavScDatePickDlg*>(&d)->MonthCalendar();
        const auto page = [month, &pages] {
            const QDate first(month->Calendar()->yearShown(), month->Calendar()->monthShown(), 1);
            QStringList days;
            for (QDate day = first.addDays(-7); day < first.addMonths(1).addDays(7); day = day.addDays(1)) {
                if (month->IsMarked(day))
                    days << day.toString(QStringLiteral("M/d"));
            }
            const bool back = month->findChild<QToolButton*>(QStringLiteral("prevMonthButton"))->isEnabled();
            pages << month->HeaderText() + u' ' + days.join(u',') + (back ? u' ' : u'|');
        };
        d.adjustSize();
        AppTestEnv::Screenshot(&d, QStringLiteral("date-picker"));
        page();
        month->findChild<QToolButton*>(QStringLiteral("nextMonthButton"))->click();
        page();
        month->findChild<QToolButton*>(QStringLiteral("prevYearButton"))->click();
        page();
        month->Calendar()->setCurrentPage(1970, 2);
        month->findChild<QToolButton*>(QStringLiteral("prevYearButton"))->click();
        page();
        return int(QDialog::Rejected);
    });
    m_frame->CalendarButton()->click();
    QVERIFY(m_env->AllAnswersUsed());
    // Hidden private Tuesday unmarked; the weekly event from its first Wednesday on; nothing elsewhere.
    const QStringList expected = {
        QStringLiteral("2024年3月 3/6,3/11,3/13,3/20,3/27 "),
        QStringLiteral("2024年4月 4/3,4/10,4/17,4/24 "),
        QStringLiteral("2023年4月  "),
        QStringLiteral("1970年1月 |"),
    };
    QCOMPARE(pages, expected);
}

QTEST_MAIN(TestDayView)
#include "tst_dayview.moc"
