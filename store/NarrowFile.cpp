#include "store/NarrowFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads what the open file holds, never more than maxBytes + 1 bytes, so a
// file that grows while it is read is still caught by the limit.
ReadStatus ReadOpenFile(int fd, std::size_t expected, std::string &bytes, std::size_t maxBytes)
{
    // One byte beyond the expected size, so the read that finds the end
    // needs no larger buffer.
    bytes.resize(std::min(expected + 1, maxBytes + 1));
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() > maxBytes)
                return ReadStatus::TooLarge;
            bytes.resize(std::min(bytes.size() + 4096, maxBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadStatus::Unreadable;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > maxBytes)
        return ReadStatus::TooLarge;
    bytes.resize(got);
    return ReadStatus::Ok;
}

} // namespace

ReadStatus ReadFile(const std::string &path, std::string &bytes, std::size_t maxBytes, Links links)
{
    bytes.clear();
    if (path.empty() || path.find('\0') != std::string::npos)
        return ReadStatus::Missing;
    // Not blocking on open, so a FIFO placed under the name cannot hang us;
    // anything but a regular file is refused before it is read.
    const int noFollow = links == Links::NotFollowed ? O_NOFOLLOW : 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | noFollow);
    if (fd < 0 && errno == ELOOP && noFollow != 0)
        return ReadStatus::NotRegular; // a link (or a loop of links) under the name
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    struct stat st {};
    ReadStatus status = ReadStatus::Unreadable;
    if (::fstat(fd, &st) != 0)
        status = ReadStatus::Unreadable;
    else if (S_ISDIR(st.st_mode))
        status = ReadStatus::Folder;
    else if (!S_ISREG(st.st_mode))
        status = ReadStatus::NotRegular;
    else if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) > maxBytes)
        status = ReadStatus::TooLarge; // refused before anything of its size is allocated
    else
        status = ReadOpenFile(fd, static_cast<std::size_t>(st.st_size), bytes, maxBytes);
    ::close(fd);
    if (status != ReadStatus::Ok)
        std::string().swap(bytes);
    return status;
}

bool ReadFileBytes(const std::string &path, std::string &bytes, std::size_t maxBytes, Links links)
{
    return ReadFile(path, bytes, maxBytes, links) == ReadStatus::Ok;
}

std::string ReadStatusText(ReadStatus status, std::size_t maxBytes)
{
    switch (status) {
    case ReadStatus::Ok: return "was read";
    case ReadStatus::Missing: return "does not exist";
    case ReadStatus::Folder: return "is a folder";
    case ReadStatus::NotRegular: return "is not a regular file";
    case ReadStatus::TooLarge: return "is larger than " + std::to_string(maxBytes) + " bytes";
    case ReadStatus::Unreadable: break;
    }
    return "cannot be read";
}

std::vector<std::string> SplitNarrowLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    ForEachNarrowLine(bytes, [&](std::size_t start, std::size_t size) { lines.emplace_back(bytes, start, size); });
    return lines;
}

bool ReadNarrowLines(const std::string &path, std::vector<std::string> &lines, std::size_t maxBytes,
                     Links links)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes, maxBytes, links))
        return false;
    lines = SplitNarrowLines(bytes);
    return true;
}

bool IsValidUtf8(std::string_view text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *const end = p + text.size();
    while (p < end) {
        const unsigned c = *p++;
        if (c < 0x80)
            continue;
        int more = 0;
        unsigned low = 0x80, high = 0xBF; // range of the first continuation byte
        if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            else if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else
            return false;
        if (end - p < more || *p < low || *p > high)
            return false;
        for (int i = 1; i < more; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += more;
    }
    return true;
}

bool EndsWithNoCase(const std::string &name, const std::string &ext)
{
    if (name.size() < ext.size())
        return false;
    const std::size_t off = name.size() - ext.size();
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char a = name[off + i];
        char b = ext[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

std::vector<std::string> ListEntries(const std::string &folder, EntryKind kind)
{
    std::vector<std::string> names;
    if (folder.empty() || folder.find('\0') != std::string::npos)
        return names;
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    const int dfd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN && kind != EntryKind::Any) {
            struct stat st {};
            if (::fstatat(dfd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_LNK;
        }
        if (kind == EntryKind::Any || (kind == EntryKind::PlainFolder && type == DT_DIR) ||
            (kind == EntryKind::PlainFile && type == DT_REG))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    // Directory order on Linux is arbitrary; sorted names keep the lists stable.
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ListShownEntries(const std::string &folder, EntryKind kind)
{
    std::vector<std::string> names = ListEntries(folder, kind);
    std::erase_if(names, [](const std::string &name) {
        return !IsValidUtf8(name) || std::any_of(name.begin(), name.end(), [](char c) {
                   return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
               });
    });
    return names;
}
