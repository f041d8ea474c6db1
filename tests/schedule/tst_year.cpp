#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QToolButton>

#include "../TavDbMgr/PalmTestSupport.h"
#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavComUtil.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbDate.h"
#include "CTavDbText.h"
#include "CTavDialogBase.h"
#include "CTavMainFrame.h"
#include "CTavProfile.h"
#include "CTavScYearDoc.h"
#include "CTavScYearFrame.h"
#include "CTavScYearView.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

namespace {
const QDate kToday(2024, 3, 11); // a Monday

// A holiday database of the handheld for one year, as HotSync leaves it in the backup folder.
QByteArray holidayDb(int year, const QList<std::pair<QDate, QString>>& days)
{
    using namespace PalmTest;
    DbFile file;
    file.creator = code("SaSd");
    file.type = code("HdDy");
    file.records = {{0, 1, 0, 0, yearHeader(296, year)}};
    for (const auto& [date, name] : days) {
        QByteArray record = be16(handheldDate(date.year(), date.month(), date.day())) + QByteArray(2, '\0') +
                            CTavDbText::toCp932(name);
        record.resize(72, '\0');
        file.records.append({0x40, uint32_t(file.records.size() + 1), 0, 0, record});
    }
    return file.bytes();
}

// Whether any pixel of the area is close to the colour.
bool shows(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (qAbs(p.red() - color.red()) + qAbs(p.green() - color.green()) +
                    qAbs(p.blue() - color.blue()) <
                60)
                return true;
        }
    return false;
}
} // namespace

// The year window: its months, marks, navigation and the commands it runs.
class TestYear : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void mondayFirstMonthsAndLayout();
    void yearStepsStayInCalendar();
    void repeatOccurrencesAreMarked();
    void doubleClickOpensDayWindow();
    void discardRemovesOldEvents();
    void holidaysAndWeekdayColours();

private:
    uint32_t addEvent(const QDate& day, const QString& desc, uint8_t weeklyMask = 0, bool isPrivate = false);
    CTavScYearView* view() const { return m_frame->View(); }
    void clickDay(const QDate& date, bool twice = false)
    {
        const QPoint at = view()->DayRect(date).center();
        QTest::mouseClick(view(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(view(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    CTavScYearFrame* m_frame = nullptr;
    CTavScYearDoc* m_doc = nullptr;
    ScheduleState* m_state = nullptr;
};

void TestYear::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(kToday, QTime(10, 0)), m_env, m_app));
    m_app->MainFrame()->resize(1024, 768);
    m_app->SwitchModule(TavModule::Year);
    m_frame = qobject_cast<CTavScYearFrame*>(m_app->Frame(TavSlot::Year));
    QVERIFY(m_frame);
    m_doc = qobject_cast<CTavScYearDoc*>(m_frame->Document());
    m_state = &ScheduleState::Of(*m_app);
    QTest::qWait(1);
    QCOMPARE(m_doc->Selected(), kToday);
}

void TestYear::cleanup()
{
    AppTestEnv::Finish(m_env, m_app);
}

uint32_t TestYear::addEvent(const QDate& day, const QString& desc, uint8_t weeklyMask, bool isPrivate)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(CTavDbTime::fromDateAndTime(day, QTime(10, 0)));
    r.SetEndTime(CTavDbTime::fromDateAndTime(day, QTime(11, 0)));
    r.SetPrivate(isPrivate);
    if (weeklyMask) {
        r.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
        r.SetInterval(1);
        r.SetWeekDayMask(weeklyMask);
        r.SetDayIndex(1);
    }
    [&] { QCOMPARE(m_app->DateStore().AddRecord(r), TavStatusCode::Ok); }();
    emit m_state->changed();
    return r.GetUniqueId();
}

void TestYear::mondayFirstMonthsAndLayout()
{
    CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("StartDayOfWeek"), 1);
    m_doc->SelectDay(QDate(2024, 7, 1));
    // The cell of the 1st of each month of 2024 when weeks begin on Monday.
    const int firstCells[] = {0, 3, 4, 0, 2, 5, 0, 3, 6, 1, 4, 6};
    for (int month = 1; month <= 12; ++month) {
        const CTavScCalendarGrid& grid = m_doc->Month(month);
        QCOMPARE(grid.GetYear(), 2024);
        QCOMPARE(grid.GetMonth(), month);
        QCOMPARE(grid.GetFirstDayOfWeek(), 1);
        QCOMPARE(grid.GetFirstCell(), firstCells[month - 1]);
    }
    QCOMPARE(m_doc->Month(2).GetCellDate(0), QDate(2024, 1, 29));

    // Every day of the year is drawn where a click finds it again, in the right column.
    for (const QSize size : {QSize(1280, 800), QSize(700, 1000), QSize(900, 560)}) {
        view()->resize(size);
        QCOMPARE(view()->Layout().Columns(), size.width() > size.height() ? 4 : 3);
        for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1)) {
            const QRect r = view()->DayRect(d);
            QVERIFY2(r.width() > 12 && r.height() > 10, qPrintable(d.toString()));
            QCOMPARE(view()->DateAt(r.center()), d);
        }
        const CTavScYearLayout layout = view()->Layout();
        QCOMPARE(view()->DayRect(QDate(2024, 9, 1)).left(), layout.CellRect(9, 6).left()); // a Sunday
        QVERIFY(!view()->DateAt(layout.CellRect(9, 0).center()).isValid()); // 26 August in September
        QVERIFY(!view()->DayRect(QDate(2025, 1, 1)).isValid());
    }
}

