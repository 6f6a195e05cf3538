// Language files on disk: encodings, entry rules, settings, listing order.
#include "lang/Multilan.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class Lang : public ::testing::Test {
protected:
    void SetUp() override
    {
        ml.LangFolder = tmp.file("LANGUAGE");
        fs::create_directory(ml.LangFolder);
    }
    void Put(const std::string &name, const std::string &bytes) { writeFileBytes(ml.LangFolder + "/" + name, bytes); }

    TempFolder tmp;
    MultiLanguage ml;
};

TEST_F(Lang, EveryEncodingIsReadAndTheMarkIsNoPartOfTheFirstKey)
{
    const QString text = QString::fromUtf8("D\xC3\xA9part");
    const std::string files[] = {
        Utf16(u"Distance=D\u00e9part\r\nUser ID=U\r\n", false),
        Utf16(u"Distance=D\u00e9part\r\nUser ID=U\r\n", true),
        "\xEF\xBB\xBF" "Distance=D\xC3\xA9part\r\nUser ID=U\r\n",
        "Distance=D\xC3\xA9part\nUser ID=U",
        "Distance=D\xE9part\rUser ID=U\r\n",
    };
    for (const std::string &bytes : files) {
        Put("X.lre", bytes);
        EXPECT_FALSE(ml.LoadLanguage("X.lre"));
        EXPECT_EQ(ml.CL("Distance"), text);
        EXPECT_EQ(ml.CL("User ID"), "U");
        EXPECT_EQ(ml.Lines.size(), 2);
    }
}

TEST_F(Lang, EntryRules)
{
    Put("X.lre",
        "Distance=Weg // comment\r\n"
        "  User ID \t= Kennung\r\n"
        "user id=wrong case\r\n"
        "//Speed=commented\r\n"
        "no equals sign\r\n"
        "Time=first\r\n"
        "Time=second\r\n"
        "Sum=a=b\r\n"
        "Cut=x//=y\r\n");
    ASSERT_FALSE(ml.LoadLanguage("X.lre"));
    EXPECT_EQ(ml.CL("Distance"), "Weg ");
    EXPECT_EQ(ml.CL("User ID"), " Kennung");
    EXPECT_EQ(ml.CL("user id"), "wrong case");
    EXPECT_EQ(ml.CL("Speed"), "Speed");
    EXPECT_EQ(ml.CL("//Speed"), "//Speed");
    EXPECT_EQ(ml.CL("no equals sign"), "no equals sign");
    EXPECT_EQ(ml.CL("Time"), "first");
    EXPECT_EQ(ml.CL("Sum"), "a=b");
    EXPECT_EQ(ml.CL("Cut"), "x");
    EXPECT_EQ(ml.CL(""), "");
}

TEST_F(Lang, LineBreaksAndTheEndCharacter)
{
    std::string bytes = Utf16(u"A=1\u2028B=2\rC=3\n\nD=4", false);
    bytes += std::string("\0\0", 2) + Utf16(u"E=5", false).substr(2);
    Put("X.lre", bytes);
    ASSERT_FALSE(ml.LoadLanguage("X.lre"));
    EXPECT_EQ(ml.Lines, (QStringList{"A=1", "B=2", "C=3", "", "D=4"}));
    EXPECT_EQ(ml.CL("E"), "E");
}

