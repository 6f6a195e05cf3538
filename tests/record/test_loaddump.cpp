// Framing of the dump text: markers, counters, repeated reports, pages,
// the work files and every framing failure.
#include "store/NarrowFile.h"
#include "tests/record/DecodeTest.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace {

const std::string Start = std::string(DumpBuilder::StartMarker) + "20";
const std::string End = std::string(DumpBuilder::EndMarker) + "20";

// A data line: counter byte c, then 32 bytes written as the character fill.
std::string dataLine(int c, char fill = 'A')
{
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0") + digits[c & 15] + std::string(64, fill);
}

std::string text(const std::vector<std::string> &data)
{
    std::vector<std::string> all{Start};
    all.insert(all.end(), data.begin(), data.end());
    all.push_back(End);
    return DumpBuilder::joinLines(all);
}

using LoadDump = DecodeTest;

TEST_F(LoadDump, MissingDumpTextWritesNothing)
{
    analysis.AppFolder = folder.path();
    EXPECT_EQ(analysis.LoadDump(), 1);
    EXPECT_TRUE(analysis.Decode(folder.path()));
    EXPECT_EQ(analysis.FailReason, "LoadDump 1: Temp.txt does not exist");
    EXPECT_FALSE(exists("Temp0.txt"));
    EXPECT_FALSE(exists("ALLDATA.TXT"));
}

TEST_F(LoadDump, DumpTextThatCannotBeReadSaysWhatItIs)
{
    // A FIFO would wait for a writer forever; a folder cannot be read; a
    // file huge on paper (sparse) is refused before anything is allocated.
    ASSERT_EQ(::mkfifo(folder.file("Temp.txt").c_str(), 0600), 0);
    EXPECT_TRUE(analysis.Decode(folder.path()));
    EXPECT_EQ(analysis.FailReason, "LoadDump 1: Temp.txt is not a regular file");
    std::filesystem::remove(folder.file("Temp.txt"));
    std::filesystem::create_directory(folder.file("Temp.txt"));
    EXPECT_TRUE(analysis.Decode(folder.path()));
    EXPECT_EQ(analysis.FailReason, "LoadDump 1: Temp.txt is a folder");
    std::filesystem::remove(folder.file("Temp.txt"));
    writeFileBytes(folder.file("Temp.txt"), "");
    std::filesystem::resize_file(folder.file("Temp.txt"), std::uintmax_t(64) << 30);
    EXPECT_TRUE(analysis.Decode(folder.path()));
    EXPECT_EQ(analysis.FailReason, "LoadDump 1: Temp.txt is larger than 1048576 bytes");
    EXPECT_FALSE(exists("Temp0.txt"));
}

TEST_F(LoadDump, DumpTextUpToItsLimitIsRead)
{
    // A full dump with every report repeated until the file reaches its limit.
    DumpBuilder b;
    b.setMinPages(256);
    const std::vector<std::string> report = b.reportLines();
    std::vector<std::string> repeated{report.front()};
    const std::size_t copies = (filelimit::Dump / 68 - 2) / (report.size() - 2);
    for (std::size_t i = 1; i + 1 < report.size(); ++i)
        repeated.insert(repeated.end(), copies, report[i]);
    repeated.push_back(report.back());
    const std::string dump = DumpBuilder::joinLines(repeated);
    ASSERT_LE(dump.size(), filelimit::Dump);
    ASSERT_GT(dump.size(), filelimit::Dump - 68 * 2048);
    ASSERT_FALSE(decode(dump)) << analysis.FailReason;
    EXPECT_EQ(file("Temp3.txt").size(), 2048u * 66);
    // The record keeps the raw transfer and stays within what the store reads.
    EXPECT_LT(file(analysis.FileName).size(), filelimit::Record);
    EXPECT_TRUE(decode(dump + std::string(filelimit::Dump - dump.size() + 1, '\n')));
    EXPECT_EQ(analysis.FailReason, "LoadDump 1: Temp.txt is larger than 1048576 bytes");
}

