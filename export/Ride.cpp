#include "export/Ride.h"

#include "store/Databasecontroler.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>

namespace {

// Decimal integer of a text; 0 when it is none (a missing key).
int IntegerOf(const std::string &text)
{
    int value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return (ec == std::errc() && ptr == end) ? value : 0;
}

// Every value of the header and the laps is one byte or one word on the
// device; a record from elsewhere cannot reach past that, so no sum or
// scale of them overflows.
constexpr int ByteMax = 255, WordMax = 65535;

int FieldOf(const std::string &text, int max)
{
    return std::clamp(IntegerOf(text), 0, max);
}

int SecondsOf(int hours, int minutes, int seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

// The keys of a lap's values and of the same totals of the whole exercise.
struct SpanKeys {
    const char *hour, *minute, *second, *distance, *hrAvg, *hrMax, *speedAvg, *speedMax, *cadenceAvg, *cadenceMax;
};
constexpr SpanKeys LapKeys{"LAP_HOUR",      "LAP_MIN",       "LAP_SEC",    "LAP_DIST",  "LAP_HRM_AVG",
                           "LAP_HRM_MAX",   "LAP_SPEED_AVG", "LAP_SPEED_MAX", "LAP_CA_AVG", "LAP_CA_MAX"};
constexpr SpanKeys TotalKeys{"EXEHOUR", "EXEMIN",    "EXESEC",    "DISTANCE", "HRM_AVG",
                             "HRM_MAX", "SPEED_AVG", "SPEED_MAX", "CA_AVG",   "CA_MAX"};

// value(key, max): the integer of a key, within 0..max.
template <typename Value>
ExportLap SpanOf(const Value &value, const SpanKeys &keys)
{
    ExportLap span;
    span.seconds = SecondsOf(value(keys.hour, ByteMax), value(keys.minute, ByteMax), value(keys.second, ByteMax));
    span.distance = value(keys.distance, WordMax);
    span.hrAvg = value(keys.hrAvg, ByteMax);
    span.hrMax = value(keys.hrMax, ByteMax);
    span.speedAvg = value(keys.speedAvg, WordMax);
    span.speedMax = value(keys.speedMax, WordMax);
    span.cadenceAvg = value(keys.cadenceAvg, ByteMax);
    span.cadenceMax = value(keys.cadenceMax, ByteMax);
    return span;
}

// Key lines of one lap, by their exact key.
using LapLines = std::map<std::string, std::string>;

ExportLap LapOf(const LapLines &lines)
{
    const auto value = [&lines](const char *key, int max) {
        const auto it = lines.find(key);
        return it == lines.end() ? 0 : FieldOf(it->second, max);
    };
    ExportLap lap = SpanOf(value, LapKeys);
    const int split =
        SecondsOf(value("LAP_HOUR_SLP", ByteMax), value("LAP_MIN_SLP", ByteMax), value("LAP_SEC_SLP", ByteMax));
    lap.startOffset = std::max(0, split - lap.seconds);
    return lap;
}

// The laps of the "[LAP Data]" section: each "$LAP$" line starts one, its
// key lines follow until the next lap or the sensor section.
std::vector<ExportLap> LapsOf(const std::vector<std::string> &lines)
{
    std::vector<ExportLap> laps;
    auto line = std::find(lines.begin(), lines.end(), "[LAP Data]");
    if (line == lines.end())
        return laps;
    std::vector<LapLines> found;
    for (++line; line != lines.end() && line->rfind('[', 0) != 0; ++line) {
        if (line->rfind("$LAP$", 0) == 0) {
            found.emplace_back();
            continue;
        }
        const auto eq = line->find('=');
        const auto semicolon = line->find(';');
        if (found.empty() || eq == std::string::npos || semicolon == std::string::npos || semicolon < eq)
            continue;
        found.back().emplace(line->substr(0, eq), line->substr(eq + 1, semicolon - eq - 1));
    }
    for (const LapLines &lap : found)
        laps.push_back(LapOf(lap));
    return laps;
}

// Values of a series line ("72,75,80,"). False when a value is no number
// or beyond what a sample can hold (eight digits: ten times the largest
// distance in tens of metres still fits an int).
bool SeriesValues(const std::string &line, std::vector<int> &values)
{
    constexpr int SampleMax = 99999999;
    values.clear();
    const char *p = line.data();
    const char *const end = p + line.size();
    while (p < end) {
        int value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc() || value < 0 || value > SampleMax || (next < end && *next != ','))
            return false;
        values.push_back(value);
        p = next < end ? next + 1 : next;
    }
    return true;
}

bool ReadSamples(TKorvanDataBase &db, std::vector<ExportSample> &samples, std::string &error)
{
    static const char *const headings[] = {"#HRM", "#RPM", "#SPD_SPEED", "#SPD_SumDistance"};
    std::vector<int> series[4];
    for (int i = 0; i < 4; ++i) {
        db.ReadSeries(headings[i]);
        if (!SeriesValues(db.SeriesText, series[i])) {
            error = std::string("the series ") + headings[i] + " holds a value that is not a sample's number";
            return false;
        }
        if (series[i].size() != series[0].size()) {
            error = std::string("the series ") + headings[i] + " and #HRM differ in length";
            return false;
        }
    }
    samples.resize(series[0].size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = {series[0][i], series[1][i], series[2][i], series[3][i]};
    return true;
}

// A local time as seconds since 1970 UTC. A time that the clock skipped
// when summer time began (a device clock set by hand shows it) is taken
// with the offset in force before the change.
std::int64_t UtcOfLocal(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    const QDateTime local(date, time, zone);
    if (local.isValid())
        return local.toSecsSinceEpoch();
    const std::int64_t asUtc = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    return asUtc - zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(asUtc - 86400, Qt::UTC));
}

} // namespace

