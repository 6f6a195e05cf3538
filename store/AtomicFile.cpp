#include "store/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr std::size_t BufferSize = 65536;

int SystemOpen(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }

const FileCalls SystemCalls{SystemOpen, ::write, ::fsync, ::close, ::rename};
FileCalls Calls = SystemCalls;

std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden name beside the target, never listed by the program's folder
// listings; unique within the process and, through the time, across processes.
std::string TemporaryName(const std::string &path)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%d-%u-%ld.tmp", static_cast<int>(::getpid()), counter++,
                  static_cast<long>(now.tv_nsec));
    return path.substr(0, start) + "." + path.substr(start) + suffix;
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
    }
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

bool AtomicFile::Flush()
{
    const char *at = buffer_.get();
    std::size_t left = used_;
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
    used_ = 0;
    return !failed_;
}

bool AtomicFile::Write(std::string_view bytes)
{
    while (!failed_ && !bytes.empty()) {
        if (used_ == BufferSize && !Flush())
            break;
        const std::size_t take = std::min(bytes.size(), BufferSize - used_);
        std::memcpy(buffer_.get() + used_, bytes.data(), take);
        used_ += take;
        bytes.remove_prefix(take);
    }
    return !failed_;
}

bool AtomicFile::WriteLine(std::string_view line) { return Write(line) && Write("\r\n"); }

bool AtomicFile::Commit()
{
    if (failed_ || !Flush() || (durability_ == Durability::Synced && Calls.fsync(fd_) != 0)) {
        Discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (Calls.close(fd) != 0 || Calls.rename(temp_.c_str(), path_.c_str()) != 0) {
        Discard();
        return false;
    }
    temp_.clear(); // renamed: nothing left to remove
    return durability_ == Durability::Unsynced || SyncFolder(FolderOf(path_));
}

int WriteFileAtomic(const std::string &path, std::string_view bytes)
{
    AtomicFile file(path);
    return file.Write(bytes) && file.Commit() ? 0 : 1;
}

bool SaveLineFile(const std::string &path, std::span<const std::string> lines, Durability durability)
{
    AtomicFile file(path, durability);
    for (const std::string &line : lines)
        if (!file.WriteLine(line))
            return false;
    return file.Commit();
}
