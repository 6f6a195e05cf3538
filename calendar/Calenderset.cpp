#include "calendar/Calenderset.h"

namespace {

bool IsLeap(long long y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// days_from_civil), exact for every year an int holds.
long long DaysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

int TCalenderSet::DaysIn(int year, int month)
{
    switch (month) {
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return IsLeap(year) ? 29 : 28;
    default:
        return 31;
    }
}

int TCalenderSet::DayOfWeek(int year, int month, int day)
{
    // 1970-01-01 was a Thursday (5 counting Sunday as 1).
    const long long w = (DaysFromCivil(year, month, day) + 4) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w) + 1;
}

int TCalenderSet::SetMonth(int year, std::uint16_t month)
{
    const int w = DayOfWeek(year, month, 1) - 1;
    FirstWeekDay = static_cast<std::uint16_t>(w == 0 ? 7 : w);
    MonthDays = static_cast<std::uint16_t>(DaysIn(year, month));
    PrevMonthDays = static_cast<std::uint16_t>(month == 1 ? 31 : DaysIn(year, month - 1));
    return 0;
}

int TCalenderSet::GridStart(int year, std::uint16_t month)
{
    GridYear = static_cast<std::uint16_t>(year);
    GridMonth = month;
    SetMonth(year, month);
    GridDay = static_cast<std::uint16_t>(PrevMonthDays - FirstWeekDay + 1);
    GridMonth = static_cast<std::uint16_t>(GridMonth - 1);
    if (GridMonth == 0) {
        GridMonth = 12;
        GridYear = static_cast<std::uint16_t>(GridYear - 1);
    }
    return 0;
}

int TCalenderSet::WeekStart(std::uint16_t year, std::uint16_t month, std::uint16_t row)
{
    GridStart(year, month);
    RowYear = GridYear;
    RowMonth = GridMonth;
    SetMonth(RowYear, RowMonth);
    long long day = GridDay + 7LL * row;
    while (day > MonthDays) {
        day -= MonthDays;
        RowMonth = static_cast<std::uint16_t>(RowMonth + 1);
        if (RowMonth > 12) {
            RowMonth = 1;
            RowYear = static_cast<std::uint16_t>(RowYear + 1);
        }
        SetMonth(RowYear, RowMonth);
    }
    RowDay = static_cast<std::uint16_t>(day);
    return 0;
}

int TCalenderSet::NextDate(int year, std::uint16_t month, std::uint16_t day)
{
    NextYear = static_cast<std::uint16_t>(year);
    NextMonth = month;
    SetMonth(year, month);
    NextDay = static_cast<std::uint16_t>(day + 1);
    if (NextDay > MonthDays) {
        NextDay = 1;
        NextMonth = static_cast<std::uint16_t>(NextMonth + 1);
        if (NextMonth > 12) {
            NextMonth = 1;
            NextYear = static_cast<std::uint16_t>(NextYear + 1);
        }
    }
    return 0;
}
