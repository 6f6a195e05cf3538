#include "training/TrainingCharts.h"

#include "draw/Faces.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 8, kReadoutH = 18;

double Highest(const std::vector<double> &values)
{
    double top = 0;
    for (double v : values)
        top = std::max(top, std::abs(v));
    return top > 0 ? top : 1;
}

} // namespace

QString DayText(int day)
{
    const CalendarDate d = DateOfDay(day);
    return QString::asprintf("%04d-%02d-%02d", d.year, d.month, d.day);
}

TChartBase::TChartBase(QWidget *parent, const char *name) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QRect TChartBase::PlotRect() const
{
    return rect().adjusted(kMargin, kMargin + kReadoutH, -kMargin, -kMargin);
}

int TChartBase::EntryAt(int x) const
{
    const QRect plot = PlotRect();
    const int n = Count();
    if (n == 0 || x < plot.left() || x > plot.right())
        return -1;
    return std::clamp(int(qint64(x - plot.left()) * n / std::max(1, plot.width())), 0, n - 1);
}

QString TChartBase::ReadoutAt(int x)
{
    SetHovered(EntryAt(x));
    return readout_;
}

void TChartBase::SetHovered(int index)
{
    if (index == hovered_ && !stale_)
        return;
    hovered_ = index;
    readout_ = index >= 0 && index < Count() ? Describe(index) : QString();
    update();
}

void TChartBase::Invalidate()
{
    stale_ = true;
    hovered_ = std::min(hovered_, Count() - 1);
    readout_ = hovered_ >= 0 ? Describe(hovered_) : QString();
    update();
}

void TChartBase::paintEvent(QPaintEvent *)
{
    if (stale_ || plot_.size() != size() * devicePixelRatioF()) {
        plot_ = QPixmap(size() * devicePixelRatioF());
        plot_.setDevicePixelRatio(devicePixelRatioF());
        plot_.fill(Qt::transparent);
        QPainter p(&plot_);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0x4a, 0x4a, 0x4a));
        fill.setColorAt(1, QColor(0x1c, 0x1c, 0x1c));
        p.setBrush(fill);
        p.setPen(QPen(Qt::white, 1.5));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
        PaintPlot(p, PlotRect());
        stale_ = false;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, plot_);
    const QRect plot = PlotRect();
    if (hovered_ >= 0 && Count() > 0) {
        const double w = double(plot.width()) / Count();
        const int x = plot.left() + int((hovered_ + 0.5) * w);
        p.setPen(QPen(kAccent, 1));
        p.drawLine(x, plot.top(), x, plot.bottom());
    }
    p.setPen(Qt::white);
    p.drawText(QRect(kMargin + 4, 3, width() - 2 * kMargin, kReadoutH), Qt::AlignLeft | Qt::AlignVCenter, readout_);
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 7, 7);
    }
}

void TChartBase::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    stale_ = true;
}

void TChartBase::mouseMoveEvent(QMouseEvent *event) { SetHovered(EntryAt(event->position().toPoint().x())); }

void TChartBase::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    const int index = EntryAt(event->position().toPoint().x());
    if (event->button() == Qt::LeftButton && index >= 0) {
        SetHovered(index);
        emit EntryChosen(index);
    }
}

void TChartBase::leaveEvent(QEvent *) { SetHovered(hasFocus() ? hovered_ : -1); }

