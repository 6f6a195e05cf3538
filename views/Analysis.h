#pragma once
// The analysis view: line charts of one record (distance, heart rate,
// speed, cadence stacked) or of one quantity across up to three records.
#include "draw/ViewPanel.h"

#include <string>
#include <vector>

class TKorvanDataBase;

class TSportAnalysisPanel : public TViewPanel {
    Q_OBJECT
public:
    TSportAnalysisPanel(QWidget *parent, TKorvanDataBase &db);

    // A multi-file rebuild is running; nested rebuilds do nothing.
    bool ChartBusy = false;

    // The record file names, none marked.
    void FillList(const std::vector<std::string> &names);
    // No box, no file ticked, single-file mode, only the empty chart shown.
    void ResetAnalysisView();
    // Shows and stacks the single-file charts of the ticked boxes.
    void LayoutCharts();

private:
    TKorvanDataBase &db_;
};
