#include "training/Periods.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>

namespace {

bool Within(int day, Period period)
{
    return day >= period.first && day <= period.last;
}

double LoadOf(const RideSummary &ride)
{
    return ride.metrics.trimp.value_or(0.0);
}

// Keeps candidate when it beats best (a greater value; the first of equal ones stays).
void Keep(std::optional<RideBest> &best, double value, const RideSummary &ride)
{
    if (!best || value > best->value)
        best = RideBest{value, ride.name};
}

void Keep(std::optional<RideBest> &best, const std::optional<double> &value, const RideSummary &ride)
{
    if (value)
        Keep(best, *value, ride);
}

int WeekStartOf(int day)
{
    const auto weekday = std::chrono::weekday(std::chrono::sys_days(std::chrono::days(day)));
    return day - static_cast<int>(weekday.c_encoding()); // 0 is Sunday
}

} // namespace

int DayNumber(int year, int month, int day)
{
    using namespace std::chrono;
    const sys_days days(std::chrono::year(year) / static_cast<unsigned>(month) / static_cast<unsigned>(day));
    return static_cast<int>(days.time_since_epoch().count());
}

CalendarDate DateOfDay(int dayNumber)
{
    using namespace std::chrono;
    const year_month_day date{sys_days(days(dayNumber))};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

int DayOf(const RideSummary &ride)
{
    return DayNumber(ride.year, ride.month, ride.day);
}

Period DayPeriod(int year, int month, int day)
{
    const int n = DayNumber(year, month, day);
    return {n, n};
}

Period WeekPeriod(int year, int month, int day)
{
    const int first = WeekStartOf(DayNumber(year, month, day));
    return {first, first + 6};
}

Period MonthPeriod(int year, int month)
{
    const int first = DayNumber(year, month, 1);
    const int next = month == 12 ? DayNumber(year + 1, 1, 1) : DayNumber(year, month + 1, 1);
    return {first, next - 1};
}

Period YearPeriod(int year)
{
    return {DayNumber(year, 1, 1), DayNumber(year, 12, 31)};
}

std::vector<FitnessDay> FitnessSeries(std::span<const RideSummary> rides, int lastDay)
{
    if (rides.empty())
        return {};
    int first = DayOf(rides.front());
    for (const RideSummary &ride : rides)
        first = std::min(first, DayOf(ride));
    if (lastDay < first)
        return {};
    std::vector<FitnessDay> days(static_cast<std::size_t>(lastDay - first) + 1);
    for (const RideSummary &ride : rides) {
        const int day = DayOf(ride);
        if (day <= lastDay)
            days[static_cast<std::size_t>(day - first)].load += LoadOf(ride);
    }
    const double fitnessStep = 1 - std::exp(-1.0 / 42), fatigueStep = 1 - std::exp(-1.0 / 7);
    double ctl = 0, atl = 0; // of the day before; 0 before the first ride
    for (std::size_t i = 0; i < days.size(); ++i) {
        FitnessDay &d = days[i];
        d.day = first + static_cast<int>(i);
        d.tsb = ctl - atl;
        ctl += (d.load - ctl) * fitnessStep;
        atl += (d.load - atl) * fatigueStep;
        d.ctl = ctl;
        d.atl = atl;
    }
    return days;
}

PeriodTotals TotalsOf(std::span<const RideSummary> rides, Period period)
{
    PeriodTotals totals;
    for (const RideSummary &ride : rides) {
        if (!Within(DayOf(ride), period))
            continue;
        ++totals.rides;
        totals.seconds += ride.seconds;
        totals.movingSeconds += ride.metrics.movingSeconds;
        totals.distance += ride.distance;
        totals.kcal += ride.kcal;
        totals.load += LoadOf(ride);
        if (ride.metrics.zoneSeconds)
            for (std::size_t z = 0; z < totals.zoneSeconds.size(); ++z)
                totals.zoneSeconds[z] += (*ride.metrics.zoneSeconds)[z];
    }
    return totals;
}

PeriodBests BestsOf(std::span<const RideSummary> rides, Period period)
{
    PeriodBests bests;
    std::map<int, double> weekLoads; // by the week's Sunday
    for (const RideSummary &ride : rides) {
        const int day = DayOf(ride);
        if (!Within(day, period))
            continue;
        Keep(bests.longestDistance, ride.distance / 10.0, ride);
        Keep(bests.longestTime, ride.seconds, ride);
        if (ride.seconds > 0)
            Keep(bests.highestAverageSpeed, ride.distance / 10.0 / (ride.seconds / 3600.0), ride);
        for (std::size_t w = 0; w < bests.speed.size(); ++w) {
            Keep(bests.speed[w], ride.metrics.bests.speed[w], ride);
            Keep(bests.heartRate[w], ride.metrics.bests.heartRate[w], ride);
        }
        if (ride.metrics.trimp)
            weekLoads[WeekStartOf(day)] += *ride.metrics.trimp;
    }
    for (const auto &[week, load] : weekLoads)
        if (!bests.mostLoadWeek || load > bests.mostLoadWeek->load)
            bests.mostLoadWeek = WeekLoad{week, load};
    return bests;
}
