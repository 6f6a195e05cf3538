// The sensor sample stream and its nine series.
#include "tests/record/DecodeTest.h"

#include <algorithm>
#include <array>

namespace {

struct Sample {
    int heartRate, cadence, counter, period;
};

class Flow : public DecodeTest {
protected:
    // DecodeFlow on a dump of the builder's header and these samples.
    void run(const std::vector<Sample> &samples, int extraBytes = 0)
    {
        DumpBuilder b;
        for (const auto &s : samples)
            b.addSample(static_cast<std::uint8_t>(s.heartRate), static_cast<std::uint8_t>(s.cadence),
                        static_cast<std::uint16_t>(s.counter), static_cast<std::uint16_t>(s.period));
        analysis.AppFolder = folder.path();
        analysis.DumpHex = DumpBuilder::hex(b.dumpBytes());
        analysis.DataLength = b.dataLength() + extraBytes;
        analysis.Wheel = 2096;
        analysis.DecodeFlow();
    }
    std::string series(const std::string &heading) const
    {
        const auto &list = analysis.FlowList;
        const auto at = std::find(list.begin(), list.end(), heading);
        return at != list.end() && at + 1 != list.end() ? *(at + 1) : "(missing)";
    }
};

TEST_F(Flow, SpeedHoldsOverOneZeroPeriodAndAnyUnknownOne)
{
    run({{0, 0, 0, 6181}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    EXPECT_EQ(series("#SPD_SPEED"), "399,399,0,");
    EXPECT_EQ(series("#SPD_DT"), "6181,0,0,");
    EXPECT_EQ(analysis.FlowList[3], "SPD_EXIST=1;");

    run({{0, 0, 0, 6181}, {0, 0, 0, 0}, {0, 0, 0, 65535}, {0, 0, 0, 0}});
    EXPECT_EQ(series("#SPD_SPEED"), "399,399,399,0,");

    run({{0, 0, 0, 65535}, {0, 0, 0, 65535}});
    EXPECT_EQ(series("#SPD_SPEED"), "0,0,");
    EXPECT_EQ(analysis.FlowList[3], "SPD_EXIST=0;");
}

TEST_F(Flow, WheelRevolutionsAndDistances)
{
    run({{0, 0, 500, 0}, {0, 0, 537, 0}});
    EXPECT_EQ(series("#SPD_PerCNT"), "0,37,");
    EXPECT_EQ(series("#SPD_PerDistance"), "0,7,");

    run({{0, 0, 65530, 0}, {0, 0, 4, 0}});
    EXPECT_EQ(series("#SPD_CNT"), "65530,4,");
    EXPECT_EQ(series("#SPD_PerCNT"), "0,10,");

    // More than 150 revolutions between samples count as none.
    run({{0, 0, 100, 0}, {0, 0, 400, 0}, {0, 0, 410, 0}});
    EXPECT_EQ(series("#SPD_PerCNT"), "0,0,10,");
    EXPECT_EQ(series("#SPD_SumCNT"), "0,0,10,");
    EXPECT_EQ(series("#SPD_SumDistance"), "0,0,2,");
}

TEST_F(Flow, ProductsDoNotWrap)
{
    run({{0, 0, 0, 1}});
    EXPECT_EQ(series("#SPD_SPEED"), "2472344,"); // 1965923 rpm with a 2096 mm wheel

    DumpBuilder b;
    b.addSample(0, 0, 0, 0);
    b.addSample(0, 0, 150, 0);
    analysis.AppFolder = folder.path();
    analysis.DumpHex = DumpBuilder::hex(b.dumpBytes());
    analysis.DataLength = b.dataLength();
    analysis.Wheel = 4000000000u;
    analysis.DecodeFlow();
    EXPECT_EQ(series("#SPD_PerDistance"), "0,60000000,");
}

TEST_F(Flow, PresenceFlags)
{
    run({{39, 0, 0, 65535}, {221, 0, 0, 65535}});
    EXPECT_EQ(analysis.FlowList[1], "HRM_EXIST=0;");
    EXPECT_EQ(analysis.FlowList[2], "CAD_EXIST=0;");
    EXPECT_EQ(series("#HRM"), "39,221,");
    for (const int rate : {40, 220}) {
        run({{rate, 1, 0, 65535}});
        EXPECT_EQ(analysis.FlowList[1], "HRM_EXIST=1;") << rate;
        EXPECT_EQ(analysis.FlowList[2], "CAD_EXIST=1;");
    }
}

TEST_F(Flow, StreamEndsAtTheDataLengthAndDropsAnIncompleteSample)
{
    std::vector<Sample> many;
    for (int i = 0; i < 60; ++i) // into the second page
        many.push_back({70 + i, 0, i, 0});
    run(many, -(57 * 6));
    EXPECT_EQ(series("#HRM"), "70,71,72,");

    run({{72, 0, 0, 0}, {75, 0, 0, 0}, {80, 0, 0, 0}}, -3);
    EXPECT_EQ(series("#HRM"), "72,75,");
    EXPECT_EQ(series("#FLOW DATA ARRAY"), "480000000000" "4B0000000000" "500000");
}

TEST_F(Flow, WorkFilesMarkWhatCarriesNoSamples)
{
    run({{72, 80, 1, 6181}, {75, 81, 2, 6181}});
    const std::string dump = analysis.DumpHex;
    ASSERT_EQ(dump.size(), 512u);
    EXPECT_EQ(file("Temp5.txt"), dump.substr(0, 120) + std::string(392, 'X') + "\r\n");
    EXPECT_EQ(file("Temp6.txt"), "485000011825" "4B5100021825" "\r\n");
}

TEST_F(Flow, EmptyStream)
{
    run({});
    std::vector<std::string> expected = {"[SENSOR]", "HRM_EXIST=0;", "CAD_EXIST=0;", "SPD_EXIST=0;",
                                         "", "[Flow Data]", ""};
    for (const char *h : {"#HRM", "#RPM", "#SPD_CNT", "#SPD_PerCNT", "#SPD_SumCNT", "#SPD_PerDistance",
                          "#SPD_SumDistance", "#SPD_DT", "#SPD_SPEED"})
        expected.insert(expected.end(), {h, "", ""});
    expected.insert(expected.end(), {"#FLOW DATA ARRAY", "", ""});
    EXPECT_EQ(analysis.FlowList, expected);
}

TEST_F(Flow, SampleByteThatIsNotHexadecimalFailsTheDecoding)
{
    DumpBuilder b;
    b.addSample(72, 80, 1, 6181);
    std::vector<std::string> report = b.reportLines();
    report[2][2 + 34] = 'Z'; // memory byte 49: the cadence of the first sample
    EXPECT_TRUE(decode(DumpBuilder::joinLines(report)));
    EXPECT_EQ(analysis.FailReason, "a sensor sample byte is not two hexadecimal digits");
    EXPECT_FALSE(exists("120704080503.TR9"));
}

} // namespace
