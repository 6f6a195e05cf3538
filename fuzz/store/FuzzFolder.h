#pragma once
// A folder for the fuzz inputs, made once per process and removed at exit.
#include <QTemporaryDir>
#include <fstream>
#include <string>

inline const std::string &FuzzFolder()
{
    static QTemporaryDir dir;
    static const std::string path = dir.path().toStdString() + "/";
    return path;
}

inline void FuzzWrite(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data),
                                                                  static_cast<std::streamsize>(size));
}
