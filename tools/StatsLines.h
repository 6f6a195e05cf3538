#pragma once
// The output lines of tr9stats: one ride, one day of the fitness series;
// as JSON objects (fixed keys) or as text for a reader.
#include "training/Periods.h"
#include "training/RideMetrics.h"

#include <string>

// file: the path as given. JSON keys: file, start, seconds, movingSeconds,
// distanceKm, hrMax, hrRest, zoneSeconds, trimp, best, laps.
std::string RideLine(const std::string &file, const Ride &ride, const RideMetrics &metrics, bool json);
// JSON keys: date, load, ctl, atl, tsb.
std::string FitnessLine(const FitnessDay &day, bool json);
// A record file found by a search: its name. JSON key: file.
std::string SearchLine(const std::string &name, bool json);
