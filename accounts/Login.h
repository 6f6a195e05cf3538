#pragma once
// The login window: choose a rider and log in, create or delete a rider,
// choose the language, or end the program; "Remember Me" preselects the
// same rider at the next start.
#include "draw/WindowServices.h"

#include <QDialog>
#include <QImage>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TImage;

class TLoginForm;
// The one login window of the program (made by the main window).
extern TLoginForm *LoginForm;

class TLoginForm : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate: the rider list must be ready in the store.
    explicit TLoginForm(const TWindowServices &services, QWidget *parent = nullptr);

    TImage *LoginBGImage = nullptr;
    TImage *KorLogoImage = nullptr;
    QLabel *UserIDLab = nullptr;
    QComboBox *ID_Select_ComboBox = nullptr;
    QPushButton *LoginBtn = nullptr;
    QPushButton *CreateIDBtn = nullptr;
    QPushButton *DeleteIDBtn = nullptr;
    QPushButton *ExitBtn = nullptr;
    QCheckBox *RememberMeCB = nullptr;
    QLabel *RememberMeLab = nullptr;
    QLabel *VersionLab = nullptr;
    TImage *img_Language = nullptr;

    void RefreshCaptions();

    void FormCreate();
    void FormShow();
    void LoginBtnClick();
    void CreateIDBtnClick();
    void DeleteIDBtnClick();
    void img_LanguageClick();
    void ExitBtnClick();

signals:
    // The window shows: the main window is to be unseen meanwhile.
    void Showing();
    // A rider logs in (the store's rider is set): the main window shows the
    // calendar view with the rider's ID and photo and fills its record lists.
    void RiderChosen(const QString &id, const QImage &photo);
    // The login went through: the other views take the photo, the main
    // window shows itself.
    void LoggedIn();
    // Exit was pressed (true), or taken back because it failed (false).
    void ExitRequestChanged(bool exit);
    // The language picture was pressed: the language window is to open.
    void LanguageRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();
    void FillRiderChoice();
    // Writes or removes the remember-me file for the given choice. A file
    // that cannot be written is reported once a run and never stops the
    // login or the exit: it is a convenience, not the rider's data.
    void ApplyRememberMe(const std::string &id);

    TWindowServices services_;
    bool rememberMeReported_ = false;
};
