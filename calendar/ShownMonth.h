#pragma once
// The month shown by the calendar views (month calendar, summary day and
// week grids), its record-day marks, and the totals of the summaries.
// GUI-free: the views draw what this class works out.
#include <array>
#include <cstdint>
#include <string>

class TCalenderSet;
class TKorvanDataBase;
class QLocale;

// What one cell (0..41) of the six-week grid of the shown month holds.
struct TDayCell {
    int Month;   // -1 the month before, 0 the shown month, 1 the month after
    int Day;     // 1..31
    bool Marked; // the rider has a record of that day (in its own month's marks)
    int Rides = 0; // how many record files of that day the scan found
};

// Totals of a day, a week or a month of records.
struct TSumTotals {
    std::int64_t Seconds = 0;
    std::uint32_t Distance = 0; // tenths of a kilometre
    std::int32_t Kcal = 0;
};

class TShownMonth {
public:
    explicit TShownMonth(TCalenderSet &calSet) : CalSet(calSet) {}

    // The shown month; written only through SetShownMonth and StepMonth.
    const std::int16_t &ShowYear = year_;
    const std::int16_t &ShowMonth = month_;
    // Record-day marks: bytes 0..30 the shown month, 31..61 the month
    // before, 62..92 the month after; byte d-1 is 1 when day d has a record.
    const std::array<std::uint8_t, 93> &DayMarks = marks_;

    // The one writer of the shown month: sets it and the month geometry of
    // CalSet (SetMonth). A month outside 1..12 is brought into range by
    // whole years.
    void SetShownMonth(int year, int month);
    // One month forward (+1) or back (-1), across year ends.
    void StepMonth(int delta);
    // All marks zero.
    void ClearMarks();
    // Marks the days of the three months that have a record file in
    // riderFolder (names YYMMDD*.TR9, extension in any letter case); one
    // folder listing. No folder (nobody logged in yet) or a missing one
    // leaves every day unmarked.
    void ScanRecordDays(const std::string &riderFolder);
    // Cell k (0..41) of the shown month's grid (CalSet holds its geometry).
    TDayCell Cell(int k) const;
    // What a screen reader says of a cell: "4 July, 2 rides", "4 July, 1
    // ride", "4 July"; monthName is the name of the cell's own month, ride
    // and rides the words for one and more records.
    static std::string CellName(const TDayCell &cell, const std::string &monthName, const std::string &ride,
                                const std::string &rides);
    // The month (1..12) of a cell of the shown month's grid.
    int CellMonth(const TDayCell &cell) const;

    // Totals over the store's RecordFiles (SumDay). Week: grid row 0..5 of
    // the shown month, Sunday to Saturday across month and year ends; the
    // shown month's geometry is restored afterwards. Month: every day of the
    // shown month.
    static TSumTotals DayTotals(TKorvanDataBase &db, int year, int month, int day);
    TSumTotals WeekTotals(TKorvanDataBase &db, int row) const;
    TSumTotals MonthTotals(TKorvanDataBase &db) const;

    // Texts of the three totals boxes: "01:30:15" (hours of any width),
    // "16.3 KM" (decimal separator of locale), "615 KCal".
    static std::string DurationText(std::int64_t seconds);
    static std::string DistanceText(std::uint32_t tenths, const QLocale &locale);
    static std::string KcalText(std::int32_t kcal);

    TCalenderSet &CalSet;

private:
    std::int16_t year_ = 0;
    std::int16_t month_ = 1;
    std::array<std::uint8_t, 93> marks_{};
    std::array<int, 93> rides_{}; // record files per day, in the order of marks_
};
