#include "training/RideMetrics.h"

#include <algorithm>
#include <cmath>

namespace {

// The maximum heart rate of the ride: the profile's, else the device's
// setting of that day, else from the age, else 190.
int MaxHeartRate(const Ride &ride, const Profile &profile)
{
    if (profile.maxHr > 0)
        return profile.maxHr;
    const RideSettings &s = ride.settings;
    if (s.hrMax >= 100 && s.hrMax <= 240)
        return s.hrMax;
    if (s.age >= 5 && s.age <= 99)
        return 220 - s.age;
    return 190;
}

bool IsFemale(const Profile &profile, int accountGender)
{
    if (profile.gender != ProfileGender::Unset)
        return profile.gender == ProfileGender::Female;
    return accountGender == 1;
}

// Seconds below zone 1 and in zones 1-5, of the samples with a reading.
std::array<int, 6> ZoneSeconds(const Ride &ride, const Profile &profile, int hrMax)
{
    std::array<int, 6> seconds{};
    for (const RideSample &sample : ride.samples) {
        if (sample.heartRate <= 0)
            continue;
        std::size_t zone = 0;
        for (std::size_t i = profile.zones.size(); i > 0; --i) {
            if (100 * sample.heartRate >= profile.zones[i - 1] * hrMax) {
                zone = i;
                break;
            }
        }
        seconds[zone] += SampleSeconds;
    }
    return seconds;
}

// Banister's TRIMP summed sample by sample.
double Trimp(const Ride &ride, int hrMax, int hrRest, bool female)
{
    const double a = female ? 0.86 : 0.64;
    const double b = female ? 1.67 : 1.92;
    const double reserve = hrMax - hrRest;
    double load = 0;
    for (const RideSample &sample : ride.samples) {
        if (sample.heartRate <= 0)
            continue;
        const double r = std::clamp((sample.heartRate - hrRest) / reserve, 0.0, 1.0);
        load += SampleSeconds / 60.0 * r * a * std::exp(b * r);
    }
    return load;
}

// The highest mean of value over any window of consecutive samples.
// counted(sample) says whether a sample has a reading; a window's mean is
// over the readings it holds. None when the ride is shorter than the window
// or no window holds a reading.
template <typename Value, typename Counted>
std::optional<double> BestMean(const std::vector<RideSample> &samples, std::size_t window, Value value,
                               Counted counted)
{
    if (window == 0 || samples.size() < window)
        return std::nullopt;
    long long sum = 0;
    std::size_t readings = 0;
    std::optional<double> best;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (counted(samples[i])) {
            sum += value(samples[i]);
            ++readings;
        }
        if (i >= window && counted(samples[i - window])) {
            sum -= value(samples[i - window]);
            --readings;
        }
        if (i + 1 >= window && readings > 0) {
            const double mean = static_cast<double>(sum) / static_cast<double>(readings);
            if (!best || mean > *best)
                best = mean;
        }
    }
    return best;
}

RideBests BestsOf(const Ride &ride)
{
    RideBests bests;
    const auto all = [](const RideSample &) { return true; };
    for (std::size_t w = 0; w < BestWindowSeconds.size(); ++w) {
        const std::size_t window = static_cast<std::size_t>(BestWindowSeconds[w] / SampleSeconds);
        if (ride.hasSpeed) {
            bests.speed[w] = BestMean(ride.samples, window, [](const RideSample &s) { return s.speed; }, all);
            if (bests.speed[w])
                *bests.speed[w] /= 10; // tenths of km/h
        }
        if (ride.hasHeartRate)
            bests.heartRate[w] = BestMean(
                ride.samples, window, [](const RideSample &s) { return s.heartRate; },
                [](const RideSample &s) { return s.heartRate > 0; });
        if (ride.hasCadence)
            bests.cadence[w] = BestMean(ride.samples, window, [](const RideSample &s) { return s.cadence; }, all);
    }
    return bests;
}

} // namespace

RideMetrics ComputeRideMetrics(const Ride &ride, const Profile &profile, int accountGender)
{
    RideMetrics metrics;
    metrics.hrMax = MaxHeartRate(ride, profile);
    metrics.hrRest = profile.restHr > 0 ? profile.restHr : 60;
    if (ride.hasHeartRate) {
        metrics.zoneSeconds = ZoneSeconds(ride, profile, metrics.hrMax);
        // A maximum at or below the resting rate leaves no reserve: no load.
        if (metrics.hrMax > metrics.hrRest)
            metrics.trimp = Trimp(ride, metrics.hrMax, metrics.hrRest, IsFemale(profile, accountGender));
    }
    if (ride.hasSpeed)
        metrics.movingSeconds = SampleSeconds * static_cast<int>(std::count_if(
                                                    ride.samples.begin(), ride.samples.end(),
                                                    [](const RideSample &s) { return s.speed > 0; }));
    else
        metrics.movingSeconds = ride.totals.seconds;
    metrics.bests = BestsOf(ride);
    return metrics;
}

RideSummary SummarizeRide(const Ride &ride, const RideMetrics &metrics)
{
    RideSummary summary;
    summary.name = ride.name;
    summary.year = ride.year;
    summary.month = ride.month;
    summary.day = ride.day;
    summary.hour = ride.hour;
    summary.minute = ride.minute;
    summary.second = ride.second;
    summary.seconds = ride.totals.seconds;
    summary.distance = ride.totals.distance;
    summary.kcal = ride.kcal;
    summary.metrics = metrics;
    return summary;
}
