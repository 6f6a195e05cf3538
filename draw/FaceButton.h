#pragma once
// A picture button in the program's look: a rounded grey face with a white
// frame, a glyph at its left and a bold caption; the accent colour when the
// pointer is over it or it has the keyboard focus, grey when disabled. Tab
// reaches it; Enter and Space press it (the clicked signal of TImage); a
// screen reader sees a button with its caption as name.
#include "draw/Faces.h"
#include "draw/Image.h"

#include <QPixmap>
#include <array>
#include <functional>

// Paints a glyph in ink on a face h pixels high (left 34 pixels are its).
using GlyphPainter = std::function<void(QPainter &p, const QColor &ink, int h)>;

// The face of w x h with the glyph and the caption, as every such button has.
QPixmap CaptionFace(int w, int h, const QString &caption, Face face, const GlyphPainter &glyph);

class TFaceButton : public TImage {
    Q_OBJECT
public:
    TFaceButton(QWidget *parent, const QString &name, const QRect &geometry, GlyphPainter glyph);

    // The caption in the chosen language; the faces are drawn anew.
    void SetCaption(const QString &caption);
    const QString &Caption() const { return caption_; }

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void ShowFace();

    GlyphPainter glyph_;
    QString caption_;
    std::array<QPixmap, 3> faces_; // normal, hover, disabled
};
