// Reading record files and their notes files, and saving notes.
#include "store/Databasecontroler.h"

#include "store/NarrowFile.h"
#include "store/Textfile.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// The digits of a number: a leading "+" is taken off (from_chars does not
// read one); a sign after it makes the text no number (empty).
std::string_view Unsigned(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return {};
    }
    return text;
}

// Decimal value of a text, 0 when it is not a decimal integer that fits.
std::int32_t IntOf(const std::string &text)
{
    const std::string_view digits = Unsigned(text);
    const char *b = digits.data();
    const char *e = b + digits.size();
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(b, e, value);
    return (ec == std::errc() && end == e && b != e) ? value : 0;
}

// A record file's lines; false for a file that cannot be read or holds
// more lines than any record does (a file of 4 MiB of line ends would
// otherwise cost a hundred megabytes of empty lines).
bool ReadRecordLines(const std::string &path, std::vector<std::string> &lines)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes, filelimit::Record, Links::NotFollowed))
        return false;
    std::size_t count = 0;
    ForEachNarrowLine(bytes, [&count](std::size_t, std::size_t) { ++count; });
    if (count > filelimit::RecordLines)
        return false;
    lines = SplitNarrowLines(bytes);
    return true;
}

// The first filelimit::RecordSamples values of a series line (each value ends with
// its comma): what a dump can hold; the rest of a longer line is left out.
std::string BoundedSeries(const std::string &line)
{
    std::size_t at = 0;
    for (std::size_t values = 0; values < filelimit::RecordSamples; ++values) {
        at = line.find(',', at);
        if (at == std::string::npos)
            return line;
        ++at;
    }
    return line.substr(0, at);
}

std::string TwoDigits(std::string text)
{
    if (text.size() == 1)
        text.insert(text.begin(), '0');
    return text;
}

// Sums wrap like the 32-bit counters they are, never overflow.
std::int32_t Wrapped(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

} // namespace

std::string TKorvanDataBase::ValueOf(const std::string &key) const
{
    if (key.empty())
        return {};
    for (const std::string &line : RecordLines) {
        if (line.find(key) == std::string::npos)
            continue;
        const std::size_t eq = line.find('=');
        const std::size_t semi = line.find(';');
        if (semi == std::string::npos || (eq != std::string::npos && semi < eq))
            return {};
        const std::size_t start = eq == std::string::npos ? 0 : eq + 1;
        return line.substr(start, semi - start);
    }
    return {};
}

int TKorvanDataBase::SumDay(int year, int month, int day)
{
    DaySeconds = DayDistance = DayKcal = 0;
    for (const std::string &name : RecordFiles) {
        const std::string pairs = name.substr(0, 6);
        if ((IntOf(pairs.substr(0, 2)) & 0xFF) != (year & 0xFF) ||
            (IntOf(pairs.size() > 2 ? pairs.substr(2, 2) : std::string()) & 0xFF) != (month & 0xFF) ||
            (IntOf(pairs.size() > 4 ? pairs.substr(4, 2) : std::string()) & 0xFF) != (day & 0xFF))
            continue;
        if (!ReadRecordLines(RiderFolder + name, RecordLines))
            continue;
        const std::int64_t seconds = std::int64_t(IntOf(ValueOf("EXEHOUR"))) * 3600 +
                                     std::int64_t(IntOf(ValueOf("EXEMIN"))) * 60 + IntOf(ValueOf("EXESEC"));
        DaySeconds = Wrapped(DaySeconds + seconds);
        DayDistance = Wrapped(std::int64_t(DayDistance) + IntOf(ValueOf("DISTANCE")));
        DayKcal = Wrapped(std::int64_t(DayKcal) + IntOf(ValueOf("KCAL")));
    }
    return 0;
}

int TKorvanDataBase::ReadRecord(const std::string &name)
{
    Unit = 0;
    for (std::string *text : {&ExerciseTime, &DistanceText, &CadenceAvgText, &SpeedAvgText, &LapCountText,
                              &KcalText, &HrMaxText, &HrAvgText, &Vo2MaxText, &HrLimitText})
        *text = "0";
    if (name.empty() || !ReadRecordLines(RiderFolder + name, RecordLines))
        return 1;

    Unit = static_cast<std::uint8_t>(IntOf(ValueOf("UNIT")));
    ExerciseTime = TwoDigits(ValueOf("EXEHOUR")) + ":" + TwoDigits(ValueOf("EXEMIN")) + ":" +
                   TwoDigits(ValueOf("EXESEC"));
    DistanceText = TenthsText(ValueOf("DISTANCE"));
    CadenceAvgText = ValueOf("CA_AVG");
    SpeedAvgText = TenthsText(ValueOf("SPEED_AVG"));
    LapCountText = ValueOf("LAPCOUNT");
    KcalText = ValueOf("KCAL");
    HrMaxText = ValueOf("HRM_MAX");
    HrAvgText = ValueOf("HRM_AVG");
    Vo2MaxText = ValueOf("VO2MAX");
    HrLimitText = ValueOf("SET_HR_LIMIT_L") + "~" + ValueOf("SET_HR_LIMIT_H");
    HrmExist = IntOf(ValueOf("HRM_EXIST"));
    SpdExist = IntOf(ValueOf("SPD_EXIST"));
    CadExist = IntOf(ValueOf("CAD_EXIST"));

    NoteLines.clear();
    Topic.clear();
    Weather.clear();
    if (ReadWideLines(RiderFolder + NotesFileName(name), NoteLines, filelimit::Notes, Links::NotFollowed) && NoteLines.size() >= 2) {
        Topic = NoteLines.takeFirst();
        Weather = NoteLines.takeFirst();
    }
    return 0;
}

int TKorvanDataBase::ReadSeries(const std::string &heading)
{
    SeriesText.clear();
    if (heading.empty())
        return 0;
    for (std::size_t i = 0; i < RecordLines.size(); ++i) {
        if (RecordLines[i].find(heading) != std::string::npos) {
            if (i + 1 < RecordLines.size())
                SeriesText = BoundedSeries(RecordLines[i + 1]);
            break;
        }
    }
    return 0;
}

std::string TKorvanDataBase::TenthsText(const std::string &value)
{
    if (value == "0")
        return value;
    double v = 0;
    const std::string_view digits = Unsigned(value);
    const char *b = digits.data();
    const char *e = b + digits.size();
    const auto [end, ec] = std::from_chars(b, e, v, std::chars_format::general);
    if (ec != std::errc() || end != e || b == e || !std::isfinite(v))
        return "0";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v * 0.1 + 0.0, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

std::string TKorvanDataBase::NotesFileName(const std::string &recordName)
{
    std::string name = recordName;
    if (!name.empty())
        name.back() = 'M';
    return name;
}

int TKorvanDataBase::SaveNotes(const std::string &name)
{
    if (name.empty())
        return 1;
    // Notes that could not be read back are not written.
    const std::string bytes = EncodeUtf16Lines(NoteLines);
    if (bytes.size() > filelimit::Notes)
        return 1;
    return WriteFileAtomic(RiderFolder + NotesFileName(name), bytes);
}
