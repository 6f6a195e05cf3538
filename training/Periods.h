#pragma once
// Figures over many rides, from their summaries: the load of each day,
// fitness, fatigue and form day by day, the totals of a day, week, month
// or year, and the personal bests of a period. GUI-free.
#include "training/RideMetrics.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A calendar day as a number: days since 1970-01-01 (proleptic Gregorian).
int DayNumber(int year, int month, int day);
struct CalendarDate {
    int year = 0, month = 0, day = 0;
};
CalendarDate DateOfDay(int dayNumber);
// The day of a ride's local start.
int DayOf(const RideSummary &ride);

// Days first to last, both included.
struct Period {
    int first = 0, last = 0;
};
Period DayPeriod(int year, int month, int day);
// Sunday to Saturday around the day, as a calendar row shows it (across
// month and year ends).
Period WeekPeriod(int year, int month, int day);
Period MonthPeriod(int year, int month);
Period YearPeriod(int year);

struct FitnessDay {
    int day = 0;     // day number
    double load = 0; // summed load of the day's rides
    double ctl = 0, atl = 0, tsb = 0;
};
// Every day from the first ride's day to lastDay: the day's load, fitness
// (CTL, 42 days), fatigue (ATL, 7 days) and form (TSB: yesterday's fitness
// less yesterday's fatigue). A ride without the belt adds no load. Empty
// without rides, or when lastDay comes before the first ride.
std::vector<FitnessDay> FitnessSeries(std::span<const RideSummary> rides, int lastDay);

struct PeriodTotals {
    int rides = 0;
    long long seconds = 0, movingSeconds = 0;
    long long distance = 0; // tenths of a kilometre
    long long kcal = 0;
    double load = 0;
    std::array<long long, 6> zoneSeconds{}; // below zone 1, zones 1-5
};
// The totals of the rides that start within the period.
PeriodTotals TotalsOf(std::span<const RideSummary> rides, Period period);

// A best and the ride (record file name) that holds it; the earliest of
// equal ones in the order given.
struct RideBest {
    double value = 0;
    std::string ride;
};
struct WeekLoad {
    int firstDay = 0; // the week's Sunday
    double load = 0;
};
struct PeriodBests {
    std::optional<RideBest> longestDistance;     // km
    std::optional<RideBest> longestTime;         // seconds of exercise
    std::optional<RideBest> highestAverageSpeed; // km/h: distance over exercise time
    // Over 5, 20 and 60 minutes (BestWindowSeconds).
    std::array<std::optional<RideBest>, 3> speed, heartRate;
    // The Sunday-to-Saturday week of the most load (rides within the period).
    std::optional<WeekLoad> mostLoadWeek;
};
// The bests of the rides that start within the period; none where no ride
// of the period has the figure.
PeriodBests BestsOf(std::span<const RideSummary> rides, Period period);
