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

// pages of 256 bytes; the data fills all but the last one, the last byte
// count the header can hold (SECTION_CNT is at most 255).
std::string MakeDump(int pages, int laps)
{
    DumpBuilder b;
    const int capacity = (pages - 1) * 254 - 48;
    const int samples = (capacity - laps * 32) / 6;
    const int every = samples / (laps + 1);
    int lapNo = 0;
    for (int s = 0; s < samples; ++s) {
        if (lapNo < laps && s == every * (lapNo + 1))
            b.addLap(DumpBuilder::lap(static_cast<std::uint8_t>(++lapNo)));
        b.addSample(static_cast<std::uint8_t>(100 + s % 80), static_cast<std::uint8_t>(s % 120),
                    static_cast<std::uint16_t>(s * 3), static_cast<std::uint16_t>(5000 + s % 3000));
    }
    while (lapNo < laps)
        b.addLap(DumpBuilder::lap(static_cast<std::uint8_t>(++lapNo)));
    b.setMinPages(pages);
    return b.tempText();
}

void BM_Decode(benchmark::State &state)
{
    const int pages = static_cast<int>(state.range(0));
    char pattern[] = "/tmp/bench_trfsanalysis.XXXXXX";
    if (!::mkdtemp(pattern))
        throw std::runtime_error("cannot create a temporary folder");
    const std::string folder = pattern;
    const std::string text = MakeDump(pages, pages * 99 / 256);
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
