#pragma once
// The reader thread of a download: queues one input report read at a
// time on the checked-out dongle, waits for it in 100 ms slices and hands
// each completed report to the main thread, blocking until it was taken.
#include <QString>
#include <QThread>
#include <array>
#include <cstdint>
#include <functional>

class TJvHidDevice;

// One log line: the data bytes of a report (bytes 1 .. length-1) as
// upper-case hexadecimal text, cut to 66 characters.
QString ReportText(const std::uint8_t *report, std::uint32_t length);

class TDevInThread : public QThread {
    Q_OBJECT
public:
    // Starts running at once. onReport runs on the thread that created
    // this object, while the reader waits.
    TDevInThread(TJvHidDevice *device, std::function<void()> onReport);
    // Stops the reader; reports it still hands over are dropped.
    ~TDevInThread() override;

    // Asks the reader to end and waits for it, meanwhile running the
    // reports it hands over, so it can neither deadlock nor drop one.
    void Stop();

    TJvHidDevice *Device;
    std::array<std::uint8_t, 1024> ReportBuffer{};
    std::uint32_t ReportLength = 0;

protected:
    void run() override;

private:
    std::function<void()> onReport_;
};
