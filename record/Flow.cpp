// DecodeFlow: the sensor sample stream to the "[SENSOR]" and "[Flow Data]"
// sections.
#include "record/RecordText.h"
#include "record/Trfsanalysis.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <vector>

using recordtext::HeaderChars;
using recordtext::KeyLine;
using recordtext::PageChars;
using recordtext::PageTailChars;

namespace {

constexpr std::size_t SampleChars = 12;
constexpr std::int64_t MaxRevolutions = 150;

// One series line, written into a buffer that holds the longest values of
// every sample: no bound check per value (a full dump has ~100000 values).
class SeriesLine {
public:
    explicit SeriesLine(std::size_t samples) : buffer_(new char[samples * MaxValueChars]), end_(buffer_.get()) {}
    // Appends "value,".
    void Append(std::int64_t value)
    {
        end_ = std::to_chars(end_, end_ + MaxValueChars - 1, value).ptr;
        *end_++ = ',';
    }
    std::string Text() const { return std::string(buffer_.get(), end_); }

private:
    static constexpr std::size_t MaxValueChars = 21; // a signed 64-bit value and its comma
    std::unique_ptr<char[]> buffer_;
    char *end_;
};

} // namespace

void TTRAnalysis::DecodeFlow()
{
    // Bytes 254 and 255 of every page and everything at or after the data
    // length carry no samples; lap records are already marked.
    FlowHex = DumpHex;
    const std::size_t size = FlowHex.size();
    const std::size_t end =
        DataLength > 0 ? std::min(size, static_cast<std::size_t>(DataLength) * 2) : 0;
    for (std::size_t page = 0; page + PageTailChars < size; page += PageChars)
        std::fill(FlowHex.begin() + static_cast<std::ptrdiff_t>(page + PageTailChars),
                  FlowHex.begin() + static_cast<std::ptrdiff_t>(std::min(page + PageChars, size)), 'X');
    std::fill(FlowHex.begin() + static_cast<std::ptrdiff_t>(end), FlowHex.end(), 'X');
    SaveLines("Temp5.txt", {&FlowHex, 1}); // one line, written without a copy

    std::string stream(end > HeaderChars ? end - HeaderChars : 0, '\0');
    char *out = stream.data();
    for (std::size_t i = HeaderChars; i < end; ++i)
        if (FlowHex[i] != 'X')
            *out++ = FlowHex[i];
    stream.resize(static_cast<std::size_t>(out - stream.data()));
    FlowHex = std::move(stream);
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
    const std::string_view flow(FlowHex);
    for (std::size_t s = 0; s < samples; ++s) {
        const std::string_view sample = flow.substr(s * SampleChars, SampleChars);
        int bytes[6];
        for (std::uint8_t k = 0; k < 6; ++k)
            bytes[k] = ReadByte(sample, k);

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
        FlowList.push_back(series[static_cast<std::size_t>(i)].Text());
        FlowList.push_back("");
    }
    FlowList.push_back("#FLOW DATA ARRAY");
    FlowList.push_back(FlowHex);
    FlowList.push_back("");
}
