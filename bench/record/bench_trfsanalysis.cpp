// Decode of a full dump (256 pages: laps and samples filling the longest
// data length the header can state) and of a half-size one; every work
// file and the record file are written in a temporary folder.
#include "record/Trfsanalysis.h"
#include "tests/support/DumpBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void BM_Decode(benchmark::State &state)
{
    const int pages = static_cast<int>(state.range(0));
    char pattern[] = "/tmp/bench_trfsanalysis.XXXXXX";
    if (!::mkdtemp(pattern))
        throw std::runtime_error("cannot create a temporary folder");
    const std::string folder = pattern;
    const std::string text = DumpBuilder::full(pages, pages * 99 / 256).tempText();
    std::ofstream(folder + "/Temp.txt", std::ios::binary) << text;

    for (auto _ : state) {
        TTRAnalysis analysis;
        if (analysis.Decode(folder))
            state.SkipWithError(analysis.FailReason.c_str());
        benchmark::DoNotOptimize(analysis.FileName);
    }
    state.counters["dump_bytes"] = static_cast<double>(text.size());
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(BM_Decode)->Arg(256)->Arg(128)->Unit(benchmark::kMillisecond);
