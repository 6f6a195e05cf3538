// Reading a record for export, the TCX and CSV files, and the failures
// that the export reports.
#include "export/Export.h"
#include "export/Formats.h"
#include "export/Ride.h"
#include "store/Databasecontroler.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <QTime>
#include <QTimeZone>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

class Export : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TZ", "Europe/Berlin", 1); }

    ExportRide read(const DumpBuilder &dump, const QTimeZone &zone = QTimeZone("Europe/Berlin"))
    {
        ExportRide ride;
        std::string error;
        EXPECT_TRUE(ReadExportRide(DecodedRecord(tmp.path(), dump), zone, ride, error)) << error;
        return ride;
    }

    TempFolder tmp;
};

TEST_F(Export, LocalStartBecomesUtcWithTheZoneRulesOfItsDate)
{
    const std::int64_t utc = 1341381903; // 2012-07-04 06:05:03 UTC
    EXPECT_EQ(read(RideDump(1, 0)).startUtc, utc);
    EXPECT_EQ(read(RideDump(1, 0)).endUtcOffset, 7200);
    EXPECT_EQ(read(RideDump(1, 0), QTimeZone::utc()).startUtc, utc + 7200);
    DumpBuilder winter = RideDump(1, 0);
    winter.setStart(12, 1, 15, 8, 5, 3);
    EXPECT_EQ(read(winter).startUtc, 1326611103); // 2012-01-15 07:05:03 UTC
    // 02:30 on the morning the clocks went forward does not exist in
    // Berlin; the device's clock may still show it.
    DumpBuilder gap = RideDump(1, 0);
    gap.setStart(12, 3, 25, 2, 30, 0);
    EXPECT_EQ(read(gap).startUtc, 1332639000); // 2012-03-25 01:30:00 UTC
    DumpBuilder badDate = RideDump(1, 0);
    badDate.setStart(12, 2, 30, 8, 0, 0);
    std::string error;
    ExportRide ride;
    EXPECT_FALSE(ReadExportRide(DecodedRecord(tmp.path(), badDate), QTimeZone::utc(), ride, error));
    EXPECT_EQ(error, "the start time of " + tmp.file("120230080000.TR9") + " is not a valid date and time");
    EXPECT_EQ(SuggestedExportName(DecodedRecord(tmp.path(), winter), ExportFormat::Tcx), "2012-01-15_080503.tcx");
}

TEST_F(Export, LapsSamplesAndTotalsOfTheRecord)
{
    const ExportRide ride = read(TenHourDump());
    EXPECT_EQ(ride.totals.seconds, 36000);
    EXPECT_EQ(ride.elapsedSeconds, 36000);
    EXPECT_EQ(ride.kcal, 412);
    ASSERT_EQ(ride.laps.size(), 10u);
    EXPECT_EQ(ride.laps[9].startOffset, 32400);
    EXPECT_EQ(ride.laps[9].seconds, 3600);
    EXPECT_EQ(ride.laps[9].speedMax, 450);
    ASSERT_EQ(ride.samples.size(), 3600u);
    EXPECT_EQ(ride.samples[3599].heartRate, 120 + 3599 % 40);
    EXPECT_EQ(ride.samples[3599].speed, 399);
    EXPECT_TRUE(ride.hasHeartRate && ride.hasCadence && ride.hasSpeed);
}

TEST_F(Export, FailuresSayWhy)
{
    std::string error;
    EXPECT_FALSE(ExportRecord(tmp.file("missing.TR9"), ExportFormat::Fit, tmp.file("a.fit"), error));
    EXPECT_EQ(error, "cannot read " + tmp.file("missing.TR9"));

    writeFileBytes(tmp.file("notes.TR9"), "hello\r\n");
    EXPECT_FALSE(ExportRecord(tmp.file("notes.TR9"), ExportFormat::Csv, tmp.file("a.csv"), error));
    EXPECT_EQ(error, tmp.file("notes.TR9") + " is not a record file");
    EXPECT_EQ(SuggestedExportName(tmp.file("notes.TR9"), ExportFormat::Csv), "");

    const std::string record = DecodedRecord(tmp.path(), RideDump(3, 0));
    EXPECT_FALSE(ExportRecord(record, ExportFormat::Tcx, tmp.file("no/such/folder/a.tcx"), error));
    EXPECT_EQ(error.rfind("cannot write " + tmp.file("no/such/folder/a.tcx"), 0), 0u) << error;
}

