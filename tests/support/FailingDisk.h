#pragma once
// Makes one step of the file writer (store/AtomicFile.h) fail the way a full
// or failing disk does, for as long as the object lives.
#include <cerrno>
#include <string>

enum class DiskStep {
    Open,       // the temporary file cannot be created
    Write,      // the disk fills up: one byte goes through, then ENOSPC
    FileSync,   // fsync of the written file
    Close,      // close reports a delayed write error
    Rename,     // the temporary file cannot take the target's name
    FolderSync, // fsync of the folder after the rename
};
inline constexpr DiskStep AllDiskSteps[] = {DiskStep::Open,  DiskStep::Write,  DiskStep::FileSync,
                                            DiskStep::Close, DiskStep::Rename, DiskStep::FolderSync};
const char *DiskStepName(DiskStep step);

class FailingDisk {
public:
    // With a folder given, only the files written into it fail.
    explicit FailingDisk(DiskStep step, int error = ENOSPC, const std::string &folder = {});
    ~FailingDisk();
    FailingDisk(const FailingDisk &) = delete;
    FailingDisk &operator=(const FailingDisk &) = delete;
    // How often the failing step was reached.
    int Failures() const;
};
