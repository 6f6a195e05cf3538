#pragma once
// The download's progress, shown on the calendar view beside the download
// controls: "Waiting for the device..." with a busy bar until the header
// has come, then the share of the announced data received, the reports
// counted and the time left; full at the end, or where a failed transfer
// stopped.
#include <QWidget>

#include <cstdint>

class MultiLanguage;
class QLabel;
class QProgressBar;
class TDongleDownload;
class TTransferProgress;

class TDownloadProgress : public QWidget {
    Q_OBJECT
public:
    explicit TDownloadProgress(QWidget *parent);
    // Shows the transfers of download, its captions in lang's language.
    TDownloadProgress(QWidget *parent, const TDongleDownload &download, const MultiLanguage &lang);

    // A transfer starts: captions in the chosen language, busy bar, shown.
    void Begin(const MultiLanguage &lang);
    // Shows the state of progress at nowMs.
    void Refresh(const TTransferProgress &progress, std::int64_t nowMs);
    // The transfer ended: a full bar when it gave a record, else the bar
    // stays where it stopped.
    void End(const TTransferProgress &progress, bool succeeded);

private:
    QLabel *DownloadProgressLab = nullptr;
    QProgressBar *DownloadProgressBar = nullptr;
    QString waiting_, receiving_, lines_, reports_, left_, complete_, stopped_;
};
