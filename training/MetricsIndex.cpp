// The metrics index: its file (created, checked, rebuilt, or replaced by
// one in memory), bringing it up to date with the folder, and the updates
// of one ride.
#include "training/MetricsIndex.h"

#include "store/Databasecontroler.h"
#include "store/NarrowFile.h"
#include "training/IndexScan.h"
#include "training/IndexState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "CVXI" in the file's header: this program's index.
constexpr std::int64_t ApplicationId = 0x43565849;
// The layout of the tables; a file of another version is rebuilt.
constexpr std::int64_t SchemaVersion = 1;
// The metrics' formulas; rows computed by other ones are read again.
constexpr const char *MetricsVersion = "1";

constexpr const char *Schema = R"(
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE ride(
  id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,
  size INTEGER NOT NULL, mtime INTEGER NOT NULL, notes_size INTEGER NOT NULL, notes_mtime INTEGER NOT NULL,
  error TEXT, start INTEGER, seconds INTEGER, distance INTEGER, kcal INTEGER,
  hr_max INTEGER, hr_rest INTEGER, z0 INTEGER, z1 INTEGER, z2 INTEGER, z3 INTEGER, z4 INTEGER, z5 INTEGER,
  trimp REAL, moving INTEGER, bs0 REAL, bs1 REAL, bs2 REAL, bh0 REAL, bh1 REAL, bh2 REAL,
  bc0 REAL, bc1 REAL, bc2 REAL);
CREATE TABLE heart(id INTEGER PRIMARY KEY, set_hr_max INTEGER, age INTEGER, seconds INTEGER,
  has_hr INTEGER, rates BLOB);
CREATE VIRTUAL TABLE note USING fts5(topic, weather, memo, tokenize='trigram case_sensitive 1');
)";

std::string ProfileFingerprint(const Profile &profile, int accountGender)
{
    std::string text = "max=" + std::to_string(profile.maxHr) + ";rest=" + std::to_string(profile.restHr) +
                       ";gender=" + std::to_string(static_cast<int>(profile.gender)) + ";zones=";
    for (const int bound : profile.zones)
        text += std::to_string(bound) + ",";
    return text + ";account=" + std::to_string(accountGender);
}

