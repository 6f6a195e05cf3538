#include "device/Download.h"

#include "app/Main.h"
#include "calendar/CalendarView.h"
#include "device/DevInThread.h"
#include "device/DownloadProgress.h"
#include "device/HidController.h"
#include "device/LinuxHidPlatform.h"
#include "draw/Controls.h"
#include "draw/Dialogs.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "record/Trfsanalysis.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

constexpr std::uint16_t DongleVendor = 0x1915;
constexpr std::uint16_t DongleProduct = 0x003B;
// Longest time a received line waits before LogMemo shows it.
constexpr int LogFlushMs = 50;

// Status pictures: no dongle / linked. Start pictures: ready / running / unavailable.
constexpr int StatusNoDongle = 0, StatusLinked = 1;
constexpr int StartReady = 0, StartRunning = 1, StartUnavailable = 2;

} // namespace

TDongleDownload::TDongleDownload(TmainForm *form, HidPlatform *platform) : QObject(form), form_(form)
{
    if (!platform) {
        OwnPlatform = std::make_unique<LinuxHidPlatform>();
        platform = OwnPlatform.get();
    }
    HidCtl = std::make_unique<TJvHidDeviceController>(platform);
    HidCtl->setObjectName("HidCtl");
    HidCtl->OnDeviceChange = [this] { HidCtlDeviceChange(); };
    HidCtl->OnEnumerate = [this](TJvHidDevice *d, int i) { return HidCtlEnumerate(d, i); };

    // The end-of-transfer rule counts lines: they must never be wrapped or edited.
    form_->LogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    form_->LogMemo->setReadOnly(true);
    form_->LogMemo->setUndoRedoEnabled(false);
    // One append to the edit costs far more than a report may take on the
    // main thread, and mostly per call: the lines reach it in batches.
    logFlush_ = new QTimer(this);
    logFlush_->setSingleShot(true);
    logFlush_->setInterval(LogFlushMs);
    connect(logFlush_, &QTimer::timeout, this, &TDongleDownload::ShowLogLines);

    clock_.start();
    ProgressView = new TDownloadProgress(form_->CalenderPanel);
    ProgressView->setGeometry(16, 462, 168, 72);
    ProgressTimer = NewTimer(this, "ProgressTimer", 100);
    connect(ProgressTimer, &QTimer::timeout, this, &TDongleDownload::ProgressTimerTimer);

    connect(form_->StartButton, &QPushButton::clicked, this, &TDongleDownload::StartButtonClick);
    connect(form_->StopButton, &QPushButton::clicked, this, &TDongleDownload::StopButtonClick);
    connect(form_->mainStartImage, &TImage::clicked, this, &TDongleDownload::mainStartImageClick);
    connect(form_->MeasureTimer, &QTimer::timeout, this, &TDongleDownload::MeasureTimerTimer);
    connect(form_->StatusCheckTimer, &QTimer::timeout, this, &TDongleDownload::StatusCheckTimerTimer);
}

TDongleDownload::~TDongleDownload()
{
    // The window's controls may be gone already: the reader drops the
    // reports it still hands over while it ends.
    ReaderThread.reset();
    for (TJvHidDevice *&dev : DevList)
        HidCtl->CheckIn(dev);
}

void TDongleDownload::SetTimerPeriods(int ms)
{
    form_->MeasureTimer->setInterval(ms);
    form_->StatusCheckTimer->setInterval(ms);
}

void TDongleDownload::DrawStatus(int picture)
{
    if (form_->DongleLinkStatusImageList)
        form_->DongleLinkStatusImageList->Draw(form_->DongleLinkStatusImage, picture);
}

void TDongleDownload::DrawStart(int picture)
{
    if (form_->StartBtnImageList)
        form_->StartBtnImageList->Draw(form_->mainStartImage, picture);
}

void TDongleDownload::ClearLog()
{
    logLines_.clear();
    logBytes_ = 0;
    shownLines_ = 0;
    form_->LogMemo->clear();
}

void TDongleDownload::ShowLogLines()
{
    if (shownLines_ >= logLines_.size())
        return;
    form_->LogMemo->appendPlainText(logLines_.mid(shownLines_).join('\n'));
    shownLines_ = logLines_.size();
}

// ---- Dongle link -------------------------------------------------------------

