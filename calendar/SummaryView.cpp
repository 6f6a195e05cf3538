// The summary view's controls and their places.
#include "calendar/SummaryView.h"

#include "calendar/DayFaces.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/FocusRing.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "lang/Multilan.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <functional>

namespace {

// The sub-panels lie right of the photo column; inside them the caption
// with its arrows, the weekday headings and the grid of 75 x 58 cells on a
// 83 x 72 pitch (the week band of a row starts 7 above its cells).
const QRect kSubPanel(292, 8, 640, 532);
constexpr int kCellW = 75, kCellH = 58, kPitchX = 83, kPitchY = 72;
constexpr int kGridLeft = 44, kGridTop = 103, kHeadTop = 66, kHeadH = 24, kCaptionTop = 16;
constexpr int kCentre = kGridLeft + (6 * kPitchX + kCellW) / 2;
// The totals row under the grid: one column per total, centred on these x.
constexpr int kTotalsCentre[3] = {412, 612, 812};
constexpr int kTotalsLabelTop = 552, kTotalsBoxTop = 574;
// The mode pictures in the left column, under the rider's ID.
constexpr int kModeTop = 256, kModePitch = 44;

QLabel *Caption(QWidget *panel, const char *name)
{
    QLabel *label = NewLabel(panel, name, QString(), QRect(kCentre - 140, kCaptionTop, 280, 36));
    StyleMonthCaption(label, 20);
    return label;
}

TImage *Arrow(QWidget *panel, const char *name, bool right)
{
    TImage *arrow = NewPicture(panel, name, QRect(right ? kCentre + 152 : kCentre - 176, kCaptionTop + 4, 24, 28));
    arrow->setCursor(Qt::PointingHandCursor);
    return arrow;
}

// Weekday headings and the 42 cells, named prefix + number, tag = number.
void Grid(QWidget *panel, const char *headPrefix, std::array<TImage *, 7> &heads, const char *cellPrefix,
          std::array<TImage *, 42> &cells)
{
    const TImageList headings = WeekdayPictures(kCellW, kHeadH);
    for (int c = 0; c < 7; ++c) {
        const QByteArray name = headPrefix + QByteArray::number(c);
        heads[c] = NewPicture(panel, name.constData(), QRect(kGridLeft + c * kPitchX, kHeadTop, kCellW, kHeadH));
        headings.Draw(heads[c], c);
    }
    for (int k = 0; k < 42; ++k) {
        const QByteArray name = cellPrefix + QByteArray::number(k);
        cells[k] = NewPicture(panel, name.constData(),
                              QRect(kGridLeft + k % 7 * kPitchX, kGridTop + k / 7 * kPitchY, kCellW, kCellH));
        cells[k]->Tag = k;
    }
}

} // namespace

TSummaryPanel::TSummaryPanel(QWidget *parent, TShownMonth &shown, TKorvanDataBase &db)
    : TViewPanel(parent, "SummaryPanel", "SummaryImage", "SummaryAccountImage"),
      Sm_Space_ImageList(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Plain))),
      Sm_Sport_ImageList(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Records))),
      Sm_ExtSpace_ImageList(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Other))),
      Sm_ExtSport_ImageList(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::OtherRecords))),
      Sm_Click_ImageList(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Chosen))),
      MonthImageList(std::make_unique<TImageList>()), RadioImgList(&AssetList("RadioImgList")), shown_(shown),
      db_(db)
{
    CreateModeControls();
    CreateTrainingMode();
    CreateTotals();
    CreateDayPanel();
    CreateWeekPanel();
    CreateMonthPanel();
    // The three sub-panels lie on one another.
    SummaryWeekPanel->setGeometry(SummaryDatePanel->geometry());
    SummaryMonthPanel->setGeometry(SummaryDatePanel->geometry());
    SetMonthNames(MonthNamesIn(nullptr));
    CleanSummaryMoveInIMGTimer = NewTimer(this, "CleanSummaryMoveInIMGTimer", 50);
    ConnectHandlers();
    MakeKeyboardControls();
    DrawModeRadios(0);
}

