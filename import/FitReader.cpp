// FIT: a file header (12 or 14 bytes, the longer with a CRC of the first
// 12), records, and a CRC of header and records; several such files may
// follow one another. A record is a definition (the fields, their sizes and
// base types, and the byte order of a local message type 0..15) or data of
// a defined type; a compressed-timestamp header carries a local type 0..3
// and five bits of time instead.
#include "import/Readers.h"
#include "ride/FitProtocol.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Base types by their number (the low five bits): size, signedness, and
// the value that stands for "invalid".
struct BaseType {
    std::uint8_t size;
    bool isSigned;
    bool zeroInvalid; // the "z" types: 0 is invalid
    bool isInteger;
};
constexpr std::array<BaseType, 17> BaseTypes{{
    {1, false, false, true}, // enum
    {1, true, false, true},  // sint8
    {1, false, false, true}, // uint8
    {2, true, false, true},  // sint16
    {2, false, false, true}, // uint16
    {4, true, false, true},  // sint32
    {4, false, false, true}, // uint32
    {1, false, false, false}, // string
    {4, false, false, false}, // float32
    {8, false, false, false}, // float64
    {1, false, true, true},  // uint8z
    {2, false, true, true},  // uint16z
    {4, false, true, true},  // uint32z
    {1, false, false, false}, // byte
    {8, true, false, true},  // sint64
    {8, false, false, true}, // uint64
    {8, false, true, true},  // uint64z
}};

struct FieldDef {
    std::uint8_t number;
    std::uint8_t size;
    std::uint8_t type; // index into BaseTypes, or 0xFF: skipped
};

struct Definition {
    bool defined = false;
    bool bigEndian = false;
    std::uint16_t global = 0;
    std::vector<FieldDef> fields;
    std::size_t size = 0; // bytes of a data message, developer fields included
};

// The integer fields of one data message, by field number.
struct Values {
    std::array<std::int64_t, 256> value{};
    std::bitset<256> has;
    bool get(int number, std::int64_t &out) const
    {
        if (!has[static_cast<std::size_t>(number)])
            return false;
        out = value[static_cast<std::size_t>(number)];
        return true;
    }
    std::int64_t operator()(int number, std::int64_t otherwise = -1) const
    {
        std::int64_t v;
        return get(number, v) ? v : otherwise;
    }
};

enum Message : std::uint16_t { FileId = 0, Session = 18, Lap = 19, Record = 20, Event = 21 };
constexpr int Timestamp = FitTimestampField;
constexpr std::int64_t FileActivity = 4;
constexpr std::int64_t EventTimer = 0;
// Timer event types: start, and the kinds of stop (stop, stop_all,
// stop_disable, stop_disable_all).
constexpr std::int64_t EventStart = 0;
bool IsStop(std::int64_t type)
{
    return type == 1 || type == 4 || type == 8 || type == 9;
}

struct TimerEvent {
    std::int64_t ms;
    bool start;
};

class FitParser {
public:
    explicit FitParser(std::string_view bytes) : bytes_(bytes) {}

    TrackFile read()
    {
        TrackFile file;
        if (bytes_.empty()) {
            file.error = "the file is empty";
            return file;
        }
        std::size_t at = 0;
        while (at < bytes_.size() && error_.empty())
            readFile(at);
        if (error_.empty())
            finish(file);
        if (!error_.empty()) {
            file.tracks.clear();
            file.error = error_;
        }
        return file;
    }

private:
    bool fail(std::string reason)
    {
        if (error_.empty())
            error_ = std::move(reason);
        return false;
    }

