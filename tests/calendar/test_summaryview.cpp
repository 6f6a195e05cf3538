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
#include "tests/calendar/SummaryParts.h"
#include "tests/support/Parts.h"

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
        return {Box("Sum_Dura_Edit")->text(), Box("Sum_Dist_Edit")->text(), Box("Sum_Calo_Edit")->text()};
    }
    int Checked() const
    {
        int mask = 0;
        for (int r = 0; r < 6; ++r)
            mask |= Week(r)->isChecked() << r;
        return mask;
    }
    // The view's controls by name.
    TImage *Picture(const char *name) const { return &Part<TImage>(panel, name); }
    QWidget *Panel(const char *name) const { return &Part<QWidget>(panel, name); }
    QLineEdit *Box(const char *name) const { return &Part<QLineEdit>(panel, name); }
    QLabel *Label(const char *name) const { return &Part<QLabel>(panel, name); }
    TImage *Day(int k) const { return &Part<TImage>(panel, "Sum_Date_Image", k); }
    TImage *WeekDay(int k) const { return &Part<TImage>(panel, "Sum_Week_Image", k); }
    QCheckBox *Week(int r) const { return &Part<QCheckBox>(panel, "WeekCB", r); }
    TImage *Tile(int t) const { return &Part<TImage>(panel, MonthTileName(t)); }
    QTimer *HoverTimer() const { return &Part<QTimer>(panel, "CleanSummaryMoveInIMGTimer"); }

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
    TImage *july4 = Day(10);
    EXPECT_TRUE(ShowsDay(july4, DayStyle::Records));
    EXPECT_FALSE(ShowsDay(july4, DayStyle::Plain));
    EXPECT_EQ(Totals(), kZero);
    Click(july4);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    EXPECT_TRUE(ShowsDay(july4, DayStyle::Chosen));
    EXPECT_EQ(july4->ShownIndex, 3);

    // Empty days and days of other months do nothing.
    const int before = fills;
    for (int k : {11, 0, 6, 40}) {
        Click(Day(k));
        EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    }
    EXPECT_EQ(fills, before);
    EXPECT_TRUE(ShowsDay(july4, DayStyle::Chosen));
    EXPECT_TRUE(ShowsDay(Day(11), DayStyle::Plain));

    // In a locale with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Click(july4);
    EXPECT_EQ(Box("Sum_Dist_Edit")->text(), "16,3 KM");
}

TEST_F(SummaryView, TheWeekGridShowsOtherMonthsRecordsAndTheBandTotalsARow)
{
    shown.SetShownMonth(2012, 3);
    Fill();
    // Day grid: 29 February dimmed without its record.
    EXPECT_TRUE(ShowsDay(Day(3), DayStyle::Other));

    Click(Picture("SummyShowModeImgWeek"));
    EXPECT_TRUE(Panel("SummaryWeekPanel")->isVisible());
    EXPECT_FALSE(Panel("SummaryDatePanel")->isVisible());
    EXPECT_TRUE(ShowsDay(WeekDay(3), DayStyle::OtherRecords));
    EXPECT_EQ(WeekDay(3)->ShownIndex, 28);
    EXPECT_TRUE(ShowsDay(WeekDay(2), DayStyle::Other));
    EXPECT_TRUE(ShowsDay(WeekDay(6), DayStyle::Records)); // 3 March
    EXPECT_FALSE(Panel("WeekBGShape")->isVisible());

    // Row 0: 26 February to 3 March.
    Click(Week(0));
    EXPECT_TRUE(Panel("WeekBGShape")->isVisible());
    EXPECT_EQ(Panel("WeekBGShape")->y(), 96);
    EXPECT_EQ(Panel("WeekBGShape")->size(), QSize(593, 73));
    EXPECT_EQ(Checked(), 0b1);
    EXPECT_EQ(Totals(), (QStringList{"03:00:00", "40 KM", "600 KCal"}));
    EXPECT_EQ(cal.MonthDays, 31);
    // Row 3; clicking a checked box keeps its mark.
    Click(Week(3));
    EXPECT_EQ(Panel("WeekBGShape")->y(), 312);
    EXPECT_EQ(Checked(), 0b1000);
    EXPECT_EQ(Totals(), kZero);
    Click(Week(3));
    EXPECT_EQ(Checked(), 0b1000);

    // A month step resets the totals and the week choice.
    panel.ResetTotals();
    EXPECT_EQ(Totals(), kZero);
    EXPECT_EQ(Checked(), 0);
    EXPECT_FALSE(Panel("WeekBGShape")->isVisible());
}

TEST_F(SummaryView, MonthTilesChooseTheShownMonthAndYearStepsStartInJanuary)
{
    Click(Picture("SummyShowModeImgMonth"));
    EXPECT_TRUE(Panel("SummaryMonthPanel")->isVisible());
    EXPECT_EQ(Label("MonthPanelYearLabel")->text(), "2012");
    for (int t = 0; t < 12; ++t)
        EXPECT_EQ(Tile(t)->ShownIndex, t);

    Click(Tile(4));  // May
    EXPECT_EQ(shown.ShowMonth, 5);
    EXPECT_EQ(Tile(4)->ShownIndex, 16);
    EXPECT_EQ(Tile(3)->ShownIndex, 3);
    EXPECT_EQ(Totals(), (QStringList{"03:00:00", "1 KM", "10 KCal"}));
    Click(Tile(6));  // July
    EXPECT_EQ(Tile(4)->ShownIndex, 4);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));

    Click(Picture("SumMArrowNLImage"));
    EXPECT_EQ(shown.ShowYear, 2011);
    EXPECT_EQ(shown.ShowMonth, 1);
    EXPECT_EQ(cal.FirstWeekDay, 6); // 1 January 2011, a Saturday
    EXPECT_EQ(Label("MonthPanelYearLabel")->text(), "2011");
    EXPECT_EQ(Tile(6)->ShownIndex, 6);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    Click(Picture("SumMArrowNRImage"));
    EXPECT_EQ(Label("MonthPanelYearLabel")->text(), "2012");

    // A year changed in another view takes the tiles' year, the chosen
    // tile and its totals along.
    Click(Tile(6));
    shown.SetShownMonth(2011, 12);
    Fill();
    EXPECT_EQ(Label("MonthPanelYearLabel")->text(), "2011");
    EXPECT_EQ(Tile(6)->ShownIndex, 6);
    EXPECT_EQ(Totals(), kZero);
}

