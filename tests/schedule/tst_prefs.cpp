#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "../TavDbMgr/PalmTestSupport.h"
#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavComUtil.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbClock.h"
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
#include "CTavTransferLimit.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

using Cmd = CTavScDisplayCommands;

namespace {
const QDate kEquinox(2024, 3, 20); // a Wednesday, a holiday in the test's database
const QDate kNewYear(2024, 1, 1);

// Answers a dialog of type D (another gets 99): acts, then accepts unless the act closed it.
template <class D> AppTestEnv::DialogAnswer answer(std::function<void(D&)> act = {})
{
    return [act](CTavDialogBase& d) {
        auto* dialog = qobject_cast<D*>(&d);
        if (!dialog)
            return 99;
        if (act)
            act(*dialog);
        if (dialog->isVisible())
            dialog->accept();
        return dialog->result();
    };
}

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

QByteArray holidayRecord(const QDate& date, const QString& name)
{
    QByteArray record = PalmTest::be16(PalmTest::handheldDate(date.year(), date.month(), date.day()));
    record += QByteArray(2, '\0') + CTavDbText::toCp932(name);
    record.resize(72, '\0');
    return record;
}

QString title(const CTavScDayView* view)
{
    return view->GetColum(0)->GetTitle();
}
} // namespace

// The handheld's preferences file, the schedule's preferences, holidays, day and weekday
// colours and the display toggles, through the day window's commands.
class TestPrefs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readsHandheldFile();
    void convertsDateTemplates_data();
    void convertsDateTemplates();
    void prefsDialogRules();
    void colourOrder();
    void togglesWriteSettingsAndHeader();
    void dayColourIsOneUndoStep();
    void holidayListByYear();
    void weekdayColours();

private:
    void trigger(Cmd::Command id) { m_frame->DisplayCommands()->Action(id)->trigger(); }
    void writeScPrefs(const QByteArray& text);
    void writeHolidays();

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScDayFrame* m_frame = nullptr;
    ScheduleState* m_state = nullptr;
};

void TestPrefs::init()
{
    CTavDbClock::SetFixed(QDateTime(kEquinox, QTime(10, 0)));
    m_env = std::make_unique<AppTestEnv>();
    AppTestEnv::AddUser(QStringLiteral("Hanako"));
    m_app = m_env->Start();
    QVERIFY(m_app->MainFrame());
    m_app->SwitchModule(TavModule::Day);
    m_frame = qobject_cast<CTavScDayFrame*>(m_app->Frame(TavSlot::Day));
    QVERIFY(m_frame);
    m_state = &ScheduleState::Of(*m_app);
}

void TestPrefs::cleanup()
{
    QVERIFY(m_env->AllAnswersUsed());
    AppTestEnv::Close(m_app);
    m_env.reset();
    CTavDbClock::Release();
}

void TestPrefs::writeScPrefs(const QByteArray& text)
{
    const QString path = CTavScHandheldPrefs::PathForUser(m_app->Users().GetCurrUserPath());
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(PalmTest::writeFile(path, text));
}

// A holiday file for 2024 and a six-day file labelling every day, as a HotSync leaves them.
void TestPrefs::writeHolidays()
{
    const QString folder = CTavDbBackupFolder::Path(m_app->Users());
    QDir().mkpath(folder);
    PalmTest::DbFile holidays;
    holidays.creator = PalmTest::code("SaSd");
    holidays.type = PalmTest::code("HdDy");
    holidays.records = {{0, 1, 0, 0, PalmTest::yearHeader(296, 2024)},
                        {0, 2, 0, 0, holidayRecord(kNewYear, QStringLiteral("元日"))},
                        {0, 3, 0, 0, holidayRecord(kEquinox, QStringLiteral("春分の日"))}};
    QVERIFY(PalmTest::writeFile(folder + "Holiday2024.pdb", holidays.bytes()));
    PalmTest::DbFile sixDay;
    sixDay.creator = PalmTest::code("SaSd");
    sixDay.type = PalmTest::code("SbWk");
    const QList<QByteArray> labels = {CTavDbText::toCp932(QStringLiteral("先勝")),
                                      CTavDbText::toCp932(QStringLiteral("大安"))};
    sixDay.records = {{0, 1, 0, 0, PalmTest::yearHeader(392, 2024, 2, labels)}};
    for (QDate d = QDate(2024, 1, 1); d.year() == 2024; d = d.addDays(1)) {
        sixDay.records.append({0, uint32_t(d.dayOfYear() + 1), 0, 0,
                               PalmTest::be16(PalmTest::handheldDate(d.year(), d.month(), d.day())) +
                                   PalmTest::be16(uint16_t(d.dayOfYear() % 2))});
    }
    QVERIFY(PalmTest::writeFile(folder + "SixDay2024.pdb", sixDay.bytes()));
    CTavDbBackupFolder::MarkChanged();
}

