// The metrics index against the folder it caches: files added, changed,
// removed and renamed outside the program, the one-call updates, damaged
// and foreign files, a folder that cannot be written, a program killed in
// the middle of an update, a changed profile, and the notes search.
#include "training/MetricsIndex.h"

#include "store/Databasecontroler.h"
#include "tests/export/ExportRides.h"
#include "tests/support/TempFolder.h"
#include "tests/training/IndexRides.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> NamesOf(const std::vector<RideSummary> &rides)
{
    std::vector<std::string> names;
    for (const RideSummary &ride : rides)
        names.push_back(ride.name);
    return names;
}

// The summary computed from the file itself.
RideSummary FromFile(const std::string &folder, const std::string &name, const Profile &profile, int gender)
{
    Ride ride;
    std::string error;
    EXPECT_TRUE(ReadRide(folder + "/" + name, ride, error)) << error;
    return SummarizeRide(ride, ComputeRideMetrics(ride, profile, gender));
}

void ExpectSameSummary(const RideSummary &a, const RideSummary &b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ((std::array{a.year, a.month, a.day, a.hour, a.minute, a.second, a.seconds, a.distance, a.kcal}),
              (std::array{b.year, b.month, b.day, b.hour, b.minute, b.second, b.seconds, b.distance, b.kcal}))
        << a.name;
    const RideMetrics &m = a.metrics, &n = b.metrics;
    EXPECT_EQ((std::array{m.hrMax, m.hrRest, m.movingSeconds}), (std::array{n.hrMax, n.hrRest, n.movingSeconds}));
    EXPECT_EQ(m.zoneSeconds, n.zoneSeconds) << a.name;
    EXPECT_EQ(m.trimp, n.trimp) << a.name;
    EXPECT_EQ(m.bests.speed, n.bests.speed);
    EXPECT_EQ(m.bests.heartRate, n.bests.heartRate);
    EXPECT_EQ(m.bests.cadence, n.bests.cadence);
}

// How many files an open or refresh read (-1: none).
struct ReadCount {
    int total = -1;
    IndexProgress Progress()
    {
        total = -1;
        return [this](int, int all) { total = all; };
    }
};

class MetricsIndexTest : public ::testing::Test {
protected:
    MetricsIndexTest() : rides(scratch.path()) {}

    std::string Folder() const { return rider.path(); }
    std::string Add(int day, int hour = 8, IndexRides::Kind kind = IndexRides::Kind::AllSensors)
    {
        return rides.Write(Folder(), 2012, 7, day, hour, 0, 0, kind);
    }
    std::vector<std::string> Indexed() const { return NamesOf(index.AllRides()); }

    TempFolder scratch, rider;
    IndexRides rides;
    Profile profile;
    MetricsIndex index;
    ReadCount reads;
};

TEST_F(MetricsIndexTest, FolderChangesOutsideTheProgramAreReadAndNothingElse)
{
    const std::string a = Add(1), b = Add(2, 8, IndexRides::Kind::BeltOnly), c = Add(3);
    writeFileBytes(rider.file("Profile.ini"), "MaxHR=180\r\n");
    writeFileBytes(rider.file(".hidden.TR9"), rides.Text(2012, 7, 9, 8, 0, 0));
    fs::create_directory(rider.file("folder.TR9"));
    ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress())) << index.Error();
    EXPECT_FALSE(index.InMemory());
    EXPECT_TRUE(fileExists(rider.file(MetricsIndex::FileName)));
    EXPECT_EQ(reads.total, 3);
    EXPECT_EQ(Indexed(), (std::vector{a, b, c}));
    for (const RideSummary &ride : index.AllRides())
        ExpectSameSummary(ride, FromFile(Folder(), ride.name, profile, 0));
    EXPECT_FALSE(index.AllRides()[1].metrics.bests.speed[0].has_value()); // the belt alone: no speed
    index.Close();

    // Up to date: nothing is read.
    ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress()));
    EXPECT_EQ(reads.total, -1);
    index.Close();

    // Outside: one added (lower-case name), one changed, one removed, one renamed.
    const std::string added = "120710080000.tr9";
    writeFileBytes(rider.file(added), rides.Text(2012, 7, 10, 8, 0, 0));
    writeFileBytes(rider.file(c), rides.Text(2012, 7, 3, 8, 0, 0, IndexRides::Kind::BeltOnly));
    fs::remove(rider.file(a));
    fs::rename(rider.file(b), rider.file("120702090000.TR9"));
    ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress()));
    EXPECT_EQ(reads.total, 3);
    EXPECT_EQ(Indexed(), (std::vector<std::string>{"120702090000.TR9", c, added}));
    ExpectSameSummary(index.AllRides()[1], FromFile(Folder(), c, profile, 0));

    // The same file's time alone changed: read again, same figures.
    fs::last_write_time(rider.file(c), fs::last_write_time(rider.file(c)) + std::chrono::seconds(5));
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 1);
    ExpectSameSummary(index.AllRides()[1], FromFile(Folder(), c, profile, 0));
}

