// The shown month: grid cells, record-day marks from the rider folder,
// month steps, week and month totals, and the texts of the totals boxes.
#include "calendar/Calenderset.h"
#include "calendar/ShownMonth.h"
#include "store/Databasecontroler.h"
#include "tests/calendar/RecordDays.h"

#include <QDate>
#include <QDir>
#include <QFile>
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

TEST(ShownMonth, CellsAndStepsAcrossYears)
{
    // The listed months: cell 0, the cell of day 1, the first cell of the month after.
    struct Case { int year, month; QDate cell0; int first, after; };
    const Case cases[] = {{2012, 3, {2012, 2, 26}, 4, 35},  {2012, 4, {2012, 3, 25}, 7, 37},
                          {2012, 10, {2012, 9, 30}, 1, 32}, {2013, 2, {2013, 1, 27}, 5, 33},
                          {2013, 1, {2012, 12, 30}, 2, 33}, {2012, 12, {2012, 11, 25}, 6, 37}};
    Shown s;
    for (const Case &c : cases) {
        s.month.SetShownMonth(c.year, c.month);
        EXPECT_EQ(CellDate(s.month, 0), c.cell0) << c.year << "-" << c.month;
        EXPECT_EQ(s.month.Cell(c.first - 1).Month, -1);
        EXPECT_EQ(s.month.Cell(c.first).Month, 0);
        EXPECT_EQ(s.month.Cell(c.first).Day, 1);
        EXPECT_EQ(s.month.Cell(c.after - 1).Month, 0);
        EXPECT_EQ(s.month.Cell(c.after).Month, 1);
        EXPECT_EQ(s.month.Cell(c.after).Day, 1);
    }
    // Every grid of two years, reached by month steps: 42 consecutive days.
    s.month.SetShownMonth(2011, 12);
    for (int m = 1; m <= 24; ++m) {
        s.month.StepMonth(+1);
        EXPECT_EQ(QDate(s.month.ShowYear, s.month.ShowMonth, 1), QDate(2012, 1, 1).addMonths(m - 1));
        for (int k = 1; k < 42; ++k)
            ASSERT_EQ(CellDate(s.month, k), CellDate(s.month, k - 1).addDays(1)) << m << " " << k;
    }
    s.month.StepMonth(-1);
    EXPECT_EQ(QDate(s.month.ShowYear, s.month.ShowMonth, 1), QDate(2013, 11, 1));
    s.month.SetShownMonth(2013, 0);
    EXPECT_EQ(QDate(s.month.ShowYear, s.month.ShowMonth, 1), QDate(2012, 12, 1));
    EXPECT_EQ(s.cal.FirstWeekDay, 6);
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
    // Nor a folder or a link named like one: the record lists never show them.
    QDir().mkpath(QString::fromStdString(rider.file("130113.TR9")));
    QFile::link(QString::fromStdString(rider.file("130105080000.TR9")),
                QString::fromStdString(rider.file("130114080000.TR9")));

    Shown s;
    s.month.SetShownMonth(2013, 1);
    s.month.ScanRecordDays(rider.path() + "/");
    std::array<std::uint8_t, 93> expected{};
    for (int i : {4, 30, 9})  // 5, 31 and 10 January
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

    // Calories past the 32-bit range wrap as a 32-bit sum, never overflowing.
    WriteRide(rider.path(), "110101080000.TR9", {0, 0, 0, 0, 2147483647});
    WriteRide(rider.path(), "110102080000.TR9", {0, 0, 0, 0, 2147483647});
    db.ListRecordFiles();
    s.month.SetShownMonth(2011, 1);
    EXPECT_EQ(s.month.MonthTotals(db).Kcal, -2);
}

TEST(ShownMonthText, TotalsBoxes)
{
    const std::pair<std::int64_t, const char *> durations[] = {
        {0, "00:00:00"}, {600, "00:10:00"}, {3661, "01:01:01"}, {36000, "10:00:00"}, {125 * 3600, "125:00:00"}};
    for (const auto &[seconds, text] : durations)
        EXPECT_EQ(TShownMonth::DurationText(seconds), text);

    const QLocale c = QLocale::c();
    const QLocale comma(QLocale::German, QLocale::Germany);
    const std::tuple<std::uint32_t, const char *, const char *> distances[] = {
        {0, "0 KM", "0 KM"}, {100, "10 KM", "10 KM"}, {123, "12.3 KM", "12,3 KM"},
        {4294967295u, "429496729.5 KM", "429496729,5 KM"},
    };
    for (const auto &[tenths, dot, decimalComma] : distances) {
        EXPECT_EQ(TShownMonth::DistanceText(tenths, c), dot);
        EXPECT_EQ(TShownMonth::DistanceText(tenths, comma), decimalComma);
    }
    EXPECT_EQ(TShownMonth::KcalText(615), "615 KCal");
    EXPECT_EQ(TShownMonth::KcalText(0), "0 KCal");
}

} // namespace

namespace {

// What a screen reader hears of a cell: its day, its own month (also across
// the year's end) and how many rides the scan found on it.
TEST(ShownMonth, CellNamesTellTheDayItsMonthAndItsRides)
{
    TempFolder rider;
    for (const char *name : {"130101080000.TR9", "130101180000.TR9", "121230080000.TR9", "130102080000.tr9"})
        WriteRide(rider.path(), name);
    Shown s;
    s.month.SetShownMonth(2013, 1); // cell 0 is 30 December 2012
    s.month.ScanRecordDays(rider.path() + "/");
    const std::string months[] = {"December", "January"};
    auto name = [&](int k) {
        const TDayCell c = s.month.Cell(k);
        const int m = s.month.CellMonth(c);
        return TShownMonth::CellName(c, m == 12 ? months[0] : months[1], "ride", "rides");
    };
    EXPECT_EQ(name(0), "30 December, 1 ride");
    EXPECT_EQ(name(1), "31 December");
    EXPECT_EQ(name(2), "1 January, 2 rides");
    EXPECT_EQ(name(3), "2 January, 1 ride");
    EXPECT_EQ(s.month.CellMonth(s.month.Cell(41)), 2);
    // A new scan counts afresh.
    s.month.ScanRecordDays(rider.path() + "/");
    EXPECT_EQ(s.month.Cell(2).Rides, 2);
    EXPECT_EQ(TShownMonth::CellName(s.month.Cell(2), "janvier", "sortie", "sorties"), "1 janvier, 2 sorties");
}

} // namespace
