#pragma once
// Narrow text files as lists of lines, the way the decoder reads and writes
// them: a line ends at CR LF, LF or CR; written lines each end with CR LF.
#include <string>
#include <vector>

// False when the file cannot be opened or read.
bool LoadLineFile(const std::string &path, std::vector<std::string> &lines);
// Writes the file in place; false when it cannot be written completely.
bool SaveLineFile(const std::string &path, const std::vector<std::string> &lines);
// Writes a temporary file beside path and renames it over path, so a failed
// write never leaves a partial file under that name.
bool ReplaceLineFile(const std::string &path, const std::vector<std::string> &lines);