TEST_F(LoadDump, MarkersAreCheckedOnTheirFirst64Characters)
{
    // Two extra characters after a marker are ignored; lines are cut to 66.
    const std::string longLine = dataLine(0) + "FFFF";
    writeFileBytes(folder.file("Temp.txt"), text({longLine}));
    analysis.AppFolder = folder.path();
    EXPECT_EQ(analysis.LoadDump(), 0);
    const std::string cut = DumpBuilder::joinLines({Start, longLine.substr(0, 66), End});
    EXPECT_EQ(file("Temp0.txt"), cut);
    EXPECT_EQ(file("ALLDATA.TXT"), cut);
    EXPECT_EQ(file("Temp1.txt"), DumpBuilder::joinLines({longLine.substr(0, 66)}));

    std::string lower = Start;
    lower[3] = 'b'; // "4b": lower-case hexadecimal
    writeFileBytes(folder.file("Temp.txt"), DumpBuilder::joinLines({lower, dataLine(0), End}));
    EXPECT_EQ(analysis.LoadDump(), 2);
    EXPECT_TRUE(exists("ALLDATA.TXT"));

    writeFileBytes(folder.file("Temp.txt"), DumpBuilder::joinLines({Start, dataLine(0), Start}));
    EXPECT_EQ(analysis.LoadDump(), 3);
}

TEST_F(LoadDump, EmptyAndMarkerOnlyDumpsFail)
{
    EXPECT_TRUE(decode(""));
    EXPECT_EQ(analysis.FailReason, "LoadDump 2: the first line is not the start marker");
    EXPECT_EQ(file("Temp0.txt"), "");

    EXPECT_TRUE(decode(DumpBuilder::joinLines({Start})));
    EXPECT_EQ(analysis.FailReason.substr(0, 10), "LoadDump 3");

    // Only the markers: framing passes with an empty dump, the header is missing.
    EXPECT_TRUE(decode(text({})));
    EXPECT_EQ(analysis.DumpHex, "");
    EXPECT_EQ(analysis.FailReason, "the dump is shorter than the 48 header bytes");
    EXPECT_FALSE(exists("Temp5.txt"));
}

TEST_F(LoadDump, RepeatedReportsKeepTheLastOfARun)
{
    writeFileBytes(folder.file("Temp.txt"),
                   text({dataLine(3), dataLine(4, 'B'), dataLine(4, 'C'), dataLine(5), dataLine(5, 'D')}));
    analysis.AppFolder = folder.path();
    ASSERT_EQ(analysis.LoadDump(), 0);
    EXPECT_EQ(file("Temp2.txt"),
              DumpBuilder::joinLines({dataLine(3), dataLine(4, 'C'), dataLine(5, 'D')}));
    EXPECT_EQ(file("Temp3.txt"),
              DumpBuilder::joinLines({std::string(64, 'A'), std::string(64, 'C'), std::string(64, 'D')}));
    EXPECT_EQ(analysis.DumpHex, std::string(64, 'A') + std::string(64, 'C') + std::string(64, 'D'));
}

TEST_F(LoadDump, CountersWrapFrom15To0AndAGapFails)
{
    analysis.AppFolder = folder.path();
    writeFileBytes(folder.file("Temp.txt"), text({dataLine(14), dataLine(15), dataLine(0), dataLine(1)}));
    EXPECT_EQ(analysis.LoadDump(), 0);

    // A last line with counter 0 stays.
    writeFileBytes(folder.file("Temp.txt"), text({dataLine(15), dataLine(0)}));
    EXPECT_EQ(analysis.LoadDump(), 0);
    EXPECT_EQ(analysis.DumpHex.size(), 128u);

    std::remove(folder.file("Temp3.txt").c_str());
    writeFileBytes(folder.file("Temp.txt"), text({dataLine(14), dataLine(15), dataLine(1)}));
    EXPECT_EQ(analysis.LoadDump(), 4);
    EXPECT_EQ(file("Temp2.txt"), DumpBuilder::joinLines({dataLine(14), dataLine(15), dataLine(1)}));
    EXPECT_FALSE(exists("Temp3.txt"));

    // A counter that is not a hexadecimal digit breaks the chain of counters.
    std::string bad = dataLine(2);
    bad[1] = 'G';
    writeFileBytes(folder.file("Temp.txt"), text({dataLine(1), bad, dataLine(3)}));
    EXPECT_EQ(analysis.LoadDump(), 4);
}

