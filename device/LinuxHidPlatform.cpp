#include "device/LinuxHidPlatform.h"

#include "device/ReportDescriptor.h"

#include <QSocketNotifier>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <libudev.h>

namespace {

// Where udevd does not run the "udev" monitor stays silent; a periodic
// rescan then notices plug and unplug.
constexpr int RescanPeriodMs = 2000;

bool udevdRuns() { return ::access("/run/udev/control", F_OK) == 0; }

struct DescriptorFacts {
    std::uint16_t vendor = 0, product = 0;
    ReportDescriptorInfo report;
};

bool readFacts(int fd, DescriptorFacts &facts)
{
    hidraw_devinfo info {};
    if (::ioctl(fd, HIDIOCGRAWINFO, &info) < 0)
        return false;
    facts.vendor = std::uint16_t(info.vendor);
    facts.product = std::uint16_t(info.product);
    int size = 0;
    hidraw_report_descriptor desc {};
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE)
        return false;
    desc.size = std::uint32_t(size);
    if (::ioctl(fd, HIDIOCGRDESC, &desc) < 0)
        return false;
    facts.report = ParseReportDescriptor(desc.value, desc.size);
    return true;
}

// A hidraw node opened for reading. An eventfd wakes a waiting poll when
// the handle is shut down; the device fd is closed only by the destructor,
// so it is never reused while the reader thread still polls it.
class LinuxHidHandle : public HidHandle {
public:
    LinuxHidHandle(int fd, int wake, bool numbered) : fd_(fd), wake_(wake), numbered_(numbered) {}
    ~LinuxHidHandle() override
    {
        ::close(fd_);
        ::close(wake_);
    }

    HidReadResult read(std::uint8_t *buffer, std::uint32_t length, int timeoutMs) override
    {
        if (!usable() || length == 0)
            return {HidReadStatus::Failed, 0};
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int r = ::poll(fds, 2, timeoutMs);
        if (r < 0)
            return errno == EINTR ? HidReadResult{} : fail();
        if (r == 0)
            return {};
        if (fds[1].revents || !usable())
            return {HidReadStatus::Failed, 0};
        // The node reports an unplugged device as hang-up or error.
        if (!(fds[0].revents & POLLIN))
            return fail();
        // hidraw leaves out the identifier byte of unnumbered reports.
        const std::uint32_t offset = numbered_ ? 0 : 1;
        if (offset)
            buffer[0] = 0;
        if (length <= offset)
            return {HidReadStatus::Done, offset};
        const ssize_t n = ::read(fd_, buffer + offset, length - offset);
        if (n < 0)
            return errno == EAGAIN || errno == EINTR ? HidReadResult{} : fail();
        if (n == 0)
            return fail();
        return {HidReadStatus::Done, std::uint32_t(n) + offset};
    }

    void shutdown() override
    {
        alive_ = false;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t w = ::write(wake_, &one, sizeof one);
    }

    bool usable() const override { return alive_; }

    void discardQueued() override
    {
        // The kernel keeps a few dozen reports per open node; a device that
        // never pauses cannot keep this loop going past that many.
        std::uint8_t report[4096];
        pollfd fd{fd_, POLLIN, 0};
        for (int n = 0; n < 1024 && ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN); ++n)
            if (::read(fd_, report, sizeof report) <= 0)
                break;
    }

private:
    HidReadResult fail()
    {
        alive_ = false;
        return {HidReadStatus::Failed, 0};
    }

    int fd_, wake_;
    bool numbered_;
    std::atomic<bool> alive_{true};
};

} // namespace

LinuxHidPlatform::LinuxHidPlatform(QObject *parent) : HidPlatform(parent)
{
    udev_ = udev_new();
    if (udev_ && udevdRuns()) {
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (monitor_ && (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0
                         || udev_monitor_enable_receiving(monitor_) < 0)) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
        }
    }
    if (monitor_) {
        const int fd = udev_monitor_get_fd(monitor_);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &LinuxHidPlatform::drainMonitor);
    } else if (udev_) {
        rescanTimer_ = new QTimer(this);
        rescanTimer_->setInterval(RescanPeriodMs);
        connect(rescanTimer_, &QTimer::timeout, this, &LinuxHidPlatform::pollForChanges);
        rescanTimer_->start();
    }
}

LinuxHidPlatform::~LinuxHidPlatform()
{
    delete notifier_;
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

void LinuxHidPlatform::drainMonitor()
{
    bool any = false;
    while (udev_device *dev = udev_monitor_receive_device(monitor_)) {
        udev_device_unref(dev);
        any = true;
    }
    if (any)
        emit changed();
}

void LinuxHidPlatform::pollForChanges()
{
    const std::vector<std::string> before = lastIds_;
    scan();
    if (lastIds_ != before)
        emit changed();
}

std::vector<HidDeviceInfo> LinuxHidPlatform::scan()
{
    std::vector<HidDeviceInfo> found;
    if (!udev_)
        return found;
    udev_enumerate *en = udev_enumerate_new(udev_);
    if (!en)
        return found;
    udev_enumerate_add_match_subsystem(en, "hidraw");
    udev_enumerate_scan_devices(en);
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(en))
    {
        const char *syspath = udev_list_entry_get_name(entry);
        udev_device *dev = udev_device_new_from_syspath(udev_, syspath);
        if (!dev)
            continue;
        if (const char *node = udev_device_get_devnode(dev)) {
            // A device we may not open is left out.
            const int fd = ::open(node, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            DescriptorFacts facts;
            if (fd >= 0) {
                if (readFacts(fd, facts))
                    found.push_back({syspath, facts.vendor, facts.product, facts.report.inputReportLength});
                ::close(fd);
            }
        }
        udev_device_unref(dev);
    }
    udev_enumerate_unref(en);
    lastIds_.clear();
    for (const HidDeviceInfo &d : found)
        lastIds_.push_back(d.id);
    return found;
}

std::shared_ptr<HidHandle> LinuxHidPlatform::open(const std::string &id)
{
    // The id is the sysfs path, unique per plug-in; the node name may be reused.
    udev_device *dev = udev_ ? udev_device_new_from_syspath(udev_, id.c_str()) : nullptr;
    if (!dev)
        return nullptr;
    const char *node = udev_device_get_devnode(dev);
    const int fd = node ? ::open(node, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    udev_device_unref(dev);
    if (fd < 0)
        return nullptr;
    DescriptorFacts facts;
    if (!readFacts(fd, facts)) {
        ::close(fd);
        return nullptr;
    }
    return MakeHidrawHandle(fd, facts.report.numberedReports);
}

std::shared_ptr<HidHandle> MakeHidrawHandle(int fd, bool numberedReports)
{
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_shared<LinuxHidHandle>(fd, wake, numberedReports);
}
