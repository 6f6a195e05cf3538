#pragma once
// Narrow text files as lists of lines, the way the decoder reads and writes
// them: a line ends at CR LF, LF or CR; written lines each end with CR LF.
#include <span>
#include <string>
#include <vector>

// False, and lines as they were, when there is no regular file at path or
// it cannot be read (a FIFO of that name is refused, never waited on).
bool LoadLineFile(const std::string &path, std::vector<std::string> &lines);
// Writes the file (a symbolic link of that name is replaced, not followed);
// false, and no file left, when it cannot be written completely.
bool SaveLineFile(const std::string &path, std::span<const std::string> lines);
