// TCX and GPX files (also .gz) read into records; the import's rules for
// duplicates, the kept originals, folders, cancelling and failures; the
// record file a Ride is written as.
#include "tests/import/ImportTest.h"

#include "ride/RideRecordFile.h"
#include "store/NarrowFile.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <set>
#include <filesystem>

namespace {

std::string Gzip(const std::string &bytes)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, bytes.size()) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string Time(int t)
{
    char text[32];
    std::snprintf(text, sizeof text, "2021-06-01T10:%02d:%02dZ", t / 60, t % 60);
    return text;
}

// A platform's export: a line break before the declaration, two laps with
// a pause of 10 s between their tracks.
std::string Tcx()
{
    std::string x = "\r\n  <?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<TrainingCenterDatabase xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\" "
                    "xmlns:ns3=\"http://www.garmin.com/xmlschemas/ActivityExtension/v2\"><Activities>"
                    "<Activity Sport=\"Biking\"><Id>2021-06-01T10:00:00Z</Id>";
    const auto lap = [&x](int from, int to, int seconds, int metres, int kcal, int hrMax) {
        x += "<Lap StartTime=\"" + Time(from) + "\"><TotalTimeSeconds>" + std::to_string(seconds) +
             "</TotalTimeSeconds><DistanceMeters>" + std::to_string(metres) + "</DistanceMeters><Calories>" +
             std::to_string(kcal) + "</Calories><MaximumHeartRateBpm><Value>" + std::to_string(hrMax) +
             "</Value></MaximumHeartRateBpm><Track>";
        for (int t = from; t < to; ++t)
            x += "<Trackpoint><Time>" + Time(t) + "</Time><DistanceMeters>" +
                 std::to_string(t < 20 ? 10 * t : 10 * t - 100) +
                 "</DistanceMeters><HeartRateBpm><Value>" + std::to_string(t < 20 ? 120 + t : 150) +
                 "</Value></HeartRateBpm><Cadence>85</Cadence><Extensions><ns3:TPX><ns3:Speed>10.0</ns3:Speed>"
                 "</ns3:TPX></Extensions></Trackpoint>";
        x += "</Track></Lap>";
    };
    lap(0, 20, 20, 200, 5, 140);
    lap(30, 40, 10, 100, 7, 160);
    return x + "</Activity></Activities></TrainingCenterDatabase>\n";
}

// 20 points a second apart, 0.0001 degrees (11.12 m) north each; with the
// TrackPointExtension's heart rate and cadence or without extensions.
std::string Gpx(bool extensions, int shift = 0)
{
    std::string x = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                    "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\"><trk><trkseg>";
    for (int k = 0; k < 20; ++k) {
        x += "<trkpt lat=\"" + std::to_string(47.0 + k * 0.0001) + "\" lon=\"8.5\"><ele>400</ele><time>" +
             Time(k + shift) + "</time>";
        if (extensions)
            x += "<extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>" + std::to_string(130 + k) +
                 "</gpxtpx:hr><gpxtpx:cad>70</gpxtpx:cad></gpxtpx:TrackPointExtension></extensions>";
        x += "</trkpt>";
    }
    return x + "</trkseg></trk></gpx>\n";
}

class FileImport : public ::testing::Test {
protected:
    std::string put(const std::string &name, const std::string &bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(src.file(name)).parent_path());
        writeFileBytes(src.file(name), bytes);
        return src.file(name);
    }
    TempFolder src, rider;
};

