#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "PalmBitmapEncoder.h"
#include "PalmTestSupport.h"
#include "SheetSamples.h"
#include "sheet/CTavDbFreePageGeometry.h"

using PalmTest::code;
using Manager = CTavDbFreePdbObjectManager;

// Drawing of the sheet objects against pictures the test paints itself, and what the editor
// asks of them: hit tests, resize handles, the eraser's path and the page's geometry.

namespace {
const QColor Background(255, 255, 200);
const QColor Red(255, 0, 0);
const QColor Green(0, 130, 0);

// A resource database with one 8 x 8 black seal of id 1000.
QByteArray sealDatabase()
{
    PalmTest::BitmapLayout layout;
    layout.width = 8;
    layout.height = 8;
    layout.depth = 1;
    PalmTest::DbFile file;
    file.attributes = 0x0001;
    file.records = {{0, 0, code("Tbmp"), 1000, PalmTest::encodeBitmap(layout, std::vector<uint32_t>(64, 1))}};
    return file.bytes();
}

// Pixels of the colour inside and outside a rectangle.
QPair<int, int> countColor(const QImage& image, QColor color, const QRect& inside)
{
    int in = 0, out = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == color.rgb())
                ++(inside.contains(x, y) ? in : out);
        }
    }
    return {in, out};
}
} // namespace

class TestSheetDraw : public QObject
{
    Q_OBJECT

private slots:
    void drawingMatchesPaintedReference()
    {
        QTemporaryDir dir;
        QVERIFY(PalmTest::writeFile(dir.filePath("Seals.prc"), sealDatabase()));
        Manager sheet;
        sheet.Create(dir.filePath("s.pdb"), Manager::TypeSheet);
        sheet.CreateResources({dir.path()});
        sheet.GetCanvas()->SetColor(255, 255, 200, CTavDbFreeCanvasObject::DefaultRect);
        SheetTest::addStroke(sheet, {{20, 50}, {120, 50}}, 3, Red);
        auto* text = sheet.AddNew<CTavDbTextObject>();
        text->SetBox(QRect(20, 100, 100, 40));
        text->SetString(QString(60, u'W'), Qt::blue, 15);
        auto* picture = sheet.AddNew<CTavDbMMContentsObject>();
        picture->SetPicture("p.jpg", SheetTest::solid(QSize(40, 30), Green), 8);
        picture->Offset(150, 150);
        auto* seal = sheet.AddNew<CTavDbSealObject>();
        seal->SetSeal("Seals", 1000, sheet.GetResources());
        seal->MoveTo({200, 200});
        auto* missing = sheet.AddNew<CTavDbSealObject>();
        missing->SetSeal("Seals", 7, sheet.GetResources());
        missing->MoveTo({240, 300});

        const QImage page = sheet.CreateThumbnailBitmap(Manager::PageRect, QSize(300, 394));
        QImage reference(300, 394, QImage::Format_RGB32);
        reference.fill(Background);
        {
            QPainter p(&reference);
            p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(20, 50, 120, 50);
        }
        QCOMPARE(page.copy(10, 40, 120, 20), reference.copy(10, 40, 120, 20));
        // The text is clipped to its box.
        const auto [inBox, outOfBox] = countColor(page, Qt::blue, text->GetRect());
        QVERIFY(inBox > 50);
        QCOMPARE(outOfBox, 0);
        QCOMPARE(page.pixel(170, 165), Green.rgb());
        QCOMPARE(seal->GetRect(), QRect(200, 200, 8, 8));
        QCOMPARE(page.pixel(203, 203), qRgb(0, 0, 0));
        QCOMPARE(missing->GetRect().size(), QSize(32, 32));
        QCOMPARE(page.pixel(240, 300), qRgb(128, 128, 128)); // frame where the seal sits
        QCOMPARE(page.pixel(256, 316), Background.rgb());

        // Selected: a dotted frame and the resize handle on the bottom-right corner.
        picture->AddRecordFlag(CTavDbFreeRecord::FlagSelected);
        const QImage selected = sheet.CreateThumbnailBitmap(Manager::PageRect, QSize(300, 394));
        const QRect handle = picture->ResizeHandle();
        QCOMPARE(handle, QRect(186, 176, 7, 7));
        QCOMPARE(selected.pixel(handle.center()), qRgb(255, 255, 255));
        QCOMPARE(selected.pixel(handle.topLeft()), qRgb(0, 0, 255));
        QCOMPARE(selected.pixel(170, 165), Green.rgb());

        // Another part of the canvas, and the page at twice the size.
        QCOMPARE(sheet.CreateThumbnailBitmap(QRect(0, 40, 300, 394), QSize(300, 394)).pixel(60, 10),
                 Red.rgb());
        const QImage doubled = sheet.CreateThumbnailBitmap(Manager::PageRect, QSize(600, 788));
        QCOMPARE(doubled.pixel(120, 100), Red.rgb());
        QCOMPARE(doubled.pixel(340, 330), Green.rgb());

        // List thumbnails come from the stored picture once there is one.
        const QImage small = sheet.CreateThumbnailBitmap(Manager::PageRect, Manager::SmallThumbnailSize);
        QCOMPARE(small.size(), QSize(24, 24));
        QCOMPARE(small.pixel(1, 1), Background.rgb());
        sheet.SetThumbnail(SheetTest::solid(QSize(300, 394), Qt::magenta));
        const QImage listed = sheet.CreateThumbnailBitmapEx(Manager::PageRect, Manager::SmallThumbnailSize);
        QCOMPARE(listed.size(), QSize(24, 24));
        QCOMPARE(listed.pixel(12, 12), QColor(Qt::magenta).rgb());
        QCOMPARE(sheet.CreateThumbnailBitmapEx(QRect(0, 40, 300, 394), QSize(24, 24)).pixel(1, 1),
                 Background.rgb());
    }

