#include "tests/support/DumpBuilder.h"

#include <algorithm>

namespace {
constexpr std::size_t PageSize = 256;
constexpr std::size_t PageData = 254; // bytes 254 and 255 carry no data
} // namespace

const char *const DumpBuilder::StartMarker =
    "404B4F5256414E453A5452393030202020444154412053544152542020202020";
const char *const DumpBuilder::EndMarker =
    "404B4F5256414E453A54523930302020204441544120454E4420202020202020";

DumpBuilder::Lap DumpBuilder::lap(std::uint8_t index)
{
    Lap l;
    l.bytes = {index, 0, 12, 30, 0, 12, 30, 140, 171, 0x01, 0x2C, 0x01, 0xC2, 85, 102,
               0x00, 0x3C, 0x00, 0x3C};
    return l;
}

DumpBuilder::DumpBuilder()
{
    // 4 July 2012 (a Wednesday), 08:05:03, ridden 1:02:03; rider 35 years,
    // 178 cm, 72 kg, wheel 2096 mm. Zero bytes stay zero.
    const std::pair<int, std::uint8_t> bytes[] = {
        {0, 12},   {1, 7},    {2, 4},    {3, 3},    {4, 8},   {5, 5},   {6, 3},
        {7, 1},    {8, 2},    {9, 3},    {14, 185}, {15, 160}, {16, 120}, {17, 141},
        {18, 176}, {19, 0x01}, {20, 0x9C}, {21, 0x01}, {23, 0x02}, {25, 80}, {26, 110},
        {28, 245}, {33, 35},  {34, 178}, {35, 72},  {36, 20}, {37, 96}, {38, 45}};
    for (const auto &[index, value] : bytes)
        header_[static_cast<std::size_t>(index)] = value;
    headerFixed_ = {};
}

DumpBuilder DumpBuilder::full(int pages, int laps)
{
    DumpBuilder b;
    const int capacity = (pages - 1) * 254 - 48;
    const int samples = (capacity - laps * 32) / 6;
    const int every = samples / (laps + 1);
    int lapNo = 0;
    for (int s = 0; s < samples; ++s) {
        if (lapNo < laps && s == every * (lapNo + 1))
            b.addLap(lap(static_cast<std::uint8_t>(++lapNo)));
        b.addSample(static_cast<std::uint8_t>(100 + s % 80), static_cast<std::uint8_t>(s % 120),
                    static_cast<std::uint16_t>(s * 3), static_cast<std::uint16_t>(5000 + s % 3000));
    }
    while (lapNo < laps)
        b.addLap(lap(static_cast<std::uint8_t>(++lapNo)));
    b.setMinPages(pages);
    return b;
}

void DumpBuilder::setHeaderByte(int index, std::uint8_t value)
{
    header_.at(static_cast<std::size_t>(index)) = value;
    headerFixed_.at(static_cast<std::size_t>(index)) = true;
}

void DumpBuilder::setHeaderWord(int index, std::uint16_t value)
{
    setHeaderByte(index, static_cast<std::uint8_t>(value >> 8));
    setHeaderByte(index + 1, static_cast<std::uint8_t>(value & 0xFF));
}

void DumpBuilder::setStart(int year, int month, int day, int hour, int minute, int second)
{
    const int values[] = {year, month, day, -1, hour, minute, second};
    for (int i = 0; i < 7; ++i)
        if (values[i] >= 0)
            setHeaderByte(i, static_cast<std::uint8_t>(values[i]));
}

void DumpBuilder::setWheel(int millimetres)
{
    setHeaderByte(36, static_cast<std::uint8_t>(millimetres / 100));
    setHeaderByte(37, static_cast<std::uint8_t>(millimetres % 100));
}

void DumpBuilder::addSample(std::uint8_t heartRate, std::uint8_t cadence, std::uint16_t counter,
                            std::uint16_t period)
{
    addBytes({heartRate, cadence, static_cast<std::uint8_t>(counter >> 8),
              static_cast<std::uint8_t>(counter & 0xFF), static_cast<std::uint8_t>(period >> 8),
              static_cast<std::uint8_t>(period & 0xFF)});
}

void DumpBuilder::addLap(const Lap &lap)
{
    lapStarts_.push_back(stream_.size());
    lapChainFixed_.push_back(lap.chainFixed);
    stream_.insert(stream_.end(), lap.bytes.begin(), lap.bytes.end());
}

void DumpBuilder::addBytes(const std::vector<std::uint8_t> &bytes)
{
    stream_.insert(stream_.end(), bytes.begin(), bytes.end());
}

std::size_t DumpBuilder::dumpPosition(std::size_t streamIndex)
{
    return streamIndex / PageData * PageSize + streamIndex % PageData;
}

std::uint8_t DumpBuilder::pageTag(int page) const
{
    const auto p = static_cast<std::size_t>(page);
    if (p < pageTags_.size())
        return pageTags_[p];
    return static_cast<std::uint8_t>((firstTag_ + page) & 0xFF);
}

