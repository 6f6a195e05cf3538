#pragma once
// File helpers that need only the C++ standard library and POSIX: size-limited
// whole-file reading, narrow line splitting and folder listing. The decoder
// and the command-line tool use them without Qt; store/Textfile.h adds the
// wide-text helpers on top.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// The largest file each kind of reader accepts; a larger file is treated as
// one that cannot be read, and nothing of its size is ever allocated.
namespace filelimit {
// A saved transfer: a full dump is about 140 KB (2050 lines of 68 bytes);
// the rest is room for repeated reports.
inline constexpr std::size_t Dump = std::size_t(1) << 20;
// A record file: about 0.7 MB for a full dump, plus the raw transfer lines,
// which a dump within its limit keeps below 1.4 MB.
inline constexpr std::size_t Record = std::size_t(4) << 20;
// Lines of a record file: about 20,000 for the largest dump with its raw
// transfer; a file of more is not read as a record.
inline constexpr std::size_t RecordLines = 32768;
// Samples of a record's series: a dump holds at most 256 pages of 254 data
// bytes and a sample takes 6, so no transfer gives more than 10,837; the
// bound leaves a little room above that.
inline constexpr std::size_t RecordSamples = 11000;
// Language files, LangStr.set, LangSet.ini, REME.txt.
inline constexpr std::size_t Text = std::size_t(4) << 20;
// A record's notes: about 64,000 characters as written (UTF-16). More
// would take the memo box seconds to lay out (a long line costs the square
// of its length), so no more is written either.
inline constexpr std::size_t Notes = std::size_t(128) << 10;
} // namespace filelimit

enum class ReadStatus { Ok, Missing, Folder, NotRegular, TooLarge, Unreadable };

// Whether a symbolic link at the path's last component is followed. The
// program's own files (notes, photos, language files, settings, records)
// are NotFollowed: a link placed under such a name is refused (NotRegular),
// so it never shows another file's content; a path the user names is
// Followed.
enum class Links { Followed, NotFollowed };

// Reads a whole regular file of at most maxBytes. Never blocks on a FIFO;
// bytes is empty unless the result is Ok.
ReadStatus ReadFile(const std::string &path, std::string &bytes, std::size_t maxBytes,
                    Links links = Links::Followed);
// ReadFile, true when Ok.
bool ReadFileBytes(const std::string &path, std::string &bytes, std::size_t maxBytes,
                   Links links = Links::Followed);
// What a ReadFile result means, for messages: "does not exist", "is a
// folder", ...
std::string ReadStatusText(ReadStatus status, std::size_t maxBytes);

// Calls line(start, size) for each line of narrow text, split at CR LF, CR
// and LF; a final line end does not start another line.
template <class LineFn>
void ForEachNarrowLine(std::string_view text, LineFn line)
{
    const char *const data = text.data();
    const char *const end = data + text.size();
    const char *p = data;
    const char *lf = nullptr; // next LF at or after p (end when none), kept across lines
    while (p < end) {
        if (!lf || lf < p) {
            lf = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!lf)
                lf = end;
        }
        const char *cr = static_cast<const char *>(std::memchr(p, '\r', static_cast<std::size_t>(lf - p)));
        const char *stop = cr ? cr : lf;
        line(static_cast<std::size_t>(p - data), static_cast<std::size_t>(stop - p));
        p = stop + 1;
        if (cr && p < end && *p == '\n')
            ++p;
    }
}
// The lines of narrow text, split as above.
std::vector<std::string> SplitNarrowLines(const std::string &bytes);
// ReadFileBytes then SplitNarrowLines. False, and lines as they were, when
// the file cannot be read.
bool ReadNarrowLines(const std::string &path, std::vector<std::string> &lines, std::size_t maxBytes,
                     Links links = Links::Followed);

// True when text is well-formed UTF-8 (no overlong forms, surrogates or
// code points above U+10FFFF).
bool IsValidUtf8(std::string_view text);
// True when name ends with ext, letter case ignored (ext in ASCII).
bool EndsWithNoCase(const std::string &name, const std::string &ext);

// Entry names of a folder, sorted; a name beginning with "." is never
// listed. PlainFolder: folders that are not symbolic links; PlainFile:
// regular files that are not symbolic links; Any: every entry.
enum class EntryKind { PlainFolder, PlainFile, Any };
std::vector<std::string> ListEntries(const std::string &folder, EntryKind kind);
// ListEntries without the names a list shown to the user cannot show
// faithfully (not UTF-8, or holding control characters): such a name
// would come back from the list as the name of another entry.
std::vector<std::string> ListShownEntries(const std::string &folder, EntryKind kind);
