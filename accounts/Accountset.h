#pragma once
// The account creation window: a user ID, a gender and optionally a photo;
// creates the rider folder with the photo file and the account file.
#include "draw/WindowServices.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <cstdint>

class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TImage;
class TImageList;

// The gender chosen in the account creation window: true male.
extern bool GenderIsMale;

class TUserAccountSetForm;
// The one account creation window of the program (made by the main window).
extern TUserAccountSetForm *UserAccountSetForm;

class TUserAccountSetForm : public QDialog {
    Q_OBJECT
public:
    explicit TUserAccountSetForm(const TWindowServices &services, QWidget *parent = nullptr);
    ~TUserAccountSetForm() override;

    TImage *AccountBGImage = nullptr;
    QFrame *GenderShape = nullptr;
    QLabel *lbl_gender = nullptr;
    TImage *MRadioImg = nullptr;
    TImage *FRadioImg = nullptr;
    TImage *MSelectImg = nullptr;
    TImage *FSelectImg = nullptr;
    const TImageList *RadioImgList = nullptr; // 0 off, 1 on, 2 off with the pointer over it
    TImage *AccountImage = nullptr;
    TImage *MImage = nullptr;
    TImage *FImage = nullptr;
    QLabel *UsersPhotoLab = nullptr;
    QPushButton *ChangePhotoBtn = nullptr;
    QLabel *UserIDLab = nullptr;
    QLineEdit *UserIDEdit = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QFileDialog *OpenAccountPictureDialog = nullptr; // while it is open
    QObject *ApplicationEvents1 = nullptr;

    // A chosen photo (JPEG or bitmap) stays when the gender is switched.
    bool PhotoChosen = false;
    // How OKBtnClick stores the shown picture: 0 unchanged (JPEG data),
    // 1 a bitmap converted to JPEG, 255 another picture converted to JPEG.
    uint8_t PhotoKind = 0;
    // Written after "Genter=" in the account file: 0 male, 1 female.
    int8_t GenderCode = 0;

    void RefreshCaptions();

    void FormCreate();
    void ChangePhotoBtnClick();
    void OKBtnClick();
    void CancelBtnClick();
    // Filters a typed character; false discards it.
    static bool UserIDEditKeyPress(QChar key);
    void MRadioImgClick();
    void FRadioImgClick();
    void ApplicationEvents1Message(QObject *receiver, QEvent *event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();
    // Shows the built-in photo of the gender in AccountImage.
    void ShowBuiltInPhoto(bool male);
    void DrawRadios();
    // Back to male selected with the built-in photo.
    void ResetChoice();
    bool WriteRiderFiles(const std::string &id);
    // Where the picture dialog opens: the folder of the last chosen picture,
    // else the rider's pictures folder, else home.
    QString PhotoFolder() const;

    class KeyFilter;
    TWindowServices services_;
    QString lastPhotoFolder_;
    QByteArray shownJpeg_; // JPEG data of the picture in AccountImage, if it is one
};
