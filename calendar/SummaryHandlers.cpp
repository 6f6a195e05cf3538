// The summary view's behaviour: mode choice and hover faces, the grids of
// the day and week modes, and the totals of a day, a week row or a month.
#include "calendar/SummaryView.h"

#include "calendar/ShownMonth.h"
#include "draw/Image.h"
#include "draw/ImageList.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <algorithm>

void TSummaryPanel::ShowSummaryMode(std::int16_t mode)
{
    SummaryDatePanel->setVisible(mode == 0);
    SummaryWeekPanel->setVisible(mode == 1);
    SummaryMonthPanel->setVisible(mode == 2);
    if (mode == 1) {
        WeekBGShape->hide();
        for (QCheckBox *box : WeekCB)
            box->setChecked(false);
    } else if (mode == 2) {
        DrawMonthTiles();
        MonthPanelYearLabel->setText(QString::number(shown_.ShowYear));
    }
}

void TSummaryPanel::DrawModeRadios(std::int16_t mode)
{
    const std::array<TImage *, 3> pictures = ModePictures();
    for (int t = 0; t < 3; ++t)
        RadioImgList->Draw(pictures[t], t == mode ? 1 : 0);
}

void TSummaryPanel::DrawModeHover(std::int16_t mode)
{
    RadioImgList->Draw(ModePictures()[mode], 2);
}

void TSummaryPanel::DrawMonthTiles()
{
    for (int t = 0; t < 12; ++t) {
        MonthImage[t]->Clear();
        MonthImageList->Draw(MonthImage[t], t);
    }
}

void TSummaryPanel::FillCalendar(const QString &yearMonth)
{
    SumDay_YearMonthLab->setText(yearMonth);
    SumWeek_YearMonthLab->setText(yearMonth);
    NameDayCells(Sum_Date_Image, shown_, cellWords_);
    NameDayCells(Sum_Week_Image, shown_, cellWords_);
    // The month tiles belong to the shown year: when another view changed
    // it, their year, chosen tile and totals go with it.
    const QString year = QString::number(shown_.ShowYear);
    if (MonthPanelYearLabel->text() != year) {
        MonthPanelYearLabel->setText(year);
        DrawMonthTiles();
        if (SummaryMonthPanel->isVisible())
            ShowTotals(TSumTotals());
    }
    if (SummaryDatePanel->isVisible())
        DrawDayGrid(Sum_Date_Image, false);
    if (SummaryWeekPanel->isVisible())
        DrawDayGrid(Sum_Week_Image, true);
}

void TSummaryPanel::DrawDayGrid(const std::array<TImage *, 42> &cells, bool otherMonthRecords)
{
    for (TImage *cell : cells)
        cell->Clear();
    for (int k = 0; k < 42; ++k) {
        const TDayCell cell = shown_.Cell(k);
        const TImageList *list = nullptr;
        if (cell.Month == 0)
            list = cell.Marked ? Sm_Sport_ImageList.get() : Sm_Space_ImageList.get();
        else
            list = otherMonthRecords && cell.Marked ? Sm_ExtSport_ImageList.get() : Sm_ExtSpace_ImageList.get();
        list->Draw(cells[k], cell.Day - 1);
    }
}

void TSummaryPanel::ResetTotals()
{
    ShowTotals(TSumTotals());
    WeekBGShape->hide();
    for (QCheckBox *box : WeekCB)
        box->setChecked(false);
}

void TSummaryPanel::ShowTotals(const TSumTotals &totals)
{
    Sum_Dura_Edit->setText(QString::fromStdString(TShownMonth::DurationText(totals.Seconds)));
    // The rider's locale gives the decimal separator.
    Sum_Dist_Edit->setText(QString::fromStdString(TShownMonth::DistanceText(totals.Distance, QLocale())));
    Sum_Calo_Edit->setText(QString::fromStdString(TShownMonth::KcalText(totals.Kcal)));
}

bool TSummaryPanel::AnyModeHover() const
{
    return TrainingHover || std::any_of(ModeHover.begin(), ModeHover.end(), [](bool b) { return b; });
}

void TSummaryPanel::SummyShowModeImgClick(TImage *sender)
{
    const auto t = static_cast<std::int16_t>(sender->Tag);
    DrawModeRadios(t);
    ShowSummaryMode(t);
    ModeSelected = {false, false, false};
    ModeSelected[std::size_t(t)] = true;
    ModeHover = {false, false, false};
    if (TrainingSelected) {
        TrainingSelected = false;
        RadioImgList->Draw(SummyShowModeImgTraining, 0);
        emit TrainingModeChanged(false);
    }
    MarkChosenMode();
    emit FillCalendarRequested();
    ShowTotals(TSumTotals());
}

void TSummaryPanel::MarkChosenMode()
{
    const std::array<TImage *, 3> pictures = ModePictures();
    for (std::size_t t = 0; t < 3; ++t)
        pictures[t]->SetChecked(ModeSelected[t]);
    SummyShowModeImgTraining->SetChecked(TrainingSelected);
}

void TSummaryPanel::SummyShowModeImgMouseMove(TImage *sender)
{
    const auto t = std::size_t(sender->Tag);
    CleanSummaryMoveInIMGTimer->stop();
    if (!ModeSelected[t] && !ModeHover[t])
        DrawModeHover(static_cast<std::int16_t>(t));
    ModeHover[t] = true;
}

void TSummaryPanel::CleanSummaryMoveInIMGTimerTimer()
{
    CleanSummaryMoveInIMGTimer->stop();
    const std::array<TImage *, 3> pictures = ModePictures();
    for (std::size_t t = 0; t < 3; ++t)
        if (ModeHover[t] && !ModeSelected[t]) {
            RadioImgList->Draw(pictures[t], 0);
            ModeHover[t] = false;
        }
    if (TrainingHover && !TrainingSelected)
        RadioImgList->Draw(SummyShowModeImgTraining, 0);
    TrainingHover = false;
}

void TSummaryPanel::Sum_Date_ImageClick(TImage *sender)
{
    const int k = sender->Tag;
    // Only a day of the shown month with records.
    const TDayCell cell = shown_.Cell(k);
    if (cell.Month != 0 || !cell.Marked)
        return;
    emit FillCalendarRequested();
    sender->Clear();
    Sm_Click_ImageList->Draw(sender, cell.Day - 1);
    ShowTotals(TShownMonth::DayTotals(db_, shown_.ShowYear, shown_.ShowMonth, cell.Day));
}

void TSummaryPanel::WeekCBMouseUp(int row)
{
    WeekBGShape->move(WeekBGShape->x(), 96 + 72 * row);
    WeekBGShape->show();
    for (int r = 0; r < 6; ++r)
        WeekCB[r]->setChecked(r == row);
    ShowTotals(shown_.WeekTotals(db_, row));
}

void TSummaryPanel::MonthImageClick(TImage *sender)
{
    const int t = sender->Tag;
    DrawMonthTiles();
    sender->Clear();
    MonthImageList->Draw(sender, t + 12);
    shown_.SetShownMonth(shown_.ShowYear, t + 1);
    ShowTotals(shown_.MonthTotals(db_));
}

void TSummaryPanel::YearStep(int delta)
{
    shown_.SetShownMonth(shown_.ShowYear + delta, 1);
    MonthPanelYearLabel->setText(QString::number(shown_.ShowYear));
    DrawMonthTiles();
}

void TSummaryPanel::SumMArrowNLImageClick() { YearStep(-1); }
void TSummaryPanel::SumMArrowNRImageClick() { YearStep(+1); }
