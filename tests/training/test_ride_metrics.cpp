// One ride's figures against values worked out by hand: zones, load,
// moving time and bests of typical rides, the heart-rate defaults, and a
// ten-hour record read from the file the decoder wrote.
#include "training/RideMetrics.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct Block {
    int samples, heartRate, speed, cadence;
};

// A ride of blocks of equal samples, every sensor present, device maximum 190.
Ride RideOf(std::initializer_list<Block> blocks)
{
    Ride ride;
    ride.hasHeartRate = ride.hasSpeed = ride.hasCadence = true;
    ride.settings.hrMax = 190;
    for (const Block &b : blocks)
        for (int i = 0; i < b.samples; ++i)
            ride.samples.push_back({b.heartRate, b.cadence, b.speed, 0});
    ride.totals.seconds = static_cast<int>(ride.samples.size()) * SampleSeconds;
    return ride;
}

using Zones = std::array<int, 6>;

TEST(RideMetrics, TypicalRidesWorkedOutByHand)
{
    const struct {
        const char *name;
        Ride ride;
        Zones zones;
        double trimp;
        int moving;
        std::array<std::optional<double>, 3> speed, heartRate, cadence;
    } cases[] = {
        // 60 minutes at 150 bpm (r = 90/130), 30 km/h, 90 rpm: exactly long enough for every window.
        {"steady", RideOf({{360, 150, 300, 90}}), Zones{0, 0, 0, 3600, 0, 0}, 100.440293, 3600,
         {30.0, 30.0, 30.0}, {150.0, 150.0, 150.0}, {90.0, 90.0, 90.0}},
        // Four times 5 min hard (170 bpm, 40 km/h) and 5 min easy (120 bpm, 20 km/h), 40 minutes.
        {"intervals",
         RideOf({{30, 170, 400, 95}, {30, 120, 200, 70}, {30, 170, 400, 95}, {30, 120, 200, 70},
                 {30, 170, 400, 95}, {30, 120, 200, 70}, {30, 170, 400, 95}, {30, 120, 200, 70}}),
         Zones{0, 0, 1200, 0, 1200, 0}, 69.312806, 2400, {40.0, 30.0, std::nullopt}, {170.0, 145.0, std::nullopt},
         {95.0, 82.5, std::nullopt}},
        // The belt drops every other reading while standing (0 bpm, 0 km/h): a window's
        // mean is over its readings; a missing reading is no zone.
        {"gaps", RideOf({{1, 180, 250, 80}, {1, 0, 0, 0}, {1, 180, 250, 80}, {1, 0, 0, 0}, {1, 180, 250, 80},
                         {1, 0, 0, 0}, {24, 0, 0, 0}}),
         Zones{0, 0, 0, 0, 0, 30}, 1.738166, 30, {2.5, std::nullopt, std::nullopt}, {180.0, std::nullopt, std::nullopt},
         {8.0, std::nullopt, std::nullopt}},
        // 4:50: shorter than the first window.
        {"short", RideOf({{29, 150, 300, 90}}), Zones{0, 0, 0, 290, 0, 0}, 100.440293 * 29 / 360, 290,
         {}, {}, {}},
        // 59:50: one sample short of an hour.
        {"hour less a sample", RideOf({{359, 100, 300, 90}}), Zones{0, 359 * 10, 0, 0, 0, 0}, 21.271966, 3590,
         {30.0, 30.0, std::nullopt}, {100.0, 100.0, std::nullopt}, {90.0, 90.0, std::nullopt}},
    };
    for (const auto &c : cases) {
        const RideMetrics m = ComputeRideMetrics(c.ride, Profile(), 0);
        EXPECT_EQ(m.hrMax, 190) << c.name;
        EXPECT_EQ(m.hrRest, 60) << c.name;
        ASSERT_TRUE(m.zoneSeconds && m.trimp) << c.name;
        EXPECT_EQ(*m.zoneSeconds, c.zones) << c.name;
        EXPECT_NEAR(*m.trimp, c.trimp, 1e-5) << c.name;
        EXPECT_EQ(m.movingSeconds, c.moving) << c.name;
        for (std::size_t w = 0; w < 3; ++w) {
            EXPECT_EQ(m.bests.speed[w].has_value(), c.speed[w].has_value()) << c.name << w;
            EXPECT_NEAR(m.bests.speed[w].value_or(0), c.speed[w].value_or(0), 1e-9) << c.name << w;
            EXPECT_EQ(m.bests.heartRate[w].has_value(), c.heartRate[w].has_value()) << c.name << w;
            EXPECT_NEAR(m.bests.heartRate[w].value_or(0), c.heartRate[w].value_or(0), 1e-9) << c.name << w;
            EXPECT_EQ(m.bests.cadence[w].has_value(), c.cadence[w].has_value()) << c.name << w;
            EXPECT_NEAR(m.bests.cadence[w].value_or(0), c.cadence[w].value_or(0), 1e-9) << c.name << w;
        }
    }
}

