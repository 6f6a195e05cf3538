// Metrics index timings over a rider of 5,000 one-hour rides in 20 years,
// each with notes (English and Chinese), written once per run into a
// temporary folder: the first build, an open when up to date, one new
// ride, a day's, week's and month's totals, all summaries, the search, a
// changed profile, and the memory an open index adds.
#include "training/MetricsIndex.h"

#include "tests/support/TempFolder.h"
#include "tests/training/IndexRides.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

constexpr int RideCount = 5000;

const char *const Topics[] = {"Morning ride to the lake", "Hill repeats", "今天骑车去山上", "Recovery spin",
                              "周末长距离骑行", "Intervals on the coast road", "Commute", "和朋友一起骑车"};
const char *const Memos[] = {"Windy, legs heavy after the climb", "天气很好，风很大", "Flat tyre near the bridge",
                             "Coffee stop in town", "山上很冷，下坡很快"};

struct Rider {
    TempFolder scratch, folder;
    IndexRides rides{scratch.path()};
    std::vector<std::string> names;

    Rider()
    {
        const int first = DayNumber(2006, 1, 1);
        for (int i = 0; i < RideCount; ++i) {
            const CalendarDate date = DateOfDay(first + static_cast<int>(i * 7300LL / RideCount));
            const std::string name = rides.Write(folder.path(), date.year, date.month, date.day, 6 + i % 12, 0, 0);
            WriteNotes(folder.path(), name, Topics[i % 8], std::to_string(i % 5),
                       {Memos[i % 5], "ride " + std::to_string(i) + " of the year"});
            names.push_back(name);
        }
    }
    std::string Db() const { return folder.file(MetricsIndex::FileName); }
    void RemoveIndex() const
    {
        for (const char *suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(Db() + suffix);
    }
};

Rider &TheRider()
{
    static Rider rider;
    return rider;
}

// An open index of the whole rider, built once.
MetricsIndex &OpenIndex()
{
    static MetricsIndex index;
    if (!index.IsOpen() && !index.Open(TheRider().folder.path(), Profile(), 0)) {
        std::fprintf(stderr, "%s\n", index.Error().c_str());
        std::exit(1);
    }
    return index;
}

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_FirstBuild(benchmark::State &state)
{
    Rider &rider = TheRider();
    int total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rider.RemoveIndex();
        state.ResumeTiming();
        MetricsIndex index;
        if (!index.Open(rider.folder.path(), Profile(), 0, [&](int, int all) { total = all; }))
            state.SkipWithError("build failed");
    }
    state.counters["rides"] = total;
}
BENCHMARK(BM_FirstBuild)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();

// The folder as a rider leaves it between two runs of the program: not
// changed for a few seconds (the index then trusts its notes files).
void BM_OpenUpToDate(benchmark::State &state)
{
    OpenIndex();
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    MetricsIndex().Open(TheRider().folder.path(), Profile(), 0);
    for (auto _ : state) {
        MetricsIndex index;
        if (!index.Open(TheRider().folder.path(), Profile(), 0, [&](int, int) { state.SkipWithError("read"); }))
            state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_OpenUpToDate)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_OneNewRide(benchmark::State &state)
{
    Rider &rider = TheRider();
    MetricsIndex &index = OpenIndex();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string name = rider.rides.Write(rider.folder.path(), 2026, 1, 2, 7, 0, 0);
        WriteNotes(rider.folder.path(), name, "New ride", "1", {"downloaded"});
        state.ResumeTiming();
        if (!index.RideFiled(name))
            state.SkipWithError("not filed");
        state.PauseTiming();
        std::filesystem::remove(rider.folder.file(name));
        index.RideDeleted(name);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OneNewRide)->Unit(benchmark::kMillisecond)->UseRealTime();

// A changed profile: zones and load of all 5,000 rides recomputed from the
// heart rates the index keeps (two profiles in turn).
void BM_ProfileChanged(benchmark::State &state)
{
    MetricsIndex &index = OpenIndex();
    Profile other;
    other.maxHr = 185;
    other.zones = {55, 65, 75, 85, 92};
    bool changed = false;
    for (auto _ : state) {
        changed = !changed;
        if (!index.SetProfile(changed ? other : Profile(), 0))
            state.SkipWithError("not recomputed");
    }
    index.SetProfile(Profile(), 0);
}
BENCHMARK(BM_ProfileChanged)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_PeriodTotals(benchmark::State &state)
{
    MetricsIndex &index = OpenIndex();
    const Period periods[] = {DayPeriod(2016, 5, 10), WeekPeriod(2016, 5, 10), MonthPeriod(2016, 5)};
    const Period period = periods[state.range(0)];
    int rides = 0;
    for (auto _ : state) {
        const PeriodTotals totals = TotalsOf(index.Rides(period), period);
        rides = totals.rides;
        benchmark::DoNotOptimize(totals);
    }
    state.counters["rides"] = rides;
}
BENCHMARK(BM_PeriodTotals)->ArgName("day_week_month")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_AllSummaries(benchmark::State &state)
{
    MetricsIndex &index = OpenIndex();
    for (auto _ : state)
        benchmark::DoNotOptimize(index.AllRides());
}
BENCHMARK(BM_AllSummaries)->Unit(benchmark::kMillisecond);

void BM_Search(benchmark::State &state)
{
    MetricsIndex &index = OpenIndex();
    // Indexed words, a word of two Chinese characters (looked for in the
    // text), both together, and a word found nowhere.
    const char *const queries[] = {"LAKE morning", "山上", "coffee 骑车", "mountain"};
    const char *const query = queries[state.range(0)];
    std::size_t found = 0;
    for (auto _ : state)
        found = index.Search(query).size();
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_Search)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The resident memory an index of the 5,000 rides adds, with all
// summaries and one search taken: built from the files, and opened up to
// date. Run alone (--benchmark_filter=Memory) to see the first build's.
void BM_MemoryOfIndex(benchmark::State &state)
{
    Rider &rider = TheRider();
    double built = 0, opened = 0;
    const auto added = [&] {
        const double before = ResidentMegabytes();
        MetricsIndex index;
        index.Open(rider.folder.path(), Profile(), 0);
        benchmark::DoNotOptimize(index.AllRides());
        benchmark::DoNotOptimize(index.Search("山上"));
        return ResidentMegabytes() - before;
    };
    for (auto _ : state) {
        rider.RemoveIndex();
        built = added();
        opened = added();
    }
    state.counters["built_MB"] = built;
    state.counters["opened_MB"] = opened;
}
BENCHMARK(BM_MemoryOfIndex)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
