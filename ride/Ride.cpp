// Reading a record file into a Ride: the sections in their order, the key
// lines of each, the laps and the series, each checked once.
#include "ride/Ride.h"

#include "store/NarrowFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <string_view>

namespace {

using Lines = std::vector<std::string_view>;

// Every value of the header and the laps is one byte or one word on the
// device; a record from elsewhere is held to that, so no sum or scale of
// them overflows.
constexpr int ByteMax = 255, WordMax = 65535;
// A series value: eight digits (ten times the largest distance in tens of
// metres still fits an int).
constexpr int SampleValueMax = 99999999;

// The value of a decimal text of digits only, held to SaturatedMax so a
// long run of digits stays a large number; none for anything else.
constexpr int SaturatedMax = 100000000;
bool DecimalOf(std::string_view text, int &value)
{
    if (text.empty())
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = std::min(SaturatedMax, value * 10 + (c - '0'));
    }
    return true;
}

// The key lines of a section, "KEY=value;", by exact key; the first line
// of a key counts.
class KeyLines {
public:
    KeyLines(const Lines &lines, std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i) {
            const std::string_view line = lines[i];
            const std::size_t eq = line.find('=');
            const std::size_t semicolon = line.find(';');
            if (eq == std::string_view::npos || semicolon == std::string_view::npos || semicolon < eq)
                continue;
            const std::string_view key = line.substr(0, eq);
            if (!Find(key))
                keys_.push_back({key, line.substr(eq + 1, semicolon - eq - 1)});
        }
    }
    const std::string_view *Find(std::string_view key) const
    {
        for (const auto &[k, value] : keys_)
            if (k == key)
                return &value;
        return nullptr;
    }
    // The decimal value held to 0..max; 0 when missing or no number.
    int Field(std::string_view key, int max = ByteMax) const
    {
        int value = 0;
        const std::string_view *text = Find(key);
        return text && DecimalOf(*text, value) ? std::min(value, max) : 0;
    }
    // An address value "0x1F"; 0 when missing or malformed.
    int Address(std::string_view key) const
    {
        const std::string_view *text = Find(key);
        int value = 0;
        if (!text || text->size() != 4 || text->substr(0, 2) != "0x")
            return 0;
        const auto [end, ec] = std::from_chars(text->data() + 2, text->data() + 4, value, 16);
        return ec == std::errc() && end == text->data() + 4 ? value : 0;
    }

private:
    std::vector<std::pair<std::string_view, std::string_view>> keys_;
};

int SecondsOf(const KeyLines &keys, std::string_view hour, std::string_view minute, std::string_view second)
{
    return keys.Field(hour) * 3600 + keys.Field(minute) * 60 + keys.Field(second);
}

// The start fields: present, decimal and within their range, and a date
// and time that exist.
// The keys of the values a lap and the whole exercise share.
struct SpanKeys {
    const char *hour, *minute, *second, *distance, *hrAvg, *hrMax, *speedAvg, *speedMax, *cadenceAvg, *cadenceMax;
};
constexpr SpanKeys TotalKeys{"EXEHOUR", "EXEMIN",    "EXESEC",    "DISTANCE", "HRM_AVG",
                             "HRM_MAX", "SPEED_AVG", "SPEED_MAX", "CA_AVG",   "CA_MAX"};
constexpr SpanKeys LapSpanKeys{"LAP_HOUR",    "LAP_MIN",       "LAP_SEC",       "LAP_DIST",   "LAP_HRM_AVG",
                               "LAP_HRM_MAX", "LAP_SPEED_AVG", "LAP_SPEED_MAX", "LAP_CA_AVG", "LAP_CA_MAX"};

void ReadSpan(const KeyLines &keys, const SpanKeys &names, RideSpan &span)
{
    span.seconds = SecondsOf(keys, names.hour, names.minute, names.second);
    span.distance = keys.Field(names.distance, WordMax);
    span.hrAvg = keys.Field(names.hrAvg);
    span.hrMax = keys.Field(names.hrMax);
    span.speedAvg = keys.Field(names.speedAvg, WordMax);
    span.speedMax = keys.Field(names.speedMax, WordMax);
    span.cadenceAvg = keys.Field(names.cadenceAvg);
    span.cadenceMax = keys.Field(names.cadenceMax);
}

