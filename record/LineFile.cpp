#include "record/LineFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string joined(const std::vector<std::string> &lines)
{
    std::size_t size = 0;
    for (const auto &line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace

bool LoadLineFile(const std::string &path, std::vector<std::string> &lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    const std::string text = buffer.str();

    lines.clear();
    std::size_t start = 0;
    const std::size_t size = text.size();
    while (start < size) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = size;
        lines.emplace_back(text, start, end - start);
        start = end;
        if (start < size && text[start] == '\r')
            ++start;
        if (start < size && text[start] == '\n')
            ++start;
    }
    return true;
}

bool SaveLineFile(const std::string &path, const std::vector<std::string> &lines)
{
    const std::string text = joined(lines);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

bool ReplaceLineFile(const std::string &path, const std::vector<std::string> &lines)
{
    const std::string temporary = path + ".part";
    if (!SaveLineFile(temporary, lines) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
