// The command-line tool: usage, the JSON of a ride and of the fitness
// series, the rider's profile and account, damaged records and exit status.
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"
#include "training/Periods.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

CommandRun Tool(const std::string &arguments)
{
    return RunCommand(TR9STATS " " + arguments + " 2>&1");
}

std::vector<QJsonObject> JsonLines(const std::string &output)
{
    std::vector<QJsonObject> objects;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        objects.push_back(doc.object());
    }
    return objects;
}

// A rider folder "Ann" (female account, profile with both heart rates) with
// three rides: all sensors with two laps, the belt alone, no belt.
class Tr9stats : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder);
        writeFileBytes(folder + "/Ann.dat", "Genter=1\r\n");
        writeFileBytes(folder + "/Profile.ini", "MaxHR=200\r\nRestHR=50\r\n");
        DumpBuilder noBelt;
        for (int i = 0; i < 40; ++i)
            noBelt.addSample(0, 85, static_cast<std::uint16_t>(1000 + 37 * i), 6181);
        noBelt.setStart(12, 7, 6, 9, 0, 0);
        DumpBuilder belt = HeartRateOnlyDump(50);
        belt.setStart(12, 7, 6, 18, 0, 0);
        for (const DumpBuilder &dump : {RideDump(300, 2), noBelt, belt})
            records.push_back(DecodedRecord(folder, dump));
        std::filesystem::remove(folder + "/Temp.txt");
    }
    Ride read(const std::string &record) const
    {
        Ride ride;
        std::string error;
        EXPECT_TRUE(ReadRide(record, ride, error)) << error;
        return ride;
    }

    TempFolder tmp;
    const std::string folder = tmp.file("Ann");
    std::vector<std::string> records;
};

TEST_F(Tr9stats, HelpAndUsageErrors)
{
    const CommandRun help = Tool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: tr9stats [--json] [--profile FILE] PATH...\n"
                                "       tr9stats --fitness [--json] [--profile FILE] FOLDER\n",
                                0),
              0u);
    for (const std::string arguments : {"", "--json", "--colour a.TR9", "--profile", "--fitness", "--fitness a b",
                                        "--profile= a.TR9"})
        EXPECT_EQ(Tool(arguments).status, 2) << arguments;
}

TEST_F(Tr9stats, JsonOfEachRideWithTheRidersProfileAndAccount)
{
    const CommandRun run = Tool("--json " + Quoted(folder));
    EXPECT_EQ(run.status, 0) << run.output;
    const std::vector<QJsonObject> lines = JsonLines(run.output);
    ASSERT_EQ(lines.size(), 3u);
    const QStringList keys = {"best",          "distanceKm", "file",    "hrMax", "hrRest", "laps",
                              "movingSeconds", "seconds",    "start",   "trimp", "zoneSeconds"};
    Profile profile;
    profile.maxHr = 200;
    profile.restHr = 50;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QJsonObject &o = lines[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(o.keys(), keys);
        const Ride ride = read(records[i]);
        const RideMetrics m = ComputeRideMetrics(ride, profile, 1); // the account's gender: female
        EXPECT_EQ(o["file"].toString().toStdString(), records[i]);
        EXPECT_EQ(o["seconds"].toInt(), 3723);
        EXPECT_EQ(o["movingSeconds"].toInt(), m.movingSeconds);
        EXPECT_EQ(o["distanceKm"].toDouble(), 24.5);
        EXPECT_EQ(o["hrMax"].toInt(), 200);
        EXPECT_EQ(o["hrRest"].toInt(), 50);
        EXPECT_EQ(o["trimp"].isNull(), !m.trimp);
        EXPECT_DOUBLE_EQ(o["trimp"].toDouble(), m.trimp.value_or(0));
        EXPECT_EQ(o["zoneSeconds"].isNull(), !m.zoneSeconds);
        for (std::size_t z = 0; m.zoneSeconds && z < 6; ++z)
            EXPECT_EQ(o["zoneSeconds"].toArray()[static_cast<qsizetype>(z)].toInt(), (*m.zoneSeconds)[z]);
        const QJsonObject best = o["best"].toObject();
        EXPECT_EQ(best.keys(), (QStringList{"cadence", "heartRate", "speed"}));
        for (std::size_t w = 0; w < 3; ++w) {
            const QString window = QString::number(BestWindowSeconds[w]);
            EXPECT_EQ(best["speed"].toObject()[window].isNull(), !m.bests.speed[w]);
            EXPECT_DOUBLE_EQ(best["heartRate"].toObject()[window].toDouble(), m.bests.heartRate[w].value_or(0));
            EXPECT_EQ(best["cadence"].toObject()[window].isNull(), !m.bests.cadence[w]);
        }
    }
    EXPECT_EQ(lines[0]["start"].toString(), "2012-07-04T08:05:03");
    EXPECT_TRUE(lines[1]["trimp"].isNull() && lines[1]["zoneSeconds"].isNull()); // no belt: no load, no zones
    EXPECT_FALSE(lines[0]["best"].toObject()["speed"].toObject()["300"].isNull());
    EXPECT_TRUE(lines[0]["best"].toObject()["speed"].toObject()["3600"].isNull()); // 300 samples: 50 minutes
    EXPECT_FALSE(lines[0]["best"].toObject()["speed"].toObject()["1200"].isNull());

    // Every key line of each lap, with the record's value (addresses read as hexadecimal).
    const QJsonArray laps = lines[0]["laps"].toArray();
    ASSERT_EQ(laps.size(), 2);
    std::istringstream record(readFileBytes(records[0]));
    int lap = -1, fields = 0;
    for (std::string line; std::getline(record, line);) {
        if (line.rfind("$LAP$", 0) == 0)
            ++lap;
        const std::size_t eq = line.find('=');
        if (line.rfind("LAP_", 0) != 0 || line.rfind("LAP_DATA_ARRAY", 0) == 0 || eq == std::string::npos)
            continue;
        const std::string value = line.substr(eq + 1, line.find(';') - eq - 1);
        const int expected = value.rfind("0x", 0) == 0 ? std::stoi(value.substr(2), nullptr, 16) : std::stoi(value);
        EXPECT_EQ(laps[lap].toObject()[QString::fromStdString(line.substr(0, eq))].toInt(-1), expected) << line;
        ++fields;
    }
    EXPECT_EQ(fields, 2 * 19);
    EXPECT_EQ(laps[0].toObject().size(), 19);

    // Another profile: the maximum from it; without one, the device's 185.
    writeFileBytes(tmp.file("other.ini"), "MaxHR=170\r\n");
    EXPECT_EQ(JsonLines(Tool("--json --profile " + Quoted(tmp.file("other.ini")) + " " + Quoted(records[0])).output)
                  .at(0)["hrMax"]
                  .toInt(),
              170);
    std::filesystem::remove(folder + "/Profile.ini");
    EXPECT_EQ(JsonLines(Tool("--json " + Quoted(records[0])).output).at(0)["hrMax"].toInt(), 185);
}

