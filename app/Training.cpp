// The Training mode in the main window: the panel over the summary's
// sub-panels and totals, the index kept current by the download, a
// deletion and saved notes, and what the panel's and the details view's
// choices show elsewhere.
#include "app/Main.h"

#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "training/LapsForm.h"
#include "training/TrainingPanel.h"
#include "training/TrainingService.h"
#include "views/RecordDetails.h"

void TmainForm::CreateTraining()
{
    Training = new TrainingService(this);
    TrainingPanel = new TTrainingPanel(SummaryPanel, *Training);
    // Over the sub-panels and the totals row below them, the totals'
    // plate (from x 282) included.
    TrainingPanel->setGeometry(282, 6, 652, 620);
    TrainingPanel->hide();
    connect(SummaryPanel, &TSummaryPanel::TrainingModeChanged, this, [this](bool chosen) {
        TrainingPanel->setVisible(chosen);
        if (chosen) {
            TrainingPanel->raise();
            // Files changed outside the program are read now (the panel
            // fills when the service tells the change).
            if (Training->Ready())
                Training->Refresh();
            else
                TrainingPanel->Fill();
        }
    });
    connect(TrainingPanel, &TTrainingPanel::PeriodChosen, this, [this](int year, int month, int day, bool week) {
        Shown.SetShownMonth(year, month);
        BtnImageDateClick(); // fills the calendar
        if (week)
            CalenderPanel->MarkWeek(day);
    });
    connect(TrainingPanel, &TTrainingPanel::RideChosen, this, &TmainForm::ShowRideDetails);
    connect(SportModePanel, &TSportModePanel::NotesSaved, this,
            [this](const QString &name) { Training->NotesSaved(name.toStdString()); });
    connect(SportModePanel, &TSportModePanel::RecordDeleted, this,
            [this](const QString &name) { Training->RideDeleted(name.toStdString()); });
    connect(SportModePanel, &TSportModePanel::LapsRequested, this, [this](const QString &name) {
        if (LapsForm == nullptr)
            LapsForm = new TLapsForm(this, MultiLang.get());
        if (LapsForm->ShowRide(DataBase->RiderFolder + name.toStdString()))
            LapsForm->show();
    });
}

void TmainForm::ShowRideDetails(const QString &name)
{
    BtnImageSportModeClick();
    SportModePanel->SelectRecord(name.toStdString());
}
