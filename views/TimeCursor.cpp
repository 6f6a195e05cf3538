#include "views/TimeCursor.h"

#include "draw/Faces.h"
#include "views/ChartData.h"
#include "views/LineChart.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>

namespace {

// Pixels between the line and the label, the label's inner margin, the
// side of a colour swatch.
constexpr int kGap = 8;
constexpr int kPad = 4;
constexpr int kSwatch = 8;

const char *UnitOf(int kind)
{
    switch (kind) {
    case ckDistance: return "km";
    case ckHeartRate: return "bpm";
    case ckSpeed: return "km/h";
    default: return "rpm";
    }
}

QFont LabelFont(const QFont &base)
{
    QFont font = base;
    font.setPointSize(8);
    return font;
}

} // namespace

TTimeCursor::TTimeCursor(QWidget *panel, const QRect &area) : QWidget(panel)
{
    setObjectName(QStringLiteral("ChartTimeCursor"));
    setGeometry(area);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    raise();
}

QStringList TTimeCursor::LabelLines() const
{
    QStringList texts;
    for (const Line &line : lines_)
        texts << line.text;
    return texts;
}

QRect TTimeCursor::Painted() const
{
    QRect r = label_;
    for (const QLine &piece : pieces_)
        r |= QRect(piece.p1(), piece.p2()).normalized().adjusted(-1, 0, 1, 1);
    return r.adjusted(-1, -1, 1, 1);
}

void TTimeCursor::Hide()
{
    if (lines_.empty())
        return;
    update(Painted());
    lines_.clear();
    pieces_.clear();
    label_ = QRect();
}

void TTimeCursor::Follow(TLineChart *under, QPoint pos, const std::vector<TCursorChart> &shown)
{
    int index = 0;
    if (!under->SampleAt(pos, index)) {
        Hide();
        return;
    }
    const QRect before = lines_.empty() ? QRect() : Painted();
    lines_.clear();
    pieces_.clear();
    lines_.push_back({QString::fromStdString(ElapsedLabel(index)), QColor()});
    const std::string decimal = QLocale().decimalPoint().toStdString();
    for (const TCursorChart &c : shown) {
        // The chart's coordinates in this widget's.
        const QPoint offset = c.chart->mapTo(parentWidget(), QPoint()) - this->pos();
        const QRect plot = c.chart->PlotRect().translated(offset);
        const int x = c.chart->SampleX(index) + offset.x();
        if (x >= plot.left() && x <= plot.right())
            pieces_.emplace_back(x, plot.top(), x, plot.bottom());
        for (int s = 0; s < c.chart->SeriesCount(); ++s) {
            if (!c.chart->SeriesActive(s) || index >= c.chart->PointCount(s))
                continue;
            const QString value = QString::fromStdString(ReadoutText(true, c.chart->PointY(s, index), decimal));
            const QString name = c.quantity.isEmpty() ? c.chart->SeriesTitle(s) : c.quantity;
            lines_.push_back({name + QStringLiteral("  ") + value + QLatin1Char(' ') + QLatin1String(UnitOf(c.kind)),
                              c.quantity.isEmpty() ? c.chart->SeriesColour(s) : QColor()});
        }
    }
    if (pieces_.empty()) {
        lines_.clear();
        update(before);
        return;
    }

    // The label beside the line, right of it where it fits, else left;
    // vertically at the pointer, kept inside the charts' area.
    const QFontMetrics metrics(LabelFont(font()));
    int textWidth = 0;
    for (const Line &line : lines_)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line.text) +
                                            (line.swatch.isValid() ? kSwatch + kPad : 0));
    const QSize size(textWidth + 2 * kPad, int(lines_.size()) * metrics.height() + 2 * kPad);
    int lowX = width(), highX = 0;
    for (const QLine &piece : pieces_) {
        lowX = std::min(lowX, piece.x1());
        highX = std::max(highX, piece.x1());
    }
    const int left = highX + kGap + size.width() <= width() ? highX + kGap : lowX - kGap - size.width();
    const int pointerY = under->mapTo(parentWidget(), pos).y() - y();
    const int top = std::clamp(pointerY - size.height() / 2, 0, std::max(0, height() - size.height()));
    label_ = QRect(QPoint(left, top), size);
    update(before.isNull() ? Painted() : before | Painted());
}

void TTimeCursor::paintEvent(QPaintEvent *)
{
    if (lines_.empty())
        return;
    QPainter p(this);
    p.setPen(QPen(kAccent, 1));
    for (const QLine &piece : pieces_)
        p.drawLine(piece);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(0x1E, 0x1E, 0x1E, 0xE0));
    p.drawRoundedRect(QRectF(label_).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setFont(LabelFont(font()));
    const QFontMetrics metrics = p.fontMetrics();
    int y = label_.top() + kPad;
    for (const Line &line : lines_) {
        int x = label_.left() + kPad;
        if (line.swatch.isValid()) {
            p.fillRect(QRect(x, y + (metrics.height() - kSwatch) / 2, kSwatch, kSwatch), line.swatch);
            x += kSwatch + kPad;
        }
        p.setPen(Qt::white);
        p.drawText(x, y + metrics.ascent(), line.text);
        y += metrics.height();
    }
}
