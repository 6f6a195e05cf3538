// Reading record files, day totals and notes files.
#include "store/AtomicFile.h"
#include "store/Databasecontroler.h"
#include "store/NarrowFile.h"
#include "tests/store/RecordFixture.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace {

class StoreRecords : public ::testing::Test {
protected:
    void SetUp() override { db.RiderFolder = tmp.path() + "/"; }
    void Put(const std::string &name, const RecordFixture &r) { writeFileBytes(tmp.file(name), r.text()); }

    TempFolder tmp;
    TKorvanDataBase db;
};

TEST_F(StoreRecords, ReadRecordFillsTheShownValues)
{
    Put("120704080503.TR9", RecordFixture{});
    ASSERT_EQ(db.ReadRecord("120704080503.TR9"), 0);
    EXPECT_EQ(db.ExerciseTime, "01:05:30");
    EXPECT_EQ(db.DistanceText, "12.3");
    EXPECT_EQ(db.SpeedAvgText, "25.4"); // the header value, not LAP_SPEED_AVG
    EXPECT_EQ(db.CadenceAvgText, "85");
    EXPECT_EQ(db.LapCountText, "1");
    EXPECT_EQ(db.KcalText, "412");
    EXPECT_EQ(db.HrMaxText, "171");
    EXPECT_EQ(db.HrAvgText, "142");
    EXPECT_EQ(db.Vo2MaxText, "45");
    EXPECT_EQ(db.HrLimitText, "130~165");
    EXPECT_EQ(db.Unit, 0);
    EXPECT_EQ(db.HrmExist, 1);
    EXPECT_EQ(db.SpdExist, 1);
    EXPECT_EQ(db.CadExist, 1);
    EXPECT_EQ(db.ValueOf("SPEED_AVG"), "254");
    EXPECT_EQ(db.ValueOf("LAP_SPEED_AVG"), "999");
    EXPECT_TRUE(db.Topic.isEmpty());
    EXPECT_TRUE(db.NoteLines.isEmpty());
}

TEST_F(StoreRecords, DurationAndTenthsFormatting)
{
    struct Case {
        std::string hour, distance, speed, time, distText, speedText;
    };
    const Case cases[] = {
        {"12", "0", "100", "12:05:30", "0", "10"},
        {"1", "5", "1", "01:05:30", "0.5", "0.1"},
        {"0", "65535", "00", "00:05:30", "6553.5", "0"},
        {"1", "-", "abc", "01:05:30", "0", "0"},   // missing, not a number
        {"1", "1e999", "12x", "01:05:30", "0", "0"}, // out of range, trailing junk
        {"1", "+5", "+-10", "01:05:30", "0.5", "0"},  // a leading "+" is read, a second sign is not
    };
    for (const Case &c : cases) {
        RecordFixture r;
        r.head["EXEHOUR"] = c.hour;
        r.head["DISTANCE"] = c.distance;
        r.head["SPEED_AVG"] = c.speed;
        r.head["UNIT"] = "1";
        Put("a.TR9", r);
        ASSERT_EQ(db.ReadRecord("a.TR9"), 0);
        EXPECT_EQ(db.ExerciseTime, c.time);
        EXPECT_EQ(db.DistanceText, c.distText) << c.distance;
        EXPECT_EQ(db.SpeedAvgText, c.speedText) << c.speed;
        EXPECT_EQ(db.Unit, 1);
    }
    RecordFixture noUnit;
    for (const char *unit : {"-", "+-1", "++1", "+"}) {
        noUnit.head["UNIT"] = unit;
        Put("a.TR9", noUnit);
        db.ReadRecord("a.TR9");
        EXPECT_EQ(db.Unit, 0) << unit;
    }
    noUnit.head["UNIT"] = "+1";
    Put("a.TR9", noUnit);
    db.ReadRecord("a.TR9");
    EXPECT_EQ(db.Unit, 1);
}

