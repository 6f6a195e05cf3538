// The dongle link in the real main window: the first scan in FormCreate,
// plug and unplug, which device is listed and selected.
#include "tests/device/MainWindowFixture.h"

#include "draw/Image.h"
#include <QLineEdit>

using DongleLink = MainWindowTest;

TEST_F(DongleLink, NoHidDeviceAtStart)
{
    open();
    EXPECT_EQ(devList->count(), 0);
    EXPECT_FALSE(dl->DongleLinked());
    EXPECT_EQ(statusImage->ShownIndex, 0);
    EXPECT_EQ(startImage->ShownIndex, 2);
    EXPECT_FALSE(startImage->isEnabled());
}

TEST_F(DongleLink, ADongleAtStartIsLinkedBeforeTheLoginAndOtherDevicesAreIgnored)
{
    fake.plug(0x046D, 0xC077, 5);        // a mouse
    fake.plug(DongleVid, 0x003C, 65);    // the same maker, another product
    fake.plug(DongleVid, DonglePid, 65);
    open();
    ASSERT_EQ(devList->count(), 1);
    EXPECT_EQ(devList->item(0)->text(), "VID=1915 PID=003B");
    EXPECT_TRUE(devList->item(0)->isSelected());
    EXPECT_EQ(ctl<QLineEdit>("InRepSizeEdit")->text(), "65");
    EXPECT_TRUE(dl->DongleLinked());
    EXPECT_EQ(statusImage->ShownIndex, 1);
    EXPECT_EQ(startImage->ShownIndex, 0);
    EXPECT_TRUE(startImage->isEnabled());
    EXPECT_EQ(dl->DevList.size(), 1u);
}

TEST_F(DongleLink, TwoDonglesAreListedAndTheSecondIsReadFrom)
{
    const std::string first = fake.plug(DongleVid, DonglePid, 65);
    const std::string second = fake.plug(DongleVid, DonglePid, 65);
    open();
    ASSERT_EQ(devList->count(), 2);
    EXPECT_EQ(devList->currentRow(), 1);
    EXPECT_TRUE(devList->item(1)->isSelected());

    fake.stream(first, {reportOf("11")});
    fake.stream(second, {reportOf("22"), reportOf("2222")});
    clickStart();
    ASSERT_TRUE(RunUntil([&] { return logLines() == 2; }));
    RunFor(30);
    EXPECT_EQ(logMemo->toPlainText().toStdString(),
              "22" + std::string(64, '0') + "\n2222" + std::string(62, '0'));
    EXPECT_EQ(fake.unread(first), 1u);
}

TEST_F(DongleLink, UnplugAndAnUnrelatedDeviceChangeRelinkOrUnlink)
{
    const std::string dongle = fake.plug(DongleVid, DonglePid, 65);
    open();
    ASSERT_TRUE(dl->DownloadRunning == false && dl->DongleLinked());

    // Another HID device comes while a download runs: it stops, the dongle
    // is released, found and selected again.
    clickStart();
    ASSERT_TRUE(dl->DownloadRunning);
    const std::string mouse = fake.plug(0x046D, 0xC077, 5);
    ASSERT_TRUE(RunUntil([&] { return !dl->DownloadRunning; }));
    EXPECT_FALSE(dl->StartShowsRunning);
    EXPECT_EQ(devList->count(), 1);
    EXPECT_TRUE(devList->item(0)->isSelected());
    EXPECT_TRUE(startImage->isEnabled());
    EXPECT_EQ(startImage->ShownIndex, 0);
    EXPECT_TRUE(ctl<QPushButton>("StartButton")->isEnabled());
    EXPECT_FALSE(ctl<QPushButton>("StopButton")->isEnabled());

    fake.unplug(dongle);
    ASSERT_TRUE(RunUntil([&] { return !dl->DongleLinked(); }));
    EXPECT_EQ(devList->count(), 0);
    EXPECT_EQ(statusImage->ShownIndex, 0);
    EXPECT_EQ(startImage->ShownIndex, 2);
    EXPECT_FALSE(startImage->isEnabled());
    EXPECT_TRUE(dl->DevList.empty());

    // Start from the diagnostic panel without a dongle.
    ctl<QPushButton>("StartButton")->click();
    RunFor(50);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "You must select an USB HID device");
    EXPECT_EQ(boxes.seen[0].caption, "Error");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(dl->DownloadRunning);
}
