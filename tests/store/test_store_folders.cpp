// Rider folders, record file listing and the remember-me file on disk.
#include "store/AtomicFile.h"
#include "store/Databasecontroler.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class StoreFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = tmp.file("ID");
        fs::create_directory(root);
        db.SetRootFolder(root + "/");
    }
    void MakeRider(const std::string &id) { fs::create_directory(root + "/" + id); }

    TempFolder tmp;
    std::string root;
    TKorvanDataBase db;
};

TEST_F(StoreFolders, CreateRiderRefusesNamesTakenInAnyLetterCase)
{
    MakeRider("bob");
    EXPECT_TRUE(db.CreateRiderFolder("Bob"));
    EXPECT_TRUE(db.CreateRiderFolder("bob"));
    EXPECT_EQ(entryNames(root), std::vector<std::string>{"bob"});

    EXPECT_FALSE(db.CreateRiderFolder(" Ann 2 "));
    EXPECT_TRUE(fs::is_directory(root + "/ Ann 2 "));
    EXPECT_TRUE(db.CreateRiderFolder(" Ann 2 "));
}

TEST_F(StoreFolders, IdsNamingAnotherPlaceCreateAndDeleteNothing)
{
    MakeRider("Bob");
    writeFileBytes(root + "/Bob/Bob.dat", "Genter=0\r\n");
    const auto before = entryNames(tmp.path());
    for (const std::string &id : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                 std::string("../x"), std::string("a\0b", 3)}) {
        EXPECT_TRUE(db.CreateRiderFolder(id)) << id;
        EXPECT_EQ(db.DeleteRider(id), 0);
    }
    EXPECT_EQ(entryNames(tmp.path()), before);
    EXPECT_EQ(entryNames(root), std::vector<std::string>{"Bob"});
    EXPECT_TRUE(fileExists(root + "/Bob/Bob.dat"));
}

TEST_F(StoreFolders, ListRidersTakesPlainFoldersOnly)
{
    MakeRider("Carl");
    MakeRider("Ann");
    MakeRider(".hidden");
    writeFileBytes(root + "/plain.txt", "x");
    fs::create_directory(tmp.file("elsewhere"));
    fs::create_directory_symlink(tmp.file("elsewhere"), root + "/Linked");
    EXPECT_EQ(db.ListRiders(), 0);
    EXPECT_EQ(db.Riders, (std::vector<std::string>{"Ann", "Carl"}));

    TKorvanDataBase none;
    none.SetRootFolder(tmp.file("missing") + "/");
    none.ListRiders();
    EXPECT_TRUE(none.Riders.empty());
}

TEST_F(StoreFolders, RiderIdsRoundTripOrAreLeftOut)
{
    // "caf\xE9" was copied from a Latin-1 system; "caf" + U+FFFD is another
    // rider. Only names shown faithfully are listed, and a listed ID names
    // its own folder again.
    MakeRider("caf\xE9");
    MakeRider("caf\xEF\xBF\xBD");
    MakeRider("Jos\xC3\xA9");
    db.ListRiders();
    EXPECT_EQ(db.Riders, (std::vector<std::string>{"Jos\xC3\xA9", "caf\xEF\xBF\xBD"}));
    for (const std::string &id : db.Riders)
        EXPECT_EQ(QString::fromStdString(id).toStdString(), id);

    EXPECT_EQ(db.DeleteRider("caf\xE9"), 0); // never a target of a deletion
    EXPECT_TRUE(fs::is_directory(root + "/caf\xE9"));
    db.DeleteRider("caf\xEF\xBF\xBD");
    EXPECT_TRUE(fs::is_directory(root + "/caf\xE9"));
    EXPECT_FALSE(fs::exists(root + "/caf\xEF\xBF\xBD"));

    // Record files follow the same rule.
    db.RiderFolder = root + "/Jos\xC3\xA9/";
    writeFileBytes(db.RiderFolder + "12070\xE9.TR9", "x");
    writeFileBytes(db.RiderFolder + "120704080503.TR9", "x");
    db.ListRecordFiles();
    EXPECT_EQ(db.RecordFiles, std::vector<std::string>{"120704080503.TR9"});
}

TEST_F(StoreFolders, DeleteRiderRemovesEverythingInside)
{
    MakeRider("Bob");
    fs::create_directories(root + "/Bob/sub/deeper");
    writeFileBytes(root + "/Bob/Bob.jpg", "jpeg");
    writeFileBytes(root + "/Bob/sub/deeper/120704080503.TR9", "x");
    writeFileBytes(root + "/Bob/locked.TR9", "x");
    ::chmod((root + "/Bob/locked.TR9").c_str(), 0444);
    MakeRider("Ann");
    EXPECT_EQ(db.DeleteRider("Bob"), 0);
    EXPECT_FALSE(fileExists(root + "/Bob"));
    EXPECT_EQ(entryNames(root), std::vector<std::string>{"Ann"});
}

