// Export of a ten-hour record (3,600 samples, ten laps) in each format,
// in process: reading the record through the store, encoding, and the
// atomic write of the file; the encoding alone for comparison.
#include "export/Export.h"
#include "export/Formats.h"
#include "export/Ride.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <QTimeZone>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct TenHours {
    TempFolder folder;
    std::string record = DecodedRecord(folder.path(), TenHourDump());
};

TenHours &Record()
{
    static TenHours tenHours;
    return tenHours;
}

void BM_ExportRecord(benchmark::State &state)
{
    const auto format = static_cast<ExportFormat>(state.range(0));
    const std::string out = Record().folder.file(std::string("ride.") + ExportExtension(format));
    std::string error;
    for (auto _ : state) {
        if (!ExportRecord(Record().record, format, out, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
    }
    state.SetLabel(ExportExtension(format));
}
BENCHMARK(BM_ExportRecord)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_ReadRide(benchmark::State &state)
{
    ExportRide ride;
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadExportRide(Record().record, QTimeZone::systemTimeZone(), ride, error));
}
BENCHMARK(BM_ReadRide)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State &state)
{
    ExportRide ride;
    std::string error;
    ReadExportRide(Record().record, QTimeZone::systemTimeZone(), ride, error);
    std::string (*const encoders[])(const ExportRide &) = {FitBytes, TcxBytes, CsvBytes};
    const auto format = static_cast<ExportFormat>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(encoders[state.range(0)](ride));
    state.SetLabel(ExportExtension(format));
}
BENCHMARK(BM_Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