    void hitTestsHandlesAndBoxRules()
    {
        QTemporaryDir dir;
        Manager sheet;
        sheet.Create(dir.filePath("s.pdb"), Manager::TypeSheet);
        auto* stroke = SheetTest::addStroke(sheet, {{20, 50}, {120, 50}}, 1, Qt::black);
        QCOMPARE(sheet.IsForcus({70, 53}), (QList<CTavDbFreeRecord*>{stroke}));
        QVERIFY(sheet.IsForcus({70, 56}).isEmpty());
        QVERIFY(sheet.IsForcus({5, 5}).isEmpty()); // the sheet records are not on the page
        auto* picture = sheet.AddNew<CTavDbMMContentsObject>();
        picture->SetPicture("p.jpg", SheetTest::solid(QSize(40, 30), Green), 8);
        picture->Offset(60, 40);
        QCOMPARE(sheet.IsForcus({70, 50}), (QList<CTavDbFreeRecord*>{picture, stroke}));
        sheet.TopMostRecord(stroke);
        QCOMPARE(sheet.IsForcus({70, 50}), (QList<CTavDbFreeRecord*>{stroke, picture}));

        // Handles only on selected objects that can be resized.
        QVERIFY(!sheet.IsResize({99, 69}));
        picture->AddRecordFlag(CTavDbFreeRecord::FlagSelected | CTavDbFreeRecord::FlagMoving);
        QCOMPARE(sheet.IsResize({99, 69}), picture);
        QVERIFY(!sheet.IsResize({90, 60}));
        stroke->AddRecordFlag(CTavDbFreeRecord::FlagSelected);
        QVERIFY(stroke->ResizeHandle().isEmpty());
        auto* sound = sheet.AddNew<CTavDbMMContentsObject>();
        sound->SetSound("v.wav");
        sound->AddRecordFlag(CTavDbFreeRecord::FlagSelected);
        QVERIFY(sound->ResizeHandle().isEmpty());
        sheet.ClearSelection();
        QCOMPARE(picture->GetRecordFlag(), 0u);
        auto* text = sheet.AddNew<CTavDbTextObject>();
        text->SetBox(QRect(10, 10, 60, 60));
        text->ResizeBy(-100, 5);
        QCOMPARE(text->GetRect(), QRect(10, 10, 24, 65));

        // The editor's text-box rules on the page.
        const QRect page(0, 0, 300, 394);
        QCOMPARE(CTavDbTextObject::StartBox({290, 390}, page), QPoint(276, 370));
        QCOMPARE(CTavDbTextObject::StartBox({-5, 20}, page), QPoint(0, 20));
        QCOMPARE(CTavDbTextObject::DragBox({10, 10}, {15, 12}, page), QRect(10, 10, 24, 24));
        QCOMPARE(CTavDbTextObject::DragBox({10, 10}, {400, 500}, page),
                 QRect(QPoint(10, 10), QPoint(298, 392)));
        QCOMPARE(CTavDbTextObject::FinishBox(QRect(33, 45, 10, 10), page), QRect(32, 44, 24, 24));
        QCOMPARE(CTavDbTextObject::FinishBox(QRect(291, 381, 30, 30), page), QRect(270, 364, 30, 30));
        QCOMPARE(CTavDbTextObject::GetClippedText("abc", QFontMetrics(CTavDbTextObject::CreateFont(2)), 200),
                 "abc");
        const QString clipped = CTavDbTextObject::GetClippedText(
            QString(50, u'カ'), QFontMetrics(CTavDbTextObject::CreateFont(2)), 60);
        QVERIFY(clipped.endsWith("...") && clipped.size() < 20);

        // Moving in even steps, the odd pixel carried; staying on the page; scrolling.
        int remainder = 0;
        QCOMPARE(CTavDbFreePageGeometry::EvenStep(3, &remainder), 2);
        QCOMPARE(CTavDbFreePageGeometry::EvenStep(3, &remainder), 4);
        QCOMPARE(CTavDbFreePageGeometry::EvenStep(-1, &remainder), -2);
        QCOMPARE(remainder, 1);
        QCOMPARE(CTavDbFreePageGeometry::PushInside(QRect(290, -5, 20, 20), page), QRect(280, 0, 20, 20));
        QCOMPARE(CTavDbFreePageGeometry::ClampResize(QRect(250, 350, 40, 40), {15, -5}, page), QPoint(0, -5));
        CTavDbFreePageGeometry geometry;
        QCOMPARE(geometry.WindowSize(), QSize(340, 580));
        geometry.ScrollBy(CTavDbFreePageGeometry::ScrollStep * 2);
        QCOMPARE(geometry.Scroll(), 480 - 394);
        QCOMPARE(geometry.ToCanvas({27, 47}), QPoint(10, 96));
        geometry.ScrollBy(-500);
        QCOMPARE(geometry.VisibleRect(), page);
    }

