#include "accounts/Accountdel.h"

#include "accounts/Dialogs.h"
#include "app/Main.h"
#include "draw/Image.h"
#include "draw/Korvandraw.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TDeleteAccountForm::TDeleteAccountForm(TmainForm *mainForm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), main_(mainForm)
{
    setObjectName("DeleteAccountForm");
    CreateControls();
    FormCreate();
}

void TDeleteAccountForm::CreateControls()
{
    DeleteAccountImage = new TImage(this, "DeleteAccountImage");
    DeleteAccountImage->setGeometry(0, 0, 280, 153);
    DeleteUserIDLab = new QLabel("User ID", this);
    DeleteUserIDLab->setObjectName("DeleteUserIDLab");
    DeleteUserIDLab->setGeometry(20, 18, 240, 20);
    DeleteUserIDLab->setStyleSheet("color: white; background: transparent;");
    QFont bold = DeleteUserIDLab->font();
    bold.setBold(true);
    DeleteUserIDLab->setFont(bold);
    ID_Delete_Select_ComboBox = new QComboBox(this);
    ID_Delete_Select_ComboBox->setObjectName("ID_Delete_Select_ComboBox");
    ID_Delete_Select_ComboBox->setEditable(false);
    ID_Delete_Select_ComboBox->setGeometry(20, 42, 240, 26);
    Del_Yes_Btn = new QPushButton("YES", this);
    Del_Yes_Btn->setObjectName("Del_Yes_Btn");
    Del_Yes_Btn->setGeometry(20, 100, 115, 32);
    Del_Cancel_Btn = new QPushButton("Cancel", this);
    Del_Cancel_Btn->setObjectName("Del_Cancel_Btn");
    Del_Cancel_Btn->setGeometry(145, 100, 115, 32);
    for (QPushButton *b : {Del_Yes_Btn, Del_Cancel_Btn})
        b->setAutoDefault(false);
    connect(Del_Yes_Btn, &QPushButton::clicked, this, &TDeleteAccountForm::Del_Yes_BtnClick);
    connect(Del_Cancel_Btn, &QPushButton::clicked, this, &TDeleteAccountForm::Del_Cancel_BtnClick);
}

void TDeleteAccountForm::FormCreate()
{
    TKorvanDraw().FillGradient(DeleteAccountImage, 0x404040, 0xFFFFFF, 0);
    setFixedSize(DeleteAccountImage->size());
    move(CentredOnScreen(size()));
    RefreshCaptions();
}

void TDeleteAccountForm::RefreshCaptions()
{
    const MultiLanguage &lang = *main_->MultiLang;
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

void TDeleteAccountForm::FormShow()
{
    TKorvanDataBase &db = *main_->DataBase;
    db.ListRiders();
    ID_Delete_Select_ComboBox->clear();
    for (const std::string &id : db.Riders)
        ID_Delete_Select_ComboBox->addItem(QString::fromStdString(id));
    ID_Delete_Select_ComboBox->setCurrentIndex(ID_Delete_Select_ComboBox->count() > 0 ? 0 : -1);
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
    main_->DataBase->DeleteRider(chosen.toStdString());
    close();
}

void TDeleteAccountForm::Del_Cancel_BtnClick()
{
    close();
}
