#pragma once
// The analysis view: line charts of one record (distance, heart rate,
// speed, cadence stacked) or of one quantity across up to three records,
// the value under the pointer, and the printed report of what is shown.
#include "draw/ViewPanel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class TCheckList;
class MultiLanguage;
class TKorvanDataBase;
class TLineChart;
class TTimeCursor;
struct TCursorChart;

class TSportAnalysisPanel : public TViewPanel {
    Q_OBJECT
public:
    TSportAnalysisPanel(QWidget *parent, TKorvanDataBase &db);

    // The record file names, none marked.
    void FillList(const std::vector<std::string> &names);
    // No box, no file ticked, single-file mode, only the empty chart shown.
    void ResetAnalysisView();
    // Shows and stacks the single-file charts of the ticked boxes.
    void LayoutCharts();
    // Rebuilds MultiChart for kind (ChartKind; ckReset empties it).
    void BuildMultiChart(int kind);
    // Rebuilds the series at position of chart from a series line.
    void FillSeries(const std::string &text, TLineChart *chart, int divisor, uint32_t colour, int position);
    // Whether a shown series of chart has a point under (x, y); sets ReadoutValue.
    bool FindPointValue(int x, int y, TLineChart *chart);
    // The captions in the chosen language.
    void RefreshCaptions(const MultiLanguage &lang);
    // The view as the program starts: the charts laid out, no rebuild
    // running, the empty chart at the top.
    void FormCreate();
    // The print button: the report of what the view shows.
    void PrintReport();

    // Handlers. The boxes' handlers also run when code changes their state.
    void ChartDistCBClick();
    void ChartHRMCBClick();
    void ChartSPDCBClick();
    void ChartRPMCBClick();
    void MultiFileCBClick();
    void FileAnalysisCLBMouseDown(int x);
    void FileAnalysisCLBMouseUp(int x);
    void CommonChartMouseMove(TLineChart *chart, QPoint pos);

private:
    // A multi-file rebuild is running; nested rebuilds do nothing.
    bool ChartBusy = false;
    // y value of the point last found under the pointer.
    double ReadoutValue = 0;
    // Item index at the last press in the list.
    int32_t PressedIndex = -1;

    TCheckList *FileAnalysisCLB = nullptr;
    QCheckBox *ChartDistCB = nullptr;
    QCheckBox *ChartHRMCB = nullptr;
    QCheckBox *ChartSPDCB = nullptr;
    QCheckBox *ChartRPMCB = nullptr;
    QCheckBox *MultiFileCB = nullptr;
    QLabel *DistLab = nullptr;
    QLabel *HRMLab = nullptr;
    QLabel *SPDLab = nullptr;
    QLabel *RPMLab = nullptr;
    QLabel *MultiFileLab = nullptr;
    QLabel *ChartValueLab = nullptr;
    QLineEdit *ChartValueEdit = nullptr;
    TLineChart *AnDistChart = nullptr;
    TLineChart *AnHRMChart = nullptr;
    TLineChart *AnSPDChart = nullptr;
    TLineChart *AnRPMChart = nullptr;
    TLineChart *MultiChart = nullptr;
    TLineChart *SpaceChart = nullptr;
    TTimeCursor *ChartCursor = nullptr;

    // The chart boxes and single-file charts in the order distance, heart
    // rate, speed, cadence.
    std::array<QCheckBox *, 4> ChartBoxes() const;
    std::array<TLineChart *, 4> SingleCharts() const;

    void CreateControls();
    void ConnectHandlers();
    void ChartBoxClick(int kind);
    std::array<bool, 4> Ticked() const;
    // Reads a record; false (and no series) when it could not be read.
    bool ReadRecord(const std::string &name);
    // Fills the series of quantity kind from the record read last.
    void FillQuantity(int kind, TLineChart *chart, uint32_t colour, int position, bool recordRead);
    void ClearMultiSeries();
    // The shown data charts as the time cursor reads them.
    std::vector<TCursorChart> CursorCharts() const;

    TKorvanDataBase &db_;
};
