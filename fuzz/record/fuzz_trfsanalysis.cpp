// Arbitrary bytes as "Temp.txt": Decode must neither crash nor hang.
#include "record/Trfsanalysis.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// One folder for the whole run, removed at exit.
char FolderPath[] = "/tmp/fuzz_trfsanalysis.XXXXXX";

const char *Folder()
{
    static const bool made = [] {
        if (!::mkdtemp(FolderPath))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(FolderPath); });
        return true;
    }();
    (void)made;
    return FolderPath;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string temp = std::string(Folder()) + "/Temp.txt";
    std::FILE *out = std::fopen(temp.c_str(), "wb");
    if (!out)
        std::abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    TTRAnalysis analysis([](const std::string &, const std::string &) {});
    if (!analysis.Decode(Folder()))
        std::remove((std::string(Folder()) + "/" + analysis.FileName).c_str());
    return 0;
}
