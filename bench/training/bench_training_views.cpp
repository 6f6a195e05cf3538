// The Training windows over a rider of 5,000 one-hour rides in 20 years,
// index up to date: choosing the Training mode until the panel is drawn
// (the folder read again as the main window does), a year step, a range
// change, the laps window opened on a ride, and a hover readout.
#include "training/LapsForm.h"
#include "training/TrainingCharts.h"
#include "training/TrainingPanel.h"
#include "training/TrainingService.h"

#include "tests/support/TempFolder.h"
#include "tests/training/IndexRides.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

constexpr int RideCount = 5000;

struct Rider {
    TempFolder scratch, folder;
    IndexRides rides{scratch.path()};
    std::string last;
    TrainingService service;

    Rider()
    {
        const int first = DayNumber(QDate::currentDate().year() - 20, 1, 1);
        for (int i = 0; i < RideCount; ++i) {
            const CalendarDate date = DateOfDay(first + static_cast<int>(i * 7300LL / RideCount));
            last = rides.Write(folder.path(), date.year, date.month, date.day, 6 + i % 12, 0, 0);
        }
        service.Open(folder.path());
        while (!service.Ready())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};

Rider &TheRider()
{
    static Rider rider;
    return rider;
}

struct Shown {
    TTrainingPanel panel{nullptr, TheRider().service};
    Shown()
    {
        panel.resize(652, 620);
        panel.show();
        panel.repaint();
    }
    // Paints the panel with its charts and tables into a picture: what
    // the screen shows, whether or not the platform exposes the window.
    void Draw() { benchmark::DoNotOptimize(panel.grab()); }
    template <class T> T *Child(const char *name) { return panel.findChild<T *>(QString::fromLatin1(name)); }
};

void BM_ChooseTraining(benchmark::State &state)
{
    Shown shown;
    for (auto _ : state) {
        shown.panel.hide();
        shown.panel.show();
        // As the main window does when the mode is chosen: the folder read
        // again (nothing changed), the panel filled and drawn.
        TheRider().service.Refresh();
        shown.Draw();
    }
}
BENCHMARK(BM_ChooseTraining)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_YearStep(benchmark::State &state)
{
    Shown shown;
    auto *left = shown.Child<QPushButton>("TrainingYearLeft");
    auto *right = shown.Child<QPushButton>("TrainingYearRight");
    bool back = true;
    for (auto _ : state) {
        (back ? left : right)->click();
        back = !back;
        shown.Draw();
    }
}
BENCHMARK(BM_YearStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RangeChange(benchmark::State &state)
{
    Shown shown;
    auto *range = shown.Child<QComboBox>("FitnessRangeBox");
    int i = 0;
    for (auto _ : state) {
        range->setCurrentIndex(++i % 4);
        shown.Draw();
    }
}
BENCHMARK(BM_RangeChange)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LapsOpened(benchmark::State &state)
{
    const std::string path = TheRider().folder.file(TheRider().last);
    for (auto _ : state) {
        TLapsForm form(nullptr, nullptr);
        form.ShowRide(path);
        form.show();
        benchmark::DoNotOptimize(form.grab());
    }
}
BENCHMARK(BM_LapsOpened)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HoverReadout(benchmark::State &state)
{
    Shown shown;
    shown.Child<QComboBox>("FitnessRangeBox")->setCurrentIndex(3); // all 20 years
    auto *chart = shown.Child<TFitnessChart>("FitnessChart");
    const QRect plot = chart->PlotRect();
    int x = plot.left();
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart->ReadoutAt(x));
        x = x >= plot.right() ? plot.left() : x + 1;
    }
    state.counters["days"] = static_cast<double>(chart->Days().size());
}
BENCHMARK(BM_HoverReadout)->Unit(benchmark::kMicrosecond);

} // namespace
