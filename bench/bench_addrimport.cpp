// Importing the generated address cards (bench/gen_cards.py) from vCard files into an empty
// address store: 3.0 in UTF-8, and 2.1 in Shift_JIS with quoted-printable as phones write it.
// Parsing alone (the file's bytes to cards, each dropped) is measured beside the whole import.
#include <QFile>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "BenchEnv.h"
#include "CTavDbAddr.h"
#include "CTavDbAddrVCard.h"

namespace {
const char* const kFiles[] = {"cards.vcf", "cards_sjis21.vcf"};

QString cardsPath(const benchmark::State& state)
{
    return BenchEnv::dataDir() + QStringLiteral("/cards/") + QLatin1String(kFiles[state.range(0)]);
}

std::unique_ptr<CTavDbAddr> emptyStore()
{
    auto store = std::make_unique<CTavDbAddr>();
    for (const char16_t* name : {u"仕事", u"個人", u"家族", u"取引先", u"友人"})
        store->AddCategory(QString::fromUtf16(name));
    return store;
}

void BM_ImportVCard(benchmark::State& state)
{
    const QString path = cardsPath(state);
    if (!QFile::exists(path)) {
        state.SkipWithError(BenchEnv::missing(path).c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto store = emptyStore();
        state.ResumeTiming();
        const TavStatus status = store->ImportVCardFile(path);
        state.PauseTiming();
        if (status != TavStatusCode::Ok || store->GetRecordCount() != BenchEnv::records()) {
            state.SkipWithError(BenchEnv::mismatch(QStringLiteral("cards imported"), BenchEnv::records(),
                                                   store->GetRecordCount())
                                    .c_str());
            return;
        }
        store.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * BenchEnv::records());
}

void BM_ReadVCard(benchmark::State& state)
{
    QFile file(cardsPath(state));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError(BenchEnv::missing(file.fileName()).c_str());
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        // Parsing alone: each card is built and dropped, as a parser's own benchmark does.
        qsizetype read = 0;
        const auto count = [&read](CTavDbAddrVCard::Card& card) {
            benchmark::DoNotOptimize(card);
            ++read;
            return TavStatus(TavStatusCode::Ok);
        };
        if (CTavDbAddrVCard::Read(bytes, count) != TavStatusCode::Ok || read != BenchEnv::records()) {
            state.SkipWithError(
                BenchEnv::mismatch(QStringLiteral("cards read"), BenchEnv::records(), read).c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * BenchEnv::records());
}

BENCHMARK(BM_ImportVCard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadVCard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
