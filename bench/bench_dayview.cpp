#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchEnv.h"
#include "CTavComScheduleView.h"
#include "CTavDbDate.h"
#include "CTavScBoxHost.h"
#include "CTavScCalendarGrid.h"
#include "CTavScEventColum.h"

namespace {

const QDate kFirstDay(2024, 1, 1);
constexpr int kDays = 730;

struct Host final : CTavScBoxHost
{
    bool IsSelectedEvent(const CTavDbDateRecord* record) const override { return record == selected; }
    void SelectEvent(CTavDbDateRecord* record) override { selected = record; }
    int PrivateMode() const override { return 1; }
    QImage IconImage(const QString&, uint32_t, int) override { return {}; }
    const CTavDbDateRecord* selected = nullptr;
};

// A full store: 65,535 events over two years (about 90 a day; fewer in the smoke run), one in
// eight repeating daily, weekly or monthly, some private, untimed or coloured. The same seed
// gives the same store.
std::unique_ptr<CTavDbDate> makeStore()
{
    auto store = std::make_unique<CTavDbDate>();
    std::mt19937 random(20241201);
    for (int i = 0; i < BenchEnv::records(); ++i) {
        CTavDbDateRecord r;
        const QDate day = kFirstDay.addDays(random() % kDays);
        const int start = 6 * 3600 + static_cast<int>(random() % (15 * 12)) * 300;
        const int length = (3 + static_cast<int>(random() % 30)) * 300;
        r.SetDesc(QStringLiteral("予定 %1 打合せ").arg(i));
        r.SetStartTime(CTavDbTime::fromDate(day) + start);
        r.SetEndTime(CTavDbTime::fromDate(day) + std::min(start + length, 86400 - 5));
        r.SetUntimed(random() % 20 == 0);
        r.SetPrivate(random() % 10 == 0);
        r.SetTextColor(random() % 4 == 0, 0xCCFFCC);
        if (random() % 8 == 0) {
            r.SetMyBrand(static_cast<int>(1 + random() % 3));
            r.SetInterval(static_cast<int>(1 + random() % 3));
            r.SetWeekDayMask(static_cast<uint8_t>(1u << (day.dayOfWeek() % 7)));
            r.SetDayIndex(r.GetMyBrand() == CTavDbDateRecord::RepeatWeekly ? 1 : day.dayOfWeek() % 7);
            r.SetWeekIndex((day.day() - 1) / 7);
            r.SetEndDate(CTavDbTime::fromDate(day.addDays(30 + random() % 120)));
        }
        store->AddRecord(r);
    }
    return store;
}

// One step of the day window: the next day with the 22:00 rule, its events from the store into
// the grid's column, the layout, and a paint of the visible part.
void BM_StepDayByDay(benchmark::State& state)
{
    auto store = makeStore();
    if (store->GetRecordCount() != BenchEnv::records()) {
        state.SkipWithError((std::to_string(store->GetRecordCount()) + " of the " +
                             std::to_string(BenchEnv::records()) + " events went into the store")
                                .c_str());
        return;
    }
    Host host;
    CTavComScheduleView view(false);
    view.resize(760, 640);
    view.show();
    QApplication::processEvents();
    view.SetTime(9);
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    TavTime current = CTavDbTime::fromDate(kFirstDay);
    int64_t boxes = 0;
    QList<CTavDbDateRecord*> records;
    store->GetDayRecords(CTavDbTime::dayKey(kFirstDay), records); // the index is built once
    for (auto _ : state) {
        current = CTavScCalendarGrid::StepDays(current, 1);
        const QDate day = CTavDbTime::toDate(current);
        if (day >= kFirstDay.addDays(kDays))
            current = CTavDbTime::fromDate(kFirstDay);
        const QString key = CTavDbTime::dayKey(day);
        view.ClearBoxList();
        auto* column = new CTavScEventColum(key, host);
        store->GetDayRecords(key, records);
        for (CTavDbDateRecord* r : std::as_const(records)) {
            if (!r->IsRepeating() || store->IsRepeatTarget(*r, key))
                column->AddRecord(r);
        }
        boxes += static_cast<int64_t>(column->GetBoxes().size() + column->GetNoTimeBoxes().size());
        view.AddColum(column);
        view.EndSettingData();
        QPainter painter(&image);
        view.OnDraw(painter);
    }
    state.counters["boxes/day"] = benchmark::Counter(static_cast<double>(boxes) / state.iterations());
    const QString shots = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        image.save(shots + QStringLiteral("/bench-dayview.png"));
}
BENCHMARK(BM_StepDayByDay)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return BenchEnv::run(argc, argv);
}
