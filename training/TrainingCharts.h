#pragma once
// The charts of the Training panel, painted in the program's look: a dark
// gradient in a white frame, the accent for what the pointer or the keys
// point at. The plot is painted once into a picture when its data or size
// changes; hovering only moves a mark and writes the readout over it.
// Left and Right step through the entries, Enter and Space choose one.
#include "training/TrainingSeries.h"

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class TChartBase : public QWidget {
    Q_OBJECT
public:
    TChartBase(QWidget *parent, const char *name);
    // Points at the entry under x (none outside the plot) and gives its
    // readout: what the hover shows.
    QString ReadoutAt(int x);
    QString Readout() const { return readout_; }
    int Hovered() const { return hovered_; }
    // The plot area inside the frame.
    QRect PlotRect() const;
    // The entry under x, -1 outside.
    int EntryAt(int x) const;

signals:
    // An entry was clicked, or chosen with Enter or Space.
    void EntryChosen(int index);

protected:
    virtual int Count() const = 0;
    virtual QString Describe(int index) const = 0;
    virtual void PaintPlot(QPainter &p, const QRect &plot) const = 0;
    // The plot changed: painted again at the next paint.
    void Invalidate();
    void SetHovered(int index);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QPixmap plot_;
    bool stale_ = true;
    int hovered_ = -1;
    QString readout_;
};

// Fitness (CTL), fatigue (ATL) and form (TSB, an area around zero) per day,
// with the day's load as small bars.
class TFitnessChart : public TChartBase {
    Q_OBJECT
public:
    explicit TFitnessChart(QWidget *parent);
    // The days of series from firstDay on (0: all).
    void SetSeries(const std::vector<FitnessDay> &series, int firstDay);
    // Captions of the readout: fitness, fatigue, form, load.
    void SetCaptions(const QStringList &captions);
    const std::vector<FitnessDay> &Days() const { return days_; }

protected:
    int Count() const override { return int(days_.size()); }
    QString Describe(int index) const override;
    void PaintPlot(QPainter &p, const QRect &plot) const override;

private:
    std::vector<FitnessDay> days_;
    QStringList captions_{"Fitness", "Fatigue", "Form", "Load"};
};

// Bars per period with the same periods of the year before as a line, or
// the time in zones 1-5 per period stacked in the five zone colours.
class TPeriodChart : public TChartBase {
    Q_OBJECT
public:
    TPeriodChart(QWidget *parent, const char *name, bool zones);
    // unit: the quantity's unit after a value; rides: the caption of the count.
    void SetBars(const std::vector<PeriodBar> &bars, const QString &unit, const QString &rides);
    const std::vector<PeriodBar> &Bars() const { return bars_; }
    // The fill of zone i (1..5).
    static QColor ZoneColour(int zone);

protected:
    int Count() const override { return int(bars_.size()); }
    QString Describe(int index) const override;
    void PaintPlot(QPainter &p, const QRect &plot) const override;

private:
    bool zones_;
    std::vector<PeriodBar> bars_;
    QString unit_, rides_;
};

// "YYYY-MM-DD" of a day number.
QString DayText(int day);
