// FIT encoding: a 14-byte file header, definition and data messages
// (little-endian), and the CRC-16 of the header and of the whole file.
#include "export/Formats.h"
#include "export/Ride.h"
#include "ride/FitProtocol.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::uint16_t ProfileVersion = 2140; // 21.40
constexpr std::uint8_t ProtocolVersion = 0x20; // 2.0

enum BaseType : std::uint8_t { Enum = 0x00, UInt8 = 0x02, UInt16 = 0x84, UInt32 = 0x86 };

// Global message numbers and the values of the enumerations used.
enum Message : std::uint16_t { FileId = 0, Session = 18, Lap = 19, Record = 20, Event = 21, Activity = 34 };
enum : std::uint32_t {
    FileActivity = 4,
    ManufacturerDevelopment = 255,
    EventTimer = 0,
    EventSession = 8,
    EventLap = 9,
    EventActivity = 26,
    EventTypeStart = 0,
    EventTypeStop = 1,
    EventTypeStopAll = 4,
    SportCycling = 2,
    SubSportGeneric = 0,
    ActivityManual = 0,
};
constexpr std::uint8_t Timestamp = FitTimestampField, MessageIndex = 254;

void PutLittle(std::string &out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

int SizeOf(BaseType type)
{
    return type == UInt32 ? 4 : type == UInt16 ? 2 : 1;
}

// One message with its fields; a field a sensor did not record is simply
// not added.
struct FitMessage {
    struct Field {
        std::uint8_t number;
        BaseType type;
        std::uint32_t value;
    };
    std::uint16_t global;
    std::array<Field, 24> fields{};
    int count = 0;

    explicit FitMessage(std::uint16_t globalNumber) : global(globalNumber) {}
    FitMessage &add(std::uint8_t number, BaseType type, std::uint32_t value)
    {
        fields[static_cast<std::size_t>(count++)] = {number, type, value};
        return *this;
    }
    bool sameLayout(const FitMessage &other) const
    {
        if (global != other.global || count != other.count)
            return false;
        for (int i = 0; i < count; ++i)
            if (fields[i].number != other.fields[i].number || fields[i].type != other.fields[i].type)
                return false;
        return true;
    }
};

// The data records of a file. Each message type keeps its own local
// number; a definition is written whenever a layout is first used or changes.
class FitStream {
public:
    void write(std::uint8_t local, const FitMessage &message)
    {
        auto &defined = defined_[local];
        if (!defined.has || !defined.message.sameLayout(message)) {
            data_ += static_cast<char>(0x40 | local);
            data_ += '\0'; // reserved
            data_ += '\0'; // little-endian
            PutLittle(data_, message.global, 2);
            data_ += static_cast<char>(message.count);
            for (int i = 0; i < message.count; ++i) {
                data_ += static_cast<char>(message.fields[i].number);
                data_ += static_cast<char>(SizeOf(message.fields[i].type));
                data_ += static_cast<char>(message.fields[i].type);
            }
            defined = {true, message};
        }
        data_ += static_cast<char>(local);
        for (int i = 0; i < message.count; ++i)
            PutLittle(data_, message.fields[i].value, SizeOf(message.fields[i].type));
    }

    std::string file() const
    {
        std::string out;
        out.reserve(data_.size() + 16);
        out += '\x0E';
        out += static_cast<char>(ProtocolVersion);
        PutLittle(out, ProfileVersion, 2);
        PutLittle(out, static_cast<std::uint32_t>(data_.size()), 4);
        out += ".FIT";
        PutLittle(out, FitCrc(0, out), 2);
        out += data_;
        PutLittle(out, FitCrc(0, out), 2);
        return out;
    }

private:
    struct Defined {
        bool has = false;
        FitMessage message{0};
    };
    std::array<Defined, 16> defined_{};
    std::string data_;
};

enum Local : std::uint8_t { LocalFileId, LocalEvent, LocalRecord, LocalLap, LocalSession, LocalActivity };

// Tenths of km/h as mm/s (scale 1000 m/s); too fast for 16 bits is "invalid".
std::uint32_t Speed(int tenthsKmh)
{
    const std::uint32_t mms = (static_cast<std::uint32_t>(tenthsKmh) * 1000 + 18) / 36;
    return mms < 0xFFFF ? mms : 0xFFFF;
}

std::uint32_t Milliseconds(int seconds)
{
    return static_cast<std::uint32_t>(seconds) * 1000;
}

// Hundredths of a metre: from tenths of a kilometre and from tens of metres.
std::uint32_t CmOfTenthsKm(int tenths)
{
    return static_cast<std::uint32_t>(tenths) * 10000;
}
std::uint32_t CmOfTensM(int tens)
{
    return static_cast<std::uint32_t>(tens) * 1000;
}

class FitWriter {
public:
    explicit FitWriter(const ExportRide &ride) : ride_(ride) {}

    std::string bytes()
    {
        stream_.write(LocalFileId, FitMessage(FileId)
                                       .add(0, Enum, FileActivity)
                                       .add(1, UInt16, ManufacturerDevelopment)
                                       .add(2, UInt16, 1)
                                       .add(4, UInt32, at(0)));
        timerEvent(0, EventTypeStart);
        for (std::size_t i = 0; i < ride_.samples.size(); ++i)
            record(static_cast<int>(i) * SampleSeconds, ride_.samples[i]);
        timerEvent(ride_.elapsedSeconds, EventTypeStopAll);
        for (std::size_t i = 0; i < ride_.laps.size(); ++i)
            lap(static_cast<std::uint16_t>(i), ride_.laps[i]);
        session();
        stream_.write(LocalActivity,
                      FitMessage(Activity)
                          .add(Timestamp, UInt32, at(ride_.elapsedSeconds))
                          .add(0, UInt32, Milliseconds(ride_.totals.seconds))
                          .add(1, UInt16, 1)
                          .add(2, Enum, ActivityManual)
                          .add(3, Enum, EventActivity)
                          .add(4, Enum, EventTypeStop)
                          .add(5, UInt32, at(ride_.elapsedSeconds) + static_cast<std::uint32_t>(ride_.endUtcOffset)));
        return stream_.file();
    }

private:
    // FIT time of an offset in seconds from the start.
    std::uint32_t at(int offset) const
    {
        return static_cast<std::uint32_t>(ride_.startUtc + offset - FitEpoch);
    }

    void timerEvent(int offset, std::uint32_t type)
    {
        stream_.write(LocalEvent,
                      FitMessage(Event).add(Timestamp, UInt32, at(offset)).add(0, Enum, EventTimer).add(1, Enum, type));
    }

    void record(int offset, const ExportSample &sample)
    {
        FitMessage m(Record);
        m.add(Timestamp, UInt32, at(offset));
        if (ride_.hasHeartRate)
            m.add(3, UInt8, static_cast<std::uint32_t>(sample.heartRate));
        if (ride_.hasCadence)
            m.add(4, UInt8, static_cast<std::uint32_t>(sample.cadence));
        if (ride_.hasSpeed)
            m.add(5, UInt32, CmOfTensM(sample.distance)).add(6, UInt16, Speed(sample.speed));
        stream_.write(LocalRecord, m);
    }

    // Sensor fields shared by laps and the session, from their field number
    // of the average speed on (both messages keep the same order there).
    void averages(FitMessage &m, std::uint8_t avgSpeed, std::uint8_t avgHeartRate, const ExportLap &v) const
    {
        if (ride_.hasSpeed)
            m.add(avgSpeed, UInt16, Speed(v.speedAvg)).add(avgSpeed + 1, UInt16, Speed(v.speedMax));
        if (ride_.hasHeartRate)
            m.add(avgHeartRate, UInt8, static_cast<std::uint32_t>(v.hrAvg))
                .add(avgHeartRate + 1, UInt8, static_cast<std::uint32_t>(v.hrMax));
        if (ride_.hasCadence)
            m.add(avgHeartRate + 2, UInt8, static_cast<std::uint32_t>(v.cadenceAvg))
                .add(avgHeartRate + 3, UInt8, static_cast<std::uint32_t>(v.cadenceMax));
    }

    void lap(std::uint16_t index, const ExportLap &lap)
    {
        FitMessage m(Lap);
        m.add(MessageIndex, UInt16, index)
            .add(Timestamp, UInt32, at(lap.startOffset + lap.seconds))
            .add(0, Enum, EventLap)
            .add(1, Enum, EventTypeStop)
            .add(2, UInt32, at(lap.startOffset))
            .add(7, UInt32, Milliseconds(lap.seconds))
            .add(8, UInt32, Milliseconds(lap.seconds));
        if (ride_.hasSpeed)
            m.add(9, UInt32, CmOfTenthsKm(lap.distance));
        averages(m, 13, 15, lap);
        m.add(25, Enum, SportCycling);
        stream_.write(LocalLap, m);
    }

    void session()
    {
        const ExportLap &totals = ride_.totals;
        FitMessage m(Session);
        m.add(MessageIndex, UInt16, 0)
            .add(Timestamp, UInt32, at(ride_.elapsedSeconds))
            .add(0, Enum, EventSession)
            .add(1, Enum, EventTypeStop)
            .add(2, UInt32, at(0))
            .add(5, Enum, SportCycling)
            .add(6, Enum, SubSportGeneric)
            .add(7, UInt32, Milliseconds(ride_.elapsedSeconds))
            .add(8, UInt32, Milliseconds(totals.seconds));
        if (ride_.hasSpeed)
            m.add(9, UInt32, CmOfTenthsKm(totals.distance));
        m.add(11, UInt16, static_cast<std::uint32_t>(ride_.kcal));
        averages(m, 14, 16, totals);
        m.add(25, UInt16, 0).add(26, UInt16, static_cast<std::uint32_t>(ride_.laps.size()));
        stream_.write(LocalSession, m);
    }

    const ExportRide &ride_;
    FitStream stream_;
};

} // namespace

bool InFitTimeRange(const ExportRide &ride)
{
    constexpr std::int64_t First = 0x10000000, Last = 0xFFFFFFFE;
    const std::int64_t start = ride.startUtc - FitEpoch;
    // The local time of the end is written too.
    const std::int64_t end = start + ride.elapsedSeconds;
    return std::min({start, end + ride.endUtcOffset}) >= First && std::max(end, end + ride.endUtcOffset) <= Last;
}

std::string FitBytes(const ExportRide &ride)
{
    return FitWriter(ride).bytes();
}