TEST_F(Tr9stats, FitnessSeriesFromTheFirstRideToTheLast)
{
    DumpBuilder later = RideDump(60, 0);
    later.setStart(12, 7, 9, 7, 0, 0);
    const Ride last = read(DecodedRecord(folder, later));
    std::filesystem::remove(folder + "/Temp.txt");
    const CommandRun run = Tool("--fitness --json " + Quoted(folder));
    EXPECT_EQ(run.status, 0) << run.output;
    const std::vector<QJsonObject> days = JsonLines(run.output);
    ASSERT_EQ(days.size(), 6u); // 4 to 9 July
    Profile profile;
    profile.maxHr = 200;
    profile.restHr = 50;
    std::vector<RideSummary> rides;
    for (const std::string &record : records) {
        const Ride ride = read(record);
        rides.push_back(SummarizeRide(ride, ComputeRideMetrics(ride, profile, 1)));
    }
    rides.push_back(SummarizeRide(last, ComputeRideMetrics(last, profile, 1)));
    const std::vector<FitnessDay> expected = FitnessSeries(rides, DayNumber(2012, 7, 9));
    for (std::size_t i = 0; i < days.size(); ++i) {
        EXPECT_EQ(days[i].keys(), (QStringList{"atl", "ctl", "date", "load", "tsb"}));
        const CalendarDate date = DateOfDay(expected[i].day);
        EXPECT_EQ(days[i]["date"].toString(),
                  QString::asprintf("%04d-%02d-%02d", date.year, date.month, date.day));
        EXPECT_DOUBLE_EQ(days[i]["load"].toDouble(), expected[i].load);
        EXPECT_DOUBLE_EQ(days[i]["ctl"].toDouble(), expected[i].ctl);
        EXPECT_DOUBLE_EQ(days[i]["atl"].toDouble(), expected[i].atl);
        EXPECT_DOUBLE_EQ(days[i]["tsb"].toDouble(), expected[i].tsb);
    }
    EXPECT_GT(days[2]["load"].toDouble(), 0); // the belt ride of 6 July
    EXPECT_EQ(days[3]["load"].toDouble(), 0);
    // As text, one line a day.
    EXPECT_EQ(Tool("--fitness " + Quoted(folder)).output.rfind("2012-07-04  load ", 0), 0u);
}

TEST_F(Tr9stats, DamagedRecordsAreToldAndTheOthersPrinted)
{
    std::string text = readFileBytes(records[1]);
    text.replace(text.find("HOUR=9;"), 7, "HOUR=x;");
    writeFileBytes(records[1], text);
    const CommandRun run = RunCommand(TR9STATS " " + Quoted(folder) + " " + Quoted(tmp.file("none.TR9")) + " " +
                                      Quoted(tmp.path()) + " 2>" + Quoted(tmp.file("errors")));
    EXPECT_EQ(run.status, 1);
    const auto linesOf = [](const std::string &text) {
        std::istringstream in(text);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    };
    const std::vector<std::string> printed = linesOf(run.output);
    ASSERT_EQ(printed.size(), 2u) << run.output;
    EXPECT_EQ(printed[0].rfind(records[0] + "  2012-07-04T08:05:03  time 01:02:03  moving ", 0), 0u) << printed[0];
    EXPECT_EQ(printed[1].rfind(records[2] + "  2012-07-06T18:00:00", 0), 0u) << printed[1];
    EXPECT_EQ(linesOf(readFileBytes(tmp.file("errors"))),
              (std::vector<std::string>{"tr9stats: " + records[1] + ": the start field HOUR=x is not a decimal number",
                                        "tr9stats: cannot read " + tmp.file("none.TR9"),
                                        "tr9stats: " + tmp.path() + " holds no record file"}));
    EXPECT_EQ(Tool("--fitness " + Quoted(folder)).status, 1);
    // The standard output cannot be written.
    EXPECT_EQ(RunCommand(TR9STATS " " + Quoted(records[0]) + " >/dev/full 2>/dev/null").status, 1);
}

} // namespace
