#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavDbDateRecord.h"
#include "CTavDbDateRepeat.h"
#include "CTavScDiscardDlg.h"
#include "CTavScRepeatDlg.h"
#include "CTavScRepeatRule.h"
#include "CTavScSeriesMove.h"
#include "CTavScTimeEdit.h"

Q_DECLARE_METATYPE(CTavScRepeatRule)

namespace {
CTavScRepeatRule rule(int kind, int interval, uint8_t mask = 0, int method = CTavScRepeatRule::ByDate)
{
    CTavScRepeatRule r;
    r.kind = kind;
    r.interval = interval;
    r.mask = mask;
    r.method = method;
    return r;
}
constexpr uint8_t kMon = 1 << 1;
constexpr uint8_t kWed = 1 << 3;
constexpr uint8_t kFri = 1 << 5;
} // namespace

// Repeat rules: their description, the mapping to the record and back, the repeat dialog's
// corrections, and the small date and time rules of the schedule's dialogs.
class TestRepeat : public QObject
{
    Q_OBJECT
private slots:
    void description_data();
    void description();
    void englishArgumentOrder();
    void recordRoundTrip_data();
    void recordRoundTrip();
    void dialogOpening();
    void intervalCorrections_data();
    void intervalCorrections();
    void dialogResultAndDescriptionFollowEdits();
    void minuteStepping_data();
    void minuteStepping();
    void discardCutOff_data();
    void discardCutOff();
    void weekdayMovedBeforeTheStart();
};

void TestRepeat::description_data()
{
    QTest::addColumn<CTavScRepeatRule>("rule");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("text");
    const QDate tue2(2024, 3, 12); // the second Tuesday of March
    QTest::newRow("every other day") << rule(1, 2) << tue2 << QStringLiteral("隔日");
    QTest::newRow("every 5 days") << rule(1, 5) << tue2 << QStringLiteral(" 5 日おきに");
    QTest::newRow("biweekly three days")
        << rule(2, 2, kMon | kWed | kFri) << tue2 << QStringLiteral("隔週 月, 水, および 金");
    QTest::newRow("4 months by date")
        << rule(3, 4) << QDate(2024, 3, 15) << QStringLiteral(" 4 ヶ月おきの 15 日");
    QTest::newRow("8th is second") << rule(3, 1, 0, 1) << QDate(2024, 3, 8)
                                   << QStringLiteral("毎月第 2 金曜日");
    QTest::newRow("29th is last") << rule(3, 2, 0, 1) << QDate(2024, 3, 29)
                                  << QStringLiteral("隔月最後の 金曜日");
    QTest::newRow("every 10 years") << rule(4, 10) << QDate(2024, 12, 1)
                                    << QStringLiteral(" 10 年おきの 12月 1日");
}

void TestRepeat::description()
{
    QFETCH(CTavScRepeatRule, rule);
    QFETCH(QDate, start);
    QFETCH(QString, text);
    QCOMPARE(rule.Describe(start), text);
}

void TestRepeat::englishArgumentOrder()
{
    const QDate start(2024, 4, 15);
    QCOMPARE(rule(3, 1, 0, 1).Describe(start, QStringLiteral("enUS")), QStringLiteral("第 3月月曜日 毎"));
    QCOMPARE(rule(4, 2).Describe(start, QStringLiteral("enUS")), QStringLiteral("4月年 15 隔日"));
}

void TestRepeat::recordRoundTrip_data()
{
    QTest::addColumn<CTavScRepeatRule>("rule");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("dayIndex");
    QTest::addColumn<int>("dayNumber");
    // Start: Thursday 2024-05-16, the third Thursday.
    QTest::newRow("weekly") << rule(2, 1, kMon | kFri) << int(CTavDbDateRecord::RepeatWeekly) << 1 << 0;
    QTest::newRow("monthly by date") << rule(3, 2) << int(CTavDbDateRecord::RepeatMonthlyByDate) << 0 << 16;
    CTavScRepeatRule byWeekday = rule(3, 1, 0, 1);
    byWeekday.weekIndex = 2;
    QTest::newRow("monthly by weekday")
        << byWeekday << int(CTavDbDateRecord::RepeatMonthlyByWeekday) << 4 << 0;
    CTavScRepeatRule yearly = rule(4, 1);
    yearly.monthIndex = 4;
    yearly.hasEnd = true;
    yearly.endDate = QDate(2030, 5, 16);
    QTest::newRow("yearly with end") << yearly << int(CTavDbDateRecord::RepeatYearly) << 0 << 16;
}