void TestYear::yearStepsStayInCalendar()
{
    view()->setFocus();
    m_doc->SelectDay(QDate(2024, 2, 29));
    QTest::keyClick(view(), Qt::Key_PageDown);
    QCOMPARE(m_doc->Selected(), QDate(2025, 2, 28));
    QCOMPARE(m_frame->YearLabel()->text(), QStringLiteral("2025年"));

    // The calendar begins on 2 January 1970 and ends on 31 December 2031.
    m_doc->SelectDay(QDate(1971, 1, 1));
    QTest::keyClick(view(), Qt::Key_PageUp);
    QCOMPARE(m_doc->Selected(), QDate(1970, 1, 2));
    QVERIFY(!m_frame->PreviousYearButton()->isEnabled());
    QTest::keyClick(view(), Qt::Key_PageUp);
    QTest::keyClick(view(), Qt::Key_Left);
    QCOMPARE(m_doc->Selected(), QDate(1970, 1, 2));
    clickDay(QDate(1970, 1, 1));
    QCOMPARE(m_doc->Selected(), QDate(1970, 1, 2));
    QCOMPARE(m_doc->EventCount(QDate(1970, 1, 2)), 0);

    m_doc->SelectDay(QDate(2030, 12, 31));
    m_frame->NextYearButton()->click();
    QCOMPARE(m_doc->Selected(), QDate(2031, 12, 31));
    QVERIFY(!m_frame->NextYearButton()->isEnabled() && m_frame->PreviousYearButton()->isEnabled());
    QTest::keyClick(view(), Qt::Key_PageDown);
    QTest::keyClick(view(), Qt::Key_Down);
    QCOMPARE(m_doc->Selected(), QDate(2031, 12, 31));

    // Arrow keys cross into the next year; "今年" comes back to today.
    m_doc->SelectDay(QDate(2024, 12, 30));
    QTest::keyClick(view(), Qt::Key_Right);
    QTest::keyClick(view(), Qt::Key_Down);
    QCOMPARE(m_doc->Selected(), QDate(2025, 1, 7));
    QCOMPARE(m_frame->YearLabel()->text(), QStringLiteral("2025年"));
    QTest::keyClick(view(), Qt::Key_Up);
    QCOMPARE(m_doc->Selected(), QDate(2024, 12, 31));
    m_frame->ThisYearButton()->click();
    QCOMPARE(m_doc->Selected(), kToday);
}

void TestYear::repeatOccurrencesAreMarked()
{
    const uint32_t weekly = addEvent(QDate(2024, 1, 1), QStringLiteral("週次定例"), 1 << 1);
    QCOMPARE(m_app->DateStore().AddException(weekly, QDate(2024, 1, 15)), TavStatusCode::Ok);
    emit m_state->changed();
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 8)), 1);  // only an occurrence
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 15)), 0); // the exception
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 9)), 0);
    QCOMPARE(m_doc->EventCount(QDate(2024, 12, 30)), 1);
    QVERIFY(view()->ToolTipText(QDate(2024, 1, 8)).endsWith(QStringLiteral("予定 1件")));

    // A new event counts at once, also in another year, and hidden private events do not.
    addEvent(QDate(2024, 1, 8), QStringLiteral("眼科"));
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 8)), 2);
    m_doc->StepYear(1);
    QCOMPARE(m_doc->EventCount(QDate(2025, 1, 6)), 1);
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 8)), 0); // not the shown year
    addEvent(QDate(2025, 3, 3), QStringLiteral("健康診断"), 0, true);
    QCOMPARE(m_doc->EventCount(QDate(2025, 3, 3)), 2);
    m_app->DateStore().SetPrivateMode(2);
    emit m_state->changed();
    QCOMPARE(m_doc->EventCount(QDate(2025, 3, 3)), 1); // the weekly one only
}

