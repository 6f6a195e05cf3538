// The summary view on its own, on a temporary rider folder: day totals on a
// clicked cell, the week band and its totals, the month tiles and year
// steps, the mode faces with their hover reset, and the reset after a month
// step. The main window's part (marks and grids on FillCalendarRequested)
// is played by the test.
#include "calendar/Calenderset.h"
#include "calendar/ShownMonth.h"
#include "calendar/SummaryView.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "store/Databasecontroler.h"
#include "tests/calendar/RecordDays.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class SummaryView : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        WriteRide(rider.path(), "120704080000.TR9", {1, 0, 0, 123, 400});
        WriteRide(rider.path(), "120704180000.TR9", {0, 30, 15, 40, 215});
        WriteRide(rider.path(), "120229080000.TR9", {2, 0, 0, 300, 500});
        WriteRide(rider.path(), "120303080000.TR9", {1, 0, 0, 100, 100});
        WriteRide(rider.path(), "120520080000.TR9", {3, 0, 0, 10, 10});
        db.RiderFolder = rider.path() + "/";
        db.ListRecordFiles();
        shown.SetShownMonth(2012, 7);
        QObject::connect(&panel, &TSummaryPanel::FillCalendarRequested, [this] { Fill(); });
        panel.resize(1024, 643);
        panel.show();
        panel.ShowSummaryMode(0);
        Fill();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // What the main window does on FillCalendarRequested.
    void Fill()
    {
        ++fills;
        shown.ScanRecordDays(db.RiderFolder);
        panel.FillCalendar(QString::number(shown.ShowYear) + ", month " + QString::number(shown.ShowMonth));
    }
    void Click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }
    QStringList Totals() const
    {
        return {panel.Sum_Dura_Edit->text(), panel.Sum_Dist_Edit->text(), panel.Sum_Calo_Edit->text()};
    }
    int Checked() const
    {
        int mask = 0;
        for (int r = 0; r < 6; ++r)
            mask |= panel.WeekCB[r]->isChecked() << r;
        return mask;
    }

    TempFolder rider;
    TKorvanDataBase db;
    TCalenderSet cal;
    TShownMonth shown{cal};
    TSummaryPanel panel{nullptr, shown, db};
    int fills = 0;
};

const QStringList kZero{"00:00:00", "0 KM", "0 KCal"};

TEST_F(SummaryView, AClickedRecordDayShowsItsTotals)
{
    // July 2012 starts on a Sunday: 4 July is cell 7 + 3.
    TImage *july4 = panel.Sum_Date_Image[10];
    EXPECT_EQ(july4->ShownList, panel.Sm_Sport_ImageList.get());
    EXPECT_EQ(Totals(), kZero);
    Click(july4);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    EXPECT_EQ(july4->ShownList, panel.Sm_Click_ImageList.get());
    EXPECT_EQ(july4->ShownIndex, 3);

    // Empty days and days of other months do nothing.
    const int before = fills;
    for (int k : {11, 0, 6, 40}) {
        Click(panel.Sum_Date_Image[std::size_t(k)]);
        EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    }
    EXPECT_EQ(fills, before);
    EXPECT_EQ(july4->ShownList, panel.Sm_Click_ImageList.get());
    EXPECT_EQ(panel.Sum_Date_Image[11]->ShownList, panel.Sm_Space_ImageList.get());

    // In a locale with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Click(july4);
    EXPECT_EQ(panel.Sum_Dist_Edit->text(), "16,3 KM");
}

