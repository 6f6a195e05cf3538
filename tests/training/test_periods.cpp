// Figures over many rides: the fitness recursion worked out by hand, the
// totals against the summary view's sums of the same records, and the
// personal bests of a period.
#include "training/Periods.h"
#include "calendar/Calenderset.h"
#include "calendar/ShownMonth.h"
#include "store/Databasecontroler.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

RideSummary SummaryOf(const std::string &name, int year, int month, int day, std::optional<double> load)
{
    RideSummary s;
    s.name = name;
    s.year = year, s.month = month, s.day = day;
    s.metrics.trimp = load;
    return s;
}

TEST(Periods, CalendarDays)
{
    EXPECT_EQ(DayNumber(1970, 1, 1), 0);
    EXPECT_EQ(DayNumber(2012, 7, 4), 15525);
    const CalendarDate d = DateOfDay(DayNumber(2012, 2, 29) + 1);
    EXPECT_EQ((std::array{d.year, d.month, d.day}), (std::array{2012, 3, 1}));
    // Sunday to Saturday across a year end; a month and a leap year.
    EXPECT_EQ(WeekPeriod(2013, 1, 2).first, DayNumber(2012, 12, 30));
    EXPECT_EQ(WeekPeriod(2012, 12, 30).last, DayNumber(2013, 1, 5));
    EXPECT_EQ(WeekPeriod(2013, 1, 5).first, DayNumber(2012, 12, 30));
    EXPECT_EQ(MonthPeriod(2012, 2).last - MonthPeriod(2012, 2).first, 28);
    EXPECT_EQ(MonthPeriod(2012, 12).last, DayNumber(2012, 12, 31));
    EXPECT_EQ(YearPeriod(2012).last - YearPeriod(2012).first, 365);
}

TEST(Periods, FitnessFromTheFirstRideOverGaps)
{
    const int first = DayNumber(2012, 7, 4);
    // 100 on the first day, nothing for nine days, 50 on the tenth; a ride
    // without the belt adds nothing.
    const std::vector<RideSummary> rides = {SummaryOf("b", 2012, 7, 14, 30.0), SummaryOf("a", 2012, 7, 4, 100.0),
                                            SummaryOf("c", 2012, 7, 14, 20.0), SummaryOf("d", 2012, 7, 9, {})};
    const std::vector<FitnessDay> days = FitnessSeries(rides, first + 11);
    ASSERT_EQ(days.size(), 12u);
    const struct {
        int day;
        double load, ctl, atl, tsb;
    } expected[] = {
        {0, 100, 2.352831, 13.312210, 0},          // the first day: form 0 (nothing before)
        {1, 0, 2.297473, 11.540061, -10.959379},   // yesterday's fitness less fatigue
        {5, 0, 2.088763, 6.516881, -5.378554},     // the day of the ride without the belt
        {9, 0, 1.899012, 3.680201, -2.300582},
        {10, 50, 3.030747, 9.846390, -1.781189},   // two rides summed
        {11, 0, 2.959439, 8.535618, -6.815643},
    };
    for (const auto &e : expected) {
        const FitnessDay &d = days[static_cast<std::size_t>(e.day)];
        EXPECT_EQ(d.day, first + e.day);
        EXPECT_NEAR(d.load, e.load, 1e-9) << e.day;
        EXPECT_NEAR(d.ctl, e.ctl, 1e-6) << e.day;
        EXPECT_NEAR(d.atl, e.atl, 1e-6) << e.day;
        EXPECT_NEAR(d.tsb, e.tsb, 1e-6) << e.day;
    }
    // Only to the last day asked for; nothing before the first ride.
    EXPECT_EQ(FitnessSeries(rides, first).size(), 1u);
    EXPECT_TRUE(FitnessSeries(rides, first - 1).empty());
    EXPECT_TRUE(FitnessSeries({}, first).empty());
    EXPECT_NEAR(FitnessSeries(rides, first + 9).back().ctl, 1.899012, 1e-6); // the later rides left out
}

