#pragma once
// The training figures of one ride (zones, load, moving time, bests), and
// the summary of a ride that the metrics index keeps and the period
// figures (totals, bests, fitness) are computed from. GUI-free.
#include "ride/Ride.h"
#include "training/Profile.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Windows of the bests: 5, 20 and 60 minutes.
constexpr std::array<int, 3> BestWindowSeconds{300, 1200, 3600};

struct RideBests {
    // Highest mean over each window; none where the ride is shorter or the
    // sensor absent. Speed in km/h, heart rate in bpm, cadence in rpm.
    std::array<std::optional<double>, 3> speed, heartRate, cadence;
};

struct RideMetrics {
    int hrMax = 0, hrRest = 0; // the values used
    // Seconds below zone 1 and in zones 1-5; none without the belt.
    std::optional<std::array<int, 6>> zoneSeconds;
    std::optional<double> trimp; // Banister TRIMP; none without the belt
    int movingSeconds = 0;
    RideBests bests;
};

// accountGender: the account file's gender code (0 male, 1 female), used
// where the profile sets none.
RideMetrics ComputeRideMetrics(const Ride &ride, const Profile &profile, int accountGender);

// What the index keeps of one ride and the period figures need.
struct RideSummary {
    std::string name; // record file name
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0; // local start
    int seconds = 0;  // exercise time
    int distance = 0; // tenths of a kilometre (header DISTANCE)
    int kcal = 0;
    RideMetrics metrics;
};

RideSummary SummarizeRide(const Ride &ride, const RideMetrics &metrics);
