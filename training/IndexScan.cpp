// Reading a rider folder for the metrics index.
#include "training/IndexScan.h"

#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <algorithm>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unordered_set>

namespace {

FileStamp StampAt(int dirFd, const char *name)
{
    struct stat st {};
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

} // namespace

FileStamp StampOf(const std::string &path)
{
    return StampAt(AT_FDCWD, path.c_str());
}

std::vector<ListedRecord> ListRecords(const std::string &folder, bool stampNotes)
{
    std::vector<ListedRecord> records;
    const std::vector<std::string> names = ListShownEntries(folder, EntryKind::PlainFile);
    std::unordered_set<std::string_view> present;
    if (stampNotes)
        present.insert(names.begin(), names.end());
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return records;
    for (const std::string &name : names)
        if (EndsWithNoCase(name, ".TR9"))
            records.push_back({name, {}, {}});
    for (ListedRecord &entry : records) {
        entry.record = StampAt(dirFd, entry.name.c_str());
        if (!stampNotes)
            continue;
        const std::string notes = TKorvanDataBase::NotesFileName(entry.name);
        if (present.count(notes))
            entry.notes = StampAt(dirFd, notes.c_str());
    }
    ::close(dirFd);
    // A name replaced by something else since the listing is no record file.
    std::erase_if(records, [](const ListedRecord &entry) { return entry.record.size < 0; });
    return records;
}

ListedRecord ListedOne(const std::string &folder, const std::string &name)
{
    return {name, StampOf(folder + name), StampOf(folder + TKorvanDataBase::NotesFileName(name))};
}

std::string FoldedForSearch(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded().toStdString();
}

SearchNotes ReadSearchNotes(const std::string &path)
{
    SearchNotes notes;
    QStringList lines;
    if (!ReadWideLines(path, lines, filelimit::Notes))
        return notes;
    if (lines.size() >= 2) {
        notes.topic = FoldedForSearch(lines.takeFirst());
        notes.weather = FoldedForSearch(lines.takeFirst());
    }
    notes.memo = FoldedForSearch(lines.join(QChar('\n')));
    return notes;
}

std::vector<std::string> SearchWords(const std::string &words)
{
    std::vector<std::string> folded;
    for (const QString &word : QString::fromStdString(words).simplified().split(QChar(' '), Qt::SkipEmptyParts))
        folded.push_back(FoldedForSearch(word));
    return folded;
}

std::string EncodeHeartRates(const std::vector<RideSample> &samples)
{
    // One byte per sample where every reading fits, else two or four
    // (little-endian), after a byte giving that width.
    int highest = 0;
    for (const RideSample &sample : samples)
        highest = std::max(highest, sample.heartRate);
    const int width = highest <= 0xFF ? 1 : highest <= 0xFFFF ? 2 : 4;
    std::string bytes(1 + samples.size() * static_cast<std::size_t>(width), '\0');
    bytes[0] = static_cast<char>(width);
    char *out = bytes.data() + 1;
    for (const RideSample &sample : samples)
        for (int b = 0; b < width; ++b)
            *out++ = static_cast<char>((static_cast<unsigned>(sample.heartRate) >> (8 * b)) & 0xFF);
    return bytes;
}

RideMetrics HeartMetrics(const HeartInput &input, const Profile &profile, int accountGender)
{
    // The ride as far as these metrics read it: settings, belt, exercise
    // time and the heart rate of every sample.
    Ride ride;
    ride.settings.hrMax = input.settingsHrMax;
    ride.settings.age = input.age;
    ride.totals.seconds = input.seconds;
    ride.hasHeartRate = input.hasHeartRate;
    const std::string &bytes = input.heartRates;
    const std::size_t width = bytes.empty() ? 1 : static_cast<unsigned char>(bytes[0]);
    if (width == 1 || width == 2 || width == 4) {
        ride.samples.resize((bytes.size() - std::min<std::size_t>(1, bytes.size())) / width);
        for (std::size_t i = 0; i < ride.samples.size(); ++i) {
            unsigned value = 0;
            for (std::size_t b = 0; b < width; ++b)
                value |= static_cast<unsigned>(static_cast<unsigned char>(bytes[1 + i * width + b])) << (8 * b);
            ride.samples[i].heartRate = static_cast<int>(value);
        }
    }
    return ComputeRideMetrics(ride, profile, accountGender);
}

IndexedRide ReadIndexedRide(const std::string &folder, const ListedRecord &file, const Profile &profile,
                            int accountGender, bool notesOnly)
{
    IndexedRide row;
    row.file = file;
    if (file.notes.size >= 0)
        row.notes = ReadSearchNotes(folder + TKorvanDataBase::NotesFileName(file.name));
    if (notesOnly)
        return row;
    Ride ride;
    if (!ReadRide(folder + file.name, ride, row.error)) {
        if (row.error.empty())
            row.error = "cannot be read";
        return row;
    }
    row.summary = SummarizeRide(ride, ComputeRideMetrics(ride, profile, accountGender));
    row.heart = {ride.settings.hrMax, ride.settings.age, ride.totals.seconds, ride.hasHeartRate,
                 EncodeHeartRates(ride.samples)};
    return row;
}

void ForEachOnBothCores(std::size_t count, const std::function<void(std::size_t)> &work,
                        const std::function<void(std::size_t)> &done)
{
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
    if (count < 4 || cores < 2) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i);
            done(i);
        }
        return;
    }
    std::mutex mutex;
    std::condition_variable ready;
    std::vector<char> finished(count, 0);
    std::size_t next = 0;
    auto worker = [&] {
        for (;;) {
            std::size_t i = 0;
            {
                std::lock_guard lock(mutex);
                if (next == count)
                    return;
                i = next++;
            }
            work(i);
            {
                std::lock_guard lock(mutex);
                finished[i] = 1;
            }
            ready.notify_one();
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < cores; ++t)
        threads.emplace_back(worker);
    for (std::size_t i = 0; i < count; ++i) {
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return finished[i] != 0; });
        }
        done(i);
    }
    for (std::thread &thread : threads)
        thread.join();
}
