// The month window's refill and drawing: the 42 days of a month of the 10,000 generated events
// (events.cli.jsonl of bench/gen_events.py) into their lists, then the calendar painted into an
// image of 1280 x 800, month after month.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <string>

#include "BenchEnv.h"
#include "CTavDbDate.h"
#include "CTavScDayStyle.h"
#include "CTavScMonthDoc.h"
#include "CTavScMonthPainter.h"

namespace {
CTavDbDateRecord fromJson(const QJsonObject& o)
{
    const auto time = [](const QJsonValue& v) {
        return CTavDbTime::fromDateTime(
            QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    };
    CTavDbDateRecord r;
    r.SetDesc(o.value(QStringLiteral("desc")).toString());
    r.SetNote(o.value(QStringLiteral("note")).toString());
    r.SetStartTime(time(o.value(QStringLiteral("start"))));
    r.SetEndTime(time(o.value(QStringLiteral("end"))));
    r.SetUntimed(o.value(QStringLiteral("untimed")).toBool());
    r.SetPrivate(o.value(QStringLiteral("private")).toBool());
    const QJsonObject rule = o.value(QStringLiteral("repeat")).toObject();
    r.SetMyBrand(rule.value(QStringLiteral("kind")).toInt());
    r.SetInterval(rule.value(QStringLiteral("interval")).toInt());
    r.SetWeekDayMask(static_cast<uint8_t>(rule.value(QStringLiteral("weekMask")).toInt()));
    r.SetDayIndex(rule.value(QStringLiteral("dayIndex")).toInt());
    r.SetWeekIndex(rule.value(QStringLiteral("weekIndex")).toInt());
    r.SetMonthIndex(rule.value(QStringLiteral("monthIndex")).toInt());
    r.SetDayNumber(rule.value(QStringLiteral("dayNumber")).toInt());
    r.SetFirstDayOfWeek(rule.value(QStringLiteral("firstDayOfWeek")).toInt());
    const QString end = rule.value(QStringLiteral("endDate")).toString();
    if (!end.isEmpty())
        r.SetEndDate(CTavDbTime::fromDate(QDate::fromString(end, Qt::ISODate)));
    QList<QDate> exceptions;
    for (const QJsonValue& e : rule.value(QStringLiteral("exceptions")).toArray())
        exceptions << QDate::fromString(e.toString(), Qt::ISODate);
    r.SetExceptions(exceptions);
    // Every fourth event coloured, as users colour some of theirs.
    r.SetTextColor(r.GetDesc().size() % 4 == 0, 0xCCFFCC);
    return r;
}

std::string load(CTavDbDate& store)
{
    QFile file(BenchEnv::dataDir() + QStringLiteral("/events/events.cli.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return BenchEnv::missing(file.fileName());
    while (!file.atEnd()) {
        CTavDbDateRecord r = fromJson(QJsonDocument::fromJson(file.readLine()).object());
        if (store.AddRecord(r) != TavStatusCode::Ok)
            return "event " + std::to_string(store.GetRecordCount() + 1) + " refused";
    }
    if (store.GetRecordCount() != BenchEnv::events())
        return BenchEnv::mismatch(QStringLiteral("events"), BenchEnv::events(), store.GetRecordCount());
    return {};
}

// One step of the month window, as after a change: the store's day index rebuilt, the next
// month's grid and its lists, then the whole calendar painted. The months of 2025 and 2026,
// where the generated events lie thickest, in turn.
void BM_MonthRefillAndPaint(benchmark::State& state)
{
    CTavDbDate store;
    const std::string error = load(store);
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
