#pragma once
// File helpers shared by the store and the language service: whole-file
// reading, atomic replacement, and the decoding of text files that may
// carry a byte-order mark.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// Reads a whole regular file (symbolic links followed). False when there is
// no regular file at path or it cannot be read.
bool ReadFileBytes(const std::string &path, std::string &bytes);
// Replaces path by bytes through a temporary file in the same folder and a
// rename. 0 on success, 1 on failure (the old file then stays as it was).
int WriteFileAtomic(const std::string &path, const std::string &bytes);
// Splits narrow text into lines at CR LF, CR and LF; a final line end does
// not start another line.
std::vector<std::string> SplitNarrowLines(const std::string &bytes);
// ReadFileBytes then SplitNarrowLines. False, and lines as they were, when
// the file cannot be read.
bool ReadNarrowLines(const std::string &path, std::vector<std::string> &lines);

// Decodes a text file by its first bytes: FF FE UTF-16 LE, FE FF UTF-16 BE,
// EF BB BF UTF-8, anything else UTF-8 where valid, else Windows-1252. The
// mark is not part of the text.
QString DecodeText(const std::string &bytes);
// Splits wide text into lines at CR LF, CR, LF and U+2028; a character 0
// ends the text; a final line end does not start another line.
QStringList SplitWideLines(const QString &text);
// ReadFileBytes, DecodeText then SplitWideLines. False, and lines as they
// were, when the file cannot be read.
bool ReadWideLines(const std::string &path, QStringList &lines);
// Encodes lines as UTF-16 LE with the mark FF FE, each line ending CR LF.
std::string EncodeUtf16Lines(const QStringList &lines);

// Text below code 33 removed at both ends.
QStringView TrimBelow33(QStringView text);
// Letter case ignored (Unicode simple case folding).
bool SameNameNoCase(const std::string &a, const std::string &b);
// True when name ends with ext, letter case ignored (ext in ASCII).
bool EndsWithNoCase(const std::string &name, const std::string &ext);
// Entry names of a folder, sorted; a name beginning with "." is never
// listed. PlainFolder: folders that are not symbolic links; PlainFile:
// regular files that are not symbolic links; Any: every entry.
enum class EntryKind { PlainFolder, PlainFile, Any };
std::vector<std::string> ListEntries(const std::string &folder, EntryKind kind);