TEST(RideMetrics, WithoutTheBeltNoZonesNoLoad)
{
    Ride ride = RideOf({{400, 0, 300, 90}});
    ride.hasHeartRate = false;
    RideMetrics m = ComputeRideMetrics(ride, Profile(), 0);
    EXPECT_FALSE(m.zoneSeconds);
    EXPECT_FALSE(m.trimp);
    for (const auto &best : m.bests.heartRate)
        EXPECT_FALSE(best);
    EXPECT_TRUE(m.bests.speed[2]);
    // Nor a speed sensor: the moving time is the exercise time, and no speed bests.
    ride.hasSpeed = false;
    ride.totals.seconds = 4321;
    m = ComputeRideMetrics(ride, Profile(), 0);
    EXPECT_EQ(m.movingSeconds, 4321);
    EXPECT_FALSE(m.bests.speed[0]);
    // The belt worn but no reading at all: zero time in every zone, zero load, measured.
    ride = RideOf({{40, 0, 300, 90}});
    m = ComputeRideMetrics(ride, Profile(), 0);
    EXPECT_EQ(m.zoneSeconds, (Zones{}));
    EXPECT_EQ(m.trimp, 0.0);
    EXPECT_FALSE(m.bests.heartRate[0]);
}

TEST(RideMetrics, ZoneBoundariesSampleBySample)
{
    Profile profile;
    profile.maxHr = 200; // bounds at 100, 120, 140, 160, 180 bpm
    const std::pair<int, int> samples[] = {{99, 0},  {100, 1}, {119, 1}, {120, 2}, {139, 2}, {140, 3},
                                           {159, 3}, {160, 4}, {179, 4}, {180, 5}, {200, 5}, {230, 5}};
    for (const auto &[heartRate, zone] : samples) {
        const RideMetrics m = ComputeRideMetrics(RideOf({{1, heartRate, 0, 0}}), profile, 0);
        Zones expected{};
        expected[static_cast<std::size_t>(zone)] = SampleSeconds;
        EXPECT_EQ(*m.zoneSeconds, expected) << heartRate;
    }
    // Bounds of the profile: 100 x 133 >= 66 x 200 but 100 x 131 < 66 x 200.
    profile.zones = {66, 67, 68, 69, 70};
    EXPECT_EQ(*ComputeRideMetrics(RideOf({{1, 132, 0, 0}}), profile, 0).zoneSeconds, (Zones{0, 10, 0, 0, 0, 0}));
    EXPECT_EQ(*ComputeRideMetrics(RideOf({{1, 131, 0, 0}}), profile, 0).zoneSeconds, (Zones{10, 0, 0, 0, 0, 0}));
}