// Sets the folder's modification time to one long past, as of a folder left alone.
void AgeFolder(const std::string &folder)
{
    const timespec old{1600000000, 0};
    const timespec times[2] = {old, old};
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

TEST_F(MetricsIndexTest, AFolderLeftAloneSkipsItsNotesFilesButNeverItsRecords)
{
    const std::string a = Add(1), b = Add(2);
    WriteNotes(Folder(), a, "Lake", "0", {});
    ASSERT_TRUE(index.Open(Folder(), profile, 0));
    AgeFolder(Folder());
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, -1);
    // A record changed in place leaves the folder's time as it was.
    writeFileBytes(rider.file(b), rides.Text(2012, 7, 2, 8, 0, 0, IndexRides::Kind::BeltOnly));
    AgeFolder(Folder());
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 1);
    ExpectSameSummary(index.AllRides()[1], FromFile(Folder(), b, profile, 0));
    EXPECT_EQ(index.Search("lake"), std::vector{a});
    // Notes saved the store's way replace the file: seen.
    TKorvanDataBase store;
    store.RiderFolder = Folder() + "/";
    store.NoteLines = {"Hill", "0"};
    ASSERT_EQ(store.SaveNotes(a), 0);
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 1);
    EXPECT_EQ(index.Search("hill"), std::vector{a});
    EXPECT_TRUE(index.Search("lake").empty());
}

// A logout stops a running build: what was read is kept, and the next look
// reads the rest, records and notes alike. (The stop comes with the first
// progress report, before any ride is read: a later one races the readers.)
TEST_F(MetricsIndexTest, AStoppedBuildKeepsWhatItReadAndTheNextLookReadsTheRest)
{
    std::vector<std::string> names;
    for (int day = 1; day <= 12; ++day)
        names.push_back(Add(day));
    const IndexProgress stop = [this](int done, int) {
        if (done == 0)
            index.RequestStop();
    };
    ASSERT_TRUE(index.Open(Folder(), profile, 0, stop));
    EXPECT_TRUE(index.AllRides().empty());
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 12);
    // Rides added since: the old ones stay through a stop.
    for (int day = 13; day <= 24; ++day)
        names.push_back(Add(day));
    ASSERT_TRUE(index.Refresh(stop));
    EXPECT_EQ(index.AllRides().size(), 12u);
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 12);
    EXPECT_EQ(Indexed(), names);

    // Notes saved outside, their reading stopped, the folder left alone
    // since: the next look still finds every one.
    for (const std::string &name : names)
        WriteNotes(Folder(), name, "Dunes", "0", {});
    AgeFolder(Folder());
    ASSERT_TRUE(index.Refresh(stop));
    EXPECT_TRUE(index.Search("dunes").empty());
    ASSERT_TRUE(index.Refresh());
    EXPECT_EQ(index.Search("dunes").size(), names.size());
}

