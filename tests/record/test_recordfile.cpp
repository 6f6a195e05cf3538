// The record file: name, layout, byte-exact content and writing failures.
#include "tests/record/DecodeTest.h"
#include "tests/support/FailingDisk.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

using RecordFile = DecodeTest;

std::vector<std::string> tail(const std::vector<std::string> &lines, std::size_t from)
{
    return from <= lines.size() ? std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end())
                                : std::vector<std::string>{};
}

TEST_F(RecordFile, LapSensorAndDumpSectionsAreByteExact)
{
    DumpBuilder b;
    b.addSample(72, 80, 5, 6181);
    b.addLap(DumpBuilder::lap(1));
    b.addSample(75, 81, 10, 0);
    ASSERT_FALSE(decode(b)) << analysis.FailReason;
    ASSERT_EQ(analysis.FileName, "120704080503.TR9");

    std::vector<std::string> expected = {
        "",
        "[LAP Data]", "", "$LAP$1", "",
        "LAP_IDX=1;", "LAP_HOUR_SLP=0;", "LAP_MIN_SLP=12;", "LAP_SEC_SLP=30;", "LAP_HOUR=0;",
        "LAP_MIN=12;", "LAP_SEC=30;", "LAP_HRM_AVG=140;", "LAP_HRM_MAX=171;", "LAP_SPEED_AVG=300;",
        "LAP_SPEED_MAX=450;", "LAP_CA_AVG=85;", "LAP_CA_MAX=102;", "LAP_DIST=60;", "LAP_DIST_SPLIT=60;",
        "LAP_PRE_ADDR_H=0x00;", "LAP_PRE_ADDR_L=0x00;", "LAP_NEXT_ADDR_H=0x00;", "LAP_NEXT_ADDR_L=0x00;",
        "LAP_DATA_ARRAY=01000C1E000C1E8CAB012C01C25566003C003C" + std::string(26, '0') + ";",
        "",
        "[SENSOR]", "HRM_EXIST=1;", "CAD_EXIST=1;", "SPD_EXIST=1;", "", "[Flow Data]", "",
        "#HRM", "72,75,", "", "#RPM", "80,81,", "", "#SPD_CNT", "5,10,", "",
        "#SPD_PerCNT", "0,5,", "", "#SPD_SumCNT", "0,5,", "", "#SPD_PerDistance", "0,1,", "",
        "#SPD_SumDistance", "0,1,", "", "#SPD_DT", "6181,0,", "", "#SPD_SPEED", "399,399,", "",
        "#FLOW DATA ARRAY", "485000051825" "4B51000A0000", "",
        "", "[ALL DATA ARRAY]", ""};
    const std::vector<std::string> report = b.reportLines();
    expected.insert(expected.end(), report.begin(), report.end());
    expected.push_back("");

    const std::vector<std::string> record = lines(analysis.FileName);
    ASSERT_EQ(record.size(), 65 + expected.size());
    EXPECT_EQ(record[56], b.headerHex());
    EXPECT_EQ(record[52], "FIRSTLAP_ADDR_L=0x36;");
    EXPECT_EQ(tail(record, 65), expected);
    // Nothing but printable ASCII and the line ends.
    for (const char c : file(analysis.FileName))
        ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n');
}

TEST_F(RecordFile, NameIsTheStartInTwoDigitPairs)
{
    struct Case {
        int start[6];
        const char *name;
    } cases[] = {{{12, 12, 31, 23, 59, 59}, "121231235959.TR9"},
                 {{12, 1, 2, 3, 4, 5}, "120102030405.TR9"},
                 {{123, 1, 2, 3, 4, 5}, "1230102030405.TR9"}};
    for (const auto &c : cases) {
        DumpBuilder b;
        b.setStart(c.start[0], c.start[1], c.start[2], c.start[3], c.start[4], c.start[5]);
        ASSERT_FALSE(decode(b));
        EXPECT_EQ(analysis.FileName, c.name);
        EXPECT_TRUE(exists(c.name));
    }
}

TEST_F(RecordFile, SectionsMoveWithTheLapCount)
{
    DumpBuilder none;
    ASSERT_FALSE(decode(none));
    std::vector<std::string> record = lines(analysis.FileName);
    ASSERT_GT(record.size(), 69u);
    EXPECT_EQ(record[65], "");
    EXPECT_EQ(record[66], "[LAP Data]");
    EXPECT_EQ(record[67], "");
    EXPECT_EQ(record[68], "[SENSOR]");

    DumpBuilder two;
    two.addLap(DumpBuilder::lap(1));
    two.addLap(DumpBuilder::lap(2));
    ASSERT_FALSE(decode(two));
    record = lines(analysis.FileName);
    ASSERT_GT(record.size(), 115u);
    EXPECT_EQ(record[114], "[SENSOR]");
}

TEST_F(RecordFile, DumpSectionKeepsTheRawTransfer)
{
    DumpBuilder b;
    b.setMinPages(25); // 200 data lines
    std::vector<std::string> report = b.reportLines();
    report.insert(report.begin() + 5, report[5]); // a repeated report
    report[0] += "FFFF";                          // cut to 66 characters
    ASSERT_FALSE(decode(DumpBuilder::joinLines(report))) << analysis.FailReason;
    report[0].resize(66);

    const std::vector<std::string> record = lines(analysis.FileName);
    const auto heading = std::find(record.begin(), record.end(), "[ALL DATA ARRAY]");
    ASSERT_NE(heading, record.end());
    const std::size_t at = static_cast<std::size_t>(heading - record.begin());
    std::vector<std::string> expected{""};
    expected.insert(expected.end(), report.begin(), report.end());
    expected.push_back("");
    EXPECT_EQ(tail(record, at + 1), expected);
    EXPECT_EQ(expected.size(), 203u + 2);
}