void TDongleDownload::HidCtlDeviceChange()
{
    EnumIndex = 0;
    StopButtonClick();
    for (TJvHidDevice *&dev : DevList)
        HidCtl->CheckIn(dev);
    DevList.clear();
    DrawStatus(StatusNoDongle);
    form_->DongleLinked = false;
    DrawStart(StartUnavailable);
    form_->mainStartImage->setEnabled(false);
    form_->CalenderPanel->repaint();
    StopButtonClick();
    form_->DevListBox->clear();
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
    form_->DevListBox->addItem(QString::asprintf("VID=%04X PID=%04X", device->VendorID(), device->ProductID()));
    DevList.push_back(dev);
    DrawStatus(StatusLinked);
    form_->DongleLinked = true;
    DrawStart(StartReady);
    form_->mainStartImage->setEnabled(true);
    form_->CalenderPanel->repaint();
    form_->DevListBox->setCurrentRow(EnumIndex);
    THIDPCaps caps;
    dev->GetCaps(caps);
    form_->InRepSizeEdit->setText(QString::number(caps.InputReportByteLength));
    form_->InRepCountEdit->clear();
    ++EnumIndex;
    return true;
}

// ---- Start and stop ----------------------------------------------------------

void TDongleDownload::StartButtonClick()
{
    ClearLog();
    const QList<QListWidgetItem *> selected = form_->DevListBox->selectedItems();
    const int row = selected.isEmpty() ? -1 : form_->DevListBox->row(selected.first());
    if (row < 0 || std::size_t(row) >= DevList.size()) {
        ShowMessage(form_, "You must select an USB HID device", "Error", QMessageBox::Critical, false);
        return;
    }
    // Two readers on one dongle would lose reports to each other. The start
    // picture keeps what the rider's button made it show.
    if (DownloadRunning) {
        const bool shows = StartShowsRunning;
        StopButtonClick();
        StartShowsRunning = shows;
    }
    ReportsThisTick = 0;
    ReportsTotal = 0;
    // A rule left running by a stopped download must not end this one
    // before its first report.
    form_->StatusCheckTimer->stop();
    IdleTicks = 0;
    LastLineCount = 0;
    form_->MeasureTimer->start();
    DevList[std::size_t(row)]->DiscardQueuedReports();
    ReaderThread = std::make_unique<TDevInThread>(DevList[std::size_t(row)], [this] { OnReport(); });
    form_->DevListBox->setEnabled(false);
    form_->StartButton->setEnabled(false);
    form_->StopButton->setEnabled(true);
    DownloadRunning = true;
    Progress.Start(clock_.elapsed());
    ProgressView->Begin(*form_->MultiLang);
    ProgressTimer->start();
}

void TDongleDownload::StopButtonClick()
{
    if (DownloadRunning) {
        DownloadRunning = false;
        form_->DevListBox->setEnabled(true);
        form_->StartButton->setEnabled(true);
        form_->StopButton->setEnabled(false);
        // Serves the reports handed over while it waits.
        ReaderThread->Stop();
        ReaderThread.reset();
        form_->MeasureTimer->stop();
        ProgressTimer->stop();
        ProgressTimerTimer();
        // Without a report nothing follows that would end the progress.
        if (Progress.Reports() == 0)
            ProgressView->hide();
    }
    StartShowsRunning = false;
}

void TDongleDownload::mainStartImageClick()
{
    if (StartShowsRunning) {
        DrawStart(StartReady);
        form_->CalenderPanel->repaint();
        QCoreApplication::processEvents();
        StartShowsRunning = false;
        StopButtonClick();
    } else {
        DrawStart(StartRunning);
        form_->CalenderPanel->repaint();
        QCoreApplication::processEvents();
        StartShowsRunning = true;
        StartButtonClick();
    }
}

// ---- Reports and the end of a transfer --------------------------------------

void TDongleDownload::OnReport()
{
    // Beyond the largest dump the decoder reads nothing more is kept: a
    // device that never pauses cannot fill the memory, and the transfer
    // ends by the rule three ticks later as one that failed.
    if (logBytes_ > filelimit::Dump)
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
    if (!form_->StatusCheckTimer->isActive())
        form_->StatusCheckTimer->start();
    IdleTicks = 0;
    ++ReportsThisTick;
}

