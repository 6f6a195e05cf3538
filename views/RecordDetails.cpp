#include "views/RecordDetails.h"

TSportModePanel::TSportModePanel(QWidget *parent, TKorvanDataBase &db)
    : TViewPanel(parent, "SportModePanel", "SportModeBGImage", "DataAccountImage"), db_(db)
{
    MemoShape = new QWidget(this);
    MemoShape->setObjectName("MemoShape");
    MemoShape->setGeometry(560, 300, 440, 290);
}

void TSportModePanel::FillList(const std::vector<std::string> &)
{
}

void TSportModePanel::ClearRecordDetails()
{
}
