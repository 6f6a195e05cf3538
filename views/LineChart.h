#pragma once
// One line chart of the analysis view: a chart view with its chart, a fixed
// number of line series (1-pixel point markers) and two axes, built once.
// The horizontal axis counts samples and is labelled with the elapsed time
// (10 s per sample); series are filled with whole point lists at once. The
// readout finds the point under the pointer in constant time: the sample
// index from the pointer's x, then its neighbours checked in pixels.
#include <QColor>
#include <QWidget>

#include <memory>
#include <vector>

class QPainter;

// How a chart is drawn: dark as on screen, or light for paper.
enum class ChartLook { Screen, Paper };

class TLineChart : public QWidget {
    Q_OBJECT
public:
    // seriesCount: 0 (an empty chart), 1 or 3; legend: shown at the bottom
    // with the titles of the active series.
    TLineChart(QWidget *parent, const char *name, int seriesCount, bool legend);
    ~TLineChart() override;

    void SetTitle(const QString &title);
    QString Title() const;

    int SeriesCount() const;
    // Replaces the points of the series at position: point i at x i, y
    // values[i]; all in colour.
    void SetSeries(int position, const std::vector<double> &values, const QColor &colour);
    void ClearSeries(int position);
    int PointCount(int position) const;
    double PointY(int position, int index) const;
    QColor SeriesColour(int position) const;
    // The title the legend shows.
    void SetSeriesTitle(int position, const QString &title);
    QString SeriesTitle(int position) const;
    // An inactive series is neither drawn nor listed nor found by the readout.
    void SetSeriesActive(int position, bool active);
    bool SeriesActive(int position) const;
    // Labels of the horizontal axis, in order.
    QStringList AxisLabels() const;
    bool LegendShown() const;

    // Whether an active series has a point whose marker or line piece lies
    // under pos (widget coordinates); value: that point's y.
    bool FindPointValue(QPoint pos, double &value) const;
    // Widget position of point index of the series at position.
    QPoint PointPosition(int position, int index) const;
    // The sample whose time lies under pos when pos is over the plot area
    // and an active series has points (the nearest one it has).
    bool SampleAt(QPoint pos, int &index) const;
    // Widget x of sample index, and the plot area in widget coordinates.
    int SampleX(int index) const;
    QRect PlotRect() const;

    // Draws the chart scaled into target of another surface, laid out as on
    // screen at this chart's width, in the given look.
    void RenderInto(QPainter &painter, const QRectF &target, ChartLook look = ChartLook::Screen);

signals:
    void MouseMoved(TLineChart *sender, QPoint pos);
    void MouseLeft(TLineChart *sender);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Parts;
    void FitAxes();
    std::unique_ptr<Parts> parts_;
};
