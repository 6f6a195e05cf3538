#include "draw/ImageList.h"

#include "draw/Image.h"

#include <QPainter>

void TImageList::Add(const QPixmap &picture)
{
    if (picture.width() == width_ && picture.height() == height_)
        pictures_.push_back(picture);
    else
        pictures_.push_back(picture.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

const QPixmap &TImageList::Pixmap(int index) const
{
    static const QPixmap none;
    return index >= 0 && index < Count() ? pictures_[index] : none;
}

QImage TImageList::Image(int index) const
{
    return Pixmap(index).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TImageList::Draw(TImage *target, int index, int x, int y) const
{
    if (!target || index < 0 || index >= Count())
        return;
    const QPixmap &picture = pictures_[index];
    if (QPoint(x, y).isNull() && picture.size() == target->size()) {
        // Covers the whole control: shared, not copied.
        target->SetCanvas(picture.toImage());
    } else {
        QPainter p(&target->Canvas());
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawPixmap(x, y, picture);
        target->update();
    }
    target->ShownIndex = index;
    target->ShownList = this;
}

void TImageList::Show(TImage *target, int index) const
{
    if (target && (target->ShownList != this || target->ShownIndex != index))
        Draw(target, index);
}