void TestPrefs::readsHandheldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ScPrefs.dat"));
    CTavScHandheldPrefs prefs = CTavScHandheldPrefs::Read(path);
    const std::array<bool, 7> weekend{true, false, false, false, false, false, true};
    QCOMPARE(prefs.weekColorOn, weekend);
    QCOMPARE(prefs.weekColor[0], 0xCCCCFFu);
    QCOMPARE(prefs.weekColor[6], 0xFFCC99u);
    QVERIFY(!prefs.holidayColorOn && !prefs.holidayDispType);
    QCOMPARE(prefs.dayDateFormat, QStringLiteral("%Y  %m  %d"));
    QCOMPARE(prefs.monthDateFormat, QStringLiteral("%Y  %m"));
    QCOMPARE(
        QList<int>({prefs.weekStarts, prefs.startTime, prefs.endTime, prefs.hourHeight, prefs.dayFontSize}),
        QList<int>({0, 8, 18, 2, 8}));
    QCOMPARE(prefs.calendar.GetMonth(), 3);

    // Out of range and -1 read as the defaults; the weekend keeps its shades without colours.
    QVERIFY(
        PalmTest::writeFile(path, "[COMMON]\r\nWEEK_STARTS=7\r\nIS_HOLIDAY_COL=1\r\nHOLIDAY_DISP_TYPE=0\r\n"
                                  "IS_WEEK_COL_SUN=0\r\nIS_WEEK_COL_MON=1\r\nWEEK_COL_MON=-1\r\n"
                                  "IS_WEEK_COL_SAT=0\r\nWEEK_COL_SAT=255\r\n[DAY]\r\n"
                                  "DAY_DATE_FORMAT=^4r/^3z/^0z\r\nSTART_TIME=-3\r\nEND_TIME=24\r\n"
                                  "HOUR_HEIGHT=4\r\nEVENT_DISPLAY=3\r\nDAY_FONT_SIZE=11\r\n[WEEK]\r\n"
                                  "WEEK_DATE_FORMAT=" +
                                      CTavDbText::toCp932(QStringLiteral("^4s年^3a月")) +
                                      "\r\nWEEK_FONT_SIZE=15\r\n[MONTH]\r\nMONTH_DATE_FORMAT=\r\n"));
    prefs = CTavScHandheldPrefs::Read(path);
    QCOMPARE(prefs.weekStarts, 0);
    QCOMPARE(prefs.calendar.GetFirstDayOfWeek(), 0);
    QVERIFY(!prefs.holidayColorOn); // no HOLIDAY_COL
    QVERIFY(prefs.holidayDispType);
    QVERIFY(prefs.weekColorOn[0] && prefs.weekColorOn[1] && !prefs.weekColorOn[6]);
    QCOMPARE(prefs.weekColor[0], 0xCCCCFFu);
    QCOMPARE(prefs.weekColor[1], 0u);
    QCOMPARE(prefs.weekColor[6], 255u);
    QCOMPARE(prefs.dayDateFormat, QStringLiteral("%Y/%m/%d"));
    QCOMPARE(prefs.weekDateFormat, QStringLiteral("%y年%#m月"));
    QCOMPARE(prefs.monthDateFormat, QStringLiteral("%Y  %m"));
    QCOMPARE(QList<int>({prefs.startTime, prefs.endTime, prefs.hourHeight, prefs.eventDisplay,
                         prefs.dayFontSize, prefs.weekFontSize}),
             QList<int>({8, 18, 4, 1, 8, 15}));

    QVERIFY(PalmTest::writeFile(path, "[COMMON]\nWEEK_STARTS=1\nIS_HOLIDAY_COL=0\nHOLIDAY_COL=0x0000C0\n"
                                      "WEEK_COL_SUN=0\n[DAY]\nSTART_TIME=23\nEND_TIME=0\n"));
    prefs = CTavScHandheldPrefs::Read(path);
    QVERIFY(prefs.holidayColorOn && !prefs.weekColorOn[0]);
    QCOMPARE(prefs.holidayColor, 0x0000C0u);
    QCOMPARE(prefs.calendar.GetFirstDayOfWeek(), 1);
    QCOMPARE(prefs.startTime, 23);
    QCOMPARE(prefs.endTime, 0);
}