void TChartBase::keyPressEvent(QKeyEvent *event)
{
    const int n = Count();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (n > 0)
            SetHovered(std::clamp(hovered_ < 0 ? n - 1 : hovered_ + (event->key() == Qt::Key_Left ? -1 : 1), 0, n - 1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (hovered_ >= 0)
            emit EntryChosen(hovered_);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TChartBase::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (hovered_ < 0 && Count() > 0)
        SetHovered(Count() - 1);
    update();
}

void TChartBase::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

// ---- Fitness ------------------------------------------------------------

TFitnessChart::TFitnessChart(QWidget *parent) : TChartBase(parent, "FitnessChart") {}

void TFitnessChart::SetSeries(const std::vector<FitnessDay> &series, int firstDay)
{
    const auto from = std::lower_bound(series.begin(), series.end(), firstDay,
                                       [](const FitnessDay &d, int day) { return d.day < day; });
    days_.assign(from, series.end());
    Invalidate();
}

void TFitnessChart::SetCaptions(const QStringList &captions)
{
    captions_ = captions;
    Invalidate();
}

QString TFitnessChart::Describe(int index) const
{
    const FitnessDay &d = days_[std::size_t(index)];
    return QString("%1   %2 %3   %4 %5   %6 %7   %8 %9")
        .arg(DayText(d.day), captions_.value(0))
        .arg(d.ctl, 0, 'f', 1)
        .arg(captions_.value(1))
        .arg(d.atl, 0, 'f', 1)
        .arg(captions_.value(2))
        .arg(d.tsb, 0, 'f', 1)
        .arg(captions_.value(3))
        .arg(d.load, 0, 'f', 0);
}

void TFitnessChart::PaintPlot(QPainter &p, const QRect &plot) const
{
    const int n = int(days_.size());
    if (n == 0)
        return;
    double top = 1, low = 0, loadTop = 1;
    for (const FitnessDay &d : days_) {
        top = std::max({top, d.ctl, d.atl, d.tsb});
        low = std::min(low, d.tsb);
        loadTop = std::max(loadTop, d.load);
    }
    const double w = double(plot.width()) / n;
    const auto y = [&](double v) { return plot.bottom() - (v - low) / (top - low) * plot.height(); };
    const double zero = y(0);
    // Twenty years hold more days than the plot has pixels: one point per
    // pixel column (its last day), the highest load of the column.
    const int stride = std::max(1, n / std::max(1, plot.width()));
    std::vector<int> points;
    for (int i = stride - 1; i < n; i += stride)
        points.push_back(i);
    if (points.empty() || points.back() != n - 1)
        points.push_back(n - 1);
    const auto xOf = [&](int i) { return plot.left() + (i + 0.5) * w; };
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
    // The day's load as small bars at the foot, a fifth of the height.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int from = 0; from < n; from += stride) {
        double load = 0;
        for (int i = from; i < std::min(n, from + stride); ++i)
            load = std::max(load, days_[std::size_t(i)].load);
        if (load > 0) {
            const double h = load / loadTop * plot.height() / 5;
            p.drawRect(QRectF(plot.left() + from * w, plot.bottom() - h, std::max(1.0, w * stride * 0.8), h));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    // Form as an area around zero.
    QPainterPath form;
    form.moveTo(plot.left(), zero);
    for (int i : points)
        form.lineTo(xOf(i), y(days_[std::size_t(i)].tsb));
    form.lineTo(plot.left() + n * w, zero);
    form.closeSubpath();
    p.setBrush(QColor(0x9a, 0x9a, 0x9a, 110));
    p.drawPath(form);
    const auto line = [&](double FitnessDay::*field, const QColor &colour) {
        QPolygonF path;
        path.reserve(qsizetype(points.size()));
        for (int i : points)
            path << QPointF(xOf(i), y(days_[std::size_t(i)].*field));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 2));
        p.drawPolyline(path);
    };
    line(&FitnessDay::atl, QColor(0xd8, 0xd8, 0xd8));
    line(&FitnessDay::ctl, kAccent);
}

// ---- Periods ------------------------------------------------------------

TPeriodChart::TPeriodChart(QWidget *parent, const char *name, bool zones)
    : TChartBase(parent, name), zones_(zones)
{
}

QColor TPeriodChart::ZoneColour(int zone)
{
    static const QColor colours[5] = {QColor(0x7d, 0xa7, 0xd9), QColor(0x6c, 0xc0, 0x6c), QColor(0xf0, 0xd0, 0x50),
                                      QColor(0xE7, 0x93, 0x33), QColor(0xd9, 0x4a, 0x3a)};
    return colours[std::clamp(zone, 1, 5) - 1];
}

void TPeriodChart::SetBars(const std::vector<PeriodBar> &bars, const QString &unit, const QString &rides)
{
    bars_ = bars;
    unit_ = unit;
    rides_ = rides;
    Invalidate();
}

QString TPeriodChart::Describe(int index) const
{
    const PeriodBar &b = bars_[std::size_t(index)];
    const QString period = DayText(b.period.first) + " - " + DayText(b.period.last);
    if (!zones_)
        return QString("%1   %2 %3   %4 %5").arg(period).arg(b.value, 0, 'f', 1).arg(unit_).arg(b.rides).arg(rides_);
    QString text = period;
    for (int z = 1; z <= 5; ++z)
        text += QString("   Z%1 %2").arg(z).arg(QString::fromStdString(HoursMinutes(b.zoneSeconds[std::size_t(z)])));
    return text;
}

void TPeriodChart::PaintPlot(QPainter &p, const QRect &plot) const
{
    const int n = int(bars_.size());
    if (n == 0)
        return;
    const double w = double(plot.width()) / n;
    p.setPen(Qt::NoPen);
    if (zones_) {
        double top = 1;
        for (const PeriodBar &b : bars_) {
            double sum = 0;
            for (int z = 1; z <= 5; ++z)
                sum += double(b.zoneSeconds[std::size_t(z)]);
            top = std::max(top, sum);
        }
        for (int i = 0; i < n; ++i) {
            double base = plot.bottom();
            for (int z = 1; z <= 5; ++z) {
                const double h = double(bars_[std::size_t(i)].zoneSeconds[std::size_t(z)]) / top * plot.height();
                p.setBrush(ZoneColour(z));
                p.drawRect(QRectF(plot.left() + i * w + w * 0.1, base - h, w * 0.8, h));
                base -= h;
            }
        }
        return;
    }
    std::vector<double> values;
    for (const PeriodBar &b : bars_) {
        values.push_back(b.value);
        values.push_back(b.previous);
    }
    const double top = Highest(values);
    p.setBrush(kAccent);
    for (int i = 0; i < n; ++i) {
        const double h = bars_[std::size_t(i)].value / top * plot.height();
        p.drawRect(QRectF(plot.left() + i * w + w * 0.12, plot.bottom() - h, w * 0.76, h));
    }
    QPainterPath before;
    for (int i = 0; i < n; ++i) {
        const QPointF pt(plot.left() + (i + 0.5) * w, plot.bottom() - bars_[std::size_t(i)].previous / top * plot.height());
        i == 0 ? before.moveTo(pt) : before.lineTo(pt);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.5, Qt::DashLine));
    p.drawPath(before);
}
