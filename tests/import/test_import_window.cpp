// The import window over a folder of FIT, TCX and GPX files the tests
// write: the progress it shows while the worker runs, Cancel and Esc, the
// summary in each language, one Finished per import, a window closed while
// importing. The figures of 1,000 one-hour files are a disabled test run by
// hand (see README.md).
#include "import/ImportSummary.h"
#include "import/ImportWindow.h"

#include "lang/Multilan.h"
#include "store/NarrowFile.h"
#include "tests/import/ImportTest.h"
#include "tests/support/EventLoop.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string Tcx()
{
    std::string x = "<?xml version=\"1.0\"?>\n<TrainingCenterDatabase "
                    "xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\"><Activities>"
                    "<Activity Sport=\"Biking\"><Id>2020-03-01T08:00:00Z</Id><Lap StartTime=\"2020-03-01T08:00:00Z\">"
                    "<TotalTimeSeconds>60</TotalTimeSeconds><DistanceMeters>300</DistanceMeters><Track>";
    for (int t = 0; t < 60; ++t)
        x += "<Trackpoint><Time>2020-03-01T08:00:" + QString::asprintf("%02d", t).toStdString() +
             "Z</Time><DistanceMeters>" + std::to_string(5 * t) + "</DistanceMeters><HeartRateBpm><Value>130"
             "</Value></HeartRateBpm></Trackpoint>";
    return x + "</Track></Lap></Activity></Activities></TrainingCenterDatabase>\n";
}

std::string Gpx()
{
    std::string x = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
                    "<trk><trkseg>";
    for (int t = 0; t < 60; ++t)
        x += "<trkpt lat=\"" + std::to_string(47.0 + t * 0.0001) + "\" lon=\"8.5\"><time>2020-04-01T08:00:" +
             QString::asprintf("%02d", t).toStdString() + "Z</time></trkpt>";
    return x + "</trkseg></trk></gpx>\n";
}

class ImportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lang.LangFolder = IMPORT_TEST_DIR "/../../assets/LANGUAGE";
        QDir().mkpath(QString::fromStdString(rides.file("2021")));
    }

    // count one-hour FIT files a day apart (in a subfolder), and a TCX, a
    // GPX, a damaged FIT and a text file beside them when mixed.
    void WriteRides(int count, bool mixed)
    {
        for (int k = 0; k < count; ++k)
            writeFileBytes(rides.file("2021/ride" + std::to_string(k) + ".fit"),
                           HourFit(std::uint32_t(FitStart + 86400 * k)));
        if (!mixed)
            return;
        writeFileBytes(rides.file("commute.tcx"), Tcx());
        writeFileBytes(rides.file("walk.gpx"), Gpx());
        writeFileBytes(rides.file("broken.fit"), "not a FIT file at all");
        writeFileBytes(rides.file("notes.txt"), "not a ride");
    }

    std::size_t Records() const { return ListEntries(rider.path(), EntryKind::PlainFile).size(); }

    bool Run(TImportWindow &window, unsigned threads = 1)
    {
        return window.Start({QString::fromStdString(rides.path())}, rider.path() + "/", threads);
    }

    MultiLanguage lang;
    TempFolder rides, rider;
};

TEST_F(ImportWindowTest, AFolderIsImportedWithItsProgressShownAndSummedUpOnce)
{
    WriteRides(30, true);
    TImportWindow window(lang);
    QSignalSpy finished(&window, &TImportWindow::Finished);
    std::vector<int> values;
    QObject::connect(window.ImportProgressBar, &QProgressBar::valueChanged, [&](int v) { values.push_back(v); });

    ASSERT_TRUE(Run(window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Busy());
    EXPECT_FALSE(Run(window)) << "a second import while one runs";
    ASSERT_TRUE(RunUntil([&] { return finished.count() > 0; }, 60000));
    RunFor(50);

    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).value<std::size_t>(), 32u);
    EXPECT_TRUE(std::any_of(values.begin(), values.end(), [](int v) { return v > 0 && v < 33; }))
        << "the bar moved while the files were imported";
    EXPECT_EQ(window.ImportCountLab->text(), "33 of 33 files");
    EXPECT_EQ(window.ImportTitleLab->text(), "Import finished");
    EXPECT_EQ(window.ImportCancelBtn->text(), "Close");
    const QString summary = window.ImportSummaryMemo->toPlainText();
    EXPECT_TRUE(summary.startsWith("Imported: 32\nFailed: 1\nbroken.fit: ")) << summary.toStdString();
    EXPECT_FALSE(summary.contains("notes.txt"));
    EXPECT_EQ(Records(), 32u);

    // The same folder again: every ride is there already, nothing written.
    ASSERT_TRUE(Run(window, 0));
    ASSERT_TRUE(RunUntil([&] { return finished.count() > 1; }, 60000));
    EXPECT_EQ(finished.at(1).at(0).value<std::size_t>(), 0u);
    EXPECT_TRUE(window.ImportSummaryMemo->toPlainText().startsWith("Imported: 0\nAlready there: 32\nFailed: 1"));
    EXPECT_EQ(Records(), 32u);

    // Close (Enter on the focused button) hides the window.
    QTest::keyClick(window.ImportCancelBtn, Qt::Key_Space);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ImportWindowTest, EscCancelsBeforeTheNextFileAndKeepsWhatWasWritten)
{
    WriteRides(40, false);
    TImportWindow window(lang);
    QSignalSpy finished(&window, &TImportWindow::Finished);
    ASSERT_TRUE(Run(window));
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.ImportCancelBtn->isEnabled()) << "pressed once";
    EXPECT_TRUE(window.isVisible()) << "Esc while importing cancels, the window stays for the summary";
    ASSERT_TRUE(RunUntil([&] { return finished.count() > 0; }, 60000));

    const ImportCounts counts = CountResults(window.Results());
    EXPECT_GT(counts.cancelled, 0u);
    EXPECT_EQ(counts.imported + counts.cancelled, 40u);
    EXPECT_EQ(finished.at(0).at(0).value<std::size_t>(), counts.imported);
    EXPECT_EQ(Records(), counts.imported) << "every file started was finished, none half-written";
    EXPECT_EQ(window.ImportTitleLab->text(), "Import cancelled");
    EXPECT_TRUE(window.ImportSummaryMemo->toPlainText().contains(
        QString("Not imported (cancelled): %1").arg(counts.cancelled)));

    // Once ended, Esc closes.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ImportWindowTest, TheSummaryAndCaptionsComeInTheChosenLanguage)
{
    WriteRides(1, false);
    writeFileBytes(rides.file("empty.gpx"), "");
    ASSERT_FALSE(lang.LoadLanguage("CHT.lre"));
    TImportWindow window(lang);
    QSignalSpy finished(&window, &TImportWindow::Finished);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("匯入騎乘紀錄"));
    ASSERT_TRUE(Run(window));
    EXPECT_EQ(window.ImportCancelBtn->text(), QString::fromUtf8("取消"));
    ASSERT_TRUE(RunUntil([&] { return finished.count() > 0; }, 60000));
    EXPECT_TRUE(window.ImportSummaryMemo->toPlainText().startsWith(QString::fromUtf8("已匯入：1\n失敗：1\nempty.gpx: ")));
    EXPECT_EQ(window.ImportTitleLab->text(), QString::fromUtf8("匯入完成"));
    EXPECT_EQ(window.ImportCancelBtn->text(), QString::fromUtf8("關閉"));

    ASSERT_FALSE(lang.LoadLanguage("CHS.lre"));
    window.RefreshCaptions();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("导入骑行记录"));
    EXPECT_EQ(window.ImportCancelBtn->text(), QString::fromUtf8("关闭"));
    EXPECT_TRUE(ImportSummaryText(window.Results(), lang).startsWith(QString::fromUtf8("已导入：1\n失败：1")));
}

