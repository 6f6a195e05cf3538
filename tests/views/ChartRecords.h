#pragma once
// Record files with chosen sensor series for the analysis tests and
// benchmarks: the record fixture's text with its series lines replaced.
#include <string>

struct ChartSeries {
    std::string hrm = "72,75,80,";
    std::string distance = "0,150,1234,";
    std::string speed = "253,260,240,";
    std::string rpm = "85,90,88,";
};

// The whole record file text.
std::string ChartRecordText(const ChartSeries &series);
// A series line of count values: start, start + step, ... wrapping at 250.
std::string RisingSeries(int count, int start, int step);
