// Main window figures: building the main window and the four secondary
// windows (the program's own start-up work), one view switch with its
// repaint, and one hover move over a top button. Offscreen platform.
#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "accounts/Login.h"
#include "app/Main.h"
#include "draw/Image.h"
#include "lang/Language.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString Folder()
{
    static QTemporaryDir dir;
    return dir.path();
}

void BM_StartUpWindows(benchmark::State &state)
{
    for (auto _ : state) {
        mainForm = new TmainForm(Folder());
        mainForm->FormCreate();
        MakeWindows(mainForm);
        state.PauseTiming();
        DeleteWindows();
        delete mainForm;
        mainForm = nullptr;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpWindows)->Unit(benchmark::kMillisecond);

void BM_ViewSwitch(benchmark::State &state)
{
    TmainForm form(Folder());
    form.FormCreate();
    form.ShowTopButtons(true);
    form.SetTransparent(false);
    form.show();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        form.ShowView(static_cast<MainView>(i++ % 4));
        form.repaint();
    }
}
BENCHMARK(BM_ViewSwitch)->Unit(benchmark::kMillisecond);

void BM_TopButtonHover(benchmark::State &state)
{
    TmainForm form(Folder());
    form.FormCreate();
    int i = 0;
    for (auto _ : state)
        (i++ % 2 ? form.BtnImageDateMouseMove() : form.BtnImageSummaryMouseMove());
}
BENCHMARK(BM_TopButtonHover)->Unit(benchmark::kMicrosecond);

}  // namespace
