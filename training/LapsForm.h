#pragma once
// The laps and zones of one ride (a window of its own): the lap table in
// the record's units, the time in zones as a bar with minutes and percent,
// the load, the moving time and the ride's bests. It prints (the printer
// dialog; a PDF file where no printer is set up) and copies the table as
// text.
#include "ride/Ride.h"
#include "training/RideMetrics.h"

#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QTableWidget;
class MultiLanguage;
class TZoneBar;

class TLapsForm : public QWidget {
    Q_OBJECT
public:
    TLapsForm(QWidget *parent, const MultiLanguage *lang);

    // Shows the record file at recordPath, its figures with the profile of
    // its folder. False (with the reason shown) when it cannot be read.
    bool ShowRide(const std::string &recordPath);
    // The table as tab-separated text, also put on the clipboard by CopyBtn.
    QString TableText() const;
    // Paints the window's content onto a printer or PDF.
    void Print();

    // Where the print goes: a test sets a PDF file; empty asks the rider.
    static QString PdfFile;

    QTableWidget *LapTable = nullptr;
    QLabel *NoLapsLab = nullptr;
    TZoneBar *ZoneBar = nullptr;
    QLabel *RideFiguresLab = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *CopyBtn = nullptr;
    QPushButton *CloseBtn = nullptr;

private:
    QString C(const char *english) const;

    const MultiLanguage *lang_;
    Ride ride_;
    RideMetrics metrics_;
};
