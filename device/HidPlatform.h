#pragma once
// The operating system's HID services as the controller needs them: the
// present devices with their identification, a signal when device nodes
// change, and a read handle per device.
#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One present HID device that could be opened and identified.
struct HidDeviceInfo {
    std::string id;                 // device instance: stable while the device stays plugged in
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t inputReportLength = 0; // largest input report + 1 report-identifier byte
};

enum class HidReadStatus { Pending, Done, Failed };

struct HidReadResult {
    HidReadStatus status = HidReadStatus::Pending;
    std::uint32_t bytes = 0;        // for Done: bytes delivered, report identifier included
};

// An open device for reading input reports. read() runs on the reader
// thread; shutdown() may come from any thread and ends a waiting read as
// failed. The handle is freed only when nobody reads from it any more.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    // Waits up to timeoutMs for one input report. buffer[0] receives the
    // report identifier (0 for a device without numbered reports).
    virtual HidReadResult read(std::uint8_t *buffer, std::uint32_t length, int timeoutMs) = 0;
    virtual void shutdown() = 0;
    // False once the handle was shut down or the device went away.
    virtual bool usable() const = 0;
    // Drops the reports that arrived before now and wait to be read.
    virtual void discardQueued() {}
};

class HidPlatform : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The present devices, in a stable order.
    virtual std::vector<HidDeviceInfo> scan() = 0;
    // Opens the device for reading; nullptr when it cannot be opened.
    virtual std::shared_ptr<HidHandle> open(const std::string &id) = 0;

signals:
    // The device nodes may have changed; the controller rescans.
    void changed();
};
