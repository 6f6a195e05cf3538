#include "ride/RideRecordFile.h"

#include "record/RecordText.h"
#include "store/AtomicFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>

namespace {

using recordtext::AddressLine;
using recordtext::KeyLine;

int Byte(int value)
{
    return std::clamp(value, 0, 255);
}
int Word(int value)
{
    return std::clamp(value, 0, 65535);
}

std::string Hex(const std::uint8_t *bytes, std::size_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

// Day of the week, 0 Sunday.
int Weekday(int year, int month, int day)
{
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + offsets[(month + 11) % 12] + day) % 7;
}

class Text {
public:
    void line(std::string_view text)
    {
        out_ += text;
        out_ += "\r\n";
    }
    void key(std::string_view key, int value) { line(KeyLine(key, value)); }
    std::string out_;
};

// A header or lap field: its key, its bytes (one or two, high first), its value.
struct Field {
    const char *key;
    int offset;
    int size; // 1, 2, or 0: an address byte, written 0xHH
    int value;
};

void PutBytes(std::uint8_t *bytes, const Field &f)
{
    if (f.size == 2) {
        bytes[f.offset] = static_cast<std::uint8_t>(f.value >> 8);
        bytes[f.offset + 1] = static_cast<std::uint8_t>(f.value & 0xFF);
    } else {
        bytes[f.offset] = static_cast<std::uint8_t>(f.value);
    }
}

void Put(Text &text, const Field &f)
{
    if (f.size == 0)
        text.line(AddressLine(f.key, f.value));
    else
        text.key(f.key, f.value);
}

void Head(Text &text, const Ride &ride)
{
    const RideSettings &set = ride.settings;
    const RideSpan &t = ride.totals;
    const int exercise = std::clamp(t.seconds, 0, 255 * 3600 + 3599);
    const int inZone = std::clamp(set.inZoneSeconds, 0, 255 * 3600 + 3599);
    const int wheel = std::clamp(set.wheel, 0, 255 * 100 + 99);
    const auto B = [](const char *key, int offset, int value) { return Field{key, offset, 1, Byte(value)}; };
    const auto W = [](const char *key, int offset, int value) { return Field{key, offset, 2, Word(value)}; };
    const Field date[] = {B("YEAR", 0, ride.year - 2000),  B("MONTH", 1, ride.month),
                          B("DAY", 2, ride.day),           B("WEEKDAY", 3, Weekday(ride.year, ride.month, ride.day)),
                          B("HOUR", 4, ride.hour),         B("MINUTE", 5, ride.minute),
                          B("SECOND", 6, ride.second)};
    const Field setting[] = {B("UNIT", 31, set.unit),     B("GENDER", 32, set.gender), B("AGE", 33, set.age),
                             B("HEIGHT", 34, set.height), B("WEIGHT", 35, set.weight)};
    const Field exerciseFields[] = {
        B("EXEHOUR", 7, exercise / 3600),        B("EXEMIN", 8, exercise / 60 % 60),
        B("EXESEC", 9, exercise % 60),           B("INZONE_HOUR", 10, inZone / 3600),
        B("INZONE_MIN", 11, inZone / 60 % 60),   B("INZONE_SEC", 12, inZone % 60),
        B("SET_HR_IDX", 13, set.hrIndex),        B("SET_HR_MAX", 14, set.hrMax),
        B("SET_HR_LIMIT_H", 15, set.hrLimitHigh), B("SET_HR_LIMIT_L", 16, set.hrLimitLow),
        B("HRM_AVG", 17, t.hrAvg),               B("HRM_MAX", 18, t.hrMax),
        W("KCAL", 19, ride.kcal),                W("SPEED_AVG", 21, t.speedAvg),
        W("SPEED_MAX", 23, t.speedMax),          B("CA_AVG", 25, t.cadenceAvg),
        B("CA_MAX", 26, t.cadenceMax),           W("DISTANCE", 27, t.distance),
        B("LAPCOUNT", 29, ride.lapCount),        B("BESTLAP", 30, ride.bestLap)};
    const Field fileData[] = {B("SECTION_CNT", 42, 0),       B("LASTSECTION_SIZE", 43, 0),
                              {"LASTLAP_ADDR_H", 44, 0, 0}, {"LASTLAP_ADDR_L", 45, 0, 0},
                              {"FIRSTLAP_ADDR_H", 46, 0, 0}, {"FIRSTLAP_ADDR_L", 47, 0, 0}};

    std::array<std::uint8_t, 48> bytes{};
    const auto section = [&](const char *heading, std::span<const Field> fields) {
        text.line("");
        text.line(heading);
        text.line("");
        for (const Field &f : fields) {
            Put(text, f);
            PutBytes(bytes.data(), f);
        }
    };
    text.line("[File Head]");
    section("#File Date", date);
    text.line("");
    text.line("#Setting Data");
    text.line("");
    for (const Field &f : setting) {
        Put(text, f);
        PutBytes(bytes.data(), f);
    }
    text.key("WHEEL", wheel);
    bytes[36] = static_cast<std::uint8_t>(wheel / 100);
    bytes[37] = static_cast<std::uint8_t>(wheel % 100);
    text.key("VO2MAX", Byte(set.vo2max));
    bytes[38] = static_cast<std::uint8_t>(Byte(set.vo2max));
    section("#Exercise", exerciseFields);
    section("#File Data", fileData);
    text.line("");
    text.line("#File Head Data Array");
    text.line("");
    text.line(Hex(bytes.data(), bytes.size()));
    for (const char *line : {"#User Record", "", "TOPIC=;", "Weather=;", "", "[MemoStart]", "[MemoEnd]", ""})
        text.line(line);
}

void Lap(Text &text, const RideLap &lap)
{
    const int split = std::clamp(lap.splitSeconds, 0, 255 * 3600 + 3599);
    const int time = std::clamp(lap.seconds, 0, 255 * 3600 + 3599);
    const auto B = [](const char *key, int offset, int value) { return Field{key, offset, 1, Byte(value)}; };
    const auto W = [](const char *key, int offset, int value) { return Field{key, offset, 2, Word(value)}; };
    const auto A = [](const char *key, int offset, int value) { return Field{key, offset, 0, value & 0xFF}; };
    const Field fields[] = {
        B("LAP_IDX", 0, lap.index),           B("LAP_HOUR_SLP", 1, split / 3600),
        B("LAP_MIN_SLP", 2, split / 60 % 60), B("LAP_SEC_SLP", 3, split % 60),
        B("LAP_HOUR", 4, time / 3600),        B("LAP_MIN", 5, time / 60 % 60),
        B("LAP_SEC", 6, time % 60),           B("LAP_HRM_AVG", 7, lap.hrAvg),
        B("LAP_HRM_MAX", 8, lap.hrMax),       W("LAP_SPEED_AVG", 9, lap.speedAvg),
        W("LAP_SPEED_MAX", 11, lap.speedMax), B("LAP_CA_AVG", 13, lap.cadenceAvg),
        B("LAP_CA_MAX", 14, lap.cadenceMax),  W("LAP_DIST", 15, lap.distance),
        W("LAP_DIST_SPLIT", 17, lap.splitDistance), A("LAP_PRE_ADDR_H", 28, lap.previousAddress >> 8),
        A("LAP_PRE_ADDR_L", 29, lap.previousAddress), A("LAP_NEXT_ADDR_H", 30, lap.nextAddress >> 8),
        A("LAP_NEXT_ADDR_L", 31, lap.nextAddress)};
    std::array<std::uint8_t, 32> bytes{};
    text.line("");
    text.line("$LAP$" + std::to_string(Byte(lap.index)));
    text.line("");
    for (const Field &f : fields) {
        Put(text, f);
        PutBytes(bytes.data(), f);
    }
    text.line("LAP_DATA_ARRAY=" + Hex(bytes.data(), bytes.size()) + ";");
}

// A series line: every value and a comma.
template <typename Value>
void Series(Text &text, const char *heading, std::size_t count, Value value)
{
    constexpr int SampleMax = 99999999; // eight digits, as the readers take them
    text.line(heading);
    std::string &out = text.out_;
    for (std::size_t i = 0; i < count; ++i) {
        out += std::to_string(std::clamp(value(i), 0, SampleMax));
        out += ',';
    }
    out += "\r\n";
    text.line("");
}

void Sensors(Text &text, const Ride &ride)
{
    const auto &s = ride.samples;
    const std::size_t n = s.size();
    const auto zero = [](std::size_t) { return 0; };
    text.line("[SENSOR]");
    text.key("HRM_EXIST", ride.hasHeartRate);
    text.key("CAD_EXIST", ride.hasCadence);
    text.key("SPD_EXIST", ride.hasSpeed);
    text.line("");
    text.line("[Flow Data]");
    text.line("");
    Series(text, "#HRM", n, [&s](std::size_t i) { return s[i].heartRate; });
    Series(text, "#RPM", n, [&s](std::size_t i) { return s[i].cadence; });
    Series(text, "#SPD_CNT", n, zero);
    Series(text, "#SPD_PerCNT", n, zero);
    Series(text, "#SPD_SumCNT", n, zero);
    Series(text, "#SPD_PerDistance", n,
           [&s](std::size_t i) { return i == 0 ? 0 : std::max(0, s[i].distance - s[i - 1].distance); });
    Series(text, "#SPD_SumDistance", n, [&s](std::size_t i) { return s[i].distance; });
    Series(text, "#SPD_DT", n, zero);
    Series(text, "#SPD_SPEED", n, [&s](std::size_t i) { return s[i].speed; });
    text.line("#FLOW DATA ARRAY");
    text.line("");
    text.line("");
}

} // namespace

std::string RideRecordName(const Ride &ride)
{
    std::string name;
    for (const int value : {ride.year - 2000, ride.month, ride.day, ride.hour, ride.minute, ride.second}) {
        const int v = Byte(value);
        if (v < 10)
            name += '0';
        name += std::to_string(v);
    }
    return name + ".TR9";
}

std::string RideRecordText(const Ride &ride)
{
    Text text;
    text.out_.reserve(4096 + ride.laps.size() * 600 + ride.samples.size() * 40);
    Head(text, ride);
    text.line("");
    text.line("[LAP Data]");
    for (const RideLap &lap : ride.laps)
        Lap(text, lap);
    text.line("");
    Sensors(text, ride);
    text.line("");
    text.line("[ALL DATA ARRAY]");
    text.line("");
    text.line("");
    return std::move(text.out_);
}

bool WriteRideRecord(const Ride &ride, const std::string &path, std::string &error)
{
    // Unconfirmed durability still leaves the record in place.
    if (WriteFileAtomic(path, RideRecordText(ride)) != 1)
        return true;
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
}
