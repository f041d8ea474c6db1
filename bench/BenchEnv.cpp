#include "BenchEnv.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

namespace {
// Google Benchmark reports an error as error_occurred up to 1.7 and as skipped since 1.8.
template <class Run> bool failed(const Run& run)
{
    if constexpr (requires { run.error_occurred; })
        return run.error_occurred;
    else
        return run.skipped != decltype(run.skipped){};
}

// The reporter --benchmark_format asks for, counting the runs that stopped with an error.
template <class Base> class Counting final : public Base
{
public:
    using Base::Base;
    void ReportRuns(const std::vector<benchmark::BenchmarkReporter::Run>& runs) override
    {
        for (const auto& run : runs)
            failures += failed(run) ? 1 : 0;
        Base::ReportRuns(runs);
    }
    int failures = 0;
};

template <class Reporter> int runWith(Reporter& reporter)
{
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.failures == 0)
        return 0;
    std::fprintf(stderr, "%d benchmark(s) stopped with an error\n", reporter.failures);
    return 1;
}

QString defaultDir()
{
    return BenchEnv::smoke() ? QStringLiteral(LUMORA_BENCH_SMOKE_DIR) : QStringLiteral(LUMORA_BENCH_DATA_DIR);
}
} // namespace

bool BenchEnv::smoke()
{
    static const bool on = qEnvironmentVariableIntValue("LUMORA_BENCH_SMOKE") != 0;
    return on;
}

QString BenchEnv::dataDir()
{
    const QString dir = qEnvironmentVariable("LUMORA_BENCH_DATA");
    return dir.isEmpty() ? defaultDir() : dir;
}

QString BenchEnv::workDir(const QString& name)
{
    const QString dir = defaultDir() + u'/' + name;
    QDir().mkpath(dir);
    return dir;
}

int BenchEnv::events()
{
    return smoke() ? LUMORA_BENCH_EVENTS_SMOKE : LUMORA_BENCH_EVENTS;
}

int BenchEnv::records()
{
    return smoke() ? LUMORA_BENCH_RECORDS_SMOKE : LUMORA_BENCH_RECORDS;
}

int BenchEnv::pictures()
{
    return smoke() ? LUMORA_BENCH_PICTURES_SMOKE : LUMORA_BENCH_PICTURES;
}

std::string BenchEnv::missing(const QString& path)
{
    return QStringLiteral("cannot read %1: build the target bench-data%2, or set LUMORA_BENCH_DATA to a "
                          "folder of the same layout")
        .arg(path, smoke() ? QStringLiteral("-smoke") : QString())
        .toStdString();
}

std::string BenchEnv::mismatch(const QString& what, qint64 expected, qint64 found)
{
    return QStringLiteral("%1 in %2: %3 expected, %4 found (generated with other sizes?)")
        .arg(what, dataDir())
        .arg(expected)
        .arg(found)
        .toStdString();
}

int BenchEnv::run(int argc, char** argv)
{
    QString format;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--benchmark_format=")))
            format = arg.section(u'=', 1);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (format == QLatin1String("json")) {
        Counting<benchmark::JSONReporter> reporter;
        return runWith(reporter);
    }
    Counting<benchmark::ConsoleReporter> reporter(
        isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color : benchmark::ConsoleReporter::OO_None);
    return runWith(reporter);
}