TEST_F(LoadDump, LineEndsOtherThanCrLfAreRead)
{
    DumpBuilder b;
    std::string unix;
    for (const auto &line : b.reportLines())
        unix += line + "\n";
    EXPECT_FALSE(decode(unix)) << analysis.FailReason;

    // Every work file ends its lines with CR LF, whatever the dump used,
    // also where lines that already do follow lines that do not.
    const std::vector<std::string> lines{Start, dataLine(0), dataLine(1), dataLine(2), dataLine(3), End};
    writeFileBytes(folder.file("Temp.txt"), Start + "\r\n" + lines[1] + "\n" + lines[2] + "\r" + lines[3] +
                                                "\r\n" + lines[4] + "\r\n" + End);
    analysis.AppFolder = folder.path();
    ASSERT_EQ(analysis.LoadDump(), 0);
    EXPECT_EQ(file("ALLDATA.TXT"), DumpBuilder::joinLines(lines));
    EXPECT_EQ(file("Temp1.txt"), DumpBuilder::joinLines({lines.begin() + 1, lines.end() - 1}));
}

TEST_F(LoadDump, PageTagsComeFromEveryCompletePage)
{
    DumpBuilder b;
    b.setPageTags({0x1F, 0xA0});
    b.setMinPages(2);
    std::vector<std::string> report = b.reportLines();
    report.erase(report.end() - 2); // the second page loses its last line
    writeFileBytes(folder.file("Temp.txt"), DumpBuilder::joinLines(report));
    analysis.AppFolder = folder.path();
    ASSERT_EQ(analysis.LoadDump(), 0);
    EXPECT_EQ(analysis.PageTags, std::vector<std::string>{"1F"});
    EXPECT_EQ(analysis.DumpHex.size(), 15u * 64);
}

TEST_F(LoadDump, ShortDataLineFails)
{
    DumpBuilder b;
    std::vector<std::string> report = b.reportLines();
    report[3].pop_back();
    EXPECT_TRUE(decode(DumpBuilder::joinLines(report)));
    EXPECT_EQ(analysis.FailReason, "a data line is shorter than 66 characters");
    EXPECT_TRUE(analysis.FileName.empty());
    EXPECT_FALSE(exists("Temp5.txt"));
}

TEST_F(LoadDump, MoreThan256PagesAreRefused)
{
    DumpBuilder b;
    b.setMinPages(256);
    EXPECT_FALSE(decode(b)) << analysis.FailReason;

    std::vector<std::string> report = b.reportLines();
    report.insert(report.end() - 1, DumpBuilder::frame(std::vector<std::uint8_t>(32, 0), 0)[1]);
    EXPECT_TRUE(decode(DumpBuilder::joinLines(report)));
    EXPECT_EQ(analysis.FailReason, "the dump holds more than 256 pages (2049 data lines, at most 2048)");
    EXPECT_TRUE(analysis.FileName.empty());
}

TEST(DumpBuilderReports, AreTheReportLinesAsBytes)
{
    DumpBuilder b;
    const auto reports = b.reports();
    const auto lines = b.reportLines();
    ASSERT_EQ(reports.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(reports[i].size(), 33u);
        EXPECT_EQ(DumpBuilder::hex(reports[i]), lines[i]);
    }
}

} // namespace