void TDongleDownload::ProgressTimerTimer()
{
    ProgressView->Refresh(Progress, clock_.elapsed());
}

void TDongleDownload::MeasureTimerTimer()
{
    ReportsTotal += ReportsThisTick;
    form_->InRepCountEdit->setText(QString::number(ReportsTotal));
    ReportsThisTick = 0;
}

void TDongleDownload::StatusCheckTimerTimer()
{
    if (logLines_.size() == LastLineCount)
        ++IdleTicks;
    if (IdleTicks > 2) {
        form_->StatusCheckTimer->stop();
        IdleTicks = 0;
        StopButtonClick();
        // A report served while the reader stopped must not start the rule
        // again: it would end this transfer a second time.
        form_->StatusCheckTimer->stop();
        logLines_.removeAll(QString());
        form_->LogMemo->setPlainText(logLines_.join('\n'));
        shownLines_ = logLines_.size();
        std::vector<std::string> lines;
        lines.reserve(std::size_t(logLines_.size()));
        for (const QString &line : logLines_)
            lines.push_back(line.toStdString());
        // A dump that could not be saved must not leave the decoder an older
        // "Temp.txt" to file as this transfer's record.
        if (SaveLineFile(form_->AppFolder + "/Temp.txt", lines) != Saved::No)
            FinishTransfer();
        else
            FailTransfer();
    }
    LastLineCount = std::int32_t(logLines_.size());
}

bool TDongleDownload::FileRecord(const std::string &name, const std::string &target)
{
    const std::string source = form_->AppFolder + "/" + name;
    const std::string &folder = form_->DataBase->RiderFolder;
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

void TDongleDownload::ShowMonthOf(const std::string &name)
{
    if (name.size() < 4)
        return;
    bool yearOk = false, monthOk = false;
    const int year = QString::fromStdString(name.substr(0, 2)).toInt(&yearOk);
    const int month = QString::fromStdString(name.substr(2, 2)).toInt(&monthOk);
    // The date bytes come from the device unchecked: a month outside 1..12
    // leaves the shown month as it was.
    if (!yearOk || !monthOk || month < 1 || month > 12)
        return;
    form_->Shown.SetShownMonth(2000 + year, month);
    form_->FillCalendar();
}

void TDongleDownload::FailTransfer()
{
    ClearLog();
    DrawStart(form_->DongleLinked ? StartReady : StartUnavailable);
    ProgressView->End(Progress, false);
    form_->CalenderPanel->repaint();
    ShowMessage(form_, "TR900 data transfer Fail!", "info", QMessageBox::Information, true);
}

void TDongleDownload::FinishTransfer()
{
    auto decoder = std::make_unique<TTRAnalysis>([this](const std::string &text, const std::string &caption) {
        ShowMessage(form_, QString::fromStdString(text), QString::fromStdString(caption), QMessageBox::Information,
                true);
    });
    if (decoder->Decode(form_->AppFolder)) {
        FailTransfer();
        return;
    }
    DrawStart(form_->DongleLinked ? StartReady : StartUnavailable);
    ProgressView->End(Progress, true);
    form_->CalenderPanel->repaint();
    const std::string name = decoder->FileName;
    const std::string &folder = form_->DataBase->RiderFolder;
    bool filed = true;
    // On No the rider's file stays as it is and the new one in the
    // application folder; on Yes the new one takes the old one's name (in
    // whatever letter case: the record lists show "*.tr9" as well), so one
    // ride never lies twice in the folder.
    const std::string existing = folder.empty() ? std::string() : FindEntryNoCase(folder, name, EntryKind::Any);
    if (folder.empty() || existing.empty()
        || ShowMessage(form_, "File Exists! Over write?", "Worring", QMessageBox::Question, true,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes)
        filed = FileRecord(name, existing.empty() ? name : existing);
    ClearLog();
    ProgressView->hide();
    if (!filed) {
        ShowMessage(form_,
                QString("The record could not be copied into the rider's folder. It was kept as %1")
                    .arg(QString::fromStdString(form_->AppFolder + "/" + name)),
                "Error", QMessageBox::Warning, true);
        return;
    }
    form_->DataBase->ListRecordFiles(); // the summary's totals count it at once
    ShowMonthOf(name);
    ShowMessage(form_, "TR900 data transfer Ok!", "info", QMessageBox::Information, true);
}
