#pragma once
// A folder for the fuzz inputs, made once per process and removed at exit.
// Standard library only, so the decoder's target stays free of Qt.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

inline const std::string &FuzzFolder()
{
    struct Folder {
        std::string path;
        Folder()
        {
            std::string pattern = (std::filesystem::temp_directory_path() / "cyclovex_fuzz.XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                std::abort();
            path = pattern + "/";
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline void FuzzWrite(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data),
                                                                  static_cast<std::streamsize>(size));
}
