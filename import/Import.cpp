#include "import/Import.h"

#include "import/Readers.h"
#include "import/Resample.h"
#include "import/XmlTracks.h"
#include "ride/RideRecordFile.h"
#include "store/AtomicFile.h"
#include "store/NarrowFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Join(const std::string &folder, const std::string &name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Seconds of a local start counted as if every day had 86,400 of them:
// starts compare within a minute across any date.
std::int64_t StartKey(int year, int month, int day, int hour, int minute, int second)
{
    return xmltrack::DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

// The start of a record name "YYMMDDhhmmss.TR9", or -1.
std::int64_t StartOfName(const std::string &name)
{
    if (name.size() != 16 || Upper(name.substr(12)) != ".TR9")
        return -1;
    int v[6];
    for (int i = 0; i < 6; ++i) {
        const char a = name[2 * i], b = name[2 * i + 1];
        if (!std::isdigit(static_cast<unsigned char>(a)) || !std::isdigit(static_cast<unsigned char>(b)))
            return -1;
        v[i] = (a - '0') * 10 + (b - '0');
    }
    return StartKey(2000 + v[0], v[1], v[2], v[3], v[4], v[5]);
}

// The rider's records and those this import is writing: what a ride is
// compared with. Used under the import's lock.
class RiderRecords {
public:
    explicit RiderRecords(const std::string &folder) : folder_(folder)
    {
        for (const std::string &name : ListEntries(folder, EntryKind::Any)) {
            names_.insert(Upper(name));
            const std::int64_t start = StartOfName(name);
            if (start >= 0)
                starts_.emplace(start, Entry{name, -1});
        }
    }

    // The record the ride is already, or empty.
    std::string duplicate(const Ride &ride)
    {
        const std::string name = RideRecordName(ride);
        if (names_.count(Upper(name)))
            return name;
        const std::int64_t start = StartKey(ride.year, ride.month, ride.day, ride.hour, ride.minute, ride.second);
        for (auto it = starts_.lower_bound(start - 60); it != starts_.end() && it->first <= start + 60; ++it) {
            const int other = distance(it->second);
            const int d = ride.totals.distance;
            if (other >= 0 && std::abs(other - d) * 50 <= std::max(other, d))
                return it->second.name;
        }
        return {};
    }

    void add(const Ride &ride, const std::string &name)
    {
        names_.insert(Upper(name));
        starts_.emplace(StartKey(ride.year, ride.month, ride.day, ride.hour, ride.minute, ride.second),
                        Entry{name, ride.totals.distance});
    }

    void remove(const std::string &name)
    {
        names_.erase(Upper(name));
        for (auto it = starts_.begin(); it != starts_.end(); ++it)
            if (it->second.name == name) {
                starts_.erase(it);
                break;
            }
    }

private:
    struct Entry {
        std::string name;
        int distance; // tenths of a kilometre; -1 until read, -2 when unreadable
    };

    int distance(Entry &entry) const
    {
        if (entry.distance == -1) {
            Ride ride;
            std::string error;
            entry.distance = ReadRide(Join(folder_, entry.name), ride, error) ? ride.totals.distance : -2;
        }
        return entry.distance;
    }

    std::string folder_;
    std::set<std::string> names_;            // upper case
    std::multimap<std::int64_t, Entry> starts_; // by local start
};

// The names taken in Imported/: a copy gets a number where its name is.
class KeptNames {
public:
    explicit KeptNames(const std::string &folder)
    {
        for (const std::string &name : ListEntries(folder, EntryKind::Any))
            names_.insert(name);
    }

    // name, else "stem (2).ext", "stem (3).ext", ...: the extension is the
    // importable one (".fit.gz" stays whole).
    std::string take(const std::string &name)
    {
        std::string chosen = name;
        std::size_t dot = name.find('.');
        while (dot != std::string::npos && !IsImportName("x" + name.substr(dot)))
            dot = name.find('.', dot + 1);
        if (dot == std::string::npos || dot == 0)
            dot = name.size();
        for (int n = 2; names_.count(chosen); ++n)
            chosen = name.substr(0, dot) + " (" + std::to_string(n) + ")" + name.substr(dot);
        names_.insert(chosen);
        return chosen;
    }

    void release(const std::string &name) { names_.erase(name); }

private:
    std::set<std::string> names_;
};

class Importer {
public:
    Importer(const std::string &riderFolder, const ImportOptions &options, std::size_t total)
        : folder_(riderFolder), keptFolder_(Join(riderFolder, "Imported")), options_(options), total_(total),
          records_(riderFolder), kept_(keptFolder_)
    {
    }

    ImportResult run(const std::string &path)
    {
        ImportResult result;
        result.file = path;
        std::vector<Ride> rides;
        std::string bytes;
        if (read(path, bytes, rides, result.reason))
            file(path, bytes, rides, result);
        return result;
    }

    void report(std::size_t index, const ImportResult &result)
    {
        std::lock_guard lock(progressMutex_);
        ++done_;
        if (options_.progress)
            options_.progress(done_, total_, index, result);
    }

private:
    bool read(const std::string &path, std::string &bytes, std::vector<Ride> &rides, std::string &error)
    {
        const ReadStatus status = ReadFile(path, bytes, importlimit::FileBytes);
        if (status != ReadStatus::Ok) {
            error = path + " " + ReadStatusText(status, importlimit::FileBytes);
            return false;
        }
        TrackFile tracks = ReadTrackFile(bytes);
        if (!tracks.error.empty()) {
            error = tracks.error;
            return false;
        }
        // A zone of this thread's own: the rules' caches are not shared.
        const QTimeZone zone = options_.zone.id().isEmpty() ? options_.zone : QTimeZone(options_.zone.id());
        for (Track &track : tracks.tracks) {
            Ride ride;
            if (!RideOfTrack(std::move(track), zone, ride, error))
                return false;
            ride.name = RideRecordName(ride);
            rides.push_back(std::move(ride));
        }
        return true;
    }

    // Files the rides: the new ones are reserved under the lock, written
    // outside it; the original is kept first, so a failure leaves nothing.
    void file(const std::string &path, const std::string &bytes, std::vector<Ride> &rides, ImportResult &result)
    {
        std::vector<const Ride *> fresh;
        std::string keptName;
        {
            std::lock_guard lock(recordsMutex_);
            std::set<std::string> names; // two rides of one file in the same second
            for (const Ride &ride : rides) {
                const std::string existing = records_.duplicate(ride);
                if (!existing.empty() || !names.insert(ride.name).second) {
                    result.records.push_back(existing.empty() ? ride.name : existing);
                    continue;
                }
                fresh.push_back(&ride);
            }
            if (fresh.empty()) {
                result.status = ImportStatus::AlreadyThere;
                return;
            }
            result.records.clear();
            for (const Ride *ride : fresh)
                records_.add(*ride, ride->name);
            const std::size_t slash = path.find_last_of('/');
            keptName = kept_.take(slash == std::string::npos ? path : path.substr(slash + 1));
        }
        std::vector<std::string> written;
        const std::string keptPath = Join(keptFolder_, keptName);
        bool ok = keep(keptPath, bytes, result.reason);
        for (const Ride *ride : fresh) {
            if (!ok)
                break;
            const std::string record = Join(folder_, ride->name);
            ok = WriteRideRecord(*ride, record, result.reason);
            if (ok)
                written.push_back(record);
        }
        if (ok) {
            result.status = ImportStatus::Imported;
            for (const Ride *ride : fresh)
                result.records.push_back(ride->name);
            result.kept = keptName;
            return;
        }
        for (const std::string &record : written)
            ::unlink(record.c_str());
        ::unlink(keptPath.c_str());
        std::lock_guard lock(recordsMutex_);
        for (const Ride *ride : fresh)
            records_.remove(ride->name);
        kept_.release(keptName);
    }

    bool keep(const std::string &keptPath, const std::string &bytes, std::string &error)
    {
        if (::mkdir(keptFolder_.c_str(), 0777) != 0 && errno != EEXIST) { // as the rider folders: the umask decides
            error = "cannot create " + keptFolder_ + ": " + std::strerror(errno);
            return false;
        }
        // Replaced atomically but not synced: the original is still where it
        // came from, and two more syncs would double the time of an import.
        AtomicFile copy(keptPath, Durability::Unsynced);
        if (!copy.Write(bytes) || copy.Commit() == Saved::No) {
            error = "cannot write " + keptPath + ": " + std::strerror(errno);
            return false;
        }
        return true;
    }

    std::string folder_, keptFolder_;
    const ImportOptions &options_;
    std::size_t total_, done_ = 0;
    std::mutex recordsMutex_, progressMutex_;
    RiderRecords records_;
    KeptNames kept_;
};

} // namespace

