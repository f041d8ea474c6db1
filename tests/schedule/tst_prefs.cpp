#include <QTest>
#include <QtWidgets>

#include "../TavDbMgr/PalmTestSupport.h"
#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbDate.h"
#include "CTavDbDateDayRecord.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavFrameActions.h"
#include "CTavMainFrame.h"
#include "CTavProfile.h"
#include "CTavScColorDlg.h"
#include "CTavScDatePickDlg.h"
#include "CTavScDayColorDlg.h"
#include "CTavScDayFrame.h"
#include "CTavScDayView.h"
#include "CTavScDisplayCommands.h"
#include "CTavScHolidayDlg.h"
#include "CTavScPrefsDlg.h"
#include "CTavScWeekColorDlg.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

using Cmd = CTavScDisplayCommands;

namespace {
const QDate kEquinox(2024, 3, 20); // a Wednesday, a holiday of the test's database

AppTestEnv::DialogAnswer pickColor(uint32_t color)
{
    return answer<CTavScColorDlg>([color](CTavScColorDlg& d) {
        d.Swatches().at(CTavScColorDlg::TextPalette().indexOf(color))->click();
    });
}

int datebook(const char* key)
{
    return CTavProfile::GetProfileInt(QStringLiteral("datebook"), QString::fromLatin1(key), -99);
}

QByteArray dated(const QDate& d, const QByteArray& rest)
{
    return PalmTest::be16(PalmTest::handheldDate(d.year(), d.month(), d.day())) + rest;
}
} // namespace

// The handheld's preferences file and the schedule's display commands and dialogs.
class TestPrefs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readsHandheldFile();
    void prefsDialogRules();
    void coloursAndLabels();
    void dayColourIsOneUndoStep();

private:
    void trigger(Cmd::Command id) { m_frame->DisplayCommands()->Action(id)->trigger(); }
    QString title() const { return m_frame->View()->GetColum(0)->GetTitle(); }
    TavColorRef titleColor() const { return m_frame->View()->GetColum(0)->GetTitleColor(); }
    // Writes the user's "ScPrefs.dat" and reads the preferences again.
    void reloadWith(const QByteArray& scPrefs);
    void writeHolidays();

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScDayFrame* m_frame = nullptr;
    ScheduleState* m_state = nullptr;
};

void TestPrefs::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(kEquinox, QTime(10, 0)), m_env, m_app));
    m_frame = qobject_cast<CTavScDayFrame*>(m_app->Frame(TavSlot::Day));
    QVERIFY(m_frame);
    m_state = &ScheduleState::Of(*m_app);
}

void TestPrefs::cleanup()
{
    QVERIFY(m_env->AllAnswersUsed());
    AppTestEnv::Finish(m_env, m_app);
}

void TestPrefs::reloadWith(const QByteArray& scPrefs)
{
    const QString path = CTavScHandheldPrefs::PathForUser(m_app->Users().GetCurrUserPath());
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(PalmTest::writeFile(path, scPrefs));
    m_app->ReloadUserPrefs();
}

// The 2024 holiday file (New Year, the equinox) and a six-day file alternating two labels.
void TestPrefs::writeHolidays()
{
    const QString folder = CTavDbBackupFolder::Path(m_app->Users());
    PalmTest::DbFile file;
    file.creator = PalmTest::code("SaSd");
    file.type = PalmTest::code("HdDy");
    file.records = {{0, 1, 0, 0, PalmTest::yearHeader(296, 2024)}};
    for (const auto& [day, name] : {std::pair(QDate(2024, 1, 1), "元日"), std::pair(kEquinox, "春分の日")})
        file.records.append({0, 0, 0, 0, dated(day, QByteArray(2, '\0') + CTavDbText::toCp932(name))});
    QVERIFY(PalmTest::writeFile(folder + "Holiday.pdb", file.bytes()));
    file.type = PalmTest::code("SbWk");
    file.records = {
        {0, 1, 0, 0,
         PalmTest::yearHeader(392, 2024, 2, {CTavDbText::toCp932("先勝"), CTavDbText::toCp932("大安")})}};
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1))
        file.records.append({0, 0, 0, 0, dated(d, PalmTest::be16(uint16_t(d.dayOfYear() % 2)))});
    QVERIFY(PalmTest::writeFile(folder + "SixDay.pdb", file.bytes()));
    CTavDbBackupFolder::MarkChanged();
}

