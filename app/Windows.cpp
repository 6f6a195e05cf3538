// The dialog windows of the program and what their steps do in the main
// window: the login shows the rider's views, the language window refreshes
// the captions of all five windows.
#include "app/Main.h"

#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "accounts/Login.h"
#include "calendar/CalendarView.h"
#include "draw/ViewPanel.h"
#include "lang/Language.h"
#include "store/Databasecontroler.h"
#include "training/TrainingService.h"

void MakeWindows(TmainForm *main)
{
    const TWindowServices services = main->Services();
    LoginForm = new TLoginForm(services);
    UserAccountSetForm = new TUserAccountSetForm(services);
    DeleteAccountForm = new TDeleteAccountForm(services);
    LanguageForm = new TLanguageForm(services);

    QObject::connect(LoginForm, &TLoginForm::Showing, main, [main] { main->SetTransparent(true); });
    QObject::connect(LoginForm, &TLoginForm::RiderChosen, main, &TmainForm::RiderChosen);
    QObject::connect(LoginForm, &TLoginForm::LoggedIn, main, &TmainForm::LoggedIn);
    QObject::connect(LoginForm, &TLoginForm::ExitRequestChanged, main, [main](bool exit) { main->ExitRequested = exit; });
    QObject::connect(LoginForm, &TLoginForm::LanguageRequested, LanguageForm, &TLanguageForm::Open);
    QObject::connect(LanguageForm, &TLanguageForm::LanguageChanged, main, [main] {
        main->RefreshCaptions();
        if (LoginForm != nullptr)
            LoginForm->RefreshCaptions();
        if (UserAccountSetForm != nullptr)
            UserAccountSetForm->RefreshCaptions();
        if (DeleteAccountForm != nullptr)
            DeleteAccountForm->RefreshCaptions();
    });
}

void DeleteWindows()
{
    delete LanguageForm;
    delete DeleteAccountForm;
    delete UserAccountSetForm;
    delete LoginForm;
    LanguageForm = nullptr;
    DeleteAccountForm = nullptr;
    UserAccountSetForm = nullptr;
    LoginForm = nullptr;
}

void TmainForm::RiderChosen(const QString &id, const QImage &photo)
{
    ShowView(mvCalender);
    CalenderPanel->SetPhotoVisible(true);
    ShowTopButtons(true);
    CalenderPanel->ShowDownloadControls(true);
    ShowRiderID(id.toStdString());
    CalenderPanel->ShowRiderPhoto(photo);
    FillRecordLists();
}

void TmainForm::LoggedIn()
{
    const QImage photo = CalenderPanel->RiderPhoto();
    for (TViewPanel *panel : Views())
        if (panel != CalenderPanel)
            panel->ShowRiderPhoto(photo);
    FillCalendar();
    SetTransparent(false);
    Training->Open(DataBase->RiderFolder); // on a worker thread: the login does not wait
}
