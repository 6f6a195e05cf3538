// The download road in the real main window over a scripted dongle:
// reports per second from the reader thread into the log, the main
// thread's cost of one OnReport, and how long Stop takes while a read waits.
#include "app/Main.h"
#include "device/DevInThread.h"
#include "device/Download.h"
#include "device/FakeHidPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int Reports = 2048;

struct Window {
    Window()
    {
        if (!QApplication::instance()) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "bench_download";
            static char *argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
        dongle = fake.plug(0x1915, 0x003B, 65);
        form = std::make_unique<TmainForm>(dir.path());
        form->HidServices = &fake;
        form->FormCreate();
        dl = form->Download;
        logMemo = form->findChild<QPlainTextEdit *>("LogMemo");
    }
    int lines() const { return logMemo->document()->blockCount(); }

    QTemporaryDir dir;
    FakeHidPlatform fake;
    std::string dongle;
    std::unique_ptr<TmainForm> form;
    TDongleDownload *dl = nullptr;
    QPlainTextEdit *logMemo = nullptr;
};

std::vector<FakeHidPlatform::Report> stream()
{
    std::vector<FakeHidPlatform::Report> r(Reports);
    for (int i = 0; i < Reports; ++i) {
        r[std::size_t(i)].bytes.assign(65, std::uint8_t(i));
        r[std::size_t(i)].bytes[0] = 0;
    }
    return r;
}

// Back to back, as fast as the road takes them; every report must arrive.
void BM_ReportRoad(benchmark::State &state)
{
    Window w;
    const std::vector<FakeHidPlatform::Report> reports = stream();
    int lost = 0;
    for (auto _ : state) {
        w.fake.stream(w.dongle, reports);
        w.dl->Start();
        while (w.lines() < Reports || w.logMemo->document()->lastBlock().text().isEmpty())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        w.dl->Stop();
        lost += Reports - w.lines();
        w.dl->StatusCheckTimer->stop();
    }
    state.SetItemsProcessed(state.iterations() * Reports);
    state.counters["lost"] = lost;
}
BENCHMARK(BM_ReportRoad)->Unit(benchmark::kMillisecond)->UseRealTime();

// The main thread's share of one report: hex text and one appended line.
void BM_OnReport(benchmark::State &state)
{
    Window w;
    w.dl->Start(); // a reader waiting for a report that never comes
    for (std::size_t i = 0; i < w.dl->ReaderThread->ReportBuffer.size(); ++i)
        w.dl->ReaderThread->ReportBuffer[i] = std::uint8_t(i * 7);
    w.dl->ReaderThread->ReportLength = 65;
    int n = 0;
    for (auto _ : state) {
        w.dl->OnReport();
        if (++n == Reports) {
            state.PauseTiming();
            w.logMemo->clear();
            n = 0;
            state.ResumeTiming();
        }
    }
    w.dl->Stop();
}
BENCHMARK(BM_OnReport)->Unit(benchmark::kMicrosecond);

// The same with LogMemo's share: the lines of 50 ms of a real dongle (one
// report per millisecond) shown in one go. Time per report.
void BM_OnReportShown(benchmark::State &state)
{
    Window w;
    w.dl->Start();
    w.dl->ReaderThread->ReportBuffer.fill(0x5A);
    w.dl->ReaderThread->ReportLength = 65;
    constexpr int Batch = 50;
    int n = 0;
    for (auto _ : state) {
        for (int i = 0; i < Batch; ++i)
            w.dl->OnReport();
        w.dl->ShowLogLines();
        if ((n += Batch) >= Reports) {
            state.PauseTiming();
            w.dl->StatusCheckTimer->stop();
            w.dl->Stop();
            w.dl->Start(); // empties the log
            w.dl->ReaderThread->ReportBuffer.fill(0x5A);
            w.dl->ReaderThread->ReportLength = 65;
            n = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * Batch);
    w.dl->Stop();
}
BENCHMARK(BM_OnReportShown)->Unit(benchmark::kMicrosecond);

// Stop while the reader sits in a read that waits for a report.
void BM_StopWhileReadWaits(benchmark::State &state)
{
    Window w;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.dl->Start();
        QThread::msleep(30);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        w.dl->Stop();
        worst = std::max(worst, double(t.nsecsElapsed()) / 1e6);
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_StopWhileReadWaits)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
