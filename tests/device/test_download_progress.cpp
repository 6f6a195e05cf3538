// The download's progress: the count against what the header announces,
// and the bar on the calendar view through a whole transfer.
#include "device/DownloadProgress.h"
#include "device/TransferProgress.h"
#include "tests/device/MainWindowFixture.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/Parts.h"

#include <QLabel>
#include <QProgressBar>

namespace {

DumpBuilder exercise(int samples)
{
    DumpBuilder b;
    for (int i = 0; i < samples; ++i)
        b.addSample(std::uint8_t(120 + i % 40), 80, std::uint16_t(i), 6181);
    b.addLap(DumpBuilder::lap(1));
    return b;
}

void add(TTransferProgress &p, const std::vector<std::uint8_t> &report, std::int64_t ms)
{
    p.Add(report.data(), report.size(), ms);
}

} // namespace

TEST(TransferProgress, CountsDataReportsAgainstTheSectionsTheHeaderAnnounces)
{
    const DumpBuilder b = exercise(900);
    const auto reports = b.reports();
    TTransferProgress p;
    p.Start(0);
    add(p, reports[0], 0); // start marker
    EXPECT_EQ(p.Percent(), -1);
    add(p, reports[1], 100);
    EXPECT_EQ(p.Percent(), -1);
    EXPECT_EQ(p.SecondsLeft(100), -1);
    add(p, reports[2], 200);
    const int announced = b.pageCount() * 8;
    ASSERT_EQ(p.AnnouncedLines(), announced);
    EXPECT_EQ(p.Percent(), 2 * 100 / announced);
    // Two lines in 100 ms: the rest at the same rate.
    EXPECT_EQ(p.SecondsLeft(200), ((announced - 2) * 100 / 2 + 999) / 1000);

    add(p, reports[2], 210); // a repeated report counts once
    EXPECT_EQ(p.ReceivedLines(), 2);
    int last = p.Percent();
    for (std::size_t i = 3; i < reports.size(); ++i) {
        add(p, reports[i], std::int64_t(100 * i));
        EXPECT_GE(p.Percent(), last);
        last = p.Percent();
    }
    EXPECT_EQ(p.Percent(), 100);
    EXPECT_EQ(p.SecondsLeft(100 * std::int64_t(reports.size())), 0);
    EXPECT_EQ(p.Reports(), int(reports.size()) + 1);
}

TEST(TransferProgress, ALostHeaderReportLeavesTheTotalUnknown)
{
    const auto reports = exercise(100).reports();
    TTransferProgress p;
    p.Start(0);
    add(p, reports[0], 0);
    add(p, reports[1], 0);
    add(p, reports[3], 0); // the header's second half never came
    EXPECT_EQ(p.AnnouncedLines(), 0);
    EXPECT_EQ(p.Percent(), -1);
    p.Add(nullptr, 0, 0); // a failed read
    EXPECT_EQ(p.Reports(), 4);
}

class DownloadProgress : public MainWindowTest {
protected:
    void SetUp() override { dongle = fake.plug(DongleVid, DonglePid, 65); }
    std::string dongle;
};

TEST_F(DownloadProgress, TheBarFollowsATransferAndGoesWhenTheResultShows)
{
    open(200);
    if (qEnvironmentVariableIsSet("DOWNLOAD_SHOT")) {
        form->show();
        form->BtnImageDateClick();
    }
    TDownloadProgress *view = progress;
    const auto &bar = Part<QProgressBar>(*view, "DownloadProgressBar");
    const auto &label = Part<QLabel>(*view, "DownloadProgressLab");
    const DumpBuilder b = exercise(900);
    auto reports = reportsOf(b.reportLines());
    reports[0].pauseMs = 300;  // the rider starts the device late
    reports[40].pauseMs = 300; // and the radio stalls once
    fake.stream(dongle, reports);
    clickStart();
    ASSERT_FALSE(view->isHidden());
    EXPECT_EQ(bar.maximum(), 0); // busy: nothing announced yet
    EXPECT_EQ(label.text(), "Waiting for the device...");

    ASSERT_TRUE(RunUntil([&] { return dl->Progress.ReceivedLines() >= 39; }));
    // The view follows within its refresh period.
    EXPECT_TRUE(RunUntil([&] {
        return bar.maximum() == 100 && bar.value() == dl->Progress.Percent() &&
               label.text().startsWith(
                   QString("%1 of %2 lines").arg(dl->Progress.ReceivedLines()).arg(b.pageCount() * 8));
    }));
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.value(), dl->Progress.Percent());
    EXPECT_GT(bar.value(), 0);
    EXPECT_LT(bar.value(), 100);
    EXPECT_TRUE(label.text().startsWith(
        QString("%1 of %2 lines").arg(dl->Progress.ReceivedLines()).arg(b.pageCount() * 8)));
    // scripts/screenshots keeps the download controls of this moment.
    if (const QString shot = qEnvironmentVariable("DOWNLOAD_SHOT"); !shot.isEmpty()) {
        const QRect controls = progress->geometry().united(statusImage->geometry()).adjusted(-12, -12, 12, 12);
        EXPECT_TRUE(form->CalenderPanel->grab(controls).save(shot)) << shot.toStdString();
    }

    ASSERT_TRUE(RunUntil([&] { return boxes.Saw("TR900 data transfer Ok!"); }, 10000));
    EXPECT_EQ(dl->Progress.Percent(), 100);
    EXPECT_TRUE(view->isHidden());
}

TEST_F(DownloadProgress, ACutTransferShowsWhereItStopped)
{
    open(50);
    auto lines = exercise(900).reportLines();
    lines.resize(lines.size() / 2); // no end marker: the decode fails
    fake.stream(dongle, reportsOf(lines));
    clickStart();
    ASSERT_TRUE(RunUntil([&] { return boxes.Saw("TR900 data transfer Fail!"); }, 10000));
    TDownloadProgress *view = progress;
    const auto &bar = Part<QProgressBar>(*view, "DownloadProgressBar");
    const auto &label = Part<QLabel>(*view, "DownloadProgressLab");
    EXPECT_FALSE(view->isHidden());
    EXPECT_EQ(bar.value(), dl->Progress.Percent());
    EXPECT_NEAR(bar.value(), 50, 3);
    EXPECT_TRUE(label.text().startsWith("Transfer stopped"));
}

TEST_F(DownloadProgress, AStopBeforeAnyReportRemovesTheBar)
{
    open();
    clickStart();
    ASSERT_FALSE(progress->isHidden());
    clickStart(); // the same button stops
    EXPECT_TRUE(progress->isHidden());
}
