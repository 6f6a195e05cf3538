// The download on its own, without windows: the link, a transfer filed
// into the rider's folder, a failed one, and Start without a device, told
// through its signals.
#include "device/Download.h"
#include "store/Databasecontroler.h"
#include "tests/device/HidTestSupport.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> exerciseLines(int samples)
{
    DumpBuilder b;
    b.setStart(12, 7, 4, 8, 5, 3);
    for (int i = 0; i < samples; ++i)
        b.addSample(std::uint8_t(120 + i % 40), 80, std::uint16_t(i), 6181);
    b.addLap(DumpBuilder::lap(1));
    return b.reportLines();
}

class DownloadComponent : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(app.path() + "/ID/bob")));
        db.SetRootFolder(app.path() + "/ID/");
        db.RiderFolder = db.RootFolder + "bob/";
        dl = std::make_unique<TDongleDownload>(app.path(), db, &fake);
        dl->SetTimerPeriods(50);
        dl->SelectedDevice = [this] { return chosen; };
        QObject::connect(dl.get(), &TDongleDownload::Linked, [this](const QString &entry, int length) {
            told.push_back("linked " + entry.toStdString() + " " + std::to_string(length));
        });
        QObject::connect(dl.get(), &TDongleDownload::Unlinked, [this] { told.push_back("unlinked"); });
        QObject::connect(dl.get(), &TDongleDownload::NoDeviceChosen, [this] { told.push_back("no device"); });
        QObject::connect(dl.get(), &TDongleDownload::TransferFailed, [this] { told.push_back("failed"); });
        QObject::connect(dl.get(), &TDongleDownload::ProgressEnded,
                         [this](const TTransferProgress &, bool ok) { told.push_back(ok ? "decoded" : "stopped"); });
        QObject::connect(dl.get(), &TDongleDownload::RecordFiled, [this](const QString &name, int year, int month) {
            told.push_back("filed " + name.toStdString() + " " + std::to_string(year) + "-" + std::to_string(month));
        });
        QObject::connect(dl.get(), &TDongleDownload::RecordNotFiled,
                         [this](const QString &keptAs) { told.push_back("kept " + keptAs.toStdString()); });
        QObject::connect(dl.get(), &TDongleDownload::LogAppended, [this](const QString &) { ++appended; });
    }
    bool toldLast(const std::string &what) const { return !told.empty() && told.back() == what; }

    TempFolder app;
    FakeHidPlatform fake;
    TKorvanDataBase db;
    std::unique_ptr<TDongleDownload> dl;
    std::vector<std::string> told;
    int chosen = 0;
    int appended = 0;
};

} // namespace

TEST_F(DownloadComponent, LinksTheDongleOnlyAndLosesItOnUnplug)
{
    fake.plug(0x046D, 0xC077);
    const std::string dongle = fake.plug(DongleVid, DonglePid, 65);
    ASSERT_TRUE(RunUntil([&] { return dl->DongleLinked(); }));
    EXPECT_EQ(told, (std::vector<std::string>{"unlinked", "linked VID=1915 PID=003B 65"}));
    fake.unplug(dongle);
    ASSERT_TRUE(RunUntil([&] { return !dl->DongleLinked(); }));
    EXPECT_TRUE(toldLast("unlinked"));
}

TEST_F(DownloadComponent, FilesTheDecodedRecordAndTellsItsMonth)
{
    const std::string dongle = fake.plug(DongleVid, DonglePid, 65);
    ASSERT_TRUE(RunUntil([&] { return dl->DongleLinked(); }));
    fake.stream(dongle, reportsOf(exerciseLines(200)));
    dl->ToggleStart();
    EXPECT_TRUE(dl->DownloadRunning);
    EXPECT_TRUE(dl->StartShowsRunning);
    ASSERT_TRUE(RunUntil([&] { return told.size() > 2 && told.back() != "decoded"; }, 10000));
    EXPECT_EQ(told.back(), "filed 120704080503.TR9 2012-7");
    ASSERT_GE(told.size(), 2u);
    EXPECT_EQ(told[told.size() - 2], "decoded");
    EXPECT_FALSE(dl->DownloadRunning);
    EXPECT_FALSE(dl->StartShowsRunning);
    EXPECT_GT(appended, 0);
    EXPECT_TRUE(QDir(QString::fromStdString(db.RiderFolder)).exists("120704080503.TR9"));
    EXPECT_FALSE(QDir(QString::fromStdString(app.path())).exists("120704080503.TR9"));
}

TEST_F(DownloadComponent, ACutTransferFailsAndNothingIsFiled)
{
    const std::string dongle = fake.plug(DongleVid, DonglePid, 65);
    ASSERT_TRUE(RunUntil([&] { return dl->DongleLinked(); }));
    auto lines = exerciseLines(200);
    lines.resize(lines.size() / 2); // no end marker
    fake.stream(dongle, reportsOf(lines));
    dl->Start();
    ASSERT_TRUE(RunUntil([&] { return toldLast("failed"); }, 10000));
    EXPECT_EQ(told[told.size() - 2], "stopped");
    EXPECT_TRUE(QDir(QString::fromStdString(db.RiderFolder)).entryList(QDir::Files).isEmpty());
}

TEST_F(DownloadComponent, StartWithoutAChosenDeviceRunsNothing)
{
    chosen = -1;
    dl->Start();
    EXPECT_TRUE(toldLast("no device"));
    EXPECT_FALSE(dl->DownloadRunning);
    chosen = 3; // beyond the list
    dl->Start();
    EXPECT_FALSE(dl->DownloadRunning);
}