TEST_F(MetricsIndexTest, OneCallUpdatesAndPeriods)
{
    const std::string first = Add(1);
    ASSERT_TRUE(index.Open(Folder(), profile, 0));
    // Filed by the download: in the index at once, its notes with it.
    const std::string filed = Add(4, 18);
    WriteNotes(Folder(), filed, "Evening loop", "1", {});
    ASSERT_TRUE(index.RideFiled(filed));
    EXPECT_EQ(Indexed(), (std::vector{first, filed}));
    EXPECT_EQ(index.Search("evening"), std::vector{filed});
    // A replaced file of the same name.
    writeFileBytes(rider.file(filed), rides.Text(2012, 7, 4, 18, 0, 0, IndexRides::Kind::BeltOnly));
    ASSERT_TRUE(index.RideFiled(filed));
    ExpectSameSummary(index.AllRides()[1], FromFile(Folder(), filed, profile, 0));
    // A saved note.
    WriteNotes(Folder(), filed, "Hill repeats", "2", {"windy"});
    ASSERT_TRUE(index.NotesSaved(filed));
    EXPECT_TRUE(index.Search("evening").empty());
    EXPECT_EQ(index.Search("windy hill"), std::vector{filed});
    // Deleted; a name that is no record file of the folder is refused.
    fs::remove(rider.file(filed));
    ASSERT_TRUE(index.RideDeleted(filed));
    EXPECT_EQ(Indexed(), std::vector{first});
    EXPECT_TRUE(index.Search("hill").empty());
    EXPECT_FALSE(index.RideFiled("../other/120701080000.TR9"));
    // A filed name whose file is gone drops its row.
    fs::remove(rider.file(first));
    ASSERT_TRUE(index.RideFiled(first));
    EXPECT_TRUE(Indexed().empty());

    // Periods: the day, the week (Sunday 2012-07-01 to Saturday 07-07) and the month.
    const std::string d1 = Add(1), d7 = Add(7), d8 = Add(8), d31 = Add(31, 23);
    ASSERT_TRUE(index.Refresh());
    EXPECT_EQ(NamesOf(index.Rides(DayPeriod(2012, 7, 7))), std::vector{d7});
    EXPECT_EQ(NamesOf(index.Rides(WeekPeriod(2012, 7, 4))), (std::vector{d1, d7}));
    EXPECT_EQ(NamesOf(index.Rides(MonthPeriod(2012, 7))), (std::vector{d1, d7, d8, d31}));
    EXPECT_EQ(TotalsOf(index.Rides(MonthPeriod(2012, 7)), MonthPeriod(2012, 7)).rides, 4);

    // Another program (the tool) brings the same file up to date: seen here at once.
    const std::string other = Add(20);
    MetricsIndex tool;
    ASSERT_TRUE(tool.Open(Folder(), profile, 0));
    EXPECT_EQ(NamesOf(index.Rides(MonthPeriod(2012, 7))), (std::vector{d1, d7, d8, other, d31}));
}

TEST_F(MetricsIndexTest, UnreadableRecordsAreListedAndNotReadAgainUntilChanged)
{
    const std::string good = Add(1);
    writeFileBytes(rider.file("120702080000.TR9"), "not a record\r\n");
    WriteNotes(Folder(), "120702080000.TR9", "Lake", "0", {});
    ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress()));
    EXPECT_TRUE(index.Search("lake").empty());
    EXPECT_EQ(Indexed(), std::vector{good});
    ASSERT_EQ(index.Failures().size(), 1u);
    EXPECT_EQ(index.Failures()[0].name, "120702080000.TR9");
    EXPECT_FALSE(index.Failures()[0].reason.empty());
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, -1);
    writeFileBytes(rider.file("120702080000.TR9"), rides.Text(2012, 7, 2, 8, 0, 0));
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 1);
    EXPECT_TRUE(index.Failures().empty());
    EXPECT_EQ(Indexed().size(), 2u);
}

