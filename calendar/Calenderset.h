#pragma once
// Calendar arithmetic of the month grid (6 rows of 7 days, Sunday first),
// proleptic Gregorian. Every operation returns 0 and leaves its results in
// the fields.
#include <cstdint>

class TCalenderSet {
public:
    std::uint16_t FirstWeekDay = 0;  // weekday of day 1: 1 Monday .. 7 Sunday; also its grid cell
    std::uint16_t MonthDays = 0;     // days of the month
    std::uint16_t PrevMonthDays = 0; // days of the month before
    std::uint16_t GridYear = 0;      // date in grid cell 0
    std::uint16_t GridMonth = 0;
    std::uint16_t GridDay = 0;
    std::uint16_t RowYear = 0;       // date in column 0 of a grid row
    std::uint16_t RowMonth = 0;
    std::uint16_t RowDay = 0;
    std::uint16_t NextYear = 0;      // the day after a date
    std::uint16_t NextMonth = 0;
    std::uint16_t NextDay = 0;
    std::uint16_t CurYear = 0;       // day cursor of the week summary
    std::uint16_t CurMonth = 0;
    std::uint16_t CurDay = 0;

    // Sets FirstWeekDay, MonthDays, PrevMonthDays for (year, month 1..12).
    int SetMonth(int year, std::uint16_t month);
    // Sets GridYear, GridMonth, GridDay; also SetMonth(year, month).
    int GridStart(int year, std::uint16_t month);
    // Sets RowYear, RowMonth, RowDay for row 0..5 of the grid of (year, month);
    // the geometry fields then describe the month of the result.
    int WeekStart(std::uint16_t year, std::uint16_t month, std::uint16_t row);
    // Sets NextYear, NextMonth, NextDay; the geometry fields then describe
    // (year, month).
    int NextDate(int year, std::uint16_t month, std::uint16_t day);

    // Days of a month (a month outside 1..12 counts 31).
    static int DaysIn(int year, int month);
    // Day of week, 1 Sunday .. 7 Saturday.
    static int DayOfWeek(int year, int month, int day);
};
