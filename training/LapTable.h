#pragma once
// The lap table of a ride as texts, in the record's units (km or miles, as
// the details view shows them), and the whole as tab-separated lines for
// the clipboard. GUI-free.
#include "ride/Ride.h"

#include <array>
#include <string>
#include <vector>

// Lap, split time, lap time, distance, average and maximum speed, average
// and maximum heart rate, average and maximum cadence.
constexpr int LapColumns = 10;
using LapRow = std::array<std::string, LapColumns>;

// The column headings (English keys of the captions) for the ride's units.
LapRow LapHeadings(bool imperial);
// Miles in a kilometre, as the record's imperial figures use them.
inline constexpr double MilesPerKm = 0.621;
// True when the record keeps imperial units (UNIT 1).
bool ImperialRide(const Ride &ride);
std::vector<LapRow> LapRows(const Ride &ride);
// Headings and rows, cells separated by tabs, lines by CR LF.
std::string LapTableText(const LapRow &headings, const std::vector<LapRow> &rows);
// "h:mm:ss".
std::string ClockText(int seconds);
