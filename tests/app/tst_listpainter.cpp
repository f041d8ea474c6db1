#include <QTest>

#include "AppTestEnv.h"
#include "CTavListColumnTable.h"
#include "CTavListGeometry.h"
#include "CTavListSelection.h"
#include "CTavProfile.h"

// The list painter's arithmetic, column table, font choice and selection rules, without a window.
class TestListPainter : public QObject
{
    Q_OBJECT
private slots:
    void rowAt_data();
    void rowAt();
    void thumbnailsFitTheRow_data();
    void thumbnailsFitTheRow();
    void columnWalk();
    void columnsSurviveTheProfile();
    void damagedProfileGivesDefaults_data();
    void damagedProfileGivesDefaults();
    void clicks_data();
    void clicks();
};

namespace {
CTavListGeometry geometry(int spacing = 0, int header = 25, int rowHeight = 20)
{
    CTavListGeometry g;
    g.paneWidth = 300;
    g.paneHeight = 205;
    g.spacing = spacing;
    g.headerHeight = header;
    g.Begin(rowHeight);
    return g;
}

QList<CTavListColumn> defaults()
{
    return {{1, 100, 0, true, QStringLiteral("内容")},
            {2, 50, 0, true, QStringLiteral("カテゴリ")},
            {3, 20, 0, true, QStringLiteral("プライベート")}};
}
} // namespace

void TestListPainter::rowAt_data()
{
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("row");
    QTest::newRow("header's lower edge") << 0 << 25 << -1;
    QTest::newRow("first pixel of row 0") << 0 << 26 << 0;
    QTest::newRow("last pixel of row 0") << 0 << 44 << 0;
    QTest::newRow("first pixel of row 1") << 0 << 45 << 1;
    QTest::newRow("spacing shifts the rows") << 3 << 47 << 0;
    QTest::newRow("below the page") << 0 << 1000 << 48;
}

void TestListPainter::rowAt()
{
    QFETCH(int, spacing);
    QFETCH(int, y);
    QFETCH(int, row);
    const CTavListGeometry g = geometry(spacing);
    QCOMPARE(g.RowAt(y), row);
    if (row >= 0 && row < 10)
        QVERIFY(g.RowRect(row).contains(0, y));
}

void TestListPainter::thumbnailsFitTheRow_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("drawn");
    // Row of 40 pixels at (10, 100).
    QTest::newRow("taller than wide") << QSize(120, 160) << QRect(11, 101, 28, 38);
    QTest::newRow("wider than tall, centred") << QSize(160, 120) << QRect(11, 106, 38, 28);
    QTest::newRow("tiny: divisor 1") << QSize(12, 9) << QRect(11, 116, 38, 7);
    QTest::newRow("empty") << QSize(0, 10) << QRect();
}

void TestListPainter::thumbnailsFitTheRow()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, drawn);
    const CTavListGeometry g = geometry(0, 25, 40);
    QCOMPARE(g.ThumbnailRect(10, 100, picture), drawn);
}

void TestListPainter::columnWalk()
{
    QList<CTavListColumn> columns = defaults();
    columns[1].shown = false;
    const CTavListColumnTable table(columns);
    QCOMPARE(table.ShownWidth(1, 2), 1 + 102 + 22);
    QCOMPARE(table.ColumnLeft(1, 1, 2), -1);
    QCOMPARE(table.ColumnLeft(2, 1, 2), 103);
    QCOMPARE(table.ColumnAt(102, 1, 2), 0); // the spacing belongs to the column before it
    QCOMPARE(table.ColumnAt(103, 1, 2), 2);
    QCOMPARE(table.ColumnAt(125, 1, 2), -1);
}

void TestListPainter::columnsSurviveTheProfile()
{
    TestDataDir dir;
    CTavProfile::SetProfilePath(dir.filePath(QStringLiteral("SetupTAV.INI")));
    QList<CTavListColumn> changed = defaults();
    std::swap(changed[1], changed[2]);
    changed[1].shown = false;
    changed[2].width = 77;
    changed[2].option = 1;
    CTavListColumnTable(changed).Save(QStringLiteral("memo%1"));
    QCOMPARE(CTavListColumnTable::Load(QStringLiteral("memo%1"), defaults()).Columns(), changed);
    CTavProfile::SetProfilePath(QString());
}

void TestListPainter::damagedProfileGivesDefaults_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("unknown kind") << "memo1"
                                  << "disc"
                                  << "9";
    QTest::newRow("kind twice") << "memo2"
                                << "disc"
                                << "2";
    QTest::newRow("zero width") << "memo0"
                                << "width"
                                << "0";
}

void TestListPainter::damagedProfileGivesDefaults()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestDataDir dir;
    CTavProfile::SetProfilePath(dir.filePath(QStringLiteral("SetupTAV.INI")));
    CTavListColumnTable(defaults()).Save(QStringLiteral("memo%1"));
    CTavProfile::WriteProfileString(section, key, value);
    QCOMPARE(CTavListColumnTable::Load(QStringLiteral("memo%1"), defaults()).Columns(), defaults());
    CTavProfile::SetProfilePath(QString());
}

void TestListPainter::clicks_data()
{
    QTest::addColumn<QList<int>>("before"); // rows clicked plainly first (the last is the anchor)
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("selected");
    QTest::newRow("ctrl adds") << QList<int>{2} << 5 << int(Qt::ControlModifier) << QList<int>{2, 5};
    QTest::newRow("ctrl removes") << QList<int>{2} << 2 << int(Qt::ControlModifier) << QList<int>{};
    QTest::newRow("shift runs from the anchor")
        << QList<int>{6} << 3 << int(Qt::ShiftModifier) << QList<int>{3, 4, 5, 6};
    QTest::newRow("ctrl+shift keeps the rest")
        << QList<int>{0} << 2 << int(Qt::ControlModifier | Qt::ShiftModifier) << QList<int>{0, 1, 2};
    QTest::newRow("click on no row clears") << QList<int>{4} << -1 << int(Qt::NoModifier) << QList<int>{};
    QTest::newRow("ctrl-click on no row keeps")
        << QList<int>{4} << -1 << int(Qt::ControlModifier) << QList<int>{4};
}

void TestListPainter::clicks()
{
    QFETCH(QList<int>, before);
    QFETCH(int, row);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, selected);
    CTavListSelection s;
    s.Reset(10);
    for (int r : before)
        s.Click(r, Qt::NoModifier);
    s.Click(row, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(s.SelectedRows(), selected);
}

QTEST_MAIN(TestListPainter)
#include "tst_listpainter.moc"
