#pragma once
// Background and frame drawing: a colour blend, straight and mirrored
// gradients painted line by line, and a rounded frame with a gap in its
// top edge for a caption. Colours are 0x00BBGGRR (red in the lowest byte).
#include <cstdint>
#include <string>

class QImage;
class QSize;
class TImage;

class TKorvanDraw {
public:
    // Colour at step k of n from colour1 (k = 0) to colour2 (k = n), each
    // channel as c1 * (n - k) / n + ((c2 * k / n) & 0xFF). k > n gives 0;
    // n = 0 gives colour1.
    static uint32_t BlendColor(uint32_t colour1, uint32_t colour2, uint32_t n, uint32_t k);

    // direction 0: by rows from the top; 1: by columns from the left; other
    // values draw nothing. The TImage forms repaint the control.
    void FillGradient(QImage &picture, uint32_t colour1, uint32_t colour2, int direction);
    void FillGradient(TImage *picture, uint32_t colour1, uint32_t colour2, int direction);
    // colour1 at both edges, colour2 in the middle.
    void FillMirrorGradient(QImage &picture, uint32_t colour1, uint32_t colour2, int direction);
    void FillMirrorGradient(TImage *picture, uint32_t colour1, uint32_t colour2, int direction);
    // Rounded frame from (x1, y1) to (x2, y2), 20 x 20 corners; unless text
    // is "0", a gap of the text's width + 10 pixels opens in the top edge
    // 8 pixels right of x1 and the text is drawn in blue at (x1 + 13, y1 - 8).
    void DrawFrameLabel(QImage &picture, int x1, int y1, int x2, int y2, uint32_t colour, const std::string &text);
    void DrawFrameLabel(TImage *picture, int x1, int y1, int x2, int y2, uint32_t colour, const std::string &text);
};

enum class GradientShape { Straight, Mirror };
// The gradient by rows of `size` (FillGradient or FillMirrorGradient),
// painted on the first call for a size, colours and shape and shared after:
// equal backgrounds cost one picture, and the start-up paints them while
// the splash waits.
QImage SharedGradient(const QSize &size, uint32_t colour1, uint32_t colour2, GradientShape shape);
