#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "AppTestEnv.h"
#include "CTavListColumnTable.h"
#include "CTavListGeometry.h"
#include "CTavListSelection.h"
#include "CTavListView.h"
#include "CTavProfile.h"
#include "CTavRichText.h"
#include "CTavRichTextReader.h"

namespace {
// A list of numbered rows that records which cells it was asked to draw.
class NumberList final : public CTavListView
{
public:
    explicit NumberList(int rows) : rows(rows)
    {
        SetColumns(CTavListColumnTable({{1, 120, 0, true, QStringLiteral("番号")},
                                        {2, 80, 0, true, QStringLiteral("二倍")},
                                        {3, 60, 0, false, QStringLiteral("隠し")}}));
        SetRowHeight(20);
        ResetRows();
    }
    int RowCount() const override { return rows; }
    const int rows;
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
};

QPoint rowPoint(const NumberList& list, int pageRow)
{
    return QPoint(30, CTavListView::kHeaderHeight + pageRow * list.RowHeight() + list.RowHeight() / 2);
}

QList<CTavListColumn> defaults()
{
    return {{1, 100, 0, true, QStringLiteral("内容")},
            {2, 50, 0, true, QStringLiteral("カテゴリ")},
            {3, 20, 0, true, QStringLiteral("プライベート")}};
}

void showList(NumberList& list, int width = 300, int height = 300)
{
    list.resize(width, height);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setFocus();
}
} // namespace

// The module panes: the list pane base (arithmetic, column table, selection rules, drawing only
// what is in sight, mouse, keys, column resizing, colours) and the detail panes' rich text.
class TestPanes : public QObject
{
    Q_OBJECT
private slots:
    void rowAt_data();
    void rowAt();
    void columnsSurviveTheProfile_data();
    void columnsSurviveTheProfile();
    void clicks_data();
    void clicks();
    void drawsVisibleRowsInTheirColours();
    void mouseAndKeys();
    void richText_data();
    void richText();
    void formats();
    void hostileInputStaysBounded_data();
    void hostileInputStaysBounded();
    void randomBytesNeverCrash();
};

void TestPanes::rowAt_data()
{
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("row");
    QTest::newRow("header's lower edge") << 0 << 25 << -1;
    QTest::newRow("first pixel of row 0") << 0 << 26 << 0;
    QTest::newRow("last pixel of row 0") << 0 << 44 << 0;
    QTest::newRow("first pixel of row 1") << 0 << 45 << 1;
    QTest::newRow("spacing shifts the rows") << 3 << 47 << 0;
}

void TestPanes::rowAt()
{
    QFETCH(int, spacing);
    QFETCH(int, y);
    QFETCH(int, row);
    CTavListGeometry g; // a pane of 300 × 205 pixels under a header of 25
    g.paneWidth = 300;
    g.paneHeight = 205;
    g.spacing = spacing;
    g.headerHeight = 25;
    g.Begin(20);
    QCOMPARE(g.RowAt(y), row);
    QVERIFY(row < 0 || g.RowRect(row).contains(0, y));
}

void TestPanes::columnsSurviveTheProfile_data()
{
    QTest::addColumn<QStringList>("damage"); // section, key and value written over the saved columns
    QTest::newRow("intact") << QStringList();
    QTest::newRow("unknown kind") << QStringList{"memo1", "disc", "9"};
    QTest::newRow("kind twice") << QStringList{"memo2", "disc", "3"};
    QTest::newRow("zero width") << QStringList{"memo0", "width", "0"};
}

void TestPanes::columnsSurviveTheProfile()
{
    QFETCH(QStringList, damage);
    TestDataDir dir;
    CTavProfile::SetProfilePath(dir.filePath(QStringLiteral("SetupTAV.INI")));
    const QList<CTavListColumn> changed{{1, 100, 0, true, QStringLiteral("内容")},
                                        {3, 20, 0, false, QStringLiteral("プライベート")},
                                        {2, 77, 1, true, QStringLiteral("カテゴリ")}};
    CTavListColumnTable(changed).Save(QStringLiteral("memo%1"));
    if (!damage.isEmpty()) // a damaged entry gives the defaults
        CTavProfile::WriteProfileString(damage[0], damage[1], damage[2]);
    QCOMPARE(CTavListColumnTable::Load(QStringLiteral("memo%1"), defaults()).Columns(),
             damage.isEmpty() ? changed : defaults());
    CTavProfile::SetProfilePath(QString());
}

