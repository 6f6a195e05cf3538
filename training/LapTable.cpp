#include "training/LapTable.h"

#include <cstdio>

namespace {

std::string Decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace

LapRow LapHeadings(bool imperial)
{
    const std::string distance = imperial ? "Distance (mi)" : "Distance (km)";
    const std::string speed = imperial ? " (mph)" : " (km/h)";
    return {"Lap",          "Split Time",    "Lap Time",  distance,    "Avg Speed" + speed, "Max Speed" + speed,
            "Avg HR (bpm)", "Max HR (bpm)", "Avg RPM",    "Max RPM"};
}

bool ImperialRide(const Ride &ride) { return ride.settings.unit == 1; }

std::vector<LapRow> LapRows(const Ride &ride)
{
    const double factor = ImperialRide(ride) ? MilesPerKm : 1.0;
    std::vector<LapRow> rows;
    rows.reserve(ride.laps.size());
    for (std::size_t i = 0; i < ride.laps.size(); ++i) {
        const RideLap &lap = ride.laps[i];
        rows.push_back({std::to_string(i + 1), ClockText(lap.splitSeconds), ClockText(lap.seconds),
                        Decimal(lap.distance / 10.0 * factor), Decimal(lap.speedAvg / 10.0 * factor),
                        Decimal(lap.speedMax / 10.0 * factor), std::to_string(lap.hrAvg), std::to_string(lap.hrMax),
                        std::to_string(lap.cadenceAvg), std::to_string(lap.cadenceMax)});
    }
    return rows;
}

std::string LapTableText(const LapRow &headings, const std::vector<LapRow> &rows)
{
    std::string text;
    const auto line = [&text](const LapRow &row) {
        for (std::size_t c = 0; c < row.size(); ++c)
            text += (c ? "\t" : "") + row[c];
        text += "\r\n";
    };
    line(headings);
    for (const LapRow &row : rows)
        line(row);
    return text;
}

std::string ClockText(int seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}
