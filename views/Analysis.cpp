#include "views/Analysis.h"

TSportAnalysisPanel::TSportAnalysisPanel(QWidget *parent, TKorvanDataBase &db)
    : TViewPanel(parent, "SportAnalysisPanel", "SportAnalysisBGImage", "AnalyAccountImage"), db_(db)
{
}

void TSportAnalysisPanel::FillList(const std::vector<std::string> &)
{
}

void TSportAnalysisPanel::ResetAnalysisView()
{
}

void TSportAnalysisPanel::LayoutCharts()
{
}
