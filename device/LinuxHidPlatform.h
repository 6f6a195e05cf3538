#pragma once
// HID services of Linux: udev lists the hidraw devices and reports their
// arrival and removal; /dev/hidrawN is read with poll.
#include "device/HidPlatform.h"

class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

// A read handle on an open hidraw node (or anything that delivers one
// report per read); takes ownership of fd. numberedReports: the device's
// reports start with their identifier byte. nullptr when no wake-up event
// can be made.
std::shared_ptr<HidHandle> MakeHidrawHandle(int fd, bool numberedReports);

class LinuxHidPlatform : public HidPlatform {
    Q_OBJECT
public:
    explicit LinuxHidPlatform(QObject *parent = nullptr);
    ~LinuxHidPlatform() override;

    std::vector<HidDeviceInfo> scan() override;
    std::shared_ptr<HidHandle> open(const std::string &id) override;

private:
    void drainMonitor();
    void pollForChanges();

    udev *udev_ = nullptr;
    udev_monitor *monitor_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
    QTimer *rescanTimer_ = nullptr;
    std::vector<std::string> lastIds_;
};
