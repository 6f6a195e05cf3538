#include "tests/support/FailingDisk.h"

#include "store/AtomicFile.h"

#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

DiskStep Step = DiskStep::Open;
int Error = ENOSPC;
int Count = 0;
bool WroteOne = false;
std::string Folder;
std::set<int> Tracked; // files and folders opened below Folder

bool Below(const char *path) { return std::string(path).rfind(Folder, 0) == 0; }
bool Chosen(int fd) { return Folder.empty() || Tracked.count(fd) != 0; }

int Fail()
{
    ++Count;
    errno = Error;
    return -1;
}

bool IsFolder(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

int FailingOpen(const char *path, int flags, mode_t mode)
{
    if (!Below(path))
        return ::open(path, flags, mode);
    if (Step == DiskStep::Open && (flags & O_CREAT))
        return Fail();
    const int fd = ::open(path, flags, mode);
    if (fd >= 0)
        Tracked.insert(fd);
    return fd;
}

ssize_t FailingWrite(int fd, const void *data, std::size_t size)
{
    if (Step != DiskStep::Write || size == 0 || !Chosen(fd))
        return ::write(fd, data, size);
    if (!WroteOne) {
        WroteOne = true;
        return ::write(fd, data, 1);
    }
    return Fail();
}

int FailingFsync(int fd)
{
    if (Chosen(fd) &&
        ((Step == DiskStep::FileSync && !IsFolder(fd)) || (Step == DiskStep::FolderSync && IsFolder(fd))))
        return Fail();
    return ::fsync(fd);
}

int FailingClose(int fd)
{
    const bool chosen = Chosen(fd);
    Tracked.erase(fd);
    const int closed = ::close(fd);
    return Step == DiskStep::Close && chosen ? Fail() : closed;
}

int FailingRename(const char *from, const char *to)
{
    return Step == DiskStep::Rename && Below(to) ? Fail() : ::rename(from, to);
}

} // namespace

const char *DiskStepName(DiskStep step)
{
    switch (step) {
    case DiskStep::Open: return "open";
    case DiskStep::Write: return "write";
    case DiskStep::FileSync: return "fsync of the file";
    case DiskStep::Close: return "close";
    case DiskStep::Rename: return "rename";
    case DiskStep::FolderSync: return "fsync of the folder";
    }
    return "?";
}

FailingDisk::FailingDisk(DiskStep step, int error, const std::string &folder)
{
    Step = step;
    Folder = folder;
    while (Folder.size() > 1 && Folder.back() == '/')
        Folder.pop_back(); // the folder itself is opened for its fsync
    Tracked.clear();
    Error = error;
    Count = 0;
    WroteOne = false;
    CurrentFileCalls() = FileCalls{FailingOpen, FailingWrite, FailingFsync, FailingClose, FailingRename};
}

FailingDisk::~FailingDisk() { RestoreFileCalls(); }

int FailingDisk::Failures() const { return Count; }
