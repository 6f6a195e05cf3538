#include "device/HidController.h"

#include "device/HidPlatform.h"

#include <QTimer>
#include <algorithm>
#include <thread>

TJvHidDevice::TJvHidDevice(const HidDeviceInfo &info) : info_(info) {}

TJvHidDevice::~TJvHidDevice() { CloseHandles(); }

bool TJvHidDevice::GetCaps(THIDPCaps &caps) const
{
    caps.InputReportByteLength = info_.inputReportLength;
    return true;
}

bool TJvHidDevice::ReadFileEx(std::uint8_t *buffer, std::uint32_t length)
{
    if (!plugged_ || length == 0)
        return false;
    std::lock_guard lock(handleMutex_);
    if (!readHandle_ || !readHandle_->usable())
        return false;
    pendingBuffer_ = buffer;
    pendingLength_ = length;
    return true;
}

void TJvHidDevice::DiscardQueuedReports()
{
    std::lock_guard lock(handleMutex_);
    if (readHandle_ && readHandle_->usable())
        readHandle_->discardQueued();
}

bool TJvHidDevice::WaitForRead(int ms)
{
    std::shared_ptr<HidHandle> handle;
    {
        std::lock_guard lock(handleMutex_);
        handle = readHandle_;
    }
    if (!pendingBuffer_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return false;
    }
    // A handle closed by an unplug ends the read as failed.
    const HidReadResult r = handle ? handle->read(pendingBuffer_, pendingLength_, ms)
                                   : HidReadResult{HidReadStatus::Failed, 0};
    if (r.status == HidReadStatus::Pending)
        return false;
    lastBytes_ = r.status == HidReadStatus::Done ? r.bytes : 0;
    pendingBuffer_ = nullptr;
    return true;
}

void TJvHidDevice::CancelIO() { pendingBuffer_ = nullptr; }

void TJvHidDevice::CloseHandles()
{
    std::shared_ptr<HidHandle> handle;
    {
        std::lock_guard lock(handleMutex_);
        handle.swap(readHandle_);
    }
    if (handle)
        handle->shutdown();
}

TJvHidDeviceController::TJvHidDeviceController(HidPlatform *platform, QObject *parent)
    : QObject(parent), platform_(platform)
{
    connect(platform_, &HidPlatform::changed, this, [this] { DeviceChange(false); });
    // The first scan, and its device change signal, come through the event queue.
    QTimer::singleShot(0, this, [this] { DeviceChange(true); });
}

TJvHidDeviceController::~TJvHidDeviceController() = default;

void TJvHidDeviceController::DeviceChange(bool always)
{
    // One scan at a time: a change noticed meanwhile, also from inside the
    // handler, is scanned after it.
    if (scanning_) {
        rescanPending_ = true;
        return;
    }
    scanning_ = true;
    bool signal = always;
    do {
        rescanPending_ = false;
        if (Rescan() || signal) {
            signal = false;
            if (OnDeviceChange)
                OnDeviceChange();
        }
    } while (rescanPending_);
    scanning_ = false;
}

bool TJvHidDeviceController::Rescan()
{
    const std::vector<HidDeviceInfo> present = platform_->scan();
    bool changed = false;
    for (auto it = list_.begin(); it != list_.end();) {
        TJvHidDevice &dev = **it;
        const bool there = std::any_of(present.begin(), present.end(),
                                       [&](const HidDeviceInfo &i) { return i.id == dev.info_.id; });
        if (!there && dev.plugged_) {
            dev.plugged_ = false;
            dev.CloseHandles();
            changed = true;
        }
        if (!dev.plugged_ && !dev.checkedOut_)
            it = list_.erase(it);
        else
            ++it;
    }
    for (const HidDeviceInfo &info : present) {
        const bool known = std::any_of(list_.begin(), list_.end(), [&](const auto &d) {
            return d->plugged_ && d->info_.id == info.id;
        });
        if (!known) {
            list_.emplace_back(new TJvHidDevice(info));
            changed = true;
        }
    }
    return changed;
}

void TJvHidDeviceController::Enumerate()
{
    // The index passed on is the device's place in the list, as CheckOutByIndex takes it.
    for (std::size_t i = 0; i < list_.size(); ++i) {
        TJvHidDevice *dev = list_[i].get();
        if (dev->plugged_ && OnEnumerate && !OnEnumerate(dev, int(i)))
            break;
    }
}

bool TJvHidDeviceController::CheckOutByIndex(TJvHidDevice *&device, int index)
{
    device = nullptr;
    if (index < 0 || std::size_t(index) >= list_.size())
        return false;
    TJvHidDevice *dev = list_[std::size_t(index)].get();
    if (dev->checkedOut_ || !dev->plugged_)
        return false;
    dev->checkedOut_ = true;
    // The read handle is opened here, on the main thread, so that the
    // platform is never used from the reader thread.
    {
        std::lock_guard lock(dev->handleMutex_);
        dev->readHandle_ = platform_->open(dev->info_.id);
    }
    device = dev;
    return true;
}

void TJvHidDeviceController::CheckIn(TJvHidDevice *&device)
{
    auto it = std::find_if(list_.begin(), list_.end(), [&](const auto &d) { return d.get() == device; });
    device = nullptr;
    if (it == list_.end() || !(*it)->checkedOut_)
        return;
    if ((*it)->plugged_) {
        // A fresh, free object for the same device takes its place.
        it->reset(new TJvHidDevice((*it)->info_));
    } else {
        list_.erase(it);
    }
}
