#pragma once
// Narrow text files written as lists of lines, the way the decoder writes
// them: each line ends with CR LF. They are read with ReadNarrowLines
// (store/Textfile.h).
#include <span>
#include <string>
// Writes the file (a symbolic link of that name is replaced, not followed);
// false, and no file left, when it cannot be written completely.
bool SaveLineFile(const std::string &path, std::span<const std::string> lines);
