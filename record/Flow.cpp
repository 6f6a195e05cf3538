// DecodeFlow: the sensor sample stream to the "[SENSOR]" and "[Flow Data]"
// sections.
#include "record/RecordText.h"
#include "record/Trfsanalysis.h"
#include "store/AtomicFile.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>
#include <vector>

using recordtext::HeaderChars;
using recordtext::KeyLine;
using recordtext::PageChars;
using recordtext::PageTailChars;

namespace {

constexpr std::size_t SampleChars = 12;
constexpr std::int64_t MaxRevolutions = 150;

// One series line. Values are formatted into a small block that is
// appended to the line whenever it fills, so only memory that is written is
// touched. The line reserves the usual width of every sample's value (a
// full dump has ~11000 samples; longer values let it grow) and is handed
// over without a copy.
class SeriesLine {
public:
    explicit SeriesLine(std::size_t samples) { text_.reserve(samples * UsualValueChars); }
    // Appends "value,".
    void Append(std::int64_t value)
    {
        if (used_ > sizeof block_ - MaxValueChars)
            Spill();
        char *end = std::to_chars(block_ + used_, block_ + used_ + MaxValueChars - 1, value).ptr;
        *end++ = ',';
        used_ = static_cast<std::size_t>(end - block_);
    }
    std::string Take()
    {
        Spill();
        return std::move(text_);
    }

private:
    void Spill()
    {
        text_.append(block_, used_);
        used_ = 0;
    }
    static constexpr std::size_t MaxValueChars = 21;  // a signed 64-bit value and its comma
    static constexpr std::size_t UsualValueChars = 8; // up to 9999999 and its comma
    std::string text_;
    char block_[2048];
    std::size_t used_ = 0;
};

// Writes the dump as one line the way "Temp5.txt" shows it, 'X' over the
// page tails and over everything from end on, and returns the sample
// stream: what is left unmarked between the header and end. Nothing is
// copied but the stream itself.
std::string WriteMarkedDump(AtomicFile &file, std::string_view dump, std::size_t end)
{
    static const std::string marks(PageChars, 'X');
    std::string stream;
    stream.reserve(end > HeaderChars ? end - HeaderChars : 0);
    for (std::size_t at = 0; at < dump.size();) {
        const std::size_t page = at - at % PageChars;
        if (at < end && at - page < PageTailChars) {
            const std::size_t next = std::min(page + PageTailChars, end);
            file.Write(dump.substr(at, next - at));
            const std::size_t from = std::max(at, HeaderChars);
            if (from < next) {
                std::string_view samples = dump.substr(from, next - from);
                for (std::size_t x; (x = samples.find('X')) != std::string_view::npos; samples.remove_prefix(x + 1))
                    stream.append(samples.substr(0, x));
                stream.append(samples);
            }
            at = next;
            continue;
        }
        const std::size_t next = at < end ? std::min(page + PageChars, dump.size()) : dump.size();
        for (; at < next; at += std::min(next - at, marks.size()))
            file.Write(std::string_view(marks).substr(0, next - at));
    }
    file.Write("\r\n");
    return stream;
}

} // namespace

void TTRAnalysis::DecodeFlow()
{
    // Bytes 254 and 255 of every page and everything at or after the data
    // length carry no samples; lap records are already marked.
    const std::size_t end =
        DataLength > 0 ? std::min(DumpHex.size(), static_cast<std::size_t>(DataLength) * 2) : 0;
    {
        // Closed before the next file, which then takes over its buffer.
        AtomicFile marked(PathOf("Temp5.txt"), Durability::Unsynced);
        FlowHex = WriteMarkedDump(marked, DumpHex, end);
        if (marked.Commit() == Saved::No)
            WriteFailed = true;
    }
    SaveLines("Temp6.txt", {&FlowHex, 1});

    enum { Hrm, Rpm, SpdCnt, PerCnt, SumCnt, PerDistance, SumDistance, Dt, Speed, SeriesCount };
    static const char *const headings[SeriesCount] = {
        "#HRM", "#RPM", "#SPD_CNT", "#SPD_PerCNT", "#SPD_SumCNT", "#SPD_PerDistance",
        "#SPD_SumDistance", "#SPD_DT", "#SPD_SPEED"};
    const std::size_t samples = FlowHex.size() / SampleChars; // an incomplete last one is dropped
    std::vector<SeriesLine> series;
    series.reserve(SeriesCount);
    for (int i = 0; i < SeriesCount; ++i)
        series.emplace_back(samples);

    // Products in 64 bits: very short periods and very long rides exceed 32.
    const std::int64_t wheel = Wheel;
    std::int64_t previous = 0, sum = 0, wheelRpm = 0;
    int zeroRun = 0, hrmExist = 0, cadExist = 0, spdExist = 0;
    for (std::size_t s = 0; s < samples; ++s) {
        const char *const sample = FlowHex.data() + s * SampleChars;
        int bytes[6];
        for (std::size_t k = 0; k < 6; ++k)
            if ((bytes[k] = recordtext::HexPair(sample + 2 * k)) < 0)
                BadByte = true;

        const std::int64_t counter = bytes[2] * 256 + bytes[3];
        if (s == 0)
            previous = counter;
        if (bytes[0] >= 40 && bytes[0] <= 220)
            hrmExist = 1;
        series[Hrm].Append(bytes[0]);
        if (bytes[1] > 0)
            cadExist = 1;
        series[Rpm].Append(bytes[1]);
        series[SpdCnt].Append(counter);

        std::int64_t revolutions = counter >= previous ? counter - previous : counter + 65536 - previous;
        if (revolutions > MaxRevolutions)
            revolutions = 0;
        sum += revolutions;
        series[PerCnt].Append(revolutions);
        series[SumCnt].Append(sum);
        series[PerDistance].Append(wheel * revolutions / 10000);
        series[SumDistance].Append(wheel * sum / 10000);
        previous = counter;

        const int period = bytes[4] * 256 + bytes[5];
        if (period == 0) {
            if (zeroRun > 0)
                wheelRpm = 0;
            else
                zeroRun = 1; // the last speed is held for one sample
        } else if (period != 65535) {
            wheelRpm = static_cast<std::int64_t>(60000.0 / (period * 0.03052));
            spdExist = 1;
            zeroRun = 0;
        }
        series[Dt].Append(period);
        series[Speed].Append(wheelRpm * wheel * 60 / 100000);
    }

    FlowList.clear();
    FlowList.push_back("[SENSOR]");
    FlowList.push_back(KeyLine("HRM_EXIST", hrmExist));
    FlowList.push_back(KeyLine("CAD_EXIST", cadExist));
    FlowList.push_back(KeyLine("SPD_EXIST", spdExist));
    FlowList.insert(FlowList.end(), {"", "[Flow Data]", ""});
    for (int i = 0; i < SeriesCount; ++i) {
        FlowList.push_back(headings[i]);
        FlowList.push_back(series[static_cast<std::size_t>(i)].Take());
        FlowList.push_back("");
    }
    FlowList.push_back("#FLOW DATA ARRAY");
    FlowList.push_back(FlowHex);
    FlowList.push_back("");
}
