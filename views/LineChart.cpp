#include "views/LineChart.h"

#include "draw/Faces.h"
#include "views/ChartData.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Pixels around the pointer in which a marker or line piece counts as hit.
constexpr qreal kHitTolerance = 3.0;
// Most samples checked around the pointer, however dense the line.
constexpr int kMostCandidates = 64;
// Pixels per time label of the horizontal axis.
constexpr int kPixelsPerLabel = 90;

// The two looks of a chart: dark on screen, light on paper (white ground,
// dark axes and texts); the series keep their colours in both.
struct TLook {
    QBrush background, plot;
    QPen frame;
    qreal roundness;
    QColor title, ink, axis, grid;
};

const TLook &LookOf(ChartLook look)
{
    static const TLook screen = [] {
        QLinearGradient fill(0, 0, 0, 1);
        fill.setCoordinateMode(QGradient::ObjectMode);
        fill.setColorAt(0, QColor(0x4A, 0x4A, 0x4A));
        fill.setColorAt(1, QColor(0x1E, 0x1E, 0x1E));
        return TLook{fill, QColor(0x2A, 0x2A, 0x2A, 0xC0), QPen(Qt::white, 1), 6, kAccent,
                     QColor(0xF0, 0xF0, 0xF0), kDim, QColor(0x5A, 0x5A, 0x5A)};
    }();
    static const TLook paper{Qt::white, Qt::white, QPen(QColor(0x20, 0x20, 0x20), 1), 0, QColor(0x10, 0x10, 0x10),
                             QColor(0x20, 0x20, 0x20), QColor(0x20, 0x20, 0x20), QColor(0xB0, 0xB0, 0xB0)};
    return look == ChartLook::Paper ? paper : screen;
}

// The chart view: reports every pointer move over it, pressed or not.
class TChartView : public QChartView {
public:
    TChartView(QChart *chart, QWidget *parent, std::function<void(QPoint)> moved)
        : QChartView(chart, parent), moved_(std::move(moved))
    {
        setMouseTracking(true);
        viewport()->setMouseTracking(true);
        setFrameShape(QFrame::NoFrame);
        setRenderHint(QPainter::Antialiasing);
        setStyleSheet(QStringLiteral("background: transparent;"));
    }

protected:
    void mouseMoveEvent(QMouseEvent *event) override
    {
        QChartView::mouseMoveEvent(event);
        moved_(event->position().toPoint());
    }

private:
    std::function<void(QPoint)> moved_;
};

qreal Distance(const QPointF &a, const QPointF &b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Distance from p to the line piece a-b.
qreal SegmentDistance(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const qreal len2 = QPointF::dotProduct(ab, ab);
    if (len2 <= 0)
        return Distance(p, a);
    const qreal t = std::clamp(QPointF::dotProduct(p - a, ab) / len2, 0.0, 1.0);
    return Distance(p, a + t * ab);
}

void ThemeAxis(QAbstractAxis *axis, const TLook &look)
{
    axis->setLabelsBrush(look.ink);
    axis->setLinePen(QPen(look.axis, 1));
    axis->setGridLinePen(QPen(look.grid, 1, Qt::DotLine));
}

void Theme(QChart *chart, ChartLook which)
{
    const TLook &look = LookOf(which);
    chart->setBackgroundBrush(look.background);
    chart->setBackgroundPen(look.frame);
    chart->setBackgroundRoundness(look.roundness);
    chart->setPlotAreaBackgroundBrush(look.plot);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setTitleBrush(look.title);
    chart->legend()->setLabelColor(look.ink);
    for (QAbstractAxis *axis : chart->axes())
        ThemeAxis(axis, look);
}

// What stays the same in both looks: fonts, margins, the legend's place.
void Shape(QChart *chart)
{
    QFont title = chart->titleFont();
    title.setBold(true);
    title.setPointSize(10);
    chart->setTitleFont(title);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(24, 0, 30, 0));  // room for the first and last time labels
    chart->legend()->setAlignment(Qt::AlignBottom);
    for (QAbstractAxis *axis : chart->axes()) {
        QFont font = axis->labelsFont();
        font.setPointSize(8);
        axis->setLabelsFont(font);
    }
}

} // namespace

struct TLineChart::Parts {
    QChart *chart = nullptr;  // owned by the view
    TChartView *view = nullptr;
    QCategoryAxis *axisX = nullptr;
    QValueAxis *axisY = nullptr;
    std::vector<QLineSeries *> series;
    std::vector<double> low, high;  // y range of each series
};

