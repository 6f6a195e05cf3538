#pragma once
// The summary view as the rider sees it: what a day cell shows and the
// names of its month tiles.
#include "calendar/DayFaces.h"
#include "draw/Image.h"
#include "draw/ImageList.h"

#include <QImage>
#include <QString>

// Whether the cell shows the picture of its day in that style.
inline bool ShowsDay(const TImage *cell, DayStyle style)
{
    const QImage face = DayPictures(75, 58, style).Image(cell->ShownIndex);
    return !face.isNull() &&
           cell->Canvas().convertToFormat(QImage::Format_ARGB32) == face.convertToFormat(QImage::Format_ARGB32);
}

// The name of tile t (0 January): MonthImage01 .. MonthImage12.
inline QString MonthTileName(int t)
{
    return QStringLiteral("MonthImage%1").arg(t + 1, 2, 10, QChar('0'));
}
