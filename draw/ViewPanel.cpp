#include "draw/ViewPanel.h"

#include "draw/Controls.h"
#include "draw/Image.h"

#include <QLabel>

namespace {

const QRect kPhoto(24, 18, 152, 182);

} // namespace

TViewPanel::TViewPanel(QWidget *parent, const char *name, const char *background, const char *photo)
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    hide();
    Background = NewPicture(this, background, rect());
    Photo = NewPicture(this, photo, kPhoto);
    Photo->Stretch = true;
    const QByteArray idName = QByteArray(photo).replace("Image", "IDLab");
    RiderIDLab = NewLabel(this, idName.constData(), QString(),
                          QRect(kPhoto.left(), kPhoto.bottom() + 6, kPhoto.width(), 22));
    RiderIDLab->setAlignment(Qt::AlignCenter);
    SetBold(RiderIDLab);
}

void TViewPanel::PaintBackground(const QImage &canvas)
{
    Background->setGeometry(rect());
    Background->SetCanvas(canvas);
}

void TViewPanel::PlacePhoto(const QPoint &topLeft)
{
    Photo->move(topLeft);
    Photo->show();
}

QPoint TViewPanel::PhotoPos() const
{
    return Photo->pos();
}

void TViewPanel::SetPhotoVisible(bool visible)
{
    Photo->setVisible(visible);
}

void TViewPanel::ShowRiderPhoto(const QImage &photo)
{
    Photo->SetPicture(photo);
}

QImage TViewPanel::RiderPhoto() const
{
    return Photo->Picture();
}

void TViewPanel::ShowRiderID(const QString &id)
{
    RiderIDLab->setText(id);
}