void TestPrefs::convertsDateTemplates_data()
{
    QTest::addColumn<QByteArray>("handheld");
    QTest::addColumn<QString>("format");
    QTest::newRow("fields") << QByteArray("^0z ^0r ^1l ^1s ^2l ^2s ^3z ^3r ^4s ^4l")
                            << QStringLiteral("%d %#d %A %a %B %b %m %#m %y %Y");
    QTest::newRow("not a field") << QByteArray("^5z ^^3z ^0") << QStringLiteral("^5z ^%m ^0");
    // The second byte of "／" is a caret: it belongs to the character, not to a field.
    QTest::newRow("double byte") << QByteArray("\x81^3z\x81^^3z") << QStringLiteral("／3z／%m");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestPrefs::convertsDateTemplates()
{
    QFETCH(QByteArray, handheld);
    QFETCH(QString, format);
    QCOMPARE(CTavScHandheldPrefs::ConvertDateTemplate(handheld), format);
}

void TestPrefs::prefsDialogRules()
{
    writeScPrefs("[DAY]\nEND_TIME=10\n");
    m_app->ReloadUserPrefs();
    QCOMPARE(m_state->handheld.endTime, 10);
    m_env->AnswerDialog(answer<CTavScPrefsDlg>([](CTavScPrefsDlg& d) {
        AppTestEnv::Screenshot(&d, QStringLiteral("prefs-dialog"));
        QCOMPARE(d.StartTimeBox()->count(), 14);
        QCOMPARE(d.StartTimeBox()->currentText(), QStringLiteral("9:00"));
        QCOMPARE(d.StartDayBox()->currentText(), QStringLiteral("日曜日"));
        QCOMPARE(d.PeriodBox()->value(), 1);
        QCOMPARE(d.UnitBox()->currentText(), QStringLiteral("月"));
        const QList<QWidget*> limited{d.PeriodBox(), d.UnitBox(), d.DateBookBox(), d.QuillosBox()};
        for (QWidget* w : limited)
            QVERIFY(!w->isEnabled());
        d.LimitBox()->click();
        for (QWidget* w : limited)
            QVERIFY(w->isEnabled());

        // What is typed outside 1..99 becomes its nearest end; three digits do not fit.
        auto* edit = d.PeriodBox()->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("0"));
        d.PeriodBox()->interpretText();
        QCOMPARE(d.PeriodBox()->value(), 1);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("150"));
        QCOMPARE(edit->text(), QStringLiteral("15"));
        d.PeriodBox()->setValue(99);
        d.PeriodBox()->stepUp();
        QCOMPARE(d.PeriodBox()->value(), 99);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("12"));

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
    const CTavTransferLimit limit = CTavTransferLimit::FromProfile();
    QVERIFY(limit.limit && limit.dateBook && !limit.quillos);
    QCOMPARE(m_state->startTime, 13);
    QCOMPARE(m_state->startDayOfWeek, 1);
    QCOMPARE(m_state->handheld.endTime, 13); // raised to the new start
    QCOMPARE(m_state->calendar.GetFirstDayOfWeek(), 1);
    QCOMPARE(m_frame->View()->GetExtColor().endHour, 13);

    // Cancel keeps every key.
    m_env->AnswerDialog([](CTavDialogBase& d) {
        static_cast<CTavScPrefsDlg&>(d).StartTimeBox()->setCurrentIndex(0);
        return int(QDialog::Rejected);
    });
    trigger(Cmd::Preferences);
    QCOMPARE(datebook("StartTime"), 13);
}

void TestPrefs::colourOrder()
{
    writeHolidays();
    writeScPrefs("[COMMON]\nIS_HOLIDAY_COL=1\nHOLIDAY_COL=192\n");
    m_app->ReloadUserPrefs();
    CTavScDayStyle& style = m_state->DayStyle();
    CTavDbDate& store = m_app->DateStore();
    const TavColorRef normal = 0x202020;
    const TavColorRef wednesday = 0xFF0000;
    std::array<bool, 7> on{};
    std::array<TavColorRef, 7> colors{};
    on[3] = true;
    colors[3] = wednesday;
    style.SetWeekdayColors(on, colors);
    QCOMPARE(style.HolidayColor(), 192u);

    // Holidays hidden: the weekday's colour; the next day has none.
    QCOMPARE(style.DayColor(store, kEquinox, normal), wednesday);
    QCOMPARE(style.DayColor(store, kEquinox.addDays(1), normal), normal);
    QCOMPARE(style.DayColor(store, kEquinox, normal, false), CTavComUtil::GetLightColor(wednesday));
    QVERIFY(style.HolidayName(kEquinox).isEmpty());
    style.SetShowHolidays(true);
    QCOMPARE(style.DayColor(store, kEquinox, normal), 192u);
    QCOMPARE(style.DayColor(store, kEquinox.addDays(7), normal), wednesday);
    QVERIFY(CTavScDayStyle::WriteOwnColor(store, kEquinox, true, 0x008000) == TavStatusCode::Ok);
    QCOMPARE(style.DayColor(store, kEquinox, normal), 0x008000u);

    // Without a holiday colour of the handheld's, holidays are red.
    writeScPrefs("[COMMON]\nIS_HOLIDAY_COL=1\n");
    m_app->ReloadUserPrefs();
    QCOMPARE(m_state->DayStyle().HolidayColor(), CTavScDayStyle::kDefaultHolidayColor);
}

void TestPrefs::togglesWriteSettingsAndHeader()
{
    writeHolidays();
    m_state->GoToDate(kEquinox);
    CTavScDayView* view = m_frame->View();
    const QString plain = CTavScDayView::DayTitle(kEquinox);
    QCOMPARE(title(view), plain);
    m_app->MainFrame()->Actions().UpdateCommandUI();
    QStringList tools;
    for (QMenu* menu : m_app->MainFrame()->menuBar()->findChildren<QMenu*>())
        if (menu->title().startsWith(QStringLiteral("ツール")))
            for (QAction* a : menu->actions())
                tools << a->text();
    QVERIFY(tools.contains(QStringLiteral("休日を表示する(&H)")) &&
            tools.contains(QStringLiteral("環境設定(&S)...")));

    trigger(Cmd::ShowHolidays);
    QCOMPARE(datebook("DisplayOfHoliday"), 1);
    QVERIFY(m_frame->DisplayCommands()->Action(Cmd::ShowHolidays)->isChecked());
    QCOMPARE(title(view), plain + QStringLiteral("  春分の日"));
    QCOMPARE(view->GetColum(0)->GetTitleColor(), CTavScDayStyle::kDefaultHolidayColor);
    trigger(Cmd::ShowSixDay);
    QCOMPARE(datebook("DisplayOf6Week"), 1);
    QCOMPARE(title(view), plain + QStringLiteral("  春分の日  先勝"));
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-holiday"));

    trigger(Cmd::ShowHolidays);
    QCOMPARE(datebook("DisplayOfHoliday"), 0);
    QCOMPARE(title(view), plain + QStringLiteral("  先勝"));
    QCOMPARE(view->GetColum(0)->GetTitleColor(), view->GetColor().headerText);

    // The check marks follow the settings as read again.
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("DisplayOf6Week"), 0);
    m_app->ReloadUserPrefs();
    m_frame->UpdateCommandUI();
    QVERIFY(!m_frame->DisplayCommands()->Action(Cmd::ShowSixDay)->isChecked());
    QCOMPARE(title(view), plain);
}

