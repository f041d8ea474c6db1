#pragma once

#include <QString>

#include <string>

// Where a benchmark program finds its data, how much it expects, and its run.
// Generated data come from LUMORA_BENCH_DATA when set, otherwise from the folder the build
// fills (bench-data, or bench-data-smoke when LUMORA_BENCH_SMOKE=1 asks for the small sizes).
class BenchEnv
{
public:
    static bool smoke();
    static QString dataDir();
    // A folder of the build for data a program makes itself; never inside LUMORA_BENCH_DATA,
    // which may be a folder shared with other tools.
    static QString workDir(const QString& name);

    // The sizes the generators are run with: events, address cards (also the size of every
    // record store), camera pictures.
    static int events();
    static int records();
    static int pictures();

    // The messages a benchmark stops with when its data are not what it measures.
    static std::string missing(const QString& path);
    static std::string mismatch(const QString& what, qint64 expected, qint64 found);

    // Runs the benchmarks named on the command line; 1 when one of them stopped with an error.
    static int run(int argc, char** argv);
};