TEST_F(Export, ValuesFromElsewhereStayWithinWhatTheDeviceStates)
{
    std::string text = readFileBytes(DecodedRecord(tmp.path(), RideDump(3, 1)));
    // Sets the first line of key to value.
    const auto set = [&text](const std::string &key, const std::string &value) {
        const std::size_t at = text.find("\r\n" + key + "=") + 3 + key.size();
        text.replace(at, text.find(';', at) - at, value);
    };
    set("EXEHOUR", "999999");
    set("DISTANCE", "2147483647");
    set("KCAL", "-5");
    set("LAP_HOUR", "2147483647");
    set("LAP_DIST", "2147483647");
    writeFileBytes(tmp.file("x.TR9"), text);
    ExportRide ride;
    std::string error;
    ASSERT_TRUE(ReadExportRide(tmp.file("x.TR9"), QTimeZone::utc(), ride, error)) << error;
    EXPECT_GE(ride.totals.seconds, 255 * 3600);
    EXPECT_LE(ride.totals.seconds, 255 * 3600 + 255 * 60 + 255);
    EXPECT_EQ(ride.totals.distance, 65535);
    EXPECT_EQ(ride.kcal, 0);
    EXPECT_EQ(ride.laps[0].distance, 65535);
    for (const ExportFormat format : {ExportFormat::Fit, ExportFormat::Tcx, ExportFormat::Csv})
        EXPECT_TRUE(ExportRecord(tmp.file("x.TR9"), format, tmp.file("x.out"), error)) << error;

    // A sample beyond eight digits is refused.
    const std::size_t hrm = text.find("#HRM\r\n") + 6;
    text.replace(hrm, text.find(',', hrm) - hrm, "100000000");
    writeFileBytes(tmp.file("x.TR9"), text);
    EXPECT_FALSE(ReadExportRide(tmp.file("x.TR9"), QTimeZone::utc(), ride, error));
    EXPECT_NE(error.find("#HRM"), std::string::npos) << error;
}

TEST_F(Export, FitTimesNeverWrapIntoAnotherDate)
{
    ExportRide ride = read(RideDump(3, 0));
    EXPECT_TRUE(InFitTimeRange(ride));
    // 2126-02-06 06:28:14 UTC is the last second FIT can hold.
    ride.startUtc = 631065600 + 0xFFFFFFFELL - ride.elapsedSeconds - ride.endUtcOffset;
    EXPECT_TRUE(InFitTimeRange(ride));
    ride.startUtc += 1;
    EXPECT_FALSE(InFitTimeRange(ride));
    // Before 1998-07-04 a FIT time means seconds since the device was switched on.
    ride.startUtc = 631065600 + 0x10000000LL;
    ride.endUtcOffset = 0;
    EXPECT_TRUE(InFitTimeRange(ride));
    ride.startUtc -= 1;
    EXPECT_FALSE(InFitTimeRange(ride));
    ride.startUtc += 1;
    ride.endUtcOffset = -3600; // the local end before the first FIT time
    ride.elapsedSeconds = 60;
    EXPECT_FALSE(InFitTimeRange(ride));
}

// Trackpoints and laps of a TCX file; fails the test when it is not well-formed.
struct TcxContent {
    int laps = 0, trackpoints = 0, calories = 0;
    QStringList firstPoint; // element names and texts of the second trackpoint
    QString sport, id, firstLapStart;
};

TcxContent ReadTcx(const std::string &bytes)
{
    TcxContent tcx;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == "Activity")
            tcx.sport = xml.attributes().value("Sport").toString();
        else if (name == "Id")
            tcx.id = xml.readElementText();
        else if (name == "Lap" && tcx.laps++ == 0)
            tcx.firstLapStart = xml.attributes().value("StartTime").toString();
        else if (name == "Calories")
            tcx.calories += xml.readElementText().toInt();
        else if (name == "Trackpoint")
            ++tcx.trackpoints;
        else if (tcx.trackpoints == 2 && xml.namespaceUri() != QString() && name != "TPX" && name != "Extensions")
            tcx.firstPoint << name + "=" + xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return tcx;
}

