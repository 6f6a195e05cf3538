#pragma once
// The hidden diagnostic panel of the download: the USB HID devices found,
// the input report size and count, Start and Stop, and the received lines.
// Fixed English captions. It shows what its download tells and hands the
// rider's Start and Stop to it.
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TDongleDownload;

class TEngineerModePanel : public QWidget {
    Q_OBJECT
public:
    TEngineerModePanel(QWidget *parent, TDongleDownload &download);

    // The row chosen in the device list, -1 when none is.
    int SelectedDevice() const;

    void StartButtonClick();
    void StopButtonClick();

private:
    void CreateControls();
    void ConnectDownload();

    TDongleDownload &download_;
    QLabel *Label1 = nullptr;
    QListWidget *DevListBox = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *InRepSizeEdit = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLineEdit *InRepCountEdit = nullptr;
    QLabel *Label13 = nullptr;
    QPushButton *StartButton = nullptr;
    QPushButton *StopButton = nullptr;
    QPlainTextEdit *LogMemo = nullptr;
};
