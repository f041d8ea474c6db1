#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

#include "CTavComDayClock.h"
#include "CTavComDragTracker.h"
#include "CTavComGridGeometry.h"
#include "CTavComOverlapLayout.h"
#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "GridTestData.h"

using Area = CTavComHit::Area;
using Mode = CTavComDragTracker::Mode;
using Span = CTavComOverlapLayout::Span;
using GridTestData::at;
using GridTestData::sec;

Q_DECLARE_METATYPE(std::vector<Span>)

namespace {
// Titles 30 pixels high, untimed rows of 24, memo-sheet icons of 11.
void setUp(CTavComGridGeometry& geo, QSize viewport, CTavComColumList* columns = nullptr, int count = 0)
{
    geo.SetSize(SizeSetting{.rowHeight = 20, .timeWidth = 50, .colMinWidth = 60});
    geo.SetViewport(viewport);
    for (int i = 0; i < count; ++i)
        columns->push_back(std::make_unique<CTavComScheduleColum>());
}

void layOut(CTavComGridGeometry& geo, CTavComColumList& columns)
{
    geo.LayoutColumns(columns);
    for (const auto& c : columns) {
        c->CalcDuplication();
        c->CalcLayout(geo.Scale(), geo.GetSize());
    }
}

Span span(int h0, int m0, int h1, int m1)
{
    return Span{sec(h0, m0), sec(h1, m1)};
}

// Boxes of one column must not cover each other and stay inside it.
void checkApart(const CTavComScheduleColum& column)
{
    const auto& boxes = column.GetBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const QRect a = boxes[i]->GetRect();
        QVERIFY(a.left() >= column.GetX() + 1 && a.right() < column.GetX() + column.GetWidth());
        for (size_t j = i + 1; j < boxes.size(); ++j)
            QVERIFY2(!a.intersects(boxes[j]->GetRect()),
                     qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
    }
}
} // namespace

// The grid's arithmetic without a window: time and pixels, regions and hits, the lanes of
// overlapping boxes, local days and the clamps of a drag.
class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void timeScaleRoundTrips_data();
    void timeScaleRoundTrips();
    void columnsShareTheWidthOrScroll();
    void hitTests();
    void lanes_data();
    void lanes();
    void columnBoxesStayApartAndVisible();
    void dayClockAgreesWithLocalTime_data();
    void dayClockAgreesWithLocalTime();
    void drag_data();
    void drag();
    void dragBetweenBandAndHours();
};

void TestGeometry::timeScaleRoundTrips_data()
{
    QTest::addColumn<int>("rowHeight");
    for (int h : {4, 11, 22, 37, 600})
        QTest::addRow("row %d", h) << h;
}

void TestGeometry::timeScaleRoundTrips()
{
    QFETCH(int, rowHeight);
    const CTavComTimeScale scale(rowHeight);
    QCOMPARE(scale.TimeToY(sec(9, 0)), 9 * 2 * rowHeight);
    // Every y maps to the first second of its row: one second earlier is the row above.
    for (int y = 0; y <= rowHeight * 48; ++y) {
        const int t = scale.YToTime(y);
        QCOMPARE(scale.TimeToY(t), y);
        QCOMPARE(scale.TimeToY(t - 1), y - (y > 0));
    }
    QCOMPARE(scale.YToTime(-50), 0);
    QCOMPARE(scale.YToTime(scale.DayHeight() + 50), 86400);
    QVERIFY(scale.TimeToY(scale.PixelsToSeconds(17)) >= 17);
}