void TestPrefs::readsHandheldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ScPrefs.dat"));
    CTavScHandheldPrefs prefs = CTavScHandheldPrefs::Read(path);
    QVERIFY(!prefs.holidayColorOn && prefs.weekColorOn[6] && prefs.dayDateFormat == "%Y  %m  %d");
    QCOMPARE(QList<int>({prefs.weekStarts, prefs.startTime, prefs.endTime, prefs.calendar.GetMonth()}),
             QList<int>({0, 8, 18, 3}));

    // Out of range and -1 read as defaults; the weekend keeps its shades while it has no colours.
    QVERIFY(
        PalmTest::writeFile(path, "[COMMON]\r\nWEEK_STARTS=7\r\nIS_HOLIDAY_COL=1\r\nHOLIDAY_DISP_TYPE=0\r\n"
                                  "IS_WEEK_COL_SUN=0\r\nIS_WEEK_COL_MON=1\r\nWEEK_COL_MON=-1\r\n"
                                  "WEEK_COL_SAT=255\r\n[DAY]\r\nDAY_DATE_FORMAT=^4r/^3z/^0z\r\n"
                                  "START_TIME=-3\r\nEND_TIME=24\r\nHOUR_HEIGHT=4\r\nEVENT_DISPLAY=3\r\n"
                                  "DAY_FONT_SIZE=11\r\n[WEEK]\r\nWEEK_FONT_SIZE=15\r\nWEEK_DATE_FORMAT=" +
                                      CTavDbText::toCp932(QStringLiteral("^4s年^3a月")) +
                                      "\r\n[MONTH]\r\nMONTH_DATE_FORMAT=\r\n"));
    prefs = CTavScHandheldPrefs::Read(path);
    QVERIFY(!prefs.holidayColorOn && prefs.holidayDispType); // no HOLIDAY_COL; present
    QCOMPARE(prefs.weekColorOn, (std::array<bool, 7>{true, true, false, false, false, false, false}));
    QCOMPARE(prefs.weekColor, (std::array<TavColorRef, 7>{0xCCCCFF, 0, 0, 0, 0, 0, 255}));
    QCOMPARE(QStringList({prefs.dayDateFormat, prefs.weekDateFormat, prefs.monthDateFormat}),
             QStringList({"%Y/%m/%d", "%y年%#m月", "%Y  %m"}));
    QCOMPARE(CTavScDayFrame::DayHeading(prefs.dayDateFormat, QDate(2024, 3, 20)), "2024/03/20 (水)");
    QCOMPARE(CTavScDayFrame::DayHeading("%#m/%#d %a", QDate(2024, 3, 20)), "3/20 水"); // its own weekday
    QCOMPARE(QList<int>({prefs.weekStarts, prefs.startTime, prefs.endTime, prefs.hourHeight,
                         prefs.eventDisplay, prefs.dayFontSize, prefs.weekFontSize}),
             QList<int>({0, 8, 18, 4, 1, 8, 15}));

    // Every field; what is no field stays; the second byte of "／" is a caret, not a field.
    const QList<std::pair<QByteArray, QString>> templates = {
        {"^0z ^0r ^1l ^1s ^2l ^2s ^3z ^3r ^4s ^4l", "%d %#d %A %a %B %b %m %#m %y %Y"},
        {"^5z ^^3z ^0", "^5z ^%m ^0"},
        {"\x81^3z\x81^^3z", "／3z／%m"}};
    for (const auto& [handheld, format] : templates)
        QCOMPARE(CTavScHandheldPrefs::ConvertDateTemplate(handheld), format);
}

