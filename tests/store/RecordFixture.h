#pragma once
// Record file text written by hand in the record file layout: the header
// keys, one lap (whose LAP_ keys contain header keys), the sensor flags
// and the nine series. Values not given are those of a short exercise.
#include <map>
#include <string>

struct RecordFixture {
    std::map<std::string, std::string> head{
        {"YEAR", "12"}, {"MONTH", "7"}, {"DAY", "4"}, {"WEEKDAY", "3"}, {"HOUR", "8"}, {"MINUTE", "5"},
        {"SECOND", "3"}, {"UNIT", "0"}, {"GENDER", "0"}, {"AGE", "30"}, {"HEIGHT", "180"},
        {"WEIGHT", "75"}, {"WHEEL", "2096"}, {"VO2MAX", "45"}, {"EXEHOUR", "1"}, {"EXEMIN", "5"},
        {"EXESEC", "30"}, {"INZONE_HOUR", "0"}, {"INZONE_MIN", "40"}, {"INZONE_SEC", "0"},
        {"SET_HR_IDX", "1"}, {"SET_HR_MAX", "190"}, {"SET_HR_LIMIT_H", "165"}, {"SET_HR_LIMIT_L", "130"},
        {"HRM_AVG", "142"}, {"HRM_MAX", "171"}, {"KCAL", "412"}, {"SPEED_AVG", "254"},
        {"SPEED_MAX", "412"}, {"CA_AVG", "85"}, {"CA_MAX", "110"}, {"DISTANCE", "123"},
        {"LAPCOUNT", "1"}, {"BESTLAP", "1"}};
    std::string lapSpeedAvg = "999";
    std::string hrmSeries = "72,75,80,";
    std::string flags = "1";

    // The whole file, CR LF after every line; keys set to "-" are left out.
    std::string text() const;
};
