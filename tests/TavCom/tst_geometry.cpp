#include <QTest>

#include "CTavComGridGeometry.h"
#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "GridTestData.h"

using Area = CTavComHit::Area;
using GridTestData::sec;

class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void timeScaleRoundTrips_data();
    void timeScaleRoundTrips();
    void snap_data();
    void snap();
    void regionsWithAndWithoutBand_data();
    void regionsWithAndWithoutBand();
    void columnsShareTheWidth();
    void narrowViewportScrollsAndKeepsMinimumWidths();
    void hourAtTheTop();
    void hitTests();
    void hitPrefersSelectedBox();

private:
    static SizeSetting size();
    static void setUp(CTavComGridGeometry& geo, QSize viewport, CTavComColumList& columns, int count);
};

void TestGeometry::setUp(CTavComGridGeometry& geo, QSize viewport, CTavComColumList& columns, int count)
{
    geo.SetSize(size());
    geo.SetViewport(viewport);
    for (int i = 0; i < count; ++i)
        columns.push_back(std::make_unique<CTavComScheduleColum>());
}

SizeSetting TestGeometry::size()
{
    SizeSetting s;
    s.rowHeight = 20;
    s.timeWidth = 50;
    s.headerHeight = 30;
    s.noTimeRowHeight = 24;
    s.colMinWidth = 60;
    s.markSize = 11;
    return s;
}

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
    QCOMPARE(scale.DayHeight(), rowHeight * 48);
    QCOMPARE(scale.TimeToY(0), 0);
    QCOMPARE(scale.TimeToY(86400), scale.DayHeight());
    QCOMPARE(scale.TimeToY(sec(9, 0)), 9 * 2 * rowHeight);
    for (int y = 0; y <= scale.DayHeight(); ++y) {
        const int t = scale.YToTime(y);
        QCOMPARE(scale.TimeToY(t), y);
        // The first second of its row: one second earlier is the row above.
        if (y > 0)
            QCOMPARE(scale.TimeToY(t - 1), y - 1);
    }
    for (int t = 0; t <= 86400; t += 7) {
        const int y = scale.TimeToY(t);
        QVERIFY(scale.YToTime(y) <= t);
        QVERIFY(scale.YToTime(y + 1) > t || y == scale.DayHeight());
    }
    QCOMPARE(scale.YToTime(-50), 0);
    QCOMPARE(scale.YToTime(scale.DayHeight() + 50), 86400);
    QVERIFY(scale.TimeToY(scale.PixelsToSeconds(17)) >= 17);
}

void TestGeometry::snap_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("expected");
    QTest::newRow("half way goes up") << sec(9, 2) + 30 << 300 << sec(9, 5);
    QTest::newRow("below the day") << -500 << 300 << 0;
    QTest::newRow("past the day") << 90000 << 300 << 86400;
    QTest::newRow("no step") << 12345 << 0 << 12345;
}

void TestGeometry::snap()
{
    QFETCH(int, seconds);
    QFETCH(int, step);
    QTEST(CTavComTimeScale::Snap(seconds, step), "expected");
}

void TestGeometry::regionsWithAndWithoutBand_data()
{
    QTest::addColumn<bool>("band");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("timedTop");
    QTest::newRow("band with no untimed box keeps one row") << true << 0 << 30 + 24 + 4;
    QTest::newRow("band grows with the fullest column") << true << 3 << 30 + 3 * 24 + 4;
    QTest::newRow("band hidden") << false << 3 << 30;
}

