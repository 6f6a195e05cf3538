// The profile file: every key, a default for each bad one, and the
// atomic write read back.
#include "training/Profile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

Profile ProfileOfText(const TempFolder &tmp, const std::string &text)
{
    writeFileBytes(tmp.file("Profile.ini"), text);
    return ReadProfile(tmp.file("Profile.ini"));
}

TEST(Profile, KeysAreReadAndEachBadOneTakesItsDefault)
{
    TempFolder tmp;
    Profile p = ProfileOfText(tmp, "MaxHR=185\r\nRestHR=48\r\nGender=female\r\nZones=55,65,75,85,95\r\n");
    EXPECT_EQ(p.maxHr, 185);
    EXPECT_EQ(p.restHr, 48);
    EXPECT_EQ(p.gender, ProfileGender::Female);
    EXPECT_EQ(p.zones, (std::array{55, 65, 75, 85, 95}));
    // A byte-order mark, LF line ends, spaces, letter case of the gender;
    // the first line of a key counts.
    p = ProfileOfText(tmp, "\xEF\xBB\xBFMaxHR = 170 \nGender=MALE\nMaxHR=180\nZones=1,2,3,4,100\n");
    EXPECT_EQ(p.maxHr, 170);
    EXPECT_EQ(p.gender, ProfileGender::Male);
    EXPECT_EQ(p.zones, (std::array{1, 2, 3, 4, 100}));

    const Profile defaults;
    const char *const bad[] = {"MaxHR=abc",         "MaxHR=29",           "MaxHR=251",
                               "MaxHR=-180",        "MaxHR=18O",          "RestHR=29",
                               "RestHR=",           "Gender=other",       "Gender=",
                               "Zones=50,60,70,80", "Zones=50,60,70,80,90,95", "Zones=50,60,60,80,90",
                               "Zones=60,50,70,80,90", "Zones=0,60,70,80,90", "Zones=50,60,70,80,101",
                               "Zones=50,60,70,80,", "Zones=50;60;70;80;90"};
    for (const std::string line : bad) {
        // The first line of a key counts: a bad one is not replaced by a later good one.
        p = ProfileOfText(tmp, line + "\r\nMaxHR=200\r\nGender=male\r\n");
        EXPECT_EQ(p.maxHr, line.rfind("MaxHR", 0) == 0 ? 0 : 200) << line;
        EXPECT_EQ(p.restHr, 0) << line;
        EXPECT_EQ(p.gender, line.rfind("Gender", 0) == 0 ? ProfileGender::Unset : ProfileGender::Male) << line;
        EXPECT_EQ(p.zones, defaults.zones) << line;
    }
    // The window's own limits: 30..250 bpm, the maximum above the resting
    // rate used (a resting rate at or above the maximum is dropped, then a
    // maximum at or below the default 60).
    p = ProfileOfText(tmp, "MaxHR=250\r\nRestHR=30\r\n");
    EXPECT_EQ(CheckProfile(p), ProfileProblem::None);
    EXPECT_EQ(p.maxHr, 250);
    EXPECT_EQ(p.restHr, 30);
    p = ProfileOfText(tmp, "MaxHR=120\r\nRestHR=120\r\n");
    EXPECT_EQ(p.maxHr, 120);
    EXPECT_EQ(p.restHr, 0);
    EXPECT_EQ(ProfileOfText(tmp, "MaxHR=60\r\n").maxHr, 0);
    Profile q;
    q.maxHr = 251;
    EXPECT_EQ(CheckProfile(q), ProfileProblem::HeartRateRange);
    q.maxHr = 0;
    q.restHr = 29;
    EXPECT_EQ(CheckProfile(q), ProfileProblem::HeartRateRange);
    q.restHr = 70;
    q.maxHr = 70;
    EXPECT_EQ(CheckProfile(q), ProfileProblem::MaxNotAboveRest);
    q.maxHr = 71;
    q.zones = {50, 60, 60, 80, 90};
    EXPECT_EQ(CheckProfile(q), ProfileProblem::ZonesNotAscending);
    // No file, a folder, binary bytes: the defaults.
    EXPECT_EQ(ReadProfile(tmp.file("none.ini")).zones, defaults.zones);
    EXPECT_EQ(ReadProfile(tmp.path()).maxHr, 0);
    EXPECT_EQ(ProfileOfText(tmp, std::string("\0\xff=\r\n=\r\n", 7)).gender, ProfileGender::Unset);
}

TEST(Profile, WrittenAtomicallyAndReadBack)
{
    TempFolder tmp;
    const std::string path = tmp.file("Profile.ini");
    std::string error;
    Profile p;
    ASSERT_TRUE(WriteProfile(path, p, error)) << error;
    EXPECT_EQ(readFileBytes(path), "Zones=50,60,70,80,90\r\n");
    p.maxHr = 182;
    p.restHr = 52;
    p.gender = ProfileGender::Female;
    p.zones = {45, 58, 71, 84, 93};
    ASSERT_TRUE(WriteProfile(path, p, error)) << error;
    EXPECT_EQ(readFileBytes(path), "MaxHR=182\r\nRestHR=52\r\nGender=female\r\nZones=45,58,71,84,93\r\n");
    const Profile back = ReadProfile(path);
    EXPECT_EQ(back.maxHr, 182);
    EXPECT_EQ(back.restHr, 52);
    EXPECT_EQ(back.gender, ProfileGender::Female);
    EXPECT_EQ(back.zones, p.zones);
    EXPECT_EQ(entryNames(tmp.path()), std::vector<std::string>{"Profile.ini"}); // no temporary file left

    EXPECT_FALSE(WriteProfile(tmp.file("no/Profile.ini"), p, error));
    EXPECT_EQ(error, "cannot write " + tmp.file("no/Profile.ini") + ": No such file or directory");
}

} // namespace
