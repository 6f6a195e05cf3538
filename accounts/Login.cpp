#include "accounts/Login.h"

#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "draw/ChoiceForm.h"
#include "draw/Dialogs.h"
#include "draw/Photo.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/Image.h"
#include "draw/Korvandraw.h"
#include "draw/WindowSight.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TLoginForm *LoginForm = nullptr;

TLoginForm::TLoginForm(const TWindowServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), services_(services)
{
    setObjectName("LoginForm");
    CreateControls();
    setFixedSize(LoginBGImage->size());
    move(CentredOnScreen(size()));
    FormCreate();
}

void TLoginForm::CreateControls()
{
    LoginBGImage = NewPicture(this, "LoginBGImage", QRect(0, 0, 265, 369));
    KorLogoImage = NewPicture(this, "KorLogoImage", QRect(20, 14, 225, 70));
    KorLogoImage->SetPicture(AssetImage("Logo"));
    UserIDLab = NewLabel(this, "UserIDLab", "User ID", QRect(20, 98, 225, 20));
    SetBold(UserIDLab);
    ID_Select_ComboBox = NewComboBox(this, "ID_Select_ComboBox", QRect(20, 120, 225, 26));
    RememberMeCB = new QCheckBox(this);
    RememberMeCB->setObjectName("RememberMeCB");
    RememberMeCB->setGeometry(20, 156, 20, 20);
    RememberMeCB->setChecked(false);
    RememberMeLab = NewLabel(this, "RememberMeLab", "Remember Me", QRect(42, 156, 180, 20));
    LoginBtn = NewButton(this, "LoginBtn", "Login", QRect(20, 188, 225, 32));
    LoginBtn->setDefault(true);
    CreateIDBtn = NewButton(this, "CreateIDBtn", "Create ID", QRect(20, 228, 108, 28));
    DeleteIDBtn = NewButton(this, "DeleteIDBtn", "Delete ID", QRect(137, 228, 108, 28));
    ExitBtn = NewButton(this, "ExitBtn", "Exit", QRect(20, 264, 225, 28));
    img_Language = NewPicture(this, "img_Language", QRect(20, 312, 40, 40));
    img_Language->SetPicture(AssetImage("Language"));
    img_Language->setCursor(Qt::PointingHandCursor);
    img_Language->MakeControl("Choose the language");
    VersionLab = NewLabel(this, "VersionLab", "Version 1.021", QRect(110, 340, 135, 18), "#404040");
    VersionLab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(LoginBtn, &QPushButton::clicked, this, &TLoginForm::LoginBtnClick);
    connect(CreateIDBtn, &QPushButton::clicked, this, &TLoginForm::CreateIDBtnClick);
    connect(DeleteIDBtn, &QPushButton::clicked, this, &TLoginForm::DeleteIDBtnClick);
    connect(ExitBtn, &QPushButton::clicked, this, &TLoginForm::ExitBtnClick);
    connect(img_Language, &TImage::clicked, this, &TLoginForm::img_LanguageClick);
}

void TLoginForm::FormCreate()
{
    TKorvanDraw().FillGradient(LoginBGImage, 0x404040, 0xFFFFFF, 0);
    FillRiderChoice();
    const int remembered = TKorvanDataBase::MatchRememberMe(services_.AppFolder, services_.DataBase->Riders);
    if (remembered >= 0) {
        ID_Select_ComboBox->setCurrentIndex(remembered);
        RememberMeCB->setChecked(true);
    }
    RefreshCaptions();
}

void TLoginForm::FillRiderChoice()
{
    OfferRiders(ID_Select_ComboBox, *services_.DataBase);
}

void TLoginForm::RefreshCaptions()
{
    MultiLanguage &lang = *services_.MultiLang;
    setWindowTitle(lang.CL("Login"));
    UserIDLab->setText(lang.CL("User ID"));
    RememberMeLab->setText(lang.CL("Remember Me"));
    LoginBtn->setText(lang.CL("Login"));
    CreateIDBtn->setText(lang.CL("Create ID"));
    DeleteIDBtn->setText(lang.CL("Delete ID"));
    ExitBtn->setText(lang.CL("Exit"));
    img_Language->setToolTip(lang.CL("Choose the language"));
    img_Language->setAccessibleName(lang.CL("Choose the language"));
    RememberMeCB->setAccessibleName(lang.CL("Remember Me"));
    ID_Select_ComboBox->setAccessibleName(lang.CL("User ID"));
    // Shown in the empty rider choice: how a first rider is made.
    ID_Select_ComboBox->setPlaceholderText(lang.CL("No rider yet: press Create ID"));
}

void TLoginForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TLoginForm::keyPressEvent(QKeyEvent *event)
{
    // Escape must not close the window: only Login and Exit leave it.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TLoginForm::closeEvent(QCloseEvent *event)
{
    if (!TakeOutsideClose(this, event, [this] { ExitBtnClick(); }))
        QDialog::closeEvent(event);
}

void TLoginForm::FormShow()
{
    emit Showing();
}

void TLoginForm::ApplyRememberMe(const std::string &id)
{
    if (!RememberMeCB->isChecked()) {
        TKorvanDataBase::RemoveRememberMe(services_.AppFolder);
        return;
    }
    if (TKorvanDataBase::WriteRememberMe(services_.AppFolder, id) != 1 || rememberMeReported_)
        return;
    rememberMeReported_ = true;
    ShowErrorBox(this, "The remembered user ID could not be saved!", "Error", false);
}

void TLoginForm::LoginBtnClick()
{
    if (TrimBelow33(ID_Select_ComboBox->currentText()).isEmpty()) {
        ShowErrorBox(this, "User ID Error!", "Error", false);
        return;
    }
    const std::string id = ID_Select_ComboBox->currentText().toStdString();
    TKorvanDataBase &db = *services_.DataBase;
    db.CurrentID = id;
    db.RiderFolder = db.RootFolder + id + "/";
    RemoveTemporaryFiles(db.RiderFolder); // left by a run that was killed while writing

    // A missing or unreadable photo does not lock the rider out: the
    // built-in picture stands in for it.
    LoadedPhoto photo;
    const std::string photoFile = db.PhotoFile(id);
    if (photoFile.empty() || !LoadPhotoFile(photoFile, photo, Links::NotFollowed))
        photo.image = AssetImage("MalePhoto");
    emit RiderChosen(QString::fromStdString(id), photo.image);
    ApplyRememberMe(id);
    emit LoggedIn();
    close();
}

void TLoginForm::ExitBtnClick()
{
    emit ExitRequestChanged(true);
    ApplyRememberMe(ID_Select_ComboBox->currentText().toStdString());
    close();
}

void TLoginForm::CreateIDBtnClick()
{
    SetWindowUnseen(this, true);
    UserAccountSetForm->exec();
    UserAccountSetForm->PhotoChosen = false;
    FillRiderChoice();
    SetWindowUnseen(this, false);
}

void TLoginForm::DeleteIDBtnClick()
{
    SetWindowUnseen(this, true);
    DeleteAccountForm->exec();
    FillRiderChoice();
    SetWindowUnseen(this, false);
}

void TLoginForm::img_LanguageClick()
{
    SetWindowUnseen(this, true);
    emit LanguageRequested();
    SetWindowUnseen(this, false);
}
