// Series points and time labels, the axis labels, the stacking of the
// single-file charts, the multi-file quantity, the readout text and the
// report page layout.
#include "views/ChartData.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartData, SeriesValuesDivideEveryValueBeforeAComma)
{
    struct Case {
        std::string line;
        int divisor;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"72,75,80,", 1, {72, 75, 80}},
        {"0,150,1234,", 100, {0, 1.5, 12.34}},
        {"253,", 10, {25.3}},
        {"72,75,80", 1, {72, 75}},      // text after the last comma is ignored
        {"", 1, {}},
        {"-5,7,", 1, {-5, 7}},
        {"1,x,3,", 1, {1}},             // a value that is no number ends the series
        {"1,,3,", 1, {1}},
        {"1, 2,3,", 1, {1}},
        {"99999999999999999999,", 1, {}}, // out of range
    };
    for (const Case &c : cases)
        EXPECT_EQ(SeriesValues(c.line, c.divisor), c.values) << c.line;
}

TEST(ChartData, ElapsedLabelsAtTenSecondsPerSample)
{
    const std::pair<long long, std::string> cases[] = {
        {0, "00:00:00"}, {1, "00:00:10"}, {2, "00:00:20"}, {6, "00:01:00"}, {359, "00:59:50"},
        {360, "01:00:00"}, {3599, "09:59:50"}, {36000, "100:00:00"}, {36006, "100:01:00"},
    };
    for (const auto &[index, label] : cases)
        EXPECT_EQ(ElapsedLabel(index), label) << index;
}

TEST(ChartData, TimeTicksTakeARoundStepWithinTheLimit)
{
    struct Case {
        int points, most, step;
    };
    const Case cases[] = {
        {3, 8, 1},        // 00:00:00, 00:00:10, 00:00:20
        {20, 8, 3},       // every 30 s
        {360, 8, 60},     // one hour: every 10 min
        {361, 8, 60},
        {3600, 8, 720},   // ten hours: every 2 h
        {3600, 2, 2160},
        {100000, 8, 17280},
    };
    for (const Case &c : cases) {
        const std::vector<TAxisTick> ticks = TimeTicks(c.points, c.most);
        ASSERT_FALSE(ticks.empty());
        EXPECT_LE(int(ticks.size()), c.most) << c.points;
        EXPECT_EQ(ticks[0].index, 0);
        if (ticks.size() > 1) {
            EXPECT_EQ(ticks[1].index, c.step) << c.points;
        }
        for (const TAxisTick &t : ticks)
            EXPECT_EQ(t.label, ElapsedLabel(t.index));
    }
    EXPECT_EQ(TimeTicks(0, 8).size(), 1u);
}

TEST(ChartData, StackingOfTheTickedCharts)
{
    struct Case {
        std::array<bool, 4> ticked;
        bool marked;
        int height;
        std::array<int, 4> tops; // 0: hidden
        bool space;
    };
    const Case cases[] = {
        {{true, true, true, true}, true, 132, {10, 142, 274, 406}, false},
        {{true, false, true, false}, true, 264, {10, 0, 274, 0}, false},
        {{false, true, false, false}, true, 528, {0, 10, 0, 0}, false},
        {{false, true, true, true}, true, 176, {0, 10, 186, 362}, false},
        {{false, false, false, false}, true, 0, {0, 0, 0, 0}, true},
        {{true, true, false, false}, false, 0, {0, 0, 0, 0}, true},
    };
    for (const Case &c : cases) {
        const TChartStack s = StackCharts(c.ticked, c.marked);
        EXPECT_EQ(s.height, c.height);
        EXPECT_EQ(s.spaceShown, c.space);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(s.shown[k], c.tops[k] != 0) << k;
            if (s.shown[k]) {
                EXPECT_EQ(s.top[k], c.tops[k]) << k;
            }
        }
    }
}

TEST(ChartData, MultiFileQuantityPrefersHeartRate)
{
    EXPECT_EQ(MultiKind({true, true, true, true}), ckHeartRate);
    EXPECT_EQ(MultiKind({true, false, true, true}), ckDistance);
    EXPECT_EQ(MultiKind({false, false, true, true}), ckSpeed);
    EXPECT_EQ(MultiKind({false, false, false, true}), ckCadence);
    EXPECT_EQ(MultiKind({false, false, false, false}), ckReset);
    EXPECT_STREQ(Quantity(ckHeartRate).heading, "#HRM");
    EXPECT_EQ(Quantity(ckDistance).divisor, 100);
    EXPECT_EQ(Quantity(ckSpeed).divisor, 10);
    // Single-file colours: distance blue, heart rate green, speed grey, cadence yellow.
    EXPECT_EQ(SeriesColours[Quantity(ckDistance).colourEntry], 0xFF0000u);
    EXPECT_EQ(SeriesColours[Quantity(ckHeartRate).colourEntry], 0x008000u);
    EXPECT_EQ(SeriesColours[Quantity(ckSpeed).colourEntry], 0x808080u);
    EXPECT_EQ(SeriesColours[Quantity(ckCadence).colourEntry], 0x00FFFFu);
}

