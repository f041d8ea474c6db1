#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QtEndian>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbDate.h"
#include "CTavDbHolidays.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbPalmDate.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavDialogBase.h"
#include "CTavFrameActions.h"
#include "CTavMainFrame.h"
#include "CTavProfile.h"
#include "CTavScEditDlg.h"
#include "CTavScMonthDoc.h"
#include "CTavScMonthFrame.h"
#include "CTavScMonthLeftView.h"
#include "CTavScMonthPickDlg.h"
#include "CTavScMonthRightView.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

namespace {
const QDate kToday(2024, 3, 13);

// A handheld holiday database of one year in the user's backup folder.
void writeHolidays(CTavApp& app, int year, const QList<QPair<QDate, QString>>& days)
{
    const QString folder = CTavDbBackupFolder::Path(app.Users());
    QVERIFY(QDir().mkpath(folder));
    CTavDbPalmDatabase db;
    QCOMPARE(
        db.Create(folder + QStringLiteral("Holidays.pdb"), CTavDbHolidays::Type, CTavDbHolidays::Creator),
        TavStatusCode::Ok);
    QByteArray header(CTavDbHolidays::HeaderSize, '\0');
    qToBigEndian<uint16_t>(uint16_t(year), header.data() + CTavDbBackupFolder::YearOffset);
    db.AddRecord(header);
    for (const auto& [date, name] : days) {
        QByteArray record(CTavDbHolidays::RecordSize, '\0');
        qToBigEndian<uint16_t>(CTavDbPalmDate::ToHandheld(CTavDbPalmDate::FromDate(date)), record.data());
        record.replace(CTavDbHolidays::NameOffset, CTavDbText::toCp932(name).size(),
                       CTavDbText::toCp932(name));
        db.AddRecord(record);
    }
    QCOMPARE(db.Save(), TavStatusCode::Ok);
    CTavDbBackupFolder::MarkChanged();
}
} // namespace

// The month window: its lists, its drawing and the mouse and keys.
class TestMonth : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void monthStepsKeepTheDayInTheMonth();
    void listsFollowRepeatsAndTheRange();
    void mouseKeysAndContextMenu();
    void newEventPickedMonthAndLinkedSheet();
    void overflowAndMaskedEvents();
    void screenshots();

private:
    uint32_t addEvent(const QString& desc, const QDate& day, int hour, bool isPrivate = false,
                      uint32_t color = 0xFFFFFF);
    int cellOf(const QDate& date) const { return m_doc->Grid().FindDate(date); }
    QPoint cellPoint(const QDate& date) const { return view()->Painter().CellRect(cellOf(date)).center(); }
    CTavScMonthLeftView* view() const { return m_frame->View(); }
    QImage render() const
    {
        QImage image(view()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        view()->Painter().Paint(painter, view()->Scene());
        return image;
    }

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScMonthFrame* m_frame = nullptr;
    CTavScMonthDoc* m_doc = nullptr;
    ScheduleState* m_state = nullptr;
};

void TestMonth::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(kToday, QTime(10, 0)), m_env, m_app));
    m_app->MainFrame()->resize(1024, 768);
    m_app->SwitchModule(TavModule::Month);
    m_frame = qobject_cast<CTavScMonthFrame*>(m_app->Frame(TavSlot::Month));
    QVERIFY(m_frame);
    m_doc = static_cast<CTavScMonthDoc*>(m_frame->Document());
    m_state = &ScheduleState::Of(*m_app);
    QTest::qWait(1);
    QCOMPARE(m_frame->MonthTitle(), QStringLiteral("2024 03")); // the handheld's default format
}

void TestMonth::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

uint32_t TestMonth::addEvent(const QString& desc, const QDate& day, int hour, bool isPrivate, uint32_t color)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(CTavDbTime::fromDateAndTime(day, QTime(hour, 0)));
    r.SetEndTime(CTavDbTime::fromDateAndTime(day, QTime(hour + 1, 0)));
    r.SetPrivate(isPrivate);
    r.SetTextColor(color != 0xFFFFFF, color);
    [&] { QCOMPARE(m_app->DateStore().AddRecord(r), TavStatusCode::Ok); }();
    return r.GetUniqueId();
}

