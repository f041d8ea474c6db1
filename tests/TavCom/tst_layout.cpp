#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

#include "CTavComDayClock.h"
#include "CTavComOverlapLayout.h"
#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "GridTestData.h"

using Span = CTavComOverlapLayout::Span;
using GridTestData::sec;

Q_DECLARE_METATYPE(std::vector<Span>)

namespace {

Span span(int h0, int m0, int h1, int m1)
{
    return Span{sec(h0, m0), sec(h1, m1)};
}

// Overlapping spans must never share a lane, whatever else the layout decides.
void checkInvariants(const std::vector<Span>& spans)
{
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span& a = spans[i];
        QVERIFY(a.lane >= 0 && a.span >= 1 && a.lane + a.span <= a.lanes);
        for (size_t j = i + 1; j < spans.size(); ++j) {
            const Span& b = spans[j];
            if (!CTavComOverlapLayout::Overlaps(a, b))
                continue;
            QCOMPARE(a.group, b.group);
            QCOMPARE(a.lanes, b.lanes);
            const bool apart = a.lane + a.span <= b.lane || b.lane + b.span <= a.lane;
            QVERIFY2(apart, qPrintable(QStringLiteral("spans %1 and %2 share a lane").arg(i).arg(j)));
        }
    }
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void lanes_data();
    void lanes();
    void randomDaysKeepOverlapsApart();
    void threeHundredOverlapping();
    void columnKeepsOverlapsAndTouchingApart();
    void shortAndLateBoxesStayVisible();
    void dayTimesFromStoredSeconds_data();
    void dayTimesFromStoredSeconds();
    void untimedBoxesStack();
    void dayClockAgreesWithLocalTime_data();
    void dayClockAgreesWithLocalTime();
};

void TestLayout::lanes_data()
{
    QTest::addColumn<std::vector<Span>>("spans");
    // Expected per span: lane, span, lanes of its group, group.
    QTest::addColumn<QList<QList<int>>>("expected");
    QTest::newRow("touching do not overlap") << std::vector<Span>{span(9, 0, 10, 0), span(10, 0, 11, 0)}
                                             << QList<QList<int>>{{0, 1, 1, 0}, {0, 1, 1, 1}};
    QTest::newRow("chain makes one group")
        << std::vector<Span>{span(9, 0, 10, 0), span(9, 30, 10, 30), span(10, 15, 11, 0)}
        << QList<QList<int>>{{0, 1, 2, 0}, {1, 1, 2, 0}, {0, 1, 2, 0}};
    QTest::newRow("nested share the long one's neighbour lane")
        << std::vector<Span>{span(9, 30, 10, 0), span(9, 0, 12, 0), span(10, 30, 11, 0)}
        << QList<QList<int>>{{1, 1, 2, 0}, {0, 1, 2, 0}, {1, 1, 2, 0}};
    QTest::newRow("identical spans side by side")
        << std::vector<Span>{span(9, 0, 10, 0), span(9, 0, 10, 0), span(9, 0, 10, 0)}
        << QList<QList<int>>{{0, 1, 3, 0}, {1, 1, 3, 0}, {2, 1, 3, 0}};
    QTest::newRow("later box widens over a lane freed earlier")
        << std::vector<Span>{span(9, 0, 12, 0), span(9, 0, 10, 0), span(9, 0, 10, 0), span(10, 0, 11, 0)}
        << QList<QList<int>>{{0, 1, 3, 0}, {1, 1, 3, 0}, {2, 1, 3, 0}, {1, 2, 3, 0}};
    QTest::newRow("input order does not matter")
        << std::vector<Span>{span(14, 0, 15, 0), span(9, 0, 10, 0), span(9, 30, 10, 30)}
        << QList<QList<int>>{{0, 1, 1, 1}, {0, 1, 2, 0}, {1, 1, 2, 0}};
    QTest::newRow("empty spans at one moment still overlap")
        << std::vector<Span>{span(9, 0, 9, 0), span(9, 0, 9, 0)}
        << QList<QList<int>>{{0, 1, 2, 0}, {1, 1, 2, 0}};
}

