#include "draw/ChoiceForm.h"

#include "draw/Dialogs.h"
#include "draw/Controls.h"
#include "draw/Image.h"
#include "draw/Korvandraw.h"
#include "store/Databasecontroler.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>

ChoiceFormControls CreateChoiceControls(QDialog *form, const ChoiceFormLayout &layout)
{
    ChoiceFormControls c{};
    c.background = NewPicture(form, layout.background, QRect(0, 0, 280, layout.height));
    c.caption = NewLabel(form, layout.caption, QString::fromLatin1(layout.captionText), QRect(20, 18, 240, 20));
    SetBold(c.caption);
    c.choice = NewComboBox(form, layout.choice, QRect(20, 42, 240, 26));
    c.yes = NewButton(form, layout.yes, "YES", QRect(20, layout.buttonTop, 115, 32));
    c.cancel = NewButton(form, layout.cancel, "Cancel", QRect(145, layout.buttonTop, 115, 32));
    return c;
}

void PlaceChoiceForm(QDialog *form, TImage *background)
{
    TKorvanDraw().FillGradient(background, 0x404040, 0xFFFFFF, 0);
    form->setFixedSize(background->size());
    form->move(CentredOnScreen(form->size()));
}

void OfferRiders(QComboBox *choice, TKorvanDataBase &db)
{
    db.ListRiders();
    choice->clear();
    for (const std::string &id : db.Riders)
        choice->addItem(QString::fromStdString(id));
    choice->setCurrentIndex(choice->count() > 0 ? 0 : -1);
}