void TestGeometry::columnsShareTheWidthOrScroll()
{
    CTavComGridGeometry geo;
    CTavComColumList columns;
    setUp(geo, QSize(50 + 703, 500), &columns, 7);
    geo.LayoutColumns(columns);
    for (int i = 0, x = 0; i < 7; x += columns[i++]->GetWidth()) {
        QCOMPARE(columns[i]->GetX(), x);
        QVERIFY(columns[i]->GetWidth() == 100 || columns[i]->GetWidth() == 101);
        QCOMPARE(geo.ColumnAt(50 + x), i);
        QCOMPARE(geo.ColumnAt(50 + x - 1), i - 1);
    }
    QCOMPARE(geo.MaxScrollX(), 0);
    QCOMPARE(geo.ColumnAt(50 + 703), -1);

    // Narrow: the columns keep their minimum widths and the grid scrolls.
    setUp(geo, QSize(250, 500));
    geo.SetNoTimeShown(false);
    columns[2]->SetMinWidth(90);
    geo.LayoutColumns(columns);
    QCOMPARE(columns[0]->GetWidth(), 60);
    QCOMPARE(geo.MaxScrollX(), 6 * 60 + 90 - 200);
    geo.SetScroll(120, 9 * 40);
    QCOMPARE(geo.TimeAt(30 + 20), sec(9, 30));
    QCOMPARE(geo.ColumnAt(50), 2);
    QCOMPARE(geo.ViewToTimed(QPoint(70, 70)), QPoint(140, 400));
    QCOMPARE(geo.TimedToView(QPoint(140, 400)), QPoint(70, 70));
    // The band follows sideways scrolling only.
    geo.SetNoTimeShown(true);
    QCOMPARE(geo.ViewToNoTime(QPoint(70, 40)), QPoint(140, 10));
    QCOMPARE(geo.NoTimeToView(QPoint(140, 10)), QPoint(70, 40));
}

void TestGeometry::hitTests()
{
    CTavComGridGeometry geo;
    CTavComColumList columns;
    setUp(geo, QSize(50 + 400, 700), &columns, 2);
    geo.SetNoTimeRows(1);
    auto* meeting = GridTestData::box(9, 0, 10, 0, QStringLiteral("会議"));
    auto* untimed = GridTestData::box(0, 0, 0, 0, QStringLiteral("誕生日"));
    auto* first = GridTestData::box(9, 0, 10, 0);
    meeting->SetFreeMemo(true);
    untimed->SetFreeMemo(true);
    columns[1]->AddBox(meeting);
    columns[1]->AddNoTimeBox(untimed);
    columns[0]->AddBox(first);
    layOut(geo, columns);
    geo.SetScroll(0, 8 * 40);
    const QRect box = QRect(geo.TimedToView(meeting->GetRect().topLeft()), meeting->GetRect().size());
    QCOMPARE(box.top(), geo.TimedTop() + 40 + 1);

    const CTavComHit middle = geo.HitTest(box.center(), columns);
    QVERIFY(middle.area == Area::Timed && middle.column == 1 && middle.box == meeting && middle.hour == 9);
    QVERIFY(!middle.onBottomEdge && !middle.onMemoIcon);
    const CTavComHit justBelow = geo.HitTest(QPoint(box.center().x(), box.bottom() + 2), columns);
    QVERIFY(justBelow.box == nullptr && justBelow.hour == 10);

    const QRect icon = meeting->FreeMemoIconRect(11).translated(box.topLeft() - meeting->GetRect().topLeft());
    QVERIFY(geo.HitTest(icon.center(), columns).onMemoIcon);
    meeting->SetPrivate(true);
    meeting->SetMaskMode(true);
    QVERIFY2(!geo.HitTest(icon.center(), columns).onMemoIcon, "a masked box shows no memo-sheet icon");

    const CTavComHit band = geo.HitTest(geo.NoTimeToView(untimed->GetRect().center()), columns);
    QVERIFY(band.IsNoTime() && band.box == untimed && band.seconds == -1);
    QVERIFY(geo.HitTest(geo.NoTimeToView(untimed->FreeMemoIconRect(11).center()), columns).onMemoIcon);

    // Two boxes put on top of each other, as a moved box can be: the later one is hit, unless
    // the other is the selected one.
    auto* second = GridTestData::box(9, 0, 10, 0);
    columns[0]->AddBox(second);
    layOut(geo, columns);
    second->SetRect(first->GetRect());
    const QPoint p = geo.TimedToView(first->GetRect().center());
    QCOMPARE(geo.HitTest(p, columns).box, second);
    QCOMPARE(geo.HitTest(p, columns, first).box, first);
}

