#include "device/DevInThread.h"

#include "device/HidController.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
constexpr int SleepSliceMs = 100;
constexpr int MaxLineChars = 66;
} // namespace

QString ReportText(const std::uint8_t *report, std::uint32_t length)
{
    static const char digits[] = "0123456789ABCDEF";
    char line[MaxLineChars];
    int n = 0;
    for (std::uint32_t i = 1; i < length && n < MaxLineChars; ++i) {
        line[n++] = digits[report[i] >> 4];
        line[n++] = digits[report[i] & 15];
    }
    return QString::fromLatin1(line, n);
}

TDevInThread::TDevInThread(TJvHidDevice *device, std::function<void()> onReport)
    : Device(device), onReport_(std::move(onReport))
{
    start();
}

TDevInThread::~TDevInThread()
{
    // Whoever takes the reports may be half gone by now: hand-overs still
    // posted end the reader's wait but are not run.
    onReport_ = nullptr;
    Stop();
}

void TDevInThread::Stop()
{
    requestInterruption();
    // A plain wait() would deadlock while the reader blocks in a hand-over:
    // wait in short slices and run the hand-overs posted to this object.
    while (!wait(10))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TDevInThread::run()
{
    // The report length is the device's: fixed for as long as it is checked out.
    THIDPCaps caps;
    Device->GetCaps(caps);
    const std::uint32_t length =
        std::min<std::uint32_t>(caps.InputReportByteLength, std::uint32_t(ReportBuffer.size()));
    while (!isInterruptionRequested()) {
        if (!Device->ReadFileEx(ReportBuffer.data(), length))
            return; // the dongle is gone: the download stays marked running until Stop
        while (!Device->WaitForRead(SleepSliceMs)) {
            if (isInterruptionRequested()) {
                Device->CancelIO();
                return;
            }
        }
        // A report completing together with the terminate request is dropped.
        if (isInterruptionRequested())
            return;
        ReportLength = Device->GetOverlappedReadResult();
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (onReport_)
                    onReport_();
            },
            Qt::BlockingQueuedConnection);
    }
}
