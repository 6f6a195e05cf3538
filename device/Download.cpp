#include "device/Download.h"

#include "device/DevInThread.h"
#include "device/HidController.h"
#include "device/LinuxHidPlatform.h"
#include "record/Trfsanalysis.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace {

constexpr std::uint16_t DongleVendor = 0x1915;
constexpr std::uint16_t DongleProduct = 0x003B;
// Longest time a received line waits before it is told.
constexpr int LogFlushMs = 50;

QTimer *Timer(QObject *parent, const char *name, int period)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(period);
    return timer;
}

} // namespace

TDongleDownload::TDongleDownload(const std::string &appFolder, const TKorvanDataBase &db, HidPlatform *platform,
                                 QObject *parent)
    : QObject(parent), appFolder_(appFolder), db_(db)
{
    setObjectName("Download");
    if (!platform) {
        OwnPlatform = std::make_unique<LinuxHidPlatform>();
        platform = OwnPlatform.get();
    }
    HidCtl = std::make_unique<TJvHidDeviceController>(platform);
    HidCtl->setObjectName("HidCtl");
    HidCtl->OnDeviceChange = [this] { HidCtlDeviceChange(); };
    HidCtl->OnEnumerate = [this](TJvHidDevice *d, int i) { return HidCtlEnumerate(d, i); };

    // One append to the log view costs far more than a report may take on
    // the main thread, and mostly per call: the lines go out in batches.
    logFlush_ = new QTimer(this);
    logFlush_->setSingleShot(true);
    logFlush_->setInterval(LogFlushMs);
    connect(logFlush_, &QTimer::timeout, this, &TDongleDownload::ShowLogLines);

    clock_.start();
    MeasureTimer = Timer(this, "MeasureTimer", 1000);
    StatusCheckTimer = Timer(this, "StatusCheckTimer", 1000);
    ProgressTimer = Timer(this, "ProgressTimer", 100);
    connect(MeasureTimer, &QTimer::timeout, this, &TDongleDownload::MeasureTimerTimer);
    connect(StatusCheckTimer, &QTimer::timeout, this, &TDongleDownload::StatusCheckTimerTimer);
    connect(ProgressTimer, &QTimer::timeout, this, &TDongleDownload::ProgressTimerTimer);
}

TDongleDownload::~TDongleDownload()
{
    // Nothing may be told any more: the reader drops the reports it still
    // hands over while it ends.
    blockSignals(true);
    ReaderThread.reset();
    for (TJvHidDevice *&dev : DevList)
        HidCtl->CheckIn(dev);
}

void TDongleDownload::SetTimerPeriods(int ms)
{
    MeasureTimer->setInterval(ms);
    StatusCheckTimer->setInterval(ms);
}

void TDongleDownload::ClearLog()
{
    logLines_.clear();
    logBytes_ = 0;
    shownLines_ = 0;
    emit LogCleared();
}

void TDongleDownload::ShowLogLines()
{
    if (shownLines_ >= logLines_.size())
        return;
    emit LogAppended(logLines_.mid(shownLines_).join('\n'));
    shownLines_ = logLines_.size();
}

// ---- Dongle link -------------------------------------------------------------

void TDongleDownload::HidCtlDeviceChange()
{
    Stop();
    for (TJvHidDevice *&dev : DevList)
        HidCtl->CheckIn(dev);
    DevList.clear();
    emit Unlinked();
    HidCtl->Enumerate();
}

bool TDongleDownload::HidCtlEnumerate(TJvHidDevice *device, int index)
{
    if (device->VendorID() != DongleVendor || device->ProductID() != DongleProduct)
        return true;
    // Every listed entry has its device in DevList at the same place.
    TJvHidDevice *dev = nullptr;
    if (!HidCtl->CheckOutByIndex(dev, index))
        return true;
    DevList.push_back(dev);
    THIDPCaps caps;
    dev->GetCaps(caps);
    emit Linked(QString::asprintf("VID=%04X PID=%04X", device->VendorID(), device->ProductID()),
                int(caps.InputReportByteLength));
    return true;
}

// ---- Start and stop ----------------------------------------------------------

void TDongleDownload::Start()
{
    ClearLog();
    const int row = SelectedDevice ? SelectedDevice() : -1;
    if (row < 0 || std::size_t(row) >= DevList.size()) {
        emit NoDeviceChosen();
        return;
    }
    // Two readers on one dongle would lose reports to each other. The start
    // picture keeps what the rider's button made it show.
    if (DownloadRunning) {
        const bool shows = StartShowsRunning;
        Stop();
        StartShowsRunning = shows;
    }
    // A rule left running by a stopped download must not end this one
    // before its first report.
    StatusCheckTimer->stop();
    Rule.Start();
    MeasureTimer->start();
    DevList[std::size_t(row)]->DiscardQueuedReports();
    ReaderThread = std::make_unique<TDevInThread>(DevList[std::size_t(row)], [this] { OnReport(); });
    DownloadRunning = true;
    emit RunningChanged(true);
    Progress.Start(clock_.elapsed());
    emit ProgressBegun();
    ProgressTimer->start();
}

void TDongleDownload::Stop()
{
    if (DownloadRunning) {
        DownloadRunning = false;
        emit RunningChanged(false);
        // Serves the reports handed over while it waits.
        ReaderThread->Stop();
        ReaderThread.reset();
        MeasureTimer->stop();
        ProgressTimer->stop();
        ProgressTimerTimer();
        // Without a report nothing follows that would end the progress.
        if (Progress.Reports() == 0)
            emit ProgressHidden();
    }
    StartShowsRunning = false;
}

