#pragma once
// The time cursor of the analysis charts: a vertical line at the sample
// under the pointer, drawn across every shown chart, with a small label
// beside it giving the elapsed time and each shown series' value at that
// time with its unit (in compare mode the ride's name). The label is
// always placed clear of the line. The cursor lies over the charts and
// lets every pointer event through to them.
#include <QWidget>

#include <vector>

class TLineChart;

// One shown chart as the cursor reads it.
struct TCursorChart {
    TLineChart *chart;
    int kind;          // ChartKind of its series
    QString quantity;  // what its line is called; empty: the series titles (ride names)
};

class TTimeCursor : public QWidget {
    Q_OBJECT
public:
    // A child of panel covering area (panel coordinates), where the charts are.
    TTimeCursor(QWidget *panel, const QRect &area);

    // Shows the cursor at the sample under pos (coordinates of under) in
    // the shown charts; hides it when pos lies over no sample.
    void Follow(TLineChart *under, QPoint pos, const std::vector<TCursorChart> &shown);
    void Hide();

    // What is shown: the label's lines, its place and the line's pieces
    // (this widget's coordinates).
    bool CursorShown() const { return !lines_.empty(); }
    QStringList LabelLines() const;
    QRect LabelRect() const { return label_; }
    const std::vector<QLine> &LinePieces() const { return pieces_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Line {
        QString text;
        QColor swatch;  // the series colour, or none
    };
    QRect Painted() const;

    std::vector<Line> lines_;
    std::vector<QLine> pieces_;
    QRect label_;
};