void TestGeometry::regionsWithAndWithoutBand()
{
    QFETCH(bool, band);
    QFETCH(int, rows);
    QFETCH(int, timedTop);
    CTavComGridGeometry geo;
    geo.SetSize(size());
    geo.SetViewport(QSize(400, 600));
    geo.SetNoTimeShown(band);
    geo.SetNoTimeRows(rows);
    QCOMPARE(geo.TimedTop(), timedTop);
    QCOMPARE(geo.AreaAt(QPoint(10, 10)), Area::Corner);
    QCOMPARE(geo.AreaAt(QPoint(100, 10)), Area::Header);
    QCOMPARE(geo.AreaAt(QPoint(100, 31)), band ? Area::NoTime : Area::Timed);
    QCOMPARE(geo.AreaAt(QPoint(100, timedTop - 1)), band ? Area::NoTime : Area::Header);
    QCOMPARE(geo.AreaAt(QPoint(100, timedTop)), Area::Timed);
    QCOMPARE(geo.AreaAt(QPoint(10, timedTop)), Area::Axis);
    QCOMPARE(geo.AreaAt(QPoint(400, 100)), Area::None);
    // Without scrolling the top of the timed area is midnight, and the band's rows stay out of the day.
    QCOMPARE(geo.TimeAt(timedTop), 0);
    QCOMPARE(geo.TimeAt(timedTop + 40), 3600);
    QCOMPARE(geo.MaxScrollY(), 48 * 20 + 1 - (600 - timedTop));
}

void TestGeometry::columnsShareTheWidth()
{
    CTavComGridGeometry geo;
    CTavComColumList columns;
    setUp(geo, QSize(50 + 703, 500), columns, 7);
    geo.LayoutColumns(columns);
    int x = 0;
    for (const auto& c : columns) {
        QCOMPARE(c->GetX(), x);
        QVERIFY(c->GetWidth() == 100 || c->GetWidth() == 101);
        x += c->GetWidth();
    }
    QCOMPARE(geo.ContentWidth(), 703);
    QCOMPARE(geo.MaxScrollX(), 0);
    QCOMPARE(geo.ColumnAt(49), -1);
    QCOMPARE(geo.ColumnAt(50), 0);
    QCOMPARE(geo.ColumnAt(50 + columns[3]->GetX()), 3);
    QCOMPARE(geo.ColumnAt(50 + columns[3]->GetX() - 1), 2);
    QCOMPARE(geo.ColumnAt(50 + 702), 6);
    QCOMPARE(geo.ColumnAt(50 + 703), -1);
}

void TestGeometry::narrowViewportScrollsAndKeepsMinimumWidths()
{
    CTavComGridGeometry geo;
    CTavComColumList columns;
    setUp(geo, QSize(250, 500), columns, 7);
    geo.SetNoTimeShown(false);
    columns[2]->SetMinWidth(90);
    geo.LayoutColumns(columns);
    QCOMPARE(columns[0]->GetWidth(), 60);
    QCOMPARE(columns[2]->GetWidth(), 90);
    QCOMPARE(geo.ContentWidth(), 6 * 60 + 90);
    QCOMPARE(geo.MaxScrollX(), 6 * 60 + 90 - 200);

    geo.SetScroll(120, 9 * 40);
    QCOMPARE(geo.TimeAt(30), sec(9, 0));
    QCOMPARE(geo.TimeAt(30 + 20), sec(9, 30));
    QCOMPARE(geo.ColumnAt(50), 2);
    const QPoint timed = geo.ViewToTimed(QPoint(70, 70));
    QCOMPARE(timed, QPoint(140, 400));
    QCOMPARE(geo.TimedToView(timed), QPoint(70, 70));
    // The band follows sideways scrolling only.
    geo.SetNoTimeShown(true);
    QCOMPARE(geo.ViewToNoTime(QPoint(70, 40)), QPoint(140, 10));
    QCOMPARE(geo.NoTimeToView(QPoint(140, 10)), QPoint(70, 40));
}

void TestGeometry::hourAtTheTop()
{
    CTavComGridGeometry geo;
    geo.SetSize(size());
    geo.SetViewport(QSize(400, 400));
    QCOMPARE(geo.ScrollForHour(9), 9 * 2 * 20);
    QCOMPARE(geo.ScrollForHour(-3), 0);
    QCOMPARE(geo.ScrollForHour(23), geo.MaxScrollY());
    geo.SetViewport(QSize(400, 2000));
    QCOMPARE(geo.ScrollForHour(9), 0);
}

