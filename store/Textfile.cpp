#include "store/Textfile.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadFileBytes(const std::string &path, std::string &bytes)
{
    bytes.clear();
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    // Not blocking on open, so a FIFO placed under the name cannot hang us;
    // anything but a regular file is refused before it is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size())
            bytes.resize(bytes.size() + 4096); // the file grew meanwhile
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return true;
}

int WriteFileAtomic(const std::string &path, const std::string &bytes)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return 1;
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return 1;
    }
    return file.commit() ? 0 : 1;
}

std::vector<std::string> SplitNarrowLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    const char *const data = bytes.data();
    const char *const end = data + bytes.size();
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
        lines.emplace_back(p, static_cast<std::size_t>(stop - p));
        p = stop + 1;
        if (cr && p < end && *p == '\n')
            ++p;
    }
    return lines;
}

bool ReadNarrowLines(const std::string &path, std::vector<std::string> &lines)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    lines = SplitNarrowLines(bytes);
    return true;
}

namespace {

// Windows-1252 characters 0x80..0x9F; the five undefined codes map to the
// C1 control of the same value.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const char *data, std::size_t size)
{
    QString text;
    text.resize(static_cast<qsizetype>(size));
    QChar *out = text.data();
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? QChar(kCp1252High[c - 0x80]) : QChar(c);
    }
    return text;
}

QString Decode(QStringConverter::Encoding encoding, const char *data, std::size_t size, bool *error = nullptr)
{
    // The mark has been taken off already; a second one is text.
    // Stateless: a sequence cut short at the end is an error, not dropped.
    QStringDecoder decoder(encoding,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (error)
        *error = decoder.hasError();
    return text;
}

bool StartsWith(const std::string &bytes, const char *mark, std::size_t len)
{
    return bytes.size() >= len && bytes.compare(0, len, mark, len) == 0;
}

} // namespace

QString DecodeText(const std::string &bytes)
{
    const char *data = bytes.data();
    const std::size_t size = bytes.size();
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return Decode(QStringConverter::Utf16LE, data + 2, size - 2);
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return Decode(QStringConverter::Utf16BE, data + 2, size - 2);
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        return Decode(QStringConverter::Utf8, data + 3, size - 3);
    bool error = false;
    QString text = Decode(QStringConverter::Utf8, data, size, &error);
    return error ? DecodeCp1252(data, size) : text;
}

QStringList SplitWideLines(const QString &text)
{
    QStringList lines;
    const QChar *p = text.constData();
    qsizetype n = text.indexOf(QChar(0));
    if (n < 0)
        n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && p[end] != u'\r' && p[end] != u'\n' && p[end] != QChar(0x2028))
            ++end;
        lines.append(QString(p + start, end - start));
        if (end < n && p[end] == u'\r' && end + 1 < n && p[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

bool ReadWideLines(const std::string &path, QStringList &lines)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    lines = SplitWideLines(DecodeText(bytes));
    return true;
}

std::string EncodeUtf16Lines(const QStringList &lines)
{
    std::string out("\xFF\xFE", 2);
    auto put = [&out](char16_t c) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    };
    for (const QString &line : lines) {
        for (QChar c : line)
            put(c.unicode());
        put(u'\r');
        put(u'\n');
    }
    return out;
}

QStringView TrimBelow33(QStringView text)
{
    while (!text.isEmpty() && text.front().unicode() < 33)
        text = text.mid(1);
    while (!text.isEmpty() && text.back().unicode() < 33)
        text.chop(1);
    return text;
}

bool SameNameNoCase(const std::string &a, const std::string &b)
{
    return QString::compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                            QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                            Qt::CaseInsensitive) == 0;
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
