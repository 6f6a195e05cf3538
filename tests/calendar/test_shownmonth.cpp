// The shown month: grid cells, record-day marks from the rider folder,
// month steps, week and month totals, and the texts of the totals boxes.
#include "calendar/Calenderset.h"
#include "calendar/ShownMonth.h"
#include "store/Databasecontroler.h"
#include "tests/calendar/RecordDays.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct Shown {
    TCalenderSet cal;
    TShownMonth month{cal};
};

// Cell k as a date (month before / shown / after resolved).
QDate CellDate(const TShownMonth &s, int k)
{
    const TDayCell c = s.Cell(k);
    return QDate(s.ShowYear, s.ShowMonth, 1).addMonths(c.Month).addDays(c.Day - 1);
}

TEST(ShownMonth, CellsOfTheListedMonths)
{
    struct Case { int year, month, cell; QDate date; int relation; };
    const Case cases[] = {
        {2012, 3, 0, {2012, 2, 26}, -1},  {2012, 3, 3, {2012, 2, 29}, -1}, {2012, 3, 4, {2012, 3, 1}, 0},
        {2012, 3, 35, {2012, 4, 1}, 1},   {2012, 3, 41, {2012, 4, 7}, 1},  {2012, 4, 0, {2012, 3, 25}, -1},
        {2012, 4, 6, {2012, 3, 31}, -1},  {2012, 4, 7, {2012, 4, 1}, 0},   {2012, 4, 37, {2012, 5, 1}, 1},
        {2012, 4, 41, {2012, 5, 5}, 1},   {2012, 10, 0, {2012, 9, 30}, -1}, {2012, 10, 1, {2012, 10, 1}, 0},
        {2012, 10, 32, {2012, 11, 1}, 1}, {2012, 10, 41, {2012, 11, 10}, 1}, {2013, 2, 0, {2013, 1, 27}, -1},
        {2013, 2, 4, {2013, 1, 31}, -1},  {2013, 2, 5, {2013, 2, 1}, 0},   {2013, 2, 32, {2013, 2, 28}, 0},
        {2013, 2, 33, {2013, 3, 1}, 1},   {2013, 2, 41, {2013, 3, 9}, 1},  {2013, 1, 0, {2012, 12, 30}, -1},
        {2012, 12, 41, {2013, 1, 5}, 1},
    };
    Shown s;
    for (const Case &c : cases) {
        s.month.SetShownMonth(c.year, c.month);
        EXPECT_EQ(s.month.Cell(c.cell).Month, c.relation) << c.year << "-" << c.month << " cell " << c.cell;
        EXPECT_EQ(CellDate(s.month, c.cell), c.date) << c.year << "-" << c.month << " cell " << c.cell;
    }
    // Every grid of two years: consecutive days, Sunday first, the whole month inside.
    for (int m = 1; m <= 24; ++m) {
        s.month.SetShownMonth(2012, m);
        const QDate first(s.month.ShowYear, s.month.ShowMonth, 1);
        EXPECT_EQ(CellDate(s.month, 0).dayOfWeek(), 7);
        EXPECT_LT(CellDate(s.month, 0), first);
        for (int k = 1; k < 42; ++k)
            ASSERT_EQ(CellDate(s.month, k), CellDate(s.month, k - 1).addDays(1)) << m << " " << k;
        EXPECT_GT(CellDate(s.month, 41), first.addDays(first.daysInMonth() - 1));
    }
}