TEST_F(Lang, LoadingKeepsOrEmptiesTheLanguage)
{
    Put("ENG.lre", "User ID=User ID\r\n");
    Put("Empty.lre", "");
    Put("Nul.lre", std::string("\0A=1", 4));
    EXPECT_FALSE(ml.LoadLanguage("ENG.lre"));
    const QStringList loaded = ml.Lines;
    EXPECT_TRUE(ml.LoadLanguage("Missing.lre"));
    EXPECT_TRUE(ml.LoadLanguage(""));
    EXPECT_EQ(ml.Lines, loaded);

    // Names from the setting that would reach outside the folder read nothing.
    writeFileBytes(tmp.file("outside.lre"), "User ID=outside\r\n");
    EXPECT_TRUE(ml.LoadLanguage("../outside.lre"));
    EXPECT_TRUE(ml.LoadLanguage(tmp.file("outside.lre")));
    EXPECT_TRUE(ml.LoadLanguage(".."));
    EXPECT_EQ(ml.Lines, loaded);
    // Two dots inside a name are still a file of the folder, as listed.
    Put("Deutsch..lre", "User ID=Benutzer\r\n");
    EXPECT_FALSE(ml.LoadLanguage("Deutsch..lre"));
    EXPECT_EQ(ml.CL("User ID"), "Benutzer");
    ml.LoadLanguage("ENG.lre");

    EXPECT_TRUE(ml.LoadLanguage("Empty.lre"));
    EXPECT_TRUE(ml.Lines.isEmpty());
    EXPECT_EQ(ml.CL("User ID"), "User ID");
    ml.LoadLanguage("ENG.lre");
    EXPECT_TRUE(ml.LoadLanguage("Nul.lre"));
    EXPECT_TRUE(ml.Lines.isEmpty());
}

TEST_F(Lang, SettingFile)
{
    ml.LangFolder = tmp.file("NEW");
    EXPECT_EQ(ml.ReadLangSetting(), 0);
    EXPECT_EQ(ml.LangFile, "ENG.lre");
    EXPECT_EQ(readFileBytes(ml.LangFolder + "/LangSet.ini"), "ENG.lre\r\n");

    writeFileBytes(ml.LangFolder + "/LangSet.ini", " CHT.lre \r\nignored\r\n");
    ml.ReadLangSetting();
    EXPECT_EQ(ml.LangFile, " CHT.lre ");
    writeFileBytes(ml.LangFolder + "/LangSet.ini", "");
    ml.ReadLangSetting();
    EXPECT_EQ(ml.LangFile, "");

    EXPECT_EQ(ml.WriteLangSetting("CHS.lre"), 0);
    EXPECT_EQ(readFileBytes(ml.LangFolder + "/LangSet.ini"), "CHS.lre\r\n");
    ml.ReadLangSetting();
    EXPECT_EQ(ml.LangFile, "CHS.lre");

    ml.LangFolder = tmp.file("no/such");
    EXPECT_NE(ml.WriteLangSetting("CHS.lre"), 0);

    // A full disk is reported and leaves the setting as it was.
    ml.LangFolder = tmp.file("NEW");
    for (const DiskStep step : {DiskStep::Write, DiskStep::FileSync, DiskStep::Close}) {
        FailingDisk disk(step);
        EXPECT_EQ(ml.WriteLangSetting("ENG.lre"), 1) << DiskStepName(step);
    }
    EXPECT_EQ(readFileBytes(ml.LangFolder + "/LangSet.ini"), "CHS.lre\r\n");
}

TEST_F(Lang, LinksAreNotFollowed)
{
    // The setting and a language file that are symbolic links are never
    // read through: English for the run, the link left as it is.
    Put("ENG.lre", "User ID=Benutzer\r\n");
    Put("real.txt", "CHS.lre\r\n");
    fs::create_symlink(ml.LangFolder + "/real.txt", ml.LangFolder + "/LangSet.ini");
    EXPECT_EQ(ml.ReadLangSetting(), 0);
    EXPECT_EQ(ml.LangFile, "ENG.lre");
    EXPECT_TRUE(fs::is_symlink(ml.LangFolder + "/LangSet.ini"));
    fs::create_symlink(ml.LangFolder + "/ENG.lre", ml.LangFolder + "/link.lre");
    EXPECT_TRUE(ml.LoadLanguage("link.lre"));
}

