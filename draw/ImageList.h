#pragma once
// Picture list: pictures of one size, drawn by index onto a picture control.
#include <QPixmap>
#include <QVector>

class TImage;

class TImageList {
public:
    TImageList() = default;
    TImageList(int width, int height) : width_(width), height_(height) {}

    int Count() const { return static_cast<int>(pictures_.size()); }

    // Appends a picture, scaled to the list's size if it differs.
    void Add(const QPixmap &picture);
    const QPixmap &Pixmap(int index) const;
    QImage Image(int index) const;

    // Replaces the pixels of the control's canvas at (x, y) by picture
    // `index` (alpha included) and repaints the control. An index outside
    // the list draws nothing.
    void Draw(TImage *target, int index, int x = 0, int y = 0) const;
    // Draws picture `index` at (0, 0) unless the control shows it already
    // (hover faces are set again on every pointer move).
    void Show(TImage *target, int index) const;

private:
    int width_ = 0;
    int height_ = 0;
    QVector<QPixmap> pictures_;
};
