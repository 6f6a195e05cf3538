// The training figures in process: one ten-hour ride (3,600 samples) read
// and measured, the fitness series of twenty years and the bests and
// totals over 5,000 rides.
#include "ride/Ride.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"
#include "training/Periods.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct TenHours {
    TempFolder folder;
    std::string record = DecodedRecord(folder.path(), TenHourDump());
};

const std::string &TenHourRecord()
{
    static TenHours tenHours;
    return tenHours.record;
}

Ride TenHourRide()
{
    Ride ride;
    std::string error;
    if (!ReadRide(TenHourRecord(), ride, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    return ride;
}

// count rides from 1 January 2000 on, every `spacing` days, with loads,
// bests and totals that vary from ride to ride.
std::vector<RideSummary> Rides(int count, double spacing)
{
    const int first = DayNumber(2000, 1, 1);
    std::vector<RideSummary> rides(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        RideSummary &r = rides[static_cast<std::size_t>(i)];
        const CalendarDate date = DateOfDay(first + static_cast<int>(i * spacing));
        r.name = std::to_string(i) + ".TR9";
        r.year = date.year, r.month = date.month, r.day = date.day;
        r.seconds = 3600 + i % 97 * 60;
        r.distance = 250 + i % 113;
        r.kcal = 500 + i % 71;
        r.metrics.movingSeconds = r.seconds - 120;
        r.metrics.trimp = 40.0 + i % 61;
        r.metrics.zoneSeconds = std::array<int, 6>{60, 600, 1200, 1200, 400, 140};
        r.metrics.bests.speed = {30.0 + i % 13, 28.0 + i % 11, 26.0 + i % 7};
        r.metrics.bests.heartRate = {160.0 + i % 17, 150.0 + i % 19, 145.0 + i % 23};
    }
    return rides;
}

void BM_ReadTenHourRide(benchmark::State &state)
{
    TenHourRecord();
    for (auto _ : state)
        benchmark::DoNotOptimize(TenHourRide());
}
BENCHMARK(BM_ReadTenHourRide)->Unit(benchmark::kMicrosecond);

void BM_TenHourRideMetrics(benchmark::State &state)
{
    const Ride ride = TenHourRide();
    const Profile profile;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeRideMetrics(ride, profile, 0));
}
BENCHMARK(BM_TenHourRideMetrics)->Unit(benchmark::kMicrosecond);

void BM_FitnessSeriesTwentyYears(benchmark::State &state)
{
    const std::vector<RideSummary> rides = Rides(7300, 1.0); // one ride every day
    const int last = DayOf(rides.back());
    for (auto _ : state)
        benchmark::DoNotOptimize(FitnessSeries(rides, last));
}
BENCHMARK(BM_FitnessSeriesTwentyYears)->Unit(benchmark::kMicrosecond);

void BM_BestsOf5000Rides(benchmark::State &state)
{
    const std::vector<RideSummary> rides = Rides(5000, 1.46); // twenty years
    const Period all{DayOf(rides.front()), DayOf(rides.back())};
    for (auto _ : state)
        benchmark::DoNotOptimize(BestsOf(rides, all));
}
BENCHMARK(BM_BestsOf5000Rides)->Unit(benchmark::kMicrosecond);

void BM_MonthTotalsOf5000Rides(benchmark::State &state)
{
    const std::vector<RideSummary> rides = Rides(5000, 1.46);
    for (auto _ : state)
        benchmark::DoNotOptimize(TotalsOf(rides, MonthPeriod(2012, 7)));
}
BENCHMARK(BM_MonthTotalsOf5000Rides)->Unit(benchmark::kMicrosecond);

} // namespace
