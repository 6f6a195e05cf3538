#include "calendar/SummaryView.h"

#include "calendar/ShownMonth.h"
#include "draw/Controls.h"
#include "draw/Image.h"

#include <QTimer>
#include <algorithm>

namespace {

QWidget *SubPanel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}

} // namespace

TSummaryPanel::TSummaryPanel(QWidget *parent, TShownMonth &shown, TKorvanDataBase &db)
    : TViewPanel(parent, "SummaryPanel", "SummaryImage", "SummaryAccountImage"), shown_(shown), db_(db)
{
    SummaryDatePanel = SubPanel(this, "SummaryDatePanel", QRect(300, 20, 600, 470));
    SummaryWeekPanel = SubPanel(this, "SummaryWeekPanel", QRect());
    SummaryMonthPanel = SubPanel(this, "SummaryMonthPanel", QRect());
    SumDArrowNLImage = NewPicture(SummaryDatePanel, "SumDArrowNLImage", QRect(180, 4, 24, 28));
    SumDArrowNRImage = NewPicture(SummaryDatePanel, "SumDArrowNRImage", QRect(396, 4, 24, 28));
    SumWArrowNLImage = NewPicture(SummaryWeekPanel, "SumWArrowNLImage", QRect(180, 4, 24, 28));
    SumWArrowNRImage = NewPicture(SummaryWeekPanel, "SumWArrowNRImage", QRect(396, 4, 24, 28));
    SumMArrowNLImage = NewPicture(SummaryMonthPanel, "SumMArrowNLImage", QRect(180, 4, 24, 28));
    SumMArrowNRImage = NewPicture(SummaryMonthPanel, "SumMArrowNRImage", QRect(396, 4, 24, 28));
    SumShowImgMonth = NewPicture(this, "SumShowImgMonth", QRect(70, 330, 120, 28));
    CleanSummaryMoveInIMGTimer = new QTimer(this);
    CleanSummaryMoveInIMGTimer->setObjectName("CleanSummaryMoveInIMGTimer");
    CleanSummaryMoveInIMGTimer->setInterval(50);
}

void TSummaryPanel::ShowSummaryMode(std::int16_t mode)
{
    SummaryDatePanel->setVisible(mode == 0);
    SummaryWeekPanel->setVisible(mode == 1);
    SummaryMonthPanel->setVisible(mode == 2);
}

void TSummaryPanel::FillCalendar(const QString &)
{
}

void TSummaryPanel::ResetTotals()
{
}

bool TSummaryPanel::AnyModeHover() const
{
    return std::any_of(ModeHover.begin(), ModeHover.end(), [](bool b) { return b; });
}
