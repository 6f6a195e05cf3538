// The hidraw read handle over a socket pair that keeps report boundaries
// the way a hidraw node does.
#include "device/LinuxHidPlatform.h"
#include "tests/device/HidTestSupport.h"

#include <QElapsedTimer>
#include <array>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

struct Pair {
    Pair(bool numbered)
    {
        int fds[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        handle = MakeHidrawHandle(fds[0], numbered);
        device = fds[1];
    }
    ~Pair()
    {
        if (device >= 0)
            ::close(device);
    }
    void send(std::vector<std::uint8_t> report) const
    {
        EXPECT_EQ(::write(device, report.data(), report.size()), ssize_t(report.size()));
    }
    std::shared_ptr<HidHandle> handle;
    int device = -1;
};

} // namespace

TEST(HidrawHandle, UnnumberedReportsGetALeadingZeroNumberedOnesAreReadAsTheyCome)
{
    std::array<std::uint8_t, 65> buf{};
    Pair plain(false);
    plain.send(std::vector<std::uint8_t>(64, 0xAB));
    buf.fill(0xEE);
    HidReadResult r = plain.handle->read(buf.data(), 65, 100);
    ASSERT_EQ(r.status, HidReadStatus::Done);
    EXPECT_EQ(r.bytes, 65u);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 0xAB);
    EXPECT_EQ(buf[64], 0xAB);

    Pair numbered(true);
    numbered.send({0x03, 0x11, 0x22});
    r = numbered.handle->read(buf.data(), 65, 100);
    ASSERT_EQ(r.status, HidReadStatus::Done);
    EXPECT_EQ(r.bytes, 3u);
    EXPECT_EQ(buf[0], 0x03);
    EXPECT_EQ(buf[2], 0x22);
}

TEST(HidrawHandle, ReportsQueuedBeforeADownloadAreDropped)
{
    Pair p(false);
    for (std::uint8_t i = 1; i <= 3; ++i)
        p.send(std::vector<std::uint8_t>(64, i));
    p.handle->discardQueued();
    p.handle->discardQueued(); // nothing queued: returns at once
    p.send(std::vector<std::uint8_t>(64, 9));
    std::array<std::uint8_t, 65> buf{};
    ASSERT_EQ(p.handle->read(buf.data(), 65, 100).status, HidReadStatus::Done);
    EXPECT_EQ(buf[1], 9);
}

TEST(HidrawHandle, AQuietDeviceTimesOutAndShutdownWakesAWaitingRead)
{
    Pair p(false);
    std::array<std::uint8_t, 65> buf{};
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(p.handle->read(buf.data(), 65, 50).status, HidReadStatus::Pending);
    EXPECT_GE(t.elapsed(), 40);

    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        p.handle->shutdown();
    });
    t.restart();
    EXPECT_EQ(p.handle->read(buf.data(), 65, 5000).status, HidReadStatus::Failed);
    EXPECT_LT(t.elapsed(), 1000);
    closer.join();
    EXPECT_FALSE(p.handle->usable());
}

TEST(HidrawHandle, AVanishedDeviceFailsTheReadAndTheHandleForGood)
{
    Pair p(false);
    ::close(p.device);
    p.device = -1;
    std::array<std::uint8_t, 65> buf{};
    EXPECT_EQ(p.handle->read(buf.data(), 65, 100).status, HidReadStatus::Failed);
    EXPECT_FALSE(p.handle->usable());
    EXPECT_EQ(p.handle->read(buf.data(), 65, 100).status, HidReadStatus::Failed);
}

TEST(LinuxHidPlatform, ScansTheMachineAndRefusesAnUnknownDevice)
{
    ensureApp();
    LinuxHidPlatform platform;
    for (const HidDeviceInfo &d : platform.scan()) {
        EXPECT_FALSE(d.id.empty());
        EXPECT_NE(d.inputReportLength, 1); // 0, or data bytes plus the identifier
    }
    EXPECT_EQ(platform.open("/sys/devices/no-such-device/hidraw/hidraw99"), nullptr);
}
