// The diagnostic panel over a download of scripted dongles, without the
// main window: the device list, the report size and count, Start and
// Stop, the received lines.
#include "device/Download.h"
#include "device/EngineerModePanel.h"
#include "store/Databasecontroler.h"
#include "tests/device/HidTestSupport.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EngineerPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.SetRootFolder(app.path() + "/ID/");
        download.SetTimerPeriods(50);
    }
    template <class T> T *Control(const char *name) const
    {
        T *control = panel.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    TempFolder app;
    FakeHidPlatform fake;
    TKorvanDataBase db;
    TDongleDownload download{app.path(), db, &fake};
    TEngineerModePanel panel{nullptr, download};
};

} // namespace

TEST_F(EngineerPanel, ListsTheDongleAndRunsADownloadFromItsButtons)
{
    auto *list = Control<QListWidget>("DevListBox");
    auto *start = Control<QPushButton>("StartButton");
    auto *stop = Control<QPushButton>("StopButton");
    auto *log = Control<QPlainTextEdit>("LogMemo");
    EXPECT_TRUE(panel.isHidden());
    EXPECT_FALSE(stop->isEnabled());

    const std::string dongle = fake.plug(DongleVid, DonglePid, 65);
    ASSERT_TRUE(RunUntil([&] { return list->count() == 1; }));
    EXPECT_EQ(list->item(0)->text(), "VID=1915 PID=003B");
    EXPECT_EQ(panel.SelectedDevice(), 0);
    EXPECT_EQ(Control<QLineEdit>("InRepSizeEdit")->text(), "65");

    fake.stream(dongle, reportsOf({"AA01", "BB02"}));
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(download.DownloadRunning);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_FALSE(list->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    ASSERT_TRUE(RunUntil([&] { return log->toPlainText().count('\n') == 1; }));
    EXPECT_TRUE(log->toPlainText().startsWith("AA01"));
    ASSERT_TRUE(RunUntil([&] { return Control<QLineEdit>("InRepCountEdit")->text() == "2"; }));

    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_FALSE(download.DownloadRunning);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_TRUE(list->isEnabled());
    EXPECT_FALSE(stop->isEnabled());

    fake.unplug(dongle);
    ASSERT_TRUE(RunUntil([&] { return list->count() == 0; }));
    EXPECT_EQ(panel.SelectedDevice(), -1);
}

TEST_F(EngineerPanel, StartWithoutAChosenDeviceSaysSo)
{
    ModalAnswerer boxes;
    QTest::mouseClick(Control<QPushButton>("StartButton"), Qt::LeftButton);
    EXPECT_TRUE(boxes.Saw("You must select an USB HID device", "Error"));
    EXPECT_FALSE(download.DownloadRunning);
}