TEST_F(StoreRecords, MissingRecordGivesZerosAndKeepsNotes)
{
    Put("a.TR9", RecordFixture{});
    writeFileBytes(tmp.file("a.TRM"), Utf16(u"Topic\r\n3\r\nmemo\r\n", false));
    ASSERT_EQ(db.ReadRecord("a.TR9"), 0);
    EXPECT_EQ(db.ReadRecord("gone.TR9"), 1);
    EXPECT_EQ(db.ReadRecord(""), 1);
    for (const std::string *t : {&db.ExerciseTime, &db.DistanceText, &db.CadenceAvgText, &db.SpeedAvgText,
                                 &db.LapCountText, &db.KcalText, &db.HrMaxText, &db.HrAvgText,
                                 &db.Vo2MaxText, &db.HrLimitText})
        EXPECT_EQ(*t, "0");
    EXPECT_EQ(db.Topic, "Topic");
    EXPECT_EQ(db.Weather, "3");
    EXPECT_EQ(db.NoteLines, QStringList{"memo"});
    EXPECT_EQ(db.HrmExist, 1);
}

TEST_F(StoreRecords, FifosAndFoldersAreNotReadAsFiles)
{
    // Opening a FIFO for reading would wait for a writer forever.
    ASSERT_EQ(::mkfifo(tmp.file("p.TR9").c_str(), 0600), 0);
    EXPECT_EQ(db.ReadRecord("p.TR9"), 1);
    Put("a.TR9", RecordFixture{});
    ASSERT_EQ(::mkfifo(tmp.file("a.TRM").c_str(), 0600), 0);
    EXPECT_EQ(db.ReadRecord("a.TR9"), 0);
    EXPECT_TRUE(db.NoteLines.isEmpty());
    std::filesystem::create_directory(tmp.file("d.TR9"));
    EXPECT_EQ(db.ReadRecord("d.TR9"), 1);
}

TEST_F(StoreRecords, LinksUnderTheProgramsNamesAreNotFollowed)
{
    // A notes file or a record that is a symbolic link never shows what it
    // points to; neither does the remembered ID nor a rider's photo.
    TempFolder outside;
    writeFileBytes(outside.file("secret.txt"), "topic\r\n1\r\nprivate line\r\n");
    Put("a.TR9", RecordFixture{});
    std::filesystem::create_symlink(outside.file("secret.txt"), tmp.file("a.TRM"));
    EXPECT_EQ(db.ReadRecord("a.TR9"), 0);
    EXPECT_TRUE(db.NoteLines.isEmpty());
    EXPECT_TRUE(db.Topic.isEmpty());
    std::filesystem::create_symlink(tmp.file("a.TR9"), tmp.file("b.TR9"));
    EXPECT_EQ(db.ReadRecord("b.TR9"), 1);

    writeFileBytes(outside.file("REME.txt"), "Bob\r\n");
    std::filesystem::create_symlink(outside.file("REME.txt"), tmp.file("REME.txt"));
    std::string id;
    EXPECT_FALSE(TKorvanDataBase::ReadRememberMe(tmp.path(), id));
    EXPECT_EQ(id, "");

    db.RootFolder = tmp.path() + "/";
    std::filesystem::create_directory(tmp.file("Bob"));
    std::filesystem::create_symlink(outside.file("secret.txt"), tmp.file("Bob/Bob.jpg"));
    EXPECT_EQ(db.PhotoFile("Bob"), "");

    // A path the user names is followed.
    std::string bytes;
    EXPECT_EQ(ReadFile(tmp.file("a.TRM"), bytes, 1000), ReadStatus::Ok);
    EXPECT_EQ(ReadFile(tmp.file("a.TRM"), bytes, 1000, Links::NotFollowed), ReadStatus::NotRegular);
}