TEST_F(SummaryView, TheWeekGridShowsOtherMonthsRecordsAndTheBandTotalsARow)
{
    shown.SetShownMonth(2012, 3);
    Fill();
    // Day grid: 29 February dimmed without its record.
    EXPECT_EQ(panel.Sum_Date_Image[3]->ShownList, panel.Sm_ExtSpace_ImageList.get());

    Click(panel.SummyShowModeImgWeek);
    EXPECT_TRUE(panel.SummaryWeekPanel->isVisible());
    EXPECT_FALSE(panel.SummaryDatePanel->isVisible());
    EXPECT_EQ(panel.Sum_Week_Image[3]->ShownList, panel.Sm_ExtSport_ImageList.get());
    EXPECT_EQ(panel.Sum_Week_Image[3]->ShownIndex, 28);
    EXPECT_EQ(panel.Sum_Week_Image[2]->ShownList, panel.Sm_ExtSpace_ImageList.get());
    EXPECT_EQ(panel.Sum_Week_Image[6]->ShownList, panel.Sm_Sport_ImageList.get()); // 3 March
    EXPECT_FALSE(panel.WeekBGShape->isVisible());

    // Row 0: 26 February to 3 March.
    Click(panel.WeekCB[0]);
    EXPECT_TRUE(panel.WeekBGShape->isVisible());
    EXPECT_EQ(panel.WeekBGShape->y(), 96);
    EXPECT_EQ(panel.WeekBGShape->size(), QSize(593, 73));
    EXPECT_EQ(Checked(), 0b1);
    EXPECT_EQ(Totals(), (QStringList{"03:00:00", "40 KM", "600 KCal"}));
    EXPECT_EQ(cal.MonthDays, 31);
    // Row 3; clicking a checked box keeps its mark.
    Click(panel.WeekCB[3]);
    EXPECT_EQ(panel.WeekBGShape->y(), 312);
    EXPECT_EQ(Checked(), 0b1000);
    EXPECT_EQ(Totals(), kZero);
    Click(panel.WeekCB[3]);
    EXPECT_EQ(Checked(), 0b1000);

    // A month step resets the totals and the week choice.
    panel.ResetTotals();
    EXPECT_EQ(Totals(), kZero);
    EXPECT_EQ(Checked(), 0);
    EXPECT_FALSE(panel.WeekBGShape->isVisible());
}

TEST_F(SummaryView, MonthTilesChooseTheShownMonthAndYearStepsStartInJanuary)
{
    Click(panel.SummyShowModeImgMonth);
    EXPECT_TRUE(panel.SummaryMonthPanel->isVisible());
    EXPECT_EQ(panel.MonthPanelYearLabel->text(), "2012");
    for (int t = 0; t < 12; ++t)
        EXPECT_EQ(panel.MonthImage[t]->ShownIndex, t);

    Click(panel.MonthImage[4]);  // May
    EXPECT_EQ(shown.ShowMonth, 5);
    EXPECT_EQ(panel.MonthImage[4]->ShownIndex, 16);
    EXPECT_EQ(panel.MonthImage[3]->ShownIndex, 3);
    EXPECT_EQ(Totals(), (QStringList{"03:00:00", "1 KM", "10 KCal"}));
    Click(panel.MonthImage[6]);  // July
    EXPECT_EQ(panel.MonthImage[4]->ShownIndex, 4);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));

    Click(panel.SumMArrowNLImage);
    EXPECT_EQ(shown.ShowYear, 2011);
    EXPECT_EQ(shown.ShowMonth, 1);
    EXPECT_EQ(cal.FirstWeekDay, 6); // 1 January 2011, a Saturday
    EXPECT_EQ(panel.MonthPanelYearLabel->text(), "2011");
    EXPECT_EQ(panel.MonthImage[6]->ShownIndex, 6);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    Click(panel.SumMArrowNRImage);
    EXPECT_EQ(panel.MonthPanelYearLabel->text(), "2012");

    // A year changed in another view takes the tiles' year, the chosen
    // tile and its totals along.
    Click(panel.MonthImage[6]);
    shown.SetShownMonth(2011, 12);
    Fill();
    EXPECT_EQ(panel.MonthPanelYearLabel->text(), "2011");
    EXPECT_EQ(panel.MonthImage[6]->ShownIndex, 6);
    EXPECT_EQ(Totals(), kZero);
}

