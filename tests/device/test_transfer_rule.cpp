// The end-of-transfer rule and the report count, without timers or widgets.
#include "device/TransferRule.h"
#include "store/NarrowFile.h"

#include <gtest/gtest.h>

TEST(TransferRule, EndsAfterThreeTicksWithoutANewLineAndStartsAgain)
{
    TTransferRule rule;
    rule.Start();
    rule.Report();
    // Ticks with lines still coming never end the transfer.
    for (int lines : {1, 5, 9, 14}) {
        EXPECT_FALSE(rule.Tick(lines)) << lines;
        rule.Seen(lines);
    }
    // The same count: the third such tick ends it.
    EXPECT_FALSE(rule.Tick(14));
    rule.Seen(14);
    EXPECT_FALSE(rule.Tick(14));
    rule.Seen(14);
    EXPECT_TRUE(rule.Tick(14));
    EXPECT_EQ(rule.IdleTicks, 0u);
    // A report in between waits three ticks again.
    rule.Seen(14);
    EXPECT_FALSE(rule.Tick(14));
    EXPECT_FALSE(rule.Tick(14));
    rule.Report();
    EXPECT_FALSE(rule.Tick(14));
    EXPECT_FALSE(rule.Tick(14));
    EXPECT_TRUE(rule.Tick(14));
}

TEST(TransferRule, CountsReportsByTickAndStartResetsEverything)
{
    TTransferRule rule;
    rule.Start();
    for (int i = 0; i < 3; ++i)
        rule.Report();
    EXPECT_EQ(rule.Measure(), 3);
    EXPECT_EQ(rule.Measure(), 3); // a tick without reports adds none
    rule.Report();
    EXPECT_EQ(rule.Measure(), 4);
    rule.Seen(7);
    rule.Tick(7);
    rule.Start();
    EXPECT_EQ(rule.ReportsTotal, 0);
    EXPECT_EQ(rule.ReportsThisTick, 0);
    EXPECT_EQ(rule.IdleTicks, 0u);
    // A new transfer's first tick with no line yet counts as idle from zero.
    EXPECT_EQ(rule.LastLineCount, 0);
}

TEST(TransferRule, KeepsReportsUpToTheLargestDump)
{
    EXPECT_TRUE(TTransferRule::Keeps(0));
    EXPECT_TRUE(TTransferRule::Keeps(filelimit::Dump));
    EXPECT_FALSE(TTransferRule::Keeps(filelimit::Dump + 1));
}
