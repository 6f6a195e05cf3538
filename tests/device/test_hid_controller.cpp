// The controller over scripted devices: device change signals, the list
// through plug and unplug, check-out and release, the reader thread.
#include "device/DevInThread.h"
#include "device/FakeHidPlatform.h"
#include "device/HidController.h"
#include "tests/device/HidTestSupport.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t Vid = 0x1915, Pid = 0x003B;

struct Listing {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> ids;
    std::vector<int> indices;
};

class Controller : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ctl = std::make_unique<TJvHidDeviceController>(&fake);
        ctl->OnDeviceChange = [this] { ++changes; };
    }

    Listing list()
    {
        Listing l;
        ctl->OnEnumerate = [&](TJvHidDevice *d, int i) {
            l.ids.emplace_back(d->VendorID(), d->ProductID());
            l.indices.push_back(i);
            return true;
        };
        ctl->Enumerate();
        return l;
    }

    FakeHidPlatform fake;
    std::unique_ptr<TJvHidDeviceController> ctl;
    int changes = 0;
};

FakeHidPlatform::Report report(std::vector<std::uint8_t> bytes, int pauseMs = 0)
{
    return {pauseMs, std::move(bytes), false};
}

} // namespace

TEST_F(Controller, SignalsOnceAfterStartEvenWithoutDevicesAndAfterEveryPlugOrUnplug)
{
    EXPECT_EQ(changes, 0); // through the event queue only
    ASSERT_TRUE(RunUntil([&] { return changes >= 1; }));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(list().ids.empty());

    const std::string mouse = fake.plug(0x046D, 0xC077);
    const std::string dongle = fake.plug(Vid, Pid);
    EXPECT_TRUE(RunUntil([&] { return changes >= 2; }));
    const int afterPlug = changes;
    Listing l = list();
    ASSERT_EQ(l.ids.size(), 2u);
    EXPECT_EQ(l.ids[1], std::make_pair(Vid, Pid));

    // A device that cannot be opened is never offered.
    fake.plug(Vid, Pid, 65, false);
    RunFor(50);
    EXPECT_EQ(changes, afterPlug);
    EXPECT_EQ(list().ids.size(), 2u);

    fake.unplug(mouse);
    ASSERT_TRUE(RunUntil([&] { return changes >= afterPlug + 1; }));
    EXPECT_EQ(changes, afterPlug + 1);
    l = list();
    ASSERT_EQ(l.ids.size(), 1u);
    EXPECT_EQ(l.ids[0], std::make_pair(Vid, Pid));
}

TEST_F(Controller, CheckOutIsExclusiveAndReleaseGivesAFreshObject)
{
    fake.plug(0x046D, 0xC077);
    const std::string dongle = fake.plug(Vid, Pid, 65);
    RunFor(50);
    TJvHidDevice *dev = nullptr;
    EXPECT_FALSE(ctl->CheckOutByIndex(dev, 2));
    EXPECT_FALSE(ctl->CheckOutByIndex(dev, -1));
    ASSERT_TRUE(ctl->CheckOutByIndex(dev, list().indices[1]));
    EXPECT_TRUE(dev->IsCheckedOut());
    THIDPCaps caps;
    ASSERT_TRUE(dev->GetCaps(caps));
    EXPECT_EQ(caps.InputReportByteLength, 65);
    TJvHidDevice *again = nullptr;
    EXPECT_FALSE(ctl->CheckOutByIndex(again, 1));

    ctl->CheckIn(dev);
    EXPECT_EQ(dev, nullptr);
    ASSERT_TRUE(ctl->CheckOutByIndex(again, 1));
    EXPECT_FALSE(again == nullptr);

    // Unplugged while checked out: the read fails, the object stays until
    // released and is then dropped.
    std::array<std::uint8_t, 65> buf{};
    ASSERT_TRUE(again->ReadFileEx(buf.data(), 65));
    fake.unplug(dongle);
    RunFor(50);
    EXPECT_FALSE(again->PluggedIn());
    EXPECT_TRUE(again->WaitForRead(100));
    EXPECT_EQ(again->GetOverlappedReadResult(), 0u);
    EXPECT_FALSE(again->ReadFileEx(buf.data(), 65));
    EXPECT_EQ(list().ids.size(), 1u);
    ctl->CheckIn(again);
    EXPECT_EQ(list().ids.size(), 1u);
}