TEST_F(Lang, FilesHugeOnPaperAreNotRead)
{
    // Sparse files of 64 GiB: the language stays English, start-up goes on.
    Put("ENG.lre", "User ID=Benutzer\r\n");
    ASSERT_FALSE(ml.LoadLanguage("ENG.lre"));
    for (const char *name : {"Big.lre", "LangStr.set"}) {
        Put(name, "");
        std::filesystem::resize_file(ml.LangFolder + "/" + name, std::uintmax_t(64) << 30);
    }
    EXPECT_TRUE(ml.LoadLanguage("Big.lre"));
    EXPECT_EQ(ml.CL("User ID"), "Benutzer");
    EXPECT_EQ(ml.DisplayName("ENG.lre"), "");
    Put("LangSet.ini", "");
    std::filesystem::resize_file(ml.LangFolder + "/LangSet.ini", std::uintmax_t(64) << 30);
    EXPECT_EQ(ml.ReadLangSetting(), 0);
    EXPECT_EQ(ml.LangFile, "ENG.lre");
    // A setting that exists but cannot be read is English for this run and
    // stays as it is.
    EXPECT_EQ(std::filesystem::file_size(ml.LangFolder + "/LangSet.ini"), std::uintmax_t(64) << 30);
}

TEST_F(Lang, CaptionsOfALargeFileAreLookedUpOnce)
{
    // 100000 entries: each caption is one lookup, the first entry of a key wins.
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "Key" + std::to_string(i) + " = text " + std::to_string(i) + " // comment\r\n";
    text += "Key5=second\r\n";
    Put("Big.lre", text);
    ASSERT_FALSE(ml.LoadLanguage("Big.lre"));
    EXPECT_EQ(ml.CL("Key5"), " text 5 ");
    EXPECT_EQ(ml.CL("Key99999"), " text 99999 ");
    EXPECT_EQ(ml.CL("Key100000"), "Key100000");
    for (int i = 0; i < 100000; ++i)
        ASSERT_EQ(ml.CL("Key" + QString::number(i)), " text " + QString::number(i) + " ");
}

TEST_F(Lang, KnownLanguagesComeFirst)
{
    for (const char *name : {"ZZZ.lre", "CHS.lre", "AAA.lre", "ENG.lre", "CHT.lre", "low.LRE", ".hid.lre", "x.txt"})
        Put(name, "A=1\r\n");
    Put("locked.lre", "A=1\r\n");
    ::chmod((ml.LangFolder + "/locked.lre").c_str(), 0444);
    fs::create_directory(ml.LangFolder + "/dir.lre");
    fs::create_symlink(ml.LangFolder + "/AAA.lre", ml.LangFolder + "/link.lre");
    EXPECT_EQ(ml.ListLanguages(), 0);
    EXPECT_EQ(ml.LangFiles, (std::vector<std::string>{"ENG.lre", "CHT.lre", "CHS.lre", "AAA.lre", "ZZZ.lre",
                                                      "locked.lre", "low.LRE"}));
    fs::remove(ml.LangFolder + "/ENG.lre");
    fs::remove(ml.LangFolder + "/CHT.lre");
    ml.ListLanguages();
    EXPECT_EQ(ml.LangFiles.front(), "CHS.lre");
}

TEST_F(Lang, DisplayNames)
{
    EXPECT_EQ(ml.DisplayName("ENG.lre"), "");
    Put("LangStr.set", "\xEF\xBB\xBF" "CHT.lre=\xE7\xB9\x81\xE9\xAB\x94 like ENG.lre\r\n"
                       "ENG.lre= English \t\r\n"
                       "FRA.lre\r\n");
    EXPECT_EQ(ml.DisplayName("CHT.lre"), QString::fromUtf8("\xE7\xB9\x81\xE9\xAB\x94 like ENG.lre"));
    EXPECT_EQ(ml.DisplayName("ENG.lre"), QString::fromUtf8("\xE7\xB9\x81\xE9\xAB\x94 like ENG.lre"));
    EXPECT_EQ(ml.DisplayName("FRA.lre"), "FRA.lre");
    EXPECT_EQ(ml.DisplayName("eng.lre"), "");
    EXPECT_EQ(ml.DisplayName(""), "");
    // Read anew on every call.
    Put("LangStr.set", "ENG.lre=English\r\n");
    EXPECT_EQ(ml.DisplayName("ENG.lre"), "English");
}

} // namespace
