#include "device/FakeHidPlatform.h"

#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>

using Clock = std::chrono::steady_clock;

struct FakeHidPlatform::Device {
    HidDeviceInfo info;
    bool openable = true;
    std::mutex mutex;
    std::condition_variable cv;
    bool gone = false;
    std::deque<Report> script;
    Clock::time_point headSince; // when the first report of the script became next
};

namespace {

class FakeHidHandle : public HidHandle {
public:
    explicit FakeHidHandle(std::shared_ptr<FakeHidPlatform::Device> dev) : dev_(std::move(dev)) {}

    HidReadResult read(std::uint8_t *buffer, std::uint32_t length, int timeoutMs) override
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        std::unique_lock lock(dev_->mutex);
        for (;;) {
            if (!alive_ || dev_->gone) {
                alive_ = false;
                return {HidReadStatus::Failed, 0};
            }
            const Clock::time_point now = Clock::now();
            Clock::time_point wake = deadline;
            if (!dev_->script.empty()) {
                const Clock::time_point due =
                    dev_->headSince + std::chrono::milliseconds(dev_->script.front().pauseMs);
                if (due <= now)
                    return deliver(buffer, length, now);
                wake = std::min(wake, due);
            }
            if (now >= deadline)
                return {};
            dev_->cv.wait_until(lock, wake);
        }
    }

    void shutdown() override
    {
        std::lock_guard lock(dev_->mutex);
        alive_ = false;
        dev_->cv.notify_all();
    }

    bool usable() const override { return alive_; }

private:
    HidReadResult deliver(std::uint8_t *buffer, std::uint32_t length, Clock::time_point now)
    {
        FakeHidPlatform::Report r = std::move(dev_->script.front());
        dev_->script.pop_front();
        dev_->headSince = now;
        if (r.fail)
            return {HidReadStatus::Failed, 0};
        const std::uint32_t n = std::min<std::uint32_t>(length, std::uint32_t(r.bytes.size()));
        std::memcpy(buffer, r.bytes.data(), n);
        return {HidReadStatus::Done, n};
    }

    std::shared_ptr<FakeHidPlatform::Device> dev_;
    std::atomic<bool> alive_{true};
};

} // namespace

FakeHidPlatform::FakeHidPlatform(QObject *parent) : HidPlatform(parent) {}

FakeHidPlatform::~FakeHidPlatform() = default;

std::string FakeHidPlatform::plug(std::uint16_t vendor, std::uint16_t product,
                                  std::uint16_t inputReportLength, bool openable)
{
    auto dev = std::make_shared<Device>();
    dev->info = {"fake:" + std::to_string(++nextNumber_), vendor, product, inputReportLength};
    dev->openable = openable;
    devices_.push_back(dev);
    signalChange();
    return dev->info.id;
}

void FakeHidPlatform::unplug(const std::string &id)
{
    const std::shared_ptr<Device> dev = find(id);
    if (!dev)
        return;
    {
        std::lock_guard lock(dev->mutex);
        dev->gone = true;
        dev->cv.notify_all();
    }
    std::erase(devices_, dev);
    signalChange();
}

void FakeHidPlatform::stream(const std::string &id, std::vector<Report> reports)
{
    const std::shared_ptr<Device> dev = find(id);
    if (!dev)
        return;
    std::lock_guard lock(dev->mutex);
    if (dev->script.empty())
        dev->headSince = Clock::now();
    for (Report &r : reports)
        dev->script.push_back(std::move(r));
    dev->cv.notify_all();
}

std::size_t FakeHidPlatform::unread(const std::string &id) const
{
    const std::shared_ptr<Device> dev = find(id);
    if (!dev)
        return 0;
    std::lock_guard lock(dev->mutex);
    return dev->script.size();
}

std::vector<HidDeviceInfo> FakeHidPlatform::scan()
{
    std::vector<HidDeviceInfo> found;
    for (const std::shared_ptr<Device> &d : devices_)
        if (d->openable)
            found.push_back(d->info);
    return found;
}

std::shared_ptr<HidHandle> FakeHidPlatform::open(const std::string &id)
{
    const std::shared_ptr<Device> dev = find(id);
    return dev && dev->openable ? std::make_shared<FakeHidHandle>(dev) : nullptr;
}

std::shared_ptr<FakeHidPlatform::Device> FakeHidPlatform::find(const std::string &id) const
{
    for (const std::shared_ptr<Device> &d : devices_)
        if (d->info.id == id)
            return d;
    return nullptr;
}

void FakeHidPlatform::signalChange()
{
    QMetaObject::invokeMethod(this, [this] { emit changed(); }, Qt::QueuedConnection);
}
