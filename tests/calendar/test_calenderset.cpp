// Calendar arithmetic against the worked examples and against QDate.
#include "calendar/Calenderset.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

QDate Row(const TCalenderSet &c) { return QDate(c.RowYear, c.RowMonth, c.RowDay); }

TEST(CalenderSet, WorkedExamples)
{
    TCalenderSet c;
    c.SetMonth(2012, 3);
    EXPECT_EQ(c.FirstWeekDay, 4);
    EXPECT_EQ(c.MonthDays, 31);
    EXPECT_EQ(c.PrevMonthDays, 29);
    c.GridStart(2012, 3);
    EXPECT_EQ(QDate(c.GridYear, c.GridMonth, c.GridDay), QDate(2012, 2, 26));
    c.SetMonth(2012, 4);
    EXPECT_EQ(c.FirstWeekDay, 7); // a Sunday: day 1 in cell 7
    c.GridStart(2012, 4);
    EXPECT_EQ(QDate(c.GridYear, c.GridMonth, c.GridDay), QDate(2012, 3, 25));
    c.GridStart(2012, 10);
    EXPECT_EQ(QDate(c.GridYear, c.GridMonth, c.GridDay), QDate(2012, 9, 30));
    c.GridStart(2013, 1);
    EXPECT_EQ(QDate(c.GridYear, c.GridMonth, c.GridDay), QDate(2012, 12, 30));
    c.SetMonth(2013, 2);
    EXPECT_EQ(c.FirstWeekDay, 5);
    EXPECT_EQ(c.MonthDays, 28);
    c.SetMonth(2013, 1);
    EXPECT_EQ(c.PrevMonthDays, 31);

    c.WeekStart(2012, 3, 0);
    EXPECT_EQ(Row(c), QDate(2012, 2, 26));
    EXPECT_EQ(c.MonthDays, 29); // geometry of the month of the result
    c.WeekStart(2012, 3, 5);
    EXPECT_EQ(Row(c), QDate(2012, 4, 1));
    EXPECT_EQ(c.MonthDays, 30);
    c.WeekStart(2012, 12, 0);
    EXPECT_EQ(Row(c), QDate(2012, 11, 25));
    c.WeekStart(2012, 12, 5);
    EXPECT_EQ(Row(c), QDate(2012, 12, 30));
    c.WeekStart(2013, 2, 5);
    EXPECT_EQ(Row(c), QDate(2013, 3, 3));

    c.NextDate(2012, 2, 29);
    EXPECT_EQ(QDate(c.NextYear, c.NextMonth, c.NextDay), QDate(2012, 3, 1));
    EXPECT_EQ(c.MonthDays, 29);
    c.NextDate(2012, 12, 31);
    EXPECT_EQ(QDate(c.NextYear, c.NextMonth, c.NextDay), QDate(2013, 1, 1));
    c.SetMonth(1900, 2);
    EXPECT_EQ(c.MonthDays, 28);
    c.SetMonth(2000, 2);
    EXPECT_EQ(c.MonthDays, 29);
}

// The week summary walks a grid row with the cursor: WeekStart, then
// NextDate six times.
TEST(CalenderSet, WeekWalkAcrossMonthAndYear)
{
    struct Case {
        int year, month, row;
        QDate first, last;
    };
    const Case cases[] = {{2012, 3, 0, QDate(2012, 2, 26), QDate(2012, 3, 3)},
                          {2012, 3, 5, QDate(2012, 4, 1), QDate(2012, 4, 7)},
                          {2013, 1, 0, QDate(2012, 12, 30), QDate(2013, 1, 5)}};
    for (const Case &k : cases) {
        TCalenderSet c;
        c.WeekStart(static_cast<std::uint16_t>(k.year), static_cast<std::uint16_t>(k.month),
                    static_cast<std::uint16_t>(k.row));
        c.CurYear = c.RowYear, c.CurMonth = c.RowMonth, c.CurDay = c.RowDay;
        EXPECT_EQ(QDate(c.CurYear, c.CurMonth, c.CurDay), k.first);
        for (int i = 0; i < 6; ++i) {
            c.NextDate(c.CurYear, c.CurMonth, c.CurDay);
            c.CurYear = c.NextYear, c.CurMonth = c.NextMonth, c.CurDay = c.NextDay;
        }
        EXPECT_EQ(QDate(c.CurYear, c.CurMonth, c.CurDay), k.last);
    }
}

TEST(CalenderSet, AgreesWithQDateFrom1900To2100)
{
    TCalenderSet c;
    for (int y = 1900; y <= 2100; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const QDate first(y, m, 1);
            c.SetMonth(y, static_cast<std::uint16_t>(m));
            ASSERT_EQ(c.FirstWeekDay, first.dayOfWeek()) << y << "-" << m;
            ASSERT_EQ(c.MonthDays, first.daysInMonth());
            ASSERT_EQ(c.PrevMonthDays, first.addMonths(-1).daysInMonth());
            const QDate grid = first.addDays(-c.FirstWeekDay);
            c.GridStart(y, static_cast<std::uint16_t>(m));
            ASSERT_EQ(QDate(c.GridYear, c.GridMonth, c.GridDay), grid);
            for (int row = 0; row < 6; ++row) {
                c.WeekStart(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                            static_cast<std::uint16_t>(row));
                ASSERT_EQ(Row(c), grid.addDays(7 * row));
                ASSERT_EQ(c.MonthDays, Row(c).daysInMonth());
            }
            for (int d = 1; d <= first.daysInMonth(); ++d) {
                c.NextDate(y, static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(d));
                ASSERT_EQ(QDate(c.NextYear, c.NextMonth, c.NextDay), QDate(y, m, d).addDays(1));
            }
        }
    }
}

TEST(CalenderSet, OutOfRangeInputStaysDefined)
{
    TCalenderSet c;
    c.SetMonth(2012, 0);
    c.SetMonth(-5, 13);
    c.WeekStart(0, 0, 65535);
    c.WeekStart(65535, 12, 5);
    c.NextDate(2012, 65535, 65535);
    EXPECT_GE(c.MonthDays, 28);
    EXPECT_LE(c.MonthDays, 31);
}

} // namespace
