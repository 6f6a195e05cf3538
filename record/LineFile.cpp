#include "record/LineFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const char *at, std::size_t left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the lines through a fixed buffer, CR LF after each.
bool writeLines(int fd, std::span<const std::string> lines, off_t &length)
{
    char buffer[65536];
    std::size_t used = 0;
    auto put = [&](const char *data, std::size_t size) {
        if (used + size > sizeof buffer) {
            if (!writeAll(fd, buffer, used))
                return false;
            used = 0;
        }
        if (size > sizeof buffer) {
            length += static_cast<off_t>(size);
            return writeAll(fd, data, size);
        }
        std::memcpy(buffer + used, data, size);
        used += size;
        length += static_cast<off_t>(size);
        return true;
    };
    for (const auto &line : lines)
        if (!put(line.data(), line.size()) || !put("\r\n", 2))
            return false;
    return writeAll(fd, buffer, used);
}

} // namespace

bool SaveLineFile(const std::string &path, std::span<const std::string> lines)
{
    // Written over the old content and cut to the new length (cheaper than
    // truncating first, which makes the file system flush and wait); a
    // symbolic link of that name is replaced, never written through.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno == ELOOP && ::unlink(path.c_str()) == 0)
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    off_t length = 0;
    const bool written = writeLines(fd, lines, length) && ::ftruncate(fd, length) == 0;
    if (::close(fd) == 0 && written)
        return true;
    ::unlink(path.c_str()); // no partial file stays behind
    return false;
}
