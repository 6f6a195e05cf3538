#pragma once
// One exercise as the export formats need it: the start in local time and
// in UTC, the totals, the laps and one sample every SampleSeconds, read from
// a record file through the store.
#include <cstdint>
#include <string>
#include <vector>

class QTimeZone;

// The device takes one sample every 10 seconds from the exercise start.
constexpr int SampleSeconds = 10;

// A lap, or the whole exercise.
struct ExportLap {
    int startOffset = 0; // seconds from the exercise start
    int seconds = 0;     // lap time (exercise time for the whole)
    int distance = 0;    // tenths of a kilometre
    int hrAvg = 0, hrMax = 0;
    int speedAvg = 0, speedMax = 0; // tenths of km/h
    int cadenceAvg = 0, cadenceMax = 0;
};

struct ExportSample {
    int heartRate = 0; // beats per minute
    int cadence = 0;   // revolutions per minute
    int speed = 0;     // tenths of km/h
    int distance = 0;  // tens of metres since the start
};

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

// Reads the record file at recordPath; the local start is turned into UTC
// with the rules of zone at that date. False with a reason in error when
// the file cannot be read or is no record file.
bool ReadExportRide(const std::string &recordPath, const QTimeZone &zone, ExportRide &ride,
                    std::string &error);
