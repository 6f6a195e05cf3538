#include "draw/FaceButton.h"

#include <QEvent>
#include <QPainter>

QPixmap CaptionFace(int w, int h, const QString &caption, Face face, const GlyphPainter &glyph)
{
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, w, h), 6, face);
    const QColor ink = face == Face::Hover ? kAccent : face == Face::Disabled ? kDim : QColor(Qt::white);
    if (glyph)
        glyph(p, ink, h);
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRect(28, 0, w - 32, h), Qt::AlignCenter, caption);
    return QPixmap::fromImage(img);
}

TFaceButton::TFaceButton(QWidget *parent, const QString &name, const QRect &geometry, GlyphPainter glyph)
    : TImage(parent, name), glyph_(std::move(glyph))
{
    setGeometry(geometry);
    setCursor(Qt::PointingHandCursor);
    // A button to the keyboard and to a screen reader; a click reaches it too.
    MakeControl(name);
    setFocusPolicy(Qt::StrongFocus);
    SetCaption(name);
}

void TFaceButton::SetCaption(const QString &caption)
{
    caption_ = caption;
    setAccessibleName(caption);
    faces_ = {CaptionFace(width(), height(), caption, Face::Normal, glyph_),
              CaptionFace(width(), height(), caption, Face::Hover, glyph_),
              CaptionFace(width(), height(), caption, Face::Disabled, glyph_)};
    ShowFace();
}

void TFaceButton::enterEvent(QEnterEvent *event)
{
    TImage::enterEvent(event);
    ShowFace();
}

void TFaceButton::leaveEvent(QEvent *event)
{
    TImage::leaveEvent(event);
    ShowFace();
}

void TFaceButton::changeEvent(QEvent *event)
{
    TImage::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        ShowFace();
}

void TFaceButton::focusInEvent(QFocusEvent *event)
{
    TImage::focusInEvent(event);
    ShowFace();
}

void TFaceButton::focusOutEvent(QFocusEvent *event)
{
    TImage::focusOutEvent(event);
    ShowFace();
}

void TFaceButton::ShowFace()
{
    const bool hover = underMouse() || hasFocus();
    QImage &canvas = Canvas();
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.drawPixmap(0, 0, faces_[!isEnabled() ? 2 : hover ? 1 : 0]);
    p.end();
    update();
}
