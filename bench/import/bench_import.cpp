// Import of FIT files of one hour at 1 s (3,600 records): one file read,
// resampled, its record written and synced, the original kept; and 1,000
// such files from a folder on two threads, with the peak memory it took.
#include "import/Import.h"
#include "tests/import/FitBuilder.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t Start = 991476000; // 2021-06-01 10:00 UTC

void Write(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Each iteration imports into a rider folder of its own, made beforehand
// and synced, as a rider's folder is there before an import: the sync of the
// record then carries no other work of the benchmark.
constexpr int OneFileIterations = 50;

void BM_ImportOneHourFit(benchmark::State &state)
{
    QTemporaryDir tmp;
    const std::string src = tmp.filePath("ride.fit").toStdString();
    Write(src, HourFit(Start));
    for (int i = 0; i < OneFileIterations; ++i)
        std::filesystem::create_directory(tmp.filePath(QString::number(i)).toStdString());
    ::sync();
    ImportOptions options;
    options.threads = 1;
    int i = 0;
    for (auto _ : state) {
        const std::string rider = tmp.filePath(QString::number(i++)).toStdString();
        const auto results = ImportRides({src}, rider, options);
        if (results.front().status != ImportStatus::Imported)
            state.SkipWithError(results.front().reason.c_str());
    }
}
BENCHMARK(BM_ImportOneHourFit)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(OneFileIterations);

void BM_ImportThousandFiles(benchmark::State &state)
{
    QTemporaryDir tmp;
    const std::string folder = tmp.filePath("files").toStdString();
    std::filesystem::create_directory(folder);
    for (std::uint32_t i = 0; i < 1000; ++i) // one ride every two hours
        Write(folder + "/ride" + std::to_string(i) + ".fit", HourFit(Start + 7200 * i));
    const std::string rider = tmp.filePath("rider").toStdString();
    ImportOptions options;
    options.threads = 2;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(rider);
        std::filesystem::create_directory(rider);
        const long before = PeakKiB();
        state.ResumeTiming();
        std::size_t imported = 0;
        for (const ImportResult &r : ImportRides(ImportFilesOf(folder), rider, options))
            imported += r.status == ImportStatus::Imported;
        state.counters["imported"] = static_cast<double>(imported);
        state.counters["peak_MiB"] = static_cast<double>(PeakKiB()) / 1024.0;
        state.counters["peak_growth_MiB"] = static_cast<double>(PeakKiB() - before) / 1024.0;
    }
}
BENCHMARK(BM_ImportThousandFiles)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
