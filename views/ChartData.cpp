#include "views/ChartData.h"

#include <charconv>
#include <cstdio>

namespace {

const TQuantity kQuantities[4] = {
    {"#SPD_SumDistance", 100, "Distance(Km)", "Distance", 2},
    {"#HRM", 1, "Heart Rate(bpm)", "Heart Rate", 1},
    {"#SPD_SPEED", 10, "Speed(Km/h)", "Speed", 3},
    {"#RPM", 1, "RPM", "RPM", 4},
};

std::string TwoDigits(long long v)
{
    return (v < 10 ? "0" : "") + std::to_string(v);
}

} // namespace

const TQuantity &Quantity(int kind)
{
    return kQuantities[kind >= 0 && kind < 4 ? kind : 0];
}

std::vector<double> SeriesValues(const std::string &line, int divisor)
{
    std::vector<double> values;
    values.reserve(line.size() / 2);
    std::size_t start = 0;
    for (std::size_t comma = line.find(','); comma != std::string::npos; comma = line.find(',', start)) {
        long long v = 0;
        const char *first = line.data() + start;
        const char *last = line.data() + comma;
        const auto [end, error] = std::from_chars(first, last, v);
        if (first == last || error != std::errc() || end != last)
            break;
        values.push_back(double(v) / double(divisor));
        start = comma + 1;
    }
    return values;
}

std::string ElapsedLabel(long long index)
{
    const long long seconds = index * 10;
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

std::vector<TAxisTick> TimeTicks(int pointCount, int maxTicks)
{
    static const int kSteps[] = {1, 3, 6, 12, 30, 60, 90, 180, 360, 720, 1080, 2160, 4320, 8640};
    const int last = pointCount > 1 ? pointCount - 1 : 0;
    const int most = maxTicks > 1 ? maxTicks : 1;
    int step = 0;
    for (int k : kSteps)
        if (last / k + 1 <= most) {
            step = k;
            break;
        }
    if (step == 0)  // longer than the table: whole days
        step = 8640 * ((last / 8640) / (most > 1 ? most - 1 : 1) + 1);
    std::vector<TAxisTick> ticks;
    for (int i = 0; i <= last; i += step)
        ticks.push_back({i, ElapsedLabel(i)});
    return ticks;
}

TChartStack StackCharts(const std::array<bool, 4> &ticked, bool fileMarked)
{
    TChartStack stack;
    if (!fileMarked) {
        stack.spaceShown = true;
        return stack;
    }
    int n = 0;
    for (bool t : ticked)
        n += t ? 1 : 0;
    if (n == 0) {
        stack.spaceShown = true;
        return stack;
    }
    stack.height = ChartAreaHeight / n;
    int next = ChartAreaTop;
    for (std::size_t k = 0; k < 4; ++k) {
        stack.shown[k] = ticked[k];
        stack.top[k] = ticked[k] ? next : 0;
        if (ticked[k])
            next += stack.height;
    }
    return stack;
}

int MultiKind(const std::array<bool, 4> &ticked)
{
    for (int kind : {ckHeartRate, ckDistance, ckSpeed, ckCadence})
        if (ticked[std::size_t(kind)])
            return kind;
    return ckReset;
}

std::string ReadoutText(bool found, double value, const std::string &decimalPoint)
{
    if (!found)
        return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (const std::size_t dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, decimalPoint);
    return text;
}

TReportLayout ReportLayout(int W, int H, int R, const std::array<bool, 4> &ticked, bool multi,
                           const std::string &userId, const std::vector<TReportTotals> &blocks)
{
    constexpr int margin = 200;
    TReportLayout layout;
    int n = 0;
    for (bool t : ticked)
        n += t ? 1 : 0;
    layout.lineHeight = 6 * (R * 100 / 2550);
    layout.chartHeight = n > 0 ? (H / 2) / n - margin : 0;
    const int c = layout.chartHeight;
    const int L = layout.lineHeight;
    layout.texts.push_back({margin, margin, "TR900 Analysis Report"});

    // A page too small for the margins gets no charts rather than upside-down ones.
    const auto place = [&](int kind, int top, int bottom) {
        if (bottom > top && W - margin > margin)
            layout.charts.push_back({kind, {margin, top, W - margin, bottom}});
    };
    if (multi) {
        place(-1, 300, c);
    } else {
        int top = 300;
        for (int kind = 0; kind < 4 && c > 0; ++kind)
            if (ticked[std::size_t(kind)]) {
                place(kind, top, top + c);
                top += c;
            }
    }

    const int right = W / 2 + margin;
    int y = H / 2;
    layout.texts.push_back({margin, y, "USER ID: " + userId});
    y += 2 * L;
    for (const TReportTotals &t : blocks) {
        const std::pair<std::string, std::string> rows[6] = {
            {"File Name: " + t.fileName, ""},
            {"Duration: " + t.exerciseTime, "Distances: " + t.distance + " KM"},
            {"RPM: " + t.cadenceAvg, "Speed: " + t.speedAvg + " KM/H"},
            {"LAP: " + t.lapCount + " LAPs", "KCal: " + t.kcal + " KCal"},
            {"HRM Max: " + t.hrMax + " bpm", "HRM Avg: " + t.hrAvg + " bpm"},
            {"Vo2 Max: " + t.vo2Max, "Intensity: " + t.hrLimit + " bpm"},
        };
        for (int i = 0; i < 6; ++i) {
            layout.texts.push_back({margin, y + i * L, rows[i].first});
            if (!rows[i].second.empty())
                layout.texts.push_back({right, y + i * L, rows[i].second});
        }
        y += 7 * L;
    }
    return layout;
}