    // One FIT file from at; at moves past its CRC.
    void readFile(std::size_t &at)
    {
        const std::string_view rest = bytes_.substr(at);
        const std::string where = at == 0 ? "" : " (the FIT file chained at byte " + std::to_string(at) + ")";
        if (rest.size() < 12 || rest.substr(8, 4) != ".FIT") {
            fail(at == 0 ? "not a FIT file" : "bytes after the end of the FIT data" + where);
            return;
        }
        const std::size_t headerSize = static_cast<std::uint8_t>(rest[0]);
        if (headerSize != 12 && headerSize != 14) {
            fail("the FIT header has an unknown size of " + std::to_string(headerSize) + " bytes" + where);
            return;
        }
        if (rest.size() < headerSize + 2) {
            fail("the FIT file is truncated" + where);
            return;
        }
        if (headerSize == 14) {
            const std::uint16_t crc = static_cast<std::uint16_t>(Little(rest, 12, 2));
            if (crc != 0 && crc != FitCrc(0, rest.substr(0, 12))) {
                fail("the FIT header is damaged (its CRC does not match)" + where);
                return;
            }
        }
        const std::size_t dataSize = Little(rest, 4, 4);
        if (dataSize > rest.size() - headerSize - 2) {
            fail("the FIT file is truncated: " + std::to_string(dataSize) + " bytes of data announced, " +
                 std::to_string(rest.size() - headerSize - 2) + " there" + where);
            return;
        }
        const std::size_t end = headerSize + dataSize;
        if (FitCrc(0, rest.substr(0, end)) != Little(rest, end, 2)) {
            fail("the FIT file is damaged (its CRC does not match)" + where);
            return;
        }
        for (Definition &d : definitions_)
            d = Definition();
        lastTime_ = -1;
        std::size_t p = headerSize;
        while (p < end && error_.empty())
            readRecord(rest.substr(0, end), p);
        at += end + 2;
    }

    void readRecord(std::string_view data, std::size_t &p)
    {
        const auto header = static_cast<std::uint8_t>(data[p++]);
        if (header & 0x80) { // compressed timestamp
            if (lastTime_ < 0) {
                fail("a FIT message with a compressed time comes before any time");
                return;
            }
            const std::int64_t offset = header & 0x1F;
            std::int64_t time = (lastTime_ & ~std::int64_t(0x1F)) + offset;
            if (offset < (lastTime_ & 0x1F))
                time += 0x20;
            readData(data, p, (header >> 5) & 0x03, time);
        } else if (header & 0x40) {
            readDefinition(data, p, header & 0x0F, (header & 0x20) != 0);
        } else {
            readData(data, p, header & 0x0F, -1);
        }
    }

    void readDefinition(std::string_view data, std::size_t &p, int local, bool developer)
    {
        if (data.size() - p < 5)
            return void(fail("a FIT definition is cut off"));
        Definition d;
        d.defined = true;
        const auto arch = static_cast<std::uint8_t>(data[p + 1]);
        if (arch > 1)
            return void(fail("a FIT definition names an unknown byte order"));
        d.bigEndian = arch == 1;
        const auto g0 = static_cast<std::uint8_t>(data[p + 2]), g1 = static_cast<std::uint8_t>(data[p + 3]);
        d.global = static_cast<std::uint16_t>(d.bigEndian ? g0 << 8 | g1 : g1 << 8 | g0);
        const std::size_t count = static_cast<std::uint8_t>(data[p + 4]);
        p += 5;
        if (data.size() - p < count * 3)
            return void(fail("a FIT definition is cut off"));
        for (std::size_t i = 0; i < count; ++i, p += 3) {
            FieldDef f{static_cast<std::uint8_t>(data[p]), static_cast<std::uint8_t>(data[p + 1]),
                       static_cast<std::uint8_t>(data[p + 2] & 0x1F)};
            // A value read as a whole: an integer of exactly its type's size.
            if (f.type >= BaseTypes.size() || !BaseTypes[f.type].isInteger || f.size != BaseTypes[f.type].size)
                f.type = 0xFF;
            d.size += f.size;
            d.fields.push_back(f);
        }
        if (developer) { // their bytes are skipped: never read as standard fields
            if (data.size() - p < 1)
                return void(fail("a FIT definition is cut off"));
            const std::size_t devCount = static_cast<std::uint8_t>(data[p++]);
            if (data.size() - p < devCount * 3)
                return void(fail("a FIT definition is cut off"));
            for (std::size_t i = 0; i < devCount; ++i, p += 3)
                d.size += static_cast<std::uint8_t>(data[p + 1]);
        }
        definitions_[static_cast<std::size_t>(local)] = std::move(d);
    }