TEST_F(MetricsIndexTest, AChangedProfileRecomputesZonesAndLoadWithoutTheFiles)
{
    const std::string a = Add(1), b = Add(2, 8, IndexRides::Kind::BeltOnly);
    ASSERT_TRUE(index.Open(Folder(), profile, 0));
    Profile changed;
    changed.maxHr = 170;
    changed.restHr = 50;
    changed.zones = {55, 65, 72, 81, 93};
    ASSERT_TRUE(index.SetProfile(changed, 1));
    for (const RideSummary &ride : index.AllRides())
        ExpectSameSummary(ride, FromFile(Folder(), ride.name, changed, 1));
    index.Close();

    // The fingerprint is kept: the same profile finds nothing to do; the
    // account's gender alone recomputes (the profile sets none).
    ASSERT_TRUE(index.Open(Folder(), changed, 1, reads.Progress()));
    EXPECT_EQ(reads.total, -1);
    index.Close();
    ASSERT_TRUE(index.Open(Folder(), profile, 1, reads.Progress()));
    EXPECT_EQ(reads.total, -1);
    for (const RideSummary &ride : index.AllRides())
        ExpectSameSummary(ride, FromFile(Folder(), ride.name, profile, 1));
    EXPECT_NE(index.AllRides()[0].metrics.trimp, FromFile(Folder(), a, profile, 0).metrics.trimp);
}

TEST_F(MetricsIndexTest, DamagedForeignAndNewerFilesAreRebuilt)
{
    const std::string a = Add(1), b = Add(2);
    WriteNotes(Folder(), b, "Lake", "0", {});
    const std::string db = rider.file(MetricsIndex::FileName);
    ASSERT_TRUE(index.Open(Folder(), profile, 0));
    index.Close();
    const std::string built = readFileBytes(db);
    ASSERT_GT(built.size(), 4096u * 4);

    const auto sqlFile = [&](const char *sql) {
        fs::remove(db);
        sqlite3 *handle = nullptr;
        ASSERT_EQ(sqlite3_open(db.c_str(), &handle), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(handle);
    };
    const std::vector<std::function<void()>> damages = {
        [&] { writeFileBytes(db, "garbage that is no database at all"); },
        [&] { writeFileBytes(db, built.substr(0, built.size() / 2)); },
        [&] { // every page after the first overwritten
            std::string bytes = built;
            for (std::size_t i = 4096; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(i * 7);
            writeFileBytes(db, bytes);
        },
        [&] { sqlFile("CREATE TABLE ride(name TEXT); INSERT INTO ride VALUES('x.TR9')"); },
        [&] { sqlFile("PRAGMA application_id = 1129732169; PRAGMA user_version = 99; CREATE TABLE t(x)"); },
    };
    // Damage that opening does not meet: the pages of the notes search.
    {
        index.Close();
        sqlite3 *handle = nullptr;
        ASSERT_EQ(sqlite3_open(db.c_str(), &handle), SQLITE_OK);
        sqlite3_stmt *pages = nullptr;
        sqlite3_prepare_v2(handle, "SELECT pageno FROM dbstat WHERE name LIKE 'note%' AND pageno > 1", -1, &pages,
                           nullptr);
        std::vector<int> notePages;
        while (sqlite3_step(pages) == SQLITE_ROW)
            notePages.push_back(sqlite3_column_int(pages, 0));
        sqlite3_finalize(pages);
        sqlite3_close(handle);
        ASSERT_FALSE(notePages.empty());
        std::string bytes = readFileBytes(db);
        for (const int page : notePages)
            for (std::size_t i = 0; i < 4096; ++i)
                bytes[static_cast<std::size_t>(page - 1) * 4096 + i] = static_cast<char>(0xA5 ^ i);
        writeFileBytes(db, bytes);
        ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress()));
        EXPECT_EQ(reads.total, -1);
        EXPECT_TRUE(index.Search("lake").empty());
        ASSERT_TRUE(index.Refresh(reads.Progress())); // rebuilt
        EXPECT_EQ(reads.total, 2);
        EXPECT_EQ(index.Search("lake"), std::vector{b});
        index.Close();
    }
    for (std::size_t d = 0; d < damages.size(); ++d) {
        damages[d]();
        ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress())) << d << index.Error();
        EXPECT_FALSE(index.InMemory()) << d;
        EXPECT_EQ(reads.total, 2) << d;
        EXPECT_EQ(Indexed(), (std::vector{a, b})) << d;
        EXPECT_EQ(index.Search("lake"), std::vector{b}) << d;
        index.Close();
        ASSERT_TRUE(index.Open(Folder(), profile, 0, reads.Progress())) << d;
        EXPECT_EQ(reads.total, -1) << d; // the rebuilt file is used
        index.Close();
    }
}

