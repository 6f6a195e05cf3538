#pragma once
// The dongle link and the download, without widgets: the HID controller
// and its handlers, the Start and Stop operations, the received lines, the
// end-of-transfer rule and the filing of the decoded record. It owns its
// timers and tells what happens through signals; the diagnostic panel,
// the progress view and the main window show it and answer its questions.
#include "device/TransferProgress.h"
#include "device/TransferRule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class HidPlatform;
class QTimer;
class TDevInThread;
class TJvHidDevice;
class TJvHidDeviceController;
class TKorvanDataBase;

class TDongleDownload : public QObject {
    Q_OBJECT
public:
    // Start pictures: ready, running, unavailable.
    enum StartFace { StartReady = 0, StartRunning = 1, StartUnavailable = 2 };

    // appFolder: where "Temp.txt" and the decoded record are written; db:
    // whose RiderFolder receives the record. platform: the HID services
    // (null: the system's). The controller's first scan runs when the event
    // loop next handles pending events.
    TDongleDownload(const std::string &appFolder, const TKorvanDataBase &db, HidPlatform *platform = nullptr,
                    QObject *parent = nullptr);
    ~TDongleDownload() override;

    // Test-only: the period of MeasureTimer and StatusCheckTimer.
    void SetTimerPeriods(int ms);

    // The row chosen in the device list (-1: none); asked by Start.
    std::function<int()> SelectedDevice;
    // "File Exists! Over write?": true to replace the rider's file.
    std::function<bool()> AskOverwrite;

    // ---- Dongle link -----------------------------------------------------
    std::unique_ptr<HidPlatform> OwnPlatform; // the system's, when none was given
    std::unique_ptr<TJvHidDeviceController> HidCtl;
    std::vector<TJvHidDevice *> DevList;      // checked-out dongles, in list order
    bool DongleLinked() const { return !DevList.empty(); }

    void HidCtlDeviceChange();
    bool HidCtlEnumerate(TJvHidDevice *device, int index);

    // ---- Download ----------------------------------------------------------
    std::unique_ptr<TDevInThread> ReaderThread;
    bool DownloadRunning = false;
    // The start picture shows a running download (the rider's button).
    bool StartShowsRunning = false;
    TTransferRule Rule;
    TTransferProgress Progress;
    QTimer *MeasureTimer = nullptr;     // 1000 ms
    QTimer *StatusCheckTimer = nullptr; // 1000 ms
    QTimer *ProgressTimer = nullptr;    // 100 ms, while a download runs

    // Start and Stop of the diagnostic panel; the start picture toggles.
    void Start();
    void Stop();
    void ToggleStart();
    void OnReport();
    void MeasureTimerTimer();
    void StatusCheckTimerTimer();
    void ProgressTimerTimer();
    // The received lines that have not been told yet.
    void ShowLogLines();

signals:
    // The dongles were lost (a device change); the list is empty.
    void Unlinked();
    // A dongle was listed, with its input report length.
    void Linked(const QString &entry, int reportLength);
    // Start found no chosen device.
    void NoDeviceChosen();
    void RunningChanged(bool running);
    void ReportCountChanged(int total);
    void StartFaceChanged(int face);
    // The received lines: emptied, added to, or shown again as a whole.
    void LogCleared();
    void LogAppended(const QString &lines);
    void LogReplaced(const QString &text);
    void ProgressBegun();
    void ProgressChanged(const TTransferProgress &progress, std::int64_t nowMs);
    void ProgressEnded(const TTransferProgress &progress, bool succeeded);
    void ProgressHidden();
    // A message of the decoder.
    void DecoderMessage(const QString &text, const QString &caption);
    void TransferFailed(const QString &reason);
    // The decoded record could not be filed; it stays at keptAs.
    void RecordNotFiled(const QString &keptAs);
    // The record was filed into the rider's folder; month 0 when its name
    // holds no valid month.
    void RecordFiled(const QString &name, int year, int month);

private:
    void ClearLog();
    void EndTransfer();
    void FailTransfer(const QString &reason);
    void FinishTransfer();
    // Copies the new record into the rider's folder; false when it could not
    // be filed (the record then stays in the application folder).
    bool FileRecord(const std::string &name, const std::string &target);
    int Face() const { return DongleLinked() ? StartReady : StartUnavailable; }

    std::string appFolder_;
    const TKorvanDataBase &db_;
    // The log's lines; LogAppended tells them, at most LogFlushMs behind.
    QStringList logLines_;
    std::size_t logBytes_ = 0; // the lines' size as "Temp.txt" will hold them
    qsizetype shownLines_ = 0;
    QTimer *logFlush_ = nullptr;
    QElapsedTimer clock_;
};