    void eraserPathFindsTheStrokesItCrosses()
    {
        QTemporaryDir dir;
        Manager sheet;
        sheet.Create(dir.filePath("s.pdb"), Manager::TypeSheet);
        auto* thin = SheetTest::addStroke(sheet, {{20, 50}, {120, 50}}, 1, Qt::black);
        auto* wide = SheetTest::addStroke(sheet, {{20, 80}, {120, 80}}, 3, Qt::black);
        auto* text = sheet.AddNew<CTavDbTextObject>();
        text->SetBox(QRect(20, 40, 100, 60));
        using Hits = QList<CTavDbFreeRecord*>;
        // Crossing between the stroke's points.
        QCOMPARE(sheet.EraseCheck(QPolygon(QList<QPoint>{{70, 40}, {70, 60}})), Hits{thin});
        QCOMPARE(sheet.EraseCheck(QPolygon(QList<QPoint>{{70, 45}, {65, 70}, {72, 95}})), (Hits{thin, wide}));
        // Running alongside without touching.
        QVERIFY(sheet.EraseCheck(QPolygon(QList<QPoint>{{0, 54}, {200, 54}})).isEmpty());
        QVERIFY(sheet.EraseCheck(QPolygon(QList<QPoint>{{0, 200}, {200, 200}})).isEmpty());
        // A single point touches the wide stroke's end; text is never erased.
        QCOMPARE(sheet.EraseCheck(QPolygon(QList<QPoint>{{121, 81}})), Hits{wide});
        for (CTavDbFreeRecord* r : sheet.EraseCheck(QPolygon(QList<QPoint>{{0, 0}, {130, 100}, {0, 100}})))
            QVERIFY(sheet.RemoveRecord(r));
        QCOMPARE(sheet.GetRecordCount(), 4);
        QCOMPARE(sheet.Find(text), 3);
    }
};

QTEST_MAIN(TestSheetDraw)
#include "tst_sheetdraw.moc"
