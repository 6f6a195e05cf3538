#pragma once
// The analysis view's controls by their names, as the tests and the
// figures reach them: the chart boxes and the single-file charts in the
// order distance, heart rate, speed, cadence.
#include "tests/support/Parts.h"
#include "views/LineChart.h"

#include <QCheckBox>
#include <array>

inline std::array<QCheckBox *, 4> ChartBoxesOf(const QObject &view)
{
    return {&Part<QCheckBox>(view, "ChartDistCB"), &Part<QCheckBox>(view, "ChartHRMCB"),
            &Part<QCheckBox>(view, "ChartSPDCB"), &Part<QCheckBox>(view, "ChartRPMCB")};
}

inline std::array<TLineChart *, 4> SingleChartsOf(const QObject &view)
{
    return {&Part<TLineChart>(view, "AnDistChart"), &Part<TLineChart>(view, "AnHRMChart"),
            &Part<TLineChart>(view, "AnSPDChart"), &Part<TLineChart>(view, "AnRPMChart")};
}