// Runs check without the rights to write the folder: as nobody when the
// tests run as root (root writes anywhere), else as the user. The result
// of check, or a number above 100 when it could not run.
int WithoutWriteRights(const std::string &folder, const std::function<int()> &check)
{
    ::chmod(folder.c_str(), 0555);
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(101);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 102;
}

TEST_F(MetricsIndexTest, AFolderThatCannotBeWrittenIsIndexedInMemory)
{
    const std::string a = Add(1), b = Add(2);
    WriteNotes(Folder(), a, "Lake", "0", {});
    const auto inMemory = [&](int expectedReads) {
        return WithoutWriteRights(Folder(), [&] {
            MetricsIndex ro;
            ReadCount count;
            if (!ro.Open(Folder(), profile, 0, count.Progress()) || !ro.InMemory())
                return 1;
            if (NamesOf(ro.AllRides()) != std::vector{a, b} || ro.Search("LAKE") != std::vector{a})
                return 2;
            if (count.total != expectedReads)
                return 3;
            return ro.RideDeleted(a) && NamesOf(ro.AllRides()) == std::vector{b} ? 0 : 4;
        });
    };
    EXPECT_EQ(inMemory(2), 0);
    ::chmod(Folder().c_str(), 0755);
    EXPECT_FALSE(fileExists(rider.file(MetricsIndex::FileName)));
    // With an index built before, that one is the start: nothing is read.
    ASSERT_TRUE(index.Open(Folder(), profile, 0));
    index.Close();
    EXPECT_EQ(inMemory(-1), 0);
    ::chmod(Folder().c_str(), 0755);
}

// The rows of the index file as a raw reader sees them; "damaged" when
// the file fails its integrity check.
std::set<std::string> RowsOnDisk(const std::string &db)
{
    sqlite3 *handle = nullptr;
    std::set<std::string> names;
    if (sqlite3_open_v2(db.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(handle);
        return {"damaged"};
    }
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(handle, "PRAGMA integrity_check", -1, &stmt, nullptr);
    const bool ok = sqlite3_step(stmt) == SQLITE_ROW &&
                    std::string(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))) == "ok";
    sqlite3_finalize(stmt);
    sqlite3_prepare_v2(handle, "SELECT ride.name || '|' || ifnull(note.topic, '') FROM ride LEFT JOIN note "
                               "ON note.rowid = ride.id", -1, &stmt, nullptr);
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
        names.insert(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    return ok ? names : std::set<std::string>{"damaged"};
}

