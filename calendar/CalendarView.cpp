#include "calendar/CalendarView.h"

#include "calendar/DayFaces.h"
#include "calendar/ShownMonth.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/Faces.h"
#include "draw/FocusRing.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "lang/Multilan.h"

#include <QLabel>

namespace {

// The grid right of the photo column: 7 x 6 cells of 90 x 70, 6 apart,
// under the weekday headings and the month caption with its arrows.
constexpr int kCellW = 90, kCellH = 70, kGap = 6;
constexpr int kGridLeft = 279, kGridTop = 128, kHeadTop = 92, kHeadH = 30, kCaptionTop = 40;
constexpr int kGridCentre = kGridLeft + (7 * kCellW + 6 * kGap) / 2;

} // namespace

TCalenderPanel::TCalenderPanel(QWidget *parent, const TShownMonth &shown)
    : TViewPanel(parent, "CalenderPanel", "CalenderBGImage", "CalAccountImage"),
      CalImageListNormal(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Plain))),
      CalImageListData(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Records))),
      CalImageListCross(std::make_unique<TImageList>(DayPictures(kCellW, kCellH, DayStyle::Other))), shown_(shown)
{
    YearMonthLab = NewLabel(this, "YearMonthLab", QString(), QRect(kGridCentre - 150, kCaptionTop, 300, 36));
    StyleMonthCaption(YearMonthLab, 22);
    ArrowNLImage = NewPicture(this, "ArrowNLImage", QRect(kGridCentre - 186, kCaptionTop + 4, 24, 28));
    ArrowNRImage = NewPicture(this, "ArrowNRImage", QRect(kGridCentre + 162, kCaptionTop + 4, 24, 28));
    for (TImage *arrow : {ArrowNLImage, ArrowNRImage})
        arrow->setCursor(Qt::PointingHandCursor);

    const TImageList headings = WeekdayPictures(kCellW, kHeadH);
    for (int c = 0; c < 7; ++c) {
        const QByteArray name = "WeekImage" + QByteArray::number(c);
        WeekImage[c] = NewPicture(this, name.constData(), QRect(kGridLeft + c * (kCellW + kGap), kHeadTop, kCellW, kHeadH));
        headings.Draw(WeekImage[c], c);
    }
    for (int k = 0; k < 42; ++k) {
        const QByteArray name = "DayImage" + QByteArray::number(k);
        DayImage[k] = NewPicture(this, name.constData(),
                                 QRect(kGridLeft + k % 7 * (kCellW + kGap), kGridTop + k / 7 * (kCellH + kGap),
                                       kCellW, kCellH));
        DayImage[k]->Tag = k;
    }

    // Around a row, in the gaps between the cells; clicks pass through.
    ChosenWeekFrame = new QWidget(this);
    ChosenWeekFrame->setObjectName("ChosenWeekFrame");
    ChosenWeekFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    ChosenWeekFrame->setAttribute(Qt::WA_StyledBackground);
    ChosenWeekFrame->setStyleSheet(QStringLiteral("#ChosenWeekFrame { border: 3px solid %1; border-radius: 6px; }")
                                       .arg(kAccent.name()));
    ChosenWeekFrame->hide();

    DongleLinkStatusImage = NewPicture(this, "DongleLinkStatusImage", QRect(43, 236, 113, 103));
    mainStartImage = NewPicture(this, "mainStartImage", QRect(43, 360, 114, 90));
    mainStartImage->setCursor(Qt::PointingHandCursor);
    DongleLinkStatusImage->hide();
    mainStartImage->hide();
    DongleLinkStatusImageList = &AssetList("DongleLinkStatusImageList");
    StartBtnImageList = &AssetList("StartBtnImageList");
    // The keyboard: the arrows, the grid as one Tab stop walked with the
    // arrow keys (its cells read what they show), the start picture.
    ArrowNLImage->MakeControl("Previous month");
    ArrowNRImage->MakeControl("Next month");
    for (TImage *cell : DayImage)
        cell->MakeControl(QString(), QAccessible::Cell);
    new TFocusGrid(this, std::vector<QWidget *>(DayImage.begin(), DayImage.end()), 7);
    mainStartImage->MakeControl("Download");
    setTabOrder(ArrowNRImage, DayImage[0]);
    connect(mainStartImage, &TImage::clicked, this, &TCalenderPanel::mainStartImageClick);
    connect(ArrowNLImage, &TImage::clicked, this, [this] { emit MonthStepRequested(-1); });
    connect(ArrowNRImage, &TImage::clicked, this, [this] { emit MonthStepRequested(+1); });
}

