// Caption lookup: the 51 keys of the main window's caption refresh against
// the installed traditional Chinese language file.
#include "lang/Multilan.h"

#include <benchmark/benchmark.h>

namespace {

const char *const kMainWindowKeys[] = {
    "Cyclovex", "Distance", "Heart Rate", "Speed", "RPM", "Multi-File", "Value", "Duration", "Distance", "RPM",
    "AVG Speed", "LAP", "KCAL", "HR/MAX", "HR/AVG", "VO2/MAX", "Intensity", "KCAL", "Duration", "Distance",
    "Topic", "Weather", "Memo", "Save", "Clean All", "Delete", "Fine/Fair/Sunny", "Clear to overcast", "Cloudy",
    "Drizzle", "Foggy", "Gale wind", "Misty", "Pour/DownPour", "Sleet", "Snowy", "Stormy wind", "Windy",
    "Blizzard", "January", "February", "March", "April", "May", "June", "July", "August", "September",
    "October", "November", "December"};
static_assert(std::size(kMainWindowKeys) == 51);

void BM_CL51(benchmark::State &state)
{
    MultiLanguage ml;
    ml.LangFolder = CYCLOVEX_LANGUAGE_FOLDER;
    if (ml.LoadLanguage("CHT.lre")) {
        state.SkipWithError("CHT.lre not found");
        return;
    }
    QStringList keys;
    for (const char *k : kMainWindowKeys)
        keys.append(QString::fromUtf8(k));
    int translated = 0;
    for (auto _ : state) {
        translated = 0;
        for (const QString &k : keys)
            translated += ml.CL(k) != k;
        benchmark::DoNotOptimize(translated);
    }
    state.counters["translated"] = translated;
    state.counters["lines"] = static_cast<double>(ml.Lines.size());
}
BENCHMARK(BM_CL51)->Unit(benchmark::kMicrosecond);

} // namespace
