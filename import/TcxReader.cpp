// TrainingCenterDatabase v2: Activities/Activity/Lap (StartTime, totals)
// /Track/Trackpoint (Time, Position, DistanceMeters, HeartRateBpm/Value,
// Cadence, Extensions/TPX/Speed). Each activity is a ride; each Track of a
// lap (a new one after a pause) a segment.
#include "import/Readers.h"
#include "import/XmlTracks.h"

#include <algorithm>

using xmltrack::Number;

namespace {

// The totals of a ride from its laps, where every lap states them.
void TotalsOfLaps(Track &track)
{
    TrackSpan &t = track.totals;
    if (track.laps.empty())
        return;
    t.startMs = track.laps.front().startMs;
    t.timerSeconds = t.distance = 0;
    t.kcal = 0;
    for (const TrackSpan &lap : track.laps) {
        const auto add = [](auto &sum, auto value) { sum = sum < 0 || value < 0 ? -1 : sum + value; };
        add(t.timerSeconds, lap.timerSeconds);
        add(t.distance, lap.distance);
        add(t.kcal, lap.kcal);
        t.hrMax = std::max(t.hrMax, lap.hrMax);
        t.speedMax = std::max(t.speedMax, lap.speedMax);
        t.cadenceMax = std::max(t.cadenceMax, lap.cadenceMax);
    }
}

class TcxReader {
public:
    explicit TcxReader(std::string_view bytes) : walk_(bytes) {}

    TrackFile read()
    {
        return xmltrack::WalkTracks(
            walk_, file_, error_, [this] { start(); }, [this] { end(); }, "the TCX file holds no activity");
    }

private:
    bool is(const char *name, std::size_t up = 0) const { return walk_.name(up) == QLatin1String(name); }

    void start()
    {
        if (is("Activity") && is("Activities", 1)) {
            if (file_.tracks.size() >= importlimit::Rides)
                error_ = "the TCX file holds more than " + std::to_string(importlimit::Rides) + " activities";
            track_ = Track();
            inActivity_ = true;
            points_ = 0;
        } else if (!inActivity_) {
        } else if (is("Lap") && is("Activity", 1)) {
            if (track_.laps.size() >= importlimit::Laps)
                error_ = "the TCX file holds more than " + std::to_string(importlimit::Laps) + " laps";
            lap_ = TrackSpan();
            xmltrack::ParseTime(walk_.attribute("StartTime"), lap_.startMs);
        } else if (is("Track") && is("Lap", 1)) {
            ++segment_;
        } else if (is("Trackpoint")) {
            point_ = TrackPoint();
            point_.segment = segment_;
            hasTime_ = false;
        }
    }

    void end()
    {
        if (!inActivity_)
            return;
        const QString &text = walk_.text();
        if (walk_.inside("Trackpoint")) {
            point(text);
        } else if (is("Lap") && is("Activity", 1)) {
            if (lap_.startMs >= 0 && lap_.timerSeconds >= 0 && lap_.endMs < 0)
                lap_.endMs = lap_.startMs + static_cast<std::int64_t>(lap_.timerSeconds * 1000);
            track_.laps.push_back(lap_);
        } else if (walk_.inside("Lap") && !walk_.inside("Track")) {
            lapValue(text);
        } else if (is("Activity")) {
            inActivity_ = false;
            TotalsOfLaps(track_);
            if (!track_.points.empty() || !track_.laps.empty())
                file_.tracks.push_back(std::move(track_));
        }
    }

    void point(const QString &text)
    {
        if (is("Trackpoint")) {
            if (!hasTime_)
                return; // a point without time cannot be placed
            if (++points_ > importlimit::Points) {
                error_ = "the TCX file holds more than " + std::to_string(importlimit::Points) + " points";
                return;
            }
            track_.points.push_back(point_);
            lap_.endMs = std::max(lap_.endMs, point_.ms);
        } else if (is("Time")) {
            hasTime_ = xmltrack::ParseTime(text, point_.ms);
        } else if (is("LatitudeDegrees")) {
            point_.lat = Number(text, point_.lat);
        } else if (is("LongitudeDegrees")) {
            point_.lon = Number(text, point_.lon);
        } else if (is("DistanceMeters")) {
            point_.distance = Number(text);
        } else if (is("Value") && is("HeartRateBpm", 1)) {
            point_.heartRate = static_cast<int>(std::clamp(Number(text), -1.0, 1000.0));
        } else if (is("Cadence")) {
            point_.cadence = static_cast<int>(std::clamp(Number(text), -1.0, 1000.0));
        } else if (is("Speed") && walk_.inside("Extensions")) {
            point_.speed = Number(text);
        }
    }

    void lapValue(const QString &text)
    {
        const auto integer = [&text] { return static_cast<int>(std::clamp(Number(text), -1.0, 1e6)); };
        if (is("TotalTimeSeconds"))
            lap_.timerSeconds = Number(text);
        else if (is("DistanceMeters"))
            lap_.distance = Number(text);
        else if (is("MaximumSpeed"))
            lap_.speedMax = Number(text);
        else if (is("Calories"))
            lap_.kcal = integer();
        else if (is("Value") && is("AverageHeartRateBpm", 1))
            lap_.hrAvg = integer();
        else if (is("Value") && is("MaximumHeartRateBpm", 1))
            lap_.hrMax = integer();
        else if (is("Cadence"))
            lap_.cadenceAvg = integer();
        else if (is("AvgSpeed") && walk_.inside("Extensions"))
            lap_.speedAvg = Number(text);
        else if (is("MaxBikeCadence") && walk_.inside("Extensions"))
            lap_.cadenceMax = integer();
    }

    xmltrack::Walker walk_;
    TrackFile file_;
    std::string error_;
    Track track_;
    TrackSpan lap_;
    TrackPoint point_;
    bool inActivity_ = false, hasTime_ = false;
    int segment_ = 0;
    std::size_t points_ = 0;
};

} // namespace

TrackFile ReadTcx(std::string_view bytes)
{
    return TcxReader(bytes).read();
}