TLineChart::TLineChart(QWidget *parent, const char *name, int seriesCount, bool legend)
    : QWidget(parent), parts_(std::make_unique<Parts>())
{
    setObjectName(QString::fromLatin1(name));
    Parts &p = *parts_;
    p.chart = new QChart;
    // Scale values with the rider's decimal separator, as the value readout shows them.
    p.chart->setLocale(QLocale());
    p.chart->setLocalizeNumbers(true);
    p.chart->legend()->setVisible(legend);
    p.axisX = new QCategoryAxis;
    p.axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    p.axisY = new QValueAxis;
    p.chart->addAxis(p.axisX, Qt::AlignBottom);
    p.chart->addAxis(p.axisY, Qt::AlignLeft);
    Shape(p.chart);
    Theme(p.chart, ChartLook::Screen);
    for (int i = 0; i < seriesCount; ++i) {
        auto *s = new QLineSeries;
        s->setPointsVisible(true);
        s->setMarkerSize(1.0);
        s->setPointLabelsVisible(false);
        p.chart->addSeries(s);
        s->attachAxis(p.axisX);
        s->attachAxis(p.axisY);
        p.series.push_back(s);
    }
    p.low.assign(std::size_t(seriesCount), 0.0);
    p.high.assign(std::size_t(seriesCount), 0.0);
    p.view = new TChartView(p.chart, this, [this](QPoint pos) { emit MouseMoved(this, pos); });
    setMouseTracking(true);
    FitAxes();
}

TLineChart::~TLineChart() = default;

void TLineChart::resizeEvent(QResizeEvent *)
{
    parts_->view->setGeometry(rect());
    // About one value line per 40 pixels of the plot.
    parts_->axisY->setTickCount(std::clamp((height() - 60) / 40 + 1, 3, 7));
    FitAxes();
}

void TLineChart::SetTitle(const QString &title) { parts_->chart->setTitle(title); }
QString TLineChart::Title() const { return parts_->chart->title(); }
int TLineChart::SeriesCount() const { return int(parts_->series.size()); }

void TLineChart::SetSeries(int position, const std::vector<double> &values, const QColor &colour)
{
    QLineSeries *s = parts_->series.at(std::size_t(position));
    QList<QPointF> points;
    points.reserve(qsizetype(values.size()));
    double low = 0, high = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        points.append(QPointF(double(i), values[i]));
        low = std::min(low, values[i]);
        high = std::max(high, values[i]);
    }
    parts_->low[std::size_t(position)] = low;
    parts_->high[std::size_t(position)] = high;
    s->setPen(QPen(colour, 2));
    s->setColor(colour);
    QImage marker(1, 1, QImage::Format_ARGB32_Premultiplied);
    marker.fill(colour);
    s->setLightMarker(marker);
    s->replace(points);
    FitAxes();
}

void TLineChart::ClearSeries(int position) { SetSeries(position, {}, SeriesColour(position)); }
int TLineChart::PointCount(int position) const { return int(parts_->series.at(std::size_t(position))->count()); }
double TLineChart::PointY(int position, int index) const { return parts_->series.at(std::size_t(position))->at(index).y(); }
QColor TLineChart::SeriesColour(int position) const { return parts_->series.at(std::size_t(position))->color(); }
void TLineChart::SetSeriesTitle(int position, const QString &title) { parts_->series.at(std::size_t(position))->setName(title); }
QString TLineChart::SeriesTitle(int position) const { return parts_->series.at(std::size_t(position))->name(); }
bool TLineChart::SeriesActive(int position) const { return parts_->series.at(std::size_t(position))->isVisible(); }
bool TLineChart::LegendShown() const { return parts_->chart->legend()->isVisible(); }

void TLineChart::SetSeriesActive(int position, bool active)
{
    parts_->series.at(std::size_t(position))->setVisible(active);
    FitAxes();
}

QStringList TLineChart::AxisLabels() const { return parts_->axisX->categoriesLabels(); }