void TestGeometry::lanes_data()
{
    QTest::addColumn<std::vector<Span>>("spans");
    QTest::addColumn<QList<QList<int>>>("expected"); // per span: lane, span, lanes of its group, group
    QTest::newRow("touching do not overlap") << std::vector<Span>{span(9, 0, 10, 0), span(10, 0, 11, 0)}
                                             << QList<QList<int>>{{0, 1, 1, 0}, {0, 1, 1, 1}};
    QTest::newRow("chain makes one group")
        << std::vector<Span>{span(9, 0, 10, 0), span(9, 30, 10, 30), span(10, 15, 11, 0)}
        << QList<QList<int>>{{0, 1, 2, 0}, {1, 1, 2, 0}, {0, 1, 2, 0}};
    QTest::newRow("nested share the long one's neighbour lane")
        << std::vector<Span>{span(9, 30, 10, 0), span(9, 0, 12, 0), span(10, 30, 11, 0)}
        << QList<QList<int>>{{1, 1, 2, 0}, {0, 1, 2, 0}, {1, 1, 2, 0}};
    QTest::newRow("later box widens over a lane freed earlier")
        << std::vector<Span>{span(9, 0, 12, 0), span(9, 0, 10, 0), span(9, 0, 10, 0), span(10, 0, 11, 0)}
        << QList<QList<int>>{{0, 1, 3, 0}, {1, 1, 3, 0}, {2, 1, 3, 0}, {1, 2, 3, 0}};
    QTest::newRow("empty spans at one moment still overlap")
        << std::vector<Span>{span(9, 0, 9, 0), span(9, 0, 9, 0)}
        << QList<QList<int>>{{0, 1, 2, 0}, {1, 1, 2, 0}};
    // Random days only keep the rules below; three hundred boxes all overlapping take a lane each.
    QRandomGenerator random(20250224);
    for (int round = 0; round < 50; ++round) {
        std::vector<Span> spans(random.bounded(1, 120));
        for (Span& s : spans) {
            s.start = random.bounded(0, 96) * 900;
            s.end = s.start + random.bounded(0, 16) * 900;
        }
        QTest::addRow("random %d", round) << spans << QList<QList<int>>{};
    }
    std::vector<Span> spans;
    QList<QList<int>> lanes;
    for (int i = 0; i < 300; ++i) {
        spans.push_back(Span{sec(8, 0) + i * 60, sec(20, 0) + i * 10});
        lanes.append({i, 1, 300, 0});
    }
    QTest::newRow("three hundred at once") << spans << lanes;
}

void TestGeometry::lanes()
{
    QFETCH(std::vector<Span>, spans);
    QFETCH(QList<QList<int>>, expected);
    const int most = CTavComOverlapLayout::Layout(spans);
    QList<QList<int>> got;
    for (const Span& s : spans)
        got.append({s.lane, s.span, s.lanes, s.group});
    if (!expected.isEmpty())
        QCOMPARE(got, expected);
    QCOMPARE(most,
             std::max_element(got.begin(), got.end(), [](auto& a, auto& b) { return a[2] < b[2]; })->at(2));
    // Overlapping spans must never share a lane, whatever else the layout decides.
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span& a = spans[i];
        QVERIFY(a.lane >= 0 && a.span >= 1 && a.lane + a.span <= a.lanes);
        for (size_t j = i + 1; j < spans.size(); ++j) {
            const Span& b = spans[j];
            const bool apart = a.lane + a.span <= b.lane || b.lane + b.span <= a.lane;
            if (CTavComOverlapLayout::Overlaps(a, b))
                QVERIFY2(a.group == b.group && a.lanes == b.lanes && apart,
                         qPrintable(QStringLiteral("spans %1 and %2").arg(i).arg(j)));
        }
    }
}