void TestRepeat::recordRoundTrip()
{
    QFETCH(CTavScRepeatRule, rule);
    QFETCH(int, kind);
    QFETCH(int, dayIndex);
    QFETCH(int, dayNumber);
    const QDate start(2024, 5, 16);
    CTavDbDateRecord record;
    record.SetStartTime(CTavDbTime::fromDate(start));
    record.SetEndTime(CTavDbTime::fromDate(start) + 3600);
    rule.ToRecord(record, start, 1);
    QCOMPARE(record.GetMyBrand(), kind);
    QCOMPARE(record.GetDayIndex(), dayIndex);
    if (dayNumber)
        QCOMPARE(record.GetDayNumber(), dayNumber);
    QCOMPARE(record.Validate(), TavStatusCode::Ok);

    const CTavScRepeatRule back = CTavScRepeatRule::FromRecord(record);
    QCOMPARE(back.kind, rule.kind);
    QCOMPARE(back.interval, rule.interval);
    QCOMPARE(back.hasEnd, rule.hasEnd);
    if (rule.hasEnd)
        QCOMPARE(back.endDate, rule.endDate);
    if (rule.kind == CTavScRepeatRule::Weekly)
        QCOMPARE(back.mask, rule.mask);
    if (kind == CTavDbDateRecord::RepeatMonthlyByWeekday)
        QCOMPARE(back.weekIndex, 2);

    // A stored interval of 0 reads as 1, and no rule writes the no-date end.
    record.SetInterval(0);
    QCOMPARE(CTavScRepeatRule::FromRecord(record).interval, 1);
    CTavScRepeatRule().ToRecord(record, start, 0);
    QCOMPARE(record.GetMyBrand(), 0);
    QCOMPARE(record.GetEndDate(), maxDateTime);
}

void TestRepeat::dialogOpening()
{
    AppTestEnv env;
    CTavScRepeatDlg dialog;
    // A weekly rule without days opens with the start's weekday; a bad interval shows 1.
    dialog.Set(QStringLiteral("定期的な予定"), QDate(2024, 3, 13), rule(2, 150));
    QCOMPARE(dialog.IntervalEdit()->text(), QStringLiteral("1"));
    for (int d = 0; d < 7; ++d)
        QCOMPARE(dialog.DayBox(d)->isChecked(), d == 3);
    QCOMPARE(dialog.EndDate()->minimumDate(), QDate(2024, 3, 13));
    dialog.show();
    QVERIFY(!dialog.ByDateRadio()->isVisible());
    AppTestEnv::Screenshot(&dialog, QStringLiteral("repeat-dialog-weekly"));

    // Monthly shows the method and hides the days; the end date opens checked.
    CTavScRepeatRule monthly = rule(3, 2, 0, 1);
    monthly.hasEnd = true;
    monthly.endDate = QDate(2025, 1, 31);
    dialog.Set(QStringLiteral("定期的な予定"), QDate(2024, 3, 29), monthly);
    QVERIFY(dialog.ByWeekdayRadio()->isChecked());
    QCOMPARE(dialog.EndDate()->date(), QDate(2025, 1, 31));
    QVERIFY(!dialog.DayBox(0)->isVisible());
    const CTavScRepeatRule back = dialog.Rule();
    QCOMPARE(back.weekIndex, 4);
    QCOMPARE(back.mask, uint8_t(0));
    AppTestEnv::Screenshot(&dialog, QStringLiteral("repeat-dialog-monthly"));
}

void TestRepeat::intervalCorrections_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("two digits at most") << QStringLiteral("150") << QStringLiteral("15");
    QTest::newRow("letter restores") << QStringLiteral("4a") << QStringLiteral("4");
}

void TestRepeat::intervalCorrections()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    AppTestEnv env;
    CTavScRepeatDlg dialog;
    dialog.Set(QStringLiteral("定期的な予定"), QDate(2024, 3, 13), rule(1, 1));
    dialog.show();
    dialog.IntervalEdit()->selectAll();
    dialog.IntervalEdit()->del();
    QTest::keyClicks(dialog.IntervalEdit(), typed);
    QCOMPARE(dialog.IntervalEdit()->text(), shown);
}