bool ReadStart(const KeyLines &head, const std::string &path, Ride &ride, std::string &error)
{
    struct StartField {
        const char *key;
        int min, max;
        int *value;
    };
    // The year is kept within its century, from 2000.
    const StartField fields[] = {{"YEAR", 0, 99, &ride.year},   {"MONTH", 1, 12, &ride.month},
                                 {"DAY", 1, 31, &ride.day},     {"HOUR", 0, 23, &ride.hour},
                                 {"MINUTE", 0, 59, &ride.minute}, {"SECOND", 0, 59, &ride.second}};
    for (const StartField &field : fields) {
        const std::string_view *text = head.Find(field.key);
        if (!text) {
            error = path + ": the start field " + field.key + " is missing";
            return false;
        }
        const std::string shown = std::string(field.key) + "=" + std::string(*text);
        if (!DecimalOf(*text, *field.value)) {
            error = path + ": the start field " + shown + " is not a decimal number";
            return false;
        }
        if (*field.value < field.min || *field.value > field.max) {
            error = path + ": the start field " + shown + " is out of range (" + std::to_string(field.min) + " to " +
                    std::to_string(field.max) + ")";
            return false;
        }
    }
    ride.year += 2000;
    using namespace std::chrono;
    const year_month_day date{year(ride.year), month(static_cast<unsigned>(ride.month)),
                              day(static_cast<unsigned>(ride.day))};
    if (!date.ok()) {
        error = "the start time of " + path + " is not a valid date and time";
        return false;
    }
    return true;
}

void ReadHeader(const KeyLines &head, Ride &ride)
{
    RideSettings &s = ride.settings;
    s.unit = head.Field("UNIT");
    s.gender = head.Field("GENDER");
    s.age = head.Field("AGE");
    s.height = head.Field("HEIGHT");
    s.weight = head.Field("WEIGHT");
    s.wheel = head.Field("WHEEL", WordMax);
    s.vo2max = head.Field("VO2MAX");
    s.hrIndex = head.Field("SET_HR_IDX");
    s.hrMax = head.Field("SET_HR_MAX");
    s.hrLimitLow = head.Field("SET_HR_LIMIT_L");
    s.hrLimitHigh = head.Field("SET_HR_LIMIT_H");
    s.inZoneSeconds = SecondsOf(head, "INZONE_HOUR", "INZONE_MIN", "INZONE_SEC");

    ReadSpan(head, TotalKeys, ride.totals);
    ride.kcal = head.Field("KCAL", WordMax);
    ride.lapCount = head.Field("LAPCOUNT");
    ride.bestLap = head.Field("BESTLAP");
}

// The key lines every lap holds.
constexpr std::array<const char *, 19> LapKeys{
    "LAP_IDX",       "LAP_HOUR_SLP",  "LAP_MIN_SLP",    "LAP_SEC_SLP",    "LAP_HOUR",
    "LAP_MIN",       "LAP_SEC",       "LAP_HRM_AVG",    "LAP_HRM_MAX",    "LAP_SPEED_AVG",
    "LAP_SPEED_MAX", "LAP_CA_AVG",    "LAP_CA_MAX",     "LAP_DIST",       "LAP_DIST_SPLIT",
    "LAP_PRE_ADDR_H", "LAP_PRE_ADDR_L", "LAP_NEXT_ADDR_H", "LAP_NEXT_ADDR_L"};

RideLap LapOf(const KeyLines &keys)
{
    RideLap lap;
    lap.index = keys.Field("LAP_IDX");
    lap.splitSeconds = SecondsOf(keys, "LAP_HOUR_SLP", "LAP_MIN_SLP", "LAP_SEC_SLP");
    ReadSpan(keys, LapSpanKeys, lap);
    lap.splitDistance = keys.Field("LAP_DIST_SPLIT", WordMax);
    lap.previousAddress = keys.Address("LAP_PRE_ADDR_H") * 256 + keys.Address("LAP_PRE_ADDR_L");
    lap.nextAddress = keys.Address("LAP_NEXT_ADDR_H") * 256 + keys.Address("LAP_NEXT_ADDR_L");
    return lap;
}

// The laps between "[LAP Data]" and "[SENSOR]": each "$LAP$" line starts
// one; each must hold all its key lines.
bool ReadLaps(const Lines &lines, std::size_t from, std::size_t to, const std::string &path, Ride &ride,
              std::string &error)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = from; i < to; ++i)
        if (lines[i].substr(0, 5) == "$LAP$")
            starts.push_back(i);
    starts.push_back(to);
    for (std::size_t n = 0; n + 1 < starts.size(); ++n) {
        const KeyLines keys(lines, starts[n] + 1, starts[n + 1]);
        for (const char *key : LapKeys) {
            if (!keys.Find(key)) {
                error = path + ": lap " + std::to_string(n + 1) + " lacks " + key;
                return false;
            }
        }
        ride.laps.push_back(LapOf(keys));
    }
    return true;
}

