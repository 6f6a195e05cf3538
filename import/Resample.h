#pragma once
// A ride of another device as a record: one sample every 10 s from the
// start, the header's totals and the laps in the record's units.
#include "import/Track.h"
#include "ride/Ride.h"

#include <string>

class QTimeZone;

// Sample i covers the 10 s from start + 10 i. Heart rate, cadence and speed
// are the rounded means of the window's values (a window without one:
// heart rate 0, no reading; cadence and speed 0); the distance is the one
// reached by the end of the window, in tens of metres; the samples run to
// the last point. Points while the timer stood still are left out. A lap's
// split is its start's offset plus its timer time, so its start offset is
// where it began even after a pause; at most 255 laps are kept. Totals, averages and maxima are the
// file's where it states them, else the points'. The start is local time
// by the rules of zone at that date. False with the reason when the ride
// cannot be a record (it starts before 2000, lasts longer than a record's
// samples reach, or holds nothing).
bool RideOfTrack(Track track, const QTimeZone &zone, Ride &ride, std::string &error);