TEST_F(MetricsIndexTest, AKillAtAnyMomentLeavesTheOldOrTheNewState)
{
    std::vector<std::string> before;
    for (int day = 1; day <= 20; ++day)
        before.push_back(Add(day));
    ASSERT_TRUE(index.Open(Folder(), profile, 0));
    index.Close();
    const std::string db = rider.file(MetricsIndex::FileName);
    const std::string oldFile = readFileBytes(db);
    const std::set<std::string> oldRows = RowsOnDisk(db);
    ASSERT_EQ(oldRows.size(), 20u);

    // The update: 60 rides added, 5 removed, notes of 3 saved outside.
    for (int i = 0; i < 60; ++i)
        rides.Write(Folder(), 2013, 1 + i / 28, 1 + i % 28, 9, 0, 0);
    for (int i = 0; i < 5; ++i)
        fs::remove(rider.file(before[static_cast<std::size_t>(i)]));
    for (int i = 10; i < 13; ++i)
        WriteNotes(Folder(), before[static_cast<std::size_t>(i)], "after", "0", {});

    const auto runChild = [&] {
        const pid_t child = ::fork();
        if (child == 0) {
            MetricsIndex update;
            ::_exit(update.Open(Folder(), profile, 0) ? 0 : 1);
        }
        return child;
    };
    const auto restore = [&] {
        for (const char *suffix : {"-wal", "-shm"})
            fs::remove(db + suffix);
        writeFileBytes(db, oldFile);
    };
    // The whole update, timed, gives the new state.
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    ::waitpid(runChild(), &status, 0);
    const auto whole = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::set<std::string> newRows = RowsOnDisk(db);
    ASSERT_EQ(newRows.size(), 75u);
    ASSERT_NE(newRows, oldRows);

    // Killed at 40 moments spread over twice its time: a child run under
    // load may take longer than the timed one, and some kills must come
    // after its commit.
    int olds = 0, news = 0;
    const int points = 40;
    for (int k = 0; k < points; ++k) {
        restore();
        const pid_t child = runChild();
        std::this_thread::sleep_for(whole * k / (points / 2));
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        const std::set<std::string> rows = RowsOnDisk(db);
        ASSERT_TRUE(rows == oldRows || rows == newRows) << "killed at point " << k << ", " << rows.size() << " rows";
        (rows == oldRows ? olds : news)++;
        // The next open completes the update.
        MetricsIndex after;
        ASSERT_TRUE(after.Open(Folder(), profile, 0));
        EXPECT_FALSE(after.InMemory());
        EXPECT_EQ(after.AllRides().size(), 75u);
        EXPECT_EQ(after.Search("after").size(), 3u);
    }
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 0);

    // A first build killed at any moment: the next open builds it whole.
    for (int k = 0; k < 10; ++k) {
        fs::remove(db);
        const pid_t child = runChild();
        std::this_thread::sleep_for(whole * k / 8);
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        const std::set<std::string> rows = fileExists(db) ? RowsOnDisk(db) : std::set<std::string>{};
        EXPECT_TRUE(rows.empty() || rows == newRows) << "first build killed at point " << k;
        MetricsIndex after;
        ASSERT_TRUE(after.Open(Folder(), profile, 0));
        EXPECT_EQ(after.AllRides().size(), 75u);
    }
}