TEST(ChartData, ReadoutTextIsTheShortestForm)
{
    EXPECT_EQ(ReadoutText(true, 72, "."), "72");
    EXPECT_EQ(ReadoutText(true, 12.5, "."), "12.5");
    EXPECT_EQ(ReadoutText(true, 1234 / 100.0, "."), "12.34");
    EXPECT_EQ(ReadoutText(true, 253 / 10.0, ","), "25,3");
    EXPECT_EQ(ReadoutText(true, 123456.7, "."), "123456.7");
    EXPECT_EQ(ReadoutText(false, 72, "."), "0");
}

std::vector<std::pair<int, std::string>> LinesAt(const TReportLayout &layout, int x)
{
    std::vector<std::pair<int, std::string>> lines;
    for (const TPlacedText &t : layout.texts)
        if (t.x == x)
            lines.emplace_back(t.y, t.text);
    return lines;
}

TEST(ChartData, ReportLayoutOfALetterPageAt600Dpi)
{
    TReportTotals totals{"120704080503.TR9", "01:05:30", "12.3", "85", "25.4", "1", "412", "171", "142", "45",
                         "130~165"};
    // One box ticked: c = 3100, the chart from 300 to 3400, one block at 3576.
    TReportLayout one = ReportLayout(5100, 6600, 600, {false, true, false, false}, false, "bob", {totals});
    EXPECT_EQ(one.chartHeight, 3100);
    EXPECT_EQ(one.lineHeight, 138);
    ASSERT_EQ(one.charts.size(), 1u);
    EXPECT_EQ(one.charts[0].kind, ckHeartRate);
    EXPECT_EQ(one.charts[0].rect.left, 200);
    EXPECT_EQ(one.charts[0].rect.right, 4900);
    EXPECT_EQ(one.charts[0].rect.top, 300);
    EXPECT_EQ(one.charts[0].rect.bottom, 3400);
    const auto left = LinesAt(one, 200);
    const std::vector<std::pair<int, std::string>> expectLeft{
        {200, "TR900 Analysis Report"}, {3300, "USER ID: bob"},   {3576, "File Name: 120704080503.TR9"},
        {3714, "Duration: 01:05:30"},   {3852, "RPM: 85"},        {3990, "LAP: 1 LAPs"},
        {4128, "HRM Max: 171 bpm"},     {4266, "Vo2 Max: 45"}};
    EXPECT_EQ(left, expectLeft);
    const std::vector<std::pair<int, std::string>> expectRight{
        {3714, "Distances: 12.3 KM"}, {3852, "Speed: 25.4 KM/H"},  {3990, "KCal: 412 KCal"},
        {4128, "HRM Avg: 142 bpm"},   {4266, "Intensity: 130~165 bpm"}};
    EXPECT_EQ(LinesAt(one, 2750), expectRight);

    // Four boxes: c = 625, the charts stacked from 300.
    TReportLayout four = ReportLayout(5100, 6600, 600, {true, true, true, true}, false, "bob", {totals});
    EXPECT_EQ(four.chartHeight, 625);
    ASSERT_EQ(four.charts.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(four.charts[k].kind, k);
        EXPECT_EQ(four.charts[k].rect.top, 300 + 625 * k);
        EXPECT_EQ(four.charts[k].rect.bottom, 925 + 625 * k);
    }

    // Multi-file: one chart from 300 to c, three blocks 7 lines apart.
    TReportLayout multi =
        ReportLayout(5100, 6600, 600, {false, true, false, false}, true, "bob", {totals, totals, totals});
    ASSERT_EQ(multi.charts.size(), 1u);
    EXPECT_EQ(multi.charts[0].kind, -1);
    EXPECT_EQ(multi.charts[0].rect.top, 300);
    EXPECT_EQ(multi.charts[0].rect.bottom, 3100);
    std::vector<int> blockTops;
    for (const auto &[y, text] : LinesAt(multi, 200))
        if (text.rfind("File Name: ", 0) == 0)
            blockTops.push_back(y);
    EXPECT_EQ(blockTops, (std::vector<int>{3576, 4542, 5508}));
}

TEST(ChartData, ReportLineHeightFollowsTheResolution)
{
    EXPECT_EQ(ReportLayout(2550, 3300, 300, {true, false, false, false}, false, "", {}).lineHeight, 66);
    EXPECT_EQ(ReportLayout(10200, 13200, 1200, {true, false, false, false}, false, "", {}).lineHeight, 282);
    // A page too small for the margins gets no charts.
    EXPECT_TRUE(ReportLayout(612, 792, 72, {true, true, true, true}, false, "", {}).charts.empty());
}

} // namespace
