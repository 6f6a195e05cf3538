// Reading a record into a Ride: every value of a decoded record, and the
// refusal of damaged ones with the reason.
#include "store/NarrowFile.h"
#include "ride/Ride.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class RideRead : public ::testing::Test {
protected:
    // text with the first occurrence of from replaced by to.
    static std::string Edited(std::string text, const std::string &from, const std::string &to)
    {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
    // The reason ReadRide gives for the record text; empty when it reads.
    std::string Refusal(const std::string &text)
    {
        writeFileBytes(tmp.file("x.TR9"), text);
        Ride ride;
        std::string error;
        return ReadRide(tmp.file("x.TR9"), ride, error) ? std::string() : error;
    }

    TempFolder tmp;
};

TEST_F(RideRead, EveryValueOfADecodedRecord)
{
    DumpBuilder dump = RideDump(40, 2);
    dump.setStart(12, 12, 31, 23, 59, 59);
    Ride ride;
    std::string error;
    ASSERT_TRUE(ReadRide(DecodedRecord(tmp.path(), dump), ride, error)) << error;
    EXPECT_EQ(ride.name, "121231235959.TR9");
    EXPECT_EQ((std::array{ride.year, ride.month, ride.day, ride.hour, ride.minute, ride.second}),
              (std::array{2012, 12, 31, 23, 59, 59}));
    const RideSettings &s = ride.settings;
    EXPECT_EQ((std::array{s.unit, s.gender, s.age, s.height, s.weight, s.wheel, s.vo2max}),
              (std::array{0, 0, 35, 178, 72, 2096, 45}));
    EXPECT_EQ((std::array{s.hrMax, s.hrLimitHigh, s.hrLimitLow}), (std::array{185, 160, 120}));
    const RideSpan &t = ride.totals;
    EXPECT_EQ((std::array{t.seconds, t.distance, t.hrAvg, t.hrMax, t.speedAvg, t.speedMax, t.cadenceAvg,
                          t.cadenceMax, ride.kcal, ride.lapCount}),
              (std::array{3723, 245, 141, 176, 256, 512, 80, 110, 412, 2}));

    ASSERT_EQ(ride.laps.size(), 2u);
    const RideLap &lap = ride.laps[1];
    EXPECT_EQ((std::array{lap.index, lap.splitSeconds, lap.seconds, lap.hrAvg, lap.hrMax, lap.speedAvg,
                          lap.speedMax, lap.cadenceAvg, lap.cadenceMax, lap.distance, lap.splitDistance}),
              (std::array{2, 750, 750, 140, 171, 300, 450, 85, 102, 60, 60}));
    EXPECT_EQ(ride.laps[0].previousAddress, 0);
    EXPECT_EQ(ride.laps[0].nextAddress, dump.lapAddress(1).first * 256 + dump.lapAddress(1).second);
    EXPECT_EQ(ride.laps[1].previousAddress, dump.lapAddress(0).first * 256 + dump.lapAddress(0).second);

    EXPECT_TRUE(ride.hasHeartRate && ride.hasCadence && ride.hasSpeed);
    ASSERT_EQ(ride.samples.size(), 40u);
    EXPECT_EQ(ride.samples[39].heartRate, 120 + 39 % 40);
    EXPECT_EQ(ride.samples[39].cadence, 80 + 39 % 20);
    EXPECT_EQ(ride.samples[39].speed, 399);
    EXPECT_GT(ride.samples[39].distance, ride.samples[1].distance);

    // The belt alone; no laps.
    ASSERT_TRUE(ReadRide(DecodedRecord(tmp.path(), HeartRateOnlyDump(3)), ride, error)) << error;
    EXPECT_TRUE(ride.hasHeartRate);
    EXPECT_FALSE(ride.hasCadence || ride.hasSpeed);
    EXPECT_TRUE(ride.laps.empty());
    EXPECT_EQ(ride.samples.size(), 3u);
}

