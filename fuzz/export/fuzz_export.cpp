// Arbitrary bytes as a record file to export: read for export and written
// in all three formats. Every value is held to what the device states, so
// no time, distance or count may overflow, whatever the file says.
#include "export/Formats.h"
#include "export/Ride.h"
#include "fuzz/store/FuzzFolder.h"

#include <QTimeZone>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = FuzzFolder() + "120704080503.TR9";
    FuzzWrite(path, data, size);
    ExportRide ride;
    std::string error;
    if (!ReadExportRide(path, QTimeZone::utc(), ride, error))
        return 0;
    if (ride.laps.empty() || ride.elapsedSeconds < ride.totals.seconds)
        __builtin_trap();
    if (FitBytes(ride).empty() || TcxBytes(ride).empty() || CsvBytes(ride).empty())
        __builtin_trap();
    return 0;
}
