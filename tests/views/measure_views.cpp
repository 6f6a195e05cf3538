// measure-views MODE ARG: one step of the program on the offscreen platform,
// for measuring its peak memory by hand (/usr/bin/time -v).
//   analysis SAMPLES  a record whose four series hold SAMPLES values each,
//                     shown in the analysis view (all four charts) and its
//                     report printed to a PDF
//   photo FILE        a rider photo read for the photo box, as a login does
//   none -            the same start without either, for the baseline
#include "draw/Photo.h"
#include "store/Databasecontroler.h"
#include "tests/views/AnalysisParts.h"
#include "tests/views/ChartRecords.h"
#include "views/Analysis.h"
#include "views/CheckList.h"
#include "views/Report.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("Usage: measure-views analysis SAMPLES | photo FILE | none -\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    if (std::strcmp(argv[1], "photo") == 0) {
        LoadedPhoto photo;
        const bool read = LoadPhotoFile(argv[2], photo);
        std::printf("photo %s: %dx%d\n", read ? "read" : "refused", photo.image.width(), photo.image.height());
        return 0;
    }
    QTemporaryDir dir;
    TKorvanDataBase db;
    db.SetRootFolder(dir.path().toStdString() + "/");
    db.CreateRiderFolder("bob");
    db.CurrentID = "bob";
    db.RiderFolder = db.RootFolder + "bob/";
    if (std::strcmp(argv[1], "analysis") == 0) {
        // One-digit values: the most values a record file within its size
        // limit can hold.
        std::string series;
        for (int i = std::atoi(argv[2]); i > 0; --i)
            series += i % 2 ? "7," : "3,";
        const ChartSeries s{series, series, series, series};
        QFile out(QString::fromStdString(db.RiderFolder) + "120701080000.TR9");
        out.open(QIODevice::WriteOnly);
        out.write(QByteArray::fromStdString(ChartRecordText(s)));
        std::printf("record of %lld bytes\n", static_cast<long long>(out.size()));
    }
    db.ListRecordFiles();
    TSportAnalysisPanel panel(nullptr, db);
    panel.resize(1024, 643);
    panel.show();
    panel.ResetAnalysisView();
    panel.FillList(db.RecordFiles);
    if (!db.RecordFiles.empty()) {
        for (QCheckBox *box : ChartBoxesOf(panel))
            box->setChecked(true);
        Part<TCheckList>(panel, "FileAnalysisCLB").setCurrentRow(0);
        panel.FileAnalysisCLBMouseDown(40);
        panel.FileAnalysisCLBMouseUp(40);
        panel.repaint();
        PrintReportToPdf(dir.path() + "/report.pdf");
        panel.PrintReport();
        std::printf("report of %lld bytes\n", static_cast<long long>(QFile(dir.path() + "/report.pdf").size()));
    }
    QCoreApplication::processEvents();
    return 0;
}
