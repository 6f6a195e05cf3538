#pragma once
// What the four views of the main window share: a panel below the title
// band with its background picture (painted by the main window), the rider
// photo at the top left and the rider's ID under it.
#include <QWidget>

class QImage;
class QLabel;
class QPoint;
class TImage;

class TViewPanel : public QWidget {
    Q_OBJECT
public:
    // name: the panel's component name; background, photo: those of its
    // background picture and rider photo. The ID label is named after the
    // photo ("CalAccountImage" -> "CalAccountIDLab").
    TViewPanel(QWidget *parent, const char *name, const char *background, const char *photo);

    // Lays the background over the whole panel and shows canvas on it.
    void PaintBackground(const QImage &canvas);
    // Moves the photo (and its ID label with it, as laid out) to topLeft.
    void PlacePhoto(const QPoint &topLeft);
    QPoint PhotoPos() const;
    void SetPhotoVisible(bool visible);
    // Shows the rider's photo, and the rider's ID under it.
    void ShowRiderPhoto(const QImage &photo);
    QImage RiderPhoto() const;
    void ShowRiderID(const QString &id);

protected:
    TImage *Background = nullptr;
    TImage *Photo = nullptr;
    QLabel *RiderIDLab = nullptr;
};
