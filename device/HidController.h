#pragma once
// The HID controller: one device object per present HID device, kept up
// to date through plug and unplug, with exclusive use (check-out) and one
// queued input report read at a time.
#include "device/HidPlatform.h"

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct THIDPCaps {
    std::uint16_t InputReportByteLength = 0; // leading report identifier byte included
};

class TJvHidDevice {
public:
    ~TJvHidDevice();
    TJvHidDevice(const TJvHidDevice &) = delete;
    TJvHidDevice &operator=(const TJvHidDevice &) = delete;

    std::uint16_t VendorID() const { return info_.vendor; }
    std::uint16_t ProductID() const { return info_.product; }
    bool PluggedIn() const { return plugged_; }
    bool IsCheckedOut() const { return checkedOut_; }

    // Safe on the reader thread.
    bool GetCaps(THIDPCaps &caps) const;
    // Queues one read of an input report into buffer on the read handle
    // opened at check-out. False when the read cannot be queued.
    bool ReadFileEx(std::uint8_t *buffer, std::uint32_t length);
    // Alertable wait of up to ms milliseconds: true when the queued read
    // completed (delivered a report or failed).
    bool WaitForRead(int ms);
    // Bytes the last completed read delivered; 0 when it failed.
    std::uint32_t GetOverlappedReadResult() const { return lastBytes_; }
    // Gives up the queued read.
    void CancelIO();
    // Drops the reports that reached the read handle before now: a download
    // reads only what comes after its start, as a handle opened then would.
    void DiscardQueuedReports();

private:
    friend class TJvHidDeviceController;
    explicit TJvHidDevice(const HidDeviceInfo &info);
    void CloseHandles();

    const HidDeviceInfo info_;
    std::atomic<bool> plugged_{true};
    bool checkedOut_ = false;

    std::mutex handleMutex_;
    std::shared_ptr<HidHandle> readHandle_;

    // Used by the reading thread only.
    std::uint8_t *pendingBuffer_ = nullptr;
    std::uint32_t pendingLength_ = 0;
    std::uint32_t lastBytes_ = 0;
};

class TJvHidDeviceController : public QObject {
    Q_OBJECT
public:
    // The platform must outlive the controller.
    explicit TJvHidDeviceController(HidPlatform *platform, QObject *parent = nullptr);
    ~TJvHidDeviceController() override;

    // (device, index) -> go on with the next device
    std::function<bool(TJvHidDevice *, int)> OnEnumerate;
    std::function<void()> OnDeviceChange;

    void Enumerate();
    bool CheckOutByIndex(TJvHidDevice *&device, int index);
    // Ends the exclusive use; device is null afterwards.
    void CheckIn(TJvHidDevice *&device);

private:
    void DeviceChange(bool always);
    bool Rescan();

    HidPlatform *platform_;
    std::vector<std::unique_ptr<TJvHidDevice>> list_;
    bool scanning_ = false;
    bool rescanPending_ = false;
};
