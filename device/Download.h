#pragma once
// The dongle link and the download of the main window: the handlers of
// the HID controller, the Start and Stop operations, the report log, the
// end-of-transfer rule and the filing of the decoded record. TmainForm
// composes one of these; it works on the main window's controls, timers
// and shared state.
#include "device/TransferProgress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class HidPlatform;
class QTimer;
class TDevInThread;
class TDownloadProgress;
class TJvHidDevice;
class TJvHidDeviceController;
class TmainForm;

class TDongleDownload : public QObject {
    Q_OBJECT
public:
    // platform: the HID services (null: the system's). The controller's
    // first scan runs when the event loop next handles pending events.
    TDongleDownload(TmainForm *form, HidPlatform *platform = nullptr);
    ~TDongleDownload() override;

    // Test-only: the period of MeasureTimer and StatusCheckTimer.
    void SetTimerPeriods(int ms);

    // ---- Dongle link -----------------------------------------------------
    std::unique_ptr<HidPlatform> OwnPlatform; // the system's, when none was given
    std::unique_ptr<TJvHidDeviceController> HidCtl;
    std::vector<TJvHidDevice *> DevList;      // checked-out dongles, in DevListBox order
    std::int32_t EnumIndex = 0;

    void HidCtlDeviceChange();
    bool HidCtlEnumerate(TJvHidDevice *device, int index);

    // ---- Download ----------------------------------------------------------
    std::unique_ptr<TDevInThread> ReaderThread;
    bool DownloadRunning = false;
    bool StartShowsRunning = false;
    std::int32_t ReportsThisTick = 0;
    std::int32_t ReportsTotal = 0;
    std::uint32_t IdleTicks = 0;
    std::int32_t LastLineCount = 0;

    void StartButtonClick();
    void StopButtonClick();
    void mainStartImageClick();
    void OnReport();
    void MeasureTimerTimer();
    void StatusCheckTimerTimer();
    void FinishTransfer();
    // Shows the received lines that LogMemo does not show yet.
    void ShowLogLines();

    // ---- Progress on the calendar view -------------------------------------
    TTransferProgress Progress;
    TDownloadProgress *ProgressView = nullptr;
    // Repaints the progress while a download runs (10 times a second).
    QTimer *ProgressTimer = nullptr;
    void ProgressTimerTimer();

private:
    void DrawStatus(int picture);
    void DrawStart(int picture);
    void ClearLog();
    // The end of a transfer that gave no record: "TR900 data transfer Fail!".
    void FailTransfer();
    // Copies the new record into the rider's folder; false when it could not
    // be filed (the record then stays in the application folder).
    bool FileRecord(const std::string &name, const std::string &target);
    void ShowMonthOf(const std::string &name);

    TmainForm *form_;
    // The log's lines; LogMemo shows them, at most LogFlushMs behind.
    QStringList logLines_;
    std::size_t logBytes_ = 0; // the lines' size as "Temp.txt" will hold them
    qsizetype shownLines_ = 0;
    QTimer *logFlush_ = nullptr;
    QElapsedTimer clock_;
};