void TLineChart::FitAxes()
{
    Parts &p = *parts_;
    int most = 0;
    double low = 0, high = 0;
    for (std::size_t i = 0; i < p.series.size(); ++i) {
        if (!p.series[i]->isVisible())
            continue;
        most = std::max(most, int(p.series[i]->count()));
        low = std::min(low, p.low[i]);
        high = std::max(high, p.high[i]);
    }
    for (const QString &label : p.axisX->categoriesLabels())
        p.axisX->remove(label);
    for (const TAxisTick &tick : TimeTicks(most, std::max(2, width() / kPixelsPerLabel)))
        p.axisX->append(QString::fromStdString(tick.label), tick.index);
    p.axisX->setRange(0, std::max(most - 1, 1));
    p.axisY->setRange(low, high > low ? high : low + 1);
    p.axisY->applyNiceNumbers();
    // Small values get a decimal: every chart keeps about the same room for
    // its value labels, and the first time label stays clear of them.
    p.axisY->setLabelFormat(p.axisY->max() < 100 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
}

QPoint TLineChart::PointPosition(int position, int index) const
{
    const Parts &p = *parts_;
    QLineSeries *s = p.series.at(std::size_t(position));
    const QPointF inChart = p.chart->mapToPosition(s->at(index), s);
    return p.view->mapFromScene(p.chart->mapToScene(inChart));
}

bool TLineChart::SampleAt(QPoint pos, int &index) const
{
    const Parts &p = *parts_;
    const QPointF at = p.chart->mapFromScene(p.view->mapToScene(pos));
    if (p.series.empty() || !p.chart->plotArea().contains(at))
        return false;
    int most = 0;
    for (const QLineSeries *s : p.series)
        if (s->isVisible())
            most = std::max(most, int(s->count()));
    if (most == 0)
        return false;
    index = std::clamp(int(std::lround(p.chart->mapToValue(at, p.series[0]).x())), 0, most - 1);
    return true;
}

int TLineChart::SampleX(int index) const
{
    const Parts &p = *parts_;
    if (p.series.empty())
        return 0;
    const QPointF inChart = p.chart->mapToPosition(QPointF(index, p.axisY->min()), p.series[0]);
    return p.view->mapFromScene(p.chart->mapToScene(inChart)).x();
}

QRect TLineChart::PlotRect() const
{
    const Parts &p = *parts_;
    return p.view->mapFromScene(p.chart->mapToScene(p.chart->plotArea())).boundingRect();
}

void TLineChart::leaveEvent(QEvent *)
{
    emit MouseLeft(this);
}

bool TLineChart::FindPointValue(QPoint pos, double &value) const
{
    const Parts &p = *parts_;
    const QPointF at = p.chart->mapFromScene(p.view->mapToScene(pos));
    if (!p.chart->plotArea().adjusted(-kHitTolerance, -kHitTolerance, kHitTolerance, kHitTolerance).contains(at))
        return false;
    for (QLineSeries *s : p.series) {
        const int n = int(s->count());
        if (!s->isVisible() || n == 0)
            continue;
        // Samples whose x lies within the tolerance of the pointer, at most
        // kMostCandidates around the one under it; the pieces to their
        // outer neighbours count too.
        const double centre = std::round(p.chart->mapToValue(at, s).x());
        double from = std::floor(p.chart->mapToValue(at - QPointF(kHitTolerance, 0), s).x()) - 1;
        double to = std::ceil(p.chart->mapToValue(at + QPointF(kHitTolerance, 0), s).x()) + 1;
        from = std::max({from, centre - kMostCandidates / 2, 0.0});
        to = std::min({to, centre + kMostCandidates / 2, double(n - 1)});
        int best = -1;
        qreal bestDistance = 0;
        const auto consider = [&](int i, qreal d) {
            if (d <= kHitTolerance && (best < 0 || d < bestDistance)) {
                best = i;
                bestDistance = d;
            }
        };
        QPointF previous;
        for (int i = int(from); i <= int(to); ++i) {
            const QPointF here = p.chart->mapToPosition(s->at(i), s);
            consider(i, Distance(here, at));
            if (i > int(from) && SegmentDistance(at, previous, here) <= kHitTolerance)
                consider(Distance(previous, at) < Distance(here, at) ? i - 1 : i, SegmentDistance(at, previous, here));
            previous = here;
        }
        if (best >= 0) {
            value = s->at(best).y();
            return true;
        }
    }
    return false;
}

void TLineChart::RenderInto(QPainter &painter, const QRectF &target, ChartLook look)
{
    Parts &p = *parts_;
    if (target.width() <= 0 || target.height() <= 0)
        return;
    Theme(p.chart, look);
    // Laid out at this chart's width and the target's proportions, so the
    // texts keep their screen size relative to the lines.
    const QSizeF screen = p.chart->size();
    const qreal w = std::max(width(), 100);
    const QSizeF page(w, w * target.height() / target.width());
    p.chart->resize(page);
    p.view->scene()->render(&painter, target, QRectF(p.chart->pos(), page), Qt::IgnoreAspectRatio);
    p.chart->resize(screen);
    Theme(p.chart, ChartLook::Screen);
}
