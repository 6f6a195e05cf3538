#include "import/Resample.h"

#include "store/NarrowFile.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::int64_t WindowMs = SampleSeconds * 1000;

// Removes the points before start and those while the timer stood still
// (pauses in time order, as the readers give them), and numbers the spans
// of running time: epoch[i] of point i.
void KeepRunning(std::vector<TrackPoint> &points, const std::vector<TrackPause> &pauses, std::int64_t start,
                 std::vector<int> &epoch)
{
    std::size_t pause = 0, kept = 0;
    epoch.clear();
    for (const TrackPoint &p : points) {
        while (pause < pauses.size() && pauses[pause].startMs <= p.ms)
            ++pause;
        const bool paused = pause < pauses.size() && p.ms > pauses[pause].stopMs;
        if (p.ms < start || paused)
            continue;
        points[kept++] = p;
        epoch.push_back(static_cast<int>(pause));
    }
    points.resize(kept);
}

// Great-circle distance in metres.
double Metres(const TrackPoint &a, const TrackPoint &b)
{
    constexpr double Radius = 6371008.8, Rad = 3.14159265358979323846 / 180.0;
    const double dLat = (b.lat - a.lat) * Rad, dLon = (b.lon - a.lon) * Rad;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(a.lat * Rad) * std::cos(b.lat * Rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * Radius * std::asin(std::sqrt(std::min(1.0, h)));
}

bool HasPosition(const TrackPoint &p)
{
    return std::isfinite(p.lat) && std::isfinite(p.lon) && std::fabs(p.lat) <= 90 && std::fabs(p.lon) <= 180;
}

// Distances and speeds where the file has no sensor values: distances
// from the positions (or from the speeds over time), speeds from the
// distances. Nothing is counted across a pause or between GPX segments.
void DeriveValues(std::vector<TrackPoint> &points, const std::vector<int> &epoch)
{
    const auto has = [&points](auto member) {
        return std::any_of(points.begin(), points.end(), [member](const TrackPoint &p) { return p.*member >= 0; });
    };
    const bool hasDistance = has(&TrackPoint::distance), hasSpeed = has(&TrackPoint::speed);
    const auto joined = [&points, &epoch](std::size_t a, std::size_t b) {
        return points[a].segment == points[b].segment && epoch[a] == epoch[b] && points[b].ms > points[a].ms;
    };
    if (!hasDistance) {
        const bool hasPositions = std::any_of(points.begin(), points.end(), HasPosition);
        if (!hasPositions && !hasSpeed)
            return;
        double total = 0;
        std::size_t last = SIZE_MAX;
        for (std::size_t i = 0; i < points.size(); ++i) {
            TrackPoint &p = points[i];
            if (hasPositions ? !HasPosition(p) : p.speed < 0)
                continue;
            if (last != SIZE_MAX && joined(last, i))
                total += hasPositions ? Metres(points[last], p)
                                      : p.speed * static_cast<double>(p.ms - points[last].ms) / 1000.0;
            p.distance = total;
            last = i;
        }
    }
    if (!hasSpeed) {
        std::size_t last = SIZE_MAX;
        for (std::size_t i = 0; i < points.size(); ++i) {
            TrackPoint &p = points[i];
            if (p.distance < 0)
                continue;
            if (last != SIZE_MAX && joined(last, i))
                p.speed = std::max(0.0, p.distance - points[last].distance) * 1000.0 /
                          static_cast<double>(p.ms - points[last].ms);
            last = i;
        }
    }
}

// The record's units. Distances are truncated, speeds rounded.
int TenthsKm(double metres)
{
    return static_cast<int>(std::min(metres, 1e9) / 100.0);
}
int TenthsKmh(double ms)
{
    return static_cast<int>(std::lround(std::min(ms, 1e6) * 36.0));
}
int Rounded(double value)
{
    return static_cast<int>(std::lround(std::min(value, 1e9)));
}

// The statistics of the points of [from, to]: what a span takes where the
// file states nothing.
struct PointStats {
    double hrSum = 0, cadenceSum = 0;
    long hrCount = 0, cadenceCount = 0;
    int hrMax = 0, cadenceMax = 0;
    double speedMax = 0;
    double lastDistance = -1;
};

PointStats StatsOf(const std::vector<TrackPoint> &points, std::int64_t from, std::int64_t to)
{
    PointStats s;
    const auto begin = std::lower_bound(points.begin(), points.end(), from,
                                        [](const TrackPoint &p, std::int64_t ms) { return p.ms < ms; });
    for (auto it = begin; it != points.end() && it->ms <= to; ++it) {
        if (it->heartRate > 0) {
            s.hrSum += it->heartRate;
            ++s.hrCount;
            s.hrMax = std::max(s.hrMax, it->heartRate);
        }
        if (it->cadence >= 0) {
            s.cadenceSum += it->cadence;
            ++s.cadenceCount;
            s.cadenceMax = std::max(s.cadenceMax, it->cadence);
        }
        s.speedMax = std::max(s.speedMax, it->speed);
        if (it->distance >= 0)
            s.lastDistance = it->distance;
    }
    return s;
}

// Seconds of [from, to] that the timer ran.
double TimerSeconds(const std::vector<TrackPause> &pauses, std::int64_t from, std::int64_t to)
{
    std::int64_t ms = std::max<std::int64_t>(0, to - from);
    for (const TrackPause &p : pauses)
        ms -= std::max<std::int64_t>(0, std::min(to, p.startMs) - std::max(from, p.stopMs));
    return static_cast<double>(std::max<std::int64_t>(0, ms)) / 1000.0;
}

// A lap or the whole: the file's values, else those of the points.
RideSpan SpanOf(const TrackSpan &file, const std::vector<TrackPoint> &points, const std::vector<TrackPause> &pauses,
                std::int64_t from, std::int64_t to, double startDistance)
{
    const PointStats s = StatsOf(points, from, to);
    RideSpan span;
    const double seconds = file.timerSeconds >= 0 ? file.timerSeconds : TimerSeconds(pauses, from, to);
    span.seconds = Rounded(seconds);
    double metres = file.distance;
    if (metres < 0)
        metres = s.lastDistance >= 0 ? s.lastDistance - std::max(0.0, startDistance) : 0;
    span.distance = TenthsKm(std::max(0.0, metres));
    span.hrAvg = file.hrAvg >= 0 ? file.hrAvg : s.hrCount ? Rounded(s.hrSum / static_cast<double>(s.hrCount)) : 0;
    span.hrMax = file.hrMax >= 0 ? file.hrMax : s.hrMax;
    span.cadenceAvg = file.cadenceAvg >= 0  ? file.cadenceAvg
                      : s.cadenceCount ? Rounded(s.cadenceSum / static_cast<double>(s.cadenceCount))
                                       : 0;
    span.cadenceMax = file.cadenceMax >= 0 ? file.cadenceMax : s.cadenceMax;
    span.speedAvg = file.speedAvg >= 0 ? TenthsKmh(file.speedAvg) : seconds > 0 ? TenthsKmh(metres / seconds) : 0;
    span.speedMax = TenthsKmh(file.speedMax >= 0 ? file.speedMax : s.speedMax);
    return span;
}

// The distance reached at ms (the last value at or before it), or 0.
double DistanceAt(const std::vector<TrackPoint> &points, std::int64_t ms)
{
    auto at = std::upper_bound(points.begin(), points.end(), ms,
                               [](std::int64_t t, const TrackPoint &p) { return t < p.ms; });
    while (at != points.begin())
        if ((--at)->distance >= 0)
            return at->distance;
    return 0;
}

struct Window {
    double hr = 0, cadence = 0, speed = 0;
    int hrCount = 0, cadenceCount = 0, speedCount = 0;
};

void Samples(const std::vector<TrackPoint> &points, std::int64_t start, std::size_t count, Ride &ride)
{
    std::vector<Window> windows(count);
    std::vector<double> reached(count, -1);
    for (const TrackPoint &p : points) {
        const auto i = static_cast<std::size_t>((p.ms - start) / WindowMs);
        Window &w = windows[i];
        if (p.heartRate > 0) {
            w.hr += p.heartRate;
            ++w.hrCount;
            ride.hasHeartRate = true;
        }
        if (p.cadence >= 0) {
            w.cadence += p.cadence;
            ++w.cadenceCount;
            ride.hasCadence = true;
        }
        if (p.speed >= 0) {
            w.speed += p.speed;
            ++w.speedCount;
            ride.hasSpeed = true;
        }
        if (p.distance >= 0) {
            reached[i] = std::max(reached[i], p.distance);
            ride.hasSpeed = true;
        }
    }
    const auto mean = [](double sum, int n) { return n ? sum / n : 0.0; };
    ride.samples.resize(count);
    double distance = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Window &w = windows[i];
        distance = std::max(distance, reached[i]);
        RideSample &s = ride.samples[i];
        s.heartRate = Rounded(mean(w.hr, w.hrCount));
        s.cadence = Rounded(mean(w.cadence, w.cadenceCount));
        s.speed = TenthsKmh(mean(w.speed, w.speedCount));
        s.distance = static_cast<int>(std::min(distance, 9.9e8) / 10.0);
    }
}