bool ReadExportRide(const std::string &recordPath, const QTimeZone &zone, ExportRide &ride,
                    std::string &error)
{
    const std::filesystem::path path(recordPath);
    TKorvanDataBase db;
    db.RiderFolder = path.has_parent_path() ? path.parent_path().string() + "/" : "./";
    if (db.ReadRecord(path.filename().string()) != 0 || db.RecordLines.empty()) {
        error = "cannot read " + recordPath;
        return false;
    }
    if (db.RecordLines.front() != "[File Head]") {
        error = recordPath + " is not a record file";
        return false;
    }
    const auto value = [&db](const char *key, int max = ByteMax) { return FieldOf(db.ValueOf(key), max); };

    ride = ExportRide();
    ride.year = 2000 + value("YEAR");
    ride.month = value("MONTH");
    ride.day = value("DAY");
    ride.hour = value("HOUR");
    ride.minute = value("MINUTE");
    ride.second = value("SECOND");
    const QDate date(ride.year, ride.month, ride.day);
    const QTime time(ride.hour, ride.minute, ride.second);
    if (!date.isValid() || !time.isValid()) {
        error = "the start time of " + recordPath + " is not a valid date and time";
        return false;
    }
    ride.startUtc = UtcOfLocal(date, time, zone);

    ride.totals = SpanOf(value, TotalKeys);
    ride.kcal = value("KCAL", WordMax);
    ride.hasHeartRate = value("HRM_EXIST") == 1;
    ride.hasCadence = value("CAD_EXIST") == 1;
    ride.hasSpeed = value("SPD_EXIST") == 1;

    if (!ReadSamples(db, ride.samples, error)) {
        error = recordPath + ": " + error;
        return false;
    }
    const int lastSample = ride.samples.empty() ? 0 : static_cast<int>(ride.samples.size() - 1) * SampleSeconds;
    ride.elapsedSeconds = std::max(ride.totals.seconds, lastSample);
    const QDateTime end = QDateTime::fromSecsSinceEpoch(ride.startUtc + ride.elapsedSeconds, zone);
    ride.endUtcOffset = zone.offsetFromUtc(end);

    ride.laps = LapsOf(db.RecordLines);
    if (ride.laps.empty())
        ride.laps.push_back(ride.totals);
    return true;
}
