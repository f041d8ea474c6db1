// The year window on the 10,000 generated events (events.cli.jsonl of bench/gen_events.py):
// the refill of a year's twelve grids and event counts, and the paint of the twelve months into
// a 1280x800 image.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "BenchEnv.h"
#include "BenchEvents.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbEnv.h"
#include "CTavScYearDoc.h"
#include "CTavScYearView.h"

namespace {
const QSize kImage(1280, 800);

// The application's date store with the events, and a year window's document and view on it.
struct YearWindow
{
    CTavApp app;
    CTavScYearDoc* doc = nullptr;
    std::unique_ptr<CTavScYearView> view;
    std::string error;

    YearWindow()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2025, 6, 18), QTime(10, 0)));
        CTavDbEnv::SetCorePath(BenchEnv::workDir(QStringLiteral("yearview")) + QStringLiteral("/root/"));
        error = BenchEvents::Load(app.DateStore());
        doc = new CTavScYearDoc(app, &app);
        view = std::make_unique<CTavScYearView>(doc);
        view->resize(kImage);
    }
    ~YearWindow()
    {
        view.reset();
        CTavDbClock::Release();
    }
};

std::unique_ptr<YearWindow> g_window; // made on first use, gone before the application object

YearWindow* window(benchmark::State& state)
{
    if (!g_window)
        g_window = std::make_unique<YearWindow>();
    if (!g_window->error.empty()) {
        state.SkipWithError(g_window->error.c_str());
        return nullptr;
    }
    return g_window.get();
}

int markedDays(CTavScYearDoc& doc)
{
    int marked = 0;
    for (QDate d(doc.Year(), 1, 1); d.year() == doc.Year(); d = d.addDays(1))
        marked += doc.EventCount(d) > 0;
    return marked;
}

// What a change of the store or the date costs: the year refilled and painted.
void runYear(benchmark::State& state, bool paint)
{
    YearWindow* w = window(state);
    if (!w)
        return;
    QImage image(kImage, QImage::Format_ARGB32_Premultiplied);
    int year = 0;
    for (auto _ : state) {
        // Years with events all through them, one after the other.
        w->doc->SelectDay(QDate(2021 + year++ % 9, 6, 18));
        w->doc->UpdateAllViews(0);
        w->doc->Month(1);
        if (paint) {
            QPainter painter(&image);
            w->view->Draw(painter, QRect(QPoint(), kImage));
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["marked days"] = markedDays(*w->doc);
    const QString shots = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
    if (paint && !shots.isEmpty())
        image.save(shots + QStringLiteral("/bench-yearview.png"));
}

void BM_YearRefill(benchmark::State& state)
{
    runYear(state, false);
}
void BM_YearRefillAndPaint(benchmark::State& state)
{
    runYear(state, true);
}
} // namespace

BENCHMARK(BM_YearRefill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearRefillAndPaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int status = BenchEnv::run(argc, argv);
    g_window.reset();
    return status;
}
