#pragma once
// HID services for tests: the test plugs and unplugs devices of any vendor
// and product and scripts the input reports a device streams, each after
// a chosen pause, failed reads included. Changes are signalled through
// the event queue, as the operating system's notifications arrive.
#include "device/HidPlatform.h"


class FakeHidPlatform : public HidPlatform {
    Q_OBJECT
public:
    struct Report {
        int pauseMs = 0;                 // after the previous report was read
        std::vector<std::uint8_t> bytes; // byte 0 is the report identifier
        bool fail = false;               // the read fails and delivers nothing
    };
    struct Device;

    explicit FakeHidPlatform(QObject *parent = nullptr);
    ~FakeHidPlatform() override;

    // Returns the new device's id. An unopenable device is left out of scans.
    std::string plug(std::uint16_t vendor, std::uint16_t product,
                     std::uint16_t inputReportLength = 65, bool openable = true);
    void unplug(const std::string &id);
    // Appends reports to the device's script.
    void stream(const std::string &id, std::vector<Report> reports);
    // Reports of the script not read yet.
    std::size_t unread(const std::string &id) const;

    std::vector<HidDeviceInfo> scan() override;
    std::shared_ptr<HidHandle> open(const std::string &id) override;

private:
    std::shared_ptr<Device> find(const std::string &id) const;
    void signalChange();

    std::vector<std::shared_ptr<Device>> devices_;
    int nextNumber_ = 0;
};
