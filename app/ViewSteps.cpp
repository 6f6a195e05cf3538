// Steps that the views add to the shell: each later view unit replaces its
// entry here by its own definition in its folder (calendar/, views/).
#include "app/Main.h"

void TmainForm::FillCalendar() {}
void TmainForm::FillRecordLists() {}
void TmainForm::ClearRecordDetails() {}
void TmainForm::ResetAnalysisView() {}
void TmainForm::LayoutCharts() {}
void TmainForm::ShowSummaryMode(int16_t) {}
void TmainForm::BtnImagePrintReportClick() {}