void TestLayout::lanes()
{
    QFETCH(std::vector<Span>, spans);
    QFETCH(QList<QList<int>>, expected);
    int most = 0;
    for (const auto& e : expected)
        most = std::max(most, e[2]);
    QCOMPARE(CTavComOverlapLayout::Layout(spans), most);
    for (size_t i = 0; i < spans.size(); ++i) {
        const QList<int> got{spans[i].lane, spans[i].span, spans[i].lanes, spans[i].group};
        QCOMPARE(got, expected[int(i)]);
    }
    checkInvariants(spans);
}

void TestLayout::randomDaysKeepOverlapsApart()
{
    QRandomGenerator random(20250224);
    for (int round = 0; round < 50; ++round) {
        std::vector<Span> spans(random.bounded(1, 120));
        for (Span& s : spans) {
            s.start = random.bounded(0, 96) * 900;
            s.end = s.start + random.bounded(0, 16) * 900;
        }
        CTavComOverlapLayout::Layout(spans);
        checkInvariants(spans);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestLayout::threeHundredOverlapping()
{
    std::vector<Span> spans;
    for (int i = 0; i < 300; ++i)
        spans.push_back(Span{sec(8, 0) + i * 60, sec(20, 0) + i * 10});
    QCOMPARE(CTavComOverlapLayout::Layout(spans), 300);
    std::vector<bool> used(300);
    for (const Span& s : spans) {
        QCOMPARE(s.lanes, 300);
        QVERIFY(!used[s.lane]);
        used[s.lane] = true;
    }
    checkInvariants(spans);
}

void TestLayout::columnKeepsOverlapsAndTouchingApart()
{
    CTavComScheduleColum column;
    column.SetWidth(300);
    column.AddBox(GridTestData::box(9, 0, 10, 0));
    column.AddBox(GridTestData::box(9, 30, 11, 0));
    column.AddBox(GridTestData::box(11, 0, 12, 0));
    column.AddBox(GridTestData::box(10, 0, 10, 30));
    const CTavComTimeScale scale(22);
    QCOMPARE(column.CalcDuplication(scale.PixelsToSeconds(20)), 2);
    column.CalcLayout(scale, SizeSetting{});
    const auto& boxes = column.GetBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const QRect a = boxes[i]->GetRect();
        QVERIFY(a.left() >= 1 && a.right() < 300);
        for (size_t j = i + 1; j < boxes.size(); ++j)
            QVERIFY2(!a.intersects(boxes[j]->GetRect()),
                     qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
    }
    // The 11:00 box follows the 9:30 one and has nothing beside it: full width.
    QCOMPARE(boxes[2]->GetDupCount(), 1);
    QVERIFY(boxes[2]->GetRect().width() > boxes[1]->GetRect().width() * 3 / 2);
}

void TestLayout::shortAndLateBoxesStayVisible()
{
    CTavComScheduleColum column;
    column.SetWidth(200);
    column.AddBox(GridTestData::box(9, 0, 9, 0));     // no length
    column.AddBox(GridTestData::box(9, 10, 9, 20));   // shorter than a line of text
    column.AddBox(GridTestData::box(23, 50, 23, 55)); // too close to midnight to grow down
    auto* overnight = GridTestData::box(22, 0, 0, 0);
    overnight->SetTimes(GridTestData::at(22, 0), GridTestData::at(1, 0, 1)); // ends the next day
    column.AddBox(overnight);
    const CTavComTimeScale scale(22);
    const int minSeconds = scale.PixelsToSeconds(21);
    column.CalcDuplication(minSeconds);
    column.CalcLayout(scale, SizeSetting{});
    const auto& b = column.GetBoxes();
    for (const auto& box : b)
        QVERIFY(box->GetRect().height() >= 18);
    // The empty box and the short one now meet on screen, so they sit side by side.
    QCOMPARE(b[0]->GetDupCount(), 2);
    QVERIFY(!b[0]->GetRect().intersects(b[1]->GetRect()));
    QVERIFY(b[2]->GetRect().bottom() < scale.DayHeight());
    QCOMPARE(b[3]->GetEndSec(), 86400);
    QVERIFY(b[3]->GetRect().bottom() < scale.DayHeight());
    QVERIFY(b[2]->GetRect().intersects(b[3]->GetRect()) == false);
}

void TestLayout::dayTimesFromStoredSeconds_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<int>("startSec");
    QTest::addColumn<int>("endSec");
    using GridTestData::at;
    QTest::newRow("first occurrence years ago")
        << at(8, 0, -800) << at(9, 30, -800) << sec(8, 0) << sec(9, 30);
    QTest::newRow("end on the next day") << at(23, 0) << at(2, 0, 1) << sec(23, 0) << 86400;
    QTest::newRow("end before start") << at(10, 0) << at(9, 0) << sec(10, 0) << sec(10, 0);
    QTest::newRow("end on an earlier day") << at(10, 0) << at(11, 0, -1) << sec(10, 0) << sec(10, 0);
}

void TestLayout::dayTimesFromStoredSeconds()
{
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    CTavComScheduleBox box;
    box.SetTimes(start, end);
    box.CalcDayTimes();
    QTEST(box.GetStartSec(), "startSec");
    QTEST(box.GetEndSec(), "endSec");
}

void TestLayout::untimedBoxesStack()
{
    CTavComScheduleColum column;
    column.SetX(50);
    column.SetWidth(120);
    for (int i = 0; i < 3; ++i)
        column.AddNoTimeBox(GridTestData::box(0, 0, 0, 0, QStringLiteral("終日 %1").arg(i)));
    column.CalcDuplication();
    SizeSetting size;
    size.noTimeRowHeight = 24;
    column.CalcLayout(CTavComTimeScale(22), size);
    const auto& b = column.GetNoTimeBoxes();
    QVERIFY(column.GetBoxes().empty());
    for (size_t i = 0; i < b.size(); ++i) {
        QVERIFY(b[i]->IsNoTime());
        QCOMPARE(b[i]->GetRect().top(), 2 + int(i) * 24);
        QVERIFY(b[i]->GetRect().left() > 50 && b[i]->GetRect().right() < 170);
        QVERIFY(b[i]->BottomEdgeRect().isEmpty());
        if (i > 0)
            QVERIFY(!b[i]->GetRect().intersects(b[i - 1]->GetRect()));
    }
}

void TestLayout::dayClockAgreesWithLocalTime_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("threeDays"); // seconds in the three days, to see that the zone applies
    QTest::newRow("clocks go forward") << QByteArray("Europe/Berlin") << QDate(2025, 3, 29) << 71 * 3600;
    QTest::newRow("clocks go back") << QByteArray("Europe/Berlin") << QDate(2025, 10, 25) << 73 * 3600;
    QTest::newRow("half-hour change")
        << QByteArray("Australia/Lord_Howe") << QDate(2025, 4, 5) << 72 * 3600 + 1800;
}

void TestLayout::dayClockAgreesWithLocalTime()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, from);
    const QByteArray saved = qgetenv("TZ");
    const auto restore = qScopeGuard([&saved] {
        if (saved.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", saved);
        tzset();
    });
    qputenv("TZ", zone);
    tzset();
    const qint64 start = from.startOfDay().toSecsSinceEpoch();
    QTEST(int(from.addDays(3).startOfDay().toSecsSinceEpoch() - start), "threeDays");
    CTavComDayClock clock;
    // In order (the remembered day answers) and then jumping about (it must not answer wrongly).
    QRandomGenerator random(7);
    for (int pass = 0; pass < 2; ++pass) {
        for (qint64 i = 0; i < 3 * 86400 / 300; ++i) {
            const qint64 t = pass == 0 ? start + i * 300 : start + random.bounded(3 * 86400);
            const QDateTime local = QDateTime::fromSecsSinceEpoch(t);
            const CTavComDayClock::Local got = clock.Split(t);
            QCOMPARE(got.day, local.date().toJulianDay());
            QCOMPARE(got.seconds, local.time().msecsSinceStartOfDay() / 1000);
        }
    }
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