// The values of a series line ("72,75,80,"), at most filelimit::RecordSamples.
bool SeriesValues(std::string_view line, std::string_view heading, std::vector<int> &values, std::string &error)
{
    values.clear();
    const char *p = line.data();
    const char *const end = p + line.size();
    while (p < end) {
        if (values.size() == filelimit::RecordSamples) {
            error = "the series " + std::string(heading) + " holds more than " + std::to_string(filelimit::RecordSamples) +
                    " samples";
            return false;
        }
        const char *comma = std::find(p, end, ',');
        int value = 0;
        if (!DecimalOf(std::string_view(p, static_cast<std::size_t>(comma - p)), value) || value > SampleValueMax) {
            error = "the series " + std::string(heading) + " holds a value that is not a sample's number";
            return false;
        }
        values.push_back(value);
        p = comma < end ? comma + 1 : comma;
    }
    return true;
}

// The nine series of "[Flow Data]", each the line after its heading; all
// of the same length. The four a ride keeps become its samples.
bool ReadSamples(const Lines &lines, std::size_t from, const std::string &path, Ride &ride, std::string &error)
{
    static constexpr std::array<std::string_view, 9> headings{
        "#HRM", "#RPM", "#SPD_CNT", "#SPD_PerCNT", "#SPD_SumCNT", "#SPD_PerDistance", "#SPD_SumDistance",
        "#SPD_DT", "#SPD_SPEED"};
    constexpr std::size_t HeartRate = 0, Cadence = 1, Distance = 6, Speed = 8;
    std::array<std::vector<int>, 9> series;
    for (std::size_t h = 0; h < headings.size(); ++h) {
        const auto at = std::find(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), headings[h]);
        if (at == lines.end() || at + 1 == lines.end()) {
            error = path + ": the series " + std::string(headings[h]) + " is missing";
            return false;
        }
        if (!SeriesValues(*(at + 1), headings[h], series[h], error)) {
            error = path + ": " + error;
            return false;
        }
        if (series[h].size() != series[0].size()) {
            error = path + ": the series " + std::string(headings[h]) + " and #HRM differ in length";
            return false;
        }
    }
    ride.samples.resize(series[0].size());
    for (std::size_t i = 0; i < ride.samples.size(); ++i)
        ride.samples[i] = {series[HeartRate][i], series[Cadence][i], series[Speed][i], series[Distance][i]};
    return true;
}

} // namespace

std::vector<std::string> RecordPathsOf(const std::string &path)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec))
        return {path};
    std::vector<std::string> records;
    for (const std::string &name : ListEntries(path, EntryKind::PlainFile))
        if (EndsWithNoCase(name, ".TR9"))
            records.push_back((std::filesystem::path(path) / name).string());
    return records;
}

bool ReadRide(const std::string &recordPath, Ride &ride, std::string &error)
{
    std::string bytes;
    if (ReadFile(recordPath, bytes, filelimit::Record) != ReadStatus::Ok) {
        error = "cannot read " + recordPath;
        return false;
    }
    Lines lines;
    ForEachNarrowLine(bytes, [&](std::size_t start, std::size_t size) {
        lines.push_back(std::string_view(bytes).substr(start, size));
    });
    if (lines.empty() || lines.front() != "[File Head]") {
        error = recordPath + " is not a record file";
        return false;
    }
    // The sections in their order: each found after the one before.
    static constexpr std::array<std::string_view, 3> sections{"[LAP Data]", "[SENSOR]", "[Flow Data]"};
    std::array<std::size_t, 3> at{};
    std::size_t from = 1;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const auto found = std::find(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), sections[s]);
        if (found == lines.end()) {
            error = recordPath + ": the section " + std::string(sections[s]) + " is missing";
            return false;
        }
        at[s] = static_cast<std::size_t>(found - lines.begin());
        from = at[s] + 1;
    }

    ride = Ride();
    const std::size_t slash = recordPath.rfind('/');
    ride.name = slash == std::string::npos ? recordPath : recordPath.substr(slash + 1);
    const KeyLines head(lines, 1, at[0]);
    if (!ReadStart(head, recordPath, ride, error))
        return false;
    ReadHeader(head, ride);
    if (!ReadLaps(lines, at[0] + 1, at[1], recordPath, ride, error))
        return false;
    const KeyLines sensors(lines, at[1] + 1, at[2]);
    ride.hasHeartRate = sensors.Field("HRM_EXIST") == 1;
    ride.hasCadence = sensors.Field("CAD_EXIST") == 1;
    ride.hasSpeed = sensors.Field("SPD_EXIST") == 1;
    return ReadSamples(lines, at[2] + 1, recordPath, ride, error);
}