void TestPrefs::dayColourIsOneUndoStep()
{
    CTavDbDate& store = m_app->DateStore();
    CTavDbDateDayRecord linked(kEquinox);
    linked.SetSheetName(QStringLiteral("memo1"));
    QCOMPARE(store.AddDayInfo(linked), TavStatusCode::Ok);
    m_state->GoToDate(kEquinox);
    const QDate next = kEquinox.addDays(1);

    // The linked day gets a colour; the next day, picked on the calendar, gets one too.
    m_env->AnswerDialog(answer<CTavScDayColorDlg>([&](CTavScDayColorDlg& d) {
        QCOMPARE(d.Date(), kEquinox);
        QCOMPARE(d.Swatch()->text(), QStringLiteral("未設定"));
        d.ColorButton()->click();
        QVERIFY(d.IsSet());
        AppTestEnv::Screenshot(&d, QStringLiteral("day-colour-dialog"));
    }));
    m_env->AnswerDialog(pickColor(0x0000FF));
    trigger(Cmd::DayColor);
    m_env->AnswerDialog(answer<CTavScDayColorDlg>([&](CTavScDayColorDlg& d) {
        d.CalendarButton()->click();
        QCOMPARE(d.Date(), next);
        d.ColorButton()->click();
    }));
    m_env->AnswerDialog(
        answer<CTavScDatePickDlg>([&](CTavScDatePickDlg& pick) { pick.Calendar()->setSelectedDate(next); }));
    m_env->AnswerDialog(pickColor(0x008000));
    trigger(Cmd::DayColor);

    TavColorRef color = 0;
    QVERIFY(CTavScDayStyle::OwnColor(store, kEquinox, &color) && color == 0x0000FF);
    QVERIFY(CTavScDayStyle::OwnColor(store, next, &color) && color == 0x008000);
    QCOMPARE(m_frame->View()->GetColum(0)->GetTitleColor(), 0x0000FFu);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("day-window-coloured"));

    CTavFrameActions& actions = m_app->MainFrame()->Actions();
    actions.UpdateCommandUI();
    QVERIFY(actions.Action(TavCmd::EditUndo)->text().contains(QStringLiteral("日の色の指定")));
    actions.Trigger(TavCmd::EditUndo);
    CTavDbDateDayRecord record;
    QVERIFY(store.GetDayInfo(CTavDbTime::dayKey(next), record) != TavStatusCode::Ok);
    QVERIFY(CTavScDayStyle::OwnColor(store, kEquinox, &color));
    actions.Trigger(TavCmd::EditUndo);
    QCOMPARE(store.GetDayInfo(CTavDbTime::dayKey(kEquinox), record), TavStatusCode::Ok);
    QCOMPARE(record, linked);
    QCOMPARE(m_frame->View()->GetColum(0)->GetTitleColor(), m_frame->View()->GetColor().headerText);
    actions.Trigger(TavCmd::EditRedo);
    QVERIFY(CTavScDayStyle::OwnColor(store, kEquinox, &color) && color == 0x0000FF);

    // "未設定" takes the colour away and keeps the memo-sheet link.
    m_env->AnswerDialog(answer<CTavScDayColorDlg>([](CTavScDayColorDlg& d) { d.ColorButton()->click(); }));
    m_env->AnswerDialog(answer<CTavScColorDlg>([](CTavScColorDlg& d) { d.NoColorButton()->click(); }));
    trigger(Cmd::DayColor);
    QCOMPARE(store.GetDayInfo(CTavDbTime::dayKey(kEquinox), record), TavStatusCode::Ok);
    QCOMPARE(record, linked);
}

