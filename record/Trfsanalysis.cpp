#include "record/Trfsanalysis.h"

#include "record/RecordText.h"
#include "store/AtomicFile.h"
#include "store/NarrowFile.h"

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
int CounterOf(std::string_view line)
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
    case 1: return "Temp.txt cannot be read";
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
    RecordUnconfirmed = false;
    BadByte = false;
    WriteFailed = false;

    const int loaded = LoadDump();
    if (loaded != 0)
        return Fail("LoadDump " + std::to_string(loaded) + ": " +
                    (loaded == 1 ? ReadProblem : LoadDumpMeaning(loaded)));
    if (DataLineCount > MaxDataLines)
        return Fail("the dump holds more than 256 pages (" + std::to_string(DataLineCount) +
                    " data lines, at most 2048)");
    if (DumpHex.size() != DataLineCount * MarkerChars)
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
    return recordtext::HexPair(text.data() + at);
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

std::string_view TTRAnalysis::LineText(std::size_t i) const
{
    return std::string_view(DumpText).substr(Lines[i].at, Lines[i].size);
}

void TTRAnalysis::SplitDumpText()
{
    // Counted first, so short-line input costs eight bytes a line, not a
    // doubled vector.
    std::size_t count = 0;
    ForEachNarrowLine(DumpText, [&count](std::size_t, std::size_t) { ++count; });
    Lines.clear();
    Lines.shrink_to_fit();
    Lines.reserve(count);
    ForEachNarrowLine(DumpText, [this](std::size_t at, std::size_t size) {
        Lines.push_back({static_cast<std::uint32_t>(at),
                         static_cast<std::uint32_t>(std::min(size, ReportChars))});
    });
}

bool TTRAnalysis::KeptLine(std::size_t i, std::size_t last) const
{
    // A line without a readable counter is never part of a run.
    const int counter = CounterOf(LineText(i));
    return i + 1 == last || counter < 0 || counter != CounterOf(LineText(i + 1));
}

void TTRAnalysis::SaveLines(const std::string &name, std::size_t first, std::size_t last, bool keptOnly,
                            std::size_t skip)
{
    AtomicFile file(PathOf(name), Durability::Unsynced);
    WriteLines(file, first, last, keptOnly, skip);
    if (file.Commit() == Saved::No)
        WriteFailed = true;
}

void TTRAnalysis::WriteLines(AtomicFile &file, std::size_t first, std::size_t last, bool keptOnly,
                             std::size_t skip) const
{
    // Lines that stand in the dump text just as they are written (whole and
    // ended by CR LF) and follow one another there go out as one piece,
    // without a copy: a well-formed dump is written in a single piece.
    const std::string_view text = DumpText;
    std::size_t runStart = 0, runEnd = 0;
    auto writeRun = [&] {
        if (runEnd > runStart)
            file.Write(text.substr(runStart, runEnd - runStart));
        runStart = runEnd = 0;
    };
    for (std::size_t i = first; i < last; ++i) {
        if (keptOnly && !KeptLine(i, last))
            continue;
        const std::size_t at = Lines[i].at + std::min(skip, std::size_t(Lines[i].size));
        const std::size_t end = Lines[i].at + Lines[i].size;
        if (text.substr(end, 2) != "\r\n") {
            writeRun();
            file.WriteLine(text.substr(at, end - at));
        } else if (runEnd > runStart && runEnd == at) {
            runEnd = end + 2;
        } else {
            writeRun();
            runStart = at;
            runEnd = end + 2;
        }
    }
    writeRun();
}

void TTRAnalysis::SaveLines(const std::string &name, std::span<const std::string> lines)
{
    if (SaveLineFile(PathOf(name), lines, Durability::Unsynced) == Saved::No)
        WriteFailed = true;
}

int TTRAnalysis::LoadDump()
{
    Lines.clear();
    DumpHex.clear();
    PageTags.clear();
    DataLineCount = 0;
    const ReadStatus status = ReadFile(PathOf("Temp.txt"), DumpText, filelimit::Dump);
    if (status != ReadStatus::Ok) {
        ReadProblem = "Temp.txt " + ReadStatusText(status, filelimit::Dump);
        return 1;
    }

    SplitDumpText();
    const std::size_t count = Lines.size();
    SaveLines("Temp0.txt", 0, count);
    SaveLines("ALLDATA.TXT", 0, count);

    if (count == 0 || LineText(0).substr(0, MarkerChars) != StartMarker)
        return 2;
    if (LineText(count - 1).substr(0, MarkerChars) != EndMarker)
        return 3;

    // The data lines lie between the markers; Lines itself stays whole for
    // the record's raw transfer section.
    const std::size_t first = 1, last = count - 1;
    SaveLines("Temp1.txt", first, last);
    SaveLines("Temp2.txt", first, last, true);

    int previous = -1;
    for (std::size_t i = first; i < last; ++i) {
        if (!KeptLine(i, last))
            continue;
        const int counter = CounterOf(LineText(i));
        if (counter < 0 || (previous >= 0 && counter != (previous + 1) % 16))
            return 4;
        previous = counter;
        ++DataLineCount;
    }

    SaveLines("Temp3.txt", first, last, true, 2);
    if (DataLineCount <= MaxDataLines)
        DumpHex.reserve(DataLineCount * MarkerChars);
    std::size_t j = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (!KeptLine(i, last))
            continue;
        const std::string_view data = LineText(i).substr(2);
        DumpHex += data;
        if (j++ % 8 == 7)
            PageTags.emplace_back(data.size() > 62 ? data.substr(62, 2) : std::string_view());
    }
    return 0;
}

void TTRAnalysis::WriteRecordFile()
{
    const std::string name = TwoDigits(Year) + TwoDigits(Month) + TwoDigits(Day) + TwoDigits(Hour) +
                             TwoDigits(Minute) + TwoDigits(Second) + ".TR9";
    // Assembled from the decoder's own lists: the work files on disk may
    // belong to another decode in the same folder by now. Synced before it
    // replaces an older record of the same name: the command-line tool's
    // record is the one a rider recovers a lost ride with.
    AtomicFile file(PathOf(name));
    auto section = [&file](const std::vector<std::string> &lines) {
        for (const std::string &line : lines)
            file.WriteLine(line);
    };
    section(HeadList);
    file.WriteLine("");
    section(LapList);
    file.WriteLine("");
    section(FlowList);
    for (const char *line : {"", "[ALL DATA ARRAY]", ""})
        file.WriteLine(line);
    WriteLines(file, 0, Lines.size());
    file.WriteLine("");
    const Saved saved = file.Commit();
    RecordUnconfirmed = saved == Saved::Unconfirmed;
    if (saved != Saved::No)
        FileName = name;
}