TEST_F(StoreRecords, ARecordHoldsNoMoreThanADumpCan)
{
    // A series longer than any dump gives is cut after filelimit::RecordSamples
    // values: the charts, the report and the export never hold more.
    RecordFixture r;
    r.hrmSeries.clear();
    for (int i = 0; i < 30000; ++i)
        r.hrmSeries += std::to_string(100 + i % 50) + ",";
    Put("a.TR9", r);
    ASSERT_EQ(db.ReadRecord("a.TR9"), 0);
    db.ReadSeries("#HRM");
    EXPECT_EQ(std::count(db.SeriesText.begin(), db.SeriesText.end(), ','), 11000);
    EXPECT_EQ(db.SeriesText.substr(0, 8), "100,101,");
    EXPECT_EQ(db.SeriesText.back(), ',');
    // A series within the bound is kept whole, without a last comma too.
    RecordFixture shortOne;
    shortOne.hrmSeries = "72,75,80";
    Put("b.TR9", shortOne);
    db.ReadRecord("b.TR9");
    db.ReadSeries("#HRM");
    EXPECT_EQ(db.SeriesText, "72,75,80");

    // A file of more lines than any record is not read as one.
    writeFileBytes(tmp.file("120704080503.TR9"), RecordFixture{}.text() + std::string(40000, '\n'));
    EXPECT_EQ(db.ReadRecord("120704080503.TR9"), 1);
    db.RecordFiles = {"120704080503.TR9"};
    db.SumDay(12, 7, 4);
    EXPECT_EQ(db.DaySeconds, 0);
}

TEST_F(StoreRecords, FilesHugeOnPaperAreNotRead)
{
    // Sparse: nothing on disk, 64 GiB by their size. Read as unreadable.
    auto sparse = [this](const std::string &name) {
        writeFileBytes(tmp.file(name), "");
        std::filesystem::resize_file(tmp.file(name), std::uintmax_t(64) << 30);
    };
    sparse("120704080503.TR9");
    EXPECT_EQ(db.ReadRecord("120704080503.TR9"), 1);
    db.ListRecordFiles();
    db.SumDay(12, 7, 4);
    EXPECT_EQ(db.DaySeconds, 0);

    Put("a.TR9", RecordFixture{});
    sparse("a.TRM");
    EXPECT_EQ(db.ReadRecord("a.TR9"), 0);
    EXPECT_TRUE(db.Topic.isEmpty());
    EXPECT_TRUE(db.NoteLines.isEmpty());

    // A record at its limit is still read.
    writeFileBytes(tmp.file("b.TR9"), "KCAL=7;\r\n" + std::string(filelimit::Record - 9, 'x'));
    ASSERT_EQ(db.ReadRecord("b.TR9"), 0);
    EXPECT_EQ(db.KcalText, "7");
}

TEST_F(StoreRecords, RecordLinesEndAtCrLfCrOrLf)
{
    writeFileBytes(tmp.file("a.TR9"), "A=1;\r\nB=2;\rC=3;\nD=4;\r\r\n\n\rE=5;");
    ASSERT_EQ(db.ReadRecord("a.TR9"), 0);
    EXPECT_EQ(db.RecordLines, (std::vector<std::string>{"A=1;", "B=2;", "C=3;", "D=4;", "", "", "", "E=5;"}));
    writeFileBytes(tmp.file("a.TR9"), "\n");
    db.ReadRecord("a.TR9");
    EXPECT_EQ(db.RecordLines, std::vector<std::string>{""});
}

TEST_F(StoreRecords, ValueOfLineRules)
{
    db.RecordLines = {"[File Head]", "A_KEY=5;", "NOEQ;", "SEMI;FIRST=1", "OPEN=7", "KEY=1=2;x;", "KEY=9;"};
    EXPECT_EQ(db.ValueOf("A_KEY"), "5");
    EXPECT_EQ(db.ValueOf("KEY"), "5"); // first line containing the key, A_KEY
    EXPECT_EQ(db.ValueOf("NOEQ"), "NOEQ");
    EXPECT_EQ(db.ValueOf("FIRST"), "");
    EXPECT_EQ(db.ValueOf("OPEN"), "");
    EXPECT_EQ(db.ValueOf("=1=2"), "1=2");
    EXPECT_EQ(db.ValueOf("MISSING"), "");
    EXPECT_EQ(db.ValueOf(""), "");
}

TEST_F(StoreRecords, ReadSeriesTakesTheLineAfterTheHeading)
{
    Put("a.TR9", RecordFixture{});
    db.ReadRecord("a.TR9");
    EXPECT_EQ(db.ReadSeries("#HRM"), 0);
    EXPECT_EQ(db.SeriesText, "72,75,80,");
    db.ReadSeries("#SPD_SPEED");
    EXPECT_EQ(db.SeriesText, "1,2,3,");
    db.ReadSeries("#NOPE");
    EXPECT_EQ(db.SeriesText, "");
    db.RecordLines = {"x", "#HRM"};
    db.SeriesText = "old";
    db.ReadSeries("#HRM");
    EXPECT_EQ(db.SeriesText, "");
}

