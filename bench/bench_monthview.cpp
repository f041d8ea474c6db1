// The month window's refill and drawing: the 42 days of a month of the 10,000 generated events
// (events.cli.jsonl of bench/gen_events.py) into their lists, then the calendar painted into an
// image of 1280 x 800, month after month.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <string>

#include "BenchEnv.h"
#include "BenchEvents.h"
#include "CTavDbDate.h"
#include "CTavScDayStyle.h"
#include "CTavScMonthDoc.h"
#include "CTavScMonthPainter.h"

namespace {
// One step of the month window, as after a change: the store's day index rebuilt, the next
// month's grid and its lists, then the whole calendar painted. The months of 2025 and 2026,
// where the generated events lie thickest, in turn.
void BM_MonthRefillAndPaint(benchmark::State& state)
{
    CTavDbDate store;
    const std::string error = BenchEvents::Load(store, 4);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    store.SetPrivateMode(0);
    CTavScDayStyle style;
    CTavScMonthPainter painter;
    painter.SetArea(QRect(0, 0, 1280, 800));
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    CTavScCalendarGrid grid;
    CTavScMonthDoc::Cells cells;
    CTavScMonthScene scene;
    scene.grid = &grid;
    scene.events = &cells;
    scene.store = &store;
    scene.style = &style;
    scene.privateMode = 1;
    auto* touched = store.GetDateRecord(0);
    int month = 0;
    int64_t lines = 0;
    for (auto _ : state) {
        store.UpdateRecord(*touched);
        grid.Build(2025 + month / 12, month % 12 + 1, 0);
        scene.selected = QDate(2025 + month / 12, month % 12 + 1, 15);
        month = (month + 1) % 24;
        CTavScMonthDoc::Fill(store, grid, cells);
        QPainter p(&image);
        painter.Paint(p, scene);
        for (const auto& cell : cells)
            lines += cell.size();
    }
    state.counters["events/month"] = benchmark::Counter(static_cast<double>(lines) / state.iterations());
    const QString shots = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        image.save(shots + QStringLiteral("/bench-monthview.png"));
}
BENCHMARK(BM_MonthRefillAndPaint)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return BenchEnv::run(argc, argv);
}
