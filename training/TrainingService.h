#pragma once
// The metrics index of the logged-in rider as a component the program
// owns: the first build (or the up-to-date check) runs on a worker thread
// and hands its result to the owner's thread, so start-up and login never
// wait for it; the download, a deletion and a saved note update it with one
// call each (held back while a build runs, applied when it ends). What the
// views draw is a snapshot of every ride's summary, oldest first.
#include "training/MetricsIndex.h"

#include <QObject>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class TrainingService : public QObject {
    Q_OBJECT
public:
    explicit TrainingService(QObject *parent = nullptr);
    ~TrainingService() override;

    // Opens the index of riderFolder (with its trailing '/' or without) on a
    // worker thread; a rider opened before is closed first.
    void Open(const std::string &riderFolder);
    // Stops a running build (what it read is kept) and closes the index.
    void Close();
    // True once the index is open and the snapshot filled.
    bool Ready() const { return ready_; }

    const std::vector<RideSummary> &Rides() const { return rides_; }
    std::vector<std::string> Search(const std::string &words) const;
    const std::string &Folder() const { return folder_; }
    const Profile &CurrentProfile() const { return profile_; }
    int AccountGender() const { return gender_; }
    std::string ProfilePath() const;

    // Reads the folder again (files changed outside the program): only
    // what is new or changed, never a new build; during the first build,
    // once it has ended.
    void Refresh();
    void RideFiled(const std::string &name);
    void RideDeleted(const std::string &name);
    void NotesSaved(const std::string &name);
    // The profile was saved: zones and load follow.
    void SetProfile(const Profile &profile);

signals:
    // A build reads its files: done of total.
    void Progress(int done, int total);
    // The snapshot changed (the build ended, or an update).
    void Changed();

private:
    enum class Update { Filed, Deleted, Notes };
    void Apply(Update update, const std::string &name);
    // Applies the update now, or keeps it for the end of a running first
    // build; true when it was applied (the snapshot is then out of date).
    bool ApplyOrKeep(Update update, const std::string &name);
    void BuildEnded(unsigned generation);
    void Reload();

    std::unique_ptr<MetricsIndex> index_;
    std::thread worker_;
    unsigned generation_ = 0;
    bool ready_ = false;
    bool profileChanged_ = false;
    bool refreshPending_ = false;
    std::string folder_;
    Profile profile_;
    int gender_ = 0;
    std::vector<RideSummary> rides_;
    std::vector<std::pair<Update, std::string>> pending_;
};
