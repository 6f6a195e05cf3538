#include "store/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// Lines are gathered up to this size; longer pieces are written as they are.
constexpr std::size_t BufferSize = 16384;

int SystemOpen(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }

// A plain rename, never an exchange: over an existing file, ext4 writes the
// new content out before the rename is committed, so even an unsynced work
// file never turns into an empty one after a power cut.
int SystemRename(const char *from, const char *to) { return ::rename(from, to); }

const FileCalls SystemCalls{SystemOpen, ::write, ::fsync, ::close, SystemRename};
FileCalls Calls = SystemCalls;

std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden name beside the target, never listed by the program's folder
// listings; unique within the process and, through the time, across
// processes. Of a long name only the start is kept, so the temporary name
// stays within the 255 bytes a name may have wherever the target's fits.
std::string TemporaryName(const std::string &path)
{
    constexpr std::size_t KeptNameBytes = 200;
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%d-%u-%ld.tmp", static_cast<int>(::getpid()), counter++,
                  static_cast<long>(now.tv_nsec));
    return path.substr(0, start) + "." + path.substr(start, KeptNameBytes) + suffix;
}

// The part between the last two dots of a temporary name: three numbers
// joined by "-".
bool IsTemporarySuffix(std::string_view digits)
{
    int numbers = 1;
    bool digitBefore = false;
    for (const char c : digits) {
        if (c == '-' && digitBefore) {
            ++numbers;
            digitBefore = false;
        } else if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else {
            return false;
        }
    }
    return numbers == 3 && digitBefore;
}

// Whether the process that named a temporary file has ended.
bool WriterEnded(std::string_view name)
{
    name.remove_suffix(4); // ".tmp"
    const std::size_t dot = name.rfind('.');
    long pid = 0;
    for (std::size_t i = dot + 1; i < name.size() && name[i] != '-' && pid <= 1L << 31; ++i)
        pid = pid * 10 + (name[i] - '0');
    return pid <= 0 || pid > 1L << 30 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}

bool SyncFolder(const std::string &folder)
{
    const int fd = Calls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool synced = Calls.fsync(fd) == 0;
    return Calls.close(fd) == 0 && synced;
}

} // namespace

bool IsTemporaryFileName(std::string_view name)
{
    constexpr std::string_view Ending = ".tmp";
    if (name.size() < 2 + Ending.size() || name.front() != '.' || !name.ends_with(Ending))
        return false;
    name.remove_suffix(Ending.size());
    const std::size_t dot = name.rfind('.');
    return dot != 0 && IsTemporarySuffix(name.substr(dot + 1));
}

bool RemoveTemporaryFiles(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    bool ok = true;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent *entry = ::readdir(dir)) {
        struct stat st {};
        const std::string path = prefix + entry->d_name;
        if (IsTemporaryFileName(entry->d_name) && WriterEnded(entry->d_name) && ::lstat(path.c_str(), &st) == 0 &&
            S_ISREG(st.st_mode))
            ok = ::unlink(path.c_str()) == 0 && ok;
    }
    ::closedir(dir);
    return ok;
}

FileCalls &CurrentFileCalls() { return Calls; }

void RestoreFileCalls() { Calls = SystemCalls; }

AtomicFile::AtomicFile(const std::string &path, Durability durability)
    : path_(path), durability_(durability), buffer_(new char[BufferSize])
{
    if (path.empty() || path.back() == '/' || path.find('\0') != std::string::npos) {
        failed_ = true;
        return;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = TemporaryName(path);
        // Exclusive: whatever already carries the name is never opened.
        fd_ = Calls.open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        temp_.clear();
        failed_ = true;
        return;
    }
    // A file that is replaced keeps who may read it: a rider's notes kept
    // private stay private. (Only a regular file itself, never what a link
    // points to.)
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd_, old.st_mode & 0777);
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard()
{
    if (fd_ >= 0)
        Calls.close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
}

bool AtomicFile::WriteOut(const char *at, std::size_t left)
{
    while (!failed_ && left > 0) {
        const ssize_t n = Calls.write(fd_, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) // n == 0 would never end: take it as the disk being full
            failed_ = true;
        else {
            at += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    return !failed_;
}

bool AtomicFile::Flush()
{
    const std::size_t used = used_;
    used_ = 0;
    return WriteOut(buffer_.get(), used);
}

bool AtomicFile::Write(std::string_view bytes)
{
    if (bytes.size() >= BufferSize) // no copy of a long piece
        return Flush() && WriteOut(bytes.data(), bytes.size());
    if (used_ + bytes.size() > BufferSize && !Flush())
        return false;
    if (!failed_) {
        std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    return !failed_;
}

bool AtomicFile::WriteLine(std::string_view line) { return Write(line) && Write("\r\n"); }

Saved AtomicFile::Commit()
{
    if (failed_ || !Flush() || (durability_ == Durability::Synced && Calls.fsync(fd_) != 0)) {
        Discard();
        return Saved::No;
    }
    const int fd = fd_;
    fd_ = -1;
    if (Calls.close(fd) != 0 || Calls.rename(temp_.c_str(), path_.c_str()) != 0) {
        Discard();
        return Saved::No;
    }
    temp_.clear(); // renamed: nothing left to remove
    if (durability_ == Durability::Unsynced || SyncFolder(FolderOf(path_)))
        return Saved::Yes;
    return Saved::Unconfirmed;
}

int WriteFileAtomic(const std::string &path, std::string_view bytes)
{
    AtomicFile file(path);
    if (!file.Write(bytes))
        return 1;
    switch (file.Commit()) {
    case Saved::Yes: return 0;
    case Saved::Unconfirmed: return WriteUnconfirmed;
    case Saved::No: break;
    }
    return 1;
}

Saved SaveLineFile(const std::string &path, std::span<const std::string> lines, Durability durability)
{
    AtomicFile file(path, durability);
    for (const std::string &line : lines)
        if (!file.WriteLine(line))
            return Saved::No;
    return file.Commit();
}