void TestPrefs::prefsDialogRules()
{
    reloadWith("[DAY]\nEND_TIME=10\n");
    m_env->AnswerDialog(answer<CTavScPrefsDlg>([](CTavScPrefsDlg& d) {
        AppTestEnv::Screenshot(&d, QStringLiteral("prefs-dialog"));
        QCOMPARE(QStringList({d.StartTimeBox()->currentText(), d.StartDayBox()->currentText(),
                              d.PeriodBox()->text(), d.UnitBox()->currentText()}),
                 QStringList({"9:00", "日曜日", "1", "月"}));
        QVERIFY(!d.PeriodBox()->isEnabled() && !d.UnitBox()->isEnabled() && !d.QuillosBox()->isEnabled());
        d.LimitBox()->click();
        QVERIFY(d.PeriodBox()->isEnabled() && d.UnitBox()->isEnabled() && d.DateBookBox()->isEnabled());

        // A typed 0 becomes 1.
        auto* edit = d.PeriodBox()->findChild<QLineEdit*>();
        edit->setText(QStringLiteral("0"));
        d.PeriodBox()->interpretText();
        QCOMPARE(d.PeriodBox()->text(), QStringLiteral("1"));
        edit->setText(QStringLiteral("12"));
        d.StartTimeBox()->setCurrentIndex(13);
        d.StartDayBox()->setCurrentIndex(1);
        d.UnitBox()->setCurrentIndex(3);
        d.QuillosBox()->click();
    }));
    trigger(Cmd::Preferences);

    QCOMPARE(QList<int>({datebook("StartTime"), datebook("StartDayOfWeek"), datebook("KiroTransfer"),
                         datebook("KiroTransferNum"), datebook("KiroTransferUnit"),
                         datebook("KiroTransferDateBook"), datebook("KiroTransferQuillos")}),
             QList<int>({13, 1, 1, 12, 3, 1, 0}));
    // The end hour follows a later start; the calendars start on Monday.
    QCOMPARE(
        QList<int>({m_state->startTime, m_state->handheld.endTime, m_frame->View()->GetExtColor().endHour,
                    m_state->startDayOfWeek, m_state->calendar.GetFirstDayOfWeek()}),
        QList<int>({13, 13, 13, 1, 1}));
}

// The weekday and holiday dialogs and the toggles write the settings; the day header follows
// them, coloured in this order: own colour, holiday, weekday, normal.
void TestPrefs::coloursAndLabels()
{
    writeHolidays();
    reloadWith("[COMMON]\nIS_HOLIDAY_COL=0\nHOLIDAY_COL=0x0000C0\n");
    m_env->AnswerDialog(answer<CTavScWeekColorDlg>([](CTavScWeekColorDlg& d) {
        d.DayButton(3)->click();
        d.DayButton(6)->click();
        QVERIFY(d.DayButton(3)->styleSheet().contains(QStringLiteral("color: #ffffff")) &&
                d.DayButton(6)->styleSheet().contains(QStringLiteral("color: #000000")));
        AppTestEnv::Screenshot(&d, QStringLiteral("weekday-colour-dialog"));
    }));
    m_env->AnswerDialog(pickColor(0xFF0000)); // mean 85: white caption
    m_env->AnswerDialog(pickColor(0x808080)); // mean 128: black
    trigger(Cmd::WeekdayColors);
    QCOMPARE(QList<int>({datebook("OnColorOfWeek3"), datebook("ColorOfWeek3"), datebook("OnColorOfWeek0"),
                         datebook("ColorOfWeek6")}),
             QList<int>({1, 0xFF0000, 0, 0x808080}));

    m_env->AnswerDialog(answer<CTavScHolidayDlg>([](CTavScHolidayDlg& d) {
        QVERIFY(!d.ShowBox()->isChecked() && d.YearBox()->value() == 2024); // listed all the same
        QCOMPARE(d.List()->topLevelItemCount(), 2);
        QCOMPARE(QStringList({d.List()->topLevelItem(1)->text(0), d.List()->topLevelItem(1)->text(1)}),
                 QStringList({"2024  03  20", "春分の日"}));
        AppTestEnv::Screenshot(&d, QStringLiteral("holiday-dialog"));
        d.YearBox()->setValue(2025); // no database: the holiday law's days
        QCOMPARE(d.List()->topLevelItemCount(), 19);
        QCOMPARE(d.SourceLabel()->text(), QStringLiteral("出典: 計算"));
        d.ShowBox()->click();
        QCOMPARE(datebook("DisplayOfHoliday"), -99); // written on closing
    }));
    trigger(Cmd::HolidayList);
    QCOMPARE(datebook("DisplayOfHoliday"), 1);
    QVERIFY(m_frame->DisplayCommands()->Action(Cmd::ShowHolidays)->isChecked());

    m_state->GoToDate(kEquinox);
    const QString plain = CTavScDayView::DayTitle(kEquinox);
    QCOMPARE(title(), plain + QStringLiteral("  春分の日"));
    QCOMPARE(titleColor(), 0x0000C0u);
    trigger(Cmd::ShowSixDay);
    QCOMPARE(datebook("DisplayOf6Week"), 1);
    QCOMPARE(title(), plain + QStringLiteral("  春分の日  先勝"));
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-holiday"));
    trigger(Cmd::ShowHolidays);
    QCOMPARE(datebook("DisplayOfHoliday"), 0);
    QCOMPARE(title(), plain + QStringLiteral("  先勝"));
    QCOMPARE(titleColor(), 0xFF0000u);
    m_state->NextDay();
    QCOMPARE(titleColor(), m_frame->View()->GetColor().headerText);
    CTavScDayStyle::WriteOwnColor(m_app->DateStore(), kEquinox, true, 0x008000);
    trigger(Cmd::ShowHolidays);
    m_state->PreviousDay();
    QCOMPARE(titleColor(), 0x008000u);
}