void TSummaryPanel::MakeKeyboardControls()
{
    const char *const modes[3] = {"Day", "Week", "Month"};
    const std::array<TImage *, 3> pictures = ModePictures();
    for (int t = 0; t < 3; ++t)
        pictures[std::size_t(t)]->MakeControl(QString::fromLatin1(modes[t]), QAccessible::RadioButton);
    // The Training picture is the fourth of the same grid.
    SummyShowModeImgTraining->MakeControl(QStringLiteral("Training"), QAccessible::RadioButton);
    std::vector<QWidget *> modeGrid(pictures.begin(), pictures.end());
    modeGrid.push_back(SummyShowModeImgTraining);
    new TFocusGrid(this, modeGrid, 1);
    MarkChosenMode();
    for (TImage *arrow : MonthArrows())
        arrow->MakeControl(QString());
    for (TImage *cell : Sum_Date_Image)
        cell->MakeControl(QString(), QAccessible::Cell);
    new TFocusGrid(this, std::vector<QWidget *>(Sum_Date_Image.begin(), Sum_Date_Image.end()), 7);
    // The week grid only shows; its check boxes choose.
    for (TImage *cell : Sum_Week_Image)
        cell->AccessibleRole = QAccessible::Cell;
    new TFocusGrid(this, std::vector<QWidget *>(WeekCB.begin(), WeekCB.end()), 1);
    for (int t = 0; t < 12; ++t)
        MonthImage[std::size_t(t)]->MakeControl(monthNames_.value(t));
    new TFocusGrid(this, std::vector<QWidget *>(MonthImage.begin(), MonthImage.end()), 4);
}

TSummaryPanel::~TSummaryPanel() = default;

void TSummaryPanel::PaintPictures()
{
    for (DayStyle style :
         {DayStyle::Plain, DayStyle::Records, DayStyle::Other, DayStyle::OtherRecords, DayStyle::Chosen})
        DayPictures(kCellW, kCellH, style);
    WeekdayPictures(kCellW, kHeadH);
    MonthTilePictures(MonthNamesIn(nullptr));
}

void TSummaryPanel::CreateModeControls()
{
    const char *const modes[3] = {"SummyShowModeImgDate", "SummyShowModeImgWeek", "SummyShowModeImgMonth"};
    const char *const beside[3] = {"SumShowImgDate", "SumShowImgWeek", "SumShowImgMonth"};
    const char *const captions[3] = {"Day", "Week", "Month"};
    TImage **radios[3] = {&SummyShowModeImgDate, &SummyShowModeImgWeek, &SummyShowModeImgMonth};
    TImage **pictures[3] = {&SumShowImgDate, &SumShowImgWeek, &SumShowImgMonth};
    for (int t = 0; t < 3; ++t) {
        const int top = kModeTop + t * kModePitch;
        *radios[t] = NewPicture(this, modes[t], QRect(40, top, 28, 28));
        (*radios[t])->Tag = t;
        (*radios[t])->setCursor(Qt::PointingHandCursor);
        *pictures[t] = NewPicture(this, beside[t], QRect(78, top, 100, 28));
        (*pictures[t])->SetPicture(CaptionPicture(100, 28, QString::fromLatin1(captions[t])));
    }
}

void TSummaryPanel::CreateTrainingMode()
{
    const int top = kModeTop + 3 * kModePitch;
    SummyShowModeImgTraining = NewPicture(this, "SummyShowModeImgTraining", QRect(40, top, 28, 28));
    SummyShowModeImgTraining->Tag = 3;
    SummyShowModeImgTraining->setCursor(Qt::PointingHandCursor);
    SumShowImgTraining = NewPicture(this, "SumShowImgTraining", QRect(78, top, 100, 28));
    SumShowImgTraining->SetPicture(CaptionPicture(100, 28, QStringLiteral("Training")));
    RadioImgList->Draw(SummyShowModeImgTraining, 0);
    connect(SummyShowModeImgTraining, &TImage::clicked, this, &TSummaryPanel::TrainingModeClick);
    connect(SummyShowModeImgTraining, &TImage::mouseMoved, this, [this] {
        CleanSummaryMoveInIMGTimer->stop();
        if (!TrainingSelected && !TrainingHover)
            RadioImgList->Draw(SummyShowModeImgTraining, 2);
        TrainingHover = true;
    });
}

void TSummaryPanel::TrainingModeClick()
{
    DrawModeRadios(-1);
    RadioImgList->Draw(SummyShowModeImgTraining, 1);
    ModeSelected = {false, false, false};
    ModeHover = {false, false, false};
    TrainingHover = false;
    if (!TrainingSelected) {
        TrainingSelected = true;
        MarkChosenMode();
        emit TrainingModeChanged(true);
    }
}

