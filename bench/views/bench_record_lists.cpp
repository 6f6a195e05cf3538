// Record list figures: FillRecordLists of the main window (the folder
// listing and both record lists) on a rider folder of 5,000 record files,
// with the details view shown. Offscreen platform.
#include "app/Main.h"
#include "store/Databasecontroler.h"
#include "tests/support/TempFolder.h"
#include "views/CheckList.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void BM_FillRecordLists(benchmark::State &state)
{
    TempFolder app;
    TmainForm form(QString::fromStdString(app.path()));
    form.FormCreate();
    const std::string rider = app.file("ID/Alex");
    QDir().mkpath(QString::fromStdString(rider));
    const int records = static_cast<int>(state.range(0));
    for (int i = 0; i < records; ++i) {
        char name[32];
        // Twelve digits of a start time: one record per hour, 28-day months.
        std::snprintf(name, sizeof name, "%02d%02d%02d%02d0000.TR9", 20 + i / 8064, 1 + (i / 672) % 12,
                      1 + (i / 24) % 28, i % 24);
        writeFileBytes(rider + "/" + name, "[File Head]\r\n");
    }
    form.DataBase->RiderFolder = rider + "/";
    form.ShowView(mvSportMode);
    form.show();
    for (auto _ : state)
        form.FillRecordLists();
    state.counters["files"] = double(form.DataBase->RecordFiles.size());
}
BENCHMARK(BM_FillRecordLists)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ListRecordFiles(benchmark::State &state)
{
    TempFolder rider;
    for (int i = 0; i < 5000; ++i)
        writeFileBytes(rider.file(std::to_string(100000000000LL + i) + ".TR9"), "");
    TKorvanDataBase db;
    db.RiderFolder = rider.path() + "/";
    for (auto _ : state)
        db.ListRecordFiles();
}
BENCHMARK(BM_ListRecordFiles)->Unit(benchmark::kMillisecond);

void BM_CheckListSetNames(benchmark::State &state)
{
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i)
        names.push_back(std::to_string(100000000000LL + i) + ".TR9");
    TCheckList list(nullptr, "FileDataCLB");
    list.resize(176, 379);
    list.show();
    for (auto _ : state)
        list.SetNames(names);
}
BENCHMARK(BM_CheckListSetNames)->Unit(benchmark::kMillisecond);

} // namespace
