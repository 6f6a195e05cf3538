#pragma once
// The month calendar view: the shown month as six weeks of day pictures,
// Sunday first, the record days marked; month arrows; the rider photo and
// the download controls.
#include "draw/ViewPanel.h"

class TImage;
class TShownMonth;

class TCalenderPanel : public TViewPanel {
    Q_OBJECT
public:
    TCalenderPanel(QWidget *parent, const TShownMonth &shown);

    TImage *ArrowNLImage = nullptr;
    TImage *ArrowNRImage = nullptr;
    TImage *DongleLinkStatusImage = nullptr;
    TImage *mainStartImage = nullptr;

    // The month caption ("2012, March"); the day grid is redrawn when the
    // view is visible.
    void FillCalendar(const QString &yearMonth);

private:
    const TShownMonth &shown_;
};
