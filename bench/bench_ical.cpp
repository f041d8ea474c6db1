// iCalendar import of the 10,000 generated events (events.ics of bench/gen_events.py): the
// parse alone, and the whole import into an empty store. After the import every event must
// occur in 2025 on the days events.jsonl describes, counted here without the store's rules.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <benchmark/benchmark.h>
#include <libical/ical.h>
#include <string>

#include "BenchEnv.h"
#include "CTavDbDate.h"
#include "CTavDbDateICalExchange.h"

namespace {
QByteArray readAll(const QString& path, std::string* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = BenchEnv::missing(path);
        return {};
    }
    return file.readAll();
}

struct Input
{
    std::string error;
    QByteArray ics = readAll(BenchEnv::dataDir() + QStringLiteral("/events/events.ics"), &error);
    QByteArray jsonl = readAll(BenchEnv::dataDir() + QStringLiteral("/events/events.jsonl"), &error);
};

const Input& input()
{
    static const Input loaded;
    return loaded;
}

// The days of 2025 on which one event of events.jsonl occurs, from its own description.
int occurrencesIn2025(const QJsonObject& event)
{
    const QDate start =
        QDate::fromString(event.value(QStringLiteral("start")).toString().left(10), Qt::ISODate);
    const QJsonObject rule = event.value(QStringLiteral("repeat")).toObject();
    const int kind = rule.value(QStringLiteral("kind")).toInt();
    const int every = std::max(1, rule.value(QStringLiteral("interval")).toInt());
    const QString endText = rule.value(QStringLiteral("end_date")).toString();
    const QDate last = endText.isEmpty() ? QDate(2031, 12, 31) : QDate::fromString(endText, Qt::ISODate);
    QList<QDate> skipped;
    for (const QJsonValue& v : rule.value(QStringLiteral("exceptions")).toArray())
        skipped << QDate::fromString(v.toString(), Qt::ISODate);
    const auto sunday = [](const QDate& d) { return d.addDays(-(d.dayOfWeek() % 7)); };
    const auto months = [&](const QDate& d) {
        return (d.year() - start.year()) * 12 + d.month() - start.month();
    };
    int count = 0;
    for (QDate d(2025, 1, 1); d.year() == 2025; d = d.addDays(1)) {
        if (d < start || d > last || skipped.contains(d))
            continue;
        bool on = false;
        switch (kind) {
        case 0:
            on = d == start;
            break;
        case 1:
            on = start.daysTo(d) % every == 0;
            break;
        case 2:
            on = (rule.value(QStringLiteral("mask")).toInt() >> (d.dayOfWeek() % 7) & 1) &&
                 sunday(start).daysTo(sunday(d)) / 7 % every == 0;
            break;
        case 3: {
            const int weekIndex = rule.value(QStringLiteral("week_index")).toInt();
            const bool week = weekIndex == 4 ? d.day() + 7 > d.daysInMonth() : (d.day() - 1) / 7 == weekIndex;
            on = week && d.dayOfWeek() % 7 == rule.value(QStringLiteral("weekday")).toInt() &&
                 months(d) % every == 0;
            break;
        }
        case 4:
            on = d.day() == rule.value(QStringLiteral("day_number")).toInt() && months(d) % every == 0;
            break;
        case 5:
            on = d.day() == rule.value(QStringLiteral("day_number")).toInt() &&
                 d.month() == rule.value(QStringLiteral("month_index")).toInt() + 1 &&
                 (d.year() - start.year()) % every == 0;
            break;
        }
        count += on;
    }
    return count;
}

// Empty when every imported event occurs in 2025 as often as events.jsonl says.
std::string checkOccurrences(CTavDbDate& store, const QByteArray& jsonl)
{
    std::vector<int> counted(static_cast<size_t>(store.GetRecordCount()));
    for (QDate d(2025, 1, 1); d.year() == 2025; d = d.addDays(1)) {
        const QString key = CTavDbTime::dayKey(d);
        for (size_t i = 0; i < counted.size(); ++i)
            counted[i] +=
                store.IsRepeatTarget(*static_cast<CTavDbDateRecord*>(store.AllRecords()[i].get()), key);
    }
    size_t i = 0;
    for (const QByteArray& line : jsonl.split('\n')) {
        if (line.isEmpty())
            continue;
        if (i >= counted.size())
            return "more events in events.jsonl than imported";
        const int expected = occurrencesIn2025(QJsonDocument::fromJson(line).object());
        if (counted[i] != expected)
            return "event " + std::to_string(i + 1) + " occurs " + std::to_string(counted[i]) +
                   " times in 2025, not " + std::to_string(expected);
        ++i;
    }
    return i == counted.size() ? std::string() : "fewer events in events.jsonl than imported";
}

void BM_LibicalParse(benchmark::State& state)
{
    if (!input().error.empty())
        return state.SkipWithError(input().error.c_str());
    for (auto _ : state) {
        icalcomponent* calendar = icalparser_parse_string(input().ics.constData());
        benchmark::DoNotOptimize(calendar);
        icalcomponent_free(calendar);
    }
    state.SetBytesProcessed(state.iterations() * input().ics.size());
}

void BM_ImportIcs(benchmark::State& state)
{
    if (!input().error.empty())
        return state.SkipWithError(input().error.c_str());
    std::unique_ptr<CTavDbDate> store;
    QStringList notes;
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        store = std::make_unique<CTavDbDate>();
        notes.clear();
        state.ResumeTiming();
        if (CTavDbDateICalExchange::ImportBytes(*store, input().ics, &notes, &added) != TavStatusCode::Ok)
            return state.SkipWithError("the import failed");
    }
    state.SetBytesProcessed(state.iterations() * input().ics.size());
    if (added != BenchEnv::events())
        return state.SkipWithError(
            BenchEnv::mismatch(QStringLiteral("events"), BenchEnv::events(), added).c_str());
    if (!notes.isEmpty())
        return state.SkipWithError(("refused or changed: " + notes.first().toStdString()).c_str());
    if (const std::string error = checkOccurrences(*store, input().jsonl); !error.empty())
        state.SkipWithError(error.c_str());
}
} // namespace

BENCHMARK(BM_LibicalParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIcs)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
