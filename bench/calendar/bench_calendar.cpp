// Calendar figures with 5,000 record files in the rider's folder, 60 of
// them (one-hour exercises) in July 2012: FillCalendar (marks and the
// visible grid), a month step from the arrow's click to the redrawn grid,
// the month totals (31 day sums) and one week's totals. Offscreen platform.
#include "app/Main.h"
#include "calendar/CalendarView.h"
#include "calendar/ShownMonth.h"
#include "draw/Image.h"
#include "record/Trfsanalysis.h"
#include "store/Databasecontroler.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// The program folder with one rider and the main window on the calendar view.
struct Program {
    TempFolder app;
    std::unique_ptr<TmainForm> form;

    Program()
    {
        const std::string rider = app.path() + "/ID/bob/";
        std::filesystem::create_directories(rider);
        // One decoded one-hour exercise, filed 60 times in July 2012.
        DumpBuilder b;
        b.setStart(12, 7, 1, 8, 0, 0);
        for (int i = 0; i < 3600; ++i)
            b.addSample(static_cast<std::uint8_t>(60 + i % 120), static_cast<std::uint8_t>(i % 130),
                        static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(5000 + i % 3000));
        for (std::uint8_t lap = 1; lap <= 5; ++lap)
            b.addLap(DumpBuilder::lap(lap));
        writeFileBytes(app.file("Temp.txt"), b.tempText());
        TTRAnalysis decoder;
        if (decoder.Decode(app.path())) {
            std::fprintf(stderr, "decode failed: %s\n", decoder.FailReason.c_str());
            std::exit(1);
        }
        char name[32];
        for (int i = 0; i < 60; ++i) {
            std::snprintf(name, sizeof name, "1207%02d%02d0000.TR9", 1 + i % 31, i / 31);
            std::filesystem::copy_file(app.file(decoder.FileName), rider + name);
        }
        // The others only listed: four a day over years 2008 to 2011.
        for (int i = 0; i < 4940; ++i) {
            std::snprintf(name, sizeof name, "%02d%02d%02d%02d0000.TR9", 8 + i / 1488, 1 + i / 124 % 12,
                          1 + i / 4 % 31, i % 4);
            writeFileBytes(rider + name, "[File Head]\r\n");
        }

        form = std::make_unique<TmainForm>(QString::fromStdString(app.path()));
        form->FormCreate();
        form->DataBase->CurrentID = "bob";
        form->DataBase->RiderFolder = rider;
        form->DataBase->ListRecordFiles();
        form->SetTransparent(false);
        form->show();
        form->ShowTopButtons(true);
        form->Shown.SetShownMonth(2012, 7);
        form->BtnImageDateClick();
        QCoreApplication::processEvents();
    }
};

Program &TheProgram()
{
    static Program program;
    return program;
}

void BM_FillCalendar(benchmark::State &state)
{
    Program &p = TheProgram();
    for (auto _ : state) {
        p.form->FillCalendar();
        p.form->CalenderPanel->repaint();
    }
    state.counters["files"] = static_cast<double>(p.form->DataBase->RecordFiles.size());
}
BENCHMARK(BM_FillCalendar)->Unit(benchmark::kMillisecond);

void BM_MonthStepClick(benchmark::State &state)
{
    Program &p = TheProgram();
    TImage *arrows[2] = {p.form->findChild<TImage *>("ArrowNRImage"), p.form->findChild<TImage *>("ArrowNLImage")};
    int i = 0;
    for (auto _ : state) {
        QTest::mouseClick(arrows[i++ % 2], Qt::LeftButton, {}, QPoint(5, 5));
        p.form->CalenderPanel->repaint();
    }
}
BENCHMARK(BM_MonthStepClick)->Unit(benchmark::kMillisecond);

void BM_MonthTotals(benchmark::State &state)
{
    Program &p = TheProgram();
    p.form->Shown.SetShownMonth(2012, 7);
    TSumTotals sum;
    for (auto _ : state) {
        sum = p.form->Shown.MonthTotals(*p.form->DataBase);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["month_s"] = static_cast<double>(sum.Seconds);
}
BENCHMARK(BM_MonthTotals)->Unit(benchmark::kMillisecond);

void BM_WeekTotals(benchmark::State &state)
{
    Program &p = TheProgram();
    p.form->Shown.SetShownMonth(2012, 7);
    TSumTotals sum;
    for (auto _ : state) {
        // Row 1: 8 to 14 July, 14 records.
        sum = p.form->Shown.WeekTotals(*p.form->DataBase, 1);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["week_s"] = static_cast<double>(sum.Seconds);
}
BENCHMARK(BM_WeekTotals)->Unit(benchmark::kMillisecond);

} // namespace
