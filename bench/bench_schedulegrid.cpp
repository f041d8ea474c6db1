#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchEnv.h"
#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "CTavComScheduleView.h"

namespace {

constexpr int kEvents = 300;

const char* const kTexts[] = {"定例ミーティング",
                              "顧客訪問（大阪支店）",
                              "企画書レビュー",
                              "電話：見積もりの件",
                              "昼食",
                              "資料作成",
                              "面接（二次）",
                              "開発定例",
                              "品質会議",
                              "リリース準備",
                              "Weekly sync with the team",
                              "歯医者",
                              "研修"};

struct Event
{
    qint64 start;
    qint64 end;
    int text;
    int flags;
};

// A busy day: events between 7:00 and 21:00 in five-minute steps, 15 minutes to 3 hours long,
// so that most of them overlap others. The same seed gives the same day on every run.
std::vector<Event> makeDay(int count, int days)
{
    std::mt19937 random(20250224);
    std::vector<Event> events;
    const QDateTime midnight(QDate(2025, 2, 23), QTime(0, 0));
    for (int i = 0; i < count; ++i) {
        const int day = i % days;
        const int start = 7 * 3600 + static_cast<int>(random() % (14 * 12)) * 300;
        const int length = (3 + static_cast<int>(random() % 34)) * 300;
        const qint64 base = midnight.addDays(day).toSecsSinceEpoch();
        events.push_back({base + start, base + std::min(start + length, 86400 - 5),
                          static_cast<int>(random() % std::size(kTexts)), static_cast<int>(random() % 16)});
    }
    return events;
}

void fill(CTavComScheduleView& view, const std::vector<Event>& events, int days)
{
    view.ClearBoxList();
    std::vector<CTavComScheduleColum*> columns;
    for (int d = 0; d < days; ++d) {
        columns.push_back(new CTavComScheduleColum(QStringLiteral("2/%1").arg(23 + d)));
        view.AddColum(columns.back());
    }
    const QDateTime midnight(QDate(2025, 2, 23), QTime(0, 0));
    for (const Event& e : events) {
        auto* box = new CTavComScheduleBox;
        box->SetTimes(e.start, e.end);
        box->SetText(QString::fromUtf8(kTexts[e.text]));
        box->SetAlarm(e.flags & 1);
        box->SetRepeat(e.flags & 2);
        box->SetFreeMemo(e.flags & 4);
        box->SetBackColor((e.flags & 8) ? 0xCCF4FF : 0xFFFFFF);
        const int day = static_cast<int>(midnight.daysTo(QDateTime::fromSecsSinceEpoch(e.start)));
        columns[day]->AddBox(box);
    }
    view.EndSettingData();
}

std::unique_ptr<CTavComScheduleView> makeView(bool week, const QSize& size)
{
    auto view = std::make_unique<CTavComScheduleView>(week);
    view->resize(size);
    view->show();
    QApplication::processEvents();
    view->SetTime(8);
    return view;
}

// Stops the benchmark unless the view holds every event in its days' columns.
bool holdsAll(benchmark::State& state, const CTavComScheduleView& view, int days)
{
    size_t boxes = 0;
    for (int i = 0; i < view.GetColumCount(); ++i)
        boxes += view.GetColum(i)->GetBoxes().size() + view.GetColum(i)->GetNoTimeBoxes().size();
    if (view.GetColumCount() == days && boxes == size_t(kEvents))
        return true;
    state.SkipWithError(
        ("the view holds " + std::to_string(boxes) + " of the " + std::to_string(kEvents) + " events")
            .c_str());
    return false;
}

void paint(CTavComScheduleView& view, QImage& image)
{
    QPainter painter(&image);
    view.OnDraw(painter);
}

void BM_LayoutDay300(benchmark::State& state)
{
    const auto events = makeDay(kEvents, 1);
    auto view = makeView(false, QSize(1024, 768));
    fill(*view, events, 1);
    if (!holdsAll(state, *view, 1))
        return;
    for (auto _ : state)
        fill(*view, events, 1);
}
BENCHMARK(BM_LayoutDay300)->Unit(benchmark::kMillisecond);

void BM_PaintDay300(benchmark::State& state)
{
    const auto events = makeDay(kEvents, 1);
    auto view = makeView(false, QSize(1024, 768));
    fill(*view, events, 1);
    if (!holdsAll(state, *view, 1))
        return;
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        paint(*view, image);
    const QString shots = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        image.save(shots + QStringLiteral("/bench-schedulegrid-day300.png"));
}
BENCHMARK(BM_PaintDay300)->Unit(benchmark::kMillisecond);

void BM_LayoutAndPaintDay300(benchmark::State& state)
{
    const auto events = makeDay(kEvents, 1);
    auto view = makeView(false, QSize(1024, 768));
    fill(*view, events, 1);
    if (!holdsAll(state, *view, 1))
        return;
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        fill(*view, events, 1);
        paint(*view, image);
    }
}
BENCHMARK(BM_LayoutAndPaintDay300)->Unit(benchmark::kMillisecond);

void BM_LayoutAndPaintWeek300(benchmark::State& state)
{
    const auto events = makeDay(kEvents, 7);
    auto view = makeView(true, QSize(1280, 800));
    fill(*view, events, 7);
    if (!holdsAll(state, *view, 7))
        return;
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        fill(*view, events, 7);
        paint(*view, image);
    }
}
BENCHMARK(BM_LayoutAndPaintWeek300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return BenchEnv::run(argc, argv);
}