TEST_F(StoreRecords, SumDayAddsTheRecordsOfOneDay)
{
    RecordFixture a, b, other;
    a.head["EXEHOUR"] = "1", a.head["EXEMIN"] = "0", a.head["EXESEC"] = "0", a.head["KCAL"] = "400";
    a.head["DISTANCE"] = "200";
    b.head["EXEHOUR"] = "0", b.head["EXEMIN"] = "30", b.head["EXESEC"] = "15", b.head["KCAL"] = "215";
    b.head["DISTANCE"] = "abc";
    Put("120704080503.TR9", a);
    Put("120704183000.tr9", b);
    Put("120705080503.TR9", a);
    Put("12074.TR9", a); // characters 5 and 6 are "4.", no number
    db.ListRecordFiles();
    db.RecordFiles.push_back("120704999999.TR9"); // listed, since deleted
    EXPECT_EQ(db.SumDay(12, 7, 4), 0);
    EXPECT_EQ(db.DaySeconds, 5415);
    EXPECT_EQ(db.DayKcal, 615);
    EXPECT_EQ(db.DayDistance, 200);
    // Compared in the low 8 bits, as the summaries pass the year within the century.
    db.SumDay(12 + 256, 7, 4);
    EXPECT_EQ(db.DayKcal, 615);
    db.SumDay(12, 7, 6);
    EXPECT_EQ(db.DaySeconds, 0);
    EXPECT_EQ(db.DayKcal, 0);
}

TEST_F(StoreRecords, SumDaySurvivesHugeValues)
{
    RecordFixture r;
    r.head["EXEHOUR"] = "2147483647", r.head["KCAL"] = "2147483647", r.head["DISTANCE"] = "99999999999";
    Put("120704080503.TR9", r);
    Put("120704080504.TR9", r);
    db.ListRecordFiles();
    db.SumDay(12, 7, 4);
    EXPECT_EQ(db.DayDistance, 0);
}

TEST_F(StoreRecords, NotesRoundTrip)
{
    Put("120704080503.TR9", RecordFixture{});
    db.NoteLines = {"Morning ride", "2"};
    ASSERT_EQ(db.SaveNotes("120704080503.TR9"), 0);
    EXPECT_EQ(readFileBytes(tmp.file("120704080503.TRM")),
              Utf16(u"Morning ride\r\n2\r\n", false));
    db.NoteLines = {"stale"};
    ASSERT_EQ(db.ReadRecord("120704080503.TR9"), 0);
    EXPECT_EQ(db.Topic, "Morning ride");
    EXPECT_EQ(db.Weather, "2");
    EXPECT_TRUE(db.NoteLines.isEmpty());

    const QString chinese = QString::fromUtf8("\xE6\x99\xA8\xE9\x97\xB4\xE9\xAA\x91\xE8\xA1\x8C \xF0\x9F\x9A\xB4");
    db.NoteLines = {chinese, "0", "line one", "", "line three"};
    ASSERT_EQ(db.SaveNotes("120704080503.TR9"), 0);
    db.ReadRecord("120704080503.TR9");
    EXPECT_EQ(db.Topic, chinese);
    EXPECT_EQ(db.Weather, "0");
    EXPECT_EQ(db.NoteLines, (QStringList{"line one", "", "line three"}));
}

