// Reads arbitrary bytes as a memo sheet: whatever loads is drawn, hit-tested and written back,
// and what was written loads again with the same objects and nothing left to repair.
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPolygon>
#include <cstdlib>

#include "sheet/CTavDbFreePdbObjectManager.h"

// Fontconfig keeps its configuration to the end of the process on purpose.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    // Text boxes need the font machinery of a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* args[] = {(*argv)[0], nullptr};
    // Never destroyed: the font caches stay reachable to the end instead of being torn down
    // half-way at exit, which the leak checker would report.
    static QGuiApplication* app = new QGuiApplication(argc, args);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CTavDbFreePdbObjectManager sheet;
    if (sheet.LoadFromBytes(bytes) != TavStatusCode::Ok)
        return 0;
    const int count = sheet.CreateObjects();
    unsigned sum = unsigned(sheet.GetTitle().size() + sheet.GetCategoryId());
    const QImage page = sheet.CreateThumbnailBitmap(CTavDbFreePdbObjectManager::PageRect, QSize(300, 394));
    const QImage small = sheet.CreateThumbnailBitmapEx(CTavDbFreePdbObjectManager::PageRect, QSize(24, 24));
    sum += page.pixel(150, 200) + small.pixel(12, 12);
    for (int i = 0; i < count; ++i)
        sheet.GetRecord(i)->AddRecordFlag(CTavDbFreeRecord::FlagSelected);
    sum += unsigned(sheet.IsForcus({150, 200}).size() +
                    sheet.EraseCheck(QPolygon(QList<QPoint>{{0, 0}, {300, 394}})).size());
    sum += sheet.IsResize({100, 100}) != nullptr;
    sum += sheet.CreateThumbnailBitmap(sheet.GetCanvasRect(), QSize(32, 48)).pixel(1, 1);

    const QByteArray written = sheet.ToBytes();
    // A sheet that needed no repair is written back byte for byte.
    if (sheet.GetProblems().isEmpty() && written != bytes)
        abort();
    CTavDbFreePdbObjectManager again;
    if (again.LoadFromBytes(written) != TavStatusCode::Ok || again.CreateObjects() != count ||
        !again.GetProblems().isEmpty())
        abort();
    return sum == 0xFFFFFFFF;
}