void TestGeometry::columnBoxesStayApartAndVisible()
{
    const CTavComTimeScale scale(22);
    CTavComScheduleColum column;
    column.SetWidth(300);
    column.AddBox(GridTestData::box(9, 0, 10, 0));
    column.AddBox(GridTestData::box(9, 30, 11, 0));
    column.AddBox(GridTestData::box(11, 0, 12, 0));
    column.AddBox(GridTestData::box(10, 0, 10, 30));
    QCOMPARE(column.CalcDuplication(scale.PixelsToSeconds(20)), 2);
    column.CalcLayout(scale, SizeSetting{});
    checkApart(column);
    // The 11:00 box follows the 9:30 one and has nothing beside it: full width.
    const auto& boxes = column.GetBoxes();
    QCOMPARE(boxes[2]->GetDupCount(), 1);
    QVERIFY(boxes[2]->GetRect().width() > boxes[1]->GetRect().width() * 3 / 2);

    CTavComScheduleColum tight;
    tight.SetWidth(200);
    tight.AddBox(GridTestData::box(9, 0, 9, 0));     // no length
    tight.AddBox(GridTestData::box(9, 10, 9, 20));   // shorter than a line of text
    tight.AddBox(GridTestData::box(23, 50, 23, 55)); // too close to midnight to grow down
    auto* overnight = GridTestData::box(22, 0, 0, 0);
    overnight->SetTimes(at(22, 0), at(1, 0, 1)); // ends the next day
    tight.AddBox(overnight);
    tight.CalcDuplication(scale.PixelsToSeconds(21));
    tight.CalcLayout(scale, SizeSetting{});
    for (const auto& box : tight.GetBoxes())
        QVERIFY(box->GetRect().height() >= 18 && box->GetRect().bottom() < scale.DayHeight());
    // The empty box and the short one now meet on screen, so they sit side by side.
    QCOMPARE(tight.GetBoxes()[0]->GetDupCount(), 2);
    QCOMPARE(overnight->GetEndSec(), 86400);
    checkApart(tight);
    // A stored end before the start, or on an earlier day, gives a box of no length.
    for (const qint64 end : {at(9, 0), at(11, 0, -1)}) {
        CTavComScheduleBox box;
        box.SetTimes(at(10, 0), end);
        box.CalcDayTimes();
        QCOMPARE(box.GetEndSec(), sec(10, 0));
    }
}

void TestGeometry::dayClockAgreesWithLocalTime_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("threeDays"); // seconds in the three days, to see that the zone applies
    QTest::newRow("clocks go forward") << QByteArray("Europe/Berlin") << QDate(2025, 3, 29) << 71 * 3600;
    QTest::newRow("clocks go back") << QByteArray("Europe/Berlin") << QDate(2025, 10, 25) << 73 * 3600;
    QTest::newRow("half-hour change")
        << QByteArray("Australia/Lord_Howe") << QDate(2025, 4, 5) << 72 * 3600 + 1800;
}

void TestGeometry::dayClockAgreesWithLocalTime()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, from);
    const QByteArray saved = qgetenv("TZ");
    const auto restore = qScopeGuard([&saved] {
        saved.isNull() ? qunsetenv("TZ") : qputenv("TZ", saved);
        tzset();
    });
    qputenv("TZ", zone);
    tzset();
    const qint64 start = from.startOfDay().toSecsSinceEpoch();
    QTEST(int(from.addDays(3).startOfDay().toSecsSinceEpoch() - start), "threeDays");
    CTavComDayClock clock;
    // In order (the remembered day answers) and then jumping about (it must not answer wrongly).
    QRandomGenerator random(7);
    for (qint64 i = 0; i < 2 * 3 * 86400 / 300; ++i) {
        const qint64 t = i < 3 * 86400 / 300 ? start + i * 300 : start + random.bounded(3 * 86400);
        const QDateTime local = QDateTime::fromSecsSinceEpoch(t);
        const CTavComDayClock::Local got = clock.Split(t);
        QCOMPARE(got.day, local.date().toJulianDay());
        QCOMPARE(got.seconds, local.time().msecsSinceStartOfDay() / 1000);
    }
}

