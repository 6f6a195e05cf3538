#pragma once
// Record files of given dates and totals in a rider folder: only the keys
// that the calendar marks and the summaries read.
#include "tests/support/TempFolder.h"

#include <string>

struct RideTotals {
    int hours = 1, minutes = 0, seconds = 0;
    int distance = 100; // tenths of a kilometre
    int kcal = 300;
};

// Writes folder + "/" + name (YYMMDDhhmmss.TR9).
inline void WriteRide(const std::string &folder, const std::string &name, const RideTotals &t = RideTotals())
{
    writeFileBytes(folder + "/" + name,
                   "[File Head]\r\n\r\nEXEHOUR=" + std::to_string(t.hours) + ";\r\nEXEMIN=" +
                       std::to_string(t.minutes) + ";\r\nEXESEC=" + std::to_string(t.seconds) + ";\r\nKCAL=" +
                       std::to_string(t.kcal) + ";\r\nDISTANCE=" + std::to_string(t.distance) + ";\r\n");
}