DumpBuilder::Layout DumpBuilder::build() const
{
    std::vector<std::uint8_t> data(header_.begin(), header_.end());
    data.insert(data.end(), stream_.begin(), stream_.end());
    const std::size_t total = data.size();
    const std::size_t lastPage = (total - 1) / PageData;

    Layout out;
    out.dataLength = static_cast<int>(lastPage * PageSize + (total - lastPage * PageData));
    const int pages = std::max(static_cast<int>(lastPage) + 1, minPages_);

    auto address = [&](std::size_t lapNo) {
        const std::size_t pos = dumpPosition(header_.size() + lapStarts_[lapNo]);
        return std::pair<std::uint8_t, std::uint8_t>(pageTag(static_cast<int>(pos / PageSize)),
                                                     static_cast<std::uint8_t>(pos % PageSize));
    };
    const std::size_t laps = lapStarts_.size();
    for (std::size_t i = 0; i < laps; ++i) {
        out.lapPositions.push_back(dumpPosition(header_.size() + lapStarts_[i]));
        if (lapChainFixed_[i])
            continue;
        const auto pre = i > 0 ? address(i - 1) : std::pair<std::uint8_t, std::uint8_t>(0, 0);
        const auto next = i + 1 < laps ? address(i + 1) : std::pair<std::uint8_t, std::uint8_t>(0, 0);
        const std::size_t at = header_.size() + lapStarts_[i] + 28;
        data[at] = pre.first, data[at + 1] = pre.second;
        data[at + 2] = next.first, data[at + 3] = next.second;
    }

    auto automatic = [&](std::size_t index, std::size_t value) {
        if (!headerFixed_[index])
            data[index] = static_cast<std::uint8_t>(std::min<std::size_t>(value, 255));
    };
    automatic(29, laps);
    automatic(42, lastPage + 1);
    automatic(43, total - lastPage * PageData);
    const auto first = laps ? address(0) : std::pair<std::uint8_t, std::uint8_t>(0, 0);
    const auto last = laps ? address(laps - 1) : std::pair<std::uint8_t, std::uint8_t>(0, 0);
    automatic(44, last.first);
    automatic(45, last.second);
    automatic(46, first.first);
    automatic(47, first.second);

    out.bytes.assign(static_cast<std::size_t>(pages) * PageSize, 0xFF);
    for (int p = 0; p < pages; ++p) {
        out.bytes[static_cast<std::size_t>(p) * PageSize + 254] = 0x00;
        out.bytes[static_cast<std::size_t>(p) * PageSize + 255] = pageTag(p);
    }
    for (std::size_t n = 0; n < total; ++n)
        out.bytes[dumpPosition(n)] = data[n];
    return out;
}

std::vector<std::uint8_t> DumpBuilder::dumpBytes() const { return build().bytes; }

int DumpBuilder::dataLength() const { return build().dataLength; }

int DumpBuilder::pageCount() const { return static_cast<int>(build().bytes.size() / PageSize); }

std::size_t DumpBuilder::lapPosition(std::size_t i) const { return build().lapPositions.at(i); }

std::pair<std::uint8_t, std::uint8_t> DumpBuilder::lapAddress(std::size_t i) const
{
    const std::size_t pos = lapPosition(i);
    return {pageTag(static_cast<int>(pos / PageSize)), static_cast<std::uint8_t>(pos % PageSize)};
}

std::string DumpBuilder::headerHex() const
{
    const auto bytes = dumpBytes();
    return hex(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 48));
}

std::vector<std::string> DumpBuilder::reportLines() const
{
    return frame(dumpBytes(), firstCounter_);
}

std::string DumpBuilder::tempText() const { return joinLines(reportLines()); }

std::vector<std::vector<std::uint8_t>> DumpBuilder::reports() const
{
    std::vector<std::vector<std::uint8_t>> out;
    for (const auto &line : reportLines())
        out.push_back(bytes(line));
    return out;
}

std::vector<std::string> DumpBuilder::frame(const std::vector<std::uint8_t> &dump, int firstCounter)
{
    std::vector<std::string> lines;
    lines.push_back(std::string(StartMarker) + "00");
    for (std::size_t at = 0; at < dump.size(); at += 32) {
        std::vector<std::uint8_t> report(33, 0xFF);
        report[0] = static_cast<std::uint8_t>((firstCounter + static_cast<int>(at / 32)) & 0x0F);
        const std::size_t n = std::min<std::size_t>(32, dump.size() - at);
        std::copy_n(dump.begin() + static_cast<std::ptrdiff_t>(at), n, report.begin() + 1);
        lines.push_back(hex(report));
    }
    lines.push_back(std::string(EndMarker) + "00");
    return lines;
}

std::string DumpBuilder::joinLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

std::string DumpBuilder::hex(const std::vector<std::uint8_t> &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

std::vector<std::uint8_t> DumpBuilder::bytes(const std::string &hexText)
{
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 0;
    };
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < hexText.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(digit(hexText[i]) * 16 + digit(hexText[i + 1])));
    return out;
}
