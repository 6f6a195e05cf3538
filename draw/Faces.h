#pragma once
// The one look of every painted face: dark grey gradients, white frames and
// the orange accent for hover and chosen states. Shared by the program's
// pictures and by the views that paint their own (calendar days, tiles).
#include <QColor>
#include <QImage>

class QPainter;
class QRectF;

inline const QColor kAccent(0xE7, 0x93, 0x33);
inline const QColor kDim(0x80, 0x80, 0x80);

enum class Face { Normal, Hover, Active, Disabled };

// A transparent picture of w x h.
QImage Blank(int w, int h);
// A rounded face with its gradient and frame filling r.
void PaintFace(QPainter &p, const QRectF &r, qreal radius, Face face);
