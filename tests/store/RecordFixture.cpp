#include "tests/store/RecordFixture.h"

#include <vector>

namespace {

const char *const kHeadKeys[] = {
    "#File Date", "", "YEAR", "MONTH", "DAY", "WEEKDAY", "HOUR", "MINUTE", "SECOND", "", "#Setting Data", "",
    "UNIT", "GENDER", "AGE", "HEIGHT", "WEIGHT", "WHEEL", "VO2MAX", "", "#Exercise", "", "EXEHOUR", "EXEMIN",
    "EXESEC", "INZONE_HOUR", "INZONE_MIN", "INZONE_SEC", "SET_HR_IDX", "SET_HR_MAX", "SET_HR_LIMIT_H",
    "SET_HR_LIMIT_L", "HRM_AVG", "HRM_MAX", "KCAL", "SPEED_AVG", "SPEED_MAX", "CA_AVG", "CA_MAX", "DISTANCE",
    "LAPCOUNT", "BESTLAP"};

} // namespace

std::string RecordFixture::text() const
{
    std::vector<std::string> lines{"[File Head]", ""};
    for (const char *key : kHeadKeys) {
        const std::string k = key;
        if (k.empty() || k[0] == '#') {
            lines.push_back(k);
            continue;
        }
        const auto it = head.find(k);
        if (it != head.end() && it->second != "-")
            lines.push_back(k + "=" + it->second + ";");
    }
    for (const char *line : {"", "#File Data", "", "SECTION_CNT=1;", "LASTSECTION_SIZE=200;",
                             "LASTLAP_ADDR_H=0x01;", "LASTLAP_ADDR_L=0x60;", "FIRSTLAP_ADDR_H=0x01;",
                             "FIRSTLAP_ADDR_L=0x60;", "", "#File Head Data Array", "",
                             "0C0704030805030000000000", "#User Record", "", "TOPIC=;", "Weather=;", "",
                             "[MemoStart]", "[MemoEnd]", "", "", "[LAP Data]", "", "$LAP$1", "", "LAP_IDX=1;"})
        lines.push_back(line);
    lines.push_back("LAP_SPEED_AVG=" + lapSpeedAvg + ";");
    lines.push_back("LAP_DIST=77;");
    // The lap's other fields, so the record is complete for every reader.
    for (const char *line : {"LAP_HOUR_SLP=1;", "LAP_MIN_SLP=5;", "LAP_SEC_SLP=30;", "LAP_HOUR=1;", "LAP_MIN=5;",
                             "LAP_SEC=30;", "LAP_HRM_AVG=142;", "LAP_HRM_MAX=171;", "LAP_SPEED_MAX=412;",
                             "LAP_CA_AVG=85;", "LAP_CA_MAX=110;", "LAP_DIST_SPLIT=77;", "LAP_PRE_ADDR_H=0x01;",
                             "LAP_PRE_ADDR_L=0x60;", "LAP_NEXT_ADDR_H=0x01;", "LAP_NEXT_ADDR_L=0x60;"})
        lines.push_back(line);
    lines.push_back("");
    lines.push_back("[SENSOR]");
    for (const char *key : {"HRM_EXIST=", "CAD_EXIST=", "SPD_EXIST="})
        lines.push_back(key + flags + ";");
    lines.push_back("");
    lines.push_back("[Flow Data]");
    lines.push_back("");
    for (const char *heading : {"#HRM", "#RPM", "#SPD_CNT", "#SPD_PerCNT", "#SPD_SumCNT", "#SPD_PerDistance",
                                "#SPD_SumDistance", "#SPD_DT", "#SPD_SPEED"}) {
        lines.push_back(heading);
        lines.push_back(std::string(heading) == "#HRM" ? hrmSeries : "1,2,3,");
        lines.push_back("");
    }
    lines.push_back("#FLOW DATA ARRAY");
    lines.push_back("");
    lines.push_back("");
    lines.push_back("[ALL DATA ARRAY]");
    lines.push_back("");
    lines.push_back("");
    std::string out;
    for (const std::string &line : lines)
        out += line + "\r\n";
    return out;
}
