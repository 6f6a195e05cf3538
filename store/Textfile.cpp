#include "store/Textfile.h"

#include <QStringDecoder>

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

bool ReadWideLines(const std::string &path, QStringList &lines, std::size_t maxBytes, Links links)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes, maxBytes, links))
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

std::string FindEntryNoCase(const std::string &folder, const std::string &name, EntryKind kind)
{
    for (const std::string &entry : ListEntries(folder, kind))
        if (SameNameNoCase(entry, name))
            return entry;
    return {};
}