TEST_F(ImportWindowTest, AWindowClosedOrDeletedWhileImportingStopsCleanly)
{
    WriteRides(30, false);
    auto window = std::make_unique<TImportWindow>(lang);
    QSignalSpy finished(window.get(), &TImportWindow::Finished);
    ASSERT_TRUE(Run(*window));
    window->close();
    EXPECT_TRUE(window->isVisible()) << "a close while importing is a Cancel";
    ASSERT_TRUE(RunUntil([&] { return finished.count() > 0; }, 60000));
    EXPECT_EQ(Records(), CountResults(window->Results()).imported);

    // Deleted at once: the worker is stopped and waited for.
    TempFolder again;
    ASSERT_TRUE(window->Start({QString::fromStdString(rides.path())}, again.path() + "/", 1));
    window.reset();
    for (const std::string &name : ListEntries(again.path(), EntryKind::PlainFile))
        EXPECT_EQ(name.size(), 16u) << name << ": a record file, nothing half-written";
}

// Peak resident memory since the last reset (kB), and the resident now.
long StatusKb(const char *field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Counts the paint events of a widget with their times.
class PaintClock : public QObject {
public:
    explicit PaintClock(QWidget *w) { w->installEventFilter(this); clock.start(); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            times.push_back(clock.elapsed());
        return false;
    }
    QElapsedTimer clock;
    std::vector<qint64> times;
};

// Run by hand: test_import_window --gtest_also_run_disabled_tests
//   --gtest_filter='*Thousand*'
TEST_F(ImportWindowTest, DISABLED_ThousandOneHourFitFiles)
{
    WriteRides(1000, false);
    TImportWindow window(lang);
    QSignalSpy finished(&window, &TImportWindow::Finished);
    window.show();
    RunFor(200);
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    const long before = StatusKb("VmRSS:");

    PaintClock paints(window.ImportProgressBar);
    // The main thread's latency: a 10 ms timer, its longest gap.
    QElapsedTimer loop;
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, loop.elapsed() - last);
        last = loop.elapsed();
    });
    tick.start(10);
    loop.start();
    QElapsedTimer took;
    took.start();
    ASSERT_TRUE(Run(window, 0));
    ASSERT_TRUE(RunUntil([&] { return finished.count() > 0; }, 120000));
    const double seconds = took.elapsed() / 1000.0;
    const long peak = StatusKb("VmHWM:");

    qint64 gap = 0;
    for (std::size_t i = 1; i < paints.times.size(); ++i)
        gap = std::max(gap, paints.times[i] - paints.times[i - 1]);
    std::printf("1000 files: %.2f s, %zu bar paints (%.1f a second, longest gap %lld ms), "
                "main thread longest gap %lld ms, memory %ld kB before, peak %ld kB (+%ld kB)\n",
                seconds, paints.times.size(), paints.times.size() / seconds, static_cast<long long>(gap),
                static_cast<long long>(longest), before, peak, peak - before);
    EXPECT_EQ(finished.at(0).at(0).value<std::size_t>(), 1000u);
    EXPECT_LE(seconds, 30.0);
    EXPECT_LE(gap, 200);
    EXPECT_LE(peak - before, 100 * 1024);
}

} // namespace
