#include "calendar/ShownMonth.h"

#include "calendar/Calenderset.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QLocale>
#include <cstdio>

namespace {

// The month before (delta -1) or after (+1) of (year, month).
void NeighbourMonth(int year, int month, int delta, int &outYear, int &outMonth)
{
    outMonth = month + delta;
    outYear = year;
    if (outMonth < 1) {
        outMonth = 12;
        --outYear;
    } else if (outMonth > 12) {
        outMonth = 1;
        ++outYear;
    }
}

int TwoDigits(const std::string &name, std::size_t at)
{
    const char a = name[at], b = name[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

// Distance and calories wrap like the 32-bit sums they are, never
// overflowing a signed number.
void Add(TSumTotals &sum, std::int64_t seconds, std::uint32_t distance, std::int32_t kcal)
{
    sum.Seconds += seconds;
    sum.Distance += distance;
    sum.Kcal = static_cast<std::int32_t>(static_cast<std::uint32_t>(sum.Kcal) + static_cast<std::uint32_t>(kcal));
}

void Add(TSumTotals &sum, const TKorvanDataBase &db)
{
    Add(sum, db.DaySeconds, static_cast<std::uint32_t>(db.DayDistance), db.DayKcal);
}

} // namespace

void TShownMonth::SetShownMonth(int year, int month)
{
    while (month > 12) {
        month -= 12;
        ++year;
    }
    while (month <= 0) {
        month += 12;
        --year;
    }
    year_ = static_cast<std::int16_t>(year);
    month_ = static_cast<std::int16_t>(month);
    CalSet.SetMonth(year_, static_cast<std::uint16_t>(month_));
}

void TShownMonth::StepMonth(int delta)
{
    SetShownMonth(year_, month_ + delta);
}

void TShownMonth::ClearMarks()
{
    marks_.fill(0);
    rides_.fill(0);
}

void TShownMonth::ScanRecordDays(const std::string &riderFolder)
{
    ClearMarks();
    // Before the first login there is no rider folder: nothing to mark, and
    // no folder to list at start-up.
    if (riderFolder.empty())
        return;
    // The three months in the order of their mark tables.
    int years[3], months[3];
    years[0] = year_;
    months[0] = month_;
    NeighbourMonth(year_, month_, -1, years[1], months[1]);
    NeighbourMonth(year_, month_, +1, years[2], months[2]);
    // The entries the record lists show, so a marked day always has a
    // record to total.
    for (const std::string &name : ListShownEntries(riderFolder, EntryKind::PlainFile)) {
        if (name.size() < 10 || !EndsWithNoCase(name, ".TR9"))
            continue;
        const int yy = TwoDigits(name, 0), mm = TwoDigits(name, 2), dd = TwoDigits(name, 4);
        if (yy < 0 || mm < 0 || dd < 1 || dd > 31)
            continue;
        for (int t = 0; t < 3; ++t) {
            const int y = years[t] % 100;
            if (yy == (y < 0 ? y + 100 : y) && mm == months[t]) {
                marks_[std::size_t(31 * t + dd - 1)] = 1;
                ++rides_[std::size_t(31 * t + dd - 1)];
            }
        }
    }
}

TDayCell TShownMonth::Cell(int k) const
{
    const int f = CalSet.FirstWeekDay, n = CalSet.MonthDays, p = CalSet.PrevMonthDays;
    // Mark of day d in the table of month t (0 shown, 1 before, 2 after);
    // a day outside 1..31 (a grid asked for before any month was set) has none.
    auto cell = [this](int month, int t, int d) {
        const bool valid = d >= 1 && d <= 31;
        const std::size_t i = valid ? std::size_t(31 * t + d - 1) : 0;
        return TDayCell{month, d, valid && marks_[i] == 1, valid ? rides_[i] : 0};
    };
    if (k < f)
        return cell(-1, 1, p - f + k + 1);
    if (k < f + n)
        return cell(0, 0, k - f + 1);
    return cell(1, 2, k - f - n + 1);
}

int TShownMonth::CellMonth(const TDayCell &cell) const
{
    const int m = month_ + cell.Month;
    return m < 1 ? 12 : m > 12 ? 1 : m;
}

std::string TShownMonth::CellName(const TDayCell &cell, const std::string &monthName, const std::string &ride,
                                  const std::string &rides)
{
    std::string name = std::to_string(cell.Day) + " " + monthName;
    if (cell.Rides > 0)
        name += ", " + std::to_string(cell.Rides) + " " + (cell.Rides == 1 ? ride : rides);
    return name;
}

TSumTotals TShownMonth::DayTotals(TKorvanDataBase &db, int year, int month, int day)
{
    TSumTotals sum;
    db.SumDay(year % 100, month, day);
    Add(sum, db);
    return sum;
}

TSumTotals TShownMonth::WeekTotals(TKorvanDataBase &db, int row) const
{
    CalSet.WeekStart(static_cast<std::uint16_t>(year_), static_cast<std::uint16_t>(month_),
                     static_cast<std::uint16_t>(row));
    CalSet.CurYear = CalSet.RowYear;
    CalSet.CurMonth = CalSet.RowMonth;
    CalSet.CurDay = CalSet.RowDay;
    TSumTotals sum = DayTotals(db, CalSet.CurYear, CalSet.CurMonth, CalSet.CurDay);
    for (int i = 0; i < 6; ++i) {
        CalSet.NextDate(CalSet.CurYear, CalSet.CurMonth, CalSet.CurDay);
        CalSet.CurYear = CalSet.NextYear;
        CalSet.CurMonth = CalSet.NextMonth;
        CalSet.CurDay = CalSet.NextDay;
        const TSumTotals day = DayTotals(db, CalSet.CurYear, CalSet.CurMonth, CalSet.CurDay);
        Add(sum, day.Seconds, day.Distance, day.Kcal);
    }
    CalSet.SetMonth(year_, static_cast<std::uint16_t>(month_));
    return sum;
}

TSumTotals TShownMonth::MonthTotals(TKorvanDataBase &db) const
{
    TSumTotals sum;
    for (int d = 1; d <= CalSet.MonthDays; ++d) {
        db.SumDay(year_ % 100, month_, d);
        Add(sum, db);
    }
    return sum;
}

std::string TShownMonth::DurationText(std::int64_t seconds)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds % 3600 / 60), static_cast<long long>(seconds % 60));
    return buf;
}

std::string TShownMonth::DistanceText(std::uint32_t tenths, const QLocale &locale)
{
    std::string text = TKorvanDataBase::TenthsText(std::to_string(tenths));
    const std::string point = QString(locale.decimalPoint()).toStdString();
    if (const std::size_t dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, point);
    return text + " KM";
}

std::string TShownMonth::KcalText(std::int32_t kcal)
{
    return std::to_string(kcal) + " KCal";
}