void TSummaryPanel::CreateTotals()
{
    struct Total { QLineEdit *TSummaryPanel::*box; QLabel *TSummaryPanel::*label; TImage *TSummaryPanel::*icon;
                   const char *boxName, *labelName, *iconName, *caption, *text; };
    const Total totals[3] = {
        {&TSummaryPanel::Sum_Dura_Edit, &TSummaryPanel::lblSum_Dura, &TSummaryPanel::Image1, "Sum_Dura_Edit",
         "lblSum_Dura", "Image1", "Duration", "00:00:00"},
        {&TSummaryPanel::Sum_Dist_Edit, &TSummaryPanel::lblSum_Dist, &TSummaryPanel::Image2, "Sum_Dist_Edit",
         "lblSum_Dist", "Image2", "Distance", "0 KM"},
        {&TSummaryPanel::Sum_Calo_Edit, &TSummaryPanel::lblSum_Kcal, &TSummaryPanel::Image3, "Sum_Calo_Edit",
         "lblSum_Kcal", "Image3", "KCAL", "0 KCal"},
    };
    NewPlate(this, "TotalsPlate", QRect(kTotalsCentre[0] - 130, kTotalsLabelTop - 8, 624, 70));
    for (int i = 0; i < 3; ++i) {
        const Total &t = totals[i];
        const int centre = kTotalsCentre[i];
        // The caption is centred on its 75-pixel column when the language
        // changes; the box and the icon stand under it.
        QLabel *label = NewLabel(this, t.labelName, QString::fromLatin1(t.caption),
                                 QRect(centre - 37, kTotalsLabelTop, 75, 20));
        label->setAlignment(Qt::AlignCenter);
        SetBold(label);
        captionHome_[std::size_t(i)] = label->x();
        auto *box = new QLineEdit(QString::fromLatin1(t.text), this);
        box->setObjectName(QString::fromLatin1(t.boxName));
        box->setGeometry(centre - 70, kTotalsBoxTop, 140, 30);
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignCenter);
        box->setFocusPolicy(Qt::NoFocus);
        QFont font = box->font();
        font.setPixelSize(16);
        font.setBold(true);
        box->setFont(font);
        TImage *icon = NewPicture(this, t.iconName, QRect(centre - 106, kTotalsBoxTop + 1, 28, 28));
        icon->SetPicture(TotalsIcon(i));
        this->*t.box = box;
        this->*t.label = label;
        this->*t.icon = icon;
    }
}

void TSummaryPanel::CreateDayPanel()
{
    SummaryDatePanel = NewPanel(this, "SummaryDatePanel", kSubPanel);
    SumDay_YearMonthLab = Caption(SummaryDatePanel, "SumDay_YearMonthLab");
    SumDArrowNLImage = Arrow(SummaryDatePanel, "SumDArrowNLImage", false);
    SumDArrowNRImage = Arrow(SummaryDatePanel, "SumDArrowNRImage", true);
    Grid(SummaryDatePanel, "SummaryWeekDImage", SummaryWeekDImage, "Sum_Date_Image", Sum_Date_Image);
    for (TImage *cell : Sum_Date_Image)
        cell->setCursor(Qt::PointingHandCursor);
}

void TSummaryPanel::CreateWeekPanel()
{
    SummaryWeekPanel = NewPanel(this, "SummaryWeekPanel", kSubPanel);
    SumWeek_YearMonthLab = Caption(SummaryWeekPanel, "SumWeek_YearMonthLab");
    SumWArrowNLImage = Arrow(SummaryWeekPanel, "SumWArrowNLImage", false);
    SumWArrowNRImage = Arrow(SummaryWeekPanel, "SumWArrowNRImage", true);
    // The band lies under the cells of the chosen row.
    WeekBGShape = new QWidget(SummaryWeekPanel);
    WeekBGShape->setObjectName("WeekBGShape");
    WeekBGShape->setAttribute(Qt::WA_StyledBackground);
    WeekBGShape->setStyleSheet("#WeekBGShape { background: #E79333; border: none; border-radius: 12px; }");
    WeekBGShape->setGeometry(kGridLeft - 10, 96, 593, 73);
    WeekBGShape->hide();
    Grid(SummaryWeekPanel, "SummaryWeekWImage", SummaryWeekWImage, "Sum_Week_Image", Sum_Week_Image);
    for (int r = 0; r < 6; ++r) {
        auto *box = new QCheckBox(SummaryWeekPanel);
        box->setObjectName(QStringLiteral("WeekCB%1").arg(r));
        box->setGeometry(6, kGridTop + r * kPitchY + (kCellH - 22) / 2, 22, 22);
        box->setCursor(Qt::PointingHandCursor);
        WeekCB[r] = box;
    }
}

void TSummaryPanel::CreateMonthPanel()
{
    SummaryMonthPanel = NewPanel(this, "SummaryMonthPanel", kSubPanel);
    MonthPanelYearLabel = Caption(SummaryMonthPanel, "MonthPanelYearLabel");
    SumMArrowNLImage = Arrow(SummaryMonthPanel, "SumMArrowNLImage", false);
    SumMArrowNRImage = Arrow(SummaryMonthPanel, "SumMArrowNRImage", true);
    // Four columns of three rows, centred under the caption.
    for (int t = 0; t < 12; ++t) {
        const QByteArray name = QByteArray("MonthImage") + (t < 9 ? "0" : "") + QByteArray::number(t + 1);
        MonthImage[t] = NewPicture(SummaryMonthPanel, name.constData(),
                                   QRect(kCentre - 264 + t % 4 * 136, 123 + t / 4 * 120, 120, 100));
        MonthImage[t]->Tag = t;
        MonthImage[t]->setCursor(Qt::PointingHandCursor);
    }
}