void TestGeometry::drag_data()
{
    // A 9:00-10:00 box grabbed at 9:30 (a move) or at its bottom edge (a resize), pressed at
    // (100, 100) and released over the given time; a start of -1 means no change.
    QTest::addColumn<bool>("resize");
    QTest::addColumn<bool>("wander"); // far away first
    QTest::addColumn<QPoint>("released");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    const auto row = [](const char* name, bool resize, bool wander, QPoint released, int pointer, int start,
                        int end) {
        QTest::newRow(name) << resize << wander << released << pointer << start << end;
    };
    const QPoint far(100, 200), near(102, 101);
    const int last = CTavComDragTracker::kLastEnd;
    row("click without moving", false, false, near, sec(9, 32), -1, -1);
    row("back where it was", false, true, QPoint(100, 100), sec(9, 31), -1, -1);
    row("to the nearest five minutes", false, false, far, sec(10, 33), sec(10, 5), sec(11, 5));
    row("above midnight stops at midnight", false, false, far, sec(0, 10), 0, sec(1, 0));
    row("past the day ends at 23:55:55", false, false, far, 86400, sec(23, 30), last);
    row("end would be the next midnight", false, false, far, sec(23, 30), sec(23, 0), last);
    row("above the start swaps", true, false, far, sec(7, 58), sec(8, 0), sec(9, 0));
    row("to midnight ends at 23:55:55", true, false, far, 86400, sec(9, 0), last);
}

void TestGeometry::drag()
{
    QFETCH(bool, resize);
    QFETCH(QPoint, released);
    QFETCH(int, pointer);
    QFETCH(int, start);
    CTavComDragTracker drag;
    drag.SetStep(300);
    drag.Begin(resize ? Mode::Resize : Mode::Move, nullptr, 0, false, sec(9, 0), sec(10, 0), QPoint(100, 100),
               resize ? sec(10, 0) : sec(9, 30));
    QFETCH(bool, wander);
    if (wander)
        drag.Update(QPoint(100, 300), 0, false, sec(12, 0));
    drag.Update(released, resize ? 3 : 0, false, pointer); // a resize never leaves its column
    const auto result = drag.Finish();
    QVERIFY(!drag.IsActive());
    QCOMPARE(result.has_value(), start >= 0);
    if (!result)
        return;
    QVERIFY(result->resize == resize && result->toColumn == 0 && !result->toNoTime);
    QCOMPARE(result->startSec, start);
    QTEST(result->endSec, "end");
}

void TestGeometry::dragBetweenBandAndHours()
{
    CTavComDragTracker drag;
    // An untimed box has no edge to drag: a resize gesture moves it, and it gets an hour.
    drag.Begin(Mode::Resize, nullptr, 2, true, 0, 0, QPoint(100, 40), -1);
    QCOMPARE(drag.GetMode(), Mode::Move);
    drag.Update(QPoint(100, 300), 2, false, sec(14, 2));
    auto result = drag.Finish();
    QVERIFY(result && result->wasNoTime && !result->toNoTime);
    QCOMPARE(QPoint(result->startSec, result->endSec),
             QPoint(sec(14, 0), sec(14, 0) + CTavComDragTracker::kNoTimeLength));

    // Put back in its own band cell: no change.
    drag.Begin(Mode::Move, nullptr, 0, true, 0, 0, QPoint(100, 40), -1);
    drag.Update(QPoint(100, 200), 0, false, sec(12, 0));
    drag.Update(QPoint(100, 40), 0, true, 0);
    QVERIFY(!drag.Finish().has_value());

    // A timed box to another day, then off the columns onto the band: the last column holds.
    drag.Begin(Mode::Move, nullptr, 1, false, sec(9, 0), sec(10, 0), QPoint(100, 300), sec(9, 0));
    drag.Update(QPoint(250, 300), 3, false, sec(9, 0));
    drag.Update(QPoint(250, 40), -1, true, 0);
    result = drag.Finish();
    QVERIFY(result && result->toNoTime);
    QCOMPARE((QList<int>{result->fromColumn, result->toColumn, result->startSec, result->endSec}),
             (QList<int>{1, 3, sec(9, 0), sec(10, 0)}));
}

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
