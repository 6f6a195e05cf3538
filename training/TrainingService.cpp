#include "training/TrainingService.h"

#include <QMetaObject>
#include <QPointer>

TrainingService::TrainingService(QObject *parent) : QObject(parent) {}

TrainingService::~TrainingService() { Close(); }

void TrainingService::Open(const std::string &riderFolder)
{
    Close();
    folder_ = riderFolder;
    while (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
    profile_ = ReadProfile(ProfilePath());
    gender_ = ReadAccountGender(folder_);
    index_ = std::make_unique<MetricsIndex>();
    const unsigned generation = ++generation_;
    QPointer<TrainingService> self(this);
    MetricsIndex *index = index_.get();
    const std::string folder = folder_;
    const Profile profile = profile_;
    const int gender = gender_;
    // The worker touches the index alone until it hands over; its reports
    // reach this object's thread through queued calls.
    worker_ = std::thread([self, index, folder, profile, gender, generation] {
        int shown = -1;
        index->Open(folder, profile, gender, [&](int done, int total) {
            const int percent = total > 0 ? done * 100 / total : 100;
            if (percent == shown)
                return;
            shown = percent;
            QMetaObject::invokeMethod(self, [self, generation, done, total] {
                if (self && self->generation_ == generation)
                    emit self->Progress(done, total);
            }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(self, [self, generation] {
            if (self)
                self->BuildEnded(generation);
        }, Qt::QueuedConnection);
    });
}

void TrainingService::Close()
{
    ++generation_;
    // A logout during a first build does not wait for the rest of it.
    if (index_)
        index_->RequestStop();
    if (worker_.joinable())
        worker_.join();
    index_.reset();
    ready_ = false;
    profileChanged_ = false;
    refreshPending_ = false;
    rides_.clear();
    pending_.clear();
}

void TrainingService::BuildEnded(unsigned generation)
{
    if (generation != generation_)
        return;
    if (worker_.joinable())
        worker_.join();
    ready_ = true;
    if (profileChanged_)
        index_->SetProfile(profile_, gender_);
    profileChanged_ = false;
    for (const auto &[update, name] : pending_)
        Apply(update, name);
    pending_.clear();
    if (refreshPending_)
        index_->Refresh();
    refreshPending_ = false;
    Reload();
}

void TrainingService::Reload()
{
    rides_ = index_ ? index_->AllRides() : std::vector<RideSummary>();
    emit Changed();
}

std::string TrainingService::ProfilePath() const { return folder_ + "/Profile.ini"; }

std::vector<std::string> TrainingService::Search(const std::string &words) const
{
    return ready_ && index_ ? index_->Search(words) : std::vector<std::string>();
}

void TrainingService::Apply(Update update, const std::string &name)
{
    switch (update) {
    case Update::Filed:
        index_->RideFiled(name);
        break;
    case Update::Deleted:
        index_->RideDeleted(name);
        break;
    case Update::Notes:
        index_->NotesSaved(name);
        break;
    }
}

void TrainingService::Refresh()
{
    if (!index_)
        return;
    if (!ready_) { // files filed while the first build runs are read when it ends
        refreshPending_ = true;
        return;
    }
    index_->Refresh();
    Reload();
}

bool TrainingService::ApplyOrKeep(Update update, const std::string &name)
{
    if (!index_)
        return false;
    if (!ready_) {
        pending_.emplace_back(update, name);
        return false;
    }
    Apply(update, name);
    return true;
}

void TrainingService::RideFiled(const std::string &name)
{
    if (ApplyOrKeep(Update::Filed, name))
        Reload();
}

void TrainingService::RideDeleted(const std::string &name)
{
    if (ApplyOrKeep(Update::Deleted, name))
        Reload();
}

void TrainingService::NotesSaved(const std::string &name)
{
    // Notes change no figure: the snapshot stands, the search sees them.
    ApplyOrKeep(Update::Notes, name);
}

void TrainingService::SetProfile(const Profile &profile)
{
    profile_ = profile;
    if (!index_)
        return;
    if (!ready_) {
        profileChanged_ = true; // the build runs with the profile before
        return;
    }
    index_->SetProfile(profile_, gender_);
    Reload();
}