TEST_F(SummaryView, ModeFacesAndTheirHoverReset)
{
    auto faces = [&] {
        return std::array<int, 3>{Picture("SummyShowModeImgDate")->ShownIndex,
                                  Picture("SummyShowModeImgWeek")->ShownIndex,
                                  Picture("SummyShowModeImgMonth")->ShownIndex};
    };
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 0, 0}));
    EXPECT_FALSE(panel.AnyModeHover());

    QTest::mouseMove(Picture("SummyShowModeImgWeek"), QPoint(10, 10));
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 2, 0}));
    EXPECT_TRUE(panel.AnyModeHover());
    // The chosen mode keeps its face but counts as hovered.
    QTest::mouseMove(Picture("SummyShowModeImgDate"), QPoint(10, 10));
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 2, 0}));
    EXPECT_EQ(HoverTimer()->interval(), 50);
    HoverTimer()->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !HoverTimer()->isActive(); }, 5000));
    EXPECT_EQ(faces(), (std::array<int, 3>{1, 0, 0}));
    // Only the chosen mode stays hovered.
    EXPECT_TRUE(panel.AnyModeHover());

    // A mode click: its face, its panel, totals back to zero.
    Click(Day(10));
    QTest::mouseMove(Picture("SummyShowModeImgMonth"), QPoint(10, 10));
    Click(Picture("SummyShowModeImgWeek"));
    EXPECT_EQ(faces(), (std::array<int, 3>{0, 1, 0}));
    EXPECT_TRUE(Panel("SummaryWeekPanel")->isVisible());
    EXPECT_FALSE(panel.AnyModeHover());
    EXPECT_EQ(Totals(), kZero);

    // A screen reader is told which of the four radio pictures is chosen.
    auto chosen = [&] {
        std::vector<bool> checked;
        for (const char *name : {"SummyShowModeImgDate", "SummyShowModeImgWeek", "SummyShowModeImgMonth",
                                 "SummyShowModeImgTraining"}) {
            const QAccessible::State state = QAccessible::queryAccessibleInterface(Picture(name))->state();
            EXPECT_TRUE(state.checkable);
            checked.push_back(state.checked);
        }
        return checked;
    };
    EXPECT_EQ(chosen(), (std::vector<bool>{false, true, false, false}));
    Click(Picture("SummyShowModeImgTraining"));
    EXPECT_EQ(chosen(), (std::vector<bool>{false, false, false, true}));
    Click(Picture("SummyShowModeImgDate"));
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
    EXPECT_EQ(Day(10)->accessibleName(), "4 July, 2 rides");
    EXPECT_EQ(Day(11)->accessibleName(), "5 July");
    EXPECT_EQ(Day(0)->accessibleName(), "24 June");

    Picture("SummyShowModeImgDate")->setFocus(Qt::TabFocusReason);
    // Mode pictures: the arrows move, Tab goes on to the day arrows and grid.
    EXPECT_EQ(key(Qt::Key_Down), Picture("SummyShowModeImgWeek"));
    EXPECT_EQ(key(Qt::Key_Up), Picture("SummyShowModeImgDate"));
    EXPECT_EQ(key(Qt::Key_Tab), Picture("SumDArrowNLImage"));
    EXPECT_EQ(key(Qt::Key_Tab), Picture("SumDArrowNRImage"));
    EXPECT_EQ(key(Qt::Key_Tab), Day(0));
    // The totals boxes are read, not typed into: Tab passes them by.
    for (QLineEdit *box : {Box("Sum_Dura_Edit"), Box("Sum_Dist_Edit"), Box("Sum_Calo_Edit")})
        EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(key(Qt::Key_Right), Day(10));
    key(Qt::Key_Return);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));
    // Focus stays on the chosen day, which now shows the chosen face.
    EXPECT_EQ(focused(), Day(10));
    EXPECT_TRUE(ShowsDay(Day(10), DayStyle::Chosen));

    // The week mode with Space; its boxes are walked with the arrows.
    Picture("SummyShowModeImgWeek")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    ASSERT_TRUE(Panel("SummaryWeekPanel")->isVisible());
    Week(0)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(key(Qt::Key_Down), Week(1));
    key(Qt::Key_Space);
    EXPECT_EQ(Checked(), 0b10);
    EXPECT_EQ(Totals(), (QStringList{"01:30:15", "16.3 KM", "615 KCal"}));

    // Month tiles: four to a row; Enter on May.
    Picture("SummyShowModeImgMonth")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Return);
    ASSERT_TRUE(Panel("SummaryMonthPanel")->isVisible());
    Tile(0)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(key(Qt::Key_Down), Tile(4));
    EXPECT_EQ(Tile(4)->accessibleName(), "May");
    key(Qt::Key_Enter);
    EXPECT_EQ(shown.ShowMonth, 5);
    EXPECT_EQ(Totals(), (QStringList{"03:00:00", "1 KM", "10 KCal"}));
}