TEST(Periods, TotalsEqualTheSummaryViewsForADayAWeekAndAMonth)
{
    TempFolder rider;
    // July 2012 and the days around it: a week across the month's end, two rides on one day.
    const int starts[][6] = {{12, 6, 30, 9, 0, 0},  {12, 7, 1, 9, 0, 0},   {12, 7, 4, 8, 5, 3},
                             {12, 7, 4, 18, 0, 0}, {12, 7, 28, 7, 0, 0},  {12, 7, 31, 7, 0, 0},
                             {12, 8, 1, 7, 0, 0},  {12, 8, 4, 7, 0, 0},   {12, 8, 5, 7, 0, 0}};
    std::vector<RideSummary> rides;
    int n = 0;
    for (const auto &s : starts) {
        DumpBuilder dump = n % 3 == 0 ? HeartRateOnlyDump(30 + n) : RideDump(40 + 7 * n, n % 2);
        dump.setStart(s[0], s[1], s[2], s[3], s[4], s[5]);
        dump.setHeaderByte(9, static_cast<std::uint8_t>(n * 6)); // EXESEC
        dump.setHeaderWord(27, static_cast<std::uint16_t>(100 + n * 37)); // DISTANCE
        dump.setHeaderWord(19, static_cast<std::uint16_t>(300 + n));      // KCAL
        Ride ride;
        std::string error;
        ASSERT_TRUE(ReadRide(DecodedRecord(rider.path(), dump), ride, error)) << error;
        rides.push_back(SummarizeRide(ride, ComputeRideMetrics(ride, Profile(), 0)));
        ++n;
    }
    std::filesystem::remove(rider.file("Temp.txt"));

    TKorvanDataBase db;
    db.RiderFolder = rider.path() + "/";
    db.ListRecordFiles();
    ASSERT_EQ(db.RecordFiles.size(), 9u);
    TCalenderSet calSet;
    TShownMonth shown(calSet);
    shown.SetShownMonth(2012, 7);
    const auto same = [](const TSumTotals &store, const PeriodTotals &ours) {
        EXPECT_EQ(store.Seconds, ours.seconds);
        EXPECT_EQ(store.Distance, ours.distance);
        EXPECT_EQ(store.Kcal, ours.kcal);
    };
    for (const int day : {4, 5, 31}) {
        SCOPED_TRACE(day);
        same(TShownMonth::DayTotals(db, 12, 7, day), TotalsOf(rides, DayPeriod(2012, 7, day)));
    }
    EXPECT_EQ(TotalsOf(rides, DayPeriod(2012, 7, 4)).rides, 2);
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        calSet.WeekStart(2012, 7, static_cast<std::uint16_t>(row));
        const Period week = WeekPeriod(calSet.RowYear, calSet.RowMonth, calSet.RowDay);
        calSet.SetMonth(2012, 7);
        same(shown.WeekTotals(db, row), TotalsOf(rides, week));
    }
    same(shown.MonthTotals(db), TotalsOf(rides, MonthPeriod(2012, 7)));

    // The figures the store does not have: moving time, load, zones.
    const PeriodTotals july = TotalsOf(rides, MonthPeriod(2012, 7));
    EXPECT_EQ(july.rides, 5);
    long long moving = 0, zones = 0;
    double load = 0;
    for (std::size_t i = 1; i <= 5; ++i) {
        moving += rides[i].metrics.movingSeconds;
        load += rides[i].metrics.trimp.value_or(0);
        zones += (*rides[i].metrics.zoneSeconds)[3];
    }
    EXPECT_EQ(july.movingSeconds, moving);
    EXPECT_NEAR(july.load, load, 1e-9);
    EXPECT_EQ(july.zoneSeconds[3], zones);
    EXPECT_EQ(TotalsOf(rides, YearPeriod(2012)).rides, 9);
}

TEST(Periods, PersonalBestsEachWithItsRide)
{
    std::vector<RideSummary> rides = {
        SummaryOf("long", 2012, 7, 1, 40.0),  SummaryOf("fast", 2012, 7, 3, 60.0),
        SummaryOf("tie", 2012, 7, 5, 10.0),   SummaryOf("nobelt", 2012, 7, 8, {}),
        SummaryOf("later", 2012, 7, 14, 45.0), SummaryOf("outside", 2012, 8, 1, 900.0)};
    const int distance[] = {1200, 600, 1200, 300, 500, 5000};
    const int seconds[] = {14400, 3600, 18000, 1800, 3600, 99999};
    for (std::size_t i = 0; i < rides.size(); ++i) {
        rides[i].distance = distance[i];
        rides[i].seconds = seconds[i];
        rides[i].metrics.bests.speed = {30.0 + static_cast<double>(i), 28.0, std::nullopt};
        rides[i].metrics.bests.heartRate = {150.0, 140.0 + static_cast<double>(i % 3), std::nullopt};
    }
    rides[3].metrics.bests.heartRate = {};
    rides[4].metrics.bests.speed[2] = 27.5;
    const PeriodBests b = BestsOf(rides, MonthPeriod(2012, 7));
    EXPECT_EQ(b.longestDistance->ride, "long"); // the first of equal ones
    EXPECT_EQ(b.longestDistance->value, 120.0);
    EXPECT_EQ(b.longestTime->ride, "tie");
    EXPECT_EQ(b.highestAverageSpeed->ride, "fast");
    EXPECT_DOUBLE_EQ(b.highestAverageSpeed->value, 60.0);
    EXPECT_EQ(b.speed[0]->ride, "later");
    EXPECT_EQ(b.speed[0]->value, 34.0);
    EXPECT_EQ(b.speed[1]->ride, "long");
    EXPECT_EQ(b.speed[2]->ride, "later");
    EXPECT_EQ(b.heartRate[0]->ride, "long");
    EXPECT_EQ(b.heartRate[1]->ride, "tie");
    EXPECT_EQ(b.heartRate[1]->value, 142.0);
    EXPECT_FALSE(b.heartRate[2]);
    // Week of Sunday 1 July: 40 + 60 + 10; of 8 July: 45 (the ride without the belt adds nothing).
    ASSERT_TRUE(b.mostLoadWeek);
    EXPECT_EQ(b.mostLoadWeek->firstDay, DayNumber(2012, 7, 1));
    EXPECT_DOUBLE_EQ(b.mostLoadWeek->load, 110.0);
    // A period without rides has no bests.
    const PeriodBests none = BestsOf(rides, MonthPeriod(2012, 9));
    EXPECT_FALSE(none.longestDistance || none.longestTime || none.highestAverageSpeed || none.speed[0] ||
                 none.mostLoadWeek);
}

} // namespace
