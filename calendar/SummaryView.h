#pragma once
// The summary view: totals of duration, distance and calories over a day,
// a week row or a month, chosen with three mode pictures; each mode has its
// own sub-panel (day grid, week grid with check boxes, month tiles).
#include "calendar/DayFaces.h"
#include "draw/ViewPanel.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;
class TImage;
class TImageList;
class MultiLanguage;
class TKorvanDataBase;
class TShownMonth;
struct TSumTotals;

class TSummaryPanel : public TViewPanel {
    Q_OBJECT
public:
    TSummaryPanel(QWidget *parent, TShownMonth &shown, TKorvanDataBase &db);
    // Paints the day pictures ahead of the first panel (they are shared).
    static void PaintPictures();
    ~TSummaryPanel() override;

    // Shows the sub-panel of mode 0 day, 1 week, 2 month.
    void ShowSummaryMode(std::int16_t mode);
    void DrawModeRadios(std::int16_t mode);
    void DrawModeHover(std::int16_t mode);
    // The twelve tiles in their plain faces.
    void DrawMonthTiles();
    // The month captions; the visible day or week grid is redrawn.
    void FillCalendar(const QString &yearMonth);
    // After a month step: the totals back to zero, no week chosen.
    void ResetTotals();
    // The month names of the tiles (January first), in the chosen language.
    void SetMonthNames(const QStringList &names);
    // The totals' captions in the chosen language, each centred on its
    // column in its own font.
    void RefreshCaptions(const MultiLanguage &lang);
    // True while a mode picture shows its hover face.
    bool AnyModeHover() const;
    // The pointer moved somewhere in the program: a hover face is to go.
    void PointerMoved();
    // The month arrows of the day, week and month sub-panels, left then
    // right of each: the main window gives them the hover and pressed faces
    // they share with the calendar's arrows.
    std::array<TImage *, 6> MonthArrows() const;

    // Handlers.
    void SummyShowModeImgClick(TImage *sender);
    void SummyShowModeImgMouseMove(TImage *sender);
    void CleanSummaryMoveInIMGTimerTimer();
    void Sum_Date_ImageClick(TImage *sender);
    void WeekCBMouseUp(int row);
    void MonthImageClick(TImage *sender);
    void SumMArrowNLImageClick();
    void SumMArrowNRImageClick();

signals:
    // The marks and every visible grid are to be refreshed (FillCalendar).
    void FillCalendarRequested();
    // The month picture beside the mode pictures was double-clicked.
    void MonthPictureDoubleClicked();
    // A month arrow of the day or week grid was clicked: the shown month is
    // to step by delta.
    void MonthStepRequested(int delta);
    // The Training mode was chosen (true) or another mode after it (false).
    void TrainingModeChanged(bool chosen);

private:
    std::array<bool, 3> ModeSelected{true, false, false}; // day, week, month
    std::array<bool, 3> ModeHover{};

    // Mode pictures (tags 0 day, 1 week, 2 month) and the pictures beside them.
    TImage *SummyShowModeImgDate = nullptr;
    TImage *SummyShowModeImgWeek = nullptr;
    TImage *SummyShowModeImgMonth = nullptr;
    TImage *SumShowImgDate = nullptr;
    TImage *SumShowImgWeek = nullptr;
    TImage *SumShowImgMonth = nullptr;
    // The fourth mode below Month: the Training panel, which the main
    // window lays over the sub-panels and totals while it is chosen.
    TImage *SummyShowModeImgTraining = nullptr;
    TImage *SumShowImgTraining = nullptr;
    bool TrainingSelected = false;
    bool TrainingHover = false;

    // Totals.
    QLineEdit *Sum_Dura_Edit = nullptr;
    QLineEdit *Sum_Dist_Edit = nullptr;
    QLineEdit *Sum_Calo_Edit = nullptr;
    QLabel *lblSum_Dura = nullptr;
    QLabel *lblSum_Dist = nullptr;
    QLabel *lblSum_Kcal = nullptr;
    TImage *Image1 = nullptr;
    TImage *Image2 = nullptr;
    TImage *Image3 = nullptr;

    // Day mode.
    QWidget *SummaryDatePanel = nullptr;
    QLabel *SumDay_YearMonthLab = nullptr;
    TImage *SumDArrowNLImage = nullptr;
    TImage *SumDArrowNRImage = nullptr;
    std::array<TImage *, 7> SummaryWeekDImage{};
    std::array<TImage *, 42> Sum_Date_Image{};

    // Week mode.
    QWidget *SummaryWeekPanel = nullptr;
    QLabel *SumWeek_YearMonthLab = nullptr;
    TImage *SumWArrowNLImage = nullptr;
    TImage *SumWArrowNRImage = nullptr;
    std::array<TImage *, 7> SummaryWeekWImage{};
    std::array<TImage *, 42> Sum_Week_Image{};
    std::array<QCheckBox *, 6> WeekCB{};
    QWidget *WeekBGShape = nullptr;

    // Month mode.
    QWidget *SummaryMonthPanel = nullptr;
    QLabel *MonthPanelYearLabel = nullptr;
    TImage *SumMArrowNLImage = nullptr;
    TImage *SumMArrowNRImage = nullptr;
    std::array<TImage *, 12> MonthImage{}; // MonthImage01 .. MonthImage12

    // Picture lists: days 75 x 58 (shown month without / with records,
    // other month without / with records, chosen day), mode faces 28 x 28
    // (0 not chosen, 1 chosen, 2 hover), month tiles 120 x 100.
    std::unique_ptr<TImageList> Sm_Space_ImageList;
    std::unique_ptr<TImageList> Sm_Sport_ImageList;
    std::unique_ptr<TImageList> Sm_ExtSpace_ImageList;
    std::unique_ptr<TImageList> Sm_ExtSport_ImageList;
    std::unique_ptr<TImageList> Sm_Click_ImageList;
    std::unique_ptr<TImageList> MonthImageList;
    const TImageList *RadioImgList = nullptr;

    QTimer *CleanSummaryMoveInIMGTimer = nullptr; // 50 ms, off

    void CreateModeControls();
    void CreateTrainingMode();
    void TrainingModeClick();
    void CreateTotals();
    void CreateDayPanel();
    void CreateWeekPanel();
    void CreateMonthPanel();
    void ConnectHandlers();
    void DrawDayGrid(const std::array<TImage *, 42> &cells, bool otherMonthRecords);
    void ShowTotals(const TSumTotals &totals);
    void YearStep(int delta);
    std::array<TImage *, 3> ModePictures() const;
    // Tells each mode picture whether it is the chosen one (screen readers).
    void MarkChosenMode();

    TShownMonth &shown_;
    TKorvanDataBase &db_;
    QStringList monthNames_;  // the names on the month tiles
    TCellWords cellWords_;    // what the day cells say to a screen reader
    // The keyboard: Tab order, grids walked with the arrow keys, names.
    void MakeKeyboardControls();
    std::array<int, 3> captionHome_{}; // left edges of the totals' caption columns
};
