#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavModuleBar.h"
#include "CTavModuleButton.h"
#include "TavCommandIds.h"

// The launcher bar: its six buttons in place and its painted look.
class TestModuleBar : public QObject
{
    Q_OBJECT
private slots:
    void buttonsInOrder();
    void paintedBands_data();
    void paintedBands();
};

void TestModuleBar::buttonsInOrder()
{
    CTavModuleBar bar;
    const int commands[] = {TavCmd::ViewSchedule, TavCmd::ViewAddress, TavCmd::ViewTodo,
                            TavCmd::ViewFreeMemo, TavCmd::ViewMemoPad, TavCmd::ViewReference};
    QSignalSpy spy(&bar, &CTavModuleBar::commandRequested);
    for (int i = 0; i < 6; ++i) {
        CTavModuleButton* b = bar.Buttons().at(i);
        QCOMPARE(b->geometry(), QRect(12, 2 + 80 * i, 80, 80));
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(spy.last().at(0).toInt(), commands[i]);
    }
}

void TestModuleBar::paintedBands_data()
{
    QTest::addColumn<int>("borders");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    const QColor base(0xC6, 0xC3, 0xC6);
    QTest::newRow("background") << 0 << QPoint(40, 560) << base;
    QTest::newRow("middle line") << 0 << QPoint(91, 560) << QColor(Qt::black);
    QTest::newRow("white band") << 0 << QPoint(100, 560) << QColor(Qt::white);
    QTest::newRow("no top border") << 0 << QPoint(40, 0) << base;
    QTest::newRow("top border") << int(CTavModuleBar::BorderTop) << QPoint(40, 1) << QColor(Qt::black);
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
