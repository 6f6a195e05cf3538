// The "[File Head]" section and the lap chain: page straddling, tag lookup,
// chain end, chain loops and records that run past the dump.
#include "tests/record/DecodeTest.h"

namespace {

using Header = DecodeTest;
using Laps = DecodeTest;

TEST_F(Header, SectionIsByteExact)
{
    ASSERT_FALSE(decode(DumpBuilder())) << analysis.FailReason;
    const std::vector<std::string> expected = {
        "[File Head]", "", "#File Date", "",
        "YEAR=12;", "MONTH=7;", "DAY=4;", "WEEKDAY=3;", "HOUR=8;", "MINUTE=5;", "SECOND=3;",
        "", "#Setting Data", "",
        "UNIT=0;", "GENDER=0;", "AGE=35;", "HEIGHT=178;", "WEIGHT=72;", "WHEEL=2096;", "VO2MAX=45;",
        "", "#Exercise", "",
        "EXEHOUR=1;", "EXEMIN=2;", "EXESEC=3;", "INZONE_HOUR=0;", "INZONE_MIN=0;", "INZONE_SEC=0;",
        "SET_HR_IDX=0;", "SET_HR_MAX=185;", "SET_HR_LIMIT_H=160;", "SET_HR_LIMIT_L=120;",
        "HRM_AVG=141;", "HRM_MAX=176;", "KCAL=412;", "SPEED_AVG=256;", "SPEED_MAX=512;",
        "CA_AVG=80;", "CA_MAX=110;", "DISTANCE=245;", "LAPCOUNT=0;", "BESTLAP=0;",
        "", "#File Data", "",
        "SECTION_CNT=1;", "LASTSECTION_SIZE=48;", "LASTLAP_ADDR_H=0x00;", "LASTLAP_ADDR_L=0x00;",
        "FIRSTLAP_ADDR_H=0x00;", "FIRSTLAP_ADDR_L=0x00;",
        "", "#File Head Data Array", "",
        "0C0704030805030102030000" "0000B9A0788DB0019C010002" "00506E00F50000000023B248"
        "14602D000000013000000000",
        "#User Record", "", "TOPIC=;", "Weather=;", "", "[MemoStart]", "[MemoEnd]", ""};
    const std::vector<std::string> record = lines(analysis.FileName);
    ASSERT_GE(record.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(record.begin(), record.begin() + 65), expected);
    EXPECT_EQ(analysis.DataLength, 48);
    EXPECT_EQ(analysis.Wheel, 2096u);
}

TEST_F(Header, ValuesAndDataLength)
{
    std::string hex(96, '0');
    auto put = [&](int k, const char *pair) { hex.replace(static_cast<std::size_t>(k) * 2, 2, pair); };
    put(36, "14"), put(37, "60"); // 20, 96
    put(19, "01"), put(20, "2C"); // 1, 44
    put(44, "0A");
    put(42, "03"), put(43, "10"); // 3, 16
    analysis.DumpHex = hex;
    analysis.DecodeHeader();
    const auto &h = analysis.HeadList;
    ASSERT_EQ(h.size(), 65u);
    EXPECT_EQ(h[19], "WHEEL=2096;");
    EXPECT_EQ(h[36], "KCAL=300;");
    EXPECT_EQ(h[49], "LASTLAP_ADDR_H=0x0A;");
    EXPECT_EQ(h[47], "SECTION_CNT=3;");
    EXPECT_EQ(analysis.DataLength, 528);

    put(42, "00"), put(43, "00");
    analysis.DumpHex = hex;
    analysis.DecodeHeader();
    EXPECT_EQ(analysis.DataLength, -256);
}

TEST_F(Header, ByteThatIsNotHexadecimalFails)
{
    std::vector<std::string> report = DumpBuilder().reportLines();
    report[1][10] = 'G';
    EXPECT_TRUE(decode(DumpBuilder::joinLines(report)));
    EXPECT_EQ(analysis.FailReason, "a header byte is not two hexadecimal digits");
    EXPECT_FALSE(exists("Temp5.txt"));

    // Bytes 39 to 41 are not read: whatever they hold passes.
    report = DumpBuilder().reportLines();
    report[2].replace(2 + 7 * 2, 6, "ZZ-G??");
    EXPECT_FALSE(decode(DumpBuilder::joinLines(report))) << analysis.FailReason;
    EXPECT_NE(file(analysis.FileName).find("\r\nVO2MAX="), std::string::npos);
}

TEST_F(Laps, NoFirstLapGivesTheHeadingAlone)
{
    ASSERT_FALSE(decode(DumpBuilder()));
    EXPECT_EQ(analysis.LapList, std::vector<std::string>{"[LAP Data]"});
}

TEST_F(Laps, RecordStraddlesIntoTheNextPage)
{
    DumpBuilder b;
    for (int i = 0; i < 32; ++i)
        b.addSample(100, 80, static_cast<std::uint16_t>(i), 6000);
    const DumpBuilder::Lap lap = DumpBuilder::lap(1);
    b.addLap(lap);
    b.addSample(100, 80, 40, 6000);
    ASSERT_EQ(b.lapPosition(0), 240u);
    ASSERT_FALSE(decode(b)) << analysis.FailReason;

    const std::vector<std::uint8_t> bytes(lap.bytes.begin(), lap.bytes.end());
    EXPECT_EQ(analysis.LapList.back(), "LAP_DATA_ARRAY=" + DumpBuilder::hex(bytes) + ";");
    const std::string &dump = analysis.DumpHex;
    EXPECT_EQ(dump.substr(478, 2), "70");                  // the sample before it
    EXPECT_EQ(dump.substr(480, 28), std::string(28, 'X')); // bytes 240..253
    EXPECT_EQ(dump.substr(508, 4), "0001");             // byte 254, tag
    EXPECT_EQ(dump.substr(512, 36), std::string(36, 'X')); // bytes 0..17 of the next page
    EXPECT_EQ(dump.substr(548, 2), "64");               // the sample after it
}

TEST_F(Laps, AddressIsFoundThroughThePageTags)
{
    DumpBuilder b;
    b.setPageTags({0x00, 0x01, 0x05, 0x02});
    b.addBytes(std::vector<std::uint8_t>(524, 0x11));
    b.addLap(DumpBuilder::lap(7));
    b.setMinPages(4);
    ASSERT_EQ(b.lapAddress(0), (std::pair<std::uint8_t, std::uint8_t>(0x05, 0x40)));
    ASSERT_FALSE(decode(b)) << analysis.FailReason;
    EXPECT_EQ(analysis.LapPage, 2);
    EXPECT_EQ(analysis.DumpHex.substr((2 * 256 + 64) * 2, 64), std::string(64, 'X'));
    EXPECT_EQ(analysis.LapList[2], "$LAP$7");
}

TEST_F(Laps, UnknownPageMeansPageZero)
{
    DumpBuilder b;
    b.addLap(DumpBuilder::lap(3));
    b.setHeaderByte(46, 0x77);
    b.setHeaderByte(47, 48);
    ASSERT_FALSE(decode(b)) << analysis.FailReason;
    EXPECT_EQ(analysis.LapPage, 0);
    EXPECT_EQ(analysis.LapList[2], "$LAP$3");
}

TEST_F(Laps, ChainIsFollowedAndEveryRecordConsumed)
{
    DumpBuilder b;
    DumpBuilder::Lap first = DumpBuilder::lap(1);
    first.bytes[15] = 0x01, first.bytes[16] = 0x2C;
    b.addLap(first);
    for (int i = 0; i < 50; ++i)
        b.addSample(120, 90, static_cast<std::uint16_t>(i), 6181);
    b.addLap(DumpBuilder::lap(2));
    ASSERT_FALSE(decode(b)) << analysis.FailReason;

    const auto &laps = analysis.LapList;
    ASSERT_EQ(laps.size(), 1u + 2 * 23);
    EXPECT_EQ(laps[2], "$LAP$1");
    EXPECT_EQ(laps[17], "LAP_DIST=300;");
    EXPECT_EQ(laps[21], "LAP_NEXT_ADDR_H=0x02;");
    EXPECT_EQ(laps[25], "$LAP$2");
    EXPECT_EQ(laps[24 + 20], "LAP_NEXT_ADDR_H=0x00;");
    for (std::size_t i = 0; i < 2; ++i) {
        std::string marks;
        for (std::size_t n = 0, p = b.lapPosition(i) * 2; n < 64; ++p)
            if (p % 512 < 508)
                marks += analysis.DumpHex[p], ++n;
        EXPECT_EQ(marks, std::string(64, 'X')) << "lap " << i;
    }
    EXPECT_EQ(analysis.NextLapHigh, 0);
}

TEST_F(Laps, ChainThatComesBackFails)
{
    for (const bool self : {false, true}) {
        DumpBuilder b;
        b.addLap(DumpBuilder::lap(1));
        b.addSample(1, 2, 3, 4);
        // The second lap leads back to the first one, or to itself.
        DumpBuilder::Lap second = DumpBuilder::lap(2);
        second.chainFixed = true;
        const auto back = self ? std::pair<std::uint8_t, std::uint8_t>(b.pageTag(0), 48 + 32 + 6)
                               : b.lapAddress(0);
        second.bytes[30] = back.first, second.bytes[31] = back.second;
        b.addLap(second);
        ASSERT_EQ(b.lapAddress(self ? 1 : 0), back);

        messages.clear();
        EXPECT_TRUE(decode(b)) << self;
        EXPECT_EQ(messages, std::vector<std::string>{"info: TR900 LAP Data Fail!"});
        EXPECT_EQ(analysis.LapList.size(), 1u + 2 * 23);
        EXPECT_TRUE(analysis.FileName.empty());
        EXPECT_FALSE(exists("120704080503.TR9"));
    }
}

TEST_F(Laps, RecordPastTheEndOfTheDumpFails)
{
    DumpBuilder b;
    b.setHeaderByte(46, b.pageTag(0));
    b.setHeaderByte(47, 250);
    EXPECT_TRUE(decode(b));
    EXPECT_EQ(messages, std::vector<std::string>{"info: TR900 LAP Data Fail!"});
    EXPECT_EQ(analysis.LapList, std::vector<std::string>{"[LAP Data]"});
    EXPECT_FALSE(exists("Temp5.txt"));
}

} // namespace
