#include "calendar/CalendarView.h"

#include "calendar/ShownMonth.h"
#include "draw/Controls.h"
#include "draw/Image.h"

TCalenderPanel::TCalenderPanel(QWidget *parent, const TShownMonth &shown)
    : TViewPanel(parent, "CalenderPanel", "CalenderBGImage", "CalAccountImage"), shown_(shown)
{
    ArrowNLImage = NewPicture(this, "ArrowNLImage", QRect(505, 16, 24, 28));
    ArrowNRImage = NewPicture(this, "ArrowNRImage", QRect(781, 16, 24, 28));
    DongleLinkStatusImage = NewPicture(this, "DongleLinkStatusImage", QRect(43, 236, 113, 103));
    mainStartImage = NewPicture(this, "mainStartImage", QRect(43, 360, 114, 90));
    mainStartImage->setCursor(Qt::PointingHandCursor);
    DongleLinkStatusImage->hide();
    mainStartImage->hide();
}

void TCalenderPanel::FillCalendar(const QString &)
{
}
