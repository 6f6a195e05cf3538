#pragma once
// What the Training panel draws, computed from the rides' summaries: the
// bars of the weeks or months of a year with the same periods of the year
// before, their time in zones, the first day of a fitness range, and the
// text of a duration. GUI-free.
#include "training/Periods.h"

#include <span>
#include <string>
#include <vector>

enum class BarQuantity { Distance, Time, Load };
enum class BarGrouping { Week, Month };

struct PeriodBar {
    Period period;
    double value = 0;    // km, hours or load
    double previous = 0; // the same period of the year before
    int rides = 0;
    std::array<long long, 6> zoneSeconds{}; // below zone 1, zones 1-5
};

// The Sunday-to-Saturday weeks from the one holding 1 January to the one
// holding 31 December (rides counted by their start within the week), or
// the twelve months. rides: oldest first.
std::vector<PeriodBar> PeriodBars(std::span<const RideSummary> rides, int year, BarGrouping grouping,
                                  BarQuantity quantity);

// The first day of the last `months` months before lastDay (0: all, from
// the first entry of the series).
int RangeFirstDay(int lastDay, int months);

// "h:mm" of seconds, hours unbounded.
std::string HoursMinutes(long long seconds);