TEST(ShownMonth, StepsAcrossYearsKeepTheGeometry)
{
    Shown s;
    s.month.SetShownMonth(2012, 12);
    s.month.StepMonth(+1);
    EXPECT_EQ(s.month.ShowYear, 2013);
    EXPECT_EQ(s.month.ShowMonth, 1);
    EXPECT_EQ(s.cal.FirstWeekDay, 2); // 1 January 2013, a Tuesday
    s.month.StepMonth(-1);
    EXPECT_EQ(s.month.ShowYear, 2012);
    EXPECT_EQ(s.month.ShowMonth, 12);
    EXPECT_EQ(s.cal.FirstWeekDay, 6);
    s.month.SetShownMonth(2012, 14);
    EXPECT_EQ(QDate(s.month.ShowYear, s.month.ShowMonth, 1), QDate(2013, 2, 1));
    EXPECT_EQ(s.cal.MonthDays, 28);
    s.month.SetShownMonth(2013, 0);
    EXPECT_EQ(QDate(s.month.ShowYear, s.month.ShowMonth, 1), QDate(2012, 12, 1));
}

TEST(ShownMonth, MarksComeFromTheRecordNamesOfThreeMonths)
{
    TempFolder rider;
    for (const char *name : {"130105080000.TR9", "130131235959.tr9", "121231070000.TR9", "121201070000.TR9",
                             "130201090000.TR9", "130228090000.TR9", "130301090000.TR9", "130110.TR9"})
        writeFileBytes(rider.file(name), "");
    // Not record files of a day: another extension, a hidden name, no day.
    for (const char *name : {"130111080000.TXT", ".130112080000.TR9", "1301xx080000.TR9", "130100080000.TR9"})
        writeFileBytes(rider.file(name), "");
    QDir().mkpath(QString::fromStdString(rider.file("130113.TR9")));

    Shown s;
    s.month.SetShownMonth(2013, 1);
    s.month.ScanRecordDays(rider.path() + "/");
    std::array<std::uint8_t, 93> expected{};
    for (int i : {4, 30, 9, 12})  // 5, 31, 10 and (a folder) 13 January
        expected[std::size_t(i)] = 1;
    expected[31 + 30] = 1;         // 31 December 2012
    expected[31 + 0] = 1;          // 1 December 2012
    expected[62 + 0] = 1;          // 1 February 2013
    expected[62 + 27] = 1;         // 28 February 2013
    EXPECT_EQ(s.month.DayMarks, expected);

    // Day 30 of February: a byte the grids never draw.
    writeFileBytes(rider.file("130230080000.TR9"), "");
    s.month.SetShownMonth(2013, 2);
    s.month.ScanRecordDays(rider.path() + "/");
    EXPECT_EQ(s.month.DayMarks[29], 1);
    EXPECT_EQ(s.month.DayMarks[0], 1);
    EXPECT_EQ(s.month.DayMarks[31 + 4], 1);
    EXPECT_EQ(s.month.DayMarks[62 + 0], 1);
    for (int k = 0; k < 42; ++k) {
        if (s.month.Cell(k).Month == 0) {
            EXPECT_NE(s.month.Cell(k).Day, 30);
        }
    }

    // Year 2100 reads the digits 00; its December before, 99.
    writeFileBytes(rider.file("000115080000.TR9"), "");
    writeFileBytes(rider.file("991224080000.TR9"), "");
    s.month.SetShownMonth(2100, 1);
    s.month.ScanRecordDays(rider.path() + "/");
    EXPECT_EQ(s.month.DayMarks[14], 1);
    EXPECT_EQ(s.month.DayMarks[31 + 23], 1);

    // A missing folder leaves every day unmarked.
    s.month.ScanRecordDays(rider.file("gone") + "/");
    EXPECT_EQ(s.month.DayMarks, (std::array<std::uint8_t, 93>{}));
}

class Totals : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.RiderFolder = rider.path() + "/";
        WriteRide(rider.path(), "120704080000.TR9", {1, 0, 0, 123, 400});
        WriteRide(rider.path(), "120704180000.TR9", {0, 30, 15, 40, 215});
        WriteRide(rider.path(), "120731080000.TR9", {2, 0, 0, 500, 900});
        WriteRide(rider.path(), "120801080000.TR9", {9, 0, 0, 999, 999});
        WriteRide(rider.path(), "121229080000.TR9", {5, 0, 0, 1, 1});
        WriteRide(rider.path(), "121230080000.TR9", {50, 0, 0, 100, 1000});
        WriteRide(rider.path(), "130105080000.TR9", {50, 0, 0, 200, 2000});
        WriteRide(rider.path(), "130106080000.TR9", {7, 0, 0, 7, 7});
        db.ListRecordFiles();
    }
    TempFolder rider;
    TKorvanDataBase db;
    Shown s;
};

