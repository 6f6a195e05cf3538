#pragma once
// Replacing a file safely. Every file the program writes goes to a new
// temporary file in the target's folder (a hidden name, created exclusively)
// and is renamed over the target, so a FIFO, a hard link or a symbolic link
// under the target's name is replaced, never opened or written through.
// Every write is checked; a durable file is also flushed to disk (fsync)
// before the rename, and the folder after it. On any failure the temporary
// file is removed and the target keeps its old content; only a failing fsync
// of the folder comes after the rename: the new content is then in place,
// but may not survive a power cut, and the result says so.
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <sys/types.h>

// What a write achieved.
enum class Saved {
    Yes,         // the new content is in place (and on disk, when synced)
    Unconfirmed, // the new content is in place, but the folder's fsync failed
    No,          // nothing was replaced: the target holds what it held
};

enum class Durability {
    Synced,   // the rider's data: on disk before success is reported
    Unsynced, // work files written for diagnosis
};

class AtomicFile {
public:
    explicit AtomicFile(const std::string &path, Durability durability = Durability::Synced);
    ~AtomicFile(); // an uncommitted temporary file is removed
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Buffered writes; false once anything has failed.
    bool Write(std::string_view bytes);
    // The text and CR LF.
    bool WriteLine(std::string_view line);
    // Flushes, syncs, closes and renames; Yes or Unconfirmed when the target
    // holds exactly what was written.
    Saved Commit();

private:
    bool WriteOut(const char *at, std::size_t left);
    bool Flush();
    void Discard();

    std::string path_;
    std::string temp_;
    Durability durability_;
    int fd_ = -1;
    bool failed_ = false;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

// Whether name is one this writer gives its temporary files
// (".NAME.PID-N-TIME.tmp"); such a file outlives its write only when the
// program ended in the middle of it.
bool IsTemporaryFileName(std::string_view name);
// Removes the temporary files that writes of processes no longer running
// left in folder (not its subfolders); a running process's files, this
// one's included, may still be written and stay. Called at start-up for the
// application folder, at login for the rider's, and by the tools for
// theirs. False when one of them, or the folder, cannot be read or removed.
bool RemoveTemporaryFiles(const std::string &folder);

// The whole content at once. 0 on success, 1 when nothing was written,
// WriteUnconfirmed when the content is in place but its folder's fsync failed.
inline constexpr int WriteUnconfirmed = 2;
int WriteFileAtomic(const std::string &path, std::string_view bytes);
// Lines with CR LF after each.
Saved SaveLineFile(const std::string &path, std::span<const std::string> lines,
                  Durability durability = Durability::Synced);

// The system calls of the writer. Tests replace them to make any step fail;
// RestoreFileCalls puts the real ones back.
struct FileCalls {
    int (*open)(const char *path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void *data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char *from, const char *to); // the target's name for the temporary file
};
FileCalls &CurrentFileCalls();
void RestoreFileCalls();
