// Arbitrary bytes as a record file read into a Ride: whatever the file
// says, an accepted ride has a real start, values within what the device
// states and no more samples than a transfer can produce.
#include "fuzz/store/FuzzFolder.h"
#include "store/NarrowFile.h"
#include "ride/Ride.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = FuzzFolder() + "120704080503.TR9";
    FuzzWrite(path, data, size);
    Ride ride;
    std::string error;
    if (!ReadRide(path, ride, error)) {
        if (error.empty())
            __builtin_trap();
        return 0;
    }
    if (ride.year < 2000 || ride.year > 2099 || ride.month < 1 || ride.month > 12 || ride.day < 1 || ride.day > 31 ||
        ride.hour > 23 || ride.minute > 59 || ride.second > 59)
        __builtin_trap();
    if (ride.samples.size() > filelimit::RecordSamples || ride.totals.seconds > 255 * 3661 || ride.kcal > 65535)
        __builtin_trap();
    for (const RideLap &lap : ride.laps)
        if (lap.seconds > 255 * 3661 || lap.splitSeconds > 255 * 3661 || lap.distance > 65535 || lap.StartOffset() < 0)
            __builtin_trap();
    return 0;
}
