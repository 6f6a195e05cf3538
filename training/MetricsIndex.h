#pragma once
// The metrics index of one rider: "Training.db" in the rider's folder, a
// SQLite cache of every record file's summary and metrics and of its notes
// for search. Opening brings it up to date with the folder, reading only
// the record files that are new or changed (name, size, modification
// time); the download, an import, a deletion and a saved note each update
// their one row through a call of their own. Every change is one
// transaction, so a program killed at any moment leaves the state before
// or after it. A damaged, foreign or newer file is rebuilt; a folder that
// cannot be written is indexed in memory.
//
// A changed profile (or account gender) recomputes the zones and the load
// of every ride from the heart rates the rows keep, without reading the
// files again; the profile's fingerprint is stored with the rows.
//
// Used from one thread at a time; the first build reads and computes on
// both cores and writes on the calling thread.
#include "training/Periods.h"
#include "training/Profile.h"
#include "training/RideMetrics.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Progress of a build: done of total record files read. Called on the
// thread that opens or refreshes the index.
using IndexProgress = std::function<void(int done, int total)>;

// A record file the index could not read, and why.
struct IndexFailure {
    std::string name;
    std::string reason;
};

class MetricsIndex {
public:
    static constexpr const char *FileName = "Training.db";

    MetricsIndex();
    ~MetricsIndex();
    MetricsIndex(const MetricsIndex &) = delete;
    MetricsIndex &operator=(const MetricsIndex &) = delete;

    // Opens the index of riderFolder and brings it up to date with the
    // folder and the profile. False (with Error()) only when not even an
    // index in memory could be built.
    bool Open(const std::string &riderFolder, const Profile &profile, int accountGender,
              const IndexProgress &progress = {});
    void Close();
    bool IsOpen() const;
    // True when the index lives in memory (the folder cannot be written).
    bool InMemory() const;
    std::string Error() const;
    // From any thread: a running build stops after the rides it has read,
    // keeping them (the next open or refresh reads the rest); the call
    // then returns. Until Open or Refresh is called again.
    void RequestStop() { stop_ = true; }

    // Reads the folder again: files added, changed or removed outside.
    bool Refresh(const IndexProgress &progress = {});
    // A new or replaced record file of that name (download, import).
    bool RideFiled(const std::string &name);
    // The record file of that name was deleted.
    bool RideDeleted(const std::string &name);
    // The notes of that record were saved.
    bool NotesSaved(const std::string &name);
    // A changed profile or account gender: zones and load recomputed.
    bool SetProfile(const Profile &profile, int accountGender);

    // Summaries of the rides that start within the period, oldest first.
    std::vector<RideSummary> Rides(Period period) const;
    // Every ride, oldest first: what the fitness series and bests take.
    std::vector<RideSummary> AllRides() const;
    // The names of the rides whose notes hold every word (any letter case,
    // any language; a word is found inside longer text), newest first.
    // No words find nothing.
    std::vector<std::string> Search(const std::string &words) const;
    // The record files that could not be read.
    std::vector<IndexFailure> Failures() const;

    struct State; // training/IndexState.h

private:
    std::unique_ptr<State> state_;
    std::atomic<bool> stop_{false};
};
