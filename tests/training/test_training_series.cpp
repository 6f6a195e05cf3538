// What the Training panel draws, without windows: the weeks and months of
// a year against the year before, the first day of a range, the lap table
// in either unit and its text.
#include "training/LapTable.h"
#include "training/TrainingSeries.h"

#include <gtest/gtest.h>

namespace {

RideSummary RideOn(int year, int month, int day, int distance, int seconds)
{
    RideSummary r;
    r.name = std::to_string(year) + std::to_string(month) + std::to_string(day);
    r.year = year;
    r.month = month;
    r.day = day;
    r.distance = distance;
    r.seconds = seconds;
    r.metrics.trimp = seconds / 60.0;
    r.metrics.zoneSeconds = std::array<int, 6>{0, 0, seconds, 0, 0, 0};
    return r;
}

TEST(TrainingSeries, WeeksAndMonthsAgainstTheYearBefore)
{
    // 2023 starts on a Sunday and ends on one: 53 weeks, the last holding
    // only 31 December; 2022's last Saturday-ending week holds 31 December 2022.
    const std::vector<RideSummary> rides = {RideOn(2022, 1, 4, 300, 3600), RideOn(2022, 12, 31, 100, 1800),
                                            RideOn(2023, 1, 3, 200, 3600), RideOn(2023, 1, 7, 250, 7200),
                                            RideOn(2023, 12, 31, 400, 3600)};
    std::vector<PeriodBar> weeks = PeriodBars(rides, 2023, BarGrouping::Week, BarQuantity::Distance);
    ASSERT_EQ(weeks.size(), 53u);
    EXPECT_EQ(weeks.front().period.first, DayNumber(2023, 1, 1));
    EXPECT_EQ(weeks.back().period.first, DayNumber(2023, 12, 31));
    EXPECT_DOUBLE_EQ(weeks[0].value, 45.0);
    EXPECT_EQ(weeks[0].rides, 2);
    EXPECT_DOUBLE_EQ(weeks[52].value, 40.0);
    // 2022's first week runs from 26 December 2021: the ride of 4 January
    // 2022 lies in its second.
    EXPECT_DOUBLE_EQ(weeks[1].previous, 30.0);
    EXPECT_DOUBLE_EQ(weeks[0].previous, 0.0);
    EXPECT_EQ(weeks[0].zoneSeconds[2], 3600 + 7200);

    weeks = PeriodBars(rides, 2023, BarGrouping::Week, BarQuantity::Time);
    EXPECT_DOUBLE_EQ(weeks[0].value, 3.0);
    weeks = PeriodBars(rides, 2023, BarGrouping::Week, BarQuantity::Load);
    EXPECT_DOUBLE_EQ(weeks[0].value, 180.0);

    const std::vector<PeriodBar> months = PeriodBars(rides, 2023, BarGrouping::Month, BarQuantity::Distance);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_DOUBLE_EQ(months[0].value, 45.0);
    EXPECT_DOUBLE_EQ(months[0].previous, 30.0);
    EXPECT_DOUBLE_EQ(months[11].value, 40.0);
    EXPECT_DOUBLE_EQ(months[11].previous, 10.0);
    EXPECT_TRUE(PeriodBars({}, 2023, BarGrouping::Month, BarQuantity::Load)[5].value == 0);
}

TEST(TrainingSeries, RangesAndTimes)
{
    // The last three months of 31 May: from 1 March (29 February is the
    // last day of a month without a 31st).
    EXPECT_EQ(RangeFirstDay(DayNumber(2024, 5, 31), 3), DayNumber(2024, 3, 1));
    EXPECT_EQ(RangeFirstDay(DayNumber(2024, 2, 10), 12), DayNumber(2023, 2, 11));
    EXPECT_EQ(RangeFirstDay(DayNumber(2024, 1, 15), 6), DayNumber(2023, 7, 16));
    EXPECT_EQ(RangeFirstDay(DayNumber(2024, 1, 15), 0), 0);
    EXPECT_EQ(HoursMinutes(3725), "1:02");
    EXPECT_EQ(HoursMinutes(100 * 3600), "100:00");
    EXPECT_EQ(ClockText(3725), "1:02:05");
}

TEST(LapTable, RowsInTheRecordsUnitsAndTheirText)
{
    Ride ride;
    RideLap lap;
    lap.splitSeconds = 1800;
    lap.seconds = 900;
    lap.distance = 100; // 10.0 km
    lap.speedAvg = 400;
    lap.speedMax = 523;
    lap.hrAvg = 140;
    lap.hrMax = 171;
    lap.cadenceAvg = 88;
    lap.cadenceMax = 112;
    ride.laps = {lap, lap};
    std::vector<LapRow> rows = LapRows(ride);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (LapRow{"2", "0:30:00", "0:15:00", "10.0", "40.0", "52.3", "140", "171", "88", "112"}));
    ride.settings.unit = 1;
    rows = LapRows(ride);
    EXPECT_EQ(rows[0][3], "6.2");
    EXPECT_EQ(rows[0][5], "32.5");
    EXPECT_EQ(LapHeadings(true)[3], "Distance (mi)");
    const std::string text = LapTableText(LapHeadings(false), LapRows(Ride()));
    EXPECT_EQ(text, "Lap\tSplit Time\tLap Time\tDistance (km)\tAvg Speed (km/h)\tMax Speed (km/h)\tAvg HR (bpm)\t"
                    "Max HR (bpm)\tAvg RPM\tMax RPM\r\n");
}

} // namespace
