#include <QTest>

#include "CTavComDragTracker.h"
#include "GridTestData.h"

using Mode = CTavComDragTracker::Mode;
using GridTestData::sec;

class TestDrag : public QObject
{
    Q_OBJECT

private slots:
    void clickWithoutMovingChangesNothing();
    void move_data();
    void move();
    void resize_data();
    void resize();
    void untimedBoxDroppedAmongHours();
    void timedBoxToBandAndOtherColumn();
    void backToWhereItWasIsNoChange();
    void normalise_data();
    void normalise();
};

void TestDrag::clickWithoutMovingChangesNothing()
{
    CTavComDragTracker drag;
    drag.SetThreshold(4);
    drag.Begin(Mode::Move, nullptr, 0, false, sec(9, 0), sec(10, 0), QPoint(100, 100), sec(9, 30));
    QVERIFY(!drag.Update(QPoint(102, 101), 0, false, sec(9, 32)));
    QVERIFY(!drag.IsDragging());
    QVERIFY(!drag.Finish().has_value());
    QVERIFY(!drag.IsActive());
}

void TestDrag::move_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("pointer"); // time under the pointer when released; grabbed at 9:30
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    // The box is 9:00-10:00, grabbed in its middle.
    QTest::newRow("to the nearest five minutes") << 300 << sec(10, 33) << sec(10, 5) << sec(11, 5);
    QTest::newRow("grid steps") << 1800 << sec(10, 50) << sec(10, 30) << sec(11, 30);
    QTest::newRow("above midnight stops at midnight") << 300 << sec(0, 10) << 0 << sec(1, 0);
    QTest::newRow("past the day ends at 23:55:55") << 300 << 86400 << sec(23, 30) << sec(23, 55) + 55;
    QTest::newRow("end would be the next midnight") << 300 << sec(23, 30) << sec(23, 0) << sec(23, 55) + 55;
}

void TestDrag::move()
{
    QFETCH(int, step);
    QFETCH(int, pointer);
    CTavComDragTracker drag;
    drag.SetStep(step);
    drag.Begin(Mode::Move, nullptr, 0, false, sec(9, 0), sec(10, 0), QPoint(100, 100), sec(9, 30));
    QVERIFY(drag.Update(QPoint(100, 200), 0, false, pointer));
    QVERIFY(drag.IsDragging());
    const auto result = drag.Finish();
    QVERIFY(result.has_value());
    QVERIFY(!result->resize);
    QVERIFY(!result->toNoTime);
    QTEST(result->startSec, "start");
    QTEST(result->endSec, "end");
}

void TestDrag::resize_data()
{
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    // The box is 9:00-10:00; its bottom edge follows the pointer.
    QTest::newRow("longer") << sec(11, 12) << sec(9, 0) << sec(11, 10);
    QTest::newRow("above the start swaps") << sec(7, 58) << sec(8, 0) << sec(9, 0);
    QTest::newRow("to midnight ends at 23:55:55") << 86400 << sec(9, 0) << sec(23, 55) + 55;
    QTest::newRow("onto the start") << sec(9, 1) << sec(9, 0) << sec(9, 0);
}

void TestDrag::resize()
{
    QFETCH(int, pointer);
    CTavComDragTracker drag;
    drag.Begin(Mode::Resize, nullptr, 0, false, sec(9, 0), sec(10, 0), QPoint(100, 100), sec(10, 0));
    drag.Update(QPoint(100, 300), 3, false, pointer);
    const auto result = drag.Finish();
    QVERIFY(result.has_value());
    QVERIFY(result->resize);
    QCOMPARE(result->toColumn, 0); // a resize never leaves its column
    QTEST(result->startSec, "start");
    QTEST(result->endSec, "end");
}

void TestDrag::untimedBoxDroppedAmongHours()
{
    CTavComDragTracker drag;
    // An untimed box has no edge to drag: a resize gesture moves it.
    drag.Begin(Mode::Resize, nullptr, 2, true, 0, 0, QPoint(100, 40), -1);
    QCOMPARE(drag.GetMode(), Mode::Move);
    drag.Update(QPoint(100, 300), 2, false, sec(14, 2));
    const auto result = drag.Finish();
    QVERIFY(result.has_value());
    QVERIFY(result->wasNoTime);
    QVERIFY(!result->toNoTime);
    QCOMPARE(result->startSec, sec(14, 0));
    QCOMPARE(result->endSec, sec(14, 0) + CTavComDragTracker::kNoTimeLength);
}

void TestDrag::timedBoxToBandAndOtherColumn()
{
    CTavComDragTracker drag;
    drag.Begin(Mode::Move, nullptr, 1, false, sec(9, 0), sec(10, 0), QPoint(100, 300), sec(9, 0));
    drag.Update(QPoint(250, 300), 3, false, sec(9, 0));
    QCOMPARE(drag.Preview().toColumn, 3);
    drag.Update(QPoint(250, 40), -1, true, 0);
    QCOMPARE(drag.Preview().toColumn, 3); // off the columns: the last column holds
    QVERIFY(drag.Preview().toNoTime);
    const auto result = drag.Finish();
    QVERIFY(result.has_value());
    QCOMPARE(result->fromColumn, 1);
    QCOMPARE(result->toColumn, 3);
    QVERIFY(result->toNoTime);
    QCOMPARE(result->startSec, sec(9, 0));
    QCOMPARE(result->endSec, sec(10, 0));
}

void TestDrag::backToWhereItWasIsNoChange()
{
    CTavComDragTracker drag;
    drag.Begin(Mode::Move, nullptr, 0, false, sec(9, 0), sec(10, 0), QPoint(100, 100), sec(9, 0));
    drag.Update(QPoint(100, 200), 0, false, sec(12, 0));
    drag.Update(QPoint(100, 100), 0, false, sec(9, 1));
    QVERIFY(drag.IsDragging());
    QVERIFY(!drag.Finish().has_value());

    drag.Begin(Mode::Move, nullptr, 0, true, 0, 0, QPoint(100, 40), -1);
    drag.Update(QPoint(100, 200), 0, false, sec(12, 0));
    drag.Update(QPoint(100, 40), 0, true, 0);
    QVERIFY2(!drag.Finish().has_value(), "an untimed box put back in its own band cell");
}

void TestDrag::normalise_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedEnd");
    QTest::newRow("next midnight") << sec(22, 0) << 86400 << sec(22, 0) << CTavComDragTracker::kLastEnd;
    QTest::newRow("reversed from midnight")
        << 86400 << sec(22, 0) << sec(22, 0) << CTavComDragTracker::kLastEnd;
    QTest::newRow("start later than 23:55:55")
        << sec(23, 58) << 86400 << CTavComDragTracker::kLastEnd << CTavComDragTracker::kLastEnd;
}

void TestDrag::normalise()
{
    QFETCH(int, start);
    QFETCH(int, end);
    CTavComDragTracker::Normalise(start, end);
    QTEST(start, "expectedStart");
    QTEST(end, "expectedEnd");
}

QTEST_MAIN(TestDrag)
#include "tst_drag.moc"
