#pragma once
// The account deletion window: pick a rider and, after a confirmation,
// delete the rider's folder with everything in it.
#include "draw/WindowServices.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TImage;

class TDeleteAccountForm;
// The one account deletion window of the program (made by the main window).
extern TDeleteAccountForm *DeleteAccountForm;

class TDeleteAccountForm : public QDialog {
    Q_OBJECT
public:
    explicit TDeleteAccountForm(const TWindowServices &services, QWidget *parent = nullptr);

    TImage *DeleteAccountImage = nullptr;
    QLabel *DeleteUserIDLab = nullptr;
    QComboBox *ID_Delete_Select_ComboBox = nullptr;
    QPushButton *Del_Yes_Btn = nullptr;
    QPushButton *Del_Cancel_Btn = nullptr;

    void RefreshCaptions();

    void FormCreate();
    void FormShow();
    void Del_Yes_BtnClick();
    void Del_Cancel_BtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();

    TWindowServices services_;
};
