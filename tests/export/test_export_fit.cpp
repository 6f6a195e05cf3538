// FIT files checked and decoded by the official FIT SDK (JavaScript, run
// with node): integrity, and the values of the record in every message.
#include "export/Export.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// FIT time of 2012-07-04 08:05:03 in Berlin (06:05:03 UTC).
const double Start = static_cast<double>(
    QDateTime(QDate(2012, 7, 4), QTime(6, 5, 3), QTimeZone::utc()).toSecsSinceEpoch() - 631065600);

class FitExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TZ", "Europe/Berlin", 1);
        const bool hasNode = RunCommand("command -v node >/dev/null 2>&1").status == 0;
        ASSERT_TRUE(hasNode || !std::getenv("CI")) << "node is missing in CI: scripts/install-deps installs it";
        if (!hasNode)
            GTEST_SKIP() << "node is not installed: the FIT files cannot be checked with the FIT SDK "
                            "(scripts/install-deps installs nodejs and the SDK)";
        ASSERT_TRUE(std::filesystem::exists(EXPORT_TEST_DIR "/node_modules/@garmin/fitsdk"))
            << "the FIT SDK is missing: run scripts/install-deps (npm ci in tests/export)";
    }

    // Exports the dump's record as FIT and decodes it with the SDK.
    QJsonObject decode(const DumpBuilder &dump)
    {
        const std::string record = DecodedRecord(tmp.path(), dump);
        std::string error;
        const std::string fit = tmp.file("ride.fit");
        EXPECT_TRUE(ExportRecord(record, ExportFormat::Fit, fit, error)) << error;
        const CommandRun run = RunCommand("cd " EXPORT_TEST_DIR " && node fit_check.mjs " + Quoted(fit));
        EXPECT_EQ(run.status, 0) << run.output;
        const QJsonObject result = QJsonDocument::fromJson(QByteArray::fromStdString(run.output)).object();
        EXPECT_TRUE(result["isFit"].toBool());
        EXPECT_TRUE(result["integrity"].toBool());
        EXPECT_TRUE(result["errors"].toArray().isEmpty()) << run.output.substr(0, 400);
        return result["messages"].toObject();
    }

    TempFolder tmp;
};

QJsonObject First(const QJsonObject &messages, const char *kind, int index = 0)
{
    return messages[kind].toArray().at(index).toObject();
}

TEST_F(FitExport, EveryMessageCarriesTheRecordsValues)
{
    DumpBuilder dump = RideDump(30, 1);
    DumpBuilder::Lap second = DumpBuilder::lap(2);
    second.bytes[2] = 25; // split 0:25:00 after a lap of 0:12:30
    second.bytes[3] = 0;
    dump.addLap(second);
    const QJsonObject m = decode(dump);

    const QJsonObject id = First(m, "fileIdMesgs");
    EXPECT_EQ(id["type"].toString(), "activity");
    EXPECT_EQ(id["timeCreated"].toDouble(), Start);

    const QJsonArray events = m["eventMesgs"].toArray();
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].toObject()["eventType"].toString(), "start");
    EXPECT_EQ(events[0].toObject()["timestamp"].toDouble(), Start);
    EXPECT_EQ(events[1].toObject()["eventType"].toString(), "stopAll");
    EXPECT_EQ(events[1].toObject()["timestamp"].toDouble(), Start + 3723);

    ASSERT_EQ(m["recordMesgs"].toArray().size(), 30);
    const QJsonObject record = First(m, "recordMesgs", 1);
    EXPECT_EQ(record["timestamp"].toDouble(), Start + 10);
    EXPECT_EQ(record["heartRate"].toInt(), 121);
    EXPECT_EQ(record["cadence"].toInt(), 81);
    EXPECT_DOUBLE_EQ(record["speed"].toDouble(), 11.083); // 39.9 km/h
    EXPECT_DOUBLE_EQ(record["distance"].toDouble(), 70.0);

    ASSERT_EQ(m["lapMesgs"].toArray().size(), 2);
    const QJsonObject lap = First(m, "lapMesgs", 1);
    EXPECT_EQ(lap["startTime"].toDouble(), Start + 750);
    EXPECT_EQ(lap["timestamp"].toDouble(), Start + 1500);
    EXPECT_EQ(lap["totalTimerTime"].toDouble(), 750);
    EXPECT_EQ(lap["totalDistance"].toDouble(), 6000);
    EXPECT_DOUBLE_EQ(lap["avgSpeed"].toDouble(), 8.333);
    EXPECT_EQ(lap["avgHeartRate"].toInt(), 140);
    EXPECT_EQ(lap["maxCadence"].toInt(), 102);

    const QJsonObject session = First(m, "sessionMesgs");
    EXPECT_EQ(session["sport"].toString(), "cycling");
    EXPECT_EQ(session["startTime"].toDouble(), Start);
    EXPECT_EQ(session["totalElapsedTime"].toDouble(), 3723);
    EXPECT_EQ(session["totalTimerTime"].toDouble(), 3723);
    EXPECT_EQ(session["totalDistance"].toDouble(), 24500);
    EXPECT_EQ(session["totalCalories"].toInt(), 412);
    EXPECT_EQ(session["avgHeartRate"].toInt(), 141);
    EXPECT_EQ(session["maxHeartRate"].toInt(), 176);
    EXPECT_EQ(session["avgCadence"].toInt(), 80);
    EXPECT_EQ(session["maxCadence"].toInt(), 110);
    EXPECT_DOUBLE_EQ(session["avgSpeed"].toDouble(), 7.111);
    EXPECT_DOUBLE_EQ(session["maxSpeed"].toDouble(), 14.222);
    EXPECT_EQ(session["numLaps"].toInt(), 2);

    // A summer ride in Berlin: local time is UTC + 2 hours.
    const QJsonObject activity = First(m, "activityMesgs");
    EXPECT_EQ(activity["numSessions"].toInt(), 1);
    EXPECT_EQ(activity["localTimestamp"].toDouble() - activity["timestamp"].toDouble(), 7200);
}