TEST_F(RecordFile, ExistingFileIsReplacedAndAFailedWriteIsAFailure)
{
    writeFileBytes(folder.file("120704080503.TR9"), "old");
    ASSERT_FALSE(decode(DumpBuilder()));
    EXPECT_EQ(file("120704080503.TR9").substr(0, 13), "[File Head]\r\n");

    std::filesystem::remove(folder.file("120704080503.TR9"));
    std::filesystem::create_directory(folder.file("120704080503.TR9"));
    EXPECT_TRUE(decode(DumpBuilder()));
    EXPECT_EQ(analysis.FailReason, "the record file cannot be written in " + folder.path() + "/");
    EXPECT_TRUE(analysis.FileName.empty());
}

TEST_F(RecordFile, WorkFileLinksAreReplacedNotFollowed)
{
    TempFolder outside;
    writeFileBytes(outside.file("keep.txt"), "keep");
    std::filesystem::create_symlink(outside.file("keep.txt"), folder.file("Temp0.txt"));
    writeFileBytes(folder.file("Temp5.txt"), std::string(100000, 'Z')); // longer than the new one
    ASSERT_FALSE(decode(DumpBuilder()));
    EXPECT_EQ(readFileBytes(outside.file("keep.txt")), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("Temp0.txt")));
    EXPECT_EQ(file("Temp0.txt"), DumpBuilder().tempText());
    EXPECT_EQ(file("Temp5.txt").size(), 512u + 2);
}

TEST_F(RecordFile, OutputNamesTakenByFifosAndHardLinksAreReplaced)
{
    // Opening a FIFO for writing waits for a reader forever; every output
    // goes to a new file renamed into place instead.
    for (const char *name : {"Temp0.txt", "ALLDATA.TXT", "Temp1.txt", "Temp2.txt", "Temp3.txt", "Temp5.txt",
                             "Temp6.txt", "120704080503.TR9"})
        ASSERT_EQ(::mkfifo(folder.file(name).c_str(), 0600), 0) << name;
    ASSERT_FALSE(decode(DumpBuilder())) << analysis.FailReason;
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("120704080503.TR9")));
    EXPECT_EQ(file("Temp0.txt"), DumpBuilder().tempText());

    // The record kept after "No" to "File Exists! Over write?" may be linked
    // elsewhere: the link keeps the old content.
    TempFolder other;
    writeFileBytes(folder.file("120704080503.TR9"), "older record");
    std::filesystem::create_hard_link(folder.file("120704080503.TR9"), other.file("kept.TR9"));
    ASSERT_FALSE(decode(DumpBuilder()));
    EXPECT_EQ(readFileBytes(other.file("kept.TR9")), "older record");
    EXPECT_EQ(file("120704080503.TR9").substr(0, 11), "[File Head]");
}

TEST_F(RecordFile, FailingDiskKeepsTheOlderRecordAndFails)
{
    // Only the record's own temporary file fails; a record that cannot be
    // synced never replaces the older one.
    for (const DiskStep step : {DiskStep::Open, DiskStep::Write, DiskStep::FileSync, DiskStep::Close}) {
        writeFileBytes(folder.file("120704080503.TR9"), "older record");
        {
            FailingDisk disk(step, ENOSPC, folder.file(".120704080503.TR9"));
            EXPECT_TRUE(decode(DumpBuilder())) << DiskStepName(step);
            EXPECT_GT(disk.Failures(), 0);
        }
        EXPECT_EQ(analysis.FailReason, "the record file cannot be written in " + folder.path() + "/");
        EXPECT_TRUE(analysis.FileName.empty());
        EXPECT_EQ(file("120704080503.TR9"), "older record") << DiskStepName(step);
    }
    // A folder that cannot be synced: the record is in place, and said to be
    // unconfirmed rather than not written.
    {
        FailingDisk disk(DiskStep::FolderSync, EIO, folder.path());
        EXPECT_FALSE(decode(DumpBuilder()));
        EXPECT_GT(disk.Failures(), 0);
    }
    EXPECT_EQ(analysis.FileName, "120704080503.TR9");
    EXPECT_TRUE(analysis.RecordUnconfirmed);
    EXPECT_EQ(file("120704080503.TR9").substr(0, 11), "[File Head]");
    EXPECT_FALSE(decode(DumpBuilder()));
    EXPECT_FALSE(analysis.RecordUnconfirmed);
    writeFileBytes(folder.file("120704080503.TR9"), "older record");
    // A full disk at the first work file fails the decoding as well.
    FailingDisk disk(DiskStep::Write);
    EXPECT_TRUE(decode(DumpBuilder()));
    EXPECT_EQ(file("120704080503.TR9"), "older record");
}

TEST_F(RecordFile, RecordIsAssembledFromTheDecodersOwnDump)
{
    // Another decode in the same folder rewrites ALLDATA.TXT meanwhile.
    DumpBuilder b;
    b.addSample(72, 80, 5, 6181);
    writeFileBytes(folder.file("Temp.txt"), b.tempText());
    analysis.AppFolder = folder.path();
    ASSERT_EQ(analysis.LoadDump(), 0);
    writeFileBytes(folder.file("ALLDATA.TXT"), "another transfer\r\n");
    analysis.DecodeHeader();
    analysis.LapList = {"[LAP Data]"};
    analysis.DecodeFlow();
    analysis.WriteRecordFile();
    ASSERT_EQ(analysis.FileName, "120704080503.TR9");
    const std::string record = file(analysis.FileName);
    EXPECT_EQ(record.substr(record.size() - b.tempText().size() - 2), b.tempText() + "\r\n");
}

} // namespace