void TCalenderPanel::ShowDownloadControls(bool visible)
{
    DongleLinkStatusImage->setVisible(visible);
    mainStartImage->setVisible(visible);
}

void TCalenderPanel::ShowDongleLinked(bool linked)
{
    DongleLinkStatusImageList->Draw(DongleLinkStatusImage, linked ? 1 : 0);
    StartBtnImageList->Draw(mainStartImage, linked ? 0 : 2);
    mainStartImage->setEnabled(linked);
    repaint();
}

void TCalenderPanel::ShowStartFace(int face)
{
    StartBtnImageList->Draw(mainStartImage, face);
    repaint();
}

void TCalenderPanel::PlaceDownloadProgress(QWidget *view)
{
    view->setParent(this);
    view->setGeometry(16, 462, 168, 72);
}

void TCalenderPanel::RefreshCaptions(const MultiLanguage &lang)
{
    RedrawCaptioned(mainStartImage);
    RedrawCaptioned(DongleLinkStatusImage);
    mainStartImage->setToolTip(lang.CL("Download an exercise from the device"));
    DongleLinkStatusImage->setToolTip(lang.CL("Status of the USB dongle"));
    mainStartImage->setAccessibleName(lang.CL("Download an exercise from the device"));
    ArrowNLImage->setAccessibleName(lang.CL("Previous month"));
    ArrowNRImage->setAccessibleName(lang.CL("Next month"));
    cellWords_.Refresh(lang);
    NameDayCells(DayImage, shown_, cellWords_);
}

void TCalenderPanel::mainStartImageClick()
{
    emit StartImageClicked();
}

TCalenderPanel::~TCalenderPanel() = default;

void TCalenderPanel::PaintPictures()
{
    for (DayStyle style : {DayStyle::Plain, DayStyle::Records, DayStyle::Other})
        DayPictures(kCellW, kCellH, style);
    WeekdayPictures(kCellW, kHeadH);
}

void TCalenderPanel::MarkWeek(int day)
{
    for (int k = 0; k < 42; ++k) {
        const TDayCell cell = shown_.Cell(k);
        if (cell.Month != 0 || cell.Day != day)
            continue;
        const int first = k - k % 7;
        const QRect row = DayImage[first]->geometry().united(DayImage[first + 6]->geometry());
        ChosenWeekFrame->setGeometry(row.adjusted(-kGap / 2, -kGap / 2, kGap / 2, kGap / 2));
        ChosenWeekFrame->raise();
        ChosenWeekFrame->show();
        markedMonth_ = shown_.ShowYear * 12 + shown_.ShowMonth;
        // The keyboard (and a screen reader) goes on from the week's Sunday.
        DayImage[first]->setFocus(Qt::OtherFocusReason);
        return;
    }
}

void TCalenderPanel::FillCalendar(const QString &yearMonth)
{
    if (markedMonth_ != shown_.ShowYear * 12 + shown_.ShowMonth)
        ChosenWeekFrame->hide();
    YearMonthLab->setText(yearMonth);
    NameDayCells(DayImage, shown_, cellWords_);
    if (!isVisible())
        return;
    for (TImage *cell : DayImage)
        cell->Clear();
    for (int k = 0; k < 42; ++k) {
        const TDayCell cell = shown_.Cell(k);
        // Days of the other months never show their records here.
        const TImageList &list = cell.Month != 0 ? *CalImageListCross
                                 : cell.Marked   ? *CalImageListData
                                                 : *CalImageListNormal;
        list.Draw(DayImage[k], cell.Day - 1);
    }
}
