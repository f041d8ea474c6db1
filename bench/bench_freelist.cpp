// The handwritten memo list: the document's reload of 1,000 memo sheets (scan of the current
// and past folders with titles, dates and 24 x 24 thumbnails, then the sort), and the resort
// by title of the loaded list. The sheets are made once into the build's bench folder.

#include <QApplication>
#include <QDir>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavFreeDoc.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"

namespace {
using Manager = CTavDbFreePdbObjectManager;

int sheetCount()
{
    return BenchEnv::smoke() ? 40 : 1000;
}

// A page of handwriting: a few hundred points in wavy strokes, with its stored thumbnail.
void writeSheet(const QString& path, int n, QRandomGenerator& random)
{
    Manager sheet;
    sheet.Create(path, Manager::TypeSheet);
    CTavDbFreeMiscInfoObject* info = sheet.GetMiscInfo();
    info->SetTitle(QStringLiteral("打ち合わせメモ %1").arg(random.bounded(sheetCount())));
    info->SetCategoryId(n % 3);
    info->SetScheduleDateTime(QDateTime(QDate(2024, 1, 1).addDays(random.bounded(700)), QTime(9, 0)));
    for (int s = 0; s < 12; ++s) {
        auto* stroke = sheet.AddNew<CTavDbHwriteObject>();
        stroke->SetPen(2, QColor(Qt::black));
        int x = 10 + random.bounded(250), y = 20 + s * 30;
        for (int i = 0; i < 40; ++i) {
            x = std::clamp(x + random.bounded(-3, 6), 0, 299);
            y = std::clamp(y + random.bounded(-4, 5), 0, 393);
            stroke->AddPoint({x, y});
        }
    }
    sheet.SetThumbnail(sheet.CreateThumbnailBitmap(Manager::PageRect, Manager::PageRect.size()));
    sheet.SaveAsFile(path, true);
}

// The application with one user whose folders hold the sheets (a tenth in the past folder).
struct SheetList
{
    CTavApp app;
    CTavFreeDoc* doc = nullptr;
    std::string error;

    SheetList()
    {
        const QString root = BenchEnv::workDir(QStringLiteral("freelist%1").arg(sheetCount()));
        CTavDbEnv::SetCorePath(root + QStringLiteral("/root/"));
        const QString user = QStringLiteral("Bench");
        app.Users().AddUser(user);
        app.Users().SetCurrUserName(user);
        app.Users().AddUserDirectory(user);
        doc = new CTavFreeDoc(app, &app);
        const QDir current(doc->CurrentFolder()), past(doc->PastFolder());
        if (current.entryList({QStringLiteral("*.pdb")}).size() +
                past.entryList({QStringLiteral("*.pdb")}).size() !=
            sheetCount()) {
            QDir().mkpath(current.path());
            QDir().mkpath(past.path());
            QRandomGenerator random(6100);
            for (int n = 0; n < sheetCount(); ++n)
                writeSheet((n % 10 ? current : past)
                               .filePath(QStringLiteral("Quillo_%1.pdb").arg(n, 4, 10, QLatin1Char('0'))),
                           n, random);
        }
        doc->Reload();
        if (doc->Count() != sheetCount())
            error = BenchEnv::mismatch(QStringLiteral("sheets"), sheetCount(), doc->Count());
    }
};

std::unique_ptr<SheetList> g_list; // made on first use, gone before the application object

SheetList& sheetList()
{
    if (!g_list)
        g_list = std::make_unique<SheetList>();
    return *g_list;
}

void BM_ReloadSheetList(benchmark::State& state)
{
    SheetList& list = sheetList();
    if (!list.error.empty()) {
        state.SkipWithError(list.error.c_str());
        return;
    }
    for (auto _ : state) {
        list.doc->Reload();
        benchmark::DoNotOptimize(list.doc->Count());
    }
    state.counters["sheets"] = list.doc->Count();
}
BENCHMARK(BM_ReloadSheetList)->Unit(benchmark::kMillisecond);

void BM_SortSheetListByTitle(benchmark::State& state)
{
    SheetList& list = sheetList();
    if (!list.error.empty()) {
        state.SkipWithError(list.error.c_str());
        return;
    }
    int key = 6;
    for (auto _ : state) {
        list.doc->Sort(key);
        key = key == 6 ? 7 : 6;
    }
}
BENCHMARK(BM_SortSheetListByTitle)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int status = BenchEnv::run(argc, argv);
    g_list.reset();
    return status;
}
