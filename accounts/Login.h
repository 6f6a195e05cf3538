#pragma once
// The login window: choose a rider and log in, create or delete a rider,
// choose the language, or end the program; "Remember Me" preselects the
// same rider at the next start.
#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TImage;
class TmainForm;

class TLoginForm : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate: the rider list must be ready in mainForm's store.
    explicit TLoginForm(TmainForm *mainForm, QWidget *parent = nullptr);

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

    TmainForm *main_;
    bool rememberMeReported_ = false;
};
