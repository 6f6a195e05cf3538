// Spreadsheet rows: elapsed time, seconds, heart rate, cadence, speed in
// km/h and distance in km per sample. Values of a sensor that was not
// present stay empty.
#include "export/Formats.h"
#include "export/Ride.h"

#include <cstdio>

namespace {

// A field quoted as RFC 4180 wants it: in double quotes, quotes doubled,
// when it holds a comma, a quote or a line end.
std::string CsvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

// value / divisor with the given number of decimals, "." as the point.
std::string Fixed(int value, int divisor, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d.%0*d", value / divisor, decimals, value % divisor);
    return text;
}

} // namespace

std::string CsvBytes(const ExportRide &ride)
{
    static const char *const header[] = {"elapsed time", "seconds",      "heart rate",
                                         "cadence",      "speed (km/h)", "distance (km)"};
    std::string out;
    out.reserve(48 * (ride.samples.size() + 1));
    for (const char *field : header)
        out += CsvField(field) + ",";
    out.back() = '\r';
    out += '\n';
    for (std::size_t i = 0; i < ride.samples.size(); ++i) {
        const ExportSample &s = ride.samples[i];
        const int seconds = static_cast<int>(i) * SampleSeconds;
        char time[48];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d,%d,", seconds / 3600, seconds / 60 % 60, seconds % 60,
                      seconds);
        out += time;
        if (ride.hasHeartRate)
            out += std::to_string(s.heartRate);
        out += ',';
        if (ride.hasCadence)
            out += std::to_string(s.cadence);
        out += ',';
        if (ride.hasSpeed)
            out += Fixed(s.speed, 10, 1) + "," + Fixed(s.distance, 100, 2);
        else
            out += ',';
        out += "\r\n";
    }
    return out;
}
