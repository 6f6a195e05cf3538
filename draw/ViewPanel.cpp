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

void TViewPanel::FitBackground()
{
    Background->setGeometry(rect());
}

void TViewPanel::ShowRiderID(const QString &id)
{
    RiderIDLab->setText(id);
}