TEST_F(Totals, DayWeekAndMonth)
{
    const TSumTotals day = TShownMonth::DayTotals(db, 2012, 7, 4);
    EXPECT_EQ(day.Seconds, 5415);
    EXPECT_EQ(day.Distance, 163u);
    EXPECT_EQ(day.Kcal, 615);

    s.month.SetShownMonth(2012, 7);
    const TSumTotals month = s.month.MonthTotals(db);
    EXPECT_EQ(month.Seconds, 5415 + 7200);
    EXPECT_EQ(month.Distance, 663u);
    EXPECT_EQ(month.Kcal, 1515);

    // Row 0 of January 2013: 30 December 2012 to 5 January 2013.
    s.month.SetShownMonth(2013, 1);
    const TSumTotals week = s.month.WeekTotals(db, 0);
    EXPECT_EQ(week.Seconds, 100 * 3600);
    EXPECT_EQ(week.Distance, 300u);
    EXPECT_EQ(week.Kcal, 3000);
    EXPECT_EQ(TShownMonth::DurationText(week.Seconds), "100:00:00");
    // The walk leaves the shown month's geometry as it found it.
    EXPECT_EQ(s.cal.FirstWeekDay, 2);
    EXPECT_EQ(s.cal.MonthDays, 31);
    EXPECT_EQ(s.cal.PrevMonthDays, 31);
    // Row 4 of December 2012 holds 23..29 December; row 5, 30 December to 5 January.
    s.month.SetShownMonth(2012, 12);
    EXPECT_EQ(s.month.WeekTotals(db, 4).Seconds, 5 * 3600);
    EXPECT_EQ(s.month.WeekTotals(db, 5).Kcal, 3000);
    EXPECT_EQ(s.cal.MonthDays, 31);
    EXPECT_EQ(s.cal.FirstWeekDay, 6);
    // A row without records.
    s.month.SetShownMonth(2012, 3);
    const TSumTotals none = s.month.WeekTotals(db, 5);
    EXPECT_EQ(none.Seconds, 0);
    EXPECT_EQ(none.Distance, 0u);
    EXPECT_EQ(none.Kcal, 0);
}

TEST(ShownMonthText, TotalsBoxes)
{
    const std::pair<std::int64_t, const char *> durations[] = {
        {0, "00:00:00"}, {600, "00:10:00"}, {3661, "01:01:01"}, {5415, "01:30:15"},
        {36000, "10:00:00"}, {125 * 3600, "125:00:00"}, {10000 * 3600 + 59, "10000:00:59"},
    };
    for (const auto &[seconds, text] : durations)
        EXPECT_EQ(TShownMonth::DurationText(seconds), text);

    const QLocale c = QLocale::c();
    const QLocale comma(QLocale::German, QLocale::Germany);
    const std::tuple<std::uint32_t, const char *, const char *> distances[] = {
        {0, "0 KM", "0 KM"},         {100, "10 KM", "10 KM"},   {123, "12.3 KM", "12,3 KM"},
        {163, "16.3 KM", "16,3 KM"}, {5, "0.5 KM", "0,5 KM"}, {4294967295u, "429496729.5 KM", "429496729,5 KM"},
    };
    for (const auto &[tenths, dot, decimalComma] : distances) {
        EXPECT_EQ(TShownMonth::DistanceText(tenths, c), dot);
        EXPECT_EQ(TShownMonth::DistanceText(tenths, comma), decimalComma);
    }
    EXPECT_EQ(TShownMonth::KcalText(615), "615 KCal");
    EXPECT_EQ(TShownMonth::KcalText(0), "0 KCal");
}

} // namespace