TEST_F(MetricsIndexTest, SearchInAnyLetterCaseAndLanguageNewestFirst)
{
    const std::string a = Add(1), b = Add(2), c = Add(3), d = Add(4), e = Add(5);
    WriteNotes(Folder(), a, "Morning ride to the LAKE", "1", {"flat tyre", "Coffee after"});
    WriteNotes(Folder(), b, "今天骑车去山上", "2", {"天气很好，风很大"});
    WriteNotes(Folder(), c, "Lake loop", "1", {"山上很冷"});
    WriteNotes(Folder(), d, "ПОДЪЁМ в гору", "0", {});
    // Notes files as other programs wrote them: UTF-8 with its mark, two lines only.
    writeFileBytes(rider.file("120705080000.TRM"), "\xEF\xBB\xBFStraße nach Köln\r\n3\r\n");
    ASSERT_TRUE(index.Open(Folder(), profile, 0));

    EXPECT_EQ(index.Search("lake"), (std::vector{c, a}));
    EXPECT_EQ(index.Search("  LAKE   morning "), std::vector{a});
    EXPECT_EQ(index.Search("lake coffee"), std::vector{a}); // topic and memo together
    EXPECT_EQ(index.Search("ty"), std::vector{a});          // shorter than three letters
    EXPECT_EQ(index.Search("山上"), (std::vector{c, b}));
    EXPECT_EQ(index.Search("骑车"), std::vector{b});
    EXPECT_EQ(index.Search("风很大 山上"), std::vector{b});
    EXPECT_EQ(index.Search("山"), (std::vector{c, b}));
    EXPECT_TRUE(index.Search("湖").empty());
    EXPECT_EQ(index.Search("подъём"), std::vector{d});
    EXPECT_EQ(index.Search("KÖLN straße"), std::vector{e});
    EXPECT_EQ(index.Search("ＬＡＫＥ"), (std::vector{c, a})); // full-width letters
    EXPECT_TRUE(index.Search("lake mountain").empty());
    EXPECT_TRUE(index.Search("").empty());
    EXPECT_TRUE(index.Search("\"").empty());
    EXPECT_TRUE(index.Search("\"lake").empty());

    // Notes changed or removed outside are read at the next refresh.
    WriteNotes(Folder(), a, "Evening", "1", {});
    fs::remove(rider.file("120703080000.TRM"));
    ASSERT_TRUE(index.Refresh(reads.Progress()));
    EXPECT_EQ(reads.total, 2);
    EXPECT_TRUE(index.Search("lake").empty());
    EXPECT_EQ(index.Search("evening"), std::vector{a});
    EXPECT_EQ(index.Search("山上"), std::vector{b});
}

} // namespace

namespace {

TEST_F(MetricsIndexTest, Tr9statsSearchesTheNotesOfAFolder)
{
    const std::string a = Add(1), b = Add(2), c = Add(3);
    WriteNotes(Folder(), a, "Lake loop", "1", {"山上很冷"});
    WriteNotes(Folder(), c, "Morning ride to the LAKE", "1", {});
    const std::string tool = std::string(TR9STATS) + " ";
    CommandRun run = RunCommand(tool + "--search lake " + Quoted(Folder()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, c + "\n" + a + "\n");
    EXPECT_EQ(RunCommand(tool + "--search 'LAKE  morning' " + Quoted(Folder())).output, c + "\n");
    EXPECT_EQ(RunCommand(tool + "--search 山上 " + Quoted(Folder())).output, a + "\n");
    EXPECT_EQ(RunCommand(tool + "--search --json 'ride lake' " + Quoted(Folder())).output,
              "{\"file\":\"" + c + "\"}\n");
    EXPECT_EQ(RunCommand(tool + "--search nothing " + Quoted(Folder())).output, "");
    EXPECT_EQ(RunCommand(tool + "--search " + Quoted(Folder()) + " 2>/dev/null").status, 2);
    EXPECT_EQ(RunCommand(tool + "--search lake " + Quoted(rider.file(a)) + " 2>/dev/null").status, 1);

    // The fitness series of the folder comes from the index, the same each time.
    const CommandRun fitness = RunCommand(tool + "--fitness --json " + Quoted(Folder()));
    EXPECT_EQ(fitness.status, 0);
    EXPECT_EQ(std::count(fitness.output.begin(), fitness.output.end(), '\n'), 3);
    EXPECT_TRUE(fileExists(rider.file(MetricsIndex::FileName)));
    EXPECT_EQ(RunCommand(tool + "--fitness --json " + Quoted(Folder())).output, fitness.output);

    // A damaged record is told, the others are found.
    writeFileBytes(rider.file("120709080000.TR9"), "[File Head]\r\n");
    run = RunCommand(tool + "--search lake " + Quoted(Folder()) + " 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("120709080000.TR9"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(c + "\n" + a + "\n"), std::string::npos) << run.output;
    EXPECT_EQ(RunCommand(tool + "--fitness " + Quoted(Folder()) + " 2>/dev/null").status, 1);
}

} // namespace
