#include "calendar/DayFaces.h"

#include "calendar/ShownMonth.h"
#include "draw/Faces.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "lang/Multilan.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <map>
#include <tuple>

namespace {

const QColor kInk(Qt::white);
const QColor kFaintInk(0x9a, 0x9a, 0x9a);
const QColor kChosenInk(0xB0, 0x5E, 0x10);

QFont CellFont(int pixels, bool bold)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void FillBody(QPainter &p, const QRectF &r, qreal radius, const QColor &top, const QColor &bottom,
              const QPen &frame)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(frame);
    const qreal half = frame.style() == Qt::NoPen ? 0 : frame.widthF() / 2;
    p.drawRoundedRect(r.adjusted(half, half, -half, -half), radius, radius);
}

// The ride dot at the lower right corner of a day with records.
void RideDot(QPainter &p, int w, int h, const QColor &colour)
{
    const qreal d = h / 6.0;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(w - d - h / 9.0, h - d - h / 9.0, d, d));
}

QPixmap DayPicture(int w, int h, int day, DayStyle style)
{
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, w, h);
    const qreal radius = h / 8.0;
    QColor ink = kInk;
    bool bold = true;
    switch (style) {
    case DayStyle::Plain:
        FillBody(p, r, radius, QColor(0x5c, 0x5c, 0x5c), QColor(0x30, 0x30, 0x30), QPen(QColor(255, 255, 255, 110), 1));
        break;
    case DayStyle::Records:
        FillBody(p, r, radius, QColor(0xF2, 0xA8, 0x55), QColor(0xC0, 0x70, 0x1C), QPen(Qt::white, 2));
        RideDot(p, w, h, kInk);
        break;
    case DayStyle::Other:
        FillBody(p, r, radius, QColor(0, 0, 0, 40), QColor(0, 0, 0, 70), QPen(QColor(255, 255, 255, 45), 1));
        ink = kFaintInk;
        bold = false;
        break;
    case DayStyle::OtherRecords:
        FillBody(p, r, radius, QColor(0, 0, 0, 40), QColor(0, 0, 0, 70), QPen(QColor(0xE7, 0x93, 0x33, 150), 1.5));
        RideDot(p, w, h, kAccent);
        ink = kFaintInk;
        bold = false;
        break;
    case DayStyle::Chosen:
        FillBody(p, r, radius, QColor(0xFF, 0xFF, 0xFF), QColor(0xE4, 0xE4, 0xE4), QPen(kAccent, 4));
        RideDot(p, w, h, kAccent);
        ink = kChosenInk;
        break;
    }
    p.setFont(CellFont(h * 2 / 5, bold));
    p.setPen(ink);
    p.drawText(QRectF(h / 7.0, h / 14.0, w - h / 3.5, h / 2.0), Qt::AlignLeft | Qt::AlignVCenter,
               QString::number(day));
    return QPixmap::fromImage(img);
}

// The month number, small at the top left, and the name in the middle.
QPixmap MonthTile(int month, const QString &name, bool highlighted)
{
    const int w = 120, h = 100;
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, w, h), 12, highlighted ? Face::Active : Face::Normal);
    p.setFont(CellFont(14, true));
    p.setPen(highlighted ? QColor(Qt::white) : kAccent);
    p.drawText(QRect(12, 8, 40, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::asprintf("%02d", month));
    QFont font = CellFont(17, true);
    p.setFont(font);
    // Long names in other languages shrink to fit the tile.
    while (font.pixelSize() > 10 && QFontMetrics(font).horizontalAdvance(name) > w - 16) {
        font.setPixelSize(font.pixelSize() - 1);
        p.setFont(font);
    }
    p.setPen(Qt::white);
    p.drawText(QRect(8, 34, w - 16, 44), Qt::AlignCenter, name);
    return QPixmap::fromImage(img);
}

} // namespace

// Painted once per size and style (weekdays: per size; month tiles: per
// set of names): the lists share their pictures.
TImageList DayPictures(int w, int h, DayStyle style)
{
    static std::map<std::tuple<int, int, DayStyle>, TImageList> painted;
    const auto [it, added] = painted.try_emplace({w, h, style}, w, h);
    if (added)
        for (int day = 1; day <= 31; ++day)
            it->second.Add(DayPicture(w, h, day, style));
    return it->second;
}

