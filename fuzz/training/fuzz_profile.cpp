// Arbitrary bytes as a profile file: what is read passes the profile
// window's own check (a bad key is its default), and the profile written
// again reads back the same.
#include "fuzz/store/FuzzFolder.h"
#include "training/Profile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = FuzzFolder() + "Profile.ini";
    FuzzWrite(path, data, size);
    const Profile read = ReadProfile(path);
    if (CheckProfile(read) != ProfileProblem::None)
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
