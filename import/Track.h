#pragma once
// What the readers of other devices' files produce: one ride's points in
// time order, its laps and the totals the file states, before they are
// resampled into a record (import/Resample.h). GUI-free.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace importlimit {
// The largest file read, and the most a .gz may inflate to. A day-long ride
// at one point a second is about 40 MB as TCX, a few MB as FIT.
inline constexpr std::size_t FileBytes = std::size_t(64) << 20;
// Points of one file: 4 a second over 30 hours (a record holds 30.5 hours).
inline constexpr std::size_t Points = 450000;
// Laps and rides (FIT sessions, TCX activities, GPX tracks) of one file.
inline constexpr std::size_t Laps = 10000;
inline constexpr std::size_t Rides = 100;
// Timer events of one FIT file.
inline constexpr std::size_t Events = 100000;
} // namespace importlimit

constexpr double NoValue = -1.0; // a value the file does not have

// One point as the file has it; a value below 0 is not there.
struct TrackPoint {
    std::int64_t ms = 0; // milliseconds since 1970-01-01 UTC
    int heartRate = -1;  // bpm; 0 counts as none
    int cadence = -1;    // rpm
    double speed = NoValue;    // m/s
    double distance = NoValue; // m from the file's start
    double lat = std::numeric_limits<double>::quiet_NaN(), lon = lat; // degrees
    int segment = 0; // GPX track segment: no distance is counted between two
};

// Totals of a lap or of a whole ride as the file states them; each may be
// missing (below 0), and is then taken from the points.
struct TrackSpan {
    std::int64_t startMs = -1, endMs = -1;
    double timerSeconds = NoValue;
    double distance = NoValue; // m
    int kcal = -1;
    double speedAvg = NoValue, speedMax = NoValue; // m/s
    int hrAvg = -1, hrMax = -1;
    int cadenceAvg = -1, cadenceMax = -1;
};

// The timer stood still from stopMs to startMs (a FIT timer stop and start).
struct TrackPause {
    std::int64_t stopMs = 0;
    std::int64_t startMs = std::numeric_limits<std::int64_t>::max();
};

struct Track {
    TrackSpan totals;
    std::vector<TrackSpan> laps;
    std::vector<TrackPause> pauses;
    std::vector<TrackPoint> points;
};

// The rides of one file, or the reason it cannot be read.
struct TrackFile {
    std::vector<Track> tracks;
    std::string error; // empty on success
};