TEST_F(FileImport, TcxWithLeadingWhiteSpaceLapsAndAPause)
{
    const ImportResult r = ImportOne(put("ride.tcx", Tcx()), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    EXPECT_EQ(r.records.front(), "210601120000.TR9");
    const Ride ride = RecordOf(r, rider.path());
    ASSERT_EQ(ride.samples.size(), 4u);
    EXPECT_EQ(ride.samples[0].heartRate, 125); // 124.5 rounded
    EXPECT_EQ(ride.samples[0].speed, 360);
    EXPECT_EQ(ride.samples[0].distance, 9);
    EXPECT_EQ(ride.samples[2].heartRate, 0); // the pause: no reading, distance kept
    EXPECT_EQ(ride.samples[2].speed, 0);
    EXPECT_EQ(ride.samples[2].distance, 19);
    EXPECT_EQ(ride.samples[3].distance, 29);
    // Totals of the laps; the average from the points.
    EXPECT_EQ(ride.totals.seconds, 30);
    EXPECT_EQ(ride.totals.distance, 3);
    EXPECT_EQ(ride.kcal, 12);
    EXPECT_EQ(ride.totals.hrMax, 160);
    EXPECT_EQ(ride.totals.hrAvg, 136);
    ASSERT_EQ(ride.laps.size(), 2u);
    EXPECT_EQ(ride.laps[1].StartOffset(), 30);
    EXPECT_EQ(ride.laps[1].seconds, 10);
    EXPECT_EQ(ride.laps[1].distance, 1);
}

TEST_F(FileImport, GpxDistanceAndSpeedFromPositions)
{
    for (const bool extensions : {true, false}) {
        TempFolder folder;
        const ImportResult r = ImportOne(put("ride.gpx", Gpx(extensions)), folder.path());
        ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
        const Ride ride = RecordOf(r, folder.path());
        ASSERT_EQ(ride.samples.size(), 2u);
        EXPECT_EQ(ride.samples[1].speed, 400); // 11.12 m/s
        EXPECT_EQ(ride.samples[1].distance, 21);
        EXPECT_EQ(ride.samples[1].heartRate, extensions ? 145 : 0); // 144.5 rounded
        EXPECT_EQ(ride.samples[1].cadence, extensions ? 70 : 0);
        EXPECT_EQ(ride.hasHeartRate, extensions);
        EXPECT_EQ(ride.hasCadence, extensions);
        EXPECT_TRUE(ride.hasSpeed);
        EXPECT_EQ(ride.totals.seconds, 19);
        EXPECT_EQ(ride.totals.distance, 2);
    }
}

TEST_F(FileImport, NoDistanceBetweenGpxSegments)
{
    std::string gpx = Gpx(false);
    const std::size_t middle = gpx.find("<trkpt", gpx.find("<trkpt", gpx.find("<trkpt") + 1) + 1);
    gpx.insert(middle, "</trkseg><trkseg>"); // after the second point
    const ImportResult r = ImportOne(put("gap.gpx", gpx), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    const Ride ride = RecordOf(r, rider.path());
    EXPECT_EQ(ride.samples[1].distance, 20); // 18 steps of 11.12 m, not 19
    EXPECT_EQ(ride.samples[0].speed, 400);   // the first point of a segment has none
}

TEST_F(FileImport, GzipOfAnyFormat)
{
    const ImportResult r = ImportOne(put("ride.gpx.gz", Gzip(Gpx(true))), rider.path());
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.reason;
    EXPECT_EQ(RecordOf(r, rider.path()).samples[1].heartRate, 145);
    EXPECT_EQ(r.kept, "ride.gpx.gz");
    EXPECT_EQ(ImportOne(put("b.tcx.gz", Gzip(Tcx())), rider.path()).status, ImportStatus::AlreadyThere);
}

TEST_F(FileImport, BrokenFilesAreRefusedWithTheirReasonAndNothingWritten)
{
    const std::string tcx = Tcx();
    const std::string bomb = Gzip(std::string((64 << 20) + 1, '\0'));
    const std::string gz = Gzip(Gpx(true));
    std::string deep = "<gpx>";
    for (int i = 0; i < 100; ++i)
        deep += "<a>";
    const std::pair<std::string, const char *> cases[] = {
        {tcx.substr(0, tcx.size() / 2), "XML is damaged"},
        {"<TrainingCenterDatabase><Activities/></TrainingCenterDatabase>", "holds no activity"},
        {"<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk></gpx>", "no track with times"},
        {gz.substr(0, gz.size() - 10), "truncated"},
        {bomb, "inflates beyond 64 MiB"},
        {Gzip(""), "empty"},
        {deep, "nested deeper"},
    };
    for (const auto &[bytes, reason] : cases) {
        const ImportResult r = ImportOne(put("broken.gpx", bytes), rider.path());
        EXPECT_EQ(r.status, ImportStatus::Failed) << reason;
        EXPECT_NE(r.reason.find(reason), std::string::npos) << r.reason;
        EXPECT_TRUE(entryNames(rider.path()).empty()) << reason;
    }
}

TEST_F(FileImport, DuplicatesByStartAndDistanceAndNumberedCopies)
{
    ASSERT_EQ(ImportOne(put("a/ride.gpx", Gpx(true)), rider.path()).status, ImportStatus::Imported);
    // 30 s later with the same distance: the same ride from another device.
    const ImportResult same = ImportOne(put("b/ride.gpx", Gpx(false, 30)), rider.path());
    EXPECT_EQ(same.status, ImportStatus::AlreadyThere);
    EXPECT_EQ(same.records, std::vector<std::string>{"210601120000.TR9"});
    // 90 s later: another ride, kept under a numbered name.
    const ImportResult other = ImportOne(put("c/ride.gpx", Gpx(false, 90)), rider.path());
    ASSERT_EQ(other.status, ImportStatus::Imported) << other.reason;
    EXPECT_EQ(other.kept, "ride (2).gpx");
    EXPECT_EQ(entryNames(rider.file("Imported")), (std::vector<std::string>{"ride (2).gpx", "ride.gpx"}));
}

TEST_F(FileImport, FoldersProgressCancelAndAFailedWrite)
{
    put("all/one.gpx", Gpx(true));
    put("all/sub/two.TCX", Tcx());
    put("all/notes.txt", "not a ride");
    const std::vector<std::string> files = ImportFilesOf(src.file("all"));
    ASSERT_EQ(files, (std::vector<std::string>{src.file("all/one.gpx"), src.file("all/sub/two.TCX")}));

    std::atomic<bool> cancel{true};
    ImportOptions options;
    std::vector<std::size_t> done;
    options.progress = [&done](std::size_t n, std::size_t total, std::size_t, const ImportResult &) {
        EXPECT_EQ(total, 2u);
        done.push_back(n);
    };
    options.cancel = &cancel;
    for (const ImportResult &r : ImportRides(files, rider.path(), options))
        EXPECT_EQ(r.status, ImportStatus::Cancelled);
    EXPECT_EQ(done, (std::vector<std::size_t>{1, 2}));
    EXPECT_TRUE(entryNames(rider.path()).empty());

    // Imported/ cannot be made: nothing is written, the reason says why.
    writeFileBytes(rider.file("Imported"), "a file in the way");
    const ImportResult r = ImportOne(files[0], rider.path());
    EXPECT_EQ(r.status, ImportStatus::Failed);
    EXPECT_NE(r.reason.find("Imported"), std::string::npos) << r.reason;
    EXPECT_EQ(entryNames(rider.path()), std::vector<std::string>{"Imported"});
}

TEST(RideRecordFile, WrittenLinesMatchTheDecodersAndReadBack)
{
    TempFolder tmp;
    const std::string record = DecodedRecord(tmp.path(), RideDump(25, 2));
    Ride ride;
    std::string error;
    ASSERT_TRUE(ReadRide(record, ride, error)) << error;
    const std::vector<std::string> original = SplitNarrowLines(readFileBytes(record));
    const std::string text = RideRecordText(ride);
    const std::vector<std::string> lines = SplitNarrowLines(text);
    EXPECT_EQ(RideRecordName(ride), ride.name);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(lines[114], "[SENSOR]"); // line 115 with two laps
    ASSERT_EQ(lines.size(), 155u); // the raw transfer's lines left out
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"[ALL DATA ARRAY]", "", ""}));

    // Every line the decoder writes from values, the same; the raw ones
    // (file data, header and lap bytes, wheel series, sample stream) aside.
    const std::set<std::size_t> raw{47, 48, 49, 50, 51, 52, 56, 128, 131, 134, 137, 143, 149};
    for (std::size_t i = 0; i < 153; ++i) {
        if (!raw.count(i) && original[i].rfind("LAP_DATA_ARRAY=", 0) != 0) {
            EXPECT_EQ(lines[i], original[i]) << "line " << i + 1;
        }
    }

    writeFileBytes(tmp.file("copy.TR9"), text);
    Ride again;
    ASSERT_TRUE(ReadRide(tmp.file("copy.TR9"), again, error)) << error;
    EXPECT_EQ(RideRecordText(again), text);

    // A record without laps; values beyond the device's bytes held to them.
    ride.laps.clear();
    ride.lapCount = 300;
    ride.totals.distance = 70000;
    const std::vector<std::string> bare = SplitNarrowLines(RideRecordText(ride));
    EXPECT_EQ(std::vector<std::string>(bare.begin() + 65, bare.begin() + 69),
              (std::vector<std::string>{"", "[LAP Data]", "", "[SENSOR]"}));
    EXPECT_EQ(bare[41], "DISTANCE=65535;");
    EXPECT_EQ(bare[42], "LAPCOUNT=255;");
    EXPECT_EQ(bare[56].substr(54, 6), "FFFFFF"); // header bytes 27 to 29
}

} // namespace
