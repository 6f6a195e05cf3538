// The Training panel on a temporary rider: its figures against the core's,
// the range and year arrows, a click on a week bar, a best and a search
// result choosing their ride, and a hover readout.
#include "training/TrainingPanel.h"
#include "tests/training/IndexRides.h"
#include "tests/training/TrainingRider.h"
#include "training/TrainingCharts.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

template <class T> T *Child(QWidget *w, const char *name) { return w->findChild<T *>(QString::fromLatin1(name)); }

TEST(TrainingPanel, FiguresArrowsAndChoices)
{
    TempFolder rider;
    const int year = QDate::currentDate().year();
    WriteRide(rider.path(), year, 3, 4, 720, 3);
    WriteRide(rider.path(), year, 3, 6, 360, 0);
    const std::string lastYear = WriteRide(rider.path(), year - 1, 3, 5, 360, 1);
    WriteNotes(rider.path(), lastYear, "Hill repeats", "", {"cold wind"});
    TrainingService service;
    OpenAndWait(service, rider.path());
    ASSERT_EQ(service.Rides().size(), 3u);

    TTrainingPanel panel(nullptr, service);
    panel.resize(652, 620);
    panel.show();
    auto *weekly = Child<TPeriodChart>(&panel, "WeeklyChart");
    auto *fitness = Child<TFitnessChart>(&panel, "FitnessChart");
    ASSERT_NE(weekly, nullptr);
    ASSERT_NE(fitness, nullptr);
    // The bars are the core's, distance by week of this year.
    const std::vector<PeriodBar> bars = PeriodBars(service.Rides(), year, BarGrouping::Week, BarQuantity::Distance);
    ASSERT_EQ(weekly->Bars().size(), bars.size());
    double sum = 0, before = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        EXPECT_DOUBLE_EQ(weekly->Bars()[i].value, bars[i].value);
        sum += weekly->Bars()[i].value;
        before += weekly->Bars()[i].previous;
    }
    const PeriodTotals totals = TotalsOf(service.Rides(), YearPeriod(year));
    EXPECT_NEAR(sum, totals.distance / 10.0, 1e-9);
    EXPECT_NEAR(before, TotalsOf(service.Rides(), YearPeriod(year - 1)).distance / 10.0, 1e-9);
    EXPECT_GT(before, 0);

    // The range box: all days from the first ride, then 3 months.
    auto *range = Child<QComboBox>(&panel, "FitnessRangeBox");
    range->setCurrentIndex(3);
    ASSERT_FALSE(fitness->Days().empty());
    EXPECT_EQ(fitness->Days().front().day, DayNumber(year - 1, 3, 5));
    range->setCurrentIndex(0);
    // The chart ends today, or at the last ride where that lies ahead
    // (in January and February here).
    const int today = DayNumber(year, QDate::currentDate().month(), QDate::currentDate().day());
    const int last = std::max(today, DayNumber(year, 3, 6));
    EXPECT_EQ(fitness->Days().front().day, RangeFirstDay(last, 3));
    EXPECT_EQ(fitness->Days().back().day, last);
    // A hover tells the day and its three values.
    const QString readout = fitness->ReadoutAt(fitness->PlotRect().right());
    EXPECT_TRUE(readout.startsWith(DayText(last))) << readout.toStdString();

    // The year arrows; the week of the long ride clicked moves to its month.
    auto *yearLab = Child<QLabel>(&panel, "TrainingYearLab");
    Child<QPushButton>(&panel, "TrainingYearLeft")->click();
    EXPECT_EQ(yearLab->text(), QString::number(year - 1));
    EXPECT_EQ(weekly->Bars().front().period.first, WeekPeriod(year - 1, 1, 1).first);
    Child<QPushButton>(&panel, "TrainingYearRight")->click();
    EXPECT_EQ(yearLab->text(), QString::number(year));
    QSignalSpy period(&panel, &TTrainingPanel::PeriodChosen);
    const Period week = WeekPeriod(year, 3, 4);
    int index = 0;
    while (weekly->Bars()[std::size_t(index)].period.first != week.first)
        ++index;
    const QRect plot = weekly->PlotRect();
    const int x = plot.left() + int((index + 0.5) * plot.width() / double(weekly->Bars().size()));
    QTest::mouseClick(weekly, Qt::LeftButton, {}, QPoint(x, plot.center().y()));
    ASSERT_EQ(period.count(), 1);
    const CalendarDate sunday = DateOfDay(week.first);
    EXPECT_EQ(period[0][0].toInt(), sunday.year);
    EXPECT_EQ(period[0][1].toInt(), sunday.month);
    EXPECT_TRUE(weekly->Readout().contains("2 ")) << weekly->Readout().toStdString(); // two rides that week

    // The longest distance of all time (the core's) chosen with Enter opens its ride.
    const std::string longest = BestsOf(service.Rides(), {0, today}).longestDistance->ride;
    QSignalSpy ride(&panel, &TTrainingPanel::RideChosen);
    auto *bests = Child<QTableWidget>(&panel, "BestsTable");
    bests->setFocus();
    bests->setCurrentCell(0, 2);
    QTest::keyClick(bests, Qt::Key_Return);
    ASSERT_EQ(ride.count(), 1);
    EXPECT_EQ(ride[0][0].toString().toStdString(), longest);

    // The search as typed, in any letter case; Enter opens the ride.
    auto *search = Child<QLineEdit>(&panel, "NotesSearchEdit");
    auto *results = Child<QListWidget>(&panel, "SearchResultList");
    QTest::keyClicks(search, "WIND hill");
    ASSERT_EQ(results->count(), 1);
    QTest::keyClick(search, Qt::Key_Return);
    ASSERT_EQ(ride.count(), 2);
    EXPECT_EQ(ride[1][0].toString().toStdString(), lastYear);
    QTest::keyClicks(search, " nowhere");
    EXPECT_EQ(results->count(), 0);

    // A download files a ride: the panel follows without a new build.
    WriteRide(rider.path(), year, 3, 7, 360, 0);
    service.RideFiled(IndexRides::Name(year, 3, 7, 8, 0, 0));
    EXPECT_EQ(service.Rides().size(), 4u);
    EXPECT_NEAR(weekly->Bars()[std::size_t(index)].value, TotalsOf(service.Rides(), week).distance / 10.0, 1e-9);
}

} // namespace
