// FIT files written by the FIT SDK's encoder and built by hand, read into
// records: samples, pauses, laps, sessions, developer fields, sentinels,
// compressed times, both byte orders, chained files; damaged ones refused.
#include "tests/import/ImportTest.h"

#include "export/Export.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class FitImport : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TZ", "Europe/Berlin", 1); }

    // The SDK's file written to name.
    std::string sdkFile(const QJsonArray &messages, const std::string &name = "ride.fit")
    {
        writeFileBytes(src.file(name), SdkFit(src.path(), messages));
        return src.file(name);
    }
    std::string handFile(const std::string &bytes, const std::string &name = "hand.fit")
    {
        writeFileBytes(src.file(name), bytes);
        return src.file(name);
    }

    TempFolder src, rider;
};

QJsonObject Timer(std::int64_t t, const char *type)
{
    return Mesg("EVENT", {{"timestamp", double(FitStart + t)}, {"event", "timer"}, {"eventType", type}});
}

// 65 s at 1 s: heart rate 100 + t, cadence 90, 5 m/s; the timer stops from
// 30 to 45 s (the records of the pause carry values that must not count);
// no heart rate from 50 to 59 s, where a developer field numbered like the
// heart rate carries 222; two laps and a session.
QJsonArray PausedRide()
{
    QJsonArray m;
    m.append(Mesg("FILE_ID", {{"type", "activity"}, {"manufacturer", "development"}, {"product", 1},
                              {"timeCreated", double(FitStart)}}));
    const QJsonArray id{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    m.append(Mesg("DEVELOPER_DATA_ID", {{"developerDataIndex", 0}, {"applicationId", id}}));
    m.append(Mesg("FIELD_DESCRIPTION", {{"developerDataIndex", 0}, {"fieldDefinitionNumber", 3},
                                        {"fitBaseTypeId", "uint8"}, {"fieldName", "pulse"}}));
    m.append(Timer(0, "start"));
    for (int t = 0; t <= 64; ++t) {
        if (t == 30)
            m.append(Timer(30, "stop"));
        if (t == 45)
            m.append(Timer(45, "start"));
        const bool paused = t > 30 && t < 45;
        QJsonObject r{{"timestamp", double(FitStart + t)}, {"cadence", paused ? 200 : 90},
                      {"speed", paused ? 20.0 : 5.0}, {"distance", 5.0 * (paused ? 30 : t)}};
        if (t < 50 || t > 59)
            r["heartRate"] = paused ? 200 : 100 + t;
        else
            r["developerFields"] = QJsonObject{{"0", 222}};
        m.append(Mesg("RECORD", r));
    }
    m.append(Timer(64, "stopAll"));
    const auto lap = [](int start, int end, double timer, double distance, int hrAvg, int hrMax) {
        return Mesg("LAP", {{"timestamp", double(FitStart + end)}, {"startTime", double(FitStart + start)},
                            {"totalElapsedTime", double(end - start)}, {"totalTimerTime", timer},
                            {"totalDistance", distance}, {"avgHeartRate", hrAvg}, {"maxHeartRate", hrMax},
                            {"avgSpeed", 5.0}, {"maxSpeed", 5.0}, {"avgCadence", 90}, {"maxCadence", 90}});
    };
    m.append(lap(0, 30, 30, 150, 115, 130));
    m.append(lap(45, 64, 19, 170, 150, 164));
    m.append(Mesg("SESSION", {{"timestamp", double(FitStart + 64)}, {"startTime", double(FitStart)},
                              {"totalElapsedTime", 64.0}, {"totalTimerTime", 49.0}, {"totalDistance", 320.0},
                              {"totalCalories", 30}, {"avgHeartRate", 125}, {"maxHeartRate", 164},
                              {"avgSpeed", 5.0}, {"maxSpeed", 5.5}, {"avgCadence", 90}, {"maxCadence", 95},
                              {"sport", "cycling"}, {"numLaps", 2}}));
    return m;
}

TEST_F(FitImport, SdkRideWithPauseLapsAndDeveloperFields)
{
    REQUIRE_FIT_SDK();
    const ImportResult r = ImportOne(sdkFile(PausedRide()), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    ASSERT_EQ(r.records, std::vector<std::string>{"210601120000.TR9"}); // 12:00 in Berlin
    const Ride ride = RecordOf(r, rider.path());

    // Windows of 10 s: means rounded, the pause's records left out, the
    // distance reached by the window's end in tens of metres.
    const int hr[] = {105, 115, 125, 130, 147, 0, 162};
    const int distance[] = {4, 9, 14, 15, 24, 29, 32};
    ASSERT_EQ(ride.samples.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(ride.samples[i].heartRate, hr[i]) << i;
        EXPECT_EQ(ride.samples[i].cadence, 90) << i;
        EXPECT_EQ(ride.samples[i].speed, 180) << i;
        EXPECT_EQ(ride.samples[i].distance, distance[i]) << i;
    }
    EXPECT_TRUE(ride.hasHeartRate && ride.hasCadence && ride.hasSpeed);

    // The header: the session's values, the exercise time its timer time.
    EXPECT_EQ(ride.totals.seconds, 49);
    EXPECT_EQ(ride.totals.distance, 3);
    EXPECT_EQ(ride.totals.hrAvg, 125);
    EXPECT_EQ(ride.totals.hrMax, 164);
    EXPECT_EQ(ride.totals.speedAvg, 180);
    EXPECT_EQ(ride.totals.speedMax, 198);
    EXPECT_EQ(ride.totals.cadenceMax, 95);
    EXPECT_EQ(ride.kcal, 30);

    ASSERT_EQ(ride.lapCount, 2);
    ASSERT_EQ(ride.laps.size(), 2u);
    EXPECT_EQ(ride.laps[1].index, 2);
    EXPECT_EQ(ride.laps[1].seconds, 19);
    EXPECT_EQ(ride.laps[1].StartOffset(), 45);
    EXPECT_EQ(ride.laps[1].hrAvg, 150);
    EXPECT_EQ(ride.laps[1].splitDistance, 2);
    EXPECT_EQ(ride.laps[0].distance, 1);

    // The original is kept beside the rider's records.
    EXPECT_EQ(readFileBytes(rider.file("Imported/ride.fit")), readFileBytes(src.file("ride.fit")));
}

TEST_F(FitImport, EachSessionBecomesItsOwnRide)
{
    REQUIRE_FIT_SDK();
    QJsonArray m;
    m.append(Mesg("FILE_ID", {{"type", "activity"}, {"manufacturer", "development"}, {"product", 1}}));
    for (int s = 0; s < 2; ++s) {
        const int from = s * 600;
        for (int t = from; t < from + 30; ++t)
            m.append(Mesg("RECORD", {{"timestamp", double(FitStart + t)}, {"heartRate", 100 + 20 * s},
                                     {"distance", 150.0 * s + 5.0 * (t - from)}}));
        m.append(Mesg("SESSION", {{"timestamp", double(FitStart + from + 29)}, {"startTime", double(FitStart + from)},
                                  {"totalTimerTime", 29.0}, {"totalDistance", 145.0}, {"sport", "cycling"}}));
    }
    const ImportResult r = ImportOne(sdkFile(m), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    ASSERT_EQ(r.records, (std::vector<std::string>{"210601120000.TR9", "210601121000.TR9"}));
    Ride second;
    std::string error;
    ASSERT_TRUE(ReadRide(rider.file("210601121000.TR9"), second, error)) << error;
    ASSERT_EQ(second.samples.size(), 3u);
    EXPECT_EQ(second.samples[0].heartRate, 120);
    EXPECT_EQ(second.samples[2].distance, 14); // counted from the session's start
    EXPECT_EQ(second.totals.seconds, 29);
}

// FIT time t after FitStart as a 32-bit value.
std::string At(int t, bool bigEndian = false)
{
    const auto time = static_cast<std::uint64_t>(FitStart + t);
    return bigEndian ? Be(time, 4) : Le(time, 4);
}

TEST_F(FitImport, HandBuiltFileWithCompressedTimesBothByteOrdersAndAChainedFile)
{
    FitBytes a;
    a.define(0, 0, {{0, 1, 0x00}}).data(0, "\x04");      // file_id: activity
    a.define(0, 20, {{253, 4, 0x86}, {3, 1, 0x02}, {6, 2, 0x84}, {73, 4, 0x86}, {5, 4, 0x86}}, true)
        .data(0, At(0, true) + "\x96" + Be(1000, 2) + Be(2000, 4) + Be(0, 4)); // local 0 redefined, big-endian
    a.define(1, 20, {{3, 1, 0x02}, {5, 4, 0x86}});
    for (int k = 1; k <= 40; ++k) // compressed headers roll over every 32 s
        a.compressed(1, static_cast<int>((FitStart + k) & 0x1F),
                     std::string(1, k == 5 ? '\xFF' : '\x96') + Le(2000 * k, 4));
    FitBytes b;
    b.define(0, 20, {{253, 4, 0x86}, {3, 1, 0x02}, {5, 4, 0x86}});
    for (int k = 41; k <= 50; ++k)
        b.data(0, At(k) + "\xA0" + Le(2000 * k, 4));
    const ImportResult r = ImportOne(handFile(a.file(12) + b.file(14)), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    const Ride ride = RecordOf(r, rider.path());
    ASSERT_EQ(ride.samples.size(), 6u);
    EXPECT_EQ(ride.samples[0].heartRate, 150); // the invalid 0xFF of second 5 is no value
    EXPECT_EQ(ride.samples[0].speed, 72);      // enhanced_speed (2 m/s) before speed (1 m/s)
    EXPECT_EQ(ride.samples[3].distance, 78);   // second 39: 780 m
    EXPECT_EQ(ride.samples[5].heartRate, 160);
    EXPECT_EQ(ride.samples[5].distance, 100);
    // No session: the totals come from the samples.
    EXPECT_EQ(ride.totals.seconds, 50);
    EXPECT_EQ(ride.totals.distance, 10);
    EXPECT_EQ(ride.totals.hrMax, 160);
    EXPECT_FALSE(ride.hasCadence);
}

TEST_F(FitImport, DamagedTruncatedAndForeignFilesAreRefusedWithNothingWritten)
{
    FitBytes good;
    good.define(0, 20, {{253, 4, 0x86}, {3, 1, 0x02}}).data(0, At(0) + "\x80");
    const std::string file = good.file();
    std::string flipped = file;
    flipped[16] ^= 0x01;
    std::string badHeader = file;
    badHeader[12] ^= 0x01;
    FitBytes course, early, beforeTime, long_;
    course.define(0, 0, {{0, 1, 0x00}}).data(0, "\x06");
    early.data(0, At(0));
    beforeTime.define(0, 20, {{3, 1, 0x02}}).compressed(0, 1, "\x80");
    long_.define(0, 20, {{253, 4, 0x86}, {3, 1, 0x02}}).data(0, At(0) + "\x80").data(0, At(31 * 3600) + "\x80");

    const std::pair<std::string, const char *> cases[] = {
        {"", "empty"},
        {file.substr(0, file.size() - 3), "truncated"},
        {flipped, "CRC"},
        {badHeader, "header is damaged"},
        {file + "junk", "after the end"},
        {course.file(), "not an activity"},
        {early.file(), "before its definition"},
        {beforeTime.file(), "before any time"},
        {long_.file(), "a record holds at most 30 hours"},
        {"not a ride at all", "not a FIT, TCX or GPX"},
    };
    for (const auto &[bytes, reason] : cases) {
        const ImportResult r = ImportOne(handFile(bytes), rider.path());
        EXPECT_EQ(r.status, ImportStatus::Failed) << reason;
        EXPECT_NE(r.reason.find(reason), std::string::npos) << r.reason;
        EXPECT_TRUE(entryNames(rider.path()).empty()) << reason;
    }
}

TEST_F(FitImport, RoundTripOfAnExportedRecord)
{
    DumpBuilder dump = RideDump(40, 1);
    DumpBuilder::Lap second = DumpBuilder::lap(2);
    second.bytes[2] = 25; // split 0:25:00 after a lap of 0:12:30
    second.bytes[3] = 0;
    dump.addLap(second);
    const std::string record = DecodedRecord(src.path(), dump);
    Ride original;
    std::string error;
    ASSERT_TRUE(ReadRide(record, original, error)) << error;
    ASSERT_TRUE(ExportRecord(record, ExportFormat::Fit, src.file("export.fit"), error)) << error;

    const ImportResult r = ImportOne(src.file("export.fit"), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    EXPECT_EQ(r.records.front(), original.name);
    const Ride ride = RecordOf(r, rider.path());
    ASSERT_EQ(ride.samples.size(), original.samples.size());
    for (std::size_t i = 0; i < ride.samples.size(); ++i) {
        const RideSample &a = ride.samples[i], &b = original.samples[i];
        EXPECT_EQ(std::tie(a.heartRate, a.cadence, a.speed, a.distance),
                  std::tie(b.heartRate, b.cadence, b.speed, b.distance)) << i;
    }
    const auto span = [](const RideSpan &s) {
        return std::vector<int>{s.seconds,  s.distance, s.hrAvg,      s.hrMax,
                                s.speedAvg, s.speedMax, s.cadenceAvg, s.cadenceMax};
    };
    EXPECT_EQ(span(ride.totals), span(original.totals));
    EXPECT_EQ(ride.kcal, original.kcal);
    ASSERT_EQ(ride.laps.size(), original.laps.size());
    for (std::size_t i = 0; i < ride.laps.size(); ++i) {
        EXPECT_EQ(span(ride.laps[i]), span(original.laps[i])) << i;
        EXPECT_EQ(ride.laps[i].StartOffset(), original.laps[i].StartOffset()) << i;
    }
    EXPECT_EQ(std::tie(ride.hasHeartRate, ride.hasCadence, ride.hasSpeed),
              std::tie(original.hasHeartRate, original.hasCadence, original.hasSpeed));

    // The same ride again, and into the folder of the original: already there.
    EXPECT_EQ(ImportOne(src.file("export.fit"), rider.path()).status, ImportStatus::AlreadyThere);
    EXPECT_EQ(ImportOne(src.file("export.fit"), src.path()).status, ImportStatus::AlreadyThere);
}

} // namespace