void TSummaryPanel::ConnectHandlers()
{
    for (TImage *mode : ModePictures()) {
        connect(mode, &TImage::clicked, this, &TSummaryPanel::SummyShowModeImgClick);
        connect(mode, &TImage::mouseMoved, this, &TSummaryPanel::SummyShowModeImgMouseMove);
    }
    connect(CleanSummaryMoveInIMGTimer, &QTimer::timeout, this, &TSummaryPanel::CleanSummaryMoveInIMGTimerTimer);
    for (TImage *cell : Sum_Date_Image)
        connect(cell, &TImage::clicked, this, &TSummaryPanel::Sum_Date_ImageClick);
    for (int r = 0; r < 6; ++r)
        connect(WeekCB[r], &QCheckBox::clicked, this, [this, r] { WeekCBMouseUp(r); });
    for (TImage *tile : MonthImage)
        connect(tile, &TImage::clicked, this, &TSummaryPanel::MonthImageClick);
    connect(SumMArrowNLImage, &TImage::clicked, this, &TSummaryPanel::SumMArrowNLImageClick);
    connect(SumMArrowNRImage, &TImage::clicked, this, &TSummaryPanel::SumMArrowNRImageClick);
    connect(SumShowImgMonth, &TImage::doubleClicked, this, &TSummaryPanel::MonthPictureDoubleClicked);
    for (TImage *arrow : {SumDArrowNLImage, SumWArrowNLImage})
        connect(arrow, &TImage::clicked, this, [this] { emit MonthStepRequested(-1); });
    for (TImage *arrow : {SumDArrowNRImage, SumWArrowNRImage})
        connect(arrow, &TImage::clicked, this, [this] { emit MonthStepRequested(+1); });
}

std::array<TImage *, 3> TSummaryPanel::ModePictures() const
{
    return {SummyShowModeImgDate, SummyShowModeImgWeek, SummyShowModeImgMonth};
}

void TSummaryPanel::SetMonthNames(const QStringList &names)
{
    // The same names again (English at every start): the tiles stand.
    if (names == monthNames_ && MonthImageList->Count() > 0)
        return;
    monthNames_ = names;
    *MonthImageList = MonthTilePictures(names);
    for (int t = 0; t < 12; ++t)
        MonthImage[std::size_t(t)]->setAccessibleName(names.value(t));
    // Each tile keeps its face, plain or highlighted, in the new language.
    for (TImage *tile : MonthImage)
        if (tile->ShownList == MonthImageList.get())
            MonthImageList->Draw(tile, tile->ShownIndex);
}

void TSummaryPanel::RefreshCaptions(const MultiLanguage &lang)
{
    const std::array<QLabel *, 3> labels = {lblSum_Dura, lblSum_Dist, lblSum_Kcal};
    const std::array<const char *, 3> keys = {"Duration", "Distance", "KCAL"};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setText(lang.CL(keys[i]));
        CentreOnColumn(labels[i], captionHome_[i]);
    }
    const std::array<QLineEdit *, 3> boxes = {Sum_Dura_Edit, Sum_Dist_Edit, Sum_Calo_Edit};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setAccessibleName(lang.CL(keys[i]));
    const std::array<TImage *, 3> modes = ModePictures();
    const std::array<const char *, 3> modeKeys = {"Day", "Week", "Month"};
    for (std::size_t t = 0; t < modes.size(); ++t)
        modes[t]->setAccessibleName(lang.CL(modeKeys[t]));
    SummyShowModeImgTraining->setAccessibleName(lang.CL("Training"));
    // MonthArrows: left, right of the day, week and month sub-panels.
    const std::array<const char *, 6> arrowKeys = {"Previous month", "Next month", "Previous month",
                                                   "Next month",     "Previous year", "Next year"};
    const std::array<TImage *, 6> arrows = MonthArrows();
    for (std::size_t i = 0; i < arrows.size(); ++i)
        arrows[i]->setAccessibleName(lang.CL(arrowKeys[i]));
    cellWords_.Refresh(lang);
    NameDayCells(Sum_Date_Image, shown_, cellWords_);
    NameDayCells(Sum_Week_Image, shown_, cellWords_);
}

void TSummaryPanel::PointerMoved()
{
    // Turning on a running timer must not restart its period.
    if (AnyModeHover() && !CleanSummaryMoveInIMGTimer->isActive())
        CleanSummaryMoveInIMGTimer->start();
}

std::array<TImage *, 6> TSummaryPanel::MonthArrows() const
{
    return {SumDArrowNLImage, SumDArrowNRImage, SumWArrowNLImage, SumWArrowNRImage, SumMArrowNLImage, SumMArrowNRImage};
}
