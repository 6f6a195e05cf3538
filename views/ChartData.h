#pragma once
// What the analysis charts and the printed report compute without drawing:
// the points of a series line, the time labels of the horizontal axis, the
// stacking of the single-file charts, the quantity of the multi-file chart,
// the readout text and the report page layout (printer pixels).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The four charted quantities, in the order of the chart boxes.
enum ChartKind : int { ckDistance = 0, ckHeartRate = 1, ckSpeed = 2, ckCadence = 3, ckReset = 100 };

struct TQuantity {
    const char *heading;     // series heading in the record file
    int divisor;             // every value is divided by it
    const char *chartTitle;  // title of its single-file chart
    const char *multiTitle;  // title of the multi-file chart showing it
    int colourEntry;         // its single-file colour in SeriesColours
};
const TQuantity &Quantity(int kind);

// Colours 0x00BBGGRR: red, green, blue, grey, yellow. The multi-file series
// take entries 0..2 by position, the single-file charts entries 1..4.
inline constexpr std::array<std::uint32_t, 5> SeriesColours{0x0000FF, 0x008000, 0xFF0000, 0x808080, 0x00FFFF};

// y values of a series line "v0,v1,...,": v / divisor for each value before
// a comma; text after the last comma is ignored. A value that is no decimal
// integer ends the series there (the values before it stay).
std::vector<double> SeriesValues(const std::string &line, int divisor);
// Elapsed time of sample index at 10 s per sample: "hh:mm:ss", hours with
// all their digits from 100 on.
std::string ElapsedLabel(long long index);

struct TAxisTick {
    int index;          // sample index the label stands at
    std::string label;  // its ElapsedLabel
};
// Labels for an axis over pointCount samples: every k-th sample from 0, k a
// round time step (10 s, 30 s, 1, 2, 5, 10, 15, 30 min, 1, 2, 3, 6, 12, 24 h,
// then whole days) so that at most maxTicks labels are shown.
std::vector<TAxisTick> TimeTicks(int pointCount, int maxTicks);

// Places of the four single-file charts (distance, heart rate, speed,
// cadence) in the analysis view.
struct TChartStack {
    std::array<bool, 4> shown{};
    std::array<int, 4> top{};
    int height = 0;          // of every single-file chart; 0: left as is
    bool spaceShown = false; // the empty chart instead
};
inline constexpr int ChartAreaHeight = 528;
inline constexpr int ChartAreaTop = 10;
TChartStack StackCharts(const std::array<bool, 4> &ticked, bool fileMarked);

// Quantity of the multi-file chart from the ticked boxes: first of heart
// rate, distance, speed, cadence; ckReset when none is ticked.
int MultiKind(const std::array<bool, 4> &ticked);

// The readout: value in the shortest general form (up to 15 significant
// digits) with the given decimal separator, "0" when nothing was found.
std::string ReadoutText(bool found, double value, const std::string &decimalPoint);

// ---- The printed report ------------------------------------------------

// Totals of one record as the store gives them.
struct TReportTotals {
    std::string fileName, exerciseTime, distance, cadenceAvg, speedAvg, lapCount, kcal, hrMax, hrAvg,
        vo2Max, hrLimit;
};

struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct TPlacedChart {
    int kind;  // ChartKind, or -1 for the multi-file chart
    TRect rect;
};
struct TPlacedText {
    int x, y;  // top-left corner
    std::string text;
};
struct TReportLayout {
    int chartHeight = 0;  // c
    int lineHeight = 0;   // L
    std::vector<TPlacedChart> charts;
    std::vector<TPlacedText> texts;
};
// The page of width W and height H (device pixels) at a vertical resolution
// of R dots per inch, with the charts of the ticked boxes (or the
// multi-file chart), the rider's ID and one totals block per record.
TReportLayout ReportLayout(int W, int H, int R, const std::array<bool, 4> &ticked, bool multi,
                           const std::string &userId, const std::vector<TReportTotals> &blocks);