void TestYear::doubleClickOpensDayWindow()
{
    const QDate day(2024, 8, 15);
    clickDay(day);
    QCOMPARE(m_doc->Selected(), day);
    QVERIFY(m_app->MainFrame()->ActiveModuleFrame() == m_frame);
    clickDay(QDate(2024, 10, 2), true);
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 10, 2));
    QVERIFY(m_app->MainFrame()->ActiveModuleFrame() == m_app->Frame(TavSlot::Day));

    // Enter opens the selected day the same way.
    m_app->SwitchModule(TavModule::Year);
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Left);
    QTest::keyClick(view(), Qt::Key_Return);
    QCOMPARE(m_state->CurrentDay(), QDate(2024, 10, 1));
    QVERIFY(m_app->MainFrame()->ActiveModuleFrame() == m_app->Frame(TavSlot::Day));
}

void TestYear::discardRemovesOldEvents()
{
    QMenu tools;
    m_frame->FillMenu(CTavModuleFrame::ToolsMenu, &tools);
    QVERIFY(tools.actions().contains(m_frame->DiscardAction()));
    QVERIFY(m_frame->DiscardAction()->isEnabled());

    addEvent(QDate(2024, 1, 10), QStringLiteral("古い予定"));
    addEvent(QDate(2024, 3, 8), QStringLiteral("先週の予定"));
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 10)), 1);
    // Cancel keeps everything; OK with the first period removes what is older than a week.
    m_env->AnswerDialog(AppTestEnv::PressCancel());
    m_frame->DiscardAction()->trigger();
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 10)), 1);
    m_env->AnswerDialog([](CTavDialogBase& dialog) {
        dialog.accept();
        return dialog.result();
    });
    m_frame->DiscardAction()->trigger();
    QVERIFY(m_env->AllAnswersUsed());
    QCOMPARE(m_doc->EventCount(QDate(2024, 1, 10)), 0);
    QCOMPARE(m_doc->EventCount(QDate(2024, 3, 8)), 1);
}

void TestYear::holidaysAndWeekdayColours()
{
    const QString folder = CTavDbBackupFolder::Path(m_app->Users());
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(PalmTest::writeFile(folder + QStringLiteral("Holiday2024.pdb"),
                                holidayDb(2024, {{QDate(2024, 1, 1), QStringLiteral("元日")},
                                                 {QDate(2024, 3, 20), QStringLiteral("春分の日")},
                                                 {QDate(2024, 5, 3), QStringLiteral("憲法記念日")}})));
    CTavDbBackupFolder::MarkChanged();
    CTavScDayStyle& style = m_state->DayStyle();
    addEvent(QDate(2024, 3, 4), QStringLiteral("週次定例"), 1 << 1);
    addEvent(QDate(2024, 5, 3), QStringLiteral("旅行"));
    const QDate holiday(2024, 3, 20); // a Wednesday
    const QDate plain(2024, 3, 21);
    QVERIFY(!view()->ToolTipText(holiday).contains(QStringLiteral("春分の日"))); // holidays hidden

    style.SetShowHolidays(true);
    std::array<bool, 7> on{};
    std::array<TavColorRef, 7> colors{};
    on[0] = on[6] = true;
    colors[0] = TavRgb(0xD0, 0x20, 0x80);
    colors[6] = TavRgb(0x10, 0x40, 0xF0);
    style.SetWeekdayColors(on, colors);
    emit m_state->changed();
    QCOMPARE(view()->ToolTipText(holiday), QStringLiteral("2024年3月20日 (水)\n春分の日"));

    QImage image(view()->size(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        view()->Draw(painter, view()->rect());
    }
    const QColor red = CTavComUtil::ToQColor(style.HolidayColor());
    const QColor saturday = CTavComUtil::ToQColor(colors[6]);
    const QColor sunday = CTavComUtil::ToQColor(colors[0]);
    QVERIFY(shows(image, view()->DayRect(holiday), red));
    QVERIFY(!shows(image, view()->DayRect(plain), red));
    QVERIFY(shows(image, view()->DayRect(QDate(2024, 3, 23)), saturday));
    QVERIFY(shows(image, view()->DayRect(QDate(2024, 3, 24)), sunday));
    QVERIFY(!shows(image, view()->DayRect(plain), saturday));

    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("year-window-1024x768"));
    m_app->MainFrame()->resize(1920, 1080);
    QTest::qWait(1);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("year-window-1920x1080"));
    m_app->MainFrame()->resize(800, 1000);
    QTest::qWait(1);
    QCOMPARE(view()->Layout().Columns(), 3);
    AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("year-window-tall"));
}

QTEST_MAIN(TestYear)
#include "tst_year.moc"
