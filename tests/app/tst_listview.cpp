#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavListView.h"

namespace {
// A list of numbered rows that records which cells it was asked to draw.
class NumberList final : public CTavListView
{
public:
    explicit NumberList(int rows) : m_rows(rows)
    {
        SetColumns(CTavListColumnTable({{1, 120, 0, true, QStringLiteral("番号")},
                                        {2, 80, 0, true, QStringLiteral("二倍")},
                                        {3, 60, 0, false, QStringLiteral("隠し")}}));
        SetRowHeight(20);
        ResetRows();
    }
    int RowCount() const override { return m_rows; }
    QList<int> drawnRows;
    QSet<int> maskedRows;

protected:
    void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                  bool) override
    {
        if (column.kind == 1)
            drawnRows << row;
        painter.DrawText(cell, QString::number(column.kind == 1 ? row : row * 2));
    }
    bool IsRowMasked(int row) const override { return maskedRows.contains(row); }

private:
    int m_rows;
};

QPoint rowPoint(const NumberList& list, int pageRow)
{
    return QPoint(30, CTavListView::kHeaderHeight + pageRow * list.RowHeight() + list.RowHeight() / 2);
}

void showList(NumberList& list, int width = 300, int height = 300)
{
    list.resize(width, height);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setFocus();
}
} // namespace

// The list pane base: drawing only what is in sight, hit tests through the scroll position,
// keys, mouse, column resizing and the painter's colours on screen.
class TestListView : public QObject
{
    Q_OBJECT
private slots:
    void drawsOnlyVisibleRows();
    void clicksHitTheRowUnderTheCursor();
    void keysMoveAndScroll();
    void headerClicksAndResizing();
    void highlightAndMaskOnScreen();
};

void TestListView::drawsOnlyVisibleRows()
{
    NumberList list(65535);
    showList(list, 300,
             CTavListView::kHeaderHeight + 10 * 20 + list.horizontalScrollBar()->sizeHint().height() + 4);
    list.SetTopRow(40000);
    list.drawnRows.clear();
    list.viewport()->repaint();
    QCOMPARE(list.drawnRows.first(), 40000);
    QVERIFY(list.drawnRows.last() <= 40000 + list.PageRowCount());
    // The end of the list: the last page ends with the last row.
    list.SetTopRow(1 << 30);
    QCOMPARE(list.TopRow(), 65535 - list.PageRowCount());
}

void TestListView::clicksHitTheRowUnderTheCursor()
{
    NumberList list(100);
    showList(list);
    QSignalSpy changed(&list, &CTavListView::selectionChanged);
    list.SetTopRow(50);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(list, 3));
    QCOMPARE(list.Selection().SelectedRows(), QList<int>{53});
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(list, 5));
    QCOMPARE(list.Selection().SelectedRows(), (QList<int>{53, 54, 55}));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 5)); // the header
    QCOMPARE(list.Selection().SelectedCount(), 3);
    QCOMPARE(changed.count(), 2);
    // Right button on an unselected row selects it alone before the menu.
    QSignalSpy menu(&list, &CTavListView::contextMenuRequested);
    QTest::mousePress(list.viewport(), Qt::RightButton, Qt::NoModifier, rowPoint(list, 8));
    QCOMPARE(list.Selection().SelectedRows(), QList<int>{58});
    QContextMenuEvent event(QContextMenuEvent::Mouse, rowPoint(list, 8),
                            list.viewport()->mapToGlobal(rowPoint(list, 8)));
    QApplication::sendEvent(list.viewport(), &event);
    QCOMPARE(menu.count(), 1);
    QCOMPARE(menu.first().at(1).toInt(), 58);
}

void TestListView::keysMoveAndScroll()
{
    NumberList list(100);
    showList(list);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_PageDown);
    QCOMPARE(list.Selection().Current(), list.PageRowCount());
    QVERIFY(list.TopRow() > 0); // the current row is scrolled into sight
    QVERIFY(list.Selection().Current() < list.TopRow() + list.PageRowCount());
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.Selection().SelectedRows(), QList<int>{99});
    QCOMPARE(list.TopRow(), 100 - list.PageRowCount());
    QTest::keyClick(&list, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(list.Selection().SelectedCount(), 100);
    QCOMPARE(list.TopRow(), 0);
    QTest::keyClick(&list, Qt::Key_Up); // stays on the first row
    QCOMPARE(list.Selection().SelectedRows(), QList<int>{0});

    // Enter opens one selected row only; Delete asks; a double click below the rows does nothing.
    QSignalSpy activated(&list, &CTavListView::rowActivated);
    QSignalSpy deleted(&list, &CTavListView::deleteRequested);
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(activated.count(), 1);
    list.Selection().SetSelected(5, true);
    QTest::keyClick(&list, Qt::Key_Return); // two rows selected: nothing opens
    QCOMPARE(activated.count(), 1);
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(deleted.count(), 1);
    list.SetTopRow(0);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(list, 2));
    QCOMPARE(activated.last().first().toInt(), 2);
    NumberList shortList(10);
    showList(shortList);
    QSignalSpy none(&shortList, &CTavListView::rowActivated);
    QTest::mouseDClick(shortList.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(shortList, 12));
    QCOMPARE(none.count(), 0);
}

void TestListView::headerClicksAndResizing()
{
    NumberList list(10);
    showList(list, 400);
    QSignalSpy clicked(&list, &CTavListView::headerClicked);
    QSignalSpy resized(&list, &CTavListView::columnResized);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toInt(), 1);
    // Drag the edge between the first and second column 30 pixels to the right.
    QTest::mousePress(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 10), list.viewport()->mapToGlobal(QPointF(150, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    QCOMPARE(list.Columns().At(0).width, 150);
    QCOMPARE(resized.count(), 1);
    QCOMPARE(clicked.count(), 1); // a drag is no click
    QCOMPARE(list.ColumnAtX(160), 1);
}

void TestListView::highlightAndMaskOnScreen()
{
    NumberList list(10);
    list.maskedRows = {3};
    showList(list);
    list.SelectRow(1);

    list.drawnRows.clear();
    const QImage shot = list.viewport()->grab().toImage();
    AppTestEnv::Screenshot(&list, QStringLiteral("list-view"));
    // The highlight is the platform colour 0xB97456: red 0x56, green 0x74, blue 0xB9.
    QCOMPARE(shot.pixelColor(rowPoint(list, 1) + QPoint(220, 0)), QColor(0x56, 0x74, 0xB9));
    QCOMPARE(shot.pixelColor(rowPoint(list, 0) + QPoint(220, 0)), QColor(Qt::white));
    QVERIFY(!list.drawnRows.contains(3)); // a masked row shows no cells
    QVERIFY(list.drawnRows.contains(4));
}

QTEST_MAIN(TestListView)
#include "tst_listview.moc"