void TestMonth::monthStepsKeepTheDayInTheMonth()
{
    QCOMPARE(CTavScMonthDoc::MonthStep(QDate(2024, 3, 31), -1), QDate(2024, 2, 29));
    QCOMPARE(CTavScMonthDoc::MonthStep(QDate(2023, 3, 31), -1), QDate(2023, 2, 28));
    QCOMPARE(CTavScMonthDoc::MonthStep(QDate(2023, 1, 31), 1), QDate(2023, 2, 28));
    QCOMPARE(CTavScMonthDoc::MonthStep(QDate(2024, 1, 15), -1), QDate(2023, 12, 15));
    QCOMPARE(CTavScMonthDoc::MonthStep(QDate(2031, 12, 5), 1), CTavDbTime::lastDate());
    QCOMPARE(CTavScMonthDoc::MonthStep(QDate(1970, 2, 1), -1), CTavDbTime::firstDate());

    // The buttons and keys rebuild both grids; the handheld's starts on its own weekday.
    m_state->handheld.weekStarts = 1;
    m_state->handheld.monthDateFormat = QStringLiteral("%Y年%#m月");
    m_doc->GoToDate(QDate(2024, 3, 31));
    m_frame->PreviousButton()->click();
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 2, 29));
    QCOMPARE(m_frame->MonthTitle(), QStringLiteral("2024年2月"));
    QCOMPARE(m_state->handheld.calendar.GetMonth(), 2);
    QCOMPARE(m_state->handheld.calendar.GetFirstDayOfWeek(), 1);
    m_doc->GoToDate(QDate(2023, 1, 31));
    QTest::keyClick(view(), Qt::Key_PageDown);
    QCOMPARE(m_state->CurrentDay(), QDate(2023, 2, 28));
    QTest::keyClick(view(), Qt::Key_PageUp);
    QCOMPARE(m_state->CurrentDay(), QDate(2023, 1, 28));
    m_doc->GoToDate(QDate(1970, 1, 20));
    QVERIFY(!m_frame->PreviousButton()->isEnabled());
}

void TestMonth::listsFollowRepeatsAndTheRange()
{
    CTavDbDateRecord daily;
    daily.SetDesc(QStringLiteral("朝練"));
    daily.SetStartTime(CTavDbTime::fromDateAndTime(QDate(2024, 3, 5), QTime(7, 0)));
    daily.SetEndTime(CTavDbTime::fromDateAndTime(QDate(2024, 3, 5), QTime(8, 0)));
    daily.SetMyBrand(CTavDbDateRecord::RepeatDaily);
    daily.SetInterval(1);
    daily.SetEndDate(CTavDbTime::fromDate(QDate(2024, 4, 2)));
    daily.SetExceptions({QDate(2024, 3, 10), QDate(2024, 3, 20)});
    QCOMPARE(m_app->DateStore().AddRecord(daily), TavStatusCode::Ok);
    addEvent(QStringLiteral("歯医者"), QDate(2024, 3, 5), 9);
    emit m_state->changed();
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
        const QDate day = m_doc->Grid().GetCellDate(i);
        const bool repeats = day >= QDate(2024, 3, 5) && day <= QDate(2024, 4, 2) &&
                             day != QDate(2024, 3, 10) && day != QDate(2024, 3, 20);
        const int expected = int(repeats) + int(day == QDate(2024, 3, 5));
        QVERIFY2(m_doc->Events()[i].size() == expected, qPrintable(day.toString(Qt::ISODate)));
    }
    QCOMPARE(m_doc->Events()[cellOf(QDate(2024, 3, 5))].first()->GetDesc(), QStringLiteral("朝練"));

    // A rule without an end reaches December 2031; the cells of January 2032 stay empty.
    daily.SetEndDate(0);
    daily.SetExceptions({});
    QCOMPARE(m_app->DateStore().UpdateRecord(daily), TavStatusCode::Ok);
    m_doc->GoToDate(QDate(2031, 12, 31));
    const int last = cellOf(QDate(2031, 12, 31));
    QCOMPARE(m_doc->Events()[last].size(), qsizetype(1));
    QVERIFY(last < CTavScCalendarGrid::kCells - 1);
    for (int i = last + 1; i < CTavScCalendarGrid::kCells; ++i)
        QVERIFY(m_doc->Events()[i].isEmpty());
    QVERIFY(m_doc->HandheldEvents()[m_state->handheld.calendar.FindDate(QDate(2031, 12, 31))].size() == 1);
}

