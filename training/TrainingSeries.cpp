#include "training/TrainingSeries.h"

#include <algorithm>

namespace {

// The rides whose start lies within the period, by binary search on the
// start days (rides oldest first).
std::span<const RideSummary> RidesWithin(std::span<const RideSummary> rides, Period period)
{
    const auto first = std::lower_bound(rides.begin(), rides.end(), period.first,
                                        [](const RideSummary &r, int day) { return DayOf(r) < day; });
    const auto last = std::upper_bound(first, rides.end(), period.last,
                                       [](int day, const RideSummary &r) { return day < DayOf(r); });
    return {first, last};
}

double ValueOf(const PeriodTotals &t, BarQuantity quantity)
{
    switch (quantity) {
    case BarQuantity::Distance:
        return double(t.distance) / 10.0;
    case BarQuantity::Time:
        return double(t.seconds) / 3600.0;
    case BarQuantity::Load:
        break;
    }
    return t.load;
}

std::vector<Period> PeriodsOf(int year, BarGrouping grouping)
{
    std::vector<Period> periods;
    if (grouping == BarGrouping::Month) {
        for (int m = 1; m <= 12; ++m)
            periods.push_back(MonthPeriod(year, m));
        return periods;
    }
    const Period whole = YearPeriod(year);
    for (Period week = WeekPeriod(year, 1, 1); week.first <= whole.last; week = {week.first + 7, week.last + 7})
        periods.push_back(week);
    return periods;
}

} // namespace

std::vector<PeriodBar> PeriodBars(std::span<const RideSummary> rides, int year, BarGrouping grouping,
                                  BarQuantity quantity)
{
    const std::vector<Period> periods = PeriodsOf(year, grouping);
    const std::vector<Period> before = PeriodsOf(year - 1, grouping);
    std::vector<PeriodBar> bars;
    bars.reserve(periods.size());
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const PeriodTotals totals = TotalsOf(RidesWithin(rides, periods[i]), periods[i]);
        PeriodBar bar;
        bar.period = periods[i];
        bar.value = ValueOf(totals, quantity);
        bar.rides = totals.rides;
        bar.zoneSeconds = totals.zoneSeconds;
        if (i < before.size())
            bar.previous = ValueOf(TotalsOf(RidesWithin(rides, before[i]), before[i]), quantity);
        bars.push_back(bar);
    }
    return bars;
}

int RangeFirstDay(int lastDay, int months)
{
    if (months <= 0)
        return 0;
    const CalendarDate d = DateOfDay(lastDay);
    int month = d.month - months, year = d.year;
    while (month < 1) {
        month += 12;
        --year;
    }
    const Period target = MonthPeriod(year, month);
    return std::min(target.first + d.day - 1, target.last) + 1;
}

std::string HoursMinutes(long long seconds)
{
    const long long minutes = std::max(0LL, seconds) / 60;
    const long long m = minutes % 60;
    return std::to_string(minutes / 60) + ":" + (m < 10 ? "0" : "") + std::to_string(m);
}