void TestPanes::clicks_data()
{
    QTest::addColumn<QList<int>>("before"); // rows clicked plainly first (the last is the anchor)
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("selected");
    QTest::newRow("ctrl adds") << QList<int>{2} << 5 << int(Qt::ControlModifier) << QList<int>{2, 5};
    QTest::newRow("ctrl removes") << QList<int>{2} << 2 << int(Qt::ControlModifier) << QList<int>{};
    QTest::newRow("ctrl+shift keeps the rest")
        << QList<int>{0} << 2 << int(Qt::ControlModifier | Qt::ShiftModifier) << QList<int>{0, 1, 2};
    QTest::newRow("click on no row clears") << QList<int>{4} << -1 << int(Qt::NoModifier) << QList<int>{};
    QTest::newRow("ctrl-click on no row keeps")
        << QList<int>{4} << -1 << int(Qt::ControlModifier) << QList<int>{4};
}

void TestPanes::clicks()
{
    QFETCH(QList<int>, before);
    QFETCH(int, row);
    QFETCH(int, modifiers);
    CTavListSelection s;
    s.Reset(10);
    for (int r : before)
        s.Click(r, Qt::NoModifier);
    s.Click(row, Qt::KeyboardModifiers(modifiers));
    QTEST(s.SelectedRows(), "selected");
}

void TestPanes::drawsVisibleRowsInTheirColours()
{
    NumberList list(65535);
    list.maskedRows = {3};
    showList(list);
    list.SelectRow(1);
    list.drawnRows.clear();
    const QImage shot = list.viewport()->grab().toImage();
    AppTestEnv::Screenshot(&list, QStringLiteral("list-view"));
    // The highlight is the platform colour 0xB97456: red 0x56, green 0x74, blue 0xB9.
    QCOMPARE(shot.pixelColor(rowPoint(list, 1) + QPoint(220, 0)), QColor(0x56, 0x74, 0xB9));
    QCOMPARE(shot.pixelColor(rowPoint(list, 0) + QPoint(220, 0)), QColor(Qt::white));
    QVERIFY(!list.drawnRows.contains(3) && list.drawnRows.contains(4)); // a masked row shows no cells
    list.SetTopRow(40000);
    list.drawnRows.clear();
    list.viewport()->repaint();
    QCOMPARE(list.drawnRows.first(), 40000);
    QVERIFY(list.drawnRows.last() <= 40000 + list.PageRowCount());
    list.SetTopRow(1 << 30); // the last page ends with the last row
    QCOMPARE(list.TopRow(), 65535 - list.PageRowCount());
}

void TestPanes::mouseAndKeys()
{
    NumberList list(100);
    showList(list, 400);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_PageDown);
    QCOMPARE(list.Selection().Current(), list.PageRowCount());
    QVERIFY(list.Selection().Current() < list.TopRow() + list.PageRowCount()); // scrolled into sight
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.TopRow(), 100 - list.PageRowCount());
    QTest::keyClick(&list, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(list.Selection().SelectedCount(), 100);
    QCOMPARE(list.TopRow(), 0);
    QTest::keyClick(&list, Qt::Key_Up); // stays on the first row
    QCOMPARE(list.Selection().SelectedRows(), QList<int>{0});

    // Enter opens one selected row only; Delete asks; a double click opens its row.
    QSignalSpy activated(&list, &CTavListView::rowActivated);
    QSignalSpy deleted(&list, &CTavListView::deleteRequested);
    QTest::keyClick(&list, Qt::Key_Return);
    list.Selection().SetSelected(5, true);
    QTest::keyClick(&list, Qt::Key_Return); // two rows selected: nothing opens
    QCOMPARE(activated.count(), 1);
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(deleted.count(), 1);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(list, 2));
    QCOMPARE(activated.last().first().toInt(), 2);

    QSignalSpy changed(&list, &CTavListView::selectionChanged);
    list.SetTopRow(50);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(list, 3));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(list, 5));
    QCOMPARE(list.Selection().SelectedRows(), (QList<int>{53, 54, 55}));
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

    // A header click sorts and selects nothing; dragging a column edge is no click.
    QSignalSpy clicked(&list, &CTavListView::headerClicked);
    QSignalSpy resized(&list, &CTavListView::columnResized);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toInt(), 1);
    QCOMPARE(list.Selection().SelectedRows(), QList<int>{58});
    QTest::mousePress(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 10), list.viewport()->mapToGlobal(QPointF(150, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    QCOMPARE(list.Columns().At(0).width, 150);
    QCOMPARE(resized.count(), 1);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(list.ColumnAtX(160), 1);
}

void TestPanes::richText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("escaped"); // empty: only the round trip is checked
    QTest::newRow("CRLF once, not twice") << "a\r\nb" << QByteArray("a\\par b");
    QTest::newRow("escaped line break is not re-escaped") << "\\\n{" << QByteArray("\\\\\\par \\{");
    // Trail byte 0x5C of "表" and "ソ" stays as it is: the text is escaped by character.
    QTest::newRow("double-byte trail 0x5C") << QStringLiteral("表ソ") << QByteArray("\x95\x5C\x83\x5C");
    QTest::newRow("outside code page 932")
        << QStringLiteral("あ😀") << QByteArray("\x82\xA0\\u-10179?\\u-8704?");
    QTest::newRow("control words typed")
        << QStringLiteral("{a} \\par \\b bold? \\'82 \\u123?") << QByteArray();
    QTest::newRow("leading spaces, tabs")
        << QStringLiteral("一行目\n  二行目\r\n\n四\t行目\n") << QByteArray();
    QTest::newRow("trail bytes like syntax") << QStringLiteral("表示ソフト予定表\\ポ{") << QByteArray();
    QTest::newRow("half-width kana, symbols, Hangul") << QStringLiteral("ｱｲｳ①～－∑한국어") << QByteArray();
}