void TestMonth::mouseKeysAndContextMenu()
{
    const uint32_t id = addEvent(QStringLiteral("会議"), QDate(2024, 3, 13), 10);
    emit m_state->changed();
    // An event line picks the event; the edit and delete commands follow.
    const QRect line = view()->Painter().EventRect(cellOf(kToday), 0);
    QTest::mouseClick(view(), Qt::LeftButton, {}, line.center());
    QVERIFY(m_state->selectedEvent && m_state->selectedEvent->GetUniqueId() == id);
    QVERIFY(m_frame->EditAction()->isEnabled());
    QTest::keyClick(view(), Qt::Key_Right);
    QCOMPARE(m_state->CurrentDay(), kToday.addDays(1));
    QVERIFY(!m_state->selectedEvent && !m_frame->DeleteAction()->isEnabled());
    QTest::keyClick(view(), Qt::Key_Up);
    QCOMPARE(m_state->CurrentDay(), kToday.addDays(-6));

    // A day of the previous month turns the calendar there; a double click opens that day.
    QVERIFY(cellOf(QDate(2024, 2, 27)) >= 0);
    QTest::mouseClick(view(), Qt::LeftButton, {}, cellPoint(QDate(2024, 2, 27)));
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 2, 27));
    QCOMPARE(m_frame->MonthTitle(), QStringLiteral("2024 02"));
    const QPoint next = cellPoint(QDate(2024, 3, 2));
    QTest::mousePress(view(), Qt::LeftButton, {}, next);
    QTest::mouseRelease(view(), Qt::LeftButton, {}, next);
    QTest::mouseDClick(view(), Qt::LeftButton, {}, next);
    QCOMPARE(m_app->currentScheduleView(), TavModule::Day);
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 3, 2));

    // A double click on the weekday header opens nothing, not the day pressed before.
    m_app->SwitchModule(TavModule::Month);
    QTest::keyClick(view(), Qt::Key_Right);
    const QPoint header = view()->Painter().HeaderRect().center();
    QTest::mousePress(view(), Qt::LeftButton, {}, header);
    QTest::mouseRelease(view(), Qt::LeftButton, {}, header);
    QTest::mouseDClick(view(), Qt::LeftButton, {}, header);
    QCOMPARE(m_app->currentScheduleView(), TavModule::Month);
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 3, 3));

    QTest::mousePress(view(), Qt::RightButton, {}, cellPoint(QDate(2024, 3, 20)));
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 3, 20));
    QStringList texts;
    for (QAction* action : view()->ContextMenu()->actions())
        texts << action->text();
    QCOMPARE(texts, QStringList({QStringLiteral("日表示(&D)"), QStringLiteral("週表示(&W)"), QString(),
                                 QStringLiteral("新規予定(&N)...")}));
    view()->ContextMenu()->actions().at(1)->trigger();
    QCOMPARE(m_app->currentScheduleView(), TavModule::Week);
    m_app->SwitchModule(TavModule::Month);
    QTest::keyClick(view(), Qt::Key_Return);
    QCOMPARE(m_app->currentScheduleView(), TavModule::Day);
}