TEST_F(Export, TcxIsWellFormedWithTheRecordsValues)
{
    DumpBuilder dump = RideDump(100, 1);
    const TcxContent tcx = ReadTcx(TcxBytes(read(dump)));
    EXPECT_EQ(tcx.sport, "Biking");
    EXPECT_EQ(tcx.id, "2012-07-04T06:05:03Z");
    EXPECT_EQ(tcx.firstLapStart, "2012-07-04T06:05:03Z");
    EXPECT_EQ(tcx.laps, 1);
    EXPECT_EQ(tcx.trackpoints, 100);
    EXPECT_EQ(tcx.calories, 412);
    EXPECT_EQ(tcx.firstPoint, QStringList({"Time=2012-07-04T06:05:13Z", "DistanceMeters=70", "HeartRateBpm=121",
                                           "Cadence=81", "Speed=11.083"}));

    const TcxContent ten = ReadTcx(TcxBytes(read(TenHourDump())));
    EXPECT_EQ(ten.laps, 10);
    EXPECT_EQ(ten.trackpoints, 3600);
    EXPECT_EQ(ten.calories, 412);

    const std::string hrOnly = TcxBytes(read(HeartRateOnlyDump(5)));
    EXPECT_EQ(ReadTcx(hrOnly).trackpoints, 5);
    for (const char *absent : {"Cadence", "Speed", "MaximumSpeed"})
        EXPECT_EQ(hrOnly.find(absent), std::string::npos) << absent;
    EXPECT_EQ(ReadTcx(TcxBytes(read(RideDump(0, 0)))).laps, 1);
}

// The cells of a CSV text (RFC 4180: quoted fields, doubled quotes, CR LF).
std::vector<std::vector<std::string>> CsvRows(const std::string &text)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            rows.back().back() += text[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            rows.back().emplace_back();
        else if (!quoted && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' && ++i)
            rows.emplace_back(1);
        else
            rows.back().back() += c;
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1)) << "the last row ends with CR LF";
    rows.pop_back();
    return rows;
}

// The record's series through the store, for comparison.
std::vector<std::string> StoreSeries(const std::string &record, const char *heading)
{
    TKorvanDataBase db;
    db.RiderFolder = record.substr(0, record.rfind('/') + 1);
    db.ReadRecord(record.substr(record.rfind('/') + 1));
    db.ReadSeries(heading);
    std::vector<std::string> values;
    std::istringstream in(db.SeriesText);
    for (std::string value; std::getline(in, value, ',');)
        values.push_back(value);
    return values;
}

TEST_F(Export, CsvRoundTripsTheSeries)
{
    for (const DumpBuilder &dump : {TenHourDump(), HeartRateOnlyDump(7), RideDump(0, 0)}) {
        const std::string record = DecodedRecord(tmp.path(), dump);
        std::string error;
        ASSERT_TRUE(ExportRecord(record, ExportFormat::Csv, tmp.file("ride.csv"), error)) << error;
        const auto rows = CsvRows(readFileBytes(tmp.file("ride.csv")));
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0], std::vector<std::string>({"elapsed time", "seconds", "heart rate", "cadence",
                                                     "speed (km/h)", "distance (km)"}));
        const auto hr = StoreSeries(record, "#HRM"), rpm = StoreSeries(record, "#RPM"),
                   speed = StoreSeries(record, "#SPD_SPEED"), distance = StoreSeries(record, "#SPD_SumDistance");
        const ExportRide ride = read(dump);
        ASSERT_EQ(rows.size(), hr.size() + 1);
        for (std::size_t i = 0; i < hr.size(); ++i) {
            const auto &row = rows[i + 1];
            ASSERT_EQ(row.size(), 6u);
            EXPECT_EQ(std::stoi(row[1]), 10 * static_cast<int>(i));
            const int s = std::stoi(row[1]);
            EXPECT_EQ(row[0], QTime(0, 0).addSecs(s).toString("hh:mm:ss").toStdString());
            EXPECT_EQ(row[2], ride.hasHeartRate ? hr[i] : "");
            EXPECT_EQ(row[3], ride.hasCadence ? rpm[i] : "");
            EXPECT_EQ(row[4].empty() ? "" : std::to_string(std::lround(std::stod(row[4]) * 10)),
                      ride.hasSpeed ? speed[i] : "");
            EXPECT_EQ(row[5].empty() ? "" : std::to_string(std::lround(std::stod(row[5]) * 100)),
                      ride.hasSpeed ? distance[i] : "");
        }
    }
}

} // namespace
