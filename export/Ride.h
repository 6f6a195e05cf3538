#pragma once
// One exercise as the export formats need it: the Ride of a record file
// with its start in local time and in UTC, the laps with their start
// offsets (at least one) and one sample every SampleSeconds.
#include "ride/Ride.h"

#include <cstdint>
#include <string>
#include <vector>

class QTimeZone;

// A lap, or the whole exercise.
struct ExportLap : RideSpan {
    int startOffset = 0; // seconds from the exercise start
};

using ExportSample = RideSample;

struct ExportRide {
    // Local start as the computer that took the ride kept it (full year).
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::int64_t startUtc = 0; // seconds since 1970-01-01 UTC
    int endUtcOffset = 0;      // seconds east of UTC at the end of the ride

    ExportLap totals;       // the header's totals; seconds is the exercise (timer) time
    int elapsedSeconds = 0; // at least the exercise time, at least the last sample
    int kcal = 0;
    // Sensors that were present; values of the others are never exported.
    bool hasHeartRate = false, hasCadence = false, hasSpeed = false;

    // The record's laps in order; a record without laps gets one lap of
    // its totals, so every format carries at least one.
    std::vector<ExportLap> laps;
    std::vector<ExportSample> samples;
};

// The ride for export; its local start is turned into UTC with the rules
// of zone at that date.
ExportRide ExportRideOf(Ride ride, const QTimeZone &zone);
// Reads the record file at recordPath (ReadRide) for export. False with
// the reason in error when the file cannot be read or is refused.
bool ReadExportRide(const std::string &recordPath, const QTimeZone &zone, ExportRide &ride,
                    std::string &error);
