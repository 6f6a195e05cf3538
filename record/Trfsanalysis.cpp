#include "record/Trfsanalysis.h"

#include "record/LineFile.h"
#include "record/RecordText.h"
#include "store/Textfile.h"

#include <algorithm>
#include <utility>

namespace {

const char StartMarker[] = "404B4F5256414E453A5452393030202020444154412053544152542020202020";
const char EndMarker[] = "404B4F5256414E453A54523930302020204441544120454E4420202020202020";

// 33 bytes per report, two characters each.
constexpr std::size_t ReportChars = 66;
constexpr std::size_t MarkerChars = 64;
// A page index held in 8 bits reaches 256 pages of 8 data lines each.
constexpr std::size_t MaxDataLines = 256 * 8;

// Low four bits of a data line's counter byte (its second character), or -1.
int CounterOf(const std::string &line)
{
    return line.size() < 2 ? -1 : recordtext::HexDigit(line[1]);
}

std::string TwoDigits(int value)
{
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

} // namespace

TTRAnalysis::TTRAnalysis(MessageSink sink) : Sink(std::move(sink)) {}

const char *TTRAnalysis::LoadDumpMeaning(int code)
{
    switch (code) {
    case 0: return "the dump was read";
    case 1: return "Temp.txt does not exist";
    case 2: return "the first line is not the start marker";
    case 3: return "the last line is not the end marker";
    case 4: return "the report counters are not continuous (a report was lost)";
    default: return "unknown result";
    }
}

bool TTRAnalysis::Fail(const std::string &reason)
{
    FailReason = reason;
    return true;
}

bool TTRAnalysis::Decode(const std::string &folder)
{
    AppFolder = folder;
    FailReason.clear();
    FileName.clear();
    BadByte = false;
    WriteFailed = false;

    const int loaded = LoadDump();
    if (loaded != 0)
        return Fail("LoadDump " + std::to_string(loaded) + ": " + LoadDumpMeaning(loaded));
    if (Lines.size() > MaxDataLines)
        return Fail("the dump holds more than 256 pages (" + std::to_string(Lines.size()) +
                    " data lines, at most 2048)");
    for (const auto &line : Lines)
        if (line.size() != MarkerChars)
            return Fail("a data line is shorter than 66 characters");
    if (DumpHex.size() < recordtext::HeaderChars)
        return Fail("the dump is shorter than the 48 header bytes");

    DecodeHeader();
    if (BadByte)
        return Fail("a header byte is not two hexadecimal digits");

    NextLapHigh = static_cast<std::uint8_t>(HexByte(DumpHex, 46));
    NextLapLow = static_cast<std::uint8_t>(HexByte(DumpHex, 47));
    LapList.clear();
    LapList.push_back("[LAP Data]");
    while (NextLapHigh != 0)
        if (DecodeLap())
            return Fail("TR900 LAP Data Fail! (a lap record runs past the dump, is not "
                        "hexadecimal or was already read)");

    DecodeFlow();
    if (BadByte)
        return Fail("a sensor sample byte is not two hexadecimal digits");
    if (WriteFailed)
        return Fail("the work files cannot be written in " + PathOf(""));

    WriteRecordFile();
    if (FileName.empty())
        return Fail("the record file cannot be written in " + PathOf(""));
    return false;
}

int TTRAnalysis::HexByte(std::string_view text, std::uint8_t k) const
{
    const std::size_t at = static_cast<std::size_t>(k) * 2;
    if (at + 1 >= text.size())
        return -1;
    const int high = recordtext::HexDigit(text[at]);
    const int low = recordtext::HexDigit(text[at + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

int TTRAnalysis::ReadByte(std::string_view text, std::uint8_t k)
{
    const int value = HexByte(text, k);
    if (value < 0)
        BadByte = true;
    return value;
}

std::string TTRAnalysis::PathOf(const std::string &name) const
{
    return AppFolder.empty() ? name : AppFolder + "/" + name;
}

bool TTRAnalysis::LoadLines(const std::string &name) { return ReadNarrowLines(PathOf(name), Lines); }

void TTRAnalysis::SaveLines(const std::string &name) { SaveLines(name, Lines); }

void TTRAnalysis::SaveLines(const std::string &name, std::span<const std::string> lines)
{
    if (!SaveLineFile(PathOf(name), lines))
        WriteFailed = true;
}

int TTRAnalysis::LoadDump()
{
    if (!LoadLines("Temp.txt")) // also when Temp.txt is no regular file
        return 1;

    for (auto &line : Lines)
        if (line.size() >= ReportChars)
            line.resize(ReportChars);
    SaveLines("Temp0.txt");
    SaveLines("ALLDATA.TXT");

    if (Lines.empty())
        return 2;
    Lines.front().resize(std::min(Lines.front().size(), MarkerChars));
    if (Lines.front() != StartMarker)
        return 2;
    Lines.back().resize(std::min(Lines.back().size(), MarkerChars));
    if (Lines.back() != EndMarker)
        return 3;

    Lines.erase(Lines.begin());
    Lines.pop_back();
    SaveLines("Temp1.txt");

    // Of a run of lines with the same counter keep the last one; a line
    // without a readable counter is never part of a run.
    std::vector<std::string> kept;
    kept.reserve(Lines.size());
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const int counter = CounterOf(Lines[i]);
        if (i + 1 == Lines.size() || counter < 0 || counter != CounterOf(Lines[i + 1]))
            kept.push_back(std::move(Lines[i]));
    }
    Lines = std::move(kept);
    SaveLines("Temp2.txt");

    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const int counter = CounterOf(Lines[i]);
        if (counter < 0 || (i > 0 && counter != (CounterOf(Lines[i - 1]) + 1) % 16))
            return 4;
    }

    for (auto &line : Lines)
        line.erase(0, std::min<std::size_t>(2, line.size()));
    SaveLines("Temp3.txt");

    DumpHex.clear();
    DumpHex.reserve(Lines.size() * MarkerChars);
    PageTags.clear();
    for (std::size_t j = 0; j < Lines.size(); ++j) {
        DumpHex += Lines[j];
        if (j % 8 == 7)
            PageTags.push_back(Lines[j].size() > 62 ? Lines[j].substr(62, 2) : std::string());
    }
    return 0;
}

void TTRAnalysis::WriteRecordFile()
{
    HeadList.push_back("");
    HeadList.insert(HeadList.end(), LapList.begin(), LapList.end());
    HeadList.push_back("");
    HeadList.insert(HeadList.end(), FlowList.begin(), FlowList.end());
    HeadList.push_back("");
    HeadList.push_back("[ALL DATA ARRAY]");
    HeadList.push_back("");
    // The raw transfer is part of the record; without it there is no record.
    if (!LoadLines("ALLDATA.TXT"))
        return;
    HeadList.insert(HeadList.end(), Lines.begin(), Lines.end());
    HeadList.push_back("");

    const std::string name = TwoDigits(Year) + TwoDigits(Month) + TwoDigits(Day) + TwoDigits(Hour) +
                             TwoDigits(Minute) + TwoDigits(Second) + ".TR9";
    if (SaveLineFile(PathOf(name), HeadList))
        FileName = name;
}
