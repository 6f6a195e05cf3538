#include "draw/Korvandraw.h"

#include "draw/Image.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <tuple>
#include <vector>

namespace {

QColor ToQColor(uint32_t colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// One line per row (direction 0) or column (direction 1); `step` gives the
// blend step count and step of line i of `lines`.
template <typename Step>
void FillLines(QImage &picture, uint32_t colour1, uint32_t colour2, int direction, Step step)
{
    if (picture.isNull() || (direction != 0 && direction != 1))
        return;
    const int w = picture.width();
    const int h = picture.height();
    const int lines = direction == 0 ? h : w;
    QPainter p(&picture);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < lines; ++i) {
        const auto [n, k] = step(lines, i);
        const QColor c = ToQColor(TKorvanDraw::BlendColor(colour1, colour2, n, k));
        if (direction == 0)
            p.fillRect(0, i, w, 1, c);
        else
            p.fillRect(i, 0, 1, h, c);
    }
}

struct StepPair {
    uint32_t n, k;
};

}  // namespace

void TKorvanDraw::FillGradient(QImage &picture, uint32_t colour1, uint32_t colour2, int direction)
{
    FillLines(picture, colour1, colour2, direction, [](int lines, int i) {
        return StepPair{static_cast<uint32_t>(lines), static_cast<uint32_t>(i)};
    });
}

void TKorvanDraw::FillMirrorGradient(QImage &picture, uint32_t colour1, uint32_t colour2, int direction)
{
    FillLines(picture, colour1, colour2, direction, [](int lines, int i) {
        const int half = lines / 2;
        const int k = i <= half ? i : lines - i;
        return StepPair{static_cast<uint32_t>(half), static_cast<uint32_t>(k)};
    });
}

void TKorvanDraw::DrawFrameLabel(QImage &picture, int x1, int y1, int x2, int y2, uint32_t colour,
                                 const std::string &text)
{
    if (picture.isNull())
        return;
    QPainter p(&picture);
    p.setPen(QPen(ToQColor(colour), 1));
    p.setBrush(Qt::NoBrush);
    // The outline covers x1 .. x2 - 1 and y1 .. y2 - 1; corners are quarters
    // of 20 x 20 ellipses.
    p.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), 10, 10);
    if (text == "0")
        return;
    QFont font("MS Sans Serif");
    font.setPointSize(10);
    font.setBold(true);
    p.setFont(font);
    const QString caption = QString::fromStdString(text);
    const int w = QFontMetrics(font).horizontalAdvance(caption);
    p.end();
    for (int i = 0; i <= w + 9; ++i) {
        const QPoint from(x1 + 10 + i, y1 + 1);
        const QPoint to(x1 + 8 + i, y1);
        if (picture.valid(from) && picture.valid(to))
            picture.setPixel(to, picture.pixel(from));
    }
    QPainter t(&picture);
    t.setFont(font);
    t.setPen(ToQColor(0xFF0000));
    const QFontMetrics fm(font);
    t.drawText(QPoint(x1 + 13, y1 - 8 + fm.ascent()), caption);
}

void TKorvanDraw::FillGradient(TImage *picture, uint32_t colour1, uint32_t colour2, int direction)
{
    if (!picture)
        return;
    FillGradient(picture->Canvas(), colour1, colour2, direction);
    picture->update();
}

void TKorvanDraw::FillMirrorGradient(TImage *picture, uint32_t colour1, uint32_t colour2, int direction)
{
    if (!picture)
        return;
    FillMirrorGradient(picture->Canvas(), colour1, colour2, direction);
    picture->update();
}

void TKorvanDraw::DrawFrameLabel(TImage *picture, int x1, int y1, int x2, int y2, uint32_t colour,
                                 const std::string &text)
{
    if (!picture)
        return;
    DrawFrameLabel(picture->Canvas(), x1, y1, x2, y2, colour, text);
    picture->update();
}

QImage SharedGradient(const QSize &size, uint32_t colour1, uint32_t colour2, GradientShape shape)
{
    struct Painted {
        QSize size;
        uint32_t colour1, colour2;
        GradientShape shape;
        QImage picture;
    };
    static std::vector<Painted> painted;  // a handful of backgrounds
    for (const Painted &p : painted)
        if (std::tie(p.size, p.colour1, p.colour2, p.shape) == std::tie(size, colour1, colour2, shape))
            return p.picture;
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    TKorvanDraw draw;
    if (shape == GradientShape::Mirror)
        draw.FillMirrorGradient(picture, colour1, colour2, 0);
    else
        draw.FillGradient(picture, colour1, colour2, 0);
    painted.push_back({size, colour1, colour2, shape, picture});
    return painted.back().picture;
}
