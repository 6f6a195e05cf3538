// GPX 1.1: gpx/trk/trkseg/trkpt (lat, lon) with time and, in its
// extensions, heart rate and cadence of the TrackPointExtension ("hr",
// "cad", also "speed"). Each track is a ride, each segment a span of
// its own: no distance is counted between two.
#include "import/Readers.h"
#include "import/XmlTracks.h"

#include <algorithm>

using xmltrack::Number;

namespace {

class GpxReader {
public:
    explicit GpxReader(std::string_view bytes) : walk_(bytes) {}

    TrackFile read()
    {
        return xmltrack::WalkTracks(
            walk_, file_, error_, [this] { start(); }, [this] { end(); }, "the GPX file holds no track with times");
    }

private:
    bool is(const char *name, std::size_t up = 0) const { return walk_.name(up) == QLatin1String(name); }

    void start()
    {
        if (is("trk") && is("gpx", 1)) {
            if (file_.tracks.size() >= importlimit::Rides)
                error_ = "the GPX file holds more than " + std::to_string(importlimit::Rides) + " tracks";
            track_ = Track();
        } else if (is("trkseg") && is("trk", 1)) {
            ++segment_;
        } else if (is("trkpt") && is("trkseg", 1)) {
            point_ = TrackPoint();
            point_.segment = segment_;
            point_.lat = Number(walk_.attribute("lat"), point_.lat);
            point_.lon = Number(walk_.attribute("lon"), point_.lon);
            hasTime_ = false;
        }
    }

    void end()
    {
        const QString &text = walk_.text();
        if (is("trkpt") && is("trkseg", 1)) {
            if (!hasTime_)
                return; // a point without time cannot be placed
            if (++points_ > importlimit::Points) {
                error_ = "the GPX file holds more than " + std::to_string(importlimit::Points) + " points";
                return;
            }
            track_.points.push_back(point_);
        } else if (!walk_.inside("trkpt")) {
            if (is("trk") && is("gpx", 1)) {
                if (!track_.points.empty())
                    file_.tracks.push_back(std::move(track_));
            }
        } else if (is("time") && is("trkpt", 1)) {
            hasTime_ = xmltrack::ParseTime(text, point_.ms);
        } else if (walk_.inside("extensions")) {
            if (is("hr"))
                point_.heartRate = static_cast<int>(std::clamp(Number(text), -1.0, 1000.0));
            else if (is("cad"))
                point_.cadence = static_cast<int>(std::clamp(Number(text), -1.0, 1000.0));
            else if (is("speed"))
                point_.speed = Number(text);
        }
    }

    xmltrack::Walker walk_;
    TrackFile file_;
    std::string error_;
    Track track_;
    TrackPoint point_;
    bool hasTime_ = false;
    int segment_ = 0;
    std::size_t points_ = 0;
};

} // namespace

TrackFile ReadGpx(std::string_view bytes)
{
    return GpxReader(bytes).read();
}