TEST(RideMetrics, HeartRateDefaultsAndGender)
{
    const auto maxOf = [](int profileMax, int setHrMax, int age) {
        Ride ride = RideOf({{1, 150, 0, 0}});
        ride.settings.hrMax = setHrMax;
        ride.settings.age = age;
        Profile profile;
        profile.maxHr = profileMax;
        return ComputeRideMetrics(ride, profile, 0).hrMax;
    };
    EXPECT_EQ(maxOf(175, 185, 40), 175); // the profile first
    EXPECT_EQ(maxOf(0, 185, 40), 185);   // the device's setting of that day
    EXPECT_EQ(maxOf(0, 100, 40), 100);
    EXPECT_EQ(maxOf(0, 240, 40), 240);
    EXPECT_EQ(maxOf(0, 99, 40), 180); // out of range: from the age
    EXPECT_EQ(maxOf(0, 241, 5), 215);
    EXPECT_EQ(maxOf(0, 0, 99), 121);
    EXPECT_EQ(maxOf(0, 0, 4), 190); // neither: 190
    EXPECT_EQ(maxOf(0, 0, 100), 190);

    // One sample at the maximum (r = 1): a x e^b / 6.
    const Ride top = RideOf({{1, 190, 0, 0}});
    Profile profile;
    EXPECT_NEAR(*ComputeRideMetrics(top, profile, 0).trimp, 0.727569, 1e-6);
    EXPECT_NEAR(*ComputeRideMetrics(top, profile, 1).trimp, 0.761411, 1e-6); // the account's gender
    profile.gender = ProfileGender::Male;
    EXPECT_NEAR(*ComputeRideMetrics(top, profile, 1).trimp, 0.727569, 1e-6); // the profile's first
    profile.gender = ProfileGender::Female;
    EXPECT_NEAR(*ComputeRideMetrics(top, profile, 0).trimp, 0.761411, 1e-6);
    // Above the maximum r stays 1; at or below the resting rate 0.
    EXPECT_NEAR(*ComputeRideMetrics(RideOf({{1, 230, 0, 0}}), profile, 0).trimp, 0.761411, 1e-6);
    profile.restHr = 70;
    const RideMetrics resting = ComputeRideMetrics(RideOf({{1, 70, 0, 0}, {1, 50, 0, 0}}), profile, 0);
    EXPECT_EQ(resting.hrRest, 70);
    EXPECT_EQ(*resting.trimp, 0.0);
}

TEST(RideMetrics, TenHourRecordAsDecoded)
{
    TempFolder tmp;
    Ride ride;
    std::string error;
    ASSERT_TRUE(ReadRide(DecodedRecord(tmp.path(), TenHourDump()), ride, error)) << error;
    const RideMetrics m = ComputeRideMetrics(ride, Profile(), 0);
    // Heart rate 120 + i % 40 with the device's maximum 185: bounds 92.5, 111, 129.5, 148, 166.5.
    EXPECT_EQ(m.hrMax, 185);
    EXPECT_EQ(*m.zoneSeconds, (Zones{0, 0, 9000, 16200, 10800, 0}));
    EXPECT_NEAR(*m.trimp, 862.761194, 1e-5);
    EXPECT_EQ(m.movingSeconds, 36000);
    EXPECT_NEAR(*m.bests.heartRate[0], 144.5, 1e-9); // 130..159
    EXPECT_NEAR(*m.bests.heartRate[1], 139.5, 1e-9); // whole periods
    EXPECT_NEAR(*m.bests.heartRate[2], 139.5, 1e-9);
    EXPECT_NEAR(*m.bests.cadence[0], (20 * 89.5 + 10 * 94.5) / 30, 1e-9); // 80 + i % 20
    EXPECT_NEAR(*m.bests.cadence[2], 89.5, 1e-9);
    EXPECT_NEAR(*m.bests.speed[2], 39.9, 1e-9);

    const RideSummary s = SummarizeRide(ride, m);
    EXPECT_EQ(s.name, ride.name);
    EXPECT_EQ((std::array{s.year, s.month, s.day, s.hour, s.minute, s.second}),
              (std::array{2012, 7, 4, 8, 5, 3}));
    EXPECT_EQ(s.seconds, 36000);
    EXPECT_EQ(s.distance, 245);
    EXPECT_EQ(s.kcal, 412);
    EXPECT_EQ(s.metrics.trimp, m.trimp);
}

} // namespace
