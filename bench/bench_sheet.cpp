// Memo sheets: the list's scan (loading every sheet file of a folder with its title, dates
// and 24 x 24 thumbnail) over 1,000 sheets, and drawing a sheet of 5,000 stroke points at the
// page's size and at twice that. The sheets are made once into the build's bench folder.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbTextObject.h"

namespace {
using Manager = CTavDbFreePdbObjectManager;

int sheetCount()
{
    return BenchEnv::smoke() ? 40 : 1000;
}

// Strokes of a hand-written page: words of wavy lines, row under row, in points all told.
void scribble(Manager& sheet, QRandomGenerator& random, int points)
{
    const int perStroke = 50;
    for (int made = 0, n = 0; made < points; ++n) {
        auto* stroke = sheet.AddNew<CTavDbHwriteObject>();
        stroke->SetPen(1 + n % 3, n % 5 ? QColor(Qt::black) : QColor(200, 0, 0));
        int x = 10 + (n * 37) % 250;
        int y = 20 + ((n * 37) / 250 * 24) % 360;
        for (int i = 0; i < perStroke && made < points; ++i, ++made) {
            x = std::clamp(x + random.bounded(-3, 6), 0, 299);
            y = std::clamp(y + random.bounded(-4, 5), 0, 393);
            stroke->AddPoint({x, y});
        }
    }
}

// The folder of sheets; its name carries the count, so that the smoke run's few sheets are
// never taken for the full set.
QString sheetFolder()
{
    const QString folder = BenchEnv::workDir(QStringLiteral("sheets%1").arg(sheetCount()));
    const QDir dir(folder);
    if (dir.entryList({QStringLiteral("*.pdb")}, QDir::Files).size() == sheetCount())
        return folder;
    QRandomGenerator random(1000);
    for (int i = 0; i < sheetCount(); ++i) {
        const QString path = dir.filePath(QStringLiteral("Quillo_%1.pdb").arg(i, 4, 10, QLatin1Char('0')));
        Manager sheet;
        sheet.Create(path, Manager::TypeSheet);
        sheet.GetMiscInfo()->SetTitle(QStringLiteral("打ち合わせメモ %1").arg(i));
        sheet.GetMiscInfo()->SetCategoryId(i % 3);
        scribble(sheet, random, 400 + random.bounded(800));
        auto* text = sheet.AddNew<CTavDbTextObject>();
        text->SetBox(QRect(20, 300, 200, 48));
        text->SetString(QStringLiteral("来週の会議までに資料を用意する"), Qt::blue, 8);
        sheet.SetThumbnail(sheet.CreateThumbnailBitmap(Manager::PageRect, QSize(300, 394)));
        sheet.SaveAsFile(path, true);
    }
    return folder;
}

void BM_ScanSheetFolder(benchmark::State& state)
{
    const QString folder = sheetFolder();
    const QDir dir(folder);
    for (auto _ : state) {
        int listed = 0;
        qint64 bytes = 0;
        for (const QString& name : dir.entryList({QStringLiteral("*.pdb")}, QDir::Files)) {
            Manager sheet;
            if (sheet.LoadFromFile(dir.filePath(name)) != TavStatusCode::Ok ||
                !sheet.IsSheetOfType(Manager::TypeSheet) || sheet.CreateObjects() <= 0)
                continue;
            const QImage thumbnail =
                sheet.CreateThumbnailBitmapEx(Manager::PageRect, Manager::SmallThumbnailSize);
            const QString title = sheet.GetTitle();
            benchmark::DoNotOptimize(thumbnail.constBits());
            benchmark::DoNotOptimize(title.constData());
            bytes += sheet.GetFileSize() + sheet.GetCategoryId() + sheet.GetHeader().GetModificationDateRaw();
            ++listed;
        }
        if (listed != sheetCount()) {
            state.SkipWithError(
                BenchEnv::mismatch(QStringLiteral("sheets listed"), sheetCount(), listed).c_str());
            break;
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["sheets"] = sheetCount();
}
BENCHMARK(BM_ScanSheetFolder)->Unit(benchmark::kMillisecond);

// Draws the page of 5,000 stroke points into a picture of the page's size times the argument.
void BM_DrawStrokes(benchmark::State& state)
{
    QRandomGenerator random(5000);
    Manager sheet;
    sheet.Create(BenchEnv::workDir(QStringLiteral("sheets")) + QStringLiteral("/draw.pdb"),
                 Manager::TypeSheet);
    scribble(sheet, random, 5000);
    const QSize size(300 * int(state.range(0)), 394 * int(state.range(0)));
    for (auto _ : state) {
        const QImage image = sheet.CreateThumbnailBitmap(Manager::PageRect, size);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = 5000;
}
BENCHMARK(BM_DrawStrokes)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication application(argc, argv);
    return BenchEnv::run(argc, argv);
}