TEST_F(StoreRecords, NotesAreReadInEveryEncoding)
{
    Put("a.TR9", RecordFixture{});
    const QString topic = QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC");
    const std::string files[] = {
        Utf16(u"Caf\u00e9 \u20ac\r\n1\r\nm\r\n", false),
        Utf16(u"Caf\u00e9 \u20ac\r\n1\r\nm\r\n", true),
        "\xEF\xBB\xBF" "Caf\xC3\xA9 \xE2\x82\xAC\r\n1\r\nm\r\n",
        "Caf\xC3\xA9 \xE2\x82\xAC\n1\rm",            // UTF-8 without mark, mixed line ends
        "Caf\xE9 \x80\r\n1\r\nm\r\n",                // Windows-1252
    };
    for (const std::string &bytes : files) {
        writeFileBytes(tmp.file("a.TRM"), bytes);
        ASSERT_EQ(db.ReadRecord("a.TR9"), 0);
        EXPECT_EQ(db.Topic, topic);
        EXPECT_EQ(db.Weather, "1");
        EXPECT_EQ(db.NoteLines, QStringList{"m"});
    }
    // UTF-8 cut short at the end is no valid UTF-8.
    writeFileBytes(tmp.file("a.TRM"), "x\r\n1\r\nend\xC3");
    db.ReadRecord("a.TR9");
    EXPECT_EQ(db.NoteLines, QStringList{QString::fromUtf8("end\xC3\x83")});
    // A single line is no topic: it stays as the memo.
    writeFileBytes(tmp.file("a.TRM"), "only\r\n");
    db.ReadRecord("a.TR9");
    EXPECT_TRUE(db.Topic.isEmpty());
    EXPECT_EQ(db.NoteLines, QStringList{"only"});
}

TEST_F(StoreRecords, SaveNotesReportsAFailedWrite)
{
    db.NoteLines = {"t", "1"};
    db.RiderFolder = tmp.file("gone") + "/";
    EXPECT_NE(db.SaveNotes("a.TR9"), 0);
    EXPECT_NE(db.SaveNotes(""), 0);
    // A notes file that cannot be replaced is reported, not half-written.
    db.RiderFolder = tmp.path() + "/";
    std::filesystem::create_directory(tmp.file("b.TRM"));
    EXPECT_NE(db.SaveNotes("b.TR9"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(tmp.file("b.TRM")));

    // A full or failing disk at any step: reported, the old notes stay.
    const std::string old = Utf16(u"old\r\n1\r\n", true);
    for (const DiskStep step : AllDiskSteps) {
        writeFileBytes(tmp.file("c.TRM"), old);
        FailingDisk disk(step);
        EXPECT_EQ(db.SaveNotes("c.TR9"), step == DiskStep::FolderSync ? WriteUnconfirmed : 1) << DiskStepName(step);
        if (step != DiskStep::FolderSync) {
            EXPECT_EQ(readFileBytes(tmp.file("c.TRM")), old) << DiskStepName(step);
        }
    }
}

TEST_F(StoreRecords, NotesBeyondWhatIsReadAreNeitherWrittenNorRead)
{
    // The largest notes that are written are read back whole; one character
    // more is refused and the old notes stay.
    db.RiderFolder = tmp.path() + "/";
    writeFileBytes(tmp.file("d.TR9"), "UNIT=0;\r\n");
    writeFileBytes(tmp.file("e.TR9"), "UNIT=0;\r\n");
    // Two bytes a character: the mark, "t", "1" and the memo, each line with CR LF.
    const std::size_t room = (filelimit::Notes - 2 - 3 * 2 * 2 - 2 * 2) / 2;
    db.NoteLines = {"t", "1", QString(int(room), QLatin1Char('m'))};
    ASSERT_EQ(db.SaveNotes("d.TR9"), 0);
    db.ReadRecord("d.TR9");
    EXPECT_EQ(db.Topic, QStringLiteral("t"));
    EXPECT_EQ(db.NoteLines.value(0).size(), qsizetype(room));
    db.NoteLines = {"t", "1", QString(int(room) + 1, QLatin1Char('m'))};
    EXPECT_EQ(db.SaveNotes("d.TR9"), 1);
    EXPECT_EQ(readFileBytes(tmp.file("d.TRM")).size(), filelimit::Notes);

    // A larger file from elsewhere is not read: no memo to lay out for minutes.
    writeFileBytes(tmp.file("e.TRM"), "\xFF\xFE" + std::string(filelimit::Notes, 'a'));
    db.ReadRecord("e.TR9");
    EXPECT_TRUE(db.Topic.isEmpty());
    EXPECT_TRUE(db.NoteLines.isEmpty());
}

} // namespace
