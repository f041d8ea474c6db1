#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavModuleBar.h"
#include "CTavModuleButton.h"
#include "TavCommandIds.h"

// The launcher bar: its six buttons in place, the current module marked, and its painted look.
class TestModuleBar : public QObject
{
    Q_OBJECT
private slots:
    void buttonsInOrder();
    void currentIndexMarksItsModule_data();
    void currentIndexMarksItsModule();
    void paintedBands_data();
    void paintedBands();
};

void TestModuleBar::buttonsInOrder()
{
    CTavModuleBar bar;
    QCOMPARE(bar.width(), 106);
    const QList<std::pair<QString, int>> expected = {
        {"予定表", TavCmd::ViewSchedule}, {"アドレス", TavCmd::ViewAddress},
        {"To Do", TavCmd::ViewTodo},      {"手書きメモ", TavCmd::ViewFreeMemo},
        {"メモ帳", TavCmd::ViewMemoPad},  {"便利情報", TavCmd::ViewReference}};
    QSignalSpy spy(&bar, &CTavModuleBar::commandRequested);
    for (int i = 0; i < 6; ++i) {
        CTavModuleButton* b = bar.Buttons().at(i);
        QCOMPARE(b->geometry(), QRect(12, 2 + 80 * i, 80, 80));
        QCOMPARE(b->text(), expected.at(i).first);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(spy.last().at(0).toInt(), expected.at(i).second);
    }
}

void TestModuleBar::currentIndexMarksItsModule_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("command");
    QTest::newRow("schedule") << int(CTavModuleBar::Schedule) << TavCmd::ViewSchedule;
    QTest::newRow("memo pad") << int(CTavModuleBar::MemoPad) << TavCmd::ViewMemoPad;
    QTest::newRow("handwritten") << int(CTavModuleBar::FreeMemo) << TavCmd::ViewFreeMemo;
    QTest::newRow("reference") << int(CTavModuleBar::Reference) << TavCmd::ViewReference;
}

void TestModuleBar::currentIndexMarksItsModule()
{
    QFETCH(int, index);
    QFETCH(int, command);
    CTavModuleBar bar;
    bar.SetCurrent(index);
    QCOMPARE(bar.Current(), index);
    int marked = 0;
    for (CTavModuleButton* b : bar.Buttons())
        if (b->IsCurrent()) {
            ++marked;
            QCOMPARE(b->Command(), command);
        }
    QCOMPARE(marked, 1);
}

void TestModuleBar::paintedBands_data()
{
    QTest::addColumn<int>("borders");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    const QColor base(0xC6, 0xC3, 0xC6);
    QTest::newRow("left line") << 0 << QPoint(1, 560) << QColor(Qt::black);
    QTest::newRow("background") << 0 << QPoint(40, 560) << base;
    QTest::newRow("middle line") << 0 << QPoint(91, 560) << QColor(Qt::black);
    QTest::newRow("white band") << 0 << QPoint(100, 560) << QColor(Qt::white);
    QTest::newRow("right border") << int(CTavModuleBar::BorderRight) << QPoint(105, 560) << QColor(Qt::black);
    QTest::newRow("no top border") << 0 << QPoint(40, 0) << base;
    QTest::newRow("top border") << int(CTavModuleBar::BorderTop) << QPoint(40, 1) << QColor(Qt::black);
    QTest::newRow("bottom border") << int(CTavModuleBar::BorderBottom) << QPoint(40, 598)
                                   << QColor(Qt::black);
}

void TestModuleBar::paintedBands()
{
    QFETCH(int, borders);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    CTavModuleBar bar(borders);
    bar.resize(106, 600);
    const QImage image = bar.grab().toImage();
    QCOMPARE(image.pixelColor(point), colour);
    AppTestEnv::Screenshot(&bar, QStringLiteral("module-bar"));
}

QTEST_MAIN(TestModuleBar)
#include "tst_modulebar.moc"