// The local start; false before 2000 or beyond what the record's year byte holds.
bool LocalStart(std::int64_t startMs, const QTimeZone &zone, Ride &ride, std::string &error)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(startMs, zone);
    const QDate date = local.date();
    const QTime time = local.time();
    if (!date.isValid() || date.year() < 2000 || date.year() > 2255) {
        error = "the ride starts in " + std::to_string(date.year()) + ": a record holds the years 2000 to 2255";
        return false;
    }
    ride.year = date.year();
    ride.month = date.month();
    ride.day = date.day();
    ride.hour = time.hour();
    ride.minute = time.minute();
    ride.second = time.second();
    return true;
}

} // namespace

bool RideOfTrack(Track track, const QTimeZone &zone, Ride &ride, std::string &error)
{
    ride = Ride();
    std::vector<TrackPoint> &points = track.points;
    std::stable_sort(points.begin(), points.end(),
                     [](const TrackPoint &a, const TrackPoint &b) { return a.ms < b.ms; });
    std::stable_sort(track.pauses.begin(), track.pauses.end(),
                     [](const TrackPause &a, const TrackPause &b) { return a.stopMs < b.stopMs; });
    std::int64_t start = track.totals.startMs;
    if (start < 0 && !points.empty())
        start = points.front().ms;
    if (start < 0) {
        error = "the file holds no ride (no times)";
        return false;
    }
    // Points before the start and while the timer stood still are not the ride's.
    std::vector<int> epoch;
    KeepRunning(points, track.pauses, start, epoch);
    DeriveValues(points, epoch);

    const std::int64_t last = points.empty() ? start : points.back().ms;
    const std::int64_t end = std::max({last, track.totals.endMs, start});
    const auto count = points.empty() ? std::size_t(0) : static_cast<std::size_t>((last - start) / WindowMs) + 1;
    if (count > filelimit::RecordSamples) {
        const std::int64_t hours = (last - start) / 3600000;
        error = "the ride lasts " + std::to_string(hours) + " hours: a record holds at most " +
                std::to_string(filelimit::RecordSamples * SampleSeconds / 3600) + " hours (" +
                std::to_string(filelimit::RecordSamples) + " samples of 10 s)";
        return false;
    }
    if (!LocalStart(start, zone, ride, error))
        return false;
    Samples(points, start, count, ride);
    ride.totals = SpanOf(track.totals, points, track.pauses, start, end, 0);
    ride.kcal = std::max(0, track.totals.kcal);

    // The laps in time order, at most as many as the record's lap count holds.
    std::stable_sort(track.laps.begin(), track.laps.end(),
                     [](const TrackSpan &a, const TrackSpan &b) { return a.startMs < b.startMs; });
    if (track.laps.size() > 255)
        track.laps.resize(255);
    int splitDistance = 0;
    for (const TrackSpan &lap : track.laps) {
        const std::int64_t from = std::max(lap.startMs, start);
        const std::int64_t to = lap.endMs >= from ? lap.endMs : end;
        RideLap rideLap;
        static_cast<RideSpan &>(rideLap) =
            SpanOf(lap, points, track.pauses, from, to, DistanceAt(points, from));
        rideLap.index = static_cast<int>(ride.laps.size()) + 1;
        const auto offset = std::min<std::int64_t>((from - start) / 1000, 1 << 24);
        rideLap.splitSeconds = static_cast<int>(offset) + rideLap.seconds;
        splitDistance += rideLap.distance;
        rideLap.splitDistance = splitDistance;
        ride.laps.push_back(rideLap);
    }
    ride.lapCount = static_cast<int>(ride.laps.size());
    if (ride.samples.empty() && ride.totals.seconds == 0 && ride.laps.empty()) {
        error = "the file holds no ride (no samples, no totals)";
        return false;
    }
    return true;
}
