#pragma once
// What the metrics index reads from a rider folder: the record files with
// their sizes and modification times, one ride's row (summary, the heart
// rates its zones and load are recomputed from, the notes folded for
// search), and the reading of many rides on both cores.
#include "training/RideMetrics.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A file's size and modification time (nanoseconds); size -1: no such
// regular file.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t mtime = 0;
    bool operator==(const FileStamp &) const = default;
};
FileStamp StampOf(const std::string &path);

struct ListedRecord {
    std::string name; // the record file's name
    FileStamp record, notes;
};
// The record files of folder (ends with "/") as the store lists them
// (plain files, *.TR9 in any letter case, no hidden or unshowable names),
// each with its notes file's stamp (left out with stampNotes false).
std::vector<ListedRecord> ListRecords(const std::string &folder, bool stampNotes);
// The listed entry of one record file; record.size -1 when it is gone.
ListedRecord ListedOne(const std::string &folder, const std::string &name);

// A record's notes as searched: topic, weather choice and memo lines,
// each folded (compatibility form, case folded) and in UTF-8.
struct SearchNotes {
    std::string topic, weather, memo;
    bool Empty() const { return topic.empty() && weather.empty() && memo.empty(); }
};
// Text folded the same way for the notes and the words searched for.
std::string FoldedForSearch(const QString &text);
// The notes file at path read as the store reads it (fewer than two lines:
// no topic nor weather, the lines are the memo); empty when there is none.
SearchNotes ReadSearchNotes(const std::string &path);
// The words of a search text (split at white space), folded.
std::vector<std::string> SearchWords(const std::string &words);

// The inputs of the profile-dependent metrics (HRmax, HRrest, zones, load)
// a ride's row keeps, so a changed profile recomputes them without the file.
struct HeartInput {
    int settingsHrMax = 0, age = 0, seconds = 0;
    bool hasHeartRate = false;
    std::string heartRates; // EncodeHeartRates
};
std::string EncodeHeartRates(const std::vector<RideSample> &samples);
// The metrics of the ride whose input this is; only the profile-dependent
// ones (hrMax, hrRest, zoneSeconds, trimp) are meaningful.
RideMetrics HeartMetrics(const HeartInput &input, const Profile &profile, int accountGender);

// One row of the index, read from the folder.
struct IndexedRide {
    ListedRecord file;
    std::string error; // not empty: the record could not be read
    RideSummary summary;
    HeartInput heart;
    SearchNotes notes;
};
// Reads the record file and its notes file; notesOnly reads the notes alone.
IndexedRide ReadIndexedRide(const std::string &folder, const ListedRecord &file, const Profile &profile,
                            int accountGender, bool notesOnly);

// Calls work(i) for i in 0..count-1 on up to two threads and, on the
// calling thread, done(i) for each in order as soon as its work has ended.
void ForEachOnBothCores(std::size_t count, const std::function<void(std::size_t)> &work,
                        const std::function<void(std::size_t)> &done);