// A name the store lists as a record file of the folder (ListShownEntries).
bool IsRecordName(const std::string &name)
{
    return !name.empty() && name[0] != '.' && EndsWithNoCase(name, ".TR9") && IsValidUtf8(name) &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// BEGIN IMMEDIATE ... COMMIT; rolled back unless committed.
class Transaction {
public:
    explicit Transaction(SqlDatabase &db) : db_(db) { code_ = db_.Exec("BEGIN IMMEDIATE"); }
    ~Transaction()
    {
        if (code_ == SQLITE_OK && !done_)
            db_.Exec("ROLLBACK");
    }
    int Code() const { return code_; }
    bool Failed() const { return code_ != SQLITE_OK || failure_ != SQLITE_OK; }
    // The first failure of the statements run within it.
    void Note(int code)
    {
        if (code_ == SQLITE_OK && code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW)
            failure_ = failure_ == SQLITE_OK ? code : failure_;
    }
    int Commit()
    {
        if (code_ != SQLITE_OK)
            return code_;
        if (failure_ != SQLITE_OK)
            return failure_;
        done_ = true;
        const int code = db_.Exec("COMMIT");
        if (code != SQLITE_OK)
            db_.Exec("ROLLBACK");
        return code;
    }

private:
    SqlDatabase &db_;
    int code_ = SQLITE_OK;
    int failure_ = SQLITE_OK;
    bool done_ = false;
};

// The statements that write rows, prepared once per transaction.
struct RowWriter {
    explicit RowWriter(SqlDatabase &db)
        : handle(db.Handle()), findId(db.Prepare("SELECT id FROM ride WHERE name = ?1")),
          dropRide(db.Prepare("DELETE FROM ride WHERE id = ?1")),
          dropHeart(db.Prepare("DELETE FROM heart WHERE id = ?1")),
          dropNote(db.Prepare("DELETE FROM note WHERE rowid = ?1")),
          addRide(db.Prepare("INSERT INTO ride(id, name, size, mtime, notes_size, notes_mtime, error, start, "
                             "seconds, distance, kcal, hr_max, hr_rest, z0, z1, z2, z3, z4, z5, trimp, moving, "
                             "bs0, bs1, bs2, bh0, bh1, bh2, bc0, bc1, bc2) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
                             "?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24, "
                             "?25, ?26, ?27, ?28, ?29, ?30)")),
          addHeart(db.Prepare("INSERT INTO heart(id, set_hr_max, age, seconds, has_hr, rates) "
                              "VALUES(?1, ?2, ?3, ?4, ?5, ?6)")),
          addNote(db.Prepare("INSERT INTO note(rowid, topic, weather, memo) VALUES(?1, ?2, ?3, ?4)")),
          setNotesStamp(db.Prepare("UPDATE ride SET notes_size = ?2, notes_mtime = ?3 WHERE id = ?1"))
    {
    }

    // The row id of a name; 0 when there is none.
    std::int64_t IdOf(const std::string &name)
    {
        findId.Bind(1, name);
        const std::int64_t id = findId.Step() == SQLITE_ROW ? findId.Int64(0) : 0;
        findId.Reset();
        return id;
    }

    void Drop(std::int64_t id, Transaction &tx)
    {
        for (SqlStatement *drop : {&dropRide, &dropHeart, &dropNote}) {
            drop->Bind(1, id);
            tx.Note(drop->Run());
        }
    }

    void Notes(std::int64_t id, const SearchNotes &notes, Transaction &tx)
    {
        dropNote.Bind(1, id);
        tx.Note(dropNote.Run());
        if (notes.Empty())
            return;
        addNote.Bind(1, id);
        addNote.Bind(2, notes.topic);
        addNote.Bind(3, notes.weather);
        addNote.Bind(4, notes.memo);
        tx.Note(addNote.Run());
    }

    // The whole row of a ride, replacing the one of its name.
    void Write(const IndexedRide &row, Transaction &tx)
    {
        std::int64_t id = IdOf(row.file.name);
        if (id != 0)
            Drop(id, tx);
        SqlStatement &s = addRide;
        if (id != 0)
            s.Bind(1, id);
        s.Bind(2, row.file.name);
        s.Bind(3, row.file.record.size);
        s.Bind(4, row.file.record.mtime);
        s.Bind(5, row.file.notes.size);
        s.Bind(6, row.file.notes.mtime);
        if (!row.error.empty()) {
            s.Bind(7, row.error);
        } else {
            const RideSummary &r = row.summary;
            const RideMetrics &m = r.metrics;
            s.Bind(8, static_cast<std::int64_t>(StartKey(r)));
            s.Bind(9, r.seconds);
            s.Bind(10, r.distance);
            s.Bind(11, r.kcal);
            s.Bind(12, m.hrMax);
            s.Bind(13, m.hrRest);
            for (int z = 0; z < 6; ++z)
                s.Bind(14 + z, m.zoneSeconds ? std::optional<int>((*m.zoneSeconds)[static_cast<std::size_t>(z)])
                                             : std::nullopt);
            s.Bind(20, m.trimp);
            s.Bind(21, m.movingSeconds);
            int column = 22;
            for (const auto *best : {&m.bests.speed, &m.bests.heartRate, &m.bests.cadence})
                for (const std::optional<double> &value : *best)
                    s.Bind(column++, value);
        }
        const int code = s.Run();
        tx.Note(code);
        if (code != SQLITE_DONE)
            return;
        id = sqlite3_last_insert_rowid(handle);
        if (row.error.empty()) {
            const HeartInput &h = row.heart;
            addHeart.Bind(1, id);
            addHeart.Bind(2, h.settingsHrMax);
            addHeart.Bind(3, h.age);
            addHeart.Bind(4, h.seconds);
            addHeart.Bind(5, h.hasHeartRate ? 1 : 0);
            addHeart.BindBlob(6, h.heartRates);
            tx.Note(addHeart.Run());
        }
        Notes(id, row.notes, tx);
    }

    // The notes of a ride whose record file is unchanged.
    void WriteNotes(const IndexedRide &row, Transaction &tx)
    {
        const std::int64_t id = IdOf(row.file.name);
        if (id == 0)
            return;
        setNotesStamp.Bind(1, id);
        setNotesStamp.Bind(2, row.file.notes.size);
        setNotesStamp.Bind(3, row.file.notes.mtime);
        tx.Note(setNotesStamp.Run());
        Notes(id, row.notes, tx);
    }

    sqlite3 *handle = nullptr;
    SqlStatement findId, dropRide, dropHeart, dropNote, addRide, addHeart, addNote, setNotesStamp;
};

using State = MetricsIndex::State;

enum class FileCheck { Fresh, Ours, Rebuild, Failed };

// What the open file is: new and empty, this index, or to be rebuilt
// (damaged, another program's, another version).
FileCheck CheckFile(SqlDatabase &db)
{
    const auto failed = [&db] { return IsDamage(db.LastCode()) ? FileCheck::Rebuild : FileCheck::Failed; };
    const std::optional<std::int64_t> app = db.Int64Of("PRAGMA application_id");
    const std::optional<std::int64_t> version = db.Int64Of("PRAGMA user_version");
    if (!app || !version)
        return failed();
    if (*app == ApplicationId && *version == SchemaVersion)
        return FileCheck::Ours;
    if (*app != 0 || *version != 0)
        return FileCheck::Rebuild;
    const std::optional<std::int64_t> tables = db.Int64Of("SELECT count(*) FROM sqlite_master");
    if (!tables)
        return failed();
    return *tables == 0 ? FileCheck::Fresh : FileCheck::Rebuild;
}

int CreateSchema(SqlDatabase &db)
{
    Transaction tx(db);
    tx.Note(db.Exec(Schema));
    tx.Note(db.Exec("PRAGMA application_id = " + std::to_string(ApplicationId) +
                    "; PRAGMA user_version = " + std::to_string(SchemaVersion)));
    return tx.Commit();
}

void RemoveIndexFiles(const std::string &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        ::unlink((path + suffix).c_str());
}

std::string IndexPath(const State &s)
{
    return s.folder + MetricsIndex::FileName;
}

// Opens the folder's file, rebuilt when it is damaged or foreign.
int OpenFile(State &s)
{
    const std::string path = IndexPath(s);
    for (int attempt = 0; attempt < 2; ++attempt) {
        int code = s.db.Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
        if (code != SQLITE_OK)
            return code;
        sqlite3_busy_timeout(s.db.Handle(), 5000);
        const FileCheck check = CheckFile(s.db);
        if (check == FileCheck::Rebuild) {
            s.db.Close();
            RemoveIndexFiles(path);
            continue;
        }
        if (check == FileCheck::Failed)
            return s.db.LastCode();
        // A write-ahead log: a commit is one append, and a program killed
        // at any moment leaves the last committed state. The log stays
        // when the index closes, so opening and closing changes no entry
        // of the folder (see Sync).
        int persist = 1;
        sqlite3_file_control(s.db.Handle(), "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
        code = s.db.Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA journal_size_limit = 0");
        if (code == SQLITE_OK && check == FileCheck::Fresh)
            code = CreateSchema(s.db);
        return code;
    }
    return SQLITE_CORRUPT;
}

// The path as a URI file name ('%', '?' and '#' escaped).
std::string FileUri(const std::string &path)
{
    std::string uri = "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri;
}

// An index in memory, starting from the folder's file where that can be
// read and is this index.
int OpenMemory(State &s)
{
    s.memory = true;
    int code = s.db.Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
    if (code != SQLITE_OK)
        return code;
    SqlDatabase source;
    if (source.Open(FileUri(IndexPath(s)) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI) == SQLITE_OK &&
        CheckFile(source) == FileCheck::Ours) {
        if (sqlite3_backup *copy = sqlite3_backup_init(s.db.Handle(), "main", source.Handle(), "main")) {
            sqlite3_backup_step(copy, -1);
            sqlite3_backup_finish(copy);
        }
    }
    if (CheckFile(s.db) == FileCheck::Ours)
        return SQLITE_OK;
    code = s.db.Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
    return code == SQLITE_OK ? CreateSchema(s.db) : code;
}

std::string MetaValue(SqlDatabase &db, const char *key)
{
    SqlStatement query = db.Prepare("SELECT value FROM meta WHERE key = ?1");
    query.Bind(1, std::string_view(key));
    return query.Step() == SQLITE_ROW ? query.Text(0) : std::string();
}

void SetMeta(SqlDatabase &db, const char *key, const std::string &value, Transaction &tx)
{
    SqlStatement set = db.Prepare("INSERT OR REPLACE INTO meta(key, value) VALUES(?1, ?2)");
    set.Bind(1, std::string_view(key));
    set.Bind(2, value);
    tx.Note(set.Run());
}

// The folder's own size and modification time.
FileStamp FolderStamp(const std::string &folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return {};
    return {static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// The folder's stamp as kept in the index: the one that was seen, or,
// when storing (store true), "" where it is too recent to trust.
std::string FolderText(const FileStamp &folder, bool store)
{
    constexpr std::int64_t Margin = 2'000'000'000; // ns
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    if (folder.size < 0 || (store && now - folder.mtime < Margin))
        return "";
    return std::to_string(folder.size) + ":" + std::to_string(folder.mtime);
}

// Zones and load of every ride anew from the heart rates its row keeps.
void Recompute(State &s, Transaction &tx)
{
    SqlStatement rows = s.db.Prepare("SELECT id, set_hr_max, age, seconds, has_hr, rates FROM heart");
    SqlStatement update = s.db.Prepare("UPDATE ride SET hr_max = ?2, hr_rest = ?3, z0 = ?4, z1 = ?5, z2 = ?6, "
                                       "z3 = ?7, z4 = ?8, z5 = ?9, trimp = ?10 WHERE id = ?1");
    int code = SQLITE_ROW;
    while ((code = rows.Step()) == SQLITE_ROW) {
        const HeartInput input{rows.Int(1), rows.Int(2), rows.Int(3), rows.Int(4) != 0, std::string(rows.Blob(5))};
        const RideMetrics m = HeartMetrics(input, s.profile, s.accountGender);
        update.Bind(1, rows.Int64(0));
        update.Bind(2, m.hrMax);
        update.Bind(3, m.hrRest);
        for (int z = 0; z < 6; ++z)
            update.Bind(4 + z, m.zoneSeconds ? std::optional<int>((*m.zoneSeconds)[static_cast<std::size_t>(z)])
                                             : std::nullopt);
        update.Bind(10, m.trimp);
        tx.Note(update.Run());
    }
    tx.Note(code);
}

// Brings the rows up to date with the folder and the profile.
int Sync(State &s, const IndexProgress &progress)
{
    if (s.damaged)
        return SQLITE_CORRUPT;
    const bool reread = MetaValue(s.db, "metrics") != MetricsVersion;
    const std::string fingerprint = ProfileFingerprint(s.profile, s.accountGender);
    const bool recompute = !reread && MetaValue(s.db, "profile") != fingerprint;

    // The notes files are taken by their stamps only when the folder has
    // changed since the last look: the store replaces them (a new entry),
    // so a folder whose time is the same holds the same notes files. The
    // stored time counts only when it was older than the look by a margin
    // (a second change within one tick of the clock gives the same time).
    const FileStamp folderNow = FolderStamp(s.folder);
    const std::string folderKnown = MetaValue(s.db, "folder");
    const bool stampNotes = reread || folderKnown != FolderText(folderNow, false);

    // Listed files against rows: what is new or changed, what is gone.
    std::vector<ListedRecord> listing = ListRecords(s.folder, stampNotes);
    struct Row {
        std::string name;
        FileStamp record, notes;
    };
    std::vector<Row> known;
    int code = SQLITE_DONE;
    if (!reread) {
        SqlStatement rows = s.db.Prepare("SELECT name, size, mtime, notes_size, notes_mtime FROM ride");
        code = SQLITE_ROW;
        while ((code = rows.Step()) == SQLITE_ROW)
            known.push_back({rows.Text(0), {rows.Int64(1), rows.Int64(2)}, {rows.Int64(3), rows.Int64(4)}});
        // In the listing's order, to be walked beside it.
        std::sort(known.begin(), known.end(), [](const Row &a, const Row &b) { return a.name < b.name; });
    }
    if (code != SQLITE_DONE)
        return code;
    std::vector<ListedRecord> work;
    std::vector<char> notesOnly;
    std::vector<std::string> gone;
    std::size_t next = 0;
    for (ListedRecord &listed : listing) {
        for (; next < known.size() && known[next].name < listed.name; ++next)
            gone.push_back(known[next].name);
        const Row *row = next < known.size() && known[next].name == listed.name ? &known[next++] : nullptr;
        const bool fresh = !row || row->record != listed.record;
        if (!stampNotes)
            listed.notes = fresh ? StampOf(s.folder + TKorvanDataBase::NotesFileName(listed.name)) : row->notes;
        const bool notes = !fresh && row->notes != listed.notes;
        if (fresh || notes) {
            work.push_back(std::move(listed));
            notesOnly.push_back(notes ? 1 : 0);
        }
    }
    for (; next < known.size(); ++next)
        gone.push_back(known[next].name);
    const std::string folderSeen = FolderText(folderNow, true);
    if (work.empty() && gone.empty() && !reread && !recompute && folderSeen == folderKnown)
        return SQLITE_OK;

    Transaction tx(s.db);
    if (tx.Code() != SQLITE_OK)
        return tx.Code();
    s.ridesKept = false;
    if (reread) {
        tx.Note(s.db.Exec("DELETE FROM ride; DELETE FROM heart; DELETE FROM note"));
        SetMeta(s.db, "metrics", MetricsVersion, tx);
    }
    if (reread || recompute)
        SetMeta(s.db, "profile", fingerprint, tx);
    SetMeta(s.db, "folder", folderSeen, tx);
    if (recompute)
        Recompute(s, tx);
    RowWriter writer(s.db);
    for (const std::string &name : gone)
        writer.Drop(writer.IdOf(name), tx);
    if (tx.Failed())
        return tx.Commit(); // the failure, before any file is read

    const int total = static_cast<int>(work.size());
    if (progress && total > 0)
        progress(0, total);
    std::vector<IndexedRide> rows(work.size());
    // Rides left unread by a stop get no row: the next look reads them.
    const auto stopped = [&s] { return s.stop != nullptr && s.stop->load(); };
    std::vector<char> read(work.size(), 0);
    ForEachOnBothCores(
        work.size(),
        [&](std::size_t i) {
            if (stopped())
                return;
            rows[i] = ReadIndexedRide(s.folder, work[i], s.profile, s.accountGender, notesOnly[i] != 0);
            read[i] = 1;
        },
        [&](std::size_t i) {
            if (!read[i])
                return;
            if (notesOnly[i])
                writer.WriteNotes(rows[i], tx);
            else
                writer.Write(rows[i], tx);
            rows[i] = IndexedRide();
            if (progress)
                progress(static_cast<int>(i) + 1, total);
        });
    // Notes left unread must be looked for by their stamps next time.
    if (stopped())
        SetMeta(s.db, "folder", std::string(), tx);
    return tx.Commit();
}

// Opens the file (or, where the folder cannot be written or the file not
// used, an index in memory) and brings it up to date.
bool Start(State &s, const IndexProgress &progress)
{
    s.ridesKept = false;
    int code = SQLITE_CANTOPEN;
    if (::access(s.folder.c_str(), W_OK) == 0) {
        s.memory = false;
        code = OpenFile(s);
        if (code == SQLITE_OK)
            code = Sync(s, progress);
        if (IsDamage(code)) {
            // Damage beyond the header, found while reading the rows.
            s.db.Close();
            RemoveIndexFiles(IndexPath(s));
            code = OpenFile(s);
            if (code == SQLITE_OK)
                code = Sync(s, progress);
        }
    }
    if (code != SQLITE_OK) {
        s.db.Close();
        code = OpenMemory(s);
        if (code == SQLITE_OK)
            code = Sync(s, progress);
    }
    if (code != SQLITE_OK) {
        s.error = std::string("the metrics index cannot be built: ") + sqlite3_errstr(code);
        s.db.Close();
        return false;
    }
    s.error.clear();
    return true;
}

// After a failed change: a damaged file is rebuilt, a file that can no
// longer be written is replaced by memory, both from the folder (which
// already holds the change). Anything else is reported.
bool Recover(State &s, int code, const IndexProgress &progress)
{
    if (!IsDamage(code) && !IsUnwritable(code)) {
        s.error = std::string("the metrics index was not updated: ") + sqlite3_errstr(code);
        return false;
    }
    s.db.Close();
    s.damaged = false;
    if (IsDamage(code) && !s.memory)
        RemoveIndexFiles(IndexPath(s));
    return Start(s, progress);
}

// Runs change in one transaction.
template <class Change>
bool Apply(State &s, Change change)
{
    int code = s.damaged ? SQLITE_CORRUPT : SQLITE_OK;
    s.ridesKept = false;
    if (code == SQLITE_OK) {
        Transaction tx(s.db);
        code = tx.Code();
        if (code == SQLITE_OK) {
            RowWriter writer(s.db);
            change(writer, tx);
            code = tx.Commit();
        }
    }
    return code == SQLITE_OK || Recover(s, code, {});
}

} // namespace

MetricsIndex::MetricsIndex() = default;

MetricsIndex::~MetricsIndex() = default;

bool MetricsIndex::Open(const std::string &riderFolder, const Profile &profile, int accountGender,
                        const IndexProgress &progress)
{
    stop_ = false;
    state_ = std::make_unique<State>();
    state_->stop = &stop_;
    state_->folder = riderFolder.empty() || riderFolder.back() == '/' ? riderFolder : riderFolder + "/";
    state_->profile = profile;
    state_->accountGender = accountGender;
    return Start(*state_, progress);
}

void MetricsIndex::Close()
{
    state_.reset();
}

bool MetricsIndex::IsOpen() const
{
    return state_ && state_->db.IsOpen();
}

bool MetricsIndex::InMemory() const
{
    return IsOpen() && state_->memory;
}

std::string MetricsIndex::Error() const
{
    return state_ ? state_->error : "the metrics index is not open";
}

bool MetricsIndex::Refresh(const IndexProgress &progress)
{
    if (!IsOpen())
        return false;
    stop_ = false;
    const int code = Sync(*state_, progress);
    return code == SQLITE_OK || Recover(*state_, code, progress);
}

bool MetricsIndex::SetProfile(const Profile &profile, int accountGender)
{
    if (!IsOpen())
        return false;
    state_->profile = profile;
    state_->accountGender = accountGender;
    return Refresh();
}

bool MetricsIndex::RideFiled(const std::string &name)
{
    if (!IsOpen() || !IsRecordName(name))
        return false;
    const ListedRecord listed = ListedOne(state_->folder, name);
    if (listed.record.size < 0)
        return RideDeleted(name);
    const IndexedRide row = ReadIndexedRide(state_->folder, listed, state_->profile, state_->accountGender, false);
    return Apply(*state_, [&](RowWriter &writer, Transaction &tx) { writer.Write(row, tx); });
}

bool MetricsIndex::RideDeleted(const std::string &name)
{
    if (!IsOpen())
        return false;
    return Apply(*state_, [&](RowWriter &writer, Transaction &tx) {
        if (const std::int64_t id = writer.IdOf(name))
            writer.Drop(id, tx);
    });
}

bool MetricsIndex::NotesSaved(const std::string &name)
{
    if (!IsOpen() || !IsRecordName(name))
        return false;
    const ListedRecord listed = ListedOne(state_->folder, name);
    const IndexedRide row = ReadIndexedRide(state_->folder, listed, state_->profile, state_->accountGender, true);
    return Apply(*state_, [&](RowWriter &writer, Transaction &tx) { writer.WriteNotes(row, tx); });
}
