// tr9import from the shell: one line per file, the exit status, the usage.
#include "tests/export/ExportRides.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string Tool = TR9IMPORT;

std::string Gpx(int minute)
{
    std::string x = "<gpx version=\"1.1\"><trk><trkseg>";
    for (int k = 0; k < 30; ++k)
        x += "<trkpt lat=\"" + std::to_string(47.0 + k * 0.0001) + "\" lon=\"8\"><time>2021-06-01T10:" +
             std::to_string(10 + minute) + ":" + (k < 10 ? "0" : "") + std::to_string(k) + "Z</time></trkpt>";
    return x + "</trkseg></trk></gpx>";
}

TEST(Tr9import, LinesAndExitStatus)
{
    TempFolder src, rider;
    writeFileBytes(src.file("a.gpx"), Gpx(0));
    writeFileBytes(src.file("b.gpx"), Gpx(5));
    const std::string env = "TZ=UTC ";
    CommandRun run = RunCommand(env + Tool + " -o " + Quoted(rider.path()) + " " + Quoted(src.path()));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("a.gpx: imported as 210601101000.TR9\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("b.gpx: imported as 210601101500.TR9\n"), std::string::npos) << run.output;
    EXPECT_TRUE(fileExists(rider.file("210601101500.TR9")));

    writeFileBytes(src.file("c.fit"), "damaged");
    run = RunCommand(env + Tool + " -o " + Quoted(rider.path()) + " " + Quoted(src.file("a.gpx")) + " " +
                     Quoted(src.file("c.fit")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("a.gpx: already there (210601101000.TR9)\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("c.fit: not imported: not a FIT, TCX or GPX file\n"), std::string::npos) << run.output;

    EXPECT_EQ(RunCommand(Tool + " 2>&1").status, 2);
    EXPECT_EQ(RunCommand(Tool + " --bogus x 2>&1").status, 2);
    run = RunCommand(Tool + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("Usage: tr9import", 0), 0u);
    // The printed lines are the result: an output that cannot be written fails.
    EXPECT_EQ(RunCommand(Tool + " --help >/dev/full 2>/dev/null").status, 1);
}

} // namespace
