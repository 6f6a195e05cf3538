// DecodeHeader: the 48 header bytes to the "[File Head]" section.
#include "record/RecordText.h"
#include "record/Trfsanalysis.h"

#include <array>

using recordtext::AddressLine;
using recordtext::KeyLine;

namespace {

struct ByteKey {
    const char *key;
    std::uint8_t index;
};

} // namespace

void TTRAnalysis::DecodeHeader()
{
    HeadList.clear();
    // Bytes 39 to 41 carry nothing the record holds: they are not read, so
    // whatever they hold cannot fail the decoding.
    std::array<int, 48> b{};
    for (std::uint8_t i = 0; i < b.size(); ++i)
        if (i < 39 || i > 41)
            b[i] = ReadByte(DumpHex, i);
    auto word = [&](std::size_t high) { return b[high] * 256 + b[high + 1]; };
    auto add = [&](std::initializer_list<ByteKey> keys) {
        for (const auto &k : keys)
            HeadList.push_back(KeyLine(k.key, b[k.index]));
    };

    Year = b[0], Month = b[1], Day = b[2], Hour = b[4], Minute = b[5], Second = b[6];
    Wheel = static_cast<std::uint32_t>(b[36] * 100 + b[37]);

    HeadList.insert(HeadList.end(), {"[File Head]", "", "#File Date", ""});
    add({{"YEAR", 0}, {"MONTH", 1}, {"DAY", 2}, {"WEEKDAY", 3}, {"HOUR", 4}, {"MINUTE", 5},
         {"SECOND", 6}});
    HeadList.insert(HeadList.end(), {"", "#Setting Data", ""});
    add({{"UNIT", 31}, {"GENDER", 32}, {"AGE", 33}, {"HEIGHT", 34}, {"WEIGHT", 35}});
    HeadList.push_back(KeyLine("WHEEL", Wheel));
    add({{"VO2MAX", 38}});
    HeadList.insert(HeadList.end(), {"", "#Exercise", ""});
    add({{"EXEHOUR", 7}, {"EXEMIN", 8}, {"EXESEC", 9}, {"INZONE_HOUR", 10}, {"INZONE_MIN", 11},
         {"INZONE_SEC", 12}, {"SET_HR_IDX", 13}, {"SET_HR_MAX", 14}, {"SET_HR_LIMIT_H", 15},
         {"SET_HR_LIMIT_L", 16}, {"HRM_AVG", 17}, {"HRM_MAX", 18}});
    HeadList.push_back(KeyLine("KCAL", word(19)));
    HeadList.push_back(KeyLine("SPEED_AVG", word(21)));
    HeadList.push_back(KeyLine("SPEED_MAX", word(23)));
    add({{"CA_AVG", 25}, {"CA_MAX", 26}});
    HeadList.push_back(KeyLine("DISTANCE", word(27)));
    add({{"LAPCOUNT", 29}, {"BESTLAP", 30}});
    HeadList.insert(HeadList.end(), {"", "#File Data", ""});
    add({{"SECTION_CNT", 42}, {"LASTSECTION_SIZE", 43}});
    HeadList.push_back(AddressLine("LASTLAP_ADDR_H", b[44]));
    HeadList.push_back(AddressLine("LASTLAP_ADDR_L", b[45]));
    HeadList.push_back(AddressLine("FIRSTLAP_ADDR_H", b[46]));
    HeadList.push_back(AddressLine("FIRSTLAP_ADDR_L", b[47]));
    HeadList.insert(HeadList.end(), {"", "#File Head Data Array", ""});
    HeadList.push_back(DumpHex.substr(0, recordtext::HeaderChars));
    HeadList.insert(HeadList.end(),
                    {"#User Record", "", "TOPIC=;", "Weather=;", "", "[MemoStart]", "[MemoEnd]", ""});

    DataLength = b[42] * 256 + b[43] - 256;
}