TEST_F(RideRead, DamagedStartFieldsAreRefusedWithTheReason)
{
    const std::string record = readFileBytes(DecodedRecord(tmp.path(), RideDump(3, 1)));
    const std::string x = tmp.file("x.TR9");
    const struct {
        const char *from, *to, *reason;
    } cases[] = {
        {"YEAR=12;", "YEAR=abc;", ": the start field YEAR=abc is not a decimal number"},
        {"HOUR=8;", "HOUR=x;", ": the start field HOUR=x is not a decimal number"},
        {"SECOND=3;", "SECOND=-1;", ": the start field SECOND=-1 is not a decimal number"},
        {"MINUTE=5;", "MINUTE=;", ": the start field MINUTE= is not a decimal number"},
        {"YEAR=12;", "YEAR=300;", ": the start field YEAR=300 is out of range (0 to 99)"},
        {"MONTH=7;", "MONTH=13;", ": the start field MONTH=13 is out of range (1 to 12)"},
        {"MONTH=7;", "MONTH=0;", ": the start field MONTH=0 is out of range (1 to 12)"},
        {"DAY=4;", "DAY=32;", ": the start field DAY=32 is out of range (1 to 31)"},
        {"HOUR=8;", "HOUR=24;", ": the start field HOUR=24 is out of range (0 to 23)"},
        {"SECOND=3;", "SECOND=60;", ": the start field SECOND=60 is out of range (0 to 59)"},
        {"YEAR=12;\r\n", "", ": the start field YEAR is missing"},
        {"SECOND=3;\r\n", "", ": the start field SECOND is missing"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Refusal(Edited(record, c.from, c.to)), x + c.reason) << c.to;
    // Days beyond the month's end; 29 February only in a leap year.
    EXPECT_EQ(Refusal(Edited(Edited(record, "MONTH=7;", "MONTH=2;"), "DAY=4;", "DAY=30;")),
              "the start time of " + x + " is not a valid date and time");
    EXPECT_EQ(Refusal(Edited(Edited(Edited(record, "MONTH=7;", "MONTH=2;"), "DAY=4;", "DAY=29;"), "YEAR=12;",
                             "YEAR=13;")),
              "the start time of " + x + " is not a valid date and time");
    EXPECT_EQ(Refusal(Edited(Edited(record, "MONTH=7;", "MONTH=2;"), "DAY=4;", "DAY=29;")), "");
    // Only the header counts: a lap key that holds a start key's name does not stand in for it.
    EXPECT_EQ(Refusal(Edited(record, "HOUR=8;", "HOUR_=8;")), x + ": the start field HOUR is missing");
}

TEST_F(RideRead, MissingSectionsDamagedSeriesAndLapsAreRefused)
{
    const std::string record = readFileBytes(DecodedRecord(tmp.path(), RideDump(3, 2)));
    const std::string x = tmp.file("x.TR9");
    EXPECT_EQ(Refusal(""), x + " is not a record file");
    EXPECT_EQ(Refusal("hello\r\n"), x + " is not a record file");
    // The date lines alone.
    const std::string dateLines = record.substr(0, record.find("#Setting Data"));
    EXPECT_EQ(Refusal(dateLines), x + ": the section [LAP Data] is missing");
    for (const char *section : {"[LAP Data]", "[SENSOR]", "[Flow Data]"})
        EXPECT_EQ(Refusal(Edited(record, std::string("\r\n") + section + "\r\n", "\r\n")),
                  x + ": the section " + section + " is missing");
    // Out of order: the sensor section after the flow data.
    EXPECT_EQ(Refusal(Edited(Edited(record, "[SENSOR]", "[TEMP]"), "[Flow Data]", "[Flow Data]\r\n[SENSOR]")),
              x + ": the section [Flow Data] is missing");

    EXPECT_EQ(Refusal(Edited(record, "#RPM\r\n80,", "#RPM\r\nx,")),
              x + ": the series #RPM holds a value that is not a sample's number");
    EXPECT_EQ(Refusal(Edited(record, "#HRM\r\n120,", "#HRM\r\n100000000,")),
              x + ": the series #HRM holds a value that is not a sample's number");
    EXPECT_EQ(Refusal(Edited(record, "#SPD_SPEED\r\n399,", "#SPD_SPEED\r\n399,,")),
              x + ": the series #SPD_SPEED holds a value that is not a sample's number");
    EXPECT_EQ(Refusal(Edited(record, "#SPD_DT\r\n", "#SPD_DT\r\n1,")),
              x + ": the series #SPD_DT and #HRM differ in length");
    EXPECT_EQ(Refusal(Edited(record, "#SPD_CNT\r\n", "#SPD_X\r\n")), x + ": the series #SPD_CNT is missing");

    // A lap without one of its fields.
    const std::size_t second = record.find("$LAP$2");
    std::string lapless = record;
    lapless.replace(lapless.find("LAP_DIST_SPLIT", second), 5, "XXXX_");
    EXPECT_EQ(Refusal(lapless), x + ": lap 2 lacks LAP_DIST_SPLIT");
    EXPECT_EQ(Refusal(Edited(record, "LAP_IDX=1;", "")), x + ": lap 1 lacks LAP_IDX");
    Ride ride;
    std::string error;
    EXPECT_FALSE(ReadRide(tmp.file("none.TR9"), ride, error));
    EXPECT_EQ(error, "cannot read " + tmp.file("none.TR9"));
}

TEST_F(RideRead, SeriesAreBoundedAndValuesHeldToTheDeviceRange)
{
    const std::string record = readFileBytes(DecodedRecord(tmp.path(), RideDump(1, 1)));
    // Every series one sample longer than the bound, then exactly at it.
    const auto series = [&record](std::size_t samples) {
        std::string text = record;
        for (const char *heading : {"#HRM", "#RPM", "#SPD_CNT", "#SPD_PerCNT", "#SPD_SumCNT", "#SPD_PerDistance",
                                    "#SPD_SumDistance", "#SPD_DT", "#SPD_SPEED"}) {
            const std::size_t at = text.find(std::string("\r\n") + heading + "\r\n") + std::strlen(heading) + 4;
            std::string values;
            for (std::size_t i = 0; i < samples; ++i)
                values += "7,";
            text.replace(at, text.find("\r\n", at) - at, values);
        }
        return text;
    };
    EXPECT_EQ(Refusal(series(filelimit::RecordSamples + 1)),
              tmp.file("x.TR9") + ": the series #HRM holds more than 11000 samples");
    EXPECT_EQ(Refusal(series(filelimit::RecordSamples)), "");

    std::string big = Edited(Edited(record, "EXEHOUR=1;", "EXEHOUR=99999999999999;"), "KCAL=412;", "KCAL=-5;");
    big = Edited(Edited(big, "LAP_DIST=60;", "LAP_DIST=2147483648;"), "WHEEL=2096;", "WHEEL=70000;");
    writeFileBytes(tmp.file("x.TR9"), big);
    Ride ride;
    std::string error;
    ASSERT_TRUE(ReadRide(tmp.file("x.TR9"), ride, error)) << error;
    EXPECT_EQ(ride.totals.seconds, 255 * 3600 + 2 * 60 + 3);
    EXPECT_EQ(ride.kcal, 0);
    EXPECT_EQ(ride.laps[0].distance, 65535);
    EXPECT_EQ(ride.settings.wheel, 65535);
}

} // namespace
