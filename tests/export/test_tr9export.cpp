// The command-line tool: formats, output folder, folders of records,
// failures and exit status.
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

CommandRun Tool(const std::string &arguments)
{
    return RunCommand(TR9EXPORT " " + arguments + " 2>&1");
}

TEST(Tr9export, HelpAndUsageErrors)
{
    const CommandRun help = Tool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: tr9export [--format fit|tcx|csv] [-o FOLDER] FILE.TR9...\n", 0), 0u);
    EXPECT_EQ(Tool("").status, 2);
    const CommandRun format = Tool("--format gpx a.TR9");
    EXPECT_EQ(format.status, 2);
    EXPECT_EQ(format.output.rfind("tr9export: unknown format \"gpx\" (fit, tcx or csv)\n", 0), 0u);
    EXPECT_EQ(Tool("-o").status, 2);
    EXPECT_EQ(Tool("--colour a.TR9").status, 2);
}

TEST(Tr9export, WritesEveryRecordAndFailsWhenOneIsNotWritten)
{
    TempFolder rider, out;
    DumpBuilder evening = RideDump(5, 1);
    evening.setStart(12, 7, 4, 19, 30, 0);
    const std::string morning = DecodedRecord(rider.path(), RideDump(5, 1));
    DecodedRecord(rider.path(), evening);
    std::filesystem::remove(rider.file("Temp.txt"));

    // A rider folder at once, in each format.
    for (const char *format : {"fit", "tcx", "csv"}) {
        const CommandRun run = Tool(std::string("--format ") + format + " -o " + Quoted(out.path()) + " " +
                                    Quoted(rider.path()));
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(run.output, out.file("2012-07-04_080503.") + format + "\n" + out.file("2012-07-04_193000.") +
                                  format + "\n");
    }
    EXPECT_EQ(readFileBytes(out.file("2012-07-04_080503.fit")).substr(8, 4), ".FIT");

    // One record missing: the others are written, the exit status is 1.
    const CommandRun partly = Tool("--format=csv -o " + Quoted(out.path()) + " " + Quoted(rider.file("none.TR9")) +
                                   " " + Quoted(morning));
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(partly.output, "tr9export: cannot read " + rider.file("none.TR9") + "\n" +
                                 out.file("2012-07-04_080503.csv") + "\n");

    // Two records of the same second would overwrite each other.
    TempFolder twin;
    const std::string copy = DecodedRecord(twin.path(), RideDump(6, 0));
    const CommandRun same = Tool("-o " + Quoted(out.path()) + " " + Quoted(morning) + " " + Quoted(copy));
    EXPECT_EQ(same.status, 1);
    EXPECT_NE(same.output.find("starts in the same second"), std::string::npos) << same.output;
}

TEST(Tr9export, DamagedRecordsAreRefusedWithTheReason)
{
    TempFolder rider, out;
    const std::string record = readFileBytes(DecodedRecord(rider.path(), RideDump(5, 1)));
    const std::string path = rider.file("x.TR9");
    const auto replaced = [&record](const std::string &from, const std::string &to) {
        std::string text = record;
        return text.replace(text.find(from), from.size(), to);
    };
    const struct {
        std::string text, reason;
    } cases[] = {
        {replaced("YEAR=12;", "YEAR=abc;"), path + ": the start field YEAR=abc is not a decimal number"},
        {replaced("YEAR=12;", "YEAR=300;"), path + ": the start field YEAR=300 is out of range (0 to 99)"},
        {replaced("SECOND=3;", "SECOND=-1;"), path + ": the start field SECOND=-1 is not a decimal number"},
        {record.substr(0, record.find("WEEKDAY")), path + ": the section [LAP Data] is missing"},
        {replaced("[Flow Data]", "[Flow]"), path + ": the section [Flow Data] is missing"},
    };
    for (const auto &c : cases) {
        writeFileBytes(path, c.text);
        for (const char *format : {"fit", "tcx", "csv"}) {
            const CommandRun run = Tool(std::string("--format ") + format + " -o " + Quoted(out.path()) + " " +
                                        Quoted(path));
            EXPECT_EQ(run.status, 1) << c.reason;
            EXPECT_EQ(run.output, "tr9export: " + c.reason + "\n");
        }
    }
    EXPECT_TRUE(entryNames(out.path()).empty());
}

TEST(Tr9export, AnOutputThatCannotBeWrittenFails)
{
    TempFolder rider, out;
    const std::string record = DecodedRecord(rider.path(), RideDump(5, 1));
    const CommandRun full =
        RunCommand(TR9EXPORT " -o " + Quoted(out.path()) + " " + Quoted(record) + " 2>&1 >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.output, "tr9export: cannot write the standard output: No space left on device\n");
    EXPECT_EQ(RunCommand(TR9EXPORT " --help 2>&1 >/dev/full").status, 1);
}

} // namespace
