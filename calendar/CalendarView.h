#pragma once
// The month calendar view: the shown month as six weeks of day pictures,
// Sunday first, the record days marked; month arrows; the rider photo and
// the download controls.
#include "calendar/DayFaces.h"
#include "draw/ViewPanel.h"

#include <array>
#include <memory>

class QLabel;
class TImage;
class TImageList;
class MultiLanguage;
class TShownMonth;

class TCalenderPanel : public TViewPanel {
    Q_OBJECT
public:
    TCalenderPanel(QWidget *parent, const TShownMonth &shown);
    // Paints the day pictures ahead of the first panel (they are shared).
    static void PaintPictures();
    ~TCalenderPanel() override;

    // 31 pictures of 90 x 70 each: a day of the shown month, one with
    // records, a day of another month.
    std::unique_ptr<TImageList> CalImageListNormal;
    std::unique_ptr<TImageList> CalImageListData;
    std::unique_ptr<TImageList> CalImageListCross;

    // The month caption ("2012, March"); the day grid is redrawn from the
    // shown month and its marks when the view is visible.
    void FillCalendar(const QString &yearMonth);

    // Frames the grid row that holds day of the shown month (a week chosen
    // elsewhere), until the calendar shows another month.
    void MarkWeek(int day);
    // The download controls: shown once a rider has logged in; the status
    // and start pictures of a linked or missing dongle; the start picture's
    // face (TDongleDownload::StartFace).
    void ShowDownloadControls(bool visible);
    void ShowDongleLinked(bool linked);
    void ShowStartFace(int face);
    // The download's progress view takes its place beside the controls.
    void PlaceDownloadProgress(QWidget *view);
    // The pictures' captions and tooltips in the chosen language.
    void RefreshCaptions(const MultiLanguage &lang);

    void mainStartImageClick();
    // The month arrows, left then right: the main window gives them the
    // hover and pressed faces they share with the summary's arrows.
    std::array<TImage *, 2> MonthArrows() const { return {ArrowNLImage, ArrowNRImage}; }

signals:
    // An arrow was clicked: the shown month is to step by delta.
    void MonthStepRequested(int delta);
    // The rider pressed the start picture.
    void StartImageClicked();

private:
    QLabel *YearMonthLab = nullptr;
    TImage *ArrowNLImage = nullptr;
    TImage *ArrowNRImage = nullptr;
    std::array<TImage *, 7> WeekImage{};  // WeekImage0 .. WeekImage6
    std::array<TImage *, 42> DayImage{};  // DayImage0 .. DayImage41
    TImage *DongleLinkStatusImage = nullptr;
    TImage *mainStartImage = nullptr;
    QWidget *ChosenWeekFrame = nullptr;   // the frame of MarkWeek
    int markedMonth_ = -1;                // year * 12 + month it belongs to
    const TShownMonth &shown_;
    TCellWords cellWords_;
    const TImageList *DongleLinkStatusImageList = nullptr;
    const TImageList *StartBtnImageList = nullptr;
};
