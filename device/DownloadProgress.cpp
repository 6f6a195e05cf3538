#include "device/DownloadProgress.h"

#include "device/Download.h"
#include "device/TransferProgress.h"
#include "lang/Multilan.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

TDownloadProgress::TDownloadProgress(QWidget *parent) : QWidget(parent)
{
    setObjectName("DownloadProgress");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("#DownloadProgress { background: rgba(32, 32, 32, 170); border: 1px solid white;"
                  " border-radius: 6px; }"
                  "QLabel { color: white; background: transparent; }"
                  "QProgressBar { border: 1px solid white; border-radius: 4px; background: #2a2a2a;"
                  " color: white; text-align: center; height: 14px; }"
                  "QProgressBar::chunk { background: #E79333; border-radius: 3px; }");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    DownloadProgressLab = new QLabel(this);
    DownloadProgressLab->setObjectName("DownloadProgressLab");
    DownloadProgressLab->setWordWrap(true);
    QFont small = DownloadProgressLab->font();
    small.setPixelSize(11);
    DownloadProgressLab->setFont(small);
    DownloadProgressBar = new QProgressBar(this);
    DownloadProgressBar->setObjectName("DownloadProgressBar");
    DownloadProgressBar->setFont(small);
    layout->addWidget(DownloadProgressLab);
    layout->addWidget(DownloadProgressBar);
    hide();
}

TDownloadProgress::TDownloadProgress(QWidget *parent, const TDongleDownload &download, const MultiLanguage &lang)
    : TDownloadProgress(parent)
{
    const TDongleDownload *d = &download;
    connect(d, &TDongleDownload::ProgressBegun, this, [this, &lang] { Begin(lang); });
    connect(d, &TDongleDownload::ProgressChanged, this, &TDownloadProgress::Refresh);
    connect(d, &TDongleDownload::ProgressEnded, this, &TDownloadProgress::End);
    connect(d, &TDongleDownload::ProgressHidden, this, &QWidget::hide);
}

void TDownloadProgress::Begin(const MultiLanguage &lang)
{
    waiting_ = lang.CL("Waiting for the device...");
    receiving_ = lang.CL("Receiving...");
    lines_ = lang.CL("%1 of %2 lines");
    reports_ = lang.CL("%1 reports");
    left_ = lang.CL("about %1 left");
    complete_ = lang.CL("Transfer complete");
    stopped_ = lang.CL("Transfer stopped");
    DownloadProgressBar->setRange(0, 0);
    DownloadProgressLab->setText(waiting_);
    show();
    raise();
}

void TDownloadProgress::Refresh(const TTransferProgress &progress, std::int64_t nowMs)
{
    const int percent = progress.Percent();
    const QString reports = reports_.arg(progress.Reports());
    if (percent < 0) {
        DownloadProgressBar->setRange(0, 0);
        DownloadProgressLab->setText(progress.Reports() == 0 ? waiting_ : receiving_ + "\n" + reports);
        return;
    }
    DownloadProgressBar->setRange(0, 100);
    DownloadProgressBar->setValue(percent);
    QString text = lines_.arg(progress.ReceivedLines()).arg(progress.AnnouncedLines()) + "\n" + reports;
    if (const int left = progress.SecondsLeft(nowMs); left >= 0)
        text += ", " + left_.arg(QString::asprintf("%d:%02d", left / 60, left % 60));
    DownloadProgressLab->setText(text);
}

void TDownloadProgress::End(const TTransferProgress &progress, bool succeeded)
{
    DownloadProgressBar->setRange(0, 100);
    if (succeeded) {
        DownloadProgressBar->setValue(100);
        DownloadProgressLab->setText(complete_);
    } else {
        DownloadProgressBar->setValue(std::max(0, progress.Percent()));
        DownloadProgressLab->setText(stopped_ + "\n" + reports_.arg(progress.Reports()));
    }
    repaint();
}
