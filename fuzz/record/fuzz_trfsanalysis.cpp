// Arbitrary bytes as "Temp.txt": Decode must neither crash nor hang.
#include "fuzz/store/FuzzFolder.h"
#include "record/Trfsanalysis.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzWrite(FuzzFolder() + "Temp.txt", data, size);
    TTRAnalysis analysis([](const std::string &, const std::string &) {});
    if (!analysis.Decode(FuzzFolder()))
        std::remove((FuzzFolder() + analysis.FileName).c_str());
    return 0;
}
