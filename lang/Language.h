#pragma once
// The language window: choose the language of the user interface; YES
// stores the choice, refreshes its captions and tells the other windows.
#include "draw/WindowServices.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TImage;

class TLanguageForm;
// The one language window of the program (made by the main window).
extern TLanguageForm *LanguageForm;

class TLanguageForm : public QDialog {
    Q_OBJECT
public:
    explicit TLanguageForm(const TWindowServices &services, QWidget *parent = nullptr);

    TImage *imgLanguageImage = nullptr;
    QLabel *lblLanSelect = nullptr;
    QComboBox *cbbLanSelect = nullptr; // entry i stands for LangFiles entry i
    QPushButton *btnLan_Yes_Btn = nullptr;
    QPushButton *btnLan_Cancel_Btn = nullptr;

    void RefreshCaptions();

    void FormCreate();
    void FormActivate();
    void btnLan_Yes_BtnClick();
    void btnLan_Cancel_BtnClick();
    // Opens the window modally on the language in use.
    void Open();

signals:
    // YES applied a language: the other windows refresh their captions.
    void LanguageChanged();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();

    TWindowServices services_;
};