TEST_F(SummaryView, ModeFacesAndTheirHoverReset)
{
    auto faces = [&] {
        return std::array<int, 3>{panel.SummyShowModeImgDate->ShownIndex, panel.SummyShowModeImgWeek->ShownIndex,
                                  panel.SummyShowModeImgMonth->ShownIndex};
    };
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 0, 0}));
    EXPECT_FALSE(panel.AnyModeHover());

    QTest::mouseMove(panel.SummyShowModeImgWeek, QPoint(10, 10));
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 2, 0}));
    EXPECT_TRUE(panel.ModeHover[1]);
    // The chosen mode keeps its face but counts as hovered.
    QTest::mouseMove(panel.SummyShowModeImgDate, QPoint(10, 10));
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 2, 0}));
    EXPECT_TRUE(panel.ModeHover[0]);
    EXPECT_EQ(panel.CleanSummaryMoveInIMGTimer->interval(), 50);
    panel.CleanSummaryMoveInIMGTimer->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.CleanSummaryMoveInIMGTimer->isActive(); }, 5000));
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 0, 0}));
    EXPECT_FALSE(panel.ModeHover[1]);

    // A mode click: its face, its panel, totals back to zero.
    Click(panel.Sum_Date_Image[10]);
    QTest::mouseMove(panel.SummyShowModeImgMonth, QPoint(10, 10));
    Click(panel.SummyShowModeImgWeek);
    EXPECT_EQ(faces(), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(panel.ModeSelected, (std::array<bool, 3>{false, true, false}));
    EXPECT_FALSE(panel.AnyModeHover());
    EXPECT_EQ(Totals(), kZero);

    // A screen reader is told which of the four radio pictures is chosen.
    auto chosen = [&] {
        std::vector<bool> checked;
        for (TImage *p : {panel.SummyShowModeImgDate, panel.SummyShowModeImgWeek, panel.SummyShowModeImgMonth,
                          panel.SummyShowModeImgTraining}) {
            const QAccessible::State state = QAccessible::queryAccessibleInterface(p)->state();
            EXPECT_TRUE(state.checkable);
            checked.push_back(state.checked);
        }
        return checked;
    };
    EXPECT_EQ(chosen(), (std::vector<bool>{false, true, false, false}));
    Click(panel.SummyShowModeImgTraining);
    EXPECT_EQ(chosen(), (std::vector<bool>{false, false, false, true}));
    Click(panel.SummyShowModeImgDate);
    EXPECT_EQ(chosen(), (std::vector<bool>{true, false, false, false}));
}

} // namespace

// From the keyboard alone: the mode pictures, the day grid, the week boxes
// and the month tiles are each one Tab stop walked with the arrows, act on
// Enter or Space like a click, and the day cells say what they show.
TEST_F(SummaryView, TheKeyboardChoosesModesDaysWeeksAndMonths)
{
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    auto focused = [] { return QApplication::focusWidget(); };
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        return QApplication::focusWidget();
    };
    // 4 July 2012 (cell 10) has two rides; 5 July none.
    EXPECT_EQ(panel.Sum_Date_Image[10]->accessibleName(), "4 July, 2 rides");
    EXPECT_EQ(panel.Sum_Date_Image[11]->accessibleName(), "5 July");
    EXPECT_EQ(panel.Sum_Date_Image[0]->accessibleName(), "24 June");

    panel.SummyShowModeImgDate->setFocus(Qt::TabFocusReason);
    // Mode pictures: the arrows move, Tab goes on to the day arrows and grid.
    EXPECT_EQ(key(Qt::Key_Down), panel.SummyShowModeImgWeek);
    EXPECT_EQ(key(Qt::Key_Up), panel.SummyShowModeImgDate);
    EXPECT_EQ(key(Qt::Key_Tab), panel.SumDArrowNLImage);
    EXPECT_EQ(key(Qt::Key_Tab), panel.SumDArrowNRImage);
    EXPECT_EQ(key(Qt::Key_Tab), panel.Sum_Date_Image[0]);
    // The totals boxes are read, not typed into: Tab passes them by.
    for (QLineEdit *box : {panel.Sum_Dura_Edit, panel.Sum_Dist_Edit, panel.Sum_Calo_Edit})
        EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(key(Qt::Key_Right), panel.Sum_Date_Image[10]);
    key(Qt::Key_Return);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    // Focus stays on the chosen day, which now shows the chosen face.
    EXPECT_EQ(focused(), panel.Sum_Date_Image[10]);
    EXPECT_EQ(panel.Sum_Date_Image[10]->ShownList, panel.Sm_Click_ImageList.get());

    // The week mode with Space; its boxes are walked with the arrows.
    panel.SummyShowModeImgWeek->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    ASSERT_TRUE(panel.SummaryWeekPanel->isVisible());
    panel.WeekCB[0]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(key(Qt::Key_Down), panel.WeekCB[1]);
    key(Qt::Key_Space);
    EXPECT_EQ(Checked(), 0b10);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));

    // Month tiles: four to a row; Enter on May.
    panel.SummyShowModeImgMonth->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Return);
    ASSERT_TRUE(panel.SummaryMonthPanel->isVisible());
    panel.MonthImage[0]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(key(Qt::Key_Down), panel.MonthImage[4]);
    EXPECT_EQ(panel.MonthImage[4]->accessibleName(), "May");
    key(Qt::Key_Enter);
    EXPECT_EQ(shown.ShowMonth, 5);
    EXPECT_EQ(Totals(), (QStringList{"03:00:00", "1 KM", "10 KCal"}));
}
