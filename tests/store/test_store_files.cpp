// The byte-level file helpers: replacing a file through a temporary one,
// failures at every step of it, and reading with size limits.
#include "store/AtomicFile.h"
#include "store/NarrowFile.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(AtomicFile, EveryFailingStepIsReportedAndTheOldFileStays)
{
    const std::string small = "new content\r\n";
    const std::string large(200000, 'n'); // more than the write buffer
    for (const DiskStep step : AllDiskSteps) {
        for (const std::string *content : {&small, &large}) {
            TempFolder tmp;
            const std::string path = tmp.file("notes.TRM");
            writeFileBytes(path, "old content");
            {
                FailingDisk disk(step);
                // Written, but not confirmed: told apart from a failure.
                EXPECT_EQ(WriteFileAtomic(path, *content), step == DiskStep::FolderSync ? WriteUnconfirmed : 1)
                    << DiskStepName(step);
                EXPECT_GT(disk.Failures(), 0) << DiskStepName(step);
            }
            // Only the folder's fsync comes after the rename.
            EXPECT_EQ(readFileBytes(path), step == DiskStep::FolderSync ? *content : "old content")
                << DiskStepName(step);
            EXPECT_EQ(entryNames(tmp.path()), std::vector<std::string>{"notes.TRM"}) << DiskStepName(step);
        }
    }
    TempFolder tmp;
    {
        FailingDisk disk(DiskStep::Write);
        EXPECT_EQ(SaveLineFile(tmp.file("Temp.txt"), std::vector<std::string>{"A", "B"}), Saved::No);
    }
    EXPECT_FALSE(fileExists(tmp.file("Temp.txt")));
    {
        FailingDisk disk(DiskStep::FolderSync);
        EXPECT_EQ(SaveLineFile(tmp.file("Temp.txt"), std::vector<std::string>{"A"}), Saved::Unconfirmed);
    }
    EXPECT_EQ(readFileBytes(tmp.file("Temp.txt")), "A\r\n");
}

TEST(AtomicFile, UnsyncedFilesSkipOnlyTheSyncs)
{
    TempFolder tmp;
    FailingDisk disk(DiskStep::FileSync);
    EXPECT_EQ(SaveLineFile(tmp.file("Temp1.txt"), std::vector<std::string>{"A", ""}, Durability::Unsynced), Saved::Yes);
    EXPECT_EQ(readFileBytes(tmp.file("Temp1.txt")), "A\r\n\r\n");
    EXPECT_EQ(disk.Failures(), 0);
}

