// Analysis view figures on 10-hour records (3,600 samples in each series):
// a single-file release until the four charts are drawn, the readout of one
// pointer move, a three-file rebuild until drawn, the report of four charts
// and one block to PDF. Offscreen platform.
#include "store/Databasecontroler.h"
#include "tests/views/AnalysisParts.h"
#include "tests/views/ChartRecords.h"
#include "views/Analysis.h"
#include "views/CheckList.h"
#include "views/LineChart.h"
#include "views/Report.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSamples = 3600;

// A logged-in rider with three long records, and the view showing them.
struct Rider {
    QTemporaryDir dir;
    TKorvanDataBase db;
    std::unique_ptr<TSportAnalysisPanel> panel;
    TCheckList *list = nullptr;

    Rider()
    {
        db.SetRootFolder(dir.path().toStdString() + "/");
        db.CreateRiderFolder("bob");
        db.CurrentID = "bob";
        db.RiderFolder = db.RootFolder + "bob/";
        for (int f = 0; f < 3; ++f) {
            ChartSeries s{RisingSeries(kSamples, 60 + f * 20, 1), RisingSeries(kSamples, 0, 7),
                          RisingSeries(kSamples, 100, 3), RisingSeries(kSamples, 50, 1)};
            QFile out(QString::fromStdString(db.RiderFolder) + QString("12070%1080000.TR9").arg(f + 1));
            out.open(QIODevice::WriteOnly);
            out.write(QByteArray::fromStdString(ChartRecordText(s)));
        }
        db.ListRecordFiles();
        panel = std::make_unique<TSportAnalysisPanel>(nullptr, db);
        panel->resize(1024, 643);
        panel->show();
        panel->ResetAnalysisView();
        panel->FillList(db.RecordFiles);
        list = &Part<TCheckList>(*panel, "FileAnalysisCLB");
        QCoreApplication::processEvents();
    }
    // A press and release on the text of a file.
    void Release(int row)
    {
        list->setCurrentRow(row);
        panel->FileAnalysisCLBMouseDown(40);
        panel->FileAnalysisCLBMouseUp(40);
    }
    void TickAll()
    {
        for (QCheckBox *box : ChartBoxesOf(*panel))
            box->setChecked(true);
    }
};

void BM_SingleFileRelease(benchmark::State &state)
{
    Rider r;
    r.TickAll();
    int i = 0;
    for (auto _ : state) {
        r.Release(i++ % 2);
        r.panel->repaint();
    }
}
BENCHMARK(BM_SingleFileRelease)->Unit(benchmark::kMillisecond);

void BM_Readout(benchmark::State &state)
{
    Rider r;
    r.TickAll();
    r.Release(0);
    TLineChart *chart = &Part<TLineChart>(*r.panel, "AnHRMChart");
    int i = 0;
    for (auto _ : state) {
        const int x = 60 + (i++ * 7) % 680;
        r.panel->CommonChartMouseMove(chart, QPoint(x, chart->height() / 2));
    }
}
BENCHMARK(BM_Readout)->Unit(benchmark::kMicrosecond);

void BM_MultiRebuild(benchmark::State &state)
{
    Rider r;
    Part<QCheckBox>(*r.panel, "MultiFileCB").setChecked(true);
    Part<QCheckBox>(*r.panel, "ChartHRMCB").setChecked(true);
    for (int row = 0; row < 3; ++row)
        r.Release(row);
    for (auto _ : state) {
        r.panel->BuildMultiChart(1);
        r.panel->repaint();
    }
}
BENCHMARK(BM_MultiRebuild)->Unit(benchmark::kMillisecond);

void BM_ReportToPdf(benchmark::State &state)
{
    Rider r;
    r.TickAll();
    r.Release(0);
    PrintReportToPdf(r.dir.filePath("report.pdf"));
    for (auto _ : state)
        r.panel->PrintReport();
    PrintReportToPdf(QString());
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
