#include "training/Profile.h"

#include "store/AtomicFile.h"
#include "store/NarrowFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool IntegerOf(std::string_view text, int low, int high, int &value)
{
    text = Trimmed(text);
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool SameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20);
           });
}

// Five percentages, each above the one before, within 1..100.
bool ZonesOf(std::string_view text, std::array<int, 5> &zones)
{
    std::array<int, 5> parsed{};
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i + 1 == parsed.size();
        if ((comma == std::string_view::npos) != last)
            return false;
        if (!IntegerOf(text.substr(0, comma), i == 0 ? 1 : parsed[i - 1] + 1, 100, parsed[i]))
            return false;
        text.remove_prefix(last ? text.size() : comma + 1);
    }
    zones = parsed;
    return true;
}

void ReadKey(std::string_view key, std::string_view value, Profile &profile)
{
    if (key == "MaxHR") {
        IntegerOf(value, ProfileHrLow, ProfileHrHigh, profile.maxHr);
    } else if (key == "RestHR") {
        IntegerOf(value, ProfileHrLow, ProfileHrHigh, profile.restHr);
    } else if (key == "Gender") {
        value = Trimmed(value);
        if (SameNoCase(value, "male"))
            profile.gender = ProfileGender::Male;
        else if (SameNoCase(value, "female"))
            profile.gender = ProfileGender::Female;
    } else if (key == "Zones") {
        ZonesOf(value, profile.zones);
    }
}

} // namespace

ProfileProblem CheckProfile(const Profile &profile)
{
    const auto outside = [](int hr) { return hr != 0 && (hr < ProfileHrLow || hr > ProfileHrHigh); };
    if (outside(profile.maxHr) || outside(profile.restHr))
        return ProfileProblem::HeartRateRange;
    // The resting rate used is 60 when none is set; the heart-rate reserve
    // of the load must not be zero or negative.
    if (profile.maxHr != 0 && profile.maxHr <= (profile.restHr != 0 ? profile.restHr : 60))
        return ProfileProblem::MaxNotAboveRest;
    for (std::size_t i = 0; i < profile.zones.size(); ++i)
        if (profile.zones[i] < (i == 0 ? 1 : profile.zones[i - 1] + 1) || profile.zones[i] > 100)
            return ProfileProblem::ZonesNotAscending;
    return ProfileProblem::None;
}

Profile ReadProfile(const std::string &path)
{
    Profile profile;
    std::string bytes;
    if (!ReadFileBytes(path, bytes, filelimit::Text))
        return profile;
    std::string_view text = bytes;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    // The first line of a key counts, as in every file of the program.
    std::array<bool, 4> seen{};
    static constexpr std::array<std::string_view, 4> keys{"MaxHR", "RestHR", "Gender", "Zones"};
    ForEachNarrowLine(text, [&](std::size_t start, std::size_t size) {
        const std::string_view line = text.substr(start, size);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return;
        const std::string_view key = Trimmed(line.substr(0, eq));
        const auto known = std::find(keys.begin(), keys.end(), key);
        if (known == keys.end() || seen[static_cast<std::size_t>(known - keys.begin())])
            return;
        seen[static_cast<std::size_t>(known - keys.begin())] = true;
        ReadKey(key, line.substr(eq + 1), profile);
    });
    if (CheckProfile(profile) == ProfileProblem::MaxNotAboveRest)
        profile.restHr = 0;
    if (CheckProfile(profile) == ProfileProblem::MaxNotAboveRest)
        profile.maxHr = 0; // at or below the default resting rate
    return profile;
}

int ReadAccountGender(const std::string &riderFolder)
{
    std::string folder = riderFolder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const std::size_t slash = folder.rfind('/');
    const std::string id = slash == std::string::npos ? folder : folder.substr(slash + 1);
    std::vector<std::string> lines;
    int code = 0;
    if (!ReadNarrowLines(folder + "/" + id + ".dat", lines, filelimit::Text) || lines.empty() ||
        lines.front().rfind("Genter=", 0) != 0 || !IntegerOf(std::string_view(lines.front()).substr(7), 0, 1, code))
        return 0;
    return code;
}

bool WriteProfile(const std::string &path, const Profile &profile, std::string &error)
{
    errno = 0;
    AtomicFile file(path);
    bool ok = true;
    if (profile.maxHr > 0)
        ok = ok && file.WriteLine("MaxHR=" + std::to_string(profile.maxHr));
    if (profile.restHr > 0)
        ok = ok && file.WriteLine("RestHR=" + std::to_string(profile.restHr));
    if (profile.gender != ProfileGender::Unset)
        ok = ok && file.WriteLine(profile.gender == ProfileGender::Male ? "Gender=male" : "Gender=female");
    std::string zones = "Zones=";
    for (std::size_t i = 0; i < profile.zones.size(); ++i)
        zones += (i ? "," : "") + std::to_string(profile.zones[i]);
    if (ok && file.WriteLine(zones) && file.Commit() != Saved::No)
        return true;
    error = "cannot write " + path;
    if (errno != 0)
        error += std::string(": ") + std::strerror(errno);
    return false;
}
