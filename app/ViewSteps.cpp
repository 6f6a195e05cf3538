// What crosses the views: the record-day marks and captions of the calendar
// grids, the record lists, the month step, the rider's ID.
#include "app/Main.h"

#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "store/Databasecontroler.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"

#include <QCoreApplication>

void TmainForm::FillCalendar()
{
    Shown.ScanRecordDays(DataBase->RiderFolder);
    const QString caption = QString::number(ShowYear) + ", " + MonthNames.value(ShowMonth - 1);
    CalenderPanel->FillCalendar(caption);
    SummaryPanel->FillCalendar(caption);
}

void TmainForm::FillRecordLists()
{
    DataBase->ListRecordFiles();
    SportModePanel->FillList(DataBase->RecordFiles);
    SportAnalysisPanel->FillList(DataBase->RecordFiles);
}

void TmainForm::MonthStep(int delta)
{
    Shown.StepMonth(delta);
    QCoreApplication::processEvents();
    FillCalendar();
    SummaryPanel->ResetTotals();
}

void TmainForm::ArrowNLImageClick() { MonthStep(-1); }
void TmainForm::ArrowNRImageClick() { MonthStep(+1); }

void TmainForm::ShowRiderID(const std::string &id)
{
    for (TViewPanel *panel : Views())
        panel->ShowRiderID(QString::fromStdString(id));
}

void TmainForm::BtnImagePrintReportClick()
{
    SportAnalysisPanel->PrintReport();
}