TImageList WeekdayPictures(int w, int h)
{
    static const char *const names[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    static std::map<std::pair<int, int>, TImageList> painted;
    const auto [it, added] = painted.try_emplace({w, h}, w, h);
    if (added)
        for (int i = 0; i < 7; ++i) {
            QImage img = Blank(w, h);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            FillBody(p, QRectF(0, 0, w, h), h / 3.0, QColor(0x2c, 0x2c, 0x2c), QColor(0x1c, 0x1c, 0x1c), Qt::NoPen);
            p.setFont(CellFont(h / 2, true));
            // The weekend in the accent colour.
            p.setPen(i == 0 || i == 6 ? kAccent : kInk);
            p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QString::fromLatin1(names[i]));
            it->second.Add(QPixmap::fromImage(img));
        }
    return it->second;
}

TImageList MonthTilePictures(const QStringList &names)
{
    static std::map<QStringList, TImageList> painted;  // one set per language
    const auto [it, added] = painted.try_emplace(names, 120, 100);
    if (added)
        for (bool highlighted : {false, true})
            for (int m = 0; m < 12; ++m)
                it->second.Add(MonthTile(m + 1, names.value(m), highlighted));
    return it->second;
}

QImage CaptionPicture(int w, int h, const QString &text)
{
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(CellFont(h * 4 / 7, true));
    p.setPen(kInk);
    p.drawText(QRect(0, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter, text);
    return img;
}

QImage TotalsIcon(int which)
{
    QImage img = Blank(28, 28);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (which == 0) {
        // A clock.
        p.drawEllipse(QRectF(3, 3, 22, 22));
        p.drawLine(QPointF(14, 14), QPointF(14, 7));
        p.drawLine(QPointF(14, 14), QPointF(19, 17));
    } else if (which == 1) {
        // A winding road between two points.
        QPainterPath road;
        road.moveTo(5, 23);
        road.cubicTo(5, 12, 23, 16, 23, 5);
        p.drawPath(road);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(2.5, 20.5, 5, 5));
        p.drawEllipse(QRectF(20.5, 2.5, 5, 5));
    } else {
        // A flame.
        QPainterPath flame;
        flame.moveTo(14, 3);
        flame.cubicTo(22, 11, 23, 16, 21, 20);
        flame.cubicTo(19, 25, 9, 25, 7, 20);
        flame.cubicTo(5, 15, 9, 12, 10, 8);
        flame.cubicTo(12, 11, 13, 12, 14, 3);
        p.drawPath(flame);
    }
    return img;
}

void StyleMonthCaption(QLabel *label, int pixels)
{
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet("color: white; background: rgba(28, 28, 28, 190); border-radius: 10px;");
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(true);
    label->setFont(font);
}

QWidget *NewPlate(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *plate = new QWidget(parent);
    plate->setObjectName(QString::fromLatin1(name));
    plate->setAttribute(Qt::WA_StyledBackground);
    plate->setStyleSheet(QStringLiteral("#%1 { background: rgba(28, 28, 28, 150); border-radius: 12px; }")
                             .arg(QLatin1String(name)));
    plate->setGeometry(geometry);
    return plate;
}

TCellWords::TCellWords() : Months(MonthNamesIn(nullptr)) {}

void TCellWords::Refresh(const MultiLanguage &lang)
{
    Months = MonthNamesIn(&lang);
    Ride = lang.CL("ride");
    Rides = lang.CL("rides");
}

void NameDayCells(const std::array<TImage *, 42> &cells, const TShownMonth &shown, const TCellWords &words)
{
    for (int k = 0; k < 42; ++k) {
        const TDayCell cell = shown.Cell(k);
        const QString month = words.Months.value(shown.CellMonth(cell) - 1);
        cells[std::size_t(k)]->setAccessibleName(QString::fromStdString(
            TShownMonth::CellName(cell, month.toStdString(), words.Ride.toStdString(), words.Rides.toStdString())));
    }
}