void TestGeometry::hitTests()
{
    CTavComGridGeometry geo;
    CTavComColumList columns;
    setUp(geo, QSize(50 + 400, 700), columns, 2);
    geo.SetNoTimeRows(1);
    auto* meeting = GridTestData::box(9, 0, 10, 0, QStringLiteral("会議"));
    meeting->SetFreeMemo(true);
    auto* untimed = GridTestData::box(0, 0, 0, 0, QStringLiteral("誕生日"));
    untimed->SetFreeMemo(true);
    columns[1]->AddBox(meeting);
    columns[1]->AddNoTimeBox(untimed);
    geo.LayoutColumns(columns);
    for (const auto& c : columns) {
        c->CalcDuplication();
        c->CalcLayout(geo.Scale(), geo.GetSize());
    }
    geo.SetScroll(0, 8 * 40);
    const QRect box = QRect(geo.TimedToView(meeting->GetRect().topLeft()), meeting->GetRect().size());
    QCOMPARE(box.top(), geo.TimedTop() + 40 + 1);

    const CTavComHit middle = geo.HitTest(box.center(), columns);
    QCOMPARE(middle.area, Area::Timed);
    QCOMPARE(middle.column, 1);
    QCOMPARE(middle.box, meeting);
    QCOMPARE(middle.hour, 9);
    QVERIFY(!middle.onBottomEdge && !middle.onMemoIcon);

    const CTavComHit bottom = geo.HitTest(QPoint(box.center().x(), box.bottom()), columns);
    QCOMPARE(bottom.box, meeting);
    QVERIFY(bottom.onBottomEdge);
    const CTavComHit justBelow = geo.HitTest(QPoint(box.center().x(), box.bottom() + 2), columns);
    QCOMPARE(justBelow.box, nullptr);
    QCOMPARE(justBelow.hour, 10);

    const QRect icon = meeting->FreeMemoIconRect(11).translated(box.topLeft() - meeting->GetRect().topLeft());
    const CTavComHit onIcon = geo.HitTest(icon.center(), columns);
    QVERIFY(onIcon.onMemoIcon);
    QVERIFY(!geo.HitTest(icon.center() - QPoint(icon.width(), 0), columns).onMemoIcon);
    meeting->SetFreeMemo(false);
    QVERIFY(!geo.HitTest(icon.center(), columns).onMemoIcon);
    meeting->SetFreeMemo(true);
    meeting->SetPrivate(true);
    meeting->SetMaskMode(true);
    QVERIFY2(!geo.HitTest(icon.center(), columns).onMemoIcon, "a masked box shows no memo-sheet icon");

    const QPoint bandPoint = geo.NoTimeToView(untimed->GetRect().center());
    const CTavComHit band = geo.HitTest(bandPoint, columns);
    QVERIFY(band.IsNoTime());
    QCOMPARE(band.box, untimed);
    QCOMPARE(band.seconds, -1);
    QVERIFY(!band.onBottomEdge);
    const CTavComHit bandIcon =
        geo.HitTest(geo.NoTimeToView(untimed->FreeMemoIconRect(11).center()), columns);
    QVERIFY(bandIcon.onMemoIcon);

    const CTavComHit otherColumn = geo.HitTest(QPoint(box.center().x() - 200, box.center().y()), columns);
    QCOMPARE(otherColumn.column, 0);
    QCOMPARE(otherColumn.box, nullptr);
}

void TestGeometry::hitPrefersSelectedBox()
{
    CTavComGridGeometry geo;
    CTavComColumList columns;
    setUp(geo, QSize(300, 900), columns, 1);
    geo.SetNoTimeShown(false);
    auto* first = GridTestData::box(9, 0, 10, 0);
    auto* second = GridTestData::box(9, 0, 10, 0);
    columns[0]->AddBox(first);
    columns[0]->AddBox(second);
    geo.LayoutColumns(columns);
    columns[0]->CalcDuplication();
    columns[0]->CalcLayout(geo.Scale(), geo.GetSize());
    // Laid out apart; put them on top of each other as a moved box can be.
    second->SetRect(first->GetRect());
    const QPoint p = geo.TimedToView(first->GetRect().center());
    QCOMPARE(geo.HitTest(p, columns).box, second);
    QCOMPARE(geo.HitTest(p, columns, first).box, first);
}

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
