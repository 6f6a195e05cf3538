#pragma once
// Wide-text file helpers shared by the store and the language service: the
// decoding of text files that may carry a byte-order mark. The byte-level
// helpers (reading with a size limit, atomic replacement, listing) are in
// NarrowFile.h and AtomicFile.h, which need no Qt.
#include "store/AtomicFile.h"
#include "store/NarrowFile.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// Decodes a text file by its first bytes: FF FE UTF-16 LE, FE FF UTF-16 BE,
// EF BB BF UTF-8, anything else UTF-8 where valid, else Windows-1252. The
// mark is not part of the text.
QString DecodeText(const std::string &bytes);
// Splits wide text into lines at CR LF, CR, LF and U+2028; a character 0
// ends the text; a final line end does not start another line.
QStringList SplitWideLines(const QString &text);
// ReadFileBytes, DecodeText then SplitWideLines. False, and lines as they
// were, when the file cannot be read (or is larger than maxBytes).
bool ReadWideLines(const std::string &path, QStringList &lines, std::size_t maxBytes,
                   Links links = Links::Followed);
// Encodes lines as UTF-16 LE with the mark FF FE, each line ending CR LF.
std::string EncodeUtf16Lines(const QStringList &lines);

// Text below code 33 removed at both ends.
QStringView TrimBelow33(QStringView text);
// Letter case ignored (Unicode simple case folding).
bool SameNameNoCase(const std::string &a, const std::string &b);
// The entry of folder (of kind, as ListEntries lists them) named name in
// any letter case; "" when there is none.
std::string FindEntryNoCase(const std::string &folder, const std::string &name, EntryKind kind);
