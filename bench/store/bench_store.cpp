// Store timings: listing 5,000 record files, the 31 day totals of one month
// holding 60 records, reading a record of the largest possible dump, and
// saving notes (written, synced to disk and renamed into place).
#include "record/Trfsanalysis.h"
#include "store/Databasecontroler.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// Decodes a built dump and returns the record file text.
std::string RecordText(const DumpBuilder &b, const std::string &folder)
{
    writeFileBytes(folder + "/Temp.txt", b.tempText());
    TTRAnalysis decoder;
    if (decoder.Decode(folder)) {
        std::fprintf(stderr, "decode failed: %s\n", decoder.FailReason.c_str());
        std::exit(1);
    }
    return readFileBytes(folder + "/" + decoder.FileName);
}

DumpBuilder WithSamples(int samples, int laps)
{
    DumpBuilder b;
    for (int i = 0; i < samples; ++i)
        b.addSample(static_cast<std::uint8_t>(60 + i % 120), static_cast<std::uint8_t>(i % 130),
                    static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(5000 + i % 3000));
    for (int i = 1; i <= laps; ++i)
        b.addLap(DumpBuilder::lap(static_cast<std::uint8_t>(i)));
    return b;
}

// A rider folder with 5,000 record files: 60 of them in July 2012, written
// from a one-hour exercise (3,600 samples), the others only listed.
struct Rider {
    TempFolder dir;
    TKorvanDataBase db;
    std::string largest; // name of the largest possible record
    std::size_t largestSize = 0;
    std::size_t monthRecordSize = 0;
    int largestPages = 0;

    Rider()
    {
        const std::string folder = dir.path();
        std::filesystem::create_directory(folder + "/work");
        db.RiderFolder = folder + "/";
        const std::string month = RecordText(WithSamples(3600, 5), folder + "/work");
        monthRecordSize = month.size();
        char name[32];
        for (int i = 0; i < 60; ++i) {
            std::snprintf(name, sizeof name, "1207%02d%02d0000.TR9", 1 + i % 31, i / 31);
            writeFileBytes(db.RiderFolder + name, month);
        }
        for (int i = 0; i < 4939; ++i) {
            std::snprintf(name, sizeof name, "%02d%02d%02d%02d0000.TR9", 8 + i / 1488, 1 + i / 124 % 12,
                          1 + i / 4 % 31, i % 4);
            writeFileBytes(db.RiderFolder + name, "[File Head]\r\n");
        }
        // 255 sections is the most a header can state.
        const DumpBuilder largestDump = WithSamples(10720, 10);
        largestPages = largestDump.pageCount();
        const std::string big = RecordText(largestDump, folder + "/work");
        largestSize = big.size();
        largest = "991231235959.TR9";
        writeFileBytes(db.RiderFolder + largest, big);
    }
};

Rider &TheRider()
{
    static Rider rider;
    return rider;
}

void BM_ListRecordFiles5000(benchmark::State &state)
{
    Rider &r = TheRider();
    for (auto _ : state) {
        r.db.ListRecordFiles();
        benchmark::DoNotOptimize(r.db.RecordFiles.data());
    }
    state.counters["files"] = static_cast<double>(r.db.RecordFiles.size());
}
BENCHMARK(BM_ListRecordFiles5000)->Unit(benchmark::kMillisecond);

void BM_SumDayMonth(benchmark::State &state)
{
    Rider &r = TheRider();
    r.db.ListRecordFiles();
    std::int64_t seconds = 0;
    for (auto _ : state) {
        seconds = 0;
        for (int day = 1; day <= 31; ++day) {
            r.db.SumDay(12, 7, day);
            seconds += r.db.DaySeconds;
        }
        benchmark::DoNotOptimize(seconds);
    }
    state.counters["month_s"] = static_cast<double>(seconds);
    state.counters["record_bytes"] = static_cast<double>(r.monthRecordSize);
}
BENCHMARK(BM_SumDayMonth)->Unit(benchmark::kMillisecond);

void BM_ReadRecordLargest(benchmark::State &state)
{
    Rider &r = TheRider();
    for (auto _ : state) {
        r.db.ReadRecord(r.largest);
        benchmark::DoNotOptimize(r.db.RecordLines.data());
    }
    state.counters["record_bytes"] = static_cast<double>(r.largestSize);
    state.counters["lines"] = static_cast<double>(r.db.RecordLines.size());
    state.counters["pages"] = r.largestPages;
}
BENCHMARK(BM_ReadRecordLargest)->Unit(benchmark::kMillisecond);

void BM_SaveNotes(benchmark::State &state)
{
    Rider &r = TheRider();
    r.db.NoteLines = {"Morning ride", "2"};
    for (int i = 0; i < 20; ++i)
        r.db.NoteLines.append(QString("memo line %1 with a few words").arg(i));
    for (auto _ : state)
        if (r.db.SaveNotes(r.largest) != 0)
            state.SkipWithError("the notes could not be saved");
}
BENCHMARK(BM_SaveNotes)->Unit(benchmark::kMillisecond);

} // namespace