TEST_F(StoreFolders, HiddenEntriesAreDeletedWithTheRider)
{
    // A hidden file (a file manager's .directory) is part of the folder: it
    // no longer keeps a ghost rider.
    MakeRider("Bob");
    writeFileBytes(root + "/Bob/.directory", "x");
    writeFileBytes(root + "/Bob/a.TR9", "x");
    fs::create_directories(root + "/Bob/.hidden/sub");
    writeFileBytes(root + "/Bob/.hidden/sub/.x", "x");
    EXPECT_EQ(db.DeleteRider("Bob"), TKorvanDataBase::RiderDeleted);
    EXPECT_EQ(entryNames(root), std::vector<std::string>{});
    db.ListRiders();
    EXPECT_TRUE(db.Riders.empty());
    EXPECT_EQ(db.DeleteRider("Bob"), TKorvanDataBase::RiderDeleted); // nothing left to delete
}

TEST_F(StoreFolders, AFailedDeletionIsReportedAndNeverLeavesAGhost)
{
    MakeRider("Bob");
    writeFileBytes(root + "/Bob/a.TR9", "x");
    if (!setImmutable(root + "/Bob/a.TR9", true))
        GTEST_SKIP() << "no immutable files here (needs root on ext4)";
    // Content that cannot be removed: the rider is gone all the same (its
    // folder was renamed aside to a hidden name first), and that is told.
    EXPECT_EQ(db.DeleteRider("Bob"), TKorvanDataBase::RiderPartlyDeleted);
    db.ListRiders();
    EXPECT_TRUE(db.Riders.empty());
    const std::vector<std::string> left = entryNames(root);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].rfind(".Bob.deleted-", 0), 0u);
    EXPECT_EQ(entryNames(root + "/" + left[0]), std::vector<std::string>{"a.TR9"});
    setImmutable(root + "/" + left[0] + "/a.TR9", false);

    // A folder that cannot be renamed stays the rider it was.
    MakeRider("Ann");
    ASSERT_TRUE(setImmutable(root + "/Ann", true));
    EXPECT_EQ(db.DeleteRider("Ann"), TKorvanDataBase::RiderKept);
    setImmutable(root + "/Ann", false);
    db.ListRiders();
    EXPECT_EQ(db.Riders, std::vector<std::string>{"Ann"});
}

TEST_F(StoreFolders, OnlyTemporaryFilesOfEndedProcessesAreRemoved)
{
    // A PID above the largest the kernel gives never runs; this process's
    // own files may still be written.
    const std::string ended = ".a.TR9.99999999-0-1.tmp", running = ".a.TR9." + std::to_string(::getpid()) + "-0-1.tmp";
    for (const std::string &name : {ended, running, std::string(".keep"), std::string("a.TR9")})
        writeFileBytes(root + "/" + name, "x");
    fs::create_directory(root + "/.b.TR9.99999998-0-1.tmp");
    EXPECT_TRUE(RemoveTemporaryFiles(root));
    EXPECT_EQ(entryNames(root), (std::vector<std::string>{".a.TR9." + std::to_string(::getpid()) + "-0-1.tmp",
                                                          ".b.TR9.99999998-0-1.tmp", ".keep", "a.TR9"}));
    EXPECT_FALSE(RemoveTemporaryFiles(tmp.file("missing")));
}

TEST_F(StoreFolders, WhatAnEndedWriteLeftBehindDoesNotKeepTheRider)
{
    MakeRider("Bob");
    writeFileBytes(root + "/Bob/.Bob.dat.4711-0-123456789.tmp", "half");
    writeFileBytes(root + "/Bob/a.TR9", "x");
    EXPECT_EQ(db.DeleteRider("Bob"), 0);
    EXPECT_FALSE(fileExists(root + "/Bob"));

    for (const char *name : {".Bob.dat.4711-0-123456789.tmp", ".120704080503.TR9.1-22-3.tmp"})
        EXPECT_TRUE(IsTemporaryFileName(name)) << name;
    for (const char *name : {".keep", ".1-2-3.tmp", ".a.1-2.tmp", ".a.1-2-3-4.tmp", ".a.1--3.tmp", "a.1-2-3.tmp",
                             ".a.1-2-3.tmpx", ".a.x1-2-3.tmp"})
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}

TEST_F(StoreFolders, DeletingNeverFollowsSymbolicLinks)
{
    const std::string outside = tmp.file("outside");
    fs::create_directories(outside + "/inner");
    writeFileBytes(outside + "/precious.txt", "keep");
    writeFileBytes(outside + "/inner/more.txt", "keep");
    MakeRider("Bob");
    fs::create_directory_symlink(outside, root + "/Bob/folderlink");
    fs::create_symlink(outside + "/precious.txt", root + "/Bob/filelink");
    fs::create_symlink(tmp.file("nowhere"), root + "/Bob/dangling");

    EXPECT_TRUE(db.DeleteFolderTree(root + "/Bob/"));
    EXPECT_FALSE(fileExists(root + "/Bob"));
    EXPECT_EQ(readFileBytes(outside + "/precious.txt"), "keep");
    EXPECT_EQ(readFileBytes(outside + "/inner/more.txt"), "keep");

    // A rider folder that is itself a link is not entered either.
    fs::create_directory_symlink(outside, root + "/Eve");
    EXPECT_FALSE(db.DeleteFolderTree(root + "/Eve"));
    db.DeleteRider("Eve");
    EXPECT_EQ(readFileBytes(outside + "/precious.txt"), "keep");
}