void TestPrefs::dayColourIsOneUndoStep()
{
    CTavDbDate& store = m_app->DateStore();
    CTavDbDateDayRecord linked(kEquinox);
    linked.SetSheetName(QStringLiteral("memo1"));
    QCOMPARE(store.AddDayInfo(linked), TavStatusCode::Ok);
    m_state->GoToDate(kEquinox);
    const QDate next = kEquinox.addDays(1);

    // The day with a memo-sheet link gets a colour; the next one, picked on the calendar, too.
    m_env->AnswerDialog(answer<CTavScDayColorDlg>([&](CTavScDayColorDlg& d) {
        QVERIFY(d.Date() == kEquinox && d.Swatch()->text() == QStringLiteral("未設定"));
        d.ColorButton()->click();
        AppTestEnv::Screenshot(&d, QStringLiteral("day-colour-dialog"));
    }));
    m_env->AnswerDialog(pickColor(0x800080));
    trigger(Cmd::DayColor);
    m_env->AnswerDialog(answer<CTavScDayColorDlg>([&](CTavScDayColorDlg& d) {
        d.CalendarButton()->click();
        QCOMPARE(d.Date(), next);
        d.ColorButton()->click();
    }));
    m_env->AnswerDialog(
        answer<CTavScDatePickDlg>([&](CTavScDatePickDlg& d) { d.Calendar()->setSelectedDate(next); }));
    m_env->AnswerDialog(pickColor(0x008000));
    trigger(Cmd::DayColor);
    TavColorRef color = 0;
    QVERIFY(CTavScDayStyle::OwnColor(store, next, &color) && color == 0x008000);
    QCOMPARE(titleColor(), 0x800080u);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-coloured"));

    // Each is one step: undo removes the added record and puts the linked one back as it was.
    CTavFrameActions& actions = m_app->MainFrame()->Actions();
    actions.UpdateCommandUI();
    QVERIFY(actions.Action(TavCmd::EditUndo)->text().contains(QStringLiteral("日の色の指定")));
    actions.Trigger(TavCmd::EditUndo);
    CTavDbDateDayRecord record;
    QVERIFY(store.GetDayInfo(CTavDbTime::dayKey(next), record) != TavStatusCode::Ok);
    actions.Trigger(TavCmd::EditUndo);
    QCOMPARE(store.GetDayInfo(CTavDbTime::dayKey(kEquinox), record), TavStatusCode::Ok);
    QCOMPARE(record, linked);
    QCOMPARE(titleColor(), m_frame->View()->GetColor().headerText);
}

QTEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
