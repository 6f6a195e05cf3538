#pragma once
// The month calendar view: the shown month as six weeks of day pictures,
// Sunday first, the record days marked; month arrows; the rider photo and
// the download controls.
#include "draw/ViewPanel.h"

#include <array>
#include <memory>

class QLabel;
class TImage;
class TImageList;
class TShownMonth;

class TCalenderPanel : public TViewPanel {
    Q_OBJECT
public:
    TCalenderPanel(QWidget *parent, const TShownMonth &shown);
    // Paints the day pictures ahead of the first panel (they are shared).
    static void PaintPictures();
    ~TCalenderPanel() override;

    QLabel *YearMonthLab = nullptr;
    TImage *ArrowNLImage = nullptr;
    TImage *ArrowNRImage = nullptr;
    std::array<TImage *, 7> WeekImage{};  // WeekImage0 .. WeekImage6
    std::array<TImage *, 42> DayImage{};  // DayImage0 .. DayImage41
    TImage *DongleLinkStatusImage = nullptr;
    TImage *mainStartImage = nullptr;

    // 31 pictures of 90 x 70 each: a day of the shown month, one with
    // records, a day of another month.
    std::unique_ptr<TImageList> CalImageListNormal;
    std::unique_ptr<TImageList> CalImageListData;
    std::unique_ptr<TImageList> CalImageListCross;

    // The month caption ("2012, March"); the day grid is redrawn from the
    // shown month and its marks when the view is visible.
    void FillCalendar(const QString &yearMonth);

private:
    const TShownMonth &shown_;
};