TEST_F(StoreFolders, DeleteFolderTreeRefusesShortPaths)
{
    EXPECT_FALSE(db.DeleteFolderTree(""));
    EXPECT_FALSE(db.DeleteFolderTree("/"));
    EXPECT_FALSE(db.DeleteFolderTree("/ab"));
    EXPECT_FALSE(db.DeleteFolderTree(tmp.file("missing")));
}

TEST_F(StoreFolders, ListRecordFilesMatchesTheExtensionInAnyCase)
{
    MakeRider("Bob");
    const std::string f = root + "/Bob/";
    for (const char *name : {"120704080503.TR9", "120705080503.tr9", "120706080503.Tr9", "120704080503.TRM",
                             ".120707080503.TR9", "notes.txt", "TR9"})
        writeFileBytes(f + name, "x");
    fs::create_directory(f + "120708080503.TR9");
    fs::create_symlink(f + "120704080503.TR9", f + "120709080503.TR9");
    db.RiderFolder = f;
    EXPECT_EQ(db.ListRecordFiles(), 0);
    EXPECT_EQ(db.RecordFiles,
              (std::vector<std::string>{"120704080503.TR9", "120705080503.tr9", "120706080503.Tr9"}));

    db.RiderFolder = root + "/Gone/";
    db.ListRecordFiles();
    EXPECT_TRUE(db.RecordFiles.empty());
}

TEST_F(StoreFolders, PhotoIsFoundInAnyLetterCase)
{
    MakeRider("Bob");
    EXPECT_EQ(db.PhotoFile("Bob"), "");
    writeFileBytes(root + "/Bob/Bob.JPG", "jpeg");
    EXPECT_EQ(db.PhotoFile("Bob"), root + "/Bob/Bob.JPG");
    writeFileBytes(root + "/Bob/Bob.jpg", "jpeg");
    EXPECT_EQ(db.PhotoFile("Bob"), root + "/Bob/Bob.jpg");
}

TEST(RememberMe, WriteReadMatchAndRemove)
{
    TempFolder app;
    const std::string file = app.file("REME.txt");
    EXPECT_EQ(TKorvanDataBase::MatchRememberMe(app.path(), {"Bob"}), -1); // no file

    EXPECT_EQ(TKorvanDataBase::WriteRememberMe(app.path(), "Bob"), 0);
    EXPECT_EQ(readFileBytes(file), "Bob\r\n");
    std::string id;
    EXPECT_TRUE(TKorvanDataBase::ReadRememberMe(app.path(), id));
    EXPECT_EQ(id, "Bob");
    EXPECT_EQ(TKorvanDataBase::MatchRememberMe(app.path(), {"Ann", "Bob", "Bob"}), 1);
    EXPECT_TRUE(fileExists(file));

    // Letter case counts: bob is not Bob, and the file goes.
    TKorvanDataBase::WriteRememberMe(app.path() + "/", "bob");
    EXPECT_EQ(TKorvanDataBase::MatchRememberMe(app.path(), {"Bob"}), -1);
    EXPECT_FALSE(fileExists(file));

    // An empty choice writes an empty file, which matches nothing.
    EXPECT_EQ(TKorvanDataBase::WriteRememberMe(app.path(), ""), 0);
    EXPECT_EQ(readFileBytes(file), "");
    EXPECT_EQ(TKorvanDataBase::MatchRememberMe(app.path(), {"Bob"}), -1);
    EXPECT_FALSE(fileExists(file));

    TKorvanDataBase::WriteRememberMe(app.path(), "Bob");
    EXPECT_EQ(TKorvanDataBase::RemoveRememberMe(app.path()), 0);
    EXPECT_FALSE(fileExists(file));
    EXPECT_FALSE(TKorvanDataBase::ReadRememberMe(app.path(), id));

    EXPECT_NE(TKorvanDataBase::WriteRememberMe(app.file("missing"), "Bob"), 0);

    // A full disk is reported and leaves the file as it was.
    TKorvanDataBase::WriteRememberMe(app.path(), "Bob");
    for (const DiskStep step : {DiskStep::Open, DiskStep::Write, DiskStep::FileSync, DiskStep::Rename}) {
        FailingDisk disk(step);
        EXPECT_EQ(TKorvanDataBase::WriteRememberMe(app.path(), "Ann"), 1) << DiskStepName(step);
        EXPECT_EQ(readFileBytes(file), "Bob\r\n");
    }
    // A file huge on paper is not read, nor deleted.
    fs::resize_file(file, std::uintmax_t(64) << 30);
    EXPECT_FALSE(TKorvanDataBase::ReadRememberMe(app.path(), id));
    EXPECT_EQ(TKorvanDataBase::MatchRememberMe(app.path(), {"Bob"}), -1);
}

} // namespace