void TestPrefs::holidayListByYear()
{
    writeHolidays();
    m_env->AnswerDialog(answer<CTavScHolidayDlg>([](CTavScHolidayDlg& d) {
        // Listed although holidays are not shown.
        QVERIFY(!d.ShowBox()->isChecked());
        QCOMPARE(d.YearBox()->value(), 2024);
        QCOMPARE(d.List()->topLevelItemCount(), 2);
        QCOMPARE(d.List()->topLevelItem(1)->text(0), QStringLiteral("2024  03  20"));
        QCOMPARE(d.List()->topLevelItem(1)->text(1), QStringLiteral("春分の日"));
        AppTestEnv::Screenshot(&d, QStringLiteral("holiday-dialog"));
        d.YearBox()->setValue(2025);
        QCOMPARE(d.List()->topLevelItemCount(), 0);
        d.YearBox()->setValue(2024);
        QCOMPARE(d.List()->topLevelItemCount(), 2);
        d.ShowBox()->click();
        QCOMPARE(datebook("DisplayOfHoliday"), -99); // written only on closing
    }));
    trigger(Cmd::HolidayList);
    QCOMPARE(datebook("DisplayOfHoliday"), 1);
    QVERIFY(m_frame->DisplayCommands()->Action(Cmd::ShowHolidays)->isChecked());
}

void TestPrefs::weekdayColours()
{
    QCOMPARE(CTavScWeekColorDlg::CaptionColor(0x7F7F7F), 0xFFFFFFu);
    QCOMPARE(CTavScWeekColorDlg::CaptionColor(0x808080), 0u);
    QCOMPARE(CTavScWeekColorDlg::CaptionColor(0xFFFFFF), 0u);

    m_env->AnswerDialog(answer<CTavScWeekColorDlg>([](CTavScWeekColorDlg& d) {
        d.DayButton(0)->click();
        d.DayButton(6)->click();
        QVERIFY(d.DayButton(0)->styleSheet().contains(QStringLiteral("color: #ffffff")));
        AppTestEnv::Screenshot(&d, QStringLiteral("weekday-colour-dialog"));
    }));
    m_env->AnswerDialog(pickColor(0x0000FF));
    m_env->AnswerDialog(pickColor(0x808080));
    trigger(Cmd::WeekdayColors);
    QCOMPARE(QList<int>({datebook("OnColorOfWeek0"), datebook("ColorOfWeek0"), datebook("OnColorOfWeek1"),
                         datebook("OnColorOfWeek6"), datebook("ColorOfWeek6")}),
             QList<int>({1, 0x0000FF, 0, 1, 0x808080}));
    m_state->GoToDate(QDate(2024, 3, 24));
    QCOMPARE(m_frame->View()->GetColum(0)->GetTitleColor(), 0x0000FFu);
}

QTEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