TEST_F(Controller, AChangeNoticedInsideTheHandlerIsScannedAfterIt)
{
    RunFor(50);
    int depth = 0, maxDepth = 0;
    std::string plugged;
    ctl->OnDeviceChange = [&] {
        ++changes;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (plugged.empty()) {
            plugged = fake.plug(Vid, Pid);
            RunFor(30); // the handler lets the event loop run
        }
        --depth;
    };
    fake.plug(0x046D, 0xC077);
    RunFor(100);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(list().ids.size(), 2u);
}

class Reader : public Controller {
protected:
    TJvHidDevice *checkOutDongle()
    {
        dongle = fake.plug(Vid, Pid, 65);
        RunFor(50);
        TJvHidDevice *dev = nullptr;
        EXPECT_TRUE(ctl->CheckOutByIndex(dev, 0));
        return dev;
    }
    std::string dongle;
};

TEST_F(Reader, HandsOverEveryReportInOrderWithFailedReadsAsEmpty)
{
    TJvHidDevice *dev = checkOutDongle();
    std::vector<FakeHidPlatform::Report> script;
    for (int i = 0; i < 300; ++i)
        script.push_back(report({0, std::uint8_t(i), std::uint8_t(i >> 8), 0xAB}));
    script.push_back({0, {}, true});
    script.push_back(report(std::vector<std::uint8_t>(65, 0x5A), 20));
    fake.stream(dongle, script);

    std::vector<QString> lines;
    TDevInThread *reader = nullptr;
    reader = new TDevInThread(dev, [&] {
        lines.push_back(ReportText(reader->ReportBuffer.data(), reader->ReportLength));
    });
    EXPECT_TRUE(RunUntil([&] { return lines.size() == 302; }));
    reader->Stop();
    delete reader;
    ASSERT_EQ(lines.size(), 302u);
    EXPECT_EQ(lines[0], "0000AB");
    EXPECT_EQ(lines[299], QString("2B01AB"));
    EXPECT_EQ(lines[300], "");
    EXPECT_EQ(lines[301], QString("5A").repeated(33));
}

TEST_F(Reader, StopReturnsQuicklyWhileAReadWaitsAndServesAPendingHandOver)
{
    TJvHidDevice *dev = checkOutDongle();
    int got = 0;
    TDevInThread reader(dev, [&] { ++got; });
    RunFor(150); // the read waits: nothing was streamed
    QElapsedTimer t;
    t.start();
    reader.Stop();
    EXPECT_LT(t.elapsed(), 150);
    EXPECT_TRUE(reader.isFinished());

    // A reader blocked in a hand-over while the main thread sits in Stop.
    TJvHidDevice *dev2 = dev;
    fake.stream(dongle, {report({0, 1, 2})});
    TDevInThread second(dev2, [&] { ++got; });
    // The report is read and its hand-over posted; nobody serves it yet.
    QElapsedTimer posted;
    posted.start();
    while (fake.unread(dongle) != 0 && posted.elapsed() < 5000)
        QThread::msleep(1);
    QThread::msleep(20);
    second.Stop();
    EXPECT_EQ(got, 1);
}

TEST_F(Reader, UnplugEndsTheReaderAfterOneFailedRead)
{
    TJvHidDevice *dev = checkOutDongle();
    std::vector<std::uint32_t> lengths;
    TDevInThread *reader = nullptr;
    reader = new TDevInThread(dev, [&] { lengths.push_back(reader->ReportLength); });
    RunFor(50);
    fake.unplug(dongle);
    EXPECT_TRUE(RunUntil([&] { return reader->isFinished(); }));
    reader->Stop();
    delete reader;
    EXPECT_EQ(lengths, std::vector<std::uint32_t>{0});
}

TEST(ReportText, DataBytesAsUpperCaseHexCutTo66Characters)
{
    std::array<std::uint8_t, 65> r{};
    for (int i = 0; i < 65; ++i)
        r[std::size_t(i)] = std::uint8_t(0xF0 + i);
    const QString full = ReportText(r.data(), 65);
    EXPECT_EQ(full.size(), 66);
    EXPECT_TRUE(full.startsWith("F1F2F3"));
    EXPECT_TRUE(full.endsWith("1011")); // data bytes 32 and 33
    EXPECT_EQ(ReportText(r.data(), 10).size(), 18);
    EXPECT_EQ(ReportText(r.data(), 1), "");
    EXPECT_EQ(ReportText(r.data(), 0), "");
}
