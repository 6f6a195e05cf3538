#include "accounts/Accountdel.h"

#include "draw/ChoiceForm.h"
#include "draw/Dialogs.h"
#include "draw/Controls.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TDeleteAccountForm *DeleteAccountForm = nullptr;

TDeleteAccountForm::TDeleteAccountForm(const TWindowServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), services_(services)
{
    setObjectName("DeleteAccountForm");
    CreateControls();
    FormCreate();
}

void TDeleteAccountForm::CreateControls()
{
    const ChoiceFormControls c = CreateChoiceControls(
        this, {"DeleteAccountImage", "DeleteUserIDLab", "User ID", "ID_Delete_Select_ComboBox", "Del_Yes_Btn",
               "Del_Cancel_Btn", 153, 100});
    DeleteAccountImage = c.background;
    DeleteUserIDLab = c.caption;
    ID_Delete_Select_ComboBox = c.choice;
    Del_Yes_Btn = c.yes;
    Del_Cancel_Btn = c.cancel;
    connect(Del_Yes_Btn, &QPushButton::clicked, this, &TDeleteAccountForm::Del_Yes_BtnClick);
    connect(Del_Cancel_Btn, &QPushButton::clicked, this, &TDeleteAccountForm::Del_Cancel_BtnClick);
}

void TDeleteAccountForm::FormCreate()
{
    PlaceChoiceForm(this, DeleteAccountImage);
    RefreshCaptions();
}

void TDeleteAccountForm::RefreshCaptions()
{
    const MultiLanguage &lang = *services_.MultiLang;
    setWindowTitle(lang.CL("Delete Account"));
    DeleteUserIDLab->setText(lang.CL("User ID"));
    Del_Yes_Btn->setText(lang.CL("YES"));
    Del_Cancel_Btn->setText(lang.CL("Cancel"));
}

void TDeleteAccountForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TDeleteAccountForm::closeEvent(QCloseEvent *event)
{
    if (!TakeOutsideClose(this, event, [this] { Del_Cancel_BtnClick(); }))
        QDialog::closeEvent(event);
}

void TDeleteAccountForm::FormShow()
{
    OfferRiders(ID_Delete_Select_ComboBox, *services_.DataBase);
}

void TDeleteAccountForm::Del_Yes_BtnClick()
{
    const QString chosen = ID_Delete_Select_ComboBox->currentText();
    if (TrimBelow33(chosen).isEmpty()) {
        ShowErrorBox(this, "User ID Error!", "Error", false);
        return;
    }
    if (!AskYesNoWarning(this, "Delete user account?", "Delete user account?"))
        return;
    const int deleted = services_.DataBase->DeleteRider(chosen.toStdString());
    if (deleted == TKorvanDataBase::RiderKept)
        ShowErrorBox(this, "The user account could not be deleted!", "Error", false);
    else if (deleted == TKorvanDataBase::RiderPartlyDeleted)
        ShowErrorBox(this, "The user account was deleted, but some of its files could not be removed!", "Error",
                     false);
    close();
}

void TDeleteAccountForm::Del_Cancel_BtnClick()
{
    close();
}
