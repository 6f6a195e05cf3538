// DecodeLap: one lap record of the chain, found through the page tags.
#include "record/RecordText.h"
#include "record/Trfsanalysis.h"

using recordtext::AddressLine;
using recordtext::HexDigit;
using recordtext::KeyLine;
using recordtext::PageChars;
using recordtext::PageTailChars;

namespace {

constexpr std::size_t LapChars = 64;

} // namespace

bool TTRAnalysis::DecodeLap()
{
    if (NextLapHigh == 0)
        return true;

    LapPage = 0;
    for (std::size_t i = 0; i < PageTags.size(); ++i)
        if (HexByte(PageTags[i], 0) == NextLapHigh) { // a tag holds at most two characters
            LapPage = static_cast<std::uint8_t>(i);
            break;
        }

    // A record runs on at byte 0 of the next page when it reaches byte 254.
    // Every byte read is marked "XX", so a chain that comes back to a record
    // already read meets characters that are not hexadecimal and fails.
    std::string lap;
    lap.reserve(LapChars);
    std::size_t p = (static_cast<std::size_t>(LapPage) * 256 + NextLapLow) * 2;
    bool readable = true;
    for (int n = 0; n < 32; ++n) {
        if (p + 1 >= DumpHex.size()) {
            readable = false;
            break;
        }
        lap += DumpHex[p];
        lap += DumpHex[p + 1];
        DumpHex[p] = DumpHex[p + 1] = 'X';
        p += 2;
        if (p % PageChars == PageTailChars)
            p += 4;
    }
    for (std::size_t i = 0; readable && i < lap.size(); ++i)
        readable = HexDigit(lap[i]) >= 0;
    if (!readable) {
        if (Sink)
            Sink("TR900 LAP Data Fail!", "info");
        return true;
    }

    auto b = [&](std::uint8_t k) { return HexByte(lap, k); };
    auto word = [&](std::uint8_t k) { return b(k) * 256 + b(static_cast<std::uint8_t>(k + 1)); };
    NextLapHigh = static_cast<std::uint8_t>(b(30));
    NextLapLow = static_cast<std::uint8_t>(b(31));

    static const char *const times[] = {"LAP_IDX", "LAP_HOUR_SLP", "LAP_MIN_SLP", "LAP_SEC_SLP",
                                        "LAP_HOUR", "LAP_MIN", "LAP_SEC", "LAP_HRM_AVG",
                                        "LAP_HRM_MAX"};
    LapList.push_back("");
    LapList.push_back("$LAP$" + std::to_string(b(0)));
    LapList.push_back("");
    for (std::uint8_t k = 0; k < 9; ++k)
        LapList.push_back(KeyLine(times[k], b(k)));
    LapList.push_back(KeyLine("LAP_SPEED_AVG", word(9)));
    LapList.push_back(KeyLine("LAP_SPEED_MAX", word(11)));
    LapList.push_back(KeyLine("LAP_CA_AVG", b(13)));
    LapList.push_back(KeyLine("LAP_CA_MAX", b(14)));
    LapList.push_back(KeyLine("LAP_DIST", word(15)));
    LapList.push_back(KeyLine("LAP_DIST_SPLIT", word(17)));
    LapList.push_back(AddressLine("LAP_PRE_ADDR_H", b(28)));
    LapList.push_back(AddressLine("LAP_PRE_ADDR_L", b(29)));
    LapList.push_back(AddressLine("LAP_NEXT_ADDR_H", b(30)));
    LapList.push_back(AddressLine("LAP_NEXT_ADDR_L", b(31)));
    LapList.push_back("LAP_DATA_ARRAY=" + lap + ";");
    return false;
}
