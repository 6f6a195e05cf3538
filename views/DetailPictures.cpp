// Sensor pictures and value icons drawn with a painter: white line
// drawings on the program's dark faces, the orange accent for what a
// record used and dim grey for what it did not.
#include "views/DetailPictures.h"

#include "draw/Faces.h"
#include "draw/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int kSensorW = 92;
constexpr int kSensorH = 86;
constexpr int kIcon = 28;

QPainterPath Heart(const QRectF &r)
{
    const qreal w = r.width(), h = r.height(), x = r.left(), y = r.top();
    QPainterPath heart;
    heart.moveTo(x + w / 2, y + h);
    heart.cubicTo(x - w * 0.05, y + h * 0.55, x + w * 0.05, y - h * 0.05, x + w / 2, y + h * 0.25);
    heart.cubicTo(x + w * 0.95, y - h * 0.05, x + w * 1.05, y + h * 0.55, x + w / 2, y + h);
    return heart;
}

// Heart-rate belt: a strap around a heart-shaped transmitter.
void PaintBelt(QPainter &p, const QColor &ink, const QColor &accent)
{
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath strap;
    strap.moveTo(10, 34);
    strap.quadTo(46, 50, 82, 34);
    p.drawPath(strap);
    p.setPen(QPen(ink, 2));
    p.setBrush(accent);
    p.drawPath(Heart(QRectF(30, 20, 32, 32)));
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{36, 34}, {42, 34}, {45, 28}, {49, 40}, {52, 34}, {57, 34}}));
}

// Speed sensor: a wheel with spokes and the sensor on the fork.
void PaintWheel(QPainter &p, const QColor &ink, const QColor &accent)
{
    const QPointF hub(40, 40);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 4));
    p.drawEllipse(hub, 26, 26);
    p.setPen(QPen(ink, 1.5));
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(i * 45.0);
        p.drawLine(hub, hub + QPointF(24 * qCos(a), 24 * qSin(a)));
    }
    p.setBrush(ink);
    p.drawEllipse(hub, 4, 4);
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(40, 40), QPointF(72, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRoundedRect(QRectF(62, 20, 14, 9), 3, 3);
}

// Cadence sensor: a chainring with its crank and pedal, the sensor beside it.
void PaintCrank(QPainter &p, const QColor &ink, const QColor &accent)
{
    const QPointF axle(42, 42);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 2, Qt::DotLine));
    p.drawEllipse(axle, 25, 25);
    p.setPen(QPen(ink, 3));
    p.drawEllipse(axle, 20, 20);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(axle, QPointF(62, 62));
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(56, 66), QPointF(70, 58));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(axle, 5, 5);
    p.setBrush(accent);
    p.drawRoundedRect(QRectF(68, 30, 10, 16), 3, 3);
}

QPixmap SensorPicture(int sensor, bool used)
{
    QImage img = Blank(kSensorW, kSensorH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, kSensorW, kSensorH), 10, used ? Face::Normal : Face::Disabled);
    const QColor ink = used ? QColor(Qt::white) : kDim;
    const QColor accent = used ? kAccent : QColor(0x55, 0x55, 0x55);
    p.translate(3, 2);
    switch (sensor) {
    case 0: PaintBelt(p, ink, accent); break;
    case 1: PaintWheel(p, ink, accent); break;
    default: PaintCrank(p, ink, accent); break;
    }
    p.resetTransform();
    // The state mark: a lit dot when used, a struck ring when not.
    const QRectF mark(kSensorW - 20, 8, 11, 11);
    if (used) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(mark);
    } else {
        p.setPen(QPen(kDim, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(mark);
        p.drawLine(mark.topRight(), mark.bottomLeft());
    }
    return QPixmap::fromImage(img);
}

} // namespace

TImageList SensorPictures()
{
    TImageList list(kSensorW, kSensorH);
    for (int sensor = 0; sensor < 3; ++sensor)
        for (bool used : {true, false})
            list.Add(SensorPicture(sensor, used));
    return list;
}

QImage ValueTile(int w, int h)
{
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, w, h), 10, Face::Normal);
    return img;
}

QImage ValueIcon(int k)
{
    QImage img = Blank(kIcon, kIcon);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen line(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    const QPointF c(14, 14);
    switch (k) {
    case 0: // duration: a clock
        p.drawEllipse(c, 11, 11);
        p.drawPolyline(QPolygonF({{14, 7}, {14, 14}, {19, 17}}));
        break;
    case 1: { // distance: a map pin
        QPainterPath pin;
        pin.moveTo(14, 26);
        pin.cubicTo(4, 14, 5, 3, 14, 3);
        pin.cubicTo(23, 3, 24, 14, 14, 26);
        p.drawPath(pin);
        p.drawEllipse(QPointF(14, 11), 3.5, 3.5);
        break;
    }
    case 2: // cadence: a turning arrow
        p.drawArc(QRectF(4, 4, 20, 20), 90 * 16, 270 * 16);
        p.drawPolyline(QPolygonF({{14, 1}, {18, 4}, {14, 7}}));
        p.drawEllipse(c, 2, 2);
        break;
    case 3: // speed: a speedometer
        p.drawArc(QRectF(3, 5, 22, 22), -20 * 16, 220 * 16);
        p.drawLine(QPointF(14, 16), QPointF(21, 9));
        break;
    case 4: // laps: a flag
        p.drawLine(QPointF(6, 26), QPointF(6, 3));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{6, 4}, {23, 8}, {6, 14}}));
        break;
    case 5: { // calories: a flame
        QPainterPath flame;
        flame.moveTo(14, 26);
        flame.cubicTo(3, 24, 6, 12, 13, 3);
        flame.cubicTo(14, 11, 22, 13, 22, 19);
        flame.cubicTo(22, 24, 18, 26, 14, 26);
        p.drawPath(flame);
        break;
    }
    case 6: // maximum heart rate: a full heart with an arrow up
        p.setBrush(Qt::white);
        p.drawPath(Heart(QRectF(2, 8, 18, 18)));
        p.drawLine(QPointF(24, 14), QPointF(24, 3));
        p.drawPolyline(QPolygonF({{20, 7}, {24, 3}, {27, 7}}));
        break;
    case 7: // average heart rate: a heart with a pulse line
        p.drawPath(Heart(QRectF(3, 4, 22, 22)));
        p.drawPolyline(QPolygonF({{1, 15}, {9, 15}, {12, 10}, {16, 20}, {19, 15}, {27, 15}}));
        break;
    case 8: { // VO2max: the oxygen symbol
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(2, 2, 18, 24), Qt::AlignCenter, QStringLiteral("O"));
        font.setPixelSize(10);
        p.setFont(font);
        p.drawText(QRectF(17, 13, 8, 12), Qt::AlignCenter, QStringLiteral("2"));
        break;
    }
    default: // heart-rate limits: rising bars
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(3 + i * 6.5, 22 - i * 5, 4.5, 4 + i * 5));
        break;
    }
    return img;
}

QImage NotesIcon()
{
    QImage img = Blank(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({{4, 20}, {5, 15}, {16, 4}, {20, 8}, {9, 19}}));
    p.drawLine(QPointF(13, 7), QPointF(17, 11));
    p.drawLine(QPointF(12, 22), QPointF(21, 22));
    return img;
}