TEST(AtomicFile, FifosAndHardLinksUnderTheNameAreReplaced)
{
    TempFolder tmp;
    const std::string fifo = tmp.file("Temp.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(WriteFileAtomic(fifo, "dump\r\n"), 0); // would block forever if opened
    EXPECT_EQ(readFileBytes(fifo), "dump\r\n");

    const std::string other = tmp.file("other.TR9");
    writeFileBytes(other, "older record");
    fs::create_hard_link(other, tmp.file("120704080503.TR9"));
    EXPECT_EQ(WriteFileAtomic(tmp.file("120704080503.TR9"), "new record"), 0);
    EXPECT_EQ(readFileBytes(other), "older record");
    EXPECT_EQ(readFileBytes(tmp.file("120704080503.TR9")), "new record");

    // A symbolic link is replaced, not written through.
    TempFolder outside;
    writeFileBytes(outside.file("LangSet.ini"), "outside");
    fs::create_symlink(outside.file("LangSet.ini"), tmp.file("LangSet.ini"));
    EXPECT_EQ(WriteFileAtomic(tmp.file("LangSet.ini"), "inside"), 0);
    EXPECT_FALSE(fs::is_symlink(tmp.file("LangSet.ini")));
    EXPECT_EQ(readFileBytes(outside.file("LangSet.ini")), "outside");

    // A folder under the name cannot be replaced: a failure, the folder stays
    // with its content and nothing is left beside it.
    fs::create_directory(tmp.file("dir"));
    writeFileBytes(tmp.file("dir/keep"), "kept");
    EXPECT_EQ(WriteFileAtomic(tmp.file("dir"), "x"), 1);
    EXPECT_EQ(readFileBytes(tmp.file("dir/keep")), "kept");
    EXPECT_EQ(entryNames(tmp.path()), (std::vector<std::string>{"120704080503.TR9", "LangSet.ini", "Temp.txt",
                                                                 "dir", "other.TR9"}));
    EXPECT_EQ(WriteFileAtomic(tmp.file("missing/x"), "x"), 1);
    EXPECT_EQ(WriteFileAtomic("", "x"), 1);
}

TEST(AtomicFile, NamesUpToTheLongestAreWritten)
{
    TempFolder tmp;
    const std::string longest = tmp.file(std::string(251, 'n') + ".JPG");
    EXPECT_EQ(WriteFileAtomic(longest, "photo"), 0);
    EXPECT_EQ(readFileBytes(longest), "photo");
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissions)
{
    TempFolder tmp;
    const std::string notes = tmp.file("notes.TRM");
    writeFileBytes(notes, "private");
    ASSERT_EQ(::chmod(notes.c_str(), 0600), 0);
    EXPECT_EQ(WriteFileAtomic(notes, "still private"), 0);
    struct stat st {};
    ASSERT_EQ(::stat(notes.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(readFileBytes(notes), "still private");
}

TEST(ReadFile, StatusAndSizeLimit)
{
    TempFolder tmp;
    std::string bytes = "stale";
    EXPECT_EQ(ReadFile(tmp.file("none"), bytes, 10), ReadStatus::Missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadFile(tmp.path(), bytes, 10), ReadStatus::Folder);
    ASSERT_EQ(::mkfifo(tmp.file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ReadFile(tmp.file("fifo"), bytes, 10), ReadStatus::NotRegular);

    writeFileBytes(tmp.file("ten"), "0123456789");
    EXPECT_EQ(ReadFile(tmp.file("ten"), bytes, 10), ReadStatus::Ok);
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(ReadFile(tmp.file("ten"), bytes, 9), ReadStatus::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadStatusText(ReadStatus::TooLarge, 9), "is larger than 9 bytes");
    EXPECT_EQ(ReadStatusText(ReadStatus::Folder, 9), "is a folder");

    // Huge on paper, nothing on disk: refused at once, nothing allocated.
    const std::string sparse = tmp.file("sparse");
    writeFileBytes(sparse, "");
    ASSERT_EQ(::truncate(sparse.c_str(), off_t(64) << 30), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadFile(sparse, bytes, filelimit::Record), ReadStatus::TooLarge);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST(ReadFile, UnreadableFileIsNotMissing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempFolder tmp;
    writeFileBytes(tmp.file("locked"), "x");
    ::chmod(tmp.file("locked").c_str(), 0);
    std::string bytes;
    EXPECT_EQ(ReadFile(tmp.file("locked"), bytes, 10), ReadStatus::Unreadable);
}

TEST(NarrowNames, Utf8AndShownEntries)
{
    EXPECT_TRUE(IsValidUtf8("Ann 2"));
    EXPECT_TRUE(IsValidUtf8("Jos\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x9A\xB2 \xEF\xBF\xBD"));
    for (const char *bad : {"caf\xE9", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xC3", "\xE4\xB8", "\xFF"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;

    TempFolder tmp;
    for (const char *name : {"Ann", "caf\xE9", "caf\xEF\xBF\xBD", "line\nbreak", ".hidden"})
        fs::create_directory(tmp.file(name));
    EXPECT_EQ(ListShownEntries(tmp.path(), EntryKind::PlainFolder),
              (std::vector<std::string>{"Ann", "caf\xEF\xBF\xBD"}));
    EXPECT_EQ(ListEntries(tmp.path(), EntryKind::PlainFolder).size(), 4u);
}

} // namespace