void TestRepeat::dialogResultAndDescriptionFollowEdits()
{
    AppTestEnv env;
    CTavScRepeatDlg dialog;
    dialog.Set(QStringLiteral("定期的な予定"), QDate(2024, 3, 11), rule(0, 0));
    dialog.show();
    QTest::mouseClick(dialog.KindRadio(2), Qt::LeftButton);
    QCOMPARE(dialog.Description(), QStringLiteral("毎週 月曜日"));
    dialog.DayBox(3)->setChecked(true);
    dialog.IntervalEdit()->selectAll();
    QTest::keyClicks(dialog.IntervalEdit(), QStringLiteral("3"));
    QCOMPARE(dialog.Description(), QStringLiteral(" 3 週おきの 月, および 水"));
    const CTavScRepeatRule result = dialog.Rule();
    QCOMPARE(result.kind, int(CTavScRepeatRule::Weekly));
    QCOMPARE(result.interval, 3);
    QCOMPARE(result.mask, uint8_t(kMon | kWed));
}

void TestRepeat::minuteStepping_data()
{
    QTest::addColumn<QTime>("from");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QTime>("to");

    QTest::newRow("up from :55 stays in the hour") << QTime(10, 55) << 1 << QTime(10, 0);
    QTest::newRow("down from :00 goes to the hour before") << QTime(10, 0) << -1 << QTime(9, 55);
    QTest::newRow("down from midnight stays in the day") << QTime(0, 0) << -1 << QTime(23, 55);
    QTest::newRow("odd minute up") << QTime(10, 7) << 1 << QTime(10, 10);
    QTest::newRow("odd minute down") << QTime(10, 7) << -1 << QTime(10, 5);
    QTest::newRow("two steps") << QTime(8, 50) << 2 << QTime(8, 0);
}

void TestRepeat::minuteStepping()
{
    QFETCH(QTime, from);
    QFETCH(int, steps);
    QFETCH(QTime, to);
    CTavScTimeEdit edit;
    edit.setTime(from);
    edit.setCurrentSection(QDateTimeEdit::MinuteSection);
    edit.stepBy(steps);
    QCOMPARE(edit.time(), to);
}

void TestRepeat::discardCutOff_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("period");
    QTest::addColumn<QDate>("cutOff");

    QTest::newRow("three weeks") << QDate(2024, 3, 5) << 2 << QDate(2024, 2, 13);
    QTest::newRow("month back to leap day") << QDate(2024, 3, 31) << 3 << QDate(2024, 2, 29);
    QTest::newRow("month back to february") << QDate(2023, 3, 30) << 3 << QDate(2023, 2, 28);
    QTest::newRow("january to december") << QDate(2024, 1, 15) << 3 << QDate(2023, 12, 15);
}

void TestRepeat::discardCutOff()
{
    QFETCH(QDate, today);
    QFETCH(int, period);
    QFETCH(QDate, cutOff);
    QCOMPARE(CTavScDiscardDlg::CutOff(today, period), cutOff);
}

void TestRepeat::weekdayMovedBeforeTheStart()
{
    // A weekly series from Wednesday 13 or Tuesday 12 March 2024, one weekday moved to the
    // Sunday that starts the week; the days it meets from 3 to 31 March.
    const auto movedSeries = [](const QDate& start, uint8_t mask, int interval, const QDate& from) {
        CTavDbDateRecord original;
        original.SetStartTime(CTavDbTime::fromDateAndTime(start, QTime(10, 0)));
        original.SetEndTime(CTavDbTime::fromDateAndTime(start, QTime(11, 0)));
        original.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
        original.SetInterval(interval);
        original.SetWeekDayMask(mask);
        CTavDbDateRecord moved = original;
        moved.SetWeekDayMask((mask & ~(1 << (from.dayOfWeek() % 7))) | 1);
        CTavScSeriesMove::Apply(moved, original, from, QDate(2024, 3, 10));
        const CTavDbDateRepeat repeat(moved);
        QList<int> days;
        for (QDate d(2024, 3, 3); d <= QDate(2024, 3, 31); d = d.addDays(1))
            if (repeat.OccursOn(d))
                days << d.day();
        return days;
    };
    // Monday 11 March never was an occurrence and does not become one.
    QCOMPARE(movedSeries(QDate(2024, 3, 13), kMon | kWed, 1, QDate(2024, 3, 13)),
             (QList<int>{10, 17, 18, 24, 25, 31}));
    // Every other week: the Saturdays go to Sunday within their weeks, the phase stays.
    QCOMPARE(movedSeries(QDate(2024, 3, 12), (1 << 2) | (1 << 6), 2, QDate(2024, 3, 16)),
             (QList<int>{10, 12, 24, 26}));
}

QTEST_MAIN(TestRepeat)
#include "tst_repeat.moc"