void TestMonth::newEventPickedMonthAndLinkedSheet()
{
    // Ctrl+N on a picked day makes the event there, as one undo step.
    QTest::mouseClick(view(), Qt::LeftButton, {}, cellPoint(QDate(2024, 3, 21)));
    m_env->AnswerDialog(
        answer<CTavScEditDlg>([](CTavScEditDlg& e) { e.TitleEdit()->setText(QStringLiteral("納品")); }));
    QTest::keyClick(view(), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(m_env->AllAnswersUsed());
    const auto& cell = m_doc->Events()[cellOf(QDate(2024, 3, 21))];
    QVERIFY(cell.size() == 1 && cell.first()->GetDesc() == QStringLiteral("納品"));
    CTavFrameActions& actions = m_app->MainFrame()->Actions();
    actions.UpdateCommandUI();
    actions.Trigger(TavCmd::EditUndo);
    QVERIFY(m_doc->Events()[cellOf(QDate(2024, 3, 21))].isEmpty());

    // The month dialog: "this month" after another year, then a month whose days are fewer.
    m_doc->GoToDate(QDate(2024, 3, 31));
    m_env->AnswerDialog(answer<CTavScMonthPickDlg>([](CTavScMonthPickDlg& pick) {
        pick.YearBox()->setValue(2030);
        pick.ThisMonthButton()->click();
        QVERIFY(pick.Year() == 2024 && pick.Month() == 3);
        pick.YearBox()->setValue(2025);
        pick.MonthList()->setCurrentRow(1);
        AppTestEnv::Screenshot(&pick, QStringLiteral("month-pick-dialog"));
    }));
    m_frame->CalendarButton()->click();
    QCOMPARE(m_state->CurrentDay(), QDate(2025, 2, 28));

    // The month's memo sheet: linked, renamed on the same record, and shown.
    CTavScMonthRightView* pane = m_frame->Preview();
    QVERIFY(pane->LinkSheet(QStringLiteral("20250201OverPC")));
    QVERIFY(pane->LinkSheet(QStringLiteral("計画メモ")));
    CTavDbDateMonthRecord info;
    QCOMPARE(m_app->DateStore().GetMonthInfo(2025, 2, info), TavStatusCode::Ok);
    QCOMPARE(info.GetSheetName(), QStringLiteral("計画メモ"));
    m_frame->NextButton()->click();
    QVERIFY(pane->SheetName().isEmpty());
    m_frame->PreviousButton()->click();
    QCOMPARE(pane->SheetName(), QStringLiteral("計画メモ"));
}

void TestMonth::overflowAndMaskedEvents()
{
    for (int h = 8; h < 20; ++h)
        addEvent(QStringLiteral("予定%1").arg(h), QDate(2024, 3, 6), h);
    addEvent(QStringLiteral("通院"), QDate(2024, 3, 7), 9, true);
    emit m_state->changed();
    const CTavScMonthPainter& painter = view()->Painter();
    const int full = cellOf(QDate(2024, 3, 6));
    const int shown = painter.ShownEvents(full, 12);
    QVERIFY(shown >= 2 && shown < 12);
    // The mark takes the line after the last event shown, inside the cell.
    QVERIFY(painter.CellRect(full).contains(painter.EventRect(full, shown)));
    QCOMPARE(painter.EventAt(full, painter.EventRect(full, shown).center(), 12), -1);
    QCOMPARE(CTavScMonthPainter::MoreText(12 - shown), QStringLiteral("他 %1 件").arg(12 - shown));

    // Masked, the private event is a grey bar without text; shown, its text is dark.
    const QRect line = painter.EventRect(cellOf(QDate(2024, 3, 7)), 0);
    const auto colours = [&](bool* dark) {
        const QImage image = render().copy(line);
        QSet<QRgb> set;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                set.insert(image.pixel(x, y) & 0xFFFFFF);
        *dark = std::any_of(set.begin(), set.end(), [](QRgb c) { return qGray(c) < 64; });
        return set;
    };
    bool dark = false;
    m_app->setPrivateModeValue(1);
    QVERIFY(colours(&dark).contains(0x808080) && !dark);
    m_app->setPrivateModeValue(0);
    colours(&dark);
    QVERIFY(dark);
}

void TestMonth::screenshots()
{
    writeHolidays(
        *m_app, 2024,
        {{QDate(2024, 3, 20), QStringLiteral("春分の日")}, {QDate(2024, 4, 29), QStringLiteral("昭和の日")}});
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("DisplayOfHoliday"), 1);
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("OnColorOfWeek0"), 1);
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("ColorOfWeek0"), 0x0000D0);
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("OnColorOfWeek6"), 1);
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("ColorOfWeek6"), 0xC05000);
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("StartDayOfWeek"), 1);
    const QStringList topics = {QStringLiteral("営業会議"),
                                QStringLiteral("週次ミーティング"),
                                QStringLiteral("大阪出張の準備と資料確認"),
                                QStringLiteral("昼食会"),
                                QStringLiteral("Budget review"),
                                QStringLiteral("歓迎会")};
    for (int i = 0; i < 9; ++i)
        addEvent(topics[i % topics.size()], QDate(2024, 3, 19), 8 + i, false, i % 3 ? 0xFFFFFF : 0x99FFFF);
    for (int d = 1; d <= 31; d += 3)
        addEvent(topics[d % topics.size()], QDate(2024, 3, d), 9 + d % 8, d % 5 == 0,
                 d % 4 ? 0xFFFFFF : 0xFFCC99);
    m_app->setPrivateModeValue(1);
    m_state->ReloadPrefs();
    QCOMPARE(m_doc->Grid().GetFirstDayOfWeek(), 1);
    QCOMPARE(m_state->DayStyle().HolidayName(QDate(2024, 3, 20)), QStringLiteral("春分の日"));
    QCOMPARE(m_state->DayStyle().DayColor(m_app->DateStore(), QDate(2024, 3, 20), 0), 0x0000E0u);
    const int small = view()->Painter().ShownEvents(cellOf(QDate(2024, 3, 19)), 10);
    QVERIFY(small >= 3);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("month-window-1024"));
    m_app->MainFrame()->resize(1920, 1080);
    QTest::qWait(1);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("month-window-1920"));
    QVERIFY(view()->Painter().ShownEvents(cellOf(QDate(2024, 3, 19)), 10) > small);
}

QTEST_MAIN(TestMonth)
#include "tst_month.moc"
