// Arbitrary bytes as a profile file: every value read lies within its
// range (a bad key is its default), and the profile written again reads
// back the same.
#include "fuzz/store/FuzzFolder.h"
#include "training/Profile.h"

#include <cstdint>

namespace {

bool Valid(const Profile &p)
{
    if ((p.maxHr != 0 && (p.maxHr < 100 || p.maxHr > 240)) || (p.restHr != 0 && (p.restHr < 20 || p.restHr > 99)))
        return false;
    for (std::size_t i = 0; i < p.zones.size(); ++i)
        if (p.zones[i] < 1 || p.zones[i] > 100 || (i > 0 && p.zones[i] <= p.zones[i - 1]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = FuzzFolder() + "Profile.ini";
    FuzzWrite(path, data, size);
    const Profile read = ReadProfile(path);
    if (!Valid(read))
        __builtin_trap();
    std::string error;
    if (!WriteProfile(path, read, error))
        __builtin_trap();
    const Profile back = ReadProfile(path);
    if (back.maxHr != read.maxHr || back.restHr != read.restHr || back.gender != read.gender ||
        back.zones != read.zones)
        __builtin_trap();
    return 0;
}