    void readData(std::string_view data, std::size_t &p, int local, std::int64_t time)
    {
        const Definition &d = definitions_[static_cast<std::size_t>(local)];
        if (!d.defined)
            return void(fail("a FIT message of local type " + std::to_string(local) + " comes before its definition"));
        if (data.size() - p < d.size)
            return void(fail("a FIT message is cut off"));
        Values v;
        std::size_t at = p;
        for (const FieldDef &f : d.fields) {
            if (f.type != 0xFF)
                decode(data.substr(at, f.size), f, d.bigEndian, v);
            at += f.size;
        }
        p += d.size;
        if (time >= 0) {
            v.value[Timestamp] = time;
            v.has[Timestamp] = true;
        }
        std::int64_t stamp;
        if (v.get(Timestamp, stamp))
            lastTime_ = stamp;
        handle(d.global, v);
    }

    static void decode(std::string_view bytes, const FieldDef &f, bool bigEndian, Values &v)
    {
        const BaseType &type = BaseTypes[f.type];
        std::uint64_t raw = 0;
        for (std::size_t i = 0; i < f.size; ++i) {
            const std::size_t k = bigEndian ? i : f.size - 1 - i;
            raw = raw << 8 | static_cast<std::uint8_t>(bytes[k]);
        }
        const int bits = 8 * f.size;
        const std::uint64_t all = bits == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << bits) - 1;
        if (type.zeroInvalid ? raw == 0 : raw == (type.isSigned ? all >> 1 : all))
            return; // "invalid": no value
        std::int64_t value;
        if (type.isSigned && bits < 64 && (raw >> (bits - 1)) & 1)
            value = static_cast<std::int64_t>(raw | ~all);
        else if (!type.isSigned && bits == 64 && raw > std::uint64_t(INT64_MAX))
            return; // beyond any value of interest
        else
            value = static_cast<std::int64_t>(raw);
        v.value[f.number] = value;
        v.has[f.number] = true;
    }

    static std::int64_t Ms(std::int64_t fitTime) { return (fitTime + FitEpoch) * 1000; }

    void handle(std::uint16_t global, const Values &v)
    {
        switch (global) {
        case FileId:
            if (v(0) >= 0)
                (v(0) == FileActivity ? activity_ : otherType_) = true;
            break;
        case Record:
            record(v);
            break;
        case Event:
            if (v(0) == EventTimer && v(Timestamp) >= 0 && (v(1) == EventStart || IsStop(v(1)))) {
                if (events_.size() >= importlimit::Events)
                    return void(fail("the FIT file holds more than " + std::to_string(importlimit::Events) +
                                     " timer events"));
                events_.push_back({Ms(v(Timestamp)), v(1) == EventStart});
            }
            break;
        case Lap:
            if (laps_.size() >= importlimit::Laps)
                return void(fail("the FIT file holds more than " + std::to_string(importlimit::Laps) + " laps"));
            laps_.push_back(span(v, 13, 15, 110));
            break;
        case Session:
            if (sessions_.size() >= importlimit::Rides)
                return void(fail("the FIT file holds more than " + std::to_string(importlimit::Rides) + " sessions"));
            sessions_.push_back(span(v, 14, 16, 124));
            break;
        default:
            break;
        }
    }

    void record(const Values &v)
    {
        std::int64_t time;
        if (!v.get(Timestamp, time))
            return; // a record without time cannot be placed
        if (points_.size() >= importlimit::Points)
            return void(fail("the FIT file holds more than " + std::to_string(importlimit::Points) + " records"));
        TrackPoint point;
        point.ms = Ms(time);
        std::int64_t value;
        if (v.get(3, value))
            point.heartRate = static_cast<int>(value);
        if (v.get(4, value))
            point.cadence = static_cast<int>(value);
        if (v.get(73, value) || v.get(6, value)) // enhanced_speed first
            point.speed = static_cast<double>(value) / 1000.0;
        if (v.get(5, value))
            point.distance = static_cast<double>(value) / 100.0;
        std::int64_t lat, lon;
        if (v.get(0, lat) && v.get(1, lon)) {
            point.lat = static_cast<double>(lat) * (180.0 / 2147483648.0);
            point.lon = static_cast<double>(lon) * (180.0 / 2147483648.0);
        }
        points_.push_back(point);
    }

    // Lap and session share their fields up to the total calories; from the
    // average speed on they differ by one (avgSpeed: lap 13, session 14).
    static TrackSpan span(const Values &v, int avgSpeed, int avgHeartRate, int enhancedAvgSpeed)
    {
        TrackSpan s;
        if (v(2) >= 0)
            s.startMs = Ms(v(2));
        if (v(Timestamp) >= 0)
            s.endMs = Ms(v(Timestamp));
        if (v(7) >= 0 && s.startMs >= 0 && s.endMs < 0)
            s.endMs = s.startMs + v(7);
        if (v(8) >= 0)
            s.timerSeconds = static_cast<double>(v(8)) / 1000.0;
        if (v(9) >= 0)
            s.distance = static_cast<double>(v(9)) / 100.0;
        s.kcal = static_cast<int>(std::min<std::int64_t>(v(11), 1 << 20));
        std::int64_t speed;
        if (v.get(enhancedAvgSpeed, speed) || v.get(avgSpeed, speed))
            s.speedAvg = static_cast<double>(speed) / 1000.0;
        if (v.get(enhancedAvgSpeed + 1, speed) || v.get(avgSpeed + 1, speed))
            s.speedMax = static_cast<double>(speed) / 1000.0;
        s.hrAvg = static_cast<int>(v(avgHeartRate));
        s.hrMax = static_cast<int>(v(avgHeartRate + 1));
        s.cadenceAvg = static_cast<int>(v(avgHeartRate + 2));
        s.cadenceMax = static_cast<int>(v(avgHeartRate + 3));
        return s;
    }

    // Pauses from the timer events: from each stop to the next start.
    std::vector<TrackPause> pauses()
    {
        std::stable_sort(events_.begin(), events_.end(),
                         [](const TimerEvent &a, const TimerEvent &b) { return a.ms < b.ms; });
        std::vector<TrackPause> out;
        bool running = true;
        for (const TimerEvent &e : events_) {
            if (running && !e.start)
                out.push_back({e.ms});
            else if (!running && e.start)
                out.back().startMs = e.ms;
            running = e.start;
        }
        return out;
    }

    // Splits the file into its sessions: each takes the points, laps and
    // pauses of its time.
    void finish(TrackFile &file)
    {
        if (otherType_ && !activity_)
            return void(fail("the FIT file is not an activity (it holds no ride)"));
        const std::vector<TrackPause> allPauses = pauses();
        if (sessions_.empty()) {
            if (points_.empty())
                return void(fail("the FIT file holds no records"));
            Track track;
            track.laps = laps_;
            track.pauses = allPauses;
            track.points = std::move(points_);
            file.tracks.push_back(std::move(track));
            return;
        }
        std::stable_sort(sessions_.begin(), sessions_.end(),
                         [](const TrackSpan &a, const TrackSpan &b) { return a.startMs < b.startMs; });
        for (const TrackSpan &session : sessions_) {
            if (session.startMs < 0)
                continue; // a session without a start cannot be placed
            const std::int64_t end = session.endMs >= session.startMs ? session.endMs : INT64_MAX;
            const auto inSession = [&](std::int64_t ms) { return ms >= session.startMs && ms <= end; };
            Track track;
            track.totals = session;
            for (const TrackSpan &lap : laps_)
                if (lap.startMs >= 0 && inSession(lap.startMs))
                    track.laps.push_back(lap);
            for (const TrackPause &pause : allPauses)
                if (pause.startMs > session.startMs && pause.stopMs < end)
                    track.pauses.push_back(pause);
            for (const TrackPoint &point : points_)
                if (inSession(point.ms))
                    track.points.push_back(point);
            // The distances of a later session go on from the earlier ones
            // (or start again at 0): they count from its first record.
            if (!file.tracks.empty()) {
                double first = -1;
                for (TrackPoint &point : track.points)
                    if (point.distance >= 0) {
                        if (first < 0)
                            first = point.distance;
                        point.distance -= first;
                    }
            }
            file.tracks.push_back(std::move(track));
        }
        if (file.tracks.empty())
            fail("the FIT file's sessions have no start time");
    }

    std::string_view bytes_;
    std::string error_;
    std::array<Definition, 16> definitions_;
    std::int64_t lastTime_ = -1;
    bool activity_ = false, otherType_ = false;
    std::vector<TrackPoint> points_;
    std::vector<TrackSpan> laps_, sessions_;
    std::vector<TimerEvent> events_;
};

} // namespace

TrackFile ReadFit(std::string_view bytes)
{
    return FitParser(bytes).read();
}
