// The calendar views in the real main window: a download through the fake
// dongle marks its day, the month arrows step every calendar view and reset
// the summary, a month tile moves the calendar, and the tiles follow the
// language of the captions.
#include "tests/device/MainWindowFixture.h"

#include "calendar/CalendarView.h"
#include "calendar/Calenderset.h"
#include "calendar/SummaryView.h"
#include "draw/ImageList.h"
#include "lang/Multilan.h"
#include "tests/calendar/RecordDays.h"
#include "tests/calendar/SummaryParts.h"
#include "tests/support/Parts.h"
#include "tests/support/DumpBuilder.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class CalendarWindow : public MainWindowTest {
protected:
    void Show()
    {
        form->SetTransparent(false);
        form->show();
        form->ShowTopButtons(true);
        form->BtnImageDateClick();
    }
    void Click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }
    TCalenderPanel &Calendar() const { return *form->CalenderPanel; }
    // The calendar's controls, as the rider finds them.
    QString Caption() const { return Calendar().findChild<QLabel *>("YearMonthLab")->text(); }
    TImage *Day(int k) const { return Calendar().findChild<TImage *>(QString("DayImage%1").arg(k)); }
    TImage *Arrow(const char *name) const { return Calendar().findChild<TImage *>(name); }
    TSummaryPanel &Summary() const { return *form->SummaryPanel; }
    QLineEdit *Total(const char *name) const { return &Part<QLineEdit>(Summary(), name); }
    TImage *SumDay(int k) const { return &Part<TImage>(Summary(), "Sum_Date_Image", k); }
    TImage *SumWeekDay(int k) const { return &Part<TImage>(Summary(), "Sum_Week_Image", k); }
    QCheckBox *Week(int r) const { return &Part<QCheckBox>(Summary(), "WeekCB", r); }
    TImage *Tile(int t) const { return &Part<TImage>(Summary(), MonthTileName(t)); }
    TImage *SumPicture(const char *name) const { return &Part<TImage>(Summary(), name); }
};

TEST_F(CalendarWindow, ADownloadMarksItsDayInTheCalendar)
{
    const std::string dongle = fake.plug(DongleVid, DonglePid, 65);
    open();
    Show();
    DumpBuilder b;
    b.setStart(12, 7, 4, 8, 5, 3);
    for (int i = 0; i < 120; ++i)
        b.addSample(std::uint8_t(120 + i % 40), std::uint8_t(80 + i % 9), std::uint16_t(i), 6181);
    b.addLap(DumpBuilder::lap(1));
    fake.stream(dongle, reportsOf(b.reportLines()));
    clickStart();
    ASSERT_TRUE(RunUntil([&] { return boxes.Saw("TR900 data transfer Ok!"); }, 10000));

    EXPECT_EQ(form->ShowYear, 2012);
    EXPECT_EQ(form->ShowMonth, 7);
    EXPECT_EQ(form->DayMarks[3], 1);
    EXPECT_EQ(Caption(), "2012, July");
    // July 2012 starts on a Sunday: the 4th is cell 10.
    EXPECT_EQ(Day(10)->ShownList, Calendar().CalImageListData.get());
    EXPECT_EQ(Day(10)->ShownIndex, 3);
    EXPECT_EQ(Day(11)->ShownList, Calendar().CalImageListNormal.get());
}

TEST_F(CalendarWindow, MonthArrowsStepEveryViewAndResetTheSummary)
{
    open();
    WriteRide(form->DataBase->RiderFolder, "120704080000.TR9", {1, 0, 0, 123, 400});
    WriteRide(form->DataBase->RiderFolder, "120801080000.TR9");
    form->Shown.SetShownMonth(2012, 7);
    Show();
    form->BtnImageSummaryClick();
    Click(SumDay(10));
    EXPECT_EQ(Total("Sum_Dura_Edit")->text(), "01:00:00");
    Click(SumPicture("SummyShowModeImgWeek"));
    Click(Week(1));
    EXPECT_TRUE(Part<QWidget>(Summary(), "WeekBGShape").isVisible());
    EXPECT_EQ(Total("Sum_Dist_Edit")->text(), "12.3 KM");

    // The week panel's right arrow: August, totals and week choice reset.
    Click(SumPicture("SumWArrowNRImage"));
    EXPECT_EQ(form->ShowMonth, 8);
    EXPECT_EQ(Part<QLabel>(Summary(), "SumWeek_YearMonthLab").text(), "2012, August");
    EXPECT_EQ(Total("Sum_Dura_Edit")->text(), "00:00:00");
    EXPECT_FALSE(Part<QWidget>(Summary(), "WeekBGShape").isVisible());
    EXPECT_FALSE(Week(1)->isChecked());
    // 1 August 2012, a Wednesday: cell 3, with its record.
    EXPECT_TRUE(ShowsDay(SumWeekDay(3), DayStyle::Records));

    // The calendar shows the same month, and its own arrows step it across years.
    form->BtnImageDateClick();
    EXPECT_EQ(Caption(), "2012, August");
    EXPECT_EQ(Day(3)->ShownList, Calendar().CalImageListData.get());
    for (int i = 0; i < 5; ++i)
        Click(Arrow("ArrowNRImage"));
    EXPECT_EQ(Caption(), "2013, January");
    EXPECT_EQ(form->CalSet->FirstWeekDay, 2);
    Click(Arrow("ArrowNLImage"));
    EXPECT_EQ(Caption(), "2012, December");
    EXPECT_EQ(Day(6)->ShownIndex, 0); // 1 December 2012, a Saturday
}

TEST_F(CalendarWindow, AMonthTileMovesTheCalendarAndTheTilesFollowTheLanguage)
{
    open();
    WriteRide(form->DataBase->RiderFolder, "120520080000.TR9", {3, 0, 0, 10, 10});
    form->Shown.SetShownMonth(2012, 7);
    Show();
    form->BtnImageSummaryClick();
    Click(SumPicture("SummyShowModeImgMonth"));
    Click(Tile(4));
    EXPECT_EQ(Total("Sum_Dura_Edit")->text(), "03:00:00");
    form->BtnImageDateClick();
    EXPECT_EQ(Caption(), "2012, May");
    // 1 May 2012, a Tuesday: cell 2; the 20th, with a record, is cell 21.
    EXPECT_EQ(Day(2)->ShownIndex, 0);
    EXPECT_EQ(Day(21)->ShownList, Calendar().CalImageListData.get());

    const QImage english = Tile(4)->Canvas().copy();
    writeFileBytes(form->MultiLang->LangFolder + "/DEU.lre", "May=Mai\r\n");
    ASSERT_FALSE(form->MultiLang->LoadLanguage("DEU.lre"));
    form->RefreshCaptions();
    EXPECT_EQ(form->MonthNames[4], "Mai");
    EXPECT_EQ(Tile(4)->ShownIndex, 16);
    EXPECT_NE(Tile(4)->Canvas(), english);
    form->FillCalendar();
    EXPECT_EQ(Caption(), "2012, Mai");
}

} // namespace