bool IsImportName(const std::string &name)
{
    for (const char *ext : {".fit", ".tcx", ".gpx", ".fit.gz", ".tcx.gz", ".gpx.gz"})
        if (name.size() > std::strlen(ext) && EndsWithNoCase(name, ext))
            return true;
    return false;
}

std::vector<std::string> ImportFilesOf(const std::string &argument)
{
    struct stat st{};
    if (::stat(argument.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {argument};
    std::vector<std::string> files;
    const auto walk = [&files](const auto &self, const std::string &folder, int depth) -> void {
        for (const std::string &name : ListEntries(folder, EntryKind::PlainFile))
            if (IsImportName(name))
                files.push_back(Join(folder, name));
        if (depth < 32)
            for (const std::string &name : ListEntries(folder, EntryKind::PlainFolder))
                self(self, Join(folder, name), depth + 1);
    };
    walk(walk, argument, 0);
    return files;
}

std::vector<ImportResult> ImportRides(const std::vector<std::string> &files, const std::string &riderFolder,
                                      const ImportOptions &options)
{
    std::vector<ImportResult> results(files.size());
    Importer importer(riderFolder, options, files.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < files.size();) {
            if (options.cancel && options.cancel->load()) {
                results[i].file = files[i];
                results[i].status = ImportStatus::Cancelled;
            } else {
                results[i] = importer.run(files[i]);
            }
            importer.report(i, results[i]);
        }
    };
    unsigned threads = options.threads;
    if (threads == 0)
        threads = std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, files.size()));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread &t : pool)
        t.join();
    return results;
}