void TDongleDownload::ToggleStart()
{
    const bool running = StartShowsRunning;
    emit StartFaceChanged(running ? StartReady : StartRunning);
    QCoreApplication::processEvents();
    StartShowsRunning = !running;
    if (running)
        Stop();
    else
        Start();
}

// ---- Reports and the end of a transfer --------------------------------------

void TDongleDownload::OnReport()
{
    if (!TTransferRule::Keeps(logBytes_))
        return;
    const std::uint32_t length = ReaderThread->ReportLength;
    logLines_.append(ReportText(ReaderThread->ReportBuffer.data(), length));
    logBytes_ += std::size_t(logLines_.back().size()) + 2;
    if (length > 1)
        Progress.Add(ReaderThread->ReportBuffer.data() + 1, length - 1, clock_.elapsed());
    else
        Progress.Add(nullptr, 0, clock_.elapsed());
    if (!logFlush_->isActive())
        logFlush_->start();
    if (!StatusCheckTimer->isActive())
        StatusCheckTimer->start();
    Rule.Report();
}

void TDongleDownload::ProgressTimerTimer()
{
    emit ProgressChanged(Progress, clock_.elapsed());
}

void TDongleDownload::MeasureTimerTimer()
{
    emit ReportCountChanged(Rule.Measure());
}

void TDongleDownload::StatusCheckTimerTimer()
{
    if (Rule.Tick(std::int32_t(logLines_.size())))
        EndTransfer();
    Rule.Seen(std::int32_t(logLines_.size()));
}

void TDongleDownload::EndTransfer()
{
    StatusCheckTimer->stop();
    Stop();
    // A report served while the reader stopped must not start the rule
    // again: it would end this transfer a second time.
    StatusCheckTimer->stop();
    logLines_.removeAll(QString());
    emit LogReplaced(logLines_.join('\n'));
    shownLines_ = logLines_.size();
    std::vector<std::string> lines;
    lines.reserve(std::size_t(logLines_.size()));
    for (const QString &line : logLines_)
        lines.push_back(line.toStdString());
    // A dump that could not be saved must not leave the decoder an older
    // "Temp.txt" to file as this transfer's record.
    if (SaveLineFile(appFolder_ + "/Temp.txt", lines) != Saved::No)
        FinishTransfer();
    else
        FailTransfer("The received lines could not be saved");
}

bool TDongleDownload::FileRecord(const std::string &name, const std::string &target)
{
    const std::string source = appFolder_ + "/" + name;
    const std::string &folder = db_.RiderFolder;
    if (folder.empty())
        return false; // nobody has logged in: there is no rider folder to file into
    std::string bytes;
    // Through a temporary file and a rename: the target is never half written,
    // and the application folder's copy goes only once the record is filed.
    if (!ReadFileBytes(source, bytes, filelimit::Record))
        return false;
    const int written = WriteFileAtomic(folder + target, bytes);
    if (written == 1)
        return false;
    // Filed, but perhaps not yet on disk: the application folder's copy stays.
    if (written == 0)
        std::remove(source.c_str());
    return true;
}

void TDongleDownload::FailTransfer(const QString &reason)
{
    ClearLog();
    emit StartFaceChanged(Face());
    emit ProgressEnded(Progress, false);
    emit TransferFailed(reason);
}

void TDongleDownload::FinishTransfer()
{
    auto decoder = std::make_unique<TTRAnalysis>([this](const std::string &text, const std::string &caption) {
        emit DecoderMessage(QString::fromStdString(text), QString::fromStdString(caption));
    });
    if (decoder->Decode(appFolder_)) {
        FailTransfer("The received lines could not be decoded");
        return;
    }
    emit StartFaceChanged(Face());
    emit ProgressEnded(Progress, true);
    const std::string name = decoder->FileName;
    const std::string &folder = db_.RiderFolder;
    bool filed = true;
    // When asked and not confirmed, the rider's file stays as it is and the
    // new one in the application folder; when confirmed the new one takes
    // the old one's name (in whatever letter case: the record lists show
    // "*.tr9" as well), so one ride never lies twice in the folder.
    const std::string existing = folder.empty() ? std::string() : FindEntryNoCase(folder, name, EntryKind::Any);
    if (folder.empty() || existing.empty() || (AskOverwrite && AskOverwrite()))
        filed = FileRecord(name, existing.empty() ? name : existing);
    ClearLog();
    emit ProgressHidden();
    if (!filed) {
        emit RecordNotFiled(QString::fromStdString(appFolder_ + "/" + name));
        return;
    }
    // The date bytes come from the device unchecked: a month outside 1..12
    // is told as 0 and leaves the shown month as it was.
    bool yearOk = false, monthOk = false;
    const int year = name.size() < 4 ? 0 : QString::fromStdString(name.substr(0, 2)).toInt(&yearOk);
    const int month = name.size() < 4 ? 0 : QString::fromStdString(name.substr(2, 2)).toInt(&monthOk);
    const bool valid = yearOk && monthOk && month >= 1 && month <= 12;
    emit RecordFiled(QString::fromStdString(name), valid ? 2000 + year : 0, valid ? month : 0);
}
