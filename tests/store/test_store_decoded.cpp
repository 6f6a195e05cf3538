// Record files written by the decoder, read back through the store.
#include "record/Trfsanalysis.h"
#include "store/Databasecontroler.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Decoded : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(tmp.file("ID/Bob"));
        db.SetRootFolder(tmp.file("ID") + "/");
        db.CurrentID = "Bob";
        db.RiderFolder = db.RootFolder + "Bob/";
    }
    // Decodes the dump in the application folder and files the record in
    // the rider's folder, as the download does.
    std::string File(const DumpBuilder &b)
    {
        writeFileBytes(tmp.file("Temp.txt"), b.tempText());
        TTRAnalysis decoder;
        EXPECT_FALSE(decoder.Decode(tmp.path())) << decoder.FailReason;
        std::filesystem::rename(tmp.file(decoder.FileName), db.RiderFolder + decoder.FileName);
        return decoder.FileName;
    }

    TempFolder tmp;
    TKorvanDataBase db;
};

TEST_F(Decoded, ValuesSeriesAndNotesOfADecodedRecord)
{
    DumpBuilder b;
    b.setHeaderWord(27, 1000); // 100 km
    for (int i = 0; i < 5; ++i)
        b.addSample(static_cast<std::uint8_t>(70 + i), 90, static_cast<std::uint16_t>(100 + i), 6000);
    b.addLap(DumpBuilder::lap(1));
    const std::string name = File(b);
    EXPECT_EQ(name, "120704080503.TR9");

    db.ListRecordFiles();
    ASSERT_EQ(db.RecordFiles, std::vector<std::string>{name});
    ASSERT_EQ(db.ReadRecord(name), 0);
    EXPECT_EQ(db.ExerciseTime, "01:02:03");
    EXPECT_EQ(db.DistanceText, "100");
    EXPECT_EQ(db.SpeedAvgText, "25.6");
    EXPECT_EQ(db.CadenceAvgText, "80");
    EXPECT_EQ(db.LapCountText, "1");
    EXPECT_EQ(db.KcalText, "412");
    EXPECT_EQ(db.HrMaxText, "176");
    EXPECT_EQ(db.HrAvgText, "141");
    EXPECT_EQ(db.Vo2MaxText, "45");
    EXPECT_EQ(db.HrLimitText, "120~160");
    EXPECT_EQ(db.HrmExist, 1);
    db.ReadSeries("#HRM");
    EXPECT_EQ(db.SeriesText, "70,71,72,73,74,");
    db.ReadSeries("#RPM");
    EXPECT_EQ(db.SeriesText, "90,90,90,90,90,");

    // Notes go beside the record; the record file itself never changes.
    const std::string before = readFileBytes(db.RiderFolder + name);
    db.NoteLines = {QString::fromUtf8("\xE6\x99\xA8\xE7\xBB\x83"), "2", "memo"};
    ASSERT_EQ(db.SaveNotes(name), 0);
    EXPECT_EQ(readFileBytes(db.RiderFolder + name), before);
    db.ListRecordFiles();
    EXPECT_EQ(db.RecordFiles.size(), 1u);
    db.ReadRecord(name);
    EXPECT_EQ(db.Topic, QString::fromUtf8("\xE6\x99\xA8\xE7\xBB\x83"));
    EXPECT_EQ(db.NoteLines, QStringList{"memo"});
}

TEST_F(Decoded, DayTotalsOverDecodedRecords)
{
    DumpBuilder morning;
    morning.setHeaderByte(7, 1), morning.setHeaderByte(8, 0), morning.setHeaderByte(9, 0);
    morning.setHeaderWord(19, 400);
    File(morning);
    DumpBuilder evening;
    evening.setStart(12, 7, 4, 18, 0, 0);
    evening.setHeaderByte(7, 0), evening.setHeaderByte(8, 30), evening.setHeaderByte(9, 15);
    evening.setHeaderWord(19, 215);
    File(evening);
    DumpBuilder nextDay;
    nextDay.setStart(12, 7, 5, 8, 0, 0);
    File(nextDay);

    db.ListRecordFiles();
    ASSERT_EQ(db.RecordFiles.size(), 3u);
    db.SumDay(12, 7, 4);
    EXPECT_EQ(db.DaySeconds, 5415);
    EXPECT_EQ(db.DayKcal, 615);
    EXPECT_EQ(db.DayDistance, 490);
}

} // namespace
