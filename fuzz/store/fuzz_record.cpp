// Arbitrary bytes as a record file: reading, key lookup, series, day totals.
#include "fuzz/store/FuzzFolder.h"
#include "store/Databasecontroler.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TKorvanDataBase db;
    db.RiderFolder = FuzzFolder();
    FuzzWrite(db.RiderFolder + "120704080503.TR9", data, size);
    db.ReadRecord("120704080503.TR9");
    for (const char *heading : {"#HRM", "#RPM", "#SPD_SumDistance", "#SPD_SPEED"})
        db.ReadSeries(heading);
    // A key taken from the input itself.
    const std::string text(reinterpret_cast<const char *>(data), size < 8 ? size : 8);
    db.ValueOf(text);
    db.ReadSeries(text);
    db.ListRecordFiles();
    db.SumDay(12, 7, 4);
    return 0;
}