void TestPanes::richText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, escaped);
    if (!escaped.isEmpty())
        QCOMPARE(CTavRichText::Escape(text), escaped);
    const QString expected = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(CTavRichTextReader::PlainText(CTavRichText::Document(text, false, false)), expected);
    QTextDocument doc;
    CTavRichTextReader::Fill(doc, CTavRichText::Document(text, false, false));
    QCOMPARE(doc.toPlainText(), expected);
    QCOMPARE(doc.firstBlock().begin().fragment().charFormat().fontPointSize(), 14.0);
}

void TestPanes::formats()
{
    using Run = CTavRichTextReader::Run;
    QCOMPARE(CTavRichTextReader::Parse(
                 "{\\rtf1{\\fonttbl{\\f0 X;}}\\fs20 small\\b bold\\b0\\fs28  big\\par{\\b in}out}"),
             (QList<Run>{{QStringLiteral("small"), false, 20, false},
                         {QStringLiteral("bold"), true, 20, false},
                         {QStringLiteral(" big"), false, 28, true},
                         {QStringLiteral("in"), true, 28, false},
                         {QStringLiteral("out"), false, 28, false}})); // the group ended
}

void TestPanes::hostileInputStaysBounded_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("unbalanced closing braces") << QByteArray("}}}a}b") << "ab";
    QTest::newRow("deep nesting") << QByteArray(100000, '{') + "x" + QByteArray(100000, '}') << "x";
    QTest::newRow("cut escape") << QByteArray("a\\'8") << "a8";
    QTest::newRow("bad hex") << QByteArray("a\\'zzb") << "azzb";
    QTest::newRow("lead byte at the end") << QByteArray("a\x82") << "a?";
    QTest::newRow("huge parameters") << QByteArray("\\fs99999999999999999999 a\\u99999999999 ?b") << "ab";
    QTest::newRow("ignorable destination") << QByteArray("{\\*\\generator x;}y") << "y";
    QTest::newRow("backslash at the end") << QByteArray("a\\") << "a";
}

void TestPanes::hostileInputStaysBounded()
{
    QFETCH(QByteArray, rtf);
    QString plain = CTavRichTextReader::PlainText(rtf);
    if (QTest::currentDataTag() == QLatin1String("huge parameters"))
        plain.remove(1, 1); // whatever character the clamped escape gave
    QTEST(plain, "text");
}

void TestPanes::randomBytesNeverCrash()
{
    QRandomGenerator random(932);
    const QByteArray alphabet("{}\\'*abfsuparc0123456789- \x82\x95\x5C\n");
    for (int round = 0; round < 2000; ++round) {
        QByteArray rtf(random.bounded(1, 300), Qt::Uninitialized);
        for (char& c : rtf)
            c = random.bounded(4) == 0 ? static_cast<char>(random.bounded(256))
                                       : alphabet.at(random.bounded(alphabet.size()));
        QVERIFY(CTavRichTextReader::PlainText(rtf).size() <= rtf.size());
    }
}

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