TEST_F(FitExport, FieldsOfMissingSensorsAreLeftOut)
{
    const QJsonObject m = decode(HeartRateOnlyDump(20));
    ASSERT_EQ(m["recordMesgs"].toArray().size(), 20);
    const QJsonObject record = First(m, "recordMesgs", 3);
    EXPECT_EQ(record["heartRate"].toInt(), 103);
    for (const char *field : {"cadence", "speed", "distance", "enhancedSpeed"})
        EXPECT_FALSE(record.contains(field)) << field;
    const QJsonObject session = First(m, "sessionMesgs");
    EXPECT_EQ(session["avgHeartRate"].toInt(), 141);
    for (const char *field : {"avgCadence", "maxCadence", "avgSpeed", "maxSpeed", "totalDistance"})
        EXPECT_FALSE(session.contains(field)) << field;
    // Without laps in the record, one lap spans the ride.
    ASSERT_EQ(m["lapMesgs"].toArray().size(), 1);
    EXPECT_EQ(First(m, "lapMesgs")["totalTimerTime"].toDouble(), 3723);
    EXPECT_EQ(First(m, "lapMesgs")["avgHeartRate"].toInt(), 141);
}

TEST_F(FitExport, RecordWithoutSamples)
{
    const QJsonObject m = decode(RideDump(0, 1));
    EXPECT_FALSE(m.contains("recordMesgs"));
    EXPECT_EQ(m["lapMesgs"].toArray().size(), 1);
    EXPECT_EQ(First(m, "sessionMesgs")["totalTimerTime"].toDouble(), 3723);
}

TEST_F(FitExport, TenHourRecord)
{
    const QJsonObject m = decode(TenHourDump());
    const QJsonArray records = m["recordMesgs"].toArray();
    ASSERT_EQ(records.size(), 3600);
    EXPECT_EQ(records.last().toObject()["timestamp"].toDouble(), Start + 35990);
    EXPECT_EQ(records.last().toObject()["distance"].toDouble(), 2096 * 37 * 3599 / 10000 * 10);
    const QJsonArray laps = m["lapMesgs"].toArray();
    ASSERT_EQ(laps.size(), 10);
    EXPECT_EQ(laps.last().toObject()["startTime"].toDouble(), Start + 9 * 3600);
    EXPECT_EQ(First(m, "sessionMesgs")["totalTimerTime"].toDouble(), 36000);
}

} // namespace
