#include "tests/views/ChartRecords.h"

#include "tests/store/RecordFixture.h"

#include <stdexcept>

namespace {

void ReplaceSeries(std::string &text, const std::string &heading, const std::string &line)
{
    const std::string old = heading + "\r\n1,2,3,\r\n";
    const std::size_t at = text.find(old);
    if (at == std::string::npos)
        throw std::logic_error("no series " + heading);
    text.replace(at, old.size(), heading + "\r\n" + line + "\r\n");
}

} // namespace

std::string ChartRecordText(const ChartSeries &series)
{
    RecordFixture fixture;
    fixture.hrmSeries = series.hrm;
    std::string text = fixture.text();
    ReplaceSeries(text, "#SPD_SumDistance", series.distance);
    ReplaceSeries(text, "#SPD_SPEED", series.speed);
    ReplaceSeries(text, "#RPM", series.rpm);
    return text;
}

std::string RisingSeries(int count, int start, int step)
{
    std::string line;
    line.reserve(std::size_t(count) * 4);
    for (int i = 0; i < count; ++i)
        line += std::to_string((start + i * step) % 250) + ",";
    return line;
}
