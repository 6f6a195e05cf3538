#include "tools/StatsLines.h"

#include "store/NarrowFile.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace {

// The shortest text that reads back as the same double.
std::string Number(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Number(const std::optional<double> &value)
{
    return value ? Number(*value) : "null";
}

// A JSON string. A path that is not UTF-8 keeps its bytes as Latin-1
// characters, so the line stays valid JSON.
std::string Quoted(const std::string &text)
{
    const bool utf8 = IsValidUtf8(text);
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || (byte >= 0x80 && !utf8)) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Clock(int seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string StartText(const Ride &ride)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", ride.year, ride.month, ride.day, ride.hour,
                  ride.minute, ride.second);
    return text;
}

std::string ZonesJson(const RideMetrics &m)
{
    if (!m.zoneSeconds)
        return "null";
    std::string out = "[";
    for (std::size_t i = 0; i < m.zoneSeconds->size(); ++i)
        out += (i ? "," : "") + std::to_string((*m.zoneSeconds)[i]);
    return out + "]";
}

std::string BestJson(const std::array<std::optional<double>, 3> &best)
{
    std::string out = "{";
    for (std::size_t w = 0; w < best.size(); ++w)
        out += (w ? ",\"" : "\"") + std::to_string(BestWindowSeconds[w]) + "\":" + Number(best[w]);
    return out + "}";
}

// A lap as the record holds it: its key names, times in hours, minutes
// and seconds, the chain addresses as page tag and offset.
std::string LapJson(const RideLap &lap)
{
    const std::pair<const char *, int> fields[] = {
        {"LAP_IDX", lap.index},
        {"LAP_HOUR_SLP", lap.splitSeconds / 3600},
        {"LAP_MIN_SLP", lap.splitSeconds / 60 % 60},
        {"LAP_SEC_SLP", lap.splitSeconds % 60},
        {"LAP_HOUR", lap.seconds / 3600},
        {"LAP_MIN", lap.seconds / 60 % 60},
        {"LAP_SEC", lap.seconds % 60},
        {"LAP_HRM_AVG", lap.hrAvg},
        {"LAP_HRM_MAX", lap.hrMax},
        {"LAP_SPEED_AVG", lap.speedAvg},
        {"LAP_SPEED_MAX", lap.speedMax},
        {"LAP_CA_AVG", lap.cadenceAvg},
        {"LAP_CA_MAX", lap.cadenceMax},
        {"LAP_DIST", lap.distance},
        {"LAP_DIST_SPLIT", lap.splitDistance},
        {"LAP_PRE_ADDR_H", lap.previousAddress / 256},
        {"LAP_PRE_ADDR_L", lap.previousAddress % 256},
        {"LAP_NEXT_ADDR_H", lap.nextAddress / 256},
        {"LAP_NEXT_ADDR_L", lap.nextAddress % 256},
    };
    std::string out = "{";
    for (const auto &[key, value] : fields)
        out += (out.size() > 1 ? ",\"" : "\"") + std::string(key) + "\":" + std::to_string(value);
    return out + "}";
}

std::string RideJson(const std::string &file, const Ride &ride, const RideMetrics &m)
{
    std::string laps = "[";
    for (const RideLap &lap : ride.laps)
        laps += (laps.size() > 1 ? "," : "") + LapJson(lap);
    laps += "]";
    return "{\"file\":" + Quoted(file) + ",\"start\":\"" + StartText(ride) +
           "\",\"seconds\":" + std::to_string(ride.totals.seconds) +
           ",\"movingSeconds\":" + std::to_string(m.movingSeconds) +
           ",\"distanceKm\":" + Number(ride.totals.distance / 10.0) + ",\"hrMax\":" + std::to_string(m.hrMax) +
           ",\"hrRest\":" + std::to_string(m.hrRest) + ",\"zoneSeconds\":" + ZonesJson(m) +
           ",\"trimp\":" + Number(m.trimp) + ",\"best\":{\"speed\":" + BestJson(m.bests.speed) +
           ",\"heartRate\":" + BestJson(m.bests.heartRate) + ",\"cadence\":" + BestJson(m.bests.cadence) +
           "},\"laps\":" + laps + "}";
}

// A figure for a reader, one decimal; "-" for none.
std::string Shown(const std::optional<double> &value)
{
    if (!value)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", *value);
    return text;
}

std::string BestText(const std::array<std::optional<double>, 3> &best)
{
    return Shown(best[0]) + "/" + Shown(best[1]) + "/" + Shown(best[2]);
}

std::string RideText(const std::string &file, const Ride &ride, const RideMetrics &m)
{
    std::string zones = "-";
    if (m.zoneSeconds) {
        zones.clear();
        for (std::size_t i = 0; i < m.zoneSeconds->size(); ++i)
            zones += (i ? "," : "") + Clock((*m.zoneSeconds)[i]);
    }
    return file + "  " + StartText(ride) + "  time " + Clock(ride.totals.seconds) + "  moving " +
           Clock(m.movingSeconds) + "  " + Shown(ride.totals.distance / 10.0) + " km  HRmax " +
           std::to_string(m.hrMax) + "  HRrest " + std::to_string(m.hrRest) + "  zones " + zones + "  TRIMP " +
           Shown(m.trimp) + "  best 5/20/60 min: speed " + BestText(m.bests.speed) + " km/h, heart rate " +
           BestText(m.bests.heartRate) + ", cadence " + BestText(m.bests.cadence) + "  laps " +
           std::to_string(ride.laps.size());
}

} // namespace

std::string RideLine(const std::string &file, const Ride &ride, const RideMetrics &metrics, bool json)
{
    return json ? RideJson(file, ride, metrics) : RideText(file, ride, metrics);
}

std::string FitnessLine(const FitnessDay &day, bool json)
{
    const CalendarDate date = DateOfDay(day.day);
    char text[160];
    if (json) {
        std::snprintf(text, sizeof text, "{\"date\":\"%04d-%02d-%02d\",\"load\":", date.year, date.month, date.day);
        return text + Number(day.load) + ",\"ctl\":" + Number(day.ctl) + ",\"atl\":" + Number(day.atl) +
               ",\"tsb\":" + Number(day.tsb) + "}";
    }
    std::snprintf(text, sizeof text, "%04d-%02d-%02d  load %.1f  CTL %.1f  ATL %.1f  TSB %.1f", date.year,
                  date.month, date.day, day.load, day.ctl, day.atl, day.tsb);
    return text;
}

std::string SearchLine(const std::string &name, bool json)
{
    return json ? "{\"file\":" + Quoted(name) + "}" : name;
}
